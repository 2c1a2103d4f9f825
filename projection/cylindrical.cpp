#include "projection/cylindrical.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/state.hpp"

namespace dorvix {

// ln tan(pi/4 + phi/2) = -ln tan(pi/4 - phi/2), and on the ellipsoid
// ln(tan(pi/4 + phi/2) ((1 - e sin phi)/(1 + e sin phi))^(e/2)) = -ln t(phi):
// the isometric latitude, from the sine and cosine of the latitude.
void mersphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real near_pole = angleradi.half_pi();
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    real Y = infinity_towards(phi);
    if (std::fabs(phi) < near_pole) Y = -ln_conformal_t(phi, std::sin(phi), std::cos(phi));
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(Y, y0);
  }
}

void merel2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real near_pole = angleradi.half_pi();
  const real e = ellipsoid.ecc;
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i], phi = lat[i];
    real Y = infinity_towards(phi);
    if (std::fabs(phi) < near_pole) Y = -ln_conformal_t(phi, std::sin(phi), std::cos(phi), e);
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
