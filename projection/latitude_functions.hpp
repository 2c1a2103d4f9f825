#pragma once
// Functions of latitude shared by the conformal projections, evaluated
// from the sine and cosine of the latitude in the forms that keep their
// relative precision up to both poles (single precision has no other
// margin there).

#include <cmath>

#include "numbers/real.hpp"

namespace dorvix {

// Each function is written for any floating type T (the program's real,
// or double for measuring directions).

// tan(pi/4 - phi/2), from s = sin phi and c = cos phi: c / (1 + s) in the
// north, (1 - s) / c in the south (Snyder, Map Projections: A Working
// Manual, eq. 15-9 with e = 0). Zero at the north pole, unbounded at the
// south pole; callers keep the poles themselves out.
template <typename T>
T half_colatitude_tangent(T phi, T s, T c) {
  return phi >= T(0) ? c / (T(1) + s) : (T(1) - s) / c;
}

// e atanh(e s) = (e/2) ln((1 + e s)/(1 - e s)), the ellipsoid's share of
// the isometric latitude. For |e s| below 0.1 (every terrestrial
// ellipsoid, e < 0.083) the series x + x^3/3 + x^5/5 + x^7/7 of atanh
// stops below 1.2E-9 of its value, well within single precision, and takes
// no logarithm.
template <typename T>
T e_atanh(T e, T s) {
  const T x = e * s;
  if (!(std::fabs(x) < T(0.1f))) return T(0.5f) * e * std::log((T(1) + x) / (T(1) - x));
  const T x2 = x * x;
  return e * x * (T(1) + x2 * (T(1) / T(3) + x2 * (T(1) / T(5) + x2 * (T(1) / T(7)))));
}

// exp(z) near zero, |z| < 0.01, where the series to z^4/24 stops below
// 1.0E-12 of its value; std::exp beyond.
template <typename T>
T exp_near_zero(T z) {
  if (!(std::fabs(z) < T(0.01f))) return std::exp(z);
  return T(1) + z * (T(1) + z * (T(0.5f) + z * (T(1) / T(6) + z * (T(1) / T(24)))));
}

// ln of the conformal latitude function of the ellipsoid,
// t(phi) = tan(pi/4 - phi/2) / ((1 - e sin phi)/(1 + e sin phi))^(e/2),
// that is minus the isometric latitude.
template <typename T>
T ln_conformal_t(T phi, T s, T c, T e) {
  return std::log(half_colatitude_tangent(phi, s, c)) + e_atanh(e, s);
}

// The same on the sphere (e = 0).
template <typename T>
T ln_conformal_t(T phi, T s, T c) {
  return std::log(half_colatitude_tangent(phi, s, c));
}

// max(v, 0), and 0 for a value that is not a number: the argument of a
// square root that vanishes in exact arithmetic but may round below zero.
template <typename T>
T non_negative(T v) {
  return v > T(0) ? v : T(0);
}

}  // namespace dorvix
