#include "projection/transverse_mercator.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

template <typename T>
void sphere(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi(), half_pi = anglerad.half_pi(),
          three_half_pi = anglerad.three_half_pi();
  const T below = angleradi.half_pi(), above = far_side_edge();  // pi/2 -+ 1.0E-5
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T phi = lat[i];
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const T sp = std::sin(phi), cp = std::cos(phi), sd = std::sin(d), cd = std::cos(d);
    const T b = cp * sd;
    const T X = std::fabs(b) < T(1) ? T(0.5f) * std::log((T(1) + b) / (T(1) - b)) : infinity_towards(b);
    const T ad = std::fabs(d);
    const bool at_pole = !(std::fabs(phi) < below);
    // atan(tan phi / cos d), with tan phi = sin phi / cos phi.
    T Y;
    if (ad < below) {  // the near side of the globe
      Y = at_pole ? (phi > T(0) ? half_pi : -half_pi) : std::atan(sp / (cp * cd));
    } else if (ad > above) {  // the far side, above the north pole
      Y = at_pole ? (phi > T(0) ? half_pi : three_half_pi) : std::atan(sp / (cp * cd)) + pi;
    } else {  // 90 degrees from the central meridian
      Y = phi == T(0) ? T(0) : (phi > T(0) ? half_pi : -half_pi);
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

template <typename T>
void ellipsoidal(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const T e2 = ellipsoid.ecc2, ep2 = ellipsoid.eccp2;
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T phi = lat[i];
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    const T s = std::sin(phi), c = std::cos(phi), t = s / c;
    const T N = T(1) / std::sqrt(T(1) - e2 * s * s);
    const T Tt = t * t;
    const T C = ep2 * c * c;
    const T A = d * c;
    const T A2 = A * A;
    const T M = meridian_distance(phi, s, c);
    const T X = N * A *
                (T(1) + (T(1) - Tt + C) * A2 / T(6) +
                 (T(5) - T(18) * Tt + Tt * Tt + T(72) * C - T(58) * ep2) * A2 * A2 / T(120));
    const T Y = M + N * t *
                        (A2 / T(2) + (T(5) - Tt + T(9) * C + T(4) * C * C) * A2 * A2 / T(24) +
                         (T(61) - T(58) * Tt + Tt * Tt + T(600) * C - T(330) * ep2) * A2 * A2 * A2 / T(720));
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

}  // namespace

void tm2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  sphere(x, y, lon, lat, n);
}
void tm2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  sphere(x, y, lon, lat, n);
}

void tme2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  ellipsoidal(x, y, lon, lat, n);
}
void tme2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  ellipsoidal(x, y, lon, lat, n);
}

}  // namespace dorvix
