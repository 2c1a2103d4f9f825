#include "geometry/euler.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "files/stops.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header se1232eu_header{"se1232eu", " 2.0", "29-09-2003"};
// eu2se123 is the other half of the same pair and shares its release.
constexpr Header eu2se123_header{"eu2se123", " 2.0", "29-09-2003"};

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
[[noreturn]] void out_of_bounds(const Header& h, std::size_t entry, std::size_t size) {
  errorhead(h);
  put(iocom.iuout, " index out of bounds: entry " + edit::i(static_cast<long long>(entry), 0) +
                       " of arrays of " + edit::i(static_cast<long long>(size), 0));
  errorstop(2);
  end_run(exit_stopped_by_program);  // errorstop(2) does not return
}

std::string i6(std::size_t k) { return edit::i(static_cast<long long>(k), 6); }
std::string f85(real v) { return edit::f(v, 8, 5); }

// Box of a clamped element (3,3): v as found, reset the value it became.
void report_clamp(std::size_t k, real v, real reset) {
  const bool above = v > 1.0f;
  const bool warning = above ? v <= one_plus_eps : v >= -one_plus_eps;
  if (warning) {
    warninghead(se1232eu_header);
  } else {
    errorhead(se1232eu_header);
  }
  const int out = iocom.iuout;
  put(out, " data number = " + i6(k));
  put(out, " Vertical s3");
  if (above) {
    put(out, warning ? " 1 < se(3,3) = " + f85(v) + " < 1+eps" : " 1 < se(3,3) = " + f85(v));
  } else {
    put(out, warning ? " -1-eps < se(3,3) = " + f85(v) + " < -1" : " se(3,3) = " + f85(v) + " < -1");
  }
  put(out, " ===> reset se(3,3) = " + f85(reset));
  if (warning) {
    warningtail00();
  } else {
    errortail00();
  }
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
  if (count > size) out_of_bounds(eu2se123_header, size + 1, size);
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
  if (count > size) out_of_bounds(se1232eu_header, size + 1, size);
}

real panglerad(real x, real y) {
  if (std::isnan(x) || std::isnan(y)) return 0.0f;  // no angle to give: never NaN
  if (x > 0.0f) return std::atan(y / x);
  if (x == 0.0f) return y >= 0.0f ? anglerad.half_pi() : -anglerad.half_pi();
  const real q = y / x;
  return y >= 0.0f ? anglerad.pi() + std::atan(q) : -anglerad.pi() + std::atan(q);
}

}  // namespace dorvix
