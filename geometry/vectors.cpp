#include "geometry/vectors.hpp"

#include <algorithm>
#include <cmath>

#include "geometry/angles.hpp"
#include "geometry/notices.hpp"

namespace dorvix {

namespace {

std::size_t count(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

// How far cc2lln lets its input stray from unit length (both are pure
// numbers, the length of a unit vector being 1). A squared length within
// unit_square_tolerance of 1 (a length within about 2.5E-5, some 200
// single-precision steps, as rounding in a computed unit vector leaves it)
// is used as it is; a longer or shorter vector is normalised, and one
// whose length is more than unit_length_warning off, four times as far,
// was never meant to be a unit vector: it is also reported.
constexpr real unit_square_tolerance = 5.0e-5f;
constexpr real unit_length_warning = 1.0e-4f;

void not_unit(int n, int i, real vx, real vy, real vz, real r) {
  if (geometry_notices.vector_not_unit) geometry_notices.vector_not_unit(n, i, vx, vy, vz, r);
}

}  // namespace

void ll2ccn(std::span<real> x, std::span<real> y, std::span<real> z, std::span<const real> lon,
            std::span<const real> lat, int n) {
  for (std::size_t i = 0; i < count(n); ++i) {
    const real lo = lon[i], la = lat[i];
    const real c = std::cos(la);
    x[i] = c * std::cos(lo);
    y[i] = c * std::sin(lo);
    z[i] = std::sin(la);
  }
}

void cc2lln(std::span<real> lon, std::span<real> lat, std::span<const real> vx, std::span<const real> vy,
            std::span<const real> vz, int n) {
  for (std::size_t i = 0; i < count(n); ++i) {
    real x = vx[i], y = vy[i], z = vz[i];
    const real s = x * x + y * y + z * z;
    if (std::fabs(s - 1.0f) > unit_square_tolerance) {
      const real r = std::sqrt(s);
      if (std::fabs(r - 1.0f) > unit_length_warning) not_unit(n, static_cast<int>(i + 1), x, y, z, r);
      if (r > 0.0f) {
        x /= r;
        y /= r;
        z /= r;
      }
    }
    real longitude = 0.0f;
    if (x > 0.0f) {
      longitude = std::atan(y / x);
    } else if (x < 0.0f) {
      longitude = y >= 0.0f ? std::atan(y / x) + anglerad.pi() : std::atan(y / x) - anglerad.pi();
    } else if (y > 0.0f) {
      longitude = anglerad.half_pi();
    } else if (y < 0.0f) {
      longitude = -anglerad.half_pi();
    }
    lon[i] = longitude;
    lat[i] = std::asin(std::clamp(z, -1.0f, 1.0f));
  }
}

void scalprodn(std::span<real> result, std::span<const real> ua, std::span<const real> va, int m, int n) {
  const std::size_t mm = count(m);
  for (std::size_t j = 0; j < count(n); ++j) {
    real sum = 0.0f;
    for (std::size_t i = 0; i < mm; ++i) sum = sum + ua[j * mm + i] * va[j * mm + i];
    result[j] = sum;
  }
}

void vecnorm(std::span<real> result, std::span<const real> v, int m, int n) {
  scalprodn(result, v, v, m, n);
  for (std::size_t j = 0; j < count(n); ++j) result[j] = std::sqrt(result[j]);
}

void vecprod3d(std::span<real> wa, std::span<const real> ua, std::span<const real> va, int n) {
  for (std::size_t j = 0; j < count(n); ++j) {
    const real* a = &ua[3 * j];
    const real* b = &va[3 * j];
    const real w1 = a[1] * b[2] - a[2] * b[1];
    const real w2 = a[2] * b[0] - a[0] * b[2];
    const real w3 = a[0] * b[1] - a[1] * b[0];
    wa[3 * j] = w1;
    wa[3 * j + 1] = w2;
    wa[3 * j + 2] = w3;
  }
}

void moduri(std::span<int> iout, std::span<const int> iin, int m, int n) {
  for (std::size_t i = 0; i < count(n); ++i) {
    const int v = iin[i];
    if (m <= 0) {
      iout[i] = v;  // no range to wrap into; never a division by zero
    } else if (v > m) {
      const int r = v % m;
      iout[i] = r == 0 ? m : r;
    } else if (v >= 1) {
      iout[i] = v;
    } else {
      iout[i] = v % m + m;
    }
  }
}

}  // namespace dorvix
