#pragma once
// Van der Grinten's projection of the sphere (code 25), central meridian
// `longp1`, in units of pi Earth radii: the whole globe fills the unit
// circle. Arguments as in projection/contract.hpp.
//
// Each point is the intersection of its parallel's circle with its
// meridian's circle. For a = |phi| and b = |d| (d = lambda - longp1, taken
// as 0 within half a degree of the central meridian), the parallel crosses
// the central meridian at g = (2a/pi) / (1 + sqrt(1 - 4a^2/pi^2)) and meets
// the bounding circle at (s, q), q = a / (pi - a),
// s = sqrt(1 - a^2/(pi - a)^2); the meridian's circle passes through both
// poles and through (b/pi, 0). These are the published coordinates (Snyder,
// Map Projections: A Working Manual, eqs. 29-1 to 29-9) divided by pi.
// Signs follow the quadrant of (d, phi); the poles map to (0, +-1).

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// Half the width of the band of longitude around the central meridian
// whose points are put on that meridian, degrees.
inline constexpr real central_meridian_band_degrees = 0.5f;

void grinte2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void grinte2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);

}  // namespace dorvix
