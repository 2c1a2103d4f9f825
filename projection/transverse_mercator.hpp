#pragma once
// Transverse Mercator: code 1 on the sphere, code 2 on the ellipsoid.
// Central meridian `longp1`, true to scale (no scale factor); the equator
// is the origin of y. Arguments as in projection/contract.hpp.

#include <span>

#include "geometry/angles.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Where the far side starts: |d| beyond pi/2 + 1.0E-5.
inline real far_side_edge() { return anglerads.half_pi(); }

// Sphere. With B = cos phi sin d (d = lambda - longp1):
// X = 0.5 ln((1 + B)/(1 - B)), +-1.0E20 for B = +-1 (the equator 90 degrees
// from the central meridian); Y = atan(tan phi / cos d), the hemisphere
// beyond 90 degrees from the central meridian laid out above the north pole
// (Y between pi/2 and 3 pi/2) rather than split between top and bottom.
// The far side's southern quarter thus lies 2 pi above the near side's:
// the map is cut along the southern halves of the two meridians 90 degrees
// from the central one. Points within 1.0E-5 of those meridians
// (far_side_edge) belong to the near side: Y = +-pi/2, the limit of the
// near side's map.
void tm2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Ellipsoid of `ellipsoid`: the series of Snyder, Map Projections: A Working
// Manual (1987), eqs. 8-9 and 8-10, in powers of A = d cos phi to A^6.
// Accurate near the central meridian; the error grows quickly beyond some
// 10 degrees from it, and the series means nothing beyond 90 degrees.
void tme2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void tm2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);
void tme2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);

}  // namespace dorvix
