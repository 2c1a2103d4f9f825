#include "projection/lambert_conic.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// Sets pconst1 = n and pconst2 = F (or the cylinder's scale, or 1.0E20)
// for the standard parallels of llpparam and the eccentricity e.
//
// n is the ratio of two differences of nearly equal values when the
// parallels are close; both differences are computed from the half sum
// sigma and half difference delta of the parallels, so that n keeps its
// precision down to parallels one rounding step apart:
//   cos p1 - cos p2 = -2 sin sigma sin delta,
//   sin p1 - sin p2 = 2 cos sigma sin delta,
//   sin^2 p2 - sin^2 p1 = -sin 2sigma sin 2delta,
//   ln t(p) = -atanh(sin p) + e atanh(e sin p)  (minus the isometric latitude),
//   atanh a - atanh b = atanh((a - b)/(1 - ab)).
void derive_cone(real e) {
  const real lat1 = llpparam.latp1, lat2 = llpparam.latp2;
  const real near_pole = angleradi.half_pi();
  if (!(std::fabs(lat1) < near_pole) || !(std::fabs(lat2) < near_pole)) {
    llpparam.pconst1 = 0.0f;
    llpparam.pconst2 = infinite_image;
    return;
  }
  const real e2 = e * e;
  const real s1 = std::sin(lat1), s2 = std::sin(lat2), c1 = std::cos(lat1), c2 = std::cos(lat2);
  real n = s1;  // equal parallels: the cone tangent along latp1
  if (lat1 != lat2) {
    const real sigma = 0.5f * (lat1 + lat2), delta = 0.5f * (lat1 - lat2);
    const real sin_delta = std::sin(delta);
    const real ln_m_difference =
        std::log1p(-2.0f * std::sin(sigma) * sin_delta / c2) -
        0.5f * std::log1p(-e2 * std::sin(2.0f * sigma) * std::sin(2.0f * delta) / (1.0f - e2 * s2 * s2));
    const real ds = 2.0f * std::cos(sigma) * sin_delta;
    const real ln_t_difference = -std::atanh(ds / (1.0f - s1 * s2)) + e * std::atanh(e * ds / (1.0f - e2 * s1 * s2));
    n = ln_m_difference / ln_t_difference;
  }
  const real m1 = c1 / std::sqrt(1.0f - e2 * s1 * s1);
  llpparam.pconst1 = n;
  if (n == 0.0f) {
    llpparam.pconst2 = m1;
  } else {
    llpparam.pconst2 = m1 / (n * std::exp(n * ln_conformal_t(lat1, s1, c1, e)));
  }
}

// The direct form F (1 - r cos theta) loses some 6.0E-8 F to rounding, and
// F grows as 1/n while the map does not: below |n| = 0.1 (parallels nearly
// symmetric about the equator) the form without cancellation is used.
constexpr real flat_cone = 0.1f;

template <bool Ellipsoidal, typename T>
void conformal_conic(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int count, T e) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi(), near_pole = angleradi.half_pi();
  const T n = llpparam.pconst1, F = llpparam.pconst2;
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  const bool no_cone = !(std::fabs(F) < T(infinite_image));
  const bool flat = std::fabs(n) < T(flat_cone);
  for (std::size_t i = 0; i < point_count(count); ++i) {
    const T phi = lat[i];
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    T X = infinite_image, Y = infinite_image;
    if (no_cone) {
      // every point at infinity
    } else if (std::fabs(phi) < near_pole) {
      const T s = std::sin(phi), c = std::cos(phi);
      const auto ln_t = [&] {
        if constexpr (Ellipsoidal) {
          return ln_conformal_t(phi, s, c, e);
        } else {
          return ln_conformal_t(phi, s, c);
        }
      };
      if (n == T(0)) {  // the cylinder: Mercator at scale F
        X = F * d;
        Y = -F * ln_t();
      } else if (!flat) {
        // t^n, as one power of tan(pi/4 - phi/2) (no logarithm and
        // exponential), times the ellipsoid's exp(n e atanh(e s)).
        T r = std::pow(half_colatitude_tangent(phi, s, c), n);
        if constexpr (Ellipsoidal) r *= exp_near_zero(n * e_atanh(e, s));
        const T theta = n * d;
        X = F * r * std::sin(theta);
        Y = F * (T(1) - r * std::cos(theta));
      } else {
        // r = 1 + q with q = expm1(n ln t), and 1 - r cos theta written as
        // 2 sin^2(theta/2) - q cos theta.
        const T q = std::expm1(n * ln_t());
        const T half = T(0.5f) * n * d;
        const T sh = std::sin(half), ch = std::cos(half);
        const T one_less_cos = T(2) * sh * sh;
        X = F * (T(1) + q) * (T(2) * sh * ch);
        Y = F * (one_less_cos - q * (T(1) - one_less_cos));
      }
    } else if (n == T(0)) {  // the poles of the cylinder
      X = F * d;
      Y = infinity_towards(phi);
    } else if ((phi > T(0)) == (n > T(0))) {  // the pole at the apex
      X = T(0);
      Y = F;
    } else {  // the opposite pole
      X = T(0);
      Y = infinity_towards(-F);
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

}  // namespace

void slcc2() { derive_cone(0.0f); }

void lcc2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  conformal_conic<false>(x, y, lon, lat, n, 0.0f);
}
void lcc2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  conformal_conic<false>(x, y, lon, lat, n, 0.0);
}

void slcce2() { derive_cone(ellipsoid.ecc); }

void lcce2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  conformal_conic<true>(x, y, lon, lat, n, ellipsoid.ecc);
}
void lcce2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  conformal_conic<true>(x, y, lon, lat, n, double(ellipsoid.ecc));
}

}  // namespace dorvix
