#include "projection/pseudocylindrical.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/state.hpp"

namespace dorvix {

void sanflamsph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    x[i] = less_offset(lambda * std::cos(phi), x0);
    y[i] = less_offset(phi, y0);
  }
}

void mollw2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  constexpr real two_over_pi = 0.63661975f;
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi(), to_degrees = anglerad.deg_per_rad(), to_radians = anglerad.rad_per_deg();
  const real lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const real degrees = lat[i] * to_degrees;
    const real a = std::fabs(degrees);
    // The whole degrees, truncated, at most 90 (tested before the
    // conversion, which a latitude far out of range would overflow).
    const int k = a < 90.0f ? static_cast<int>(a) : 90;
    const real f = a - static_cast<real>(k);
    const std::size_t j = static_cast<std::size_t>(k);
    real theta = std::fabs(rmolle[j] + f * (rmolle[j + 1] - rmolle[j]));
    if (degrees < 0.0f) theta = -theta;
    theta = theta * to_radians;
    x[i] = less_offset(two_over_pi * d * std::cos(theta), x0);
    y[i] = less_offset(std::sin(theta), y0);
  }
}

}  // namespace dorvix
