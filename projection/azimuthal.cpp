#include "projection/azimuthal.hpp"

#include <array>
#include <cmath>

#include "catalogue/angles.hpp"
#include "catalogue/vectors.hpp"
#include "projection/contract.hpp"
#include "projection/oblique.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// A polar azimuthal projection with the map radius rho(phi) of a
// latitude; rho at or beyond the sentinel stands for a point at infinity,
// laid out towards its azimuth.
template <typename Radius>
void polar(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
           real xoff, real yoff, Radius radius) {
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i];
    const real rho = radius(lat[i]);
    const real s = std::sin(lambda), c = -std::cos(lambda);
    real X, Y;
    if (std::fabs(rho) < infinite_image) {
      X = rho * s;
      Y = rho * c;
    } else {
      X = infinity_towards(s);
      Y = infinity_towards(c);
    }
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

std::array<real, 3> unit_vector(real lon, real lat) {
  std::array<real, 3> u{};
  ll2ccn(std::span(&u[0], 1), std::span(&u[1], 1), std::span(&u[2], 1), std::span(&lon, 1), std::span(&lat, 1), 1);
  return u;
}

// The perspective seen along u3: u is the point's unit vector in the
// frame whose third axis points at the viewpoint.
void perspective_point(const std::array<real, 3>& u, real cosa, real sina, real& X, real& Y) {
  constexpr real horizon_tolerance = 1.0e-5f;
  const real divisor = 1.0f - sina * u[2];
  if (u[2] < sina - horizon_tolerance || !(divisor > 0.0f)) {
    X = infinity_towards(u[1]);
    Y = infinity_towards(-u[0]);
    return;
  }
  const real k = cosa / divisor;
  X = k * u[1];
  Y = -k * u[0];
}

}  // namespace

void lazea2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real half_pi = anglerad(3), limit = llpparam.anglep1;
  polar(x, y, lon, lat, n, llorig.xorigll, llorig.yorigll, [half_pi, limit](real phi) {
    real c = half_pi - phi;
    if (c > limit) c = limit;
    return std::sin(0.5f * c);
  });
}

void inverspsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  const real half_pi = anglerad(3);
  const real near_right_angle = angleradi(3);  // c/2 within 1.0E-5 of pi/2: the antipode
  polar(x, y, lon, lat, n, xoff, yoff, [half_pi, anglemax, near_right_angle](real phi) {
    real c = half_pi - phi;
    if (c > anglemax) c = anglemax;
    const real half = 0.5f * c;
    return std::fabs(half) < near_right_angle ? std::tan(half) : infinite_image;
  });
}

void orthogpsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  const real half_pi = anglerad(3);
  const real horizon = anglerads(3);  // pi/2 + 1.0E-5
  polar(x, y, lon, lat, n, xoff, yoff, [half_pi, anglemax, horizon](real phi) {
    real c = half_pi - phi;
    if (c > anglemax) c = anglemax;
    return c <= horizon ? std::sin(c) : infinite_image;
  });
}

void gnomopsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
               real xoff, real yoff) {
  polar(x, y, lon, lat, n, xoff, yoff, [](real phi) {
    const real s = std::sin(phi);
    return s > 0.0f ? std::cos(phi) / s : infinite_image;
  });
}

void orthobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  constexpr real horizon_tolerance = 1.0e-5f;
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    auto u = unit_vector(lon[i], lat[i]);
    cca2ccb(u, u);
    real X = u[1], Y = -u[0];
    if (u[2] < -horizon_tolerance) {
      X = infinity_towards(X);
      Y = infinity_towards(Y);
    }
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

void perspvpsll2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                 real cosa, real sina, real xoff, real yoff) {
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const auto u = unit_vector(lon[i], lat[i]);
    real X, Y;
    perspective_point(u, cosa, sina, X, Y);
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

void persobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real sina = llpparam.pconst1, cosa = llpparam.pconst2;
  const real x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    auto u = unit_vector(lon[i], lat[i]);
    cca2ccb(u, u);
    real X, Y;
    perspective_point(u, cosa, sina, X, Y);
    x[i] = less_offset(X, x0);
    y[i] = less_offset(Y, y0);
  }
}

}  // namespace dorvix
