// Principal axes of a fault plane by elementary rotations.

#include "stereonet/principal_axes.hpp"

#include <algorithm>
#include <cmath>

#include "geometry/angles.hpp"
#include "geometry/euler.hpp"

namespace dorvix {

namespace {

constexpr std::size_t at(int i, int j) { return static_cast<std::size_t>((i - 1) + 3 * (j - 1)); }

// A matrix from its rows.
Mat33 from_rows(real r11, real r12, real r13, real r21, real r22, real r23, real r31, real r32, real r33) {
  return {r11, r21, r31, r12, r22, r32, r13, r23, r33};
}

}  // namespace

void xrot(Mat33& r, real a) {
  const real c = std::cos(a), s = std::sin(a);
  r = from_rows(1, 0, 0, 0, c, -s, 0, s, c);
}

void yrot(Mat33& r, real a) {
  const real c = std::cos(a), s = std::sin(a);
  r = from_rows(c, 0, s, 0, 1, 0, -s, 0, c);
}

void zrot(Mat33& r, real a) {
  const real c = std::cos(a), s = std::sin(a);
  r = from_rows(c, -s, 0, s, c, 0, 0, 0, 1);
}

void m33x33(Mat33& a, const Mat33& b, const Mat33& c) {
  Mat33 product{};
  for (int j = 1; j <= 3; ++j) {
    for (int i = 1; i <= 3; ++i) {
      real sum = 0.0f;
      for (int k = 1; k <= 3; ++k) sum += b[at(i, k)] * c[at(k, j)];
      product[at(i, j)] = sum;
    }
  }
  a = product;
}

void xy2t(std::span<real> t, std::span<const real> x, std::span<const real> y, int n) {
  const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
  for (std::size_t i = 0; i < count; ++i) t[i] = panglerad(x[i], y[i]);
}

void fsadr2steff(AxisAngles& azsr, AxisAngles& plsr, real strike, real dip, real rake, real phi) {
  const real theta = phi / 2.0f - anglerad.quarter_pi();
  Mat33 m1, m2, m3, m4;
  zrot(m1, -rake);
  xrot(m2, dip);
  zrot(m3, strike);
  yrot(m4, theta);
  Mat33 sg0;
  m33x33(sg0, m1, m4);
  m33x33(sg0, m2, sg0);
  m33x33(sg0, m3, sg0);
  for (int j = 1; j <= 3; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    xy2t(std::span(&azsr[k], 1), std::span(&sg0[at(1, j)], 1), std::span(&sg0[at(2, j)], 1), 1);
    // A unit column whose vertical part rounds beyond 1 is still vertical.
    plsr[k] = std::asin(std::clamp(sg0[at(3, j)], -1.0f, 1.0f));
  }
}

void seffapfadrrad(AxisAngles& azsr, AxisAngles& plsr, real strike, real dip, real rake, real phi) {
  fsadr2steff(azsr, plsr, strike, dip, rake, phi);
}

}  // namespace dorvix
