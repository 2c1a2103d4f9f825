#include "projection/van_der_grinten.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
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
void quadrant_point(real a, real b, real pi, real& X, real& Y) {
  constexpr real pole_tolerance = 1.0e-5f;
  X = 0.0f;
  Y = 0.0f;
  if (a == 0.0f && b == 0.0f) return;
  const real inverse_pi = 1.0f / pi;
  if (a == 0.0f) {  // the equator
    X = b * inverse_pi;
    return;
  }
  const real t = 2.0f * a * inverse_pi;
  // sqrt(1 - 4a^2/pi^2), bounded below by 0 against the rounding of a
  // latitude at 90 degrees.
  const real c = std::sqrt(non_negative((1.0f - t) * (1.0f + t)));
  const real r1 = 1.0f / (1.0f + c);
  const real g = t * r1;  // where the parallel crosses the central meridian
  if (b == 0.0f) {
    Y = g;
    return;
  }
  if (!(std::fabs(a - 0.5f * pi) > pole_tolerance)) {  // a pole
    Y = 1.0f;
    return;
  }
  // q = a/(pi - a) = t/(2 - t); 1 - q = 2(1 - t)/(2 - t);
  // h = q - g = t^2 (1 + c - t) / ((2 - t)(1 + c)^2).
  const real r2 = 1.0f / (2.0f - t);
  const real q = t * r2;
  const real s = std::sqrt(non_negative(2.0f * (1.0f - t) * r2 * (1.0f + q)));
  const real h = t * t * (1.0f + c - t) * r2 * r1 * r1;
  // y0 = K / v and m = z / v with v = (h^2 + s^2 + 2gh) / (2h).
  const real z = 0.5f * (pi / b - b * inverse_pi);
  const real h2s2 = h * h + s * s;
  const real inverse_span = 1.0f / (h2s2 + 2.0f * g * h);
  const real y0 = ((1.0f + g * g) * h + g * h2s2) * inverse_span;
  const real m = 2.0f * z * h * inverse_span;
  // (1 + m^2) x^2 + 2 B x - C = 0, B = z - y0 m, C = 1 - y0^2: the positive
  // root, in the form that does not cancel.
  const real B = z - y0 * m;
  const real C = non_negative((1.0f - y0) * (1.0f + y0));
  const real root = std::sqrt(B * B + (1.0f + m * m) * C);
  if (B >= 0.0f) {
    X = root > 0.0f ? C / (B + root) : 0.0f;
  } else {
    X = (root - B) / (1.0f + m * m);
  }
  Y = y0 - m * X;
}

}  // namespace

void grinte2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const real near_central = central_meridian_band_degrees * anglerad.rad_per_deg();
  const real lon0 = llpparam.longp1, x0 = llorig.xorigll, y0 = llorig.yorigll;
  for (std::size_t i = 0; i < point_count(n); ++i) {
    const real phi = lat[i];
    real d = wrapped_difference(lon[i], lon0, pi, two_pi);
    if (std::fabs(d) < near_central) d = 0.0f;
    real X, Y;
    quadrant_point(std::fabs(phi), std::fabs(d), pi, X, Y);
    x[i] = less_offset(d > 0.0f ? X : -X, x0);
    y[i] = less_offset(phi >= 0.0f ? Y : -Y, y0);
  }
}

}  // namespace dorvix
