#pragma once
// Directions on the map. An azimuth at a point of the globe lies on the map
// at an angle that depends on the projection and on the point: only on a
// conformal map with north up everywhere (Mercator) is it pi/2 - azimuth
// from the x axis. Elsewhere meridians converge and, away from conformal
// maps, angles are not kept: on transverse Mercator 60 degrees from the
// central meridian north already lies 41 degrees off the y axis.

#include "console/real.hpp"

namespace dorvix {

// The length of the step along the globe that measures a direction,
// radians of arc (about 6 km).
inline constexpr double direction_step = 1.0e-3;

// The angle on the map, radians anticlockwise from the x axis of map
// coordinates, of the direction `azimuth` (radians from north towards
// east) at the point (lon, lat) (radians) whose projection is (x, y): the
// direction from (x, y) to the projection of the point direction_step
// along that azimuth on the sphere. The step ahead and the step behind
// (reversed) are both projected and the shorter one that has an image is
// taken, so a step across the map's cut is never used. Where neither
// gives a direction, pi/2 - azimuth.
real map_direction(real lon, real lat, real x, real y, real azimuth);

}  // namespace dorvix
