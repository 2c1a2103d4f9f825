#pragma once
// Polyconic projections: the (American) polyconic of the sphere (code 13)
// and the modified polyconic of the International Map of the World on the
// ellipsoid (code 14, Lallemand's). Central meridian `longp1`. Arguments as
// in projection/contract.hpp.

#include <array>
#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// d = lambda - longp1; on the equator X = d, Y = 0; elsewhere E = d sin phi,
// X = sin E / tan phi, Y = (1 - cos E) / tan phi + phi. Every parallel is
// true to scale; the equator is the reference parallel.
void polyco2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The constants of code 14. The sheet lies between the limiting parallels
// phi_1 = lat00(1) and phi_2 = lat00(2); the meridian at L = longp2 - longp1
// from the central one is true to scale. With, for k = 1, 2, Mk the
// meridian distance of phi_k and (xk, yk) the point of the true-scale
// meridian on the k-th limiting parallel, D = M2 - M1 and
// s = sqrt(max(0, D^2 - (x2 - x1)^2)):
struct ForImwPoly {
  std::array<real, 2> lat00{};  // the limiting parallels
  real imwc3 = 0;               // (M2 x1 - M1 x2) / D
  real imwc4 = 0;               // (x2 - x1) / D
  real imwc5 = 0;               // (M2 y1 - M1 (y1 + s)) / D
  real imwc6 = 0;               // s / D
  std::array<real, 2> r00{};    // radius of each limiting parallel, cot phi_k / sqrt(1 - e^2 sin^2 phi_k)
  real imwc9 = 0;               // y1 + s - y2, the shift of the second limiting parallel
};
inline ForImwPoly forimwpoly;

// Sets `forimwpoly` from `latp1`, `latp2`, `longp1`, `longp2` and the
// ellipsoid. Equal limiting parallels (D = 0) define no sheet: imwc3 to
// imwc6 are then set to 1.0E20 and every point comes out at infinity.
void simwpoly2();

// Parallels are circular arcs centred on the central meridian, each through
// the point where the true-scale meridian crosses it (that point moving
// linearly with the meridian distance between its positions on the two
// limiting parallels); meridians are the straight lines through their
// points on the two limiting parallels. On the equator X = d, Y = 0. The
// first limiting parallel crosses the central meridian at Y = 0.
void imwpoly2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void polyco2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);
void imwpoly2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n);

}  // namespace dorvix
