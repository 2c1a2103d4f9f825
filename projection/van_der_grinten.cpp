#include "projection/van_der_grinten.hpp"

#include <cmath>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/latitude_functions.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// |X| and |Y| of the point a = |phi|, b = |d| (radians, b either 0 or not
// below half a degree), in units of pi.
//
// The meridian's circle, through both poles and (b/pi, 0), has its centre
// at (-z, 0) with z = (pi/b - b/pi)/2 and radius w, w^2 - z^2 = 1, so it is
// x^2 + y^2 + 2 z x = 1. The parallel's circle, through (0, g) and the
// point (s, q) of the bounding circle, has its centre at (0, v) and radius
// u = (h^2 + s^2) / (2h), h = q - g, v = u + g. The two circles meet on
// their radical line z x + v y = (1 + g^2 + 2 u g)/2, written
// y = y0 - m x; its intersection with the meridian's circle on the side
// x > 0 is the point. Every quantity is formed without subtracting nearly
// equal numbers (h in particular from its closed form), and without
// dividing by h, which vanishes towards the equator where the parallel's
// circle opens into the straight line y = g: the construction of the
// circles keeps single-precision accuracy over the whole map.
template <typename T>
void quadrant_point(T a, T b, T pi, T& X, T& Y) {
  X = T(0);
  Y = T(0);
  if (a == T(0) && b == T(0)) return;
  const T inverse_pi = T(1) / pi;
  if (a == T(0)) {  // the equator
    X = b * inverse_pi;
    return;
  }
  const T t = T(2) * a * inverse_pi;
  // sqrt(1 - 4a^2/pi^2), bounded below by 0 against the rounding of a
  // latitude at 90 degrees.
  const T c = std::sqrt(non_negative((T(1) - t) * (T(1) + t)));
  const T r1 = T(1) / (T(1) + c);
  const T g = t * r1;  // where the parallel crosses the central meridian
  if (b == T(0)) {
    Y = g;
    return;
  }
  if (!(std::fabs(a - T(0.5f) * pi) > T(pole_tolerance))) {  // a pole
    Y = T(1);
    return;
  }
  // q = a/(pi - a) = t/(2 - t); 1 - q = 2(1 - t)/(2 - t);
  // h = q - g = t^2 (1 + c - t) / ((2 - t)(1 + c)^2).
  const T r2 = T(1) / (T(2) - t);
  const T q = t * r2;
  const T s = std::sqrt(non_negative(T(2) * (T(1) - t) * r2 * (T(1) + q)));
  const T h = t * t * (T(1) + c - t) * r2 * r1 * r1;
  // y0 = K / v and m = z / v with v = (h^2 + s^2 + 2gh) / (2h).
  const T z = T(0.5f) * (pi / b - b * inverse_pi);
  const T h2s2 = h * h + s * s;
  const T inverse_span = T(1) / (h2s2 + T(2) * g * h);
  const T y0 = ((T(1) + g * g) * h + g * h2s2) * inverse_span;
  const T m = T(2) * z * h * inverse_span;
  // (1 + m^2) x^2 + 2 B x - C = 0, B = z - y0 m, C = 1 - y0^2: the positive
  // root, in the form that does not cancel.
  const T B = z - y0 * m;
  const T C = non_negative((T(1) - y0) * (T(1) + y0));
  const T root = std::sqrt(B * B + (T(1) + m * m) * C);
  if (B >= T(0)) {
    X = root > T(0) ? C / (B + root) : T(0);
  } else {
    X = (root - B) / (T(1) + m * m);
  }
  Y = y0 - m * X;
}

template <typename T>
void van_der_grinten(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  const T pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const T near_central = central_meridian_band_degrees * anglerad.rad_per_deg();
  const T lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const T phi = lat[i];
    T d = wrapped_difference(lon[i], lon0, pi, two_pi);
    if (std::fabs(d) < near_central) d = T(0);
    T X, Y;
    quadrant_point(std::fabs(phi), std::fabs(d), pi, X, Y);
    x[i] = less_offset(d > T(0) ? X : -X, x0);
    y[i] = less_offset(phi >= T(0) ? Y : -Y, y0);
  }
}

}  // namespace

void grinte2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  van_der_grinten(x, y, lon, lat, n);
}
void grinte2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
             int n) {
  van_der_grinten(x, y, lon, lat, n);
}

}  // namespace dorvix
