#pragma once
// Lambert conformal conic with two standard parallels `latp1` and `latp2`:
// code 3 on the sphere, code 4 on the ellipsoid. Central meridian
// `longp1`; the apex of the cone lies at Y = F on the central meridian and
// the equator crosses the central meridian at Y = 0. Arguments as in
// projection/contract.hpp.
//
// With t(p) = tan(pi/4 - p/2) / ((1 - e sin p)/(1 + e sin p))^(e/2) and
// m(p) = cos p / sqrt(1 - e^2 sin^2 p) (e = 0 on the sphere; Snyder, Map
// Projections: A Working Manual, eqs. 15-7 to 15-10):
//   n = (ln m1 - ln m2) / (ln t1 - ln t2),  F = m1 / (n t1^n),
//   r = t(phi)^n,  theta = n (lambda - longp1),
//   X = F r sin theta,  Y = F (1 - r cos theta).
//
// Degenerate parallels: equal parallels give the one-parallel cone
// n = sin latp1; parallels symmetric about the equator give n = 0, the cone
// opened into a cylinder: the map is then the limit of the formulas, the
// Mercator projection true to scale on both parallels (X = m1 d,
// Y = m1 ln tan(pi/4 + phi/2) on the sphere), and `pconst2` holds the
// cylinder's scale m1 instead of F. A standard parallel within 1.0E-5 of a
// pole (or beyond) defines no cone: `pconst2` is set to 1.0E20 and every
// point comes out at infinity.
//
// The pole at the apex maps to the apex; the opposite pole has no finite
// image (Y = -+1.0E20).

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// n and F of the sphere into `pconst1` and `pconst2`, from `latp1`, `latp2`.
void slcc2();
void lcc2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same on the ellipsoid of `ellipsoid`.
void slcce2();
void lcce2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void lcc2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);
void lcce2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);

}  // namespace dorvix
