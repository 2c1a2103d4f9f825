#pragma once
// Directions on the map. An azimuth at a point of the globe lies on the map
// at an angle that depends on the projection and on the point: only on a
// conformal map with north up everywhere (Mercator) is it pi/2 - azimuth
// from the x axis. Elsewhere meridians converge and, away from conformal
// maps, angles are not kept: on transverse Mercator 60 degrees from the
// central meridian north already lies 41 degrees off the y axis.

#include "numbers/real.hpp"

namespace dorvix {

// The length of a step along the azimuth, radians of arc (about 6 km),
// where the map has no room for a cell.
inline constexpr double direction_step = 1.0e-3;

// The angle on the map, radians anticlockwise from the x axis of map
// coordinates, of the direction `azimuth` (radians from north towards
// east) at the point (lon, lat) (radians) whose projection is (x, y).
//
// The map's rates of change along the meridian and along the parallel are
// measured over a cell around the point, in double precision (the same
// formulas as the map's, projection/codes.hpp): its corners lie a step
// north and south and a step east and west of the point, 1.0E-6 radians
// at most, and never reach a place where the map is not smooth
// (projection/singular_places.hpp). The cell shrinks to a hundredth of the
// room left towards a pole's cap, a cut, a band or a singular point or
// circle, and is one-sided on the point's own side when it is at a cut or
// a band's edge. A point within a band takes the rates across it: from
// edge to edge where the map joins across the band (Van der Grinten's
// central meridian, which the program draws as one line), on its own side
// where the map is cut beyond it (transverse Mercator south of the
// equator). A point within a pole's cap takes the rates of its meridian
// just outside the cap. On the ellipsoidal codes the step along the
// meridian is weighed by the ellipsoid's ratio of the radii of curvature.
// The direction is the image of the azimuth under those rates. The rates
// of a point are kept for the next call at the same point under the same
// projection (a symbol's SHmax and Shmin).
//
// Where the cell gives no direction (a corner without an image), it is
// taken from one step of direction_step along the azimuth: the step ahead
// and the step behind (reversed) are both projected and the shorter one
// that has an image is taken. Where neither gives a direction,
// pi/2 - azimuth.
real map_direction(real lon, real lat, real x, real y, real azimuth);

}  // namespace dorvix
