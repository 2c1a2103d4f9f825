#pragma once
// Vector helpers on points of the unit sphere and on 3-vectors, n items at
// a time. Earth-centred right-handed frame: x towards longitude 0 on the
// equator, y towards 90 degrees east, z towards the north pole. Angles in
// radians. Arrays of m-vectors are flat, the m components of each vector
// consecutive. A count n of 0 or less does nothing; outputs may be the very
// arrays of the inputs (each item is read before it is written).

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

void ll2ccn(std::span<real> x, std::span<real> y, std::span<real> z, std::span<const real> lon,
            std::span<const real> lat, int n);
// Longitude in (-pi, pi] and latitude of n vectors; a vector far from unit
// length is normalised, and told (geometry/notices.hpp) when
// |r - 1| > 1.0E-4.
void cc2lln(std::span<real> lon, std::span<real> lat, std::span<const real> vx, std::span<const real> vy,
            std::span<const real> vz, int n);
void scalprodn(std::span<real> result, std::span<const real> ua, std::span<const real> va, int m, int n);
void vecnorm(std::span<real> result, std::span<const real> v, int m, int n);
void vecprod3d(std::span<real> wa, std::span<const real> ua, std::span<const real> va, int n);
// Each integer wrapped into 1..m: 4 -> 1, 0 -> 3, -1 -> 2 for m = 3. With m
// of 0 or less the integers are copied unchanged.
void moduri(std::span<int> iout, std::span<const int> iin, int m, int n);

}  // namespace dorvix
