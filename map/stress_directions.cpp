// The vertical stress axis and the SHmax azimuth from three principal
// axes, the reduction of angles into a period, and the listing of the
// mechanisms whose vertical axis is not clear.

#include "map/stress_directions.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/range_checks.hpp"
#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header siap2sv_header{"siap2sv", " 1.0", "10-07-2002"};

// The steepest and the flattest of three absolute plunges.
struct Regime {
  int isv = 0;    // steepest axis, 0 when none is steeper than 0
  int ihmin = 0;  // flattest axis
};

// Each axis in turn replaces the steepest (flattest) so far only when it
// is steeper (flatter) by more than plunge_tie: equal plunges keep the
// lower index.
Regime regime_of(const std::array<real, 3>& a) {
  Regime r;
  real largest = 0.0f, smallest = 2.0f;
  for (int k = 1; k <= 3; ++k) {
    const real ak = a[static_cast<std::size_t>(k - 1)];
    if (ak > largest + plunge_tie) {
      r.isv = k;
      largest = ak;
    }
    if (ak < smallest - plunge_tie) {
      r.ihmin = k;
      smallest = ak;
    }
  }
  return r;
}

void index_line(std::string_view label, long long v) { ItemLine().text(label).integer(v, 10).write(); }

void plunge_box(int k, int i) {
  errorhead(siap2sv_header);
  say("Out of range plunge for");
  index_line("iSi     =", k);
  index_line("data nb =", i);
  errortail00();
}

void combination_box(int ihmin, int isv, int i) {
  errorhead(siap2sv_header);
  say("Out of range value");
  index_line("iShmax  =", ihmin);
  index_line("iSv     =", isv);
  index_line("data nb =", i);
  errortail00();
}

}  // namespace

void siap2sv(std::span<real> azsh, std::span<int> isv, std::span<const real> az1, std::span<const real> pl1,
             std::span<const real> az2, std::span<const real> pl2, std::span<const real> az3, std::span<const real> pl3,
             real thresh, int n) {
  for (int i = 1; i <= n; ++i) {
    const auto j = static_cast<std::size_t>(i - 1);
    std::array<real, 3> a{std::fabs(pl1[j]), std::fabs(pl2[j]), std::fabs(pl3[j])};
    for (int k = 1; k <= 3; ++k) {
      int istat = 0;
      crevin2("plunge", a[static_cast<std::size_t>(k - 1)], 0.0f, anglerads.half_pi(), "siap2sv", 1, istat);
      if (istat != 0) plunge_box(k, i);
    }
    const Regime r = regime_of(a);
    isv[j] = r.isv;
    if (r.ihmin == 1) {
      azsh[j] = az1[j];
    } else if (r.ihmin == 2 && r.isv == 1) {
      azsh[j] = az2[j];
    } else if (r.ihmin == 2 && r.isv == 3) {
      azsh[j] = az2[j] + anglerad.half_pi();
    } else if (r.ihmin == 3) {
      azsh[j] = az3[j] + anglerad.half_pi();
    } else {
      combination_box(r.ihmin, r.isv, i);
    }
    if (std::max({a[0], a[1], a[2]}) < thresh) isv[j] = -isv[j];
  }
  na2pin(azsh, azsh, n);
}

void na2pin(std::span<real> out, std::span<const real> in, int n) {
  const real two_pi = anglerad.two_pi();
  for (int i = 0; i < n; ++i) {
    const auto j = static_cast<std::size_t>(i);
    if (in[j] >= two_pi || in[j] < 0.0f) {
      modulr(out.subspan(j, 1), in.subspan(j, 1), two_pi, 1);
    } else {
      out[j] = in[j];
    }
  }
}

void modulr(std::span<real> out, std::span<const real> in, real period, int n) {
  for (int i = 0; i < n; ++i) {
    const auto j = static_cast<std::size_t>(i);
    const real v = in[j];
    if (v >= period) {
      out[j] = std::fmod(v, period);
    } else if (v >= 0.0f) {
      out[j] = v;
    } else {
      const real r = std::fmod(v, period);
      out[j] = r != 0.0f ? r + period : r;
    }
  }
}

namespace {

// The listing's header, and on the screen its rules, as one text.
std::string listing_head(char s, bool screen) {
  const std::string rule = " " + std::string(74, '-') + "\n";
  std::string head = screen ? rule : std::string();
  head += ' ';
  edit::a(head, "data nb", 7);
  head += s;
  edit::a(head, "isv", 3);
  for (std::string_view title : {"azshmax", "azim.S1", "plung.S1", "azim.S2", "plung.S2", "azim.S3", "plung.S3"}) {
    head += s;
    edit::a(head, title, 8);
  }
  head += '\n';
  if (screen) head += rule;
  return head;
}

}  // namespace

void writepbsv(std::span<const real> azsh, std::span<const int> isv, std::span<const real> az1,
               std::span<const real> pl1, std::span<const real> az2, std::span<const real> pl2,
               std::span<const real> az3, std::span<const real> pl3, int n, int iunit) {
  static const std::string screen_head = listing_head('|', true);
  static const std::string file_head = listing_head('\t', false);
  static const edit::FoldedField shmax_azimuth(8, 1, 360.0, 0.0);
  static const edit::FoldedField axis_azimuth(8, 1, -180.0, 180.0);
  const bool screen = iunit == unit_screen;
  const char s = screen ? '|' : '\t';
  units().write(iunit, screen ? screen_head : file_head);
  for (int i = 1; i <= n; ++i) {
    const auto j = static_cast<std::size_t>(i - 1);
    if (isv[j] >= 1 && isv[j] <= 3) continue;
    // A blank, the datum in 7 columns, isv in 3, seven angles in 8 columns.
    char row[1 + 7 + 1 + 3 + 7 * 9];
    std::memset(row, ' ', sizeof row);
    edit::i_field(row + 1, i, 7);
    row[8] = s;
    edit::i_field(row + 9, isv[j], 3);
    char* p = row + 12;
    // SHmax within [0.0, 359.9], the axes' azimuths within (-180.0,
    // 180.0], as rounded; the plunges as they are.
    const real angles[] = {azsh[j], az1[j], pl1[j], az2[j], pl2[j], az3[j], pl3[j]};
    for (std::size_t k = 0; k < std::size(angles); ++k) {
      *p = s;
      if (k == 0) {
        shmax_azimuth.write(p + 1, deg(angles[k]));
      } else if (k % 2 == 1) {
        axis_azimuth.write(p + 1, deg(angles[k]));
      } else {
        edit::f_field(p + 1, deg(angles[k]), 8, 1);
      }
      p += 9;
    }
    put(iunit, std::string_view(row, sizeof row));
  }
}

}  // namespace dorvix
