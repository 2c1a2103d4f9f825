// The stress-direction symbols and their settings menu.

#include "map/stress_symbols.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/range_checks.hpp"
#include "geometry/angles.hpp"
#include "plot/draw.hpp"

namespace dorvix {

namespace {

constexpr Header dmapsh2_header{"dmapsh2", " 5.0", "23-11-2009"};
constexpr Header smapsh2_header{"smapsh2", " 1.0", "17-04-2006"};

constexpr MapShPar default_symbols{};
// Values that replace a size or an Sh type out of range.
constexpr real reset_major = 0.4f;
constexpr real reset_minor = 0.2f;
constexpr int reset_sh_type = 0;

// Symbol lengths are fractions of this length on paper, cm.
constexpr real symbol_unit_cm = 5.0f;
// The gap between the epicentre and the symbols, a fraction of the major
// length.
constexpr real gap = 0.2f;

// ---- Drawing ------------------------------------------------------------------------

constexpr int max_vertices = 7;

struct Shape {
  std::array<real, max_vertices> x{}, y{};
  int n = 0;
};

// The unit bar and the unit arrow (tip at the origin, tail at x = 1)
// scaled by k.
Shape bar(real k) {
  Shape s;
  rectangle1(s.x, s.y, s.n, max_vertices);
  homot02d1(s.x, s.y, s.x, s.y, s.n, k);
  return s;
}
Shape arrow(real k) {
  Shape s;
  arrow2d(s.x, s.y, s.n, max_vertices);
  homot02d1(s.x, s.y, s.x, s.y, s.n, k);
  return s;
}

// The four shapes of a major and a minor length, kept for the next call
// with the same lengths: the map draws its symbols one a call.
struct Shapes {
  std::uint32_t major = 0, minor = 0;
  bool built = false;
  Shape bar_major, bar_minor, arrow_major, arrow_minor;
};

const Shapes& shapes_of(real major, real minor) {
  static Shapes kept;
  const auto major_bits = std::bit_cast<std::uint32_t>(major), minor_bits = std::bit_cast<std::uint32_t>(minor);
  if (!kept.built || kept.major != major_bits || kept.minor != minor_bits) {
    kept = {major_bits, minor_bits, true, bar(major), bar(minor), arrow(major), arrow(minor)};
  }
  return kept;
}

// The shape moved along x by dx from (xc, yc), turned by `angle` about
// (xc, yc), drawn, then turned half a turn more and drawn again.
void draw_pair(const Shape& s, real xc, real yc, real dx, real angle) {
  Shape p = s;
  transl2d1(p.x, p.y, p.x, p.y, p.n, xc + dx, yc);
  rot2daff(p.x, p.y, p.x, p.y, p.n, xc, yc, angle);
  uspolygon(p.x, p.y, p.n);
  rot2daff(p.x, p.y, p.x, p.y, p.n, xc, yc, anglerad.pi());
  uspolygon(p.x, p.y, p.n);
}

void bars_box(int i, int isv, std::string_view stress) {
  warninghead(dmapsh2_header);
  ItemLine().text("data nb =").integer(i, 4).write();
  ItemLine().text("isv     =").integer(isv, 4).write();
  say("isv outside [1,3]");
  say("=> will plot bars for " + std::string(stress));
  warningtail00();
}

}  // namespace

void dmapsh2(std::span<const real> x, std::span<const real> y, std::span<const real> shmax_angle,
             std::span<const real> shmin_angle, std::span<const int> isv, int n) {
  const MapShPar& p = mapshpar;
  real size_kept = 0;
  int type_kept = 0;
  ssymbolsize(size_kept, setup::stored);
  ssymboltype(type_kept, setup::stored);
  real size = p.sizmaxa;
  int type = p.iepi;
  ssymbolsize(size, setup::passed);
  ssymboltype(type, setup::passed);
  if (p.iepi != 0) ussymbol(x, y, n);

  // The symbol unit in user units, from one centimetre on paper.
  std::array<real, 2> xu{}, yu{};
  const std::array<real, 2> xcm{0.0f, 1.0f}, ycm{0.0f, 0.0f};
  cm2us(xu, yu, xcm, ycm, 2);
  const real unit = symbol_unit_cm * std::hypot(xu[1] - xu[0], yu[1] - yu[0]);
  const real major = p.sizmaxa * unit, minor = p.sizmina * unit;
  const Shapes& shapes = shapes_of(major, minor);
  const Shape &bar_major = shapes.bar_major, &bar_minor = shapes.bar_minor;
  const Shape &arrow_major = shapes.arrow_major, &arrow_minor = shapes.arrow_minor;
  int istat = 0;
  cinmax(std::max(bar_major.n, arrow_major.n), max_vertices, "dmapsh2", "shsymb array dimension", istat);

  const real shift = gap * major;
  if (p.isha != -2) {
    const bool small = p.isha == -1;
    for (int i = 1; i <= n; ++i) {
      const auto j = static_cast<std::size_t>(i - 1);
      const bool arrows = isv[j] == 2 || isv[j] == 3;
      if (!arrows && isv[j] != 1) bars_box(i, isv[j], "Shmax");
      const Shape& s = arrows ? (small ? arrow_minor : arrow_major) : (small ? bar_minor : bar_major);
      draw_pair(s, x[j], y[j], shift, shmax_angle[j]);
    }
  }
  if (p.isha != 2) {
    const bool small = p.isha == 1;
    const real length = small ? minor : major;
    for (int i = 1; i <= n; ++i) {
      const auto j = static_cast<std::size_t>(i - 1);
      if (isv[j] == 1 || isv[j] == 2) {
        // Outward: the arrow's tail at the gap.
        draw_pair(small ? arrow_minor : arrow_major, x[j], y[j], -shift - length, shmin_angle[j]);
      } else {
        if (isv[j] != 3) bars_box(i, isv[j], "Shmin");
        draw_pair(small ? bar_minor : bar_major, x[j], y[j], shift, shmin_angle[j]);
      }
    }
  }
  ssymbolsize(size_kept, setup::passed);
  ssymboltype(type_kept, setup::passed);
}

void dmapsh2(std::span<const real> x, std::span<const real> y, std::span<const real> azsh, std::span<const int> isv,
             int n) {
  const auto count = static_cast<std::size_t>(std::max(n, 0));
  std::vector<real> shmax(count), shmin(count);
  for (std::size_t j = 0; j < count; ++j) {
    shmax[j] = anglerad.half_pi() - azsh[j];
    shmin[j] = -azsh[j];
  }
  dmapsh2(x, y, shmax, shmin, isv, n);
}

// ---- Settings -----------------------------------------------------------------------

namespace {

void size_reset_box(std::string_view name, real value, real reset) {
  warninghead(smapsh2_header);
  ItemLine().text(name).fixed(value, 10, 3).write();
  say("==> RESET TO:");
  ItemLine().text(name).fixed(reset, 10, 3).write();
  warningtail00();
}

void sh_type_reset_box(int value) {
  warninghead(smapsh2_header);
  ItemLine().text("isha =").integer(value, 6).write();
  say("==> RESET TO:");
  ItemLine().text("isha =").integer(reset_sh_type, 6).write();
  warningtail00();
}

// The lines that explain a code before it is asked, between two rules.
void explained(std::initializer_list<std::string_view> lines) {
  const std::string rule30(30, '-');
  say(rule30);
  for (std::string_view l : lines) say(l);
  say(rule30);
}

// The menu of the symbol sizes, the epicentre symbol and the Sh type.
MenuTable symbol_menu(MapShPar& v) {
  static const std::string rule30(30, '-');
  return MenuTable{
      .rows = {{.draw = dash_rule},
               {.label = "Sh MAP PARAMETERS :"},
               {.draw = dash_rule},
               {.label = rule30},
               {.choice = 10,
                .label = "Major size ",
                .action = [&v] { ask_real_in(v.sizmaxa, "Major size", 0.0f, 100.0f); },
                .value = shows_fixed(v.sizmaxa, 10, 3)},
               {.choice = 20,
                .label = "Minor size ",
                .action = [&v] { ask_real_in(v.sizmina, "Minor size", 0.0f, 100.0f); },
                .value = shows_fixed(v.sizmina, 10, 3)},
               {.choice = 30,
                .label = "Epicenter type ",
                .action =
                    [&v] {
                      explained({"epicenter type:", "0 => no plot", "else = symbol #"});
                      ask_int(v.iepi, "Epicenter type");
                    },
                .value = shows_integer(v.iepi, 6)},
               {.choice = 40,
                .label = "Sh type ",
                .action =
                    [&v] {
                      explained({"Sh type:", "-2 => Shmin only", "-1 => Shmin + Shmax small", "0  => Shmin + Shmax",
                                 "+1 => Shmax + Shmin small", "+2 => Shmax only"});
                      ask_int_in(v.isha, "Sh type", -2, 2);
                    },
                .value = shows_integer(v.isha, 6)},
               {.label = rule30}},
      .width = 29};
}

}  // namespace

void smapsh2(real& sizmax, real& sizmin, int& iepi, int& isha, SetupMode mode) {
  MapShPar v{sizmax, sizmin, iepi, isha};
  if (mode.from_stored()) {
    v = mapshpar;
  } else if (mode.from_defaults()) {
    submenuhead(smapsh2_header);
    say("INITIALIZING Sh MAP PARAMETERS");
    v = default_symbols;
  } else {
    if (v.sizmaxa <= 0.0f) {
      size_reset_box("sizmaxa =", v.sizmaxa, reset_major);
      v.sizmaxa = reset_major;
    }
    if (v.sizmina <= 0.0f) {
      size_reset_box("sizmina =", v.sizmina, reset_minor);
      v.sizmina = reset_minor;
    }
    if (v.isha < -2 || v.isha > 2) {
      sh_type_reset_box(v.isha);
      v.isha = reset_sh_type;
    }
  }
  if (mode.shows_menu()) {
    const MenuTable table = symbol_menu(v);
    menu_loop(smapsh2_header, table, MenuStyle{.prompt = Prompt::with_default});
  }
  mapshpar = v;
  sizmax = v.sizmaxa;
  sizmin = v.sizmina;
  iepi = v.iepi;
  isha = v.isha;
}

}  // namespace dorvix
