#include "projection/cylindrical.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/state.hpp"

namespace dorvix {

void mersphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real quarter_pi = anglerad(1), near_pole = angleradi(3);
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    const real Y = std::fabs(phi) < near_pole ? std::log(std::tan(quarter_pi + 0.5f * phi)) : infinity_towards(phi);
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(Y, y0);
  }
}

void merel2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real quarter_pi = anglerad(1), near_pole = angleradi(3);
  const real e = ellipsoid.ecc;
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    real Y = infinity_towards(phi);
    if (std::fabs(phi) < near_pole) {
      const real es = e * std::sin(phi);
      Y = std::log(std::tan(quarter_pi + 0.5f * phi) * std::pow((1.0f - es) / (1.0f + es), 0.5f * e));
    }
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(Y, y0);
  }
}

void lcnesphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(std::sin(phi), y0);
  }
}

}  // namespace dorvix
