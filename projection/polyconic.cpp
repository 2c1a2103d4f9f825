#include "projection/polyconic.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// The curvature 1/R of the circle of parallel phi in a polyconic of the
// ellipsoid, R = N cot phi = cot phi / sqrt(1 - e^2 sin^2 phi); signed like
// phi, zero on the equator.
template <typename T>
T parallel_curvature(T s, T c, T e2) {
  return s / c * std::sqrt(T(1) - e2 * s * s);
}

real parallel_curvature(real phi, real e2) { return parallel_curvature(std::sin(phi), std::cos(phi), e2); }

// The rise u = R - sg sqrt(R^2 - x^2) above the vertex of a parallel's
// circle at abscissa x, written x^2 k / (1 + sqrt(1 - (x k)^2)) with the
// curvature k = 1/R: exact for large radii, where the difference of two
// large numbers would not be. The circle is assumed to reach x.
template <typename T>
T rise(T x, T k) {
  const T xk = x * k;
  return x * xk / (T(1) + std::sqrt(T(1) - xk * xk));
}

template <typename T>
void polyconic(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T phi = lat[i];
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    T X = d, Y = T(0);
    if (phi != T(0)) {
      // With cot phi = cos phi / sin phi, sin E = 2 sin(E/2) cos(E/2) and
      // 1 - cos E = 2 sin^2(E/2), the last without cancellation.
      const T s = std::sin(phi), c = std::cos(phi);
      const T E = d * s;
      const T sh = std::sin(T(0.5f) * E), ch = std::cos(T(0.5f) * E);
      const T cot = c / s;
      X = T(2) * sh * ch * cot;
      Y = T(2) * sh * sh * cot + phi;
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

template <typename T>
void imw(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi(), near_pole = angleradi.half_pi();
  const T e2 = ellipsoid.ecc2;
  const ForImwPoly& c = forimwpoly;
  const bool no_sheet = !(std::fabs(c.imwc6) < infinite_image);
  const std::array<T, 2> sin_limit{std::sin(T(c.lat00[0])), std::sin(T(c.lat00[1]))};
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T phi = lat[i];
    const T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    T X = infinite_image, Y = infinite_image;
    if (no_sheet) {
      // every point at infinity
    } else if (phi == T(0)) {
      X = d;
      Y = T(0);
    } else {
      // Where the true-scale meridian crosses this parallel.
      const T sp = std::sin(phi), cp = std::cos(phi);
      const T M = meridian_distance(phi, sp, cp);
      const T xa = T(c.imwc3) + T(c.imwc4) * M;
      const T ya = T(c.imwc5) + T(c.imwc6) * M;
      // The meridian: the straight line through its points (g1, h1) and
      // (g2, h2 + imwc9) on the limiting parallels, x = g1 + P (y - h1).
      std::array<T, 2> g{}, h{};
      for (std::size_t k = 0; k < 2; ++k) {
        const T p = c.lat00[k];
        if (p == T(0)) {
          g[k] = d;
        } else {
          const T a = d * sin_limit[k];
          const T sh = std::sin(T(0.5f) * a), ch = std::cos(T(0.5f) * a);
          g[k] = T(c.r00[k]) * T(2) * sh * ch;
          h[k] = T(c.r00[k]) * T(2) * sh * sh;
        }
      }
      const T run = T(c.imwc9) + h[1] - h[0];
      if (run != T(0)) {
        const T P = (g[1] - g[0]) / run;
        const T one_p2 = T(1) + P * P;
        if (!(std::fabs(phi) < near_pole)) {
          // A pole: the circle shrinks to a point; the meridian's point
          // nearest the pole's place on the central meridian.
          X = (g[0] + P * (ya - h[0])) / one_p2;
          Y = ya;
        } else {
          // The parallel: the circle of radius R = 1/k centred on the
          // central meridian through (xa, ya); (0, v) is its vertex, the
          // point where it crosses the central meridian.
          const T k = parallel_curvature(sp, cp, e2);
          const T xk = xa * k;
          const T v = xk * xk <= T(1) ? ya - rise(xa, k) : ya - T(1) / k;
          // The meridian meets the circle where u = y - v solves
          // (1 + P^2) u^2 - 2 (R - a P) u + a^2 = 0, a being the meridian's
          // abscissa at the vertex; the root near the vertex is taken in
          // the form a^2 / (R - a P + sqrt(...)), scaled by k.
          const T a = g[0] + P * (v - h[0]);
          const T beta = T(1) - a * P * k;
          const T ak = a * k;
          const T disc = beta * beta - one_p2 * ak * ak;
          const T denominator = disc >= T(0) ? beta + std::sqrt(disc) : T(0);
          if (denominator > T(0)) {
            const T u = a * ak / denominator;
            X = a + P * u;
            Y = v + u;
          } else {
            // The meridian misses the circle: its point nearest the
            // circle's centre, taken over onto the circle.
            X = a + P * beta / (k * one_p2);
            const T Xk = X * k;
            Y = v + (Xk * Xk <= T(1) ? rise(X, k) : T(1) / k);
          }
        }
      }
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

}  // namespace

void simwpoly2() {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi(), near_pole = angleradi.half_pi();
  const real e2 = ellipsoid.ecc2;
  ForImwPoly& c = forimwpoly;
  const real L = wrapped_difference(llpparam.longp2, llpparam.longp1, pi, two_pi);
  c.lat00 = {llpparam.latp1, llpparam.latp2};
  std::array<real, 2> xs{}, ys{};
  for (std::size_t k = 0; k < 2; ++k) {
    real& p = c.lat00[k];
    const real curvature = p > near_pole ? 0.0f : parallel_curvature(p, e2);
    // A parallel whose circle is flatter than 1.0E-20 (a latitude within
    // about 1.0E-20 of the equator) is the equator in single precision.
    if (p != 0.0f && p <= near_pole && std::fabs(curvature) <= 1.0f / infinite_image) p = 0.0f;
    if (p == 0.0f) {
      xs[k] = L;
      ys[k] = 0.0f;
    } else if (p > near_pole) {
      c.r00[k] = 0.0f;
      xs[k] = 0.0f;
      ys[k] = 0.0f;
    } else {
      c.r00[k] = 1.0f / curvature;
      const real F = L * std::sin(p);
      const real sh = std::sin(0.5f * F);
      xs[k] = std::sin(F) / curvature;
      ys[k] = 2.0f * sh * sh / curvature;
    }
  }
  const real M1 = meridian_distance(c.lat00[0]), M2 = meridian_distance(c.lat00[1]);
  const real D = M2 - M1;
  if (D == 0.0f) {  // equal limiting parallels: no sheet
    c.imwc3 = c.imwc4 = c.imwc5 = c.imwc6 = infinite_image;
    c.imwc9 = 0.0f;
    return;
  }
  const real dx = xs[1] - xs[0];
  const real s = std::sqrt(non_negative(D * D - dx * dx));
  c.imwc9 = ys[0] + s - ys[1];
  c.imwc5 = (M2 * ys[0] - M1 * (ys[0] + s)) / D;
  c.imwc6 = s / D;
  c.imwc3 = (M2 * xs[0] - M1 * xs[1]) / D;
  c.imwc4 = dx / D;
}

void polyco2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  polyconic(x, y, lon, lat, n);
}
void polyco2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
             int n) {
  polyconic(x, y, lon, lat, n);
}

void imwpoly2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  imw(x, y, lon, lat, n);
}
void imwpoly2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n) {
  imw(x, y, lon, lat, n);
}

}  // namespace dorvix
