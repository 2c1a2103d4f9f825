#pragma once
// The map's line-file menu: coastlines, bathymetric lines and polygons
// read from files of six types and drawn over the current map, in the
// current subplot, through the map's pen.

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The line-file drawer. lonmin, lonmax, latmin, latmax: the graticule's
// window, degrees (west, east, south, north; lonmax below lonmin crosses
// the 180th meridian). The defaults (dialogue/setup_mode.hpp) initialise
// the line-file settings (projection/line_file_settings.hpp) and return;
// any other mode runs the menu until 99: clipping on or off (10), points
// per degree of polygon sides (11), and the six file types (1 to 6), each
// file opened on unit 2, read to its end and drawn at once, then the menu
// again. The map driver calls it during its drawing run with
// setup::passed, the plot open and the map's subplot and scale in force.
void contours1(real lonmin, real lonmax, real latmin, real latmax, SetupMode mode);

}  // namespace dorvix
