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

#include "console/real.hpp"

namespace dorvix {

// The value that stands for a point at infinity.
inline constexpr real infinite_image = 1.0e20f;

// True when a projected point is at infinity (or hidden).
inline bool at_infinity(real x, real y) {
  return !(std::fabs(x) < infinite_image) || !(std::fabs(y) < infinite_image);
}

// +-1.0E20 with the sign of `direction` (a zero direction counts as
// positive).
inline real infinity_towards(real direction) { return std::copysign(infinite_image, direction); }

// The coordinate a projection stores: the projected value less its offset.
// A value at or beyond the sentinel stays the sentinel of its sign, and a
// value that is not a number (only possible for input that is not a point
// of the globe) becomes one: the result is always finite and never beyond
// +-1.0E20.
inline real less_offset(real value, real offset) {
  if (std::fabs(value) < infinite_image) {
    const real r = value - offset;
    if (std::fabs(r) < infinite_image) return r;
    return r > 0.0f ? infinite_image : -infinite_image;
  }
  return value > 0.0f ? infinite_image : -infinite_image;
}

// How close to the meridian opposite the central one a longitude
// difference counts as lying on it, radians.
inline constexpr real cut_tolerance = 1.0e-5f;

// lon - lon0 brought into [-pi, pi], for the projections that read a
// central meridian: a map centred near the antimeridian keeps both of its
// sides together. A difference within `cut_tolerance` of +-pi keeps the
// sign it has before the reduction, so that the western edge of a map
// (lon0 - 180 degrees) stays on the western side and the eastern edge
// (lon0 + 180 degrees) on the eastern side. `two_pi` is twice `pi` (the
// angle constants' values); the reduction is exact in floating point.
inline real wrapped_difference(real lon, real lon0, real pi, real two_pi) {
  const real d = lon - lon0;
  if (std::fabs(d) <= pi + cut_tolerance) return d;
  const real r = std::remainder(d, two_pi);
  if (std::fabs(r) > pi - cut_tolerance) return std::copysign(std::fabs(r), d);
  return r;
}

// The number of points of a call: nothing for n below 1.
inline std::size_t point_count(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace dorvix
