#include "projection/transverse_mercator.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/state.hpp"

namespace dorvix {

void tm2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi(), half_pi = anglerad.half_pi(), three_half_pi = anglerad.three_half_pi();
  const real below = angleradi.half_pi(), above = anglerads.half_pi();  // pi/2 -+ 1.0E-5
  const real lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real phi = lat[i];
    const real d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const real sp = std::sin(phi), cp = std::cos(phi), sd = std::sin(d), cd = std::cos(d);
    const real b = cp * sd;
    const real X = std::fabs(b) < 1.0f ? 0.5f * std::log((1.0f + b) / (1.0f - b)) : infinity_towards(b);
    const real ad = std::fabs(d);
    const bool at_pole = !(std::fabs(phi) < below);
    // atan(tan phi / cos d), with tan phi = sin phi / cos phi.
    real Y;
    if (ad < below) {  // the near side of the globe
      Y = at_pole ? (phi > 0.0f ? half_pi : -half_pi) : std::atan(sp / (cp * cd));
    } else if (ad > above) {  // the far side, above the north pole
      Y = at_pole ? (phi > 0.0f ? half_pi : three_half_pi) : std::atan(sp / (cp * cd)) + pi;
    } else {  // 90 degrees from the central meridian
      Y = phi == 0.0f ? 0.0f : (phi > 0.0f ? half_pi : -half_pi);
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

void tme2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const real e2 = ellipsoid.ecc2, ep2 = ellipsoid.eccp2;
  const real lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real phi = lat[i];
    const real d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const real s = std::sin(phi), c = std::cos(phi), t = s / c;
    const real N = 1.0f / std::sqrt(1.0f - e2 * s * s);
    const real T = t * t;
    const real C = ep2 * c * c;
    const real A = d * c;
    const real A2 = A * A;
    const real M = meridian_distance(phi, s, c);
    const real X = N * A *
                   (1.0f + (1.0f - T + C) * A2 / 6.0f +
                    (5.0f - 18.0f * T + T * T + 72.0f * C - 58.0f * ep2) * A2 * A2 / 120.0f);
    const real Y = M + N * t *
                           (A2 / 2.0f + (5.0f - T + 9.0f * C + 4.0f * C * C) * A2 * A2 / 24.0f +
                            (61.0f - 58.0f * T + T * T + 600.0f * C - 330.0f * ep2) * A2 * A2 * A2 / 720.0f);
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

}  // namespace dorvix
