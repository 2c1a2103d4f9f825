// Great circles of nodal planes on the net.

#include "stereonet/great_circles.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "geometry/vectors.hpp"
#include "plot/draw.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

constexpr Header sdspgc_header{"sdspgc", " 1.1", "12-04-2000"};

constexpr int default_points = 40;
// Running point: the increment from the number of points, texts kept.
constexpr int sampling_from_count = 101;

// The cosines and sines of the running point of a number of points np and
// an increment.
struct Table {
  int np = 0;  // none yet: a running point has at least one point
  std::uint32_t increment = 0;
  std::array<real, curve_buffer_points> cosines{}, sines{};
  bool holds(int n, real ptd) const { return n == np && std::bit_cast<std::uint32_t>(ptd) == increment; }
};

}  // namespace

void dspgcfadn(std::span<const real> strike, std::span<const real> dip, int n) {
  // The running parameter t from 0 to pi along each curve; the number of
  // points (at most the curve buffer's, as its menu asks) is stored as it is.
  scptnp(dspgcbk.nptgc, setup::passed);
  real pti = 0.0f, ptf = anglerad.pi();
  scptif(pti, ptf, setup::passed);
  scptend(sampling_from_count, setup::passed);  // ptd = pi/(np - 1), 0 for one point
  const PtBlock& p = ptblock;
  const auto np = static_cast<std::size_t>(p.np);
  // The cosine and sine table serves every plane; it is computed once for
  // a number of points and an increment, and copied again while they stay
  // (the same values to the bit).
  static Table table;
  if (!table.holds(p.np, p.ptd)) {
    for (std::size_t k = 0; k < np; ++k) {
      const real pt = static_cast<real>(k) * p.ptd;
      table.cosines[k] = std::cos(pt);
      table.sines[k] = std::sin(pt);
    }
    table.np = p.np;
    table.increment = std::bit_cast<std::uint32_t>(p.ptd);
  }
  std::copy_n(table.cosines.begin(), np, cc2dbuff.xp.begin());
  std::copy_n(table.sines.begin(), np, cc2dbuff.yp.begin());
  // The running point as the loop over the table leaves it.
  set_running_point(std::max(p.np, 0) + 1, p.np >= 1 ? static_cast<real>(p.np - 1) * p.ptd : p.pt);
  auto& xe = cc3dbuff.xe;
  auto& ye = cc3dbuff.ye;
  auto& ze = cc3dbuff.ze;
  const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    // cos t times the strike direction plus sin t times the down-dip
    // direction: x north, y east, z down, always on the lower hemisphere.
    const real c1 = std::cos(strike[i]), s1 = std::sin(strike[i]);
    const real c2 = std::cos(dip[i]), s2 = std::sin(dip[i]);
    const real a = s1 * c2, b = c1 * c2;
    for (std::size_t k = 0; k < np; ++k) {
      xe[k] = c1 * cc2dbuff.xp[k] - a * cc2dbuff.yp[k];
      ye[k] = s1 * cc2dbuff.xp[k] + b * cc2dbuff.yp[k];
      ze[k] = s2 * cc2dbuff.yp[k];
    }
    // Azimuths over xe and plunges over ye, then the points over both.
    cc2lln(xe, ye, xe, ye, ze, p.np);
    spron(xe, ye, xe, ye, p.np);
    usline(xe, ye, p.np);
  }
}

void sdspgc(int& npts, SetupMode inter) {
  if (inter.from_stored()) {
    npts = dspgcbk.nptgc;
  } else if (inter.from_defaults()) {
    submenuhead(sdspgc_header);
    say("INITIALIZING GREAT CIRCLE PARAMETERS");
    npts = default_points;
  }
  if (inter.shows_menu()) {
    const MenuTable table{
        .rows = {{.draw = dash_rule},
                 {.label = "      GREAT CIRCLES PARAMETERS: "},
                 {.draw = dash_rule},
                 {.choice = 10,
                  .label = "nb of points to draw ",
                  .action = [&npts] { ask_int_in(npts, "nb of pts per great circle", 1, curve_buffer_points); },
                  .value = shows_integer(npts, 7)},
                 {.draw = dash_rule},
                 {.choice = menu_exit_choice, .label = "EXIT "},
                 {.draw = dash_rule}},
        .width = 33};
    // Closed by a dash rule, not by the menu's tail.
    choice_loop(
        sdspgc_header,
        [&] {
          submenuhead(sdspgc_header);
          show_rows(table);
        },
        [&](int choice) { return reply(table, choice); });
  }
  dspgcbk.nptgc = npts;
}

}  // namespace dorvix
