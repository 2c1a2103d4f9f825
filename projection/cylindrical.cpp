#include "projection/cylindrical.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// ln tan(pi/4 + phi/2) = -ln tan(pi/4 - phi/2), and on the ellipsoid
// ln(tan(pi/4 + phi/2) ((1 - e sin phi)/(1 + e sin phi))^(e/2)) = -ln t(phi):
// the isometric latitude, from the sine and cosine of the latitude.
template <bool Ellipsoidal, typename T>
void mercator(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T near_pole = angleradi.half_pi();
  const T e = ellipsoid.ecc;
  const T x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i], phi = lat[i];
    T Y = infinity_towards(phi);
    if (std::fabs(phi) < near_pole) {
      if constexpr (Ellipsoidal) {
        Y = -ln_conformal_t(phi, std::sin(phi), std::cos(phi), e);
      } else {
        Y = -ln_conformal_t(phi, std::sin(phi), std::cos(phi));
      }
    }
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(Y, y0);
  }
}

template <typename T>
void equal_area(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i], phi = lat[i];
    x[i] = less_offset(lambda, x0);
    y[i] = less_offset(std::sin(phi), y0);
  }
}

}  // namespace

void mersphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  mercator<false>(x, y, lon, lat, n);
}
void mersphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n) {
  mercator<false>(x, y, lon, lat, n);
}

void merel2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  mercator<true>(x, y, lon, lat, n);
}
void merel2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  mercator<true>(x, y, lon, lat, n);
}

void lcnesphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  equal_area(x, y, lon, lat, n);
}
void lcnesphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n) {
  equal_area(x, y, lon, lat, n);
}

}  // namespace dorvix
