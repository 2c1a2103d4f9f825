#pragma once
// Directions on the map. An azimuth at a point of the globe lies on the map
// at an angle that depends on the projection and on the point: only on a
// conformal map with north up everywhere (Mercator) is it pi/2 - azimuth
// from the x axis. Elsewhere meridians converge and, away from conformal
// maps, angles are not kept: on transverse Mercator 60 degrees from the
// central meridian north already lies 41 degrees off the y axis.

#include <numbers>

#include "console/real.hpp"
#include "projection/van_der_grinten.hpp"

namespace dorvix {

// The length of a step along the meridian, radians of arc (about 6 km);
// also the step along the azimuth where the map has no room for a cell.
inline constexpr double direction_step = 1.0e-3;

// Half the width in longitude of the cell that measures a direction,
// radians: 1.25 degrees, so that both of its sides leave the band that
// Van der Grinten's map puts on its central meridian, whichever point of
// the band the cell is centred on.
inline constexpr double direction_longitude_step = 2.5 * central_meridian_band_degrees * std::numbers::pi / 180;

// The angle on the map, radians anticlockwise from the x axis of map
// coordinates, of the direction `azimuth` (radians from north towards
// east) at the point (lon, lat) (radians) whose projection is (x, y).
//
// The map's rates of change along the meridian and along the parallel are
// central differences over a cell centred on the point: its corners lie
// direction_longitude_step east and west and a meridian step north and
// south, the meridian step shrinking near a pole to an eighth of the arc
// left to it, where a conformal map stretches fast. The direction is the
// image of the azimuth under those rates; the point's own image is not
// used, so a point the projection has moved (onto Van der Grinten's
// central meridian) gets the direction of the map around it.
//
// Where the cell has a corner without an image, or reaches across the
// meridian where the map is cut (projection/codes.hpp), the direction is taken
// from one step of direction_step along the azimuth: the step ahead and
// the step behind (reversed) are both projected and the shorter one that
// has an image is taken. Where neither gives a direction, pi/2 - azimuth.
real map_direction(real lon, real lat, real x, real y, real azimuth);

}  // namespace dorvix
