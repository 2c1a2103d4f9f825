// Point symbols: circles, regular polygons, squares, dots, bars, crosses and
// stars, centred on user points of the current subplot. A symbol is built
// in device points around its centre, so its size on paper is the symbol
// size in centimetres whatever the subplot's scale. A negative type code
// fills the closed shapes; strokes are never filled.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/draw.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {


namespace {

constexpr Header ssymbolsize_header{"ssymbolsize", " 2.8", "26-03-2009"};
constexpr Header ssymboltype_header{"ssymboltype", " 2.5", "27-03-2009"};

constexpr real default_symbol_size = 0.4f;  // cm
constexpr int default_symbol_type = 1;      // stroked circle

// Points of the circle: 19 steps of 360/19 degrees, the 20th point on the
// first.
constexpr int circle_points = 20;
constexpr real circle_steps = 19.0f;

const std::string rule_line(43, '-');

// The 24 lines of the code list.
constexpr std::string_view code_lines[] = {
    "circle   .................. 0", "circle   .................. 1", "circle   .................. 2",
    "triangle .................. 3", "square   .................. 4", "pentagon .................. 5",
    "hexagon  .................. 6", "heptagon .................. 7", "octogon  .................. 8",
    "enneagon .................. 9", "   .     ................. 10", "   -     ................. 11",
    "   |     ................. 12", "   +     ................. 13", "   x     ................. 14",
    "   *     ................. 15", "   *     ................. 16", "   *     ................. 17",
    "circle . ................. 20", "circle - ................. 21", "circle | ................. 22",
    "circle + ................. 23", "square   ..................40", "circle   ....... other values",
};

void no_action_box(const Header& h, const std::string& value) {
  warninghead(h);
  say("inter = " + value);
  say("===> NO ACTION");
  warningtail00();
}

// The closed shape of a symbol (circle, polygon or square; none for the
// dot, bars, crosses and stars): offsets from the centre in device points.
struct Shape {
  real x[circle_points]{}, y[circle_points]{};
  int count = 0;
  void set(int k, real px, real py) {
    x[k] = px;
    y[k] = py;
    count = k + 1;
  }
};

// Regular polygon of t corners on the circle of radius r, the first
// straight above the centre, counter-clockwise, closed on the first.
void polygon_template(Shape& s, int t, real r) {
  const real d = rad(real(360) / static_cast<real>(t));
  const real a0 = rad(real(90));
  for (int i = 0; i <= t; ++i) {
    const real angle = d * static_cast<real>(i) + a0;
    s.set(i, r * std::cos(angle), r * std::sin(angle));
  }
}

// The circle of 20 points from the positive x axis, closed on the first.
void circle_template(Shape& s, real r) {
  const real d = rad(real(360) / circle_steps);
  for (int i = 0; i < circle_points; ++i) {
    const real angle = d * static_cast<real>(i);
    s.set(i, r * std::cos(angle), r * std::sin(angle));
  }
}

// The strokes of a symbol, drawn after its shape: pairs of offsets from
// the centre (at most five spokes).
struct Strokes {
  real x[12]{}, y[12]{};
  int n = 0;
  void add(real x1, real y1, real x2, real y2) {
    x[n] = x1;
    y[n] = y1;
    x[n + 1] = x2;
    y[n + 1] = y2;
    n += 2;
  }
};

// Builds the closed shape (if any) and the strokes of a code.
void build(long long code, real r, Shape& shape, Strokes& strokes) {
  const real h14 = (std::sqrt(real(2)) / real(2)) * r;  // cross x
  const real h40 = r / std::sqrt(real(2));              // square 40
  const real s = (std::sqrt(real(3)) / real(2)) * r;
  const real r2 = real(0.5) * r;
  if (code >= 3 && code <= 9) {
    polygon_template(shape, static_cast<int>(code), r);
    return;
  }
  switch (code) {
    case 10:
      strokes.add(0, 0, 0, 0);
      return;
    case 11:
      strokes.add(-r, 0, r, 0);
      return;
    case 12:
      strokes.add(0, -r, 0, r);
      return;
    case 13:
      strokes.add(-r, 0, r, 0);
      strokes.add(0, -r, 0, r);
      return;
    case 14:
      strokes.add(h14, h14, -h14, -h14);
      strokes.add(-h14, h14, h14, -h14);
      return;
    case 15:
      strokes.add(s, r2, -s, -r2);
      strokes.add(0, r, 0, -r);
      strokes.add(-s, r2, s, -r2);
      return;
    case 16:
      strokes.add(0, 0, s, -r2);
      strokes.add(0, 0, 0, r);
      strokes.add(0, 0, -s, -r2);
      return;
    case 17: {
      // Spokes at -54, 18, 90, 162 and 234 degrees.
      const real x1 = r * std::cos(rad(54)), y1 = -r * std::sin(rad(54));
      const real x2 = r * std::cos(rad(18)), y2 = r * std::sin(rad(18));
      for (const auto& p : {std::pair{x1, y1}, {x2, y2}, {real(0), r}, {-x2, y2}, {-x1, y1}}) {
        strokes.add(0, 0, p.first, p.second);
      }
      return;
    }
    case 40:
      shape.set(0, h40, h40);
      shape.set(1, -h40, h40);
      shape.set(2, -h40, -h40);
      shape.set(3, h40, -h40);
      shape.set(4, h40, h40);
      return;
    default:
      break;
  }
  // Every other code: the circle, with the marks of codes 20 to 23.
  circle_template(shape, r);
  if (code == 20) strokes.add(0, 0, 0, 0);
  if (code == 22 || code == 23) strokes.add(0, -r, 0, r);
  if (code == 21 || code == 23) strokes.add(-r, 0, r, 0);
}

// The shape and strokes of the codes 0 to 40 (every other code is the
// circle of code 0) at the radius last asked for, kept: the symbols of a
// run come in a few codes at one size, and a template built again is the
// same to the bit.
struct Template {
  std::uint32_t radius = 0;
  bool built = false;
  Shape shape;
  Strokes strokes;
};

const Template& build_kept(long long code, real r) {
  static std::array<Template, 41> kept;
  if (code < 0 || code > 40) code = 0;
  Template& t = kept[static_cast<std::size_t>(code)];
  const auto radius = std::bit_cast<std::uint32_t>(r);
  if (!t.built || t.radius != radius) {
    t.shape = Shape{};
    t.strokes = Strokes{};
    build(code, r, t.shape, t.strokes);
    t.radius = radius;
    t.built = true;
  }
  return t;
}

// Offsets around a centre into the device buffer, then one device call.
void emit(const real* dx, const real* dy, int count, real xc, real yc, bool fill) {
  for (int k = 0; k < count; ++k) {
    pltbuff1.xdevbuff[static_cast<std::size_t>(k)] = xc + dx[k];
    pltbuff1.ydevbuff[static_cast<std::size_t>(k)] = yc + dy[k];
  }
  std::span<real> xb(pltbuff1.xdevbuff), yb(pltbuff1.ydevbuff);
  if (fill) {
    depolygon(xb, yb, count);
  } else {
    deline(xb, yb, count);
  }
}

}  // namespace

void ssymbolsize(real& size, SetupMode inter) {
  const auto size_line = [](std::string_view label, real v) { say(std::string(label) + " " + edit::f(v, 8, 3)); };
  if (inter.from_stored()) {
    size = plt2blk.symbsize;
  } else if (inter.from_defaults()) {
    size = default_symbol_size;
    if (inter.initialise_only()) {
      submenuhead(ssymbolsize_header);
      size_line("INITIALISING SYMBOL SIZE (cm) =", size);
    }
  }
  if (inter.is_common() && inter.shows_menu()) {
    submenuhead(ssymbolsize_header);
    if (iocom.lwito(2)) {
      say(rule_line);
      say("SYMBOL SIZE (cm):");
      say(rule_line);
      size_line("currently stored size =", plt2blk.symbsize);
      size_line("ready to  store  size =", size);
      menutail();
    }
    int istat = 0;
    const real def = size;
    inrealdef(size, "symbol size in cm", def, istat);
  }
  if (inter.is_common()) {
    plt2blk.symbsize = size;
  } else {
    no_action_box(ssymbolsize_header, edit::i(inter.code(), 6));
  }
}

void ssymboltype(int& itype, SetupMode inter) {
  const auto type_line = [](std::string_view label, int v) { say(std::string(label) + " " + edit::i(v, 4)); };
  if (inter.from_stored()) {
    itype = plt2blk.symbtype;
  } else if (inter.from_defaults()) {
    itype = default_symbol_type;
    if (inter.initialise_only()) {
      submenuhead(ssymboltype_header);
      type_line("INITIALISING SYMBOL TYPE =", itype);
    }
  }
  if (inter.shows_menu()) {
    const bool list_only = inter == setup::list_codes_only;
    if (!list_only) submenuhead(ssymboltype_header);
    if (iocom.lwito(2)) {
      if (!list_only) {
        say(rule_line);
        say("SYMBOL TYPE:");
        say(" Negative number => filled symbol");
        say(" N.B. Symbols also depend on");
        say("      polygon & line attributes");
        say(rule_line);
        if (inter == setup::answer_only) {
          type_line("ready to set type =", itype);
        } else {
          type_line("currently stored type =", plt2blk.symbtype);
          type_line("ready to  store  type =", itype);
        }
        say(rule_line);
        say("Symbol type ... symbol number");
      }
      for (std::string_view l : code_lines) say(l);
      if (!list_only) menutail();
    }
    // The code list alone: no question, nothing stored.
    if (list_only) return;
    int istat = 0;
    const int def = itype;
    inintegdef(itype, "symbol number", def, istat);
  }
  if (inter.is_common()) {
    plt2blk.symbtype = itype;
  } else if (inter != setup::answer_only) {
    no_action_box(ssymboltype_header, edit::i(inter.code(), 4));
  }
}

void ussymbol(std::span<const real> x, std::span<const real> y, int n) {
  const int type = plt2blk.symbtype;
  // |type| without overflow: the most negative integer is no known code.
  const long long code = std::llabs(static_cast<long long>(type));
  const bool fill = type < 0;
  real lde = 0;
  lengthcm2de(lde, plt2blk.symbsize);
  const real r = real(0.5) * lde;

  const Template& t = build_kept(code, r);
  const Shape& shape = t.shape;
  const Strokes& strokes = t.strokes;

  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), x.size(), y.size()});
  for (std::size_t k = 0; k < count; ++k) {
    real xc = x[k], yc = y[k];
    point_to_device(xc, yc);
    if (shape.count > 0) emit(shape.x, shape.y, shape.count, xc, yc, fill);
    for (int s = 0; s < strokes.n; s += 2) emit(strokes.x + s, strokes.y + s, 2, xc, yc, false);
  }
}

}  // namespace dorvix
