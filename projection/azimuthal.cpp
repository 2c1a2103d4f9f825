#include "projection/azimuthal.hpp"

#include <array>
#include <cmath>
#include <type_traits>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/oblique.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

template <typename T>
using Vector = std::array<T, 3>;

// X = rho sin lambda, Y = -rho cos lambda; rho at or beyond the sentinel
// stands for a point at infinity, laid out towards its azimuth.
template <typename T>
void lay_out(T rho, T sin_lambda, T cos_lambda, T& X, T& Y) {
  if (std::fabs(rho) < T(infinite_image)) {
    X = rho * sin_lambda;
    Y = -rho * cos_lambda;
  } else {
    X = infinity_towards(sin_lambda);
    Y = infinity_towards(-cos_lambda);
  }
}

// A polar azimuthal projection with the map radius rho(phi) of a latitude.
template <typename T, typename Radius>
void polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T xoff, T yoff,
           Radius radius) {
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T lambda = lon[i];
    const T rho = radius(lat[i]);
    T X, Y;
    lay_out(rho, std::sin(lambda), std::cos(lambda), X, Y);
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

// The largest angle c = A drawn from the centre, for the rotated unit
// vectors: c > A exactly when u'3 < cos A, for A between 0 and pi; beyond
// pi nothing is limited, below 0 everything is.
template <typename T>
struct AngleLimit {
  bool never, always;
  T cos_limit;
  explicit AngleLimit(T limit) : never(!(limit < T(anglerad.pi()))), always(limit < T(0)), cos_limit(std::cos(limit)) {}
  bool operator()(const Vector<T>& u) const { return !never && (always || u[2] < cos_limit); }
};

// Radius rho along the azimuth of the rotated vector u: the direction
// (u'2, -u'1) / sin c. The centre and its antipode have no azimuth of their
// own: they take longitude 0 of the frame, straight down, as the
// conversion to longitude and latitude would.
template <typename T>
void along_azimuth(T rho, const Vector<T>& u, T& X, T& Y) {
  const T h = std::sqrt(u[0] * u[0] + u[1] * u[1]);
  if (h > T(0)) {
    lay_out(rho, u[1] / h, u[0] / h, X, Y);
  } else {
    lay_out(rho, T(0), T(1), X, Y);
  }
}

// The perspective seen along u3: u is the point's unit vector in the
// frame whose third axis points at the viewpoint, 1/sina Earth radii from
// the centre of the Earth.
template <typename T>
void perspective_point(const Vector<T>& u, T cosa, T sina, T& X, T& Y) {
  const T divisor = T(1) - sina * u[2];
  if (u[2] < sina - T(horizon_tolerance) || !(divisor > T(0))) {  // hidden, or the viewpoint itself
    X = infinity_towards(u[1]);
    Y = infinity_towards(-u[0]);
    return;
  }
  const T k = cosa / divisor;
  X = k * u[1];
  Y = -k * u[0];
}

// Projects every point's unit vector, rotated by `ab` when Rotate, with
// `kernel(u, X, Y)`.
template <bool Rotate, typename T, typename Kernel>
void on_unit_vectors(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T xoff,
                     T yoff, Kernel kernel) {
  // `ab` as stored for the program's map; made orthonormal for the map in
  // double precision.
  const auto ab = [] {
    if constexpr (std::is_same_v<T, real>) {
      return a2b.ab;
    } else {
      return orthonormal(a2b.ab);
    }
  }();
  for (std::size_t i = 0; i < point_count(n); ++i) {
    Vector<T> u = unit_vector(lon[i], lat[i]);
    if constexpr (Rotate) u = rotated(ab, u);
    T X, Y;
    kernel(u, X, Y);
    x[i] = less_offset(X, xoff);
    y[i] = less_offset(Y, yoff);
  }
}

template <typename T>
void lazea_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T half_pi = anglerad.half_pi(), limit = llpparam.anglep1;
  polar(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll), [half_pi, limit](T phi) {
    T c = half_pi - phi;
    if (c > limit) c = limit;
    return std::sin(T(0.5f) * c);
  });
}

template <typename T>
void inversion_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T anglemax,
                     T xoff, T yoff) {
  const T half_pi = anglerad.half_pi();
  const T near_right_angle = angleradi.half_pi();  // c/2 within 1.0E-5 of pi/2: the antipode
  const T infinite = infinite_image;
  const T limited = std::fabs(T(0.5f) * anglemax) < near_right_angle ? std::tan(T(0.5f) * anglemax) : infinite;
  polar(x, y, lon, lat, n, xoff, yoff, [=](T phi) {
    const T c = half_pi - phi;
    if (c > anglemax) return limited;
    if (!(std::fabs(T(0.5f) * c) < near_right_angle)) return infinite;
    return half_colatitude_tangent(phi, std::sin(phi), std::cos(phi));  // tan(c/2)
  });
}

template <typename T>
void orthographic_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n,
                        T anglemax, T xoff, T yoff) {
  const T half_pi = anglerad.half_pi();
  const T horizon = anglerads.half_pi();  // pi/2 + 1.0E-5
  polar(x, y, lon, lat, n, xoff, yoff, [half_pi, anglemax, horizon](T phi) {
    T c = half_pi - phi;
    if (c > anglemax) c = anglemax;
    return c <= horizon ? std::sin(c) : T(infinite_image);
  });
}

template <typename T>
void gnomonic_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T xoff,
                    T yoff) {
  polar(x, y, lon, lat, n, xoff, yoff, [](T phi) {
    const T s = std::sin(phi);
    return s > T(0) ? std::cos(phi) / s : T(infinite_image);
  });
}

template <typename T>
void orthographic_oblique(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  on_unit_vectors<true>(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll), [](const Vector<T>& u, T& X, T& Y) {
    X = u[1];
    Y = -u[0];
    if (u[2] < -T(horizon_tolerance)) {  // the far hemisphere
      X = infinity_towards(X);
      Y = infinity_towards(Y);
    }
  });
}

template <typename T>
void perspective_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T cosa,
                       T sina, T xoff, T yoff) {
  on_unit_vectors<false>(x, y, lon, lat, n, xoff, yoff,
                         [cosa, sina](const Vector<T>& u, T& X, T& Y) { perspective_point(u, cosa, sina, X, Y); });
}

template <typename T>
void perspective_oblique(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T sina = llpparam.pconst1, cosa = llpparam.pconst2;
  on_unit_vectors<true>(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll),
                        [cosa, sina](const Vector<T>& u, T& X, T& Y) { perspective_point(u, cosa, sina, X, Y); });
}

// rho(c) / sin c with cos c = u'3 and sin c = |(u'1, u'2)|:
//   equal-area  sin(c/2) / sin c = 1 / sqrt(2 (1 + cos c)) on the near side,
//               sin(c/2) = sqrt((1 - cos c)/2) on the far side;
//   inversion   tan(c/2) / sin c = 1 / (1 + cos c) on the near side,
//               tan(c/2) = (1 - cos c) / sin c on the far side;
//   gnomonic    tan c / sin c = 1 / cos c.
// Each form is taken where it does not cancel.
template <typename T>
void lazea_rotated(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T limit = llpparam.anglep1;
  const AngleLimit<T> limited(limit);
  const T limited_radius = std::sin(T(0.5f) * limit);
  on_unit_vectors<true>(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll), [&](const Vector<T>& u, T& X, T& Y) {
    if (limited(u)) {
      along_azimuth(limited_radius, u, X, Y);
    } else if (u[2] >= T(0)) {
      const T k = T(1) / std::sqrt(T(2) * (T(1) + u[2]));
      X = k * u[1];
      Y = -k * u[0];
    } else {
      along_azimuth(std::sqrt(T(0.5f) * (T(1) - u[2])), u, X, Y);
    }
  });
}

template <typename T>
void inversion_rotated(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n,
                       T anglemax, T xoff, T yoff) {
  // The antipode: c/2 within the angle constants' tolerance of pi/2 (as
  // inverspsll takes it), that is sin c below twice that tolerance.
  const T antipode = T(2) * T(angle_constants::tolerance);
  const T near_right_angle = angleradi.half_pi();
  const T infinite = infinite_image;
  const AngleLimit<T> limited(anglemax);
  const T limited_radius = std::fabs(T(0.5f) * anglemax) < near_right_angle ? std::tan(T(0.5f) * anglemax) : infinite;
  on_unit_vectors<true>(x, y, lon, lat, n, xoff, yoff, [&](const Vector<T>& u, T& X, T& Y) {
    if (limited(u)) {
      along_azimuth(limited_radius, u, X, Y);
    } else if (u[2] >= T(0)) {
      const T k = T(1) / (T(1) + u[2]);
      X = k * u[1];
      Y = -k * u[0];
    } else {
      const T h = std::sqrt(u[0] * u[0] + u[1] * u[1]);
      along_azimuth(h > antipode ? (T(1) - u[2]) / h : infinite, u, X, Y);
    }
  });
}

template <typename T>
void gnomonic_rotated(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n, T xoff,
                      T yoff) {
  // A point of the horizon comes out of the rotation a rounding off it,
  // either side: on the horizon all the same, at infinity as on the polar
  // aspect's equator.
  on_unit_vectors<true>(x, y, lon, lat, n, xoff, yoff, [](const Vector<T>& u, T& X, T& Y) {
    if (u[2] > T(horizon_tolerance)) {
      const T k = T(1) / u[2];
      X = k * u[1];
      Y = -k * u[0];
    } else {  // the horizon and the far hemisphere
      X = infinity_towards(u[1]);
      Y = infinity_towards(-u[0]);
    }
  });
}

}  // namespace

void lazea2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  lazea_polar(x, y, lon, lat, n);
}
void lazea2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n) {
  lazea_polar(x, y, lon, lat, n);
}

void inverspsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  inversion_polar(x, y, lon, lat, n, anglemax, xoff, yoff);
}
void inverspsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n, double anglemax, double xoff, double yoff) {
  inversion_polar(x, y, lon, lat, n, anglemax, xoff, yoff);
}

void orthogpsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff) {
  orthographic_polar(x, y, lon, lat, n, anglemax, xoff, yoff);
}
void orthogpsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n, double anglemax, double xoff, double yoff) {
  orthographic_polar(x, y, lon, lat, n, anglemax, xoff, yoff);
}

void orthobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  orthographic_oblique(x, y, lon, lat, n);
}
void orthobl2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n) {
  orthographic_oblique(x, y, lon, lat, n);
}

void perspvpsll2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                 real cosa, real sina, real xoff, real yoff) {
  perspective_polar(x, y, lon, lat, n, cosa, sina, xoff, yoff);
}
void perspvpsll2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                 int n, double cosa, double sina, double xoff, double yoff) {
  perspective_polar(x, y, lon, lat, n, cosa, sina, xoff, yoff);
}

void persobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  perspective_oblique(x, y, lon, lat, n);
}
void persobl2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n) {
  perspective_oblique(x, y, lon, lat, n);
}

void gnomopsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
               real xoff, real yoff) {
  gnomonic_polar(x, y, lon, lat, n, xoff, yoff);
}
void gnomopsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n, double xoff, double yoff) {
  gnomonic_polar(x, y, lon, lat, n, xoff, yoff);
}

void lazea_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  lazea_rotated(x, y, lon, lat, n);
}
void lazea_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                   int n) {
  lazea_rotated(x, y, lon, lat, n);
}

void inversion_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                       int n, real anglemax, real xoff, real yoff) {
  inversion_rotated(x, y, lon, lat, n, anglemax, xoff, yoff);
}
void inversion_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon,
                       std::span<const double> lat, int n, double anglemax, double xoff, double yoff) {
  inversion_rotated(x, y, lon, lat, n, anglemax, xoff, yoff);
}

void gnomonic_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                      real xoff, real yoff) {
  gnomonic_rotated(x, y, lon, lat, n, xoff, yoff);
}
void gnomonic_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon,
                      std::span<const double> lat, int n, double xoff, double yoff) {
  gnomonic_rotated(x, y, lon, lat, n, xoff, yoff);
}

}  // namespace dorvix
