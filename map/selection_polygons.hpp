#pragma once
// Selection-polygon line files (type 6 of the line-file menu): one polygon
// whose sides are drawn as great-circle arcs, as straight lines in
// longitude and latitude, or as straight lines on the map, as its file
// asks. Never clipped.
//
// File (free format, each read on a new record, degrees):
//   npts sidetype closeflag ptsdeg
//   npts records "longitude latitude"
// Side type 1: great circles; 2: longitude-latitude lines; any other:
// straight lines on the map. Close flag 1 repeats the first vertex at the
// end. ptsdeg, the points per degree of arc sampled along the sides of
// types 1 and 2, replaces the line-file setting and stays in force.
// At most 1000 vertices are drawn (999 and the closing repeat), with a
// warning. Sides of type 2 run between the vertices as written; the
// samples of sides of types 1 and 2 are brought into the window's
// longitude frame before they are projected, and the vertices joined
// straight within half a turn of the window's middle.

#include "map/line_file_readers.hpp"

namespace dorvix {

ReadOutcome read_selection_polygon(LineFileRun& run);

}  // namespace dorvix
