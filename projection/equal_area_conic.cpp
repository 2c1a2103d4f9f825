#include "projection/equal_area_conic.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/cylindrical.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/pseudocylindrical.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// The pseudoconic of Bonne and Werner: parallels are circles about the
// apex (0, apex_y), of radius rho = apex_distance - phi, each true to
// scale. apex_y and apex_distance are cot and cot + latitude of the
// standard parallel.
template <typename T>
void pseudoconic(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T apex_y,
                 T apex_distance) {
  const T x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i], phi = lat[i];
    const T rho = apex_distance - phi;
    T X = T(0), Y = apex_y;
    if (rho != T(0)) {
      const T E = lambda * std::cos(phi) / rho;
      X = rho * std::sin(E);
      Y = apex_y - rho * std::cos(E);
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

template <typename T>
void albers(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T cone = llpparam.pconst1, cos1 = llpparam.pconst2, c = llpparam.pconst3;
  if (cone == T(0)) {
    lcnesphe2(x, y, lon, lat, n);
    return;
  }
  const T x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i], phi = lat[i];
    const T s = std::sin(phi);
    // c - 2 n sin phi >= (1 - |n|)^2 >= 0; the bound only guards rounding.
    const T rho = std::sqrt(non_negative(c - T(2) * cone * s));
    const T theta = cone * lambda;
    // cos latp1 - rho cos theta = (cos^2 latp1 - rho^2)/(cos latp1 + rho)
    // + 2 rho sin^2(theta/2), and cos^2 latp1 - rho^2 = 2n (sin phi - n):
    // Y without the cancellation that a parallel near the equator (small
    // n) would suffer. sin theta = 2 sin(theta/2) cos(theta/2).
    const T sum = cos1 + rho;
    const T sh = std::sin(T(0.5f) * theta), ch = std::cos(T(0.5f) * theta);
    const T Y =
        sum > T(0) ? T(2) * (s - cone) / sum + T(2) * rho * sh * sh / cone : (cos1 - rho * std::cos(theta)) / cone;
    x[i] = less_offset(T(2) * rho * sh * ch / cone, x0);
    y[i] = less_offset(Y, y0);
  }
}

template <typename T>
void bonne(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  if (std::fabs(llpparam.pconst1) < infinite_image) {
    pseudoconic(x, y, lon, lat, n, T(llpparam.pconst1), T(llpparam.pconst2));
  } else {
    sanflamsph2(x, y, lon, lat, n);
  }
}

}  // namespace

void salbesph2() {
  const real phi1 = llpparam.latp1;
  const real n = std::sin(phi1);
  llpparam.pconst1 = n;
  llpparam.pconst2 = std::cos(phi1);
  llpparam.pconst3 = 1.0f + n * n;
}

void albesph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  albers(x, y, lon, lat, n);
}
void albesph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n) {
  albers(x, y, lon, lat, n);
}

void sbonnesph2() {
  const real phi1 = llpparam.latp1;
  const real s = std::sin(phi1);
  if (s == 0.0f) {
    llpparam.pconst1 = infinite_image;
    llpparam.pconst2 = infinite_image;
    return;
  }
  const real cot = std::cos(phi1) / s;
  llpparam.pconst1 = cot;
  llpparam.pconst2 = cot + phi1;
}

void bonnesph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  bonne(x, y, lon, lat, n);
}
void bonnesph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n) {
  bonne(x, y, lon, lat, n);
}

void wernesphe2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  pseudoconic(x, y, lon, lat, n, 0.0f, anglerad.half_pi());
}
void wernesphe2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n) {
  pseudoconic(x, y, lon, lat, n, 0.0, double(anglerad.half_pi()));
}

}  // namespace dorvix
