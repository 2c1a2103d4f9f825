#pragma once
// Functions of latitude shared by the conformal projections, evaluated
// from the sine and cosine of the latitude in the forms that keep their
// relative precision up to both poles (single precision has no other
// margin there).

#include <cmath>

#include "console/real.hpp"

namespace dorvix {

// tan(pi/4 - phi/2), from s = sin phi and c = cos phi: c / (1 + s) in the
// north, (1 - s) / c in the south (Snyder, Map Projections: A Working
// Manual, eq. 15-9 with e = 0). Zero at the north pole, unbounded at the
// south pole; callers keep the poles themselves out.
inline real half_colatitude_tangent(real phi, real s, real c) { return phi >= 0.0f ? c / (1.0f + s) : (1.0f - s) / c; }

// ln of the conformal latitude function of the ellipsoid,
// t(phi) = tan(pi/4 - phi/2) / ((1 - e sin phi)/(1 + e sin phi))^(e/2),
// that is minus the isometric latitude.
inline real ln_conformal_t(real phi, real s, real c, real e) {
  const real es = e * s;
  return std::log(half_colatitude_tangent(phi, s, c)) + 0.5f * e * std::log((1.0f + es) / (1.0f - es));
}

// The same on the sphere (e = 0).
inline real ln_conformal_t(real phi, real s, real c) { return std::log(half_colatitude_tangent(phi, s, c)); }

// max(v, 0), and 0 for a value that is not a number: the argument of a
// square root that vanishes in exact arithmetic but may round below zero.
inline real non_negative(real v) { return v > 0.0f ? v : 0.0f; }

}  // namespace dorvix
