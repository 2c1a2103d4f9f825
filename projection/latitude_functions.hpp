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

// e atanh(e s) = (e/2) ln((1 + e s)/(1 - e s)), the ellipsoid's share of
// the isometric latitude. For |e s| below 0.1 (every terrestrial
// ellipsoid, e < 0.083) the series x + x^3/3 + x^5/5 + x^7/7 of atanh
// stops below 1.2E-9 of its value, well within single precision, and takes
// no logarithm.
inline real e_atanh(real e, real s) {
  const real x = e * s;
  if (!(std::fabs(x) < 0.1f)) return 0.5f * e * std::log((1.0f + x) / (1.0f - x));
  const real x2 = x * x;
  return e * x * (1.0f + x2 * (1.0f / 3.0f + x2 * (1.0f / 5.0f + x2 * (1.0f / 7.0f))));
}

// exp(z) near zero, |z| < 0.01, where the series to z^4/24 stops below
// 1.0E-12 of its value; std::exp beyond.
inline real exp_near_zero(real z) {
  if (!(std::fabs(z) < 0.01f)) return std::exp(z);
  return 1.0f + z * (1.0f + z * (0.5f + z * (1.0f / 6.0f + z * (1.0f / 24.0f))));
}

// ln of the conformal latitude function of the ellipsoid,
// t(phi) = tan(pi/4 - phi/2) / ((1 - e sin phi)/(1 + e sin phi))^(e/2),
// that is minus the isometric latitude.
inline real ln_conformal_t(real phi, real s, real c, real e) {
  return std::log(half_colatitude_tangent(phi, s, c)) + e_atanh(e, s);
}

// The same on the sphere (e = 0).
inline real ln_conformal_t(real phi, real s, real c) { return std::log(half_colatitude_tangent(phi, s, c)); }

// max(v, 0), and 0 for a value that is not a number: the argument of a
// square root that vanishes in exact arithmetic but may round below zero.
inline real non_negative(real v) { return v > 0.0f ? v : 0.0f; }

}  // namespace dorvix
