#include "geometry/euler.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "geometry/angles.hpp"
#include "geometry/notices.hpp"

namespace dorvix {

namespace {

// Tolerance of a vertical s3: eight steps of the last place beyond +-1.
constexpr real one_plus_eps = 1.0f + 0x1p-20f;

std::size_t at(int i, int j, std::size_t k) {
  return static_cast<std::size_t>(i - 1) + 3 * static_cast<std::size_t>(j - 1) + 9 * k;
}

// How many entries the arrays can hold: ndim, or less when a span is
// shorter than ndim entries.
std::size_t capacity(int ndim, std::size_t matrices, std::size_t a, std::size_t b, std::size_t c) {
  const std::size_t declared = static_cast<std::size_t>(std::max(ndim, 0));
  return std::min({declared, matrices / 9, a, b, c});
}

// A count beyond the arrays is a fault of the caller: after the entries
// that fit, the run stops, as an index out of bounds would stop it.
[[noreturn]] void out_of_bounds(std::string_view routine, std::size_t entry, std::size_t size) {
  if (geometry_notices.arrays_too_short) geometry_notices.arrays_too_short(routine, entry, size);
  std::abort();  // the notice ends the run; without one nothing may go on either
}

// Element (3,3) found at v and clamped to reset, told with its tolerance.
void report_clamp(std::size_t k, real v, real reset) {
  if (!geometry_notices.vertical_clamped) return;
  const bool within_rounding = v > 1.0f ? v <= one_plus_eps : v >= -one_plus_eps;
  geometry_notices.vertical_clamped(k, v, reset, within_rounding);
}

}  // namespace

void eu2se123(std::span<real> se, std::span<const real> phi, std::span<const real> theta,
              std::span<const real> psi, int n, int ndim) {
  if (n < 1) return;
  const std::size_t size = capacity(ndim, se.size(), phi.size(), theta.size(), psi.size());
  const auto count = static_cast<std::size_t>(n);
  for (std::size_t k = 0; k < std::min(count, size); ++k) {
    const real cf = std::cos(phi[k]), sf = std::sin(phi[k]);
    const real ct = std::cos(theta[k]), st = std::sin(theta[k]);
    const real cp = std::cos(psi[k]), sp = std::sin(psi[k]);
    se[at(1, 1, k)] = cf * cp - sf * ct * sp;
    se[at(2, 1, k)] = sf * cp + cf * ct * sp;
    se[at(3, 1, k)] = st * sp;
    se[at(1, 2, k)] = -cf * sp - sf * ct * cp;
    se[at(2, 2, k)] = -sf * sp + cf * ct * cp;
    se[at(3, 2, k)] = st * cp;
    se[at(1, 3, k)] = sf * st;
    se[at(2, 3, k)] = -cf * st;
    se[at(3, 3, k)] = ct;
  }
  if (count > size) out_of_bounds("eu2se123", size + 1, size);
}

void se1232eu(std::span<real> phi, std::span<real> theta, std::span<real> psi, std::span<real> se, int n,
              int ndim) {
  if (n < 1) return;
  const std::size_t size = capacity(ndim, se.size(), phi.size(), theta.size(), psi.size());
  const auto count = static_cast<std::size_t>(n);
  for (std::size_t k = 0; k < std::min(count, size); ++k) {
    real& s33 = se[at(3, 3, k)];
    if (std::fabs(s33) < 1.0f) {
      theta[k] = std::acos(s33);
      const real s = std::sqrt(1.0f - s33 * s33);
      const real x1 = -se[at(2, 3, k)] / s, y1 = se[at(1, 3, k)] / s;
      phi[k] = panglerad(x1, y1);
      const real x3 = se[at(3, 2, k)] / s, y3 = se[at(3, 1, k)] / s;
      psi[k] = panglerad(x3, y3);
      continue;
    }
    // s3 vertical: a rotation about axis 3 alone.
    const real v = s33;
    if (v > 1.0f) {
      s33 = 1.0f;
      report_clamp(k + 1, v, s33);
    } else if (v < -1.0f) {
      s33 = -1.0f;
      report_clamp(k + 1, v, s33);
    }
    theta[k] = std::acos(s33);
    phi[k] = 0.0f;
    psi[k] = s33 > 0.0f ? panglerad(se[at(1, 1, k)], se[at(2, 1, k)])
                        : panglerad(se[at(1, 1, k)], -se[at(2, 1, k)]);
  }
  if (count > size) out_of_bounds("se1232eu", size + 1, size);
}

real panglerad(real x, real y) {
  if (std::isnan(x) || std::isnan(y)) return 0.0f;  // no angle to give: never NaN
  if (x > 0.0f) return std::atan(y / x);
  if (x == 0.0f) return y >= 0.0f ? anglerad.half_pi() : -anglerad.half_pi();
  const real q = y / x;
  return y >= 0.0f ? anglerad.pi() + std::atan(q) : -anglerad.pi() + std::atan(q);
}

}  // namespace dorvix
