#include "catalogue/angles.hpp"

#include <algorithm>
#include <cmath>

#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix {

void trigoset() {
  submenuhead({"trigoset", " 7.1", "15-12-2008"});
  put(iocom.iuout, " Initializing /trig/ block");
  const real h = std::acos(0.0f);
  constexpr real tolerance = 1.0e-5f;
  trig.pi = 2.0f * h;
  trig.pi2 = h;
  trig.pi4 = h / 2.0f;
  trig.dr = h / 90.0f;
  trig.pi2i = h - tolerance;
  trig.pi2s = h + tolerance;

  put(iocom.iuout, " Initializing /anglerad/ block");
  const real pi = trig.pi;
  auto& a = anglerad.angr;
  a[0] = pi / 4.0f;
  a[1] = pi / 3.0f;
  a[2] = pi / 2.0f;
  a[3] = (pi * 3.0f) / 4.0f;
  a[4] = pi;
  a[5] = (pi * 3.0f) / 2.0f;
  a[6] = pi * 2.0f;
  for (std::size_t k = 0; k < 7; ++k) {
    angleradi.angri[k] = a[k] - tolerance;
    anglerads.angrs[k] = a[k] + tolerance;
  }
  a[7] = pi / 180.0f;
  a[8] = 180.0f / pi;
}

real rad(real x) { return x * anglerad.rad_per_deg(); }
real deg(real x) { return x * anglerad.deg_per_rad(); }

namespace {
void scale(std::span<real> out, std::span<const real> in, int n, real factor) {
  const std::size_t count = std::min({static_cast<std::size_t>(n > 0 ? n : 0), out.size(), in.size()});
  for (std::size_t i = 0; i < count; ++i) out[i] = factor * in[i];
}
}  // namespace

void deg2rad(std::span<real> out, std::span<const real> in, int n) { scale(out, in, n, anglerad.rad_per_deg()); }
void rad2deg(std::span<real> out, std::span<const real> in, int n) { scale(out, in, n, anglerad.deg_per_rad()); }

}  // namespace dorvix
