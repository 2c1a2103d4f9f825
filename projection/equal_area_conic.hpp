#pragma once
// Equal-area conic and pseudoconic projections of the sphere, central
// meridian at longitude 0: Albers with one standard parallel (code 19),
// Bonne (code 20) and its polar case Werner (code 21). Arguments as in
// projection/contract.hpp.

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// Albers constants from `latp1`: pconst1 = n = sin latp1,
// pconst2 = cos latp1, pconst3 = 1 + n^2.
void salbesph2();
// rho = sqrt(1 + n^2 - 2 n sin phi), theta = n lambda,
// X = rho sin theta / n, Y = (cos latp1 - rho cos theta) / n: Y = 0 where
// the standard parallel crosses the central meridian. With the standard
// parallel on the equator (n = 0) the map is the limit of these formulas,
// the cylindrical equal-area projection X = lambda, Y = sin phi.
void albesph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Bonne constants from `latp1`: pconst1 = cot latp1,
// pconst2 = cot latp1 + latp1. With the standard parallel on the equator
// the apex is at infinity and both are set to 1.0E20.
void sbonnesph2();
// rho = pconst2 - phi, E = lambda cos phi / rho, X = rho sin E,
// Y = pconst1 - rho cos E (the apex itself, rho = 0, maps to (0, pconst1)).
// With the apex at infinity the map is the limit of these formulas, the
// sinusoidal projection X = lambda cos phi, Y = phi.
void bonnesph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Bonne with its standard parallel at the north pole: rho = pi/2 - phi,
// E = lambda cos phi / rho, X = rho sin E, Y = -rho cos E; the north pole
// maps to the centre.
void wernesphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void albesph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n);
void bonnesph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n);
void wernesphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n);

}  // namespace dorvix
