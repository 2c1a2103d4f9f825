#pragma once
// The contract every forward map projection keeps.
//
// A projection routine takes n longitudes and latitudes (radians, east and
// north positive) and writes n plane coordinates, point by point in order.
// Each point's longitude and latitude are read before its x and y are
// written, so the output arrays may be the input arrays. Plane coordinates
// are in Earth radii (a sphere of radius 1, or an ellipsoid of equatorial
// radius 1), x growing eastwards and y northwards, less the projected origin
// (the offsets), so that the origin maps to (0, 0). No point is dropped.
//
// A point without a finite image (a pole under Mercator, the pole opposite
// the apex of a conic, the horizon of the gnomonic) and a point the
// projection cannot show (the far side of the orthographic, the part of the
// globe hidden from the viewpoint of the perspective) come out with
// +-1.0E20 in at least one coordinate, whatever the offsets: the drawing
// code breaks its line there. Nothing else that is not a finite number ever
// leaves a projection.

#include <cmath>
#include <cstddef>
#include <type_traits>

#include "geometry/angles.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The value that stands for a point at infinity.
inline constexpr real infinite_image = 1.0e20f;

// The helpers below are written for any floating type T: the program's
// maps are single precision (real); the same formulas in double precision
// measure a map's directions (map/map_directions.hpp).

// True when a projected point is at infinity (or hidden).
template <typename T>
bool at_infinity(T x, std::type_identity_t<T> y) {
  return !(std::fabs(x) < T(infinite_image)) || !(std::fabs(y) < T(infinite_image));
}

// +-1.0E20 with the sign of `direction` (a zero direction counts as
// positive).
template <typename T>
T infinity_towards(T direction) {
  return std::copysign(T(infinite_image), direction);
}

// The coordinate a projection stores: the projected value less its offset.
// A value at or beyond the sentinel stays the sentinel of its sign, and a
// value that is not a number (only possible for input that is not a point
// of the globe) becomes one: the result is always finite and never beyond
// +-1.0E20.
template <typename T>
T less_offset(T value, std::type_identity_t<T> offset) {
  const T infinite = infinite_image;
  if (std::fabs(value) < infinite) {
    const T r = value - offset;
    if (std::fabs(r) < infinite) return r;
    return r > T(0) ? infinite : -infinite;
  }
  return value > T(0) ? infinite : -infinite;
}

// The projections' tolerances, each named once. All three are the angle
// constants' 1.0E-5 (geometry/angles.hpp), by which the formulas also
// compare angles with pi/2 through `angleradi` and `anglerads`.
//
// A longitude difference this close to +-pi lies on the meridian opposite
// the central one, radians.
inline constexpr real cut_tolerance = angle_constants::tolerance;
// A point whose cosine of the angle from an azimuthal map's centre lies
// this close to that of the map's horizon lies on the horizon: the
// rotation of the oblique aspects holds the cosine to some 1.0E-7, and a
// point of the horizon must neither come out a rounding outside it, hidden
// (the rim of the orthographic and the perspective), nor a rounding inside
// it, at a huge finite place (the gnomonic's horizon, at infinity).
inline constexpr real horizon_tolerance = angle_constants::tolerance;
// A latitude this close to +-pi/2 is the pole, radians.
inline constexpr real pole_tolerance = angle_constants::tolerance;

// lon - lon0 brought into [-pi, pi], for the projections that read a
// central meridian: a map centred near the antimeridian keeps both of its
// sides together. A difference within `cut_tolerance` of +-pi keeps the
// sign it has before the reduction, so that the western edge of a map
// (lon0 - 180 degrees) stays on the western side and the eastern edge
// (lon0 + 180 degrees) on the eastern side. `two_pi` is twice `pi` (the
// angle constants' values); the reduction is exact in floating point.
template <typename T>
T wrapped_difference(T lon, std::type_identity_t<T> lon0, std::type_identity_t<T> pi, std::type_identity_t<T> two_pi) {
  const T d = lon - lon0;
  if (std::fabs(d) <= pi + T(cut_tolerance)) return d;
  const T r = std::remainder(d, two_pi);
  if (std::fabs(r) > pi - T(cut_tolerance)) return std::copysign(std::fabs(r), d);
  return r;
}

// The number of points of a call: nothing for n below 1.
inline std::size_t point_count(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace dorvix
