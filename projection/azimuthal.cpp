#include "projection/azimuthal.hpp"

#include <array>
#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/oblique.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

using Vector = std::array<real, 3>;

// X = rho sin lambda, Y = -rho cos lambda; rho at or beyond the sentinel
// stands for a point at infinity, laid out towards its azimuth.
void lay_out(real rho, real sin_lambda, real cos_lambda, real& X, real& Y) {
  if (std::fabs(rho) < infinite_image) {
    X = rho * sin_lambda;
    Y = -rho * cos_lambda;
  } else {
    X = infinity_towards(sin_lambda);
    Y = infinity_towards(-cos_lambda);
  }
}

// A polar azimuthal projection with the map radius rho(phi) of a latitude.
template <typename Radius>
void polar(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
           real xoff, real yoff, Radius radius) {
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real lambda = lon[i];
    const real rho = radius(lat[i]);
    real X, Y;
    lay_out(rho, std::sin(lambda), std::cos(lambda), X, Y);
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

// The largest angle c = A drawn from the centre, for the rotated unit
// vectors: c > A exactly when u'3 < cos A, for A between 0 and pi; beyond
// pi nothing is limited, below 0 everything is.
struct AngleLimit {
  bool never, always;
  real cos_limit;
  explicit AngleLimit(real limit)
      : never(!(limit < anglerad.pi())), always(limit < 0.0f), cos_limit(std::cos(limit)) {}
  bool operator()(const Vector& u) const { return !never && (always || u[2] < cos_limit); }
};

// Radius rho along the azimuth of the rotated vector u: the direction
// (u'2, -u'1) / sin c. The centre and its antipode have no azimuth of their
// own: they take longitude 0 of the frame, straight down, as the
// conversion to longitude and latitude would.
void along_azimuth(real rho, const Vector& u, real& X, real& Y) {
  const real h = std::sqrt(u[0] * u[0] + u[1] * u[1]);
  if (h > 0.0f) {
    lay_out(rho, u[1] / h, u[0] / h, X, Y);
  } else {
    lay_out(rho, 0.0f, 1.0f, X, Y);
  }
}

// The perspective seen along u3: u is the point's unit vector in the
// frame whose third axis points at the viewpoint, 1/sina Earth radii from
// the centre of the Earth.
void perspective_point(const Vector& u, real cosa, real sina, real& X, real& Y) {
  constexpr real horizon_tolerance = 1.0e-5f;
  const real divisor = 1.0f - sina * u[2];
  if (u[2] < sina - horizon_tolerance || !(divisor > 0.0f)) {  // hidden, or the viewpoint itself
    X = infinity_towards(u[1]);
    Y = infinity_towards(-u[0]);
    return;
  }
  const real k = cosa / divisor;
  X = k * u[1];
  Y = -k * u[0];
}

// Projects every point's unit vector, rotated by `ab` when Rotate, with
// `kernel(u, X, Y)`.
template <bool Rotate, typename Kernel>
void on_unit_vectors(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                     int n, real xoff, real yoff, Kernel kernel) {
  const Matrix33 ab = a2b.ab;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    Vector u = unit_vector(lon[i], lat[i]);
    if constexpr (Rotate) u = rotated(ab, u);
    real X, Y;
    kernel(u, X, Y);
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

}  // namespace

void lazea2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real half_pi = anglerad.half_pi(), limit = llpparam.anglep1;
  polar(x, y, lon, lat, n, llorig.xorigll, llorig.yorigll, [half_pi, limit](real phi) {
    real c = half_pi - phi;
    if (c > limit) c = limit;
    return std::sin(0.5f * c);
  });
}

void inverspsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  const real half_pi = anglerad.half_pi();
  const real near_right_angle = angleradi.half_pi();  // c/2 within 1.0E-5 of pi/2: the antipode
  const real limited = std::fabs(0.5f * anglemax) < near_right_angle ? std::tan(0.5f * anglemax) : infinite_image;
  polar(x, y, lon, lat, n, xoff, yoff, [=](real phi) {
    const real c = half_pi - phi;
    if (c > anglemax) return limited;
    if (!(std::fabs(0.5f * c) < near_right_angle)) return infinite_image;
    return half_colatitude_tangent(phi, std::sin(phi), std::cos(phi));  // tan(c/2)
  });
}

void orthogpsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  const real half_pi = anglerad.half_pi();
  const real horizon = anglerads.half_pi();  // pi/2 + 1.0E-5
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
  on_unit_vectors<true>(x, y, lon, lat, n, llorig.xorigll, llorig.yorigll, [](const Vector& u, real& X, real& Y) {
    X = u[1];
    Y = -u[0];
    if (u[2] < -horizon_tolerance) {  // the far hemisphere
      X = infinity_towards(X);
      Y = infinity_towards(Y);
    }
  });
}

void perspvpsll2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                 real cosa, real sina, real xoff, real yoff) {
  on_unit_vectors<false>(x, y, lon, lat, n, xoff, yoff,
                         [cosa, sina](const Vector& u, real& X, real& Y) { perspective_point(u, cosa, sina, X, Y); });
}

void persobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real sina = llpparam.pconst1, cosa = llpparam.pconst2;
  on_unit_vectors<true>(x, y, lon, lat, n, llorig.xorigll, llorig.yorigll,
                        [cosa, sina](const Vector& u, real& X, real& Y) { perspective_point(u, cosa, sina, X, Y); });
}

// rho(c) / sin c with cos c = u'3 and sin c = |(u'1, u'2)|:
//   equal-area  sin(c/2) / sin c = 1 / sqrt(2 (1 + cos c)) on the near side,
//               sin(c/2) = sqrt((1 - cos c)/2) on the far side;
//   inversion   tan(c/2) / sin c = 1 / (1 + cos c) on the near side,
//               tan(c/2) = (1 - cos c) / sin c on the far side;
//   gnomonic    tan c / sin c = 1 / cos c.
// Each form is taken where it does not cancel.
void lazea_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real limit = llpparam.anglep1;
  const AngleLimit limited(limit);
  const real limited_radius = std::sin(0.5f * limit);
  on_unit_vectors<true>(x, y, lon, lat, n, llorig.xorigll, llorig.yorigll, [&](const Vector& u, real& X, real& Y) {
    if (limited(u)) {
      along_azimuth(limited_radius, u, X, Y);
    } else if (u[2] >= 0.0f) {
      const real k = 1.0f / std::sqrt(2.0f * (1.0f + u[2]));
      X = k * u[1];
      Y = -k * u[0];
    } else {
      along_azimuth(std::sqrt(0.5f * (1.0f - u[2])), u, X, Y);
    }
  });
}

void inversion_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                       int n, real anglemax, real xoff, real yoff) {
  // The antipode: c/2 within 1.0E-5 of pi/2, that is sin c below 2.0E-5.
  constexpr real antipode = 2.0e-5f;
  const real near_right_angle = angleradi.half_pi();
  const AngleLimit limited(anglemax);
  const real limited_radius =
      std::fabs(0.5f * anglemax) < near_right_angle ? std::tan(0.5f * anglemax) : infinite_image;
  on_unit_vectors<true>(x, y, lon, lat, n, xoff, yoff, [&](const Vector& u, real& X, real& Y) {
    if (limited(u)) {
      along_azimuth(limited_radius, u, X, Y);
    } else if (u[2] >= 0.0f) {
      const real k = 1.0f / (1.0f + u[2]);
      X = k * u[1];
      Y = -k * u[0];
    } else {
      const real h = std::sqrt(u[0] * u[0] + u[1] * u[1]);
      along_azimuth(h > antipode ? (1.0f - u[2]) / h : infinite_image, u, X, Y);
    }
  });
}

void gnomonic_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                      int n, real xoff, real yoff) {
  on_unit_vectors<true>(x, y, lon, lat, n, xoff, yoff, [](const Vector& u, real& X, real& Y) {
    if (u[2] > 0.0f) {
      const real k = 1.0f / u[2];
      X = k * u[1];
      Y = -k * u[0];
    } else {  // the horizon and the far hemisphere
      X = infinity_towards(u[1]);
      Y = infinity_towards(-u[0]);
    }
  });
}

}  // namespace dorvix
