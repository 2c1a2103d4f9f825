#pragma once
// Normal cylindrical projections, central meridian at longitude 0:
// Mercator on the sphere (code 15, the initial code) and on the ellipsoid
// (code 16), and Lambert's cylindrical equal-area on the sphere (code 23).
// Arguments as in projection/contract.hpp.

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// X = lambda, Y = ln tan(pi/4 + phi/2). The poles have no finite image: a
// latitude within 1.0E-5 of a pole (where single precision has no usable
// value left) gives Y = +-1.0E20.
void mersphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// X = lambda, Y = the isometric latitude
// ln(tan(pi/4 + phi/2) ((1 - e sin phi)/(1 + e sin phi))^(e/2)); poles as
// for mersphe2.
void merel2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// X = lambda, Y = sin phi: the equator true to scale.
void lcnesphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void mersphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n);
void merel2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);
void lcnesphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n);

}  // namespace dorvix
