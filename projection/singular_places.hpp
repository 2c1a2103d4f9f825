#pragma once
// Where the map of the current projection code is not smooth: the places
// that a measure of the map over a small cell around a point (the
// directions of the stress symbols, map/map_directions.hpp) must not reach
// across. Angles in radians, in double precision as that measure works.
//
//  - The cut: the codes that fold longitudes about their central meridian
//    put the two sides of the opposite meridian at the map's two edges.
//  - A band of longitude where the projection puts every point on one
//    line: Van der Grinten's central meridian, half a degree either side;
//    transverse Mercator's meridians 90 degrees from the central one,
//    1.0E-5 either side, which south of the equator go with the near side
//    while the far side is cut away from them.
//  - The poles: several codes put every point within 1.0E-5 of a pole on
//    the pole's image, and every code's longitude means nothing there.
//  - Points of the globe, or circles about a point, where the map has no
//    image or folds: the antipode of an azimuthal map's centre, its
//    horizon, the circle beyond which it puts every point on the circle
//    (the largest angle drawn), and transverse Mercator's two points at
//    infinity.

#include <array>
#include <cstddef>
#include <optional>

namespace dorvix {

// Longitude differences d from the central meridian with |d| from `from`
// to `to`, on both sides; from 0, one band across the central meridian.
struct LongitudeBand {
  double from = 0, to = -1;  // no band while to < from
  // How the map is measured at a point within the band: across it, from
  // edge to edge, where the program draws the band as one line (Van der
  // Grinten's central meridian); otherwise just outside it, on the side of
  // smaller |d| where the map is cut beyond the band (transverse Mercator
  // south of the equator), else on the side nearer the point.
  bool across = false;
  bool near_side_only = false;
  bool any() const { return to >= from; }
};

// A circle of the globe: its centre as a unit vector (x towards longitude
// 0 on the equator, y towards 90 degrees east, z towards the north pole)
// and its angular radius, 0 for the centre itself.
struct SingularCircle {
  std::array<double, 3> centre{};
  double radius = 0;
};

struct SingularPlaces {
  // Longitudes taken as differences from the central meridian `longp1`
  // folded into -pi..pi, the map cut at +-pi; otherwise longitudes as they
  // come, and no cut within a small cell.
  bool folded = false;
  LongitudeBand band;
  // The caps of the poles: latitudes beyond +-pole_cap.
  double pole_cap = 0;
  std::array<SingularCircle, 3> circles{};
  std::size_t circle_count = 0;
};

// The singular places of the current code at latitude phi (the band of
// transverse Mercator depends on the hemisphere), as its entry in the table
// of codes gives their kind (projection/codes.hpp).
SingularPlaces singular_places(double phi);

// The current code's horizon, when its map shows only part of the globe:
// the rim of the orthographic and the perspective, the gnomonic's horizon
// at infinity; else nothing.
std::optional<SingularCircle> horizon_circle();

}  // namespace dorvix
