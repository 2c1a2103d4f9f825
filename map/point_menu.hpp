#pragma once
// The map's point menu: symbols at one typed point, or at every point of a
// column file of longitudes and latitudes (read into the curve buffer, at
// most its 1000 lines), projected under the current map projection or
// taken as map coordinates as they stand. The points are drawn with the
// menu's own symbol type, size and colours and, when asked, listed on the
// screen as plotted.
//
// Under projection a longitude more than half a turn from the middle of
// the graticule's window is moved by whole turns, exactly, into the turn
// around it (map/line_file_window.hpp), as the line files are; the
// listing shows the plotted coordinates.
//
// Under projection a point with no place on the map (a latitude beyond 90
// degrees, a longitude whose single-precision value cannot be placed to a
// hundredth of a degree, as from 131072 degrees on, an image at infinity
// such as a pole under Mercator, a point the projection hides) gets no
// symbol; such points are counted in one warning box and keep their row
// in the listing, shown there as a point at infinity. Taken as they
// stand, points too far from the map for the plot file to place them are
// left out and counted in the same way.

#include "dialogue/setup_mode.hpp"

namespace dorvix {

// iproj  in/out: project the points (longitudes and latitudes in degrees)
//        or take them as map coordinates; the menu's option 13 changes it.
// mode   (dialogue/setup_mode.hpp) from the defaults: the menu's settings
//        (listing on, point (0, 0), symbol -5 of 0.3 cm, line and fill
//        colour 1) are set to their defaults, the plot attributes are not
//        touched, and nothing is drawn. Any other mode runs the menu until
//        99; while it runs the menu's symbol and
//        colours are the current plot attributes, and those in force on
//        entry are set again when it is left.
// The settings hold their defaults from the start of the run and are kept
// from one call to the next.
void mappoint(bool& iproj, SetupMode mode);

}  // namespace dorvix
