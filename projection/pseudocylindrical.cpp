#include "projection/pseudocylindrical.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

template <typename T>
void sinusoidal(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i], phi = lat[i];
    x[i] = less_offset(lambda * std::cos(phi), x0);
    y[i] = less_offset(phi, y0);
  }
}

template <typename T>
void mollweide(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T two_over_pi = T(0.63661975f);
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi(), to_degrees = anglerad.deg_per_rad(),
          to_radians = anglerad.rad_per_deg();
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const T degrees = lat[i] * to_degrees;
    const T a = std::fabs(degrees);
    // The whole degrees, truncated, at most 90 (tested before the
    // conversion, which a latitude far out of range would overflow).
    const int k = a < T(90) ? static_cast<int>(a) : 90;
    const T f = a - static_cast<T>(k);
    const std::size_t j = static_cast<std::size_t>(k);
    T theta = std::fabs(T(rmolle[j]) + f * (T(rmolle[j + 1]) - T(rmolle[j])));
    if (degrees < T(0)) theta = -theta;
    theta = theta * to_radians;
    x[i] = less_offset(two_over_pi * d * std::cos(theta), x0);
    y[i] = less_offset(std::sin(theta), y0);
  }
}

}  // namespace

void sanflamsph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  sinusoidal(x, y, lon, lat, n);
}
void sanflamsph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                 int n) {
  sinusoidal(x, y, lon, lat, n);
}

void mollw2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  mollweide(x, y, lon, lat, n);
}
void mollw2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  mollweide(x, y, lon, lat, n);
}

}  // namespace dorvix
