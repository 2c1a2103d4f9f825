// Axis symbols on the net and their set-up.

#include "stereonet/axis_symbols.hpp"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "plot/draw.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

constexpr Header sdspaxsymb_header{"sdspaxsymb", " 4.1", "08-10-2009"};

// Length of a radial line or arrow, user units (the net's radius is 1).
constexpr real radial_length = 0.2f;

constexpr int default_standard = 1;
constexpr int default_alternate = -1;

bool valid_code(int code) { return code >= min_axis_code && code <= max_axis_code; }

// A console line: a label and a code in 4 columns.
void type_line(std::string_view label, int code) { ItemLine().text(label).integer(code, 4).write(); }

// A code outside the valid range is reset to its default in a warning box.
void check_code(int& code, std::string_view which, int reset) {
  if (valid_code(code)) return;
  const std::string label = std::string(which) + " symbol =";
  warninghead(sdspaxsymb_header);
  type_line(label, code);
  ItemLine().text("outside [").integer(min_axis_code, 4).text(",").integer(max_axis_code, 4).text("]").write();
  say("==> RESETTING TO:");
  code = reset;
  type_line(label, code);
  warningtail00();
}

// The menu's options put a blank between the leader and the number: their
// labels carry the leader and fill the width but for the number.
void menu(int& istd, int& ialt, SetupMode inter) {
  const bool edit = inter == setup::answer_only;
  const auto editing = [edit] { return edit; };
  const auto storing = [edit] { return !edit; };
  const MenuTable table{
      .rows = {{.draw = dash_rule},
               {.label = "STEREOPLOT AXIS SYMBOLS"},
               {.label = "Standard  symbol <-> standard hemisphere"},
               {.label = "Alternate symbol <-> opposite hemisphere"},
               {.draw = dash_rule},
               {.label = "set up:", .shown = editing},
               {.label = "currently stored:", .shown = storing},
               {.label = "standard  type =", .value = shows_integer(dspaxbk.isymstd, 4), .shown = storing},
               {.label = "alternate type =", .value = shows_integer(dspaxbk.isymalt, 4), .shown = storing},
               {.label = "---------------------", .shown = storing},
               {.label = "ready to store:", .shown = storing},
               {.label = "standard  type =", .value = shows_integer(istd, 4)},
               {.label = "alternate type =", .value = shows_integer(ialt, 4)},
               {.draw = dash_rule},
               {.label = "Axis symbol ... symbol number"},
               {.label = "arrow    ................", .value = shows_integer(axis_arrow, 3)},
               {.label = "line     ................", .value = shows_integer(axis_line, 3)},
               {.draw =
                    [] {
                      int listed = 0;
                      ssymboltype(listed, setup::list_codes_only);
                    }},
               {.draw = dash_rule},
               {.label = "MODIFY:"},
               {.choice = 10,
                .label = " standard type ............... ",
                .action = [&istd] { ask_int_in(istd, "standard symbol type", min_axis_code, max_axis_code); }},
               {.choice = 20,
                .label = " alternate type .............. ",
                .action = [&ialt] { ask_int_in(ialt, "alternate symbol type", min_axis_code, max_axis_code); }},
               {.choice = menu_exit_choice, .label = "SET UP IS OK ==> EXIT ........ ", .shown = editing},
               {.choice = menu_exit_choice, .label = "STORE AND EXIT ............... ", .shown = storing}},
      .width = 33};
  menu_loop(sdspaxsymb_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

// The direction of an axis on the lower hemisphere: an upward axis is
// turned to its opposite end. A horizontal axis keeps its azimuth, also
// when rounding leaves its plunge a little below 0.
struct LowerAxis {
  real az, pl;
  bool turned;
};
LowerAxis lower(real az, real pl) {
  if (pl < -horizontal_plunge) return {az + anglerad.pi(), -pl, true};
  return {az, std::fmax(pl, 0.0f), false};
}

}  // namespace

void dspaxfapn2(std::span<const real> az, std::span<const real> pl, int n) {
  const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
  const int code = dspaxbk.isymstd;
  if (std::abs(code) <= 99) {
    int kept = 0;
    ssymboltype(kept, setup::stored);
    for (std::size_t i = 0; i < count; ++i) {
      const LowerAxis a = lower(az[i], pl[i]);
      int type = a.turned ? dspaxbk.isymalt : dspaxbk.isymstd;
      ssymboltype(type, setup::passed);
      real x = 0, y = 0;
      spron(std::span(&x, 1), std::span(&y, 1), std::span(&a.az, 1), std::span(&a.pl, 1), 1);
      ussymbol(std::span(&x, 1), std::span(&y, 1), 1);
    }
    ssymboltype(kept, setup::passed);
    return;
  }
  if (code != axis_line && code != axis_arrow) return;
  for (std::size_t i = 0; i < count; ++i) {
    const LowerAxis a = lower(az[i], pl[i]);
    const real e = a.turned ? -radial_length : radial_length;
    real x[2], y[2];
    spron(std::span(x, 1), std::span(y, 1), std::span(&a.az, 1), std::span(&a.pl, 1), 1);
    const real r = std::sqrt(x[0] * x[0] + y[0] * y[0]);
    const real f = r == 0 ? 1.0f : 1.0f + e / r;
    x[1] = f * x[0];
    y[1] = f * y[0];
    if (code == axis_line) {
      usline(x, y, 2);
    } else {
      usarrow1(std::span(x, 1), std::span(y, 1), std::span(x + 1, 1), std::span(y + 1, 1), 1);
    }
  }
}

void sdspaxsymb(int& istd, int& ialt, SetupMode inter) {
  if (inter == setup::menu_from_passed || inter == setup::answer_only) {
    check_code(istd, "Standard ", default_standard);
    check_code(ialt, "Alternate", default_alternate);
  } else if (inter.from_stored()) {
    istd = dspaxbk.isymstd;
    ialt = dspaxbk.isymalt;
  } else if (inter.from_defaults()) {
    submenuhead(sdspaxsymb_header);
    say("INITIALIZING STEREOPLOT AXIS SYMBOLS");
    istd = default_standard;
    ialt = default_alternate;
  }
  if (inter.shows_menu()) menu(istd, ialt, inter);
  if (inter == setup::answer_only) return;
  dspaxbk.isymstd = istd;
  dspaxbk.isymalt = ialt;
}

}  // namespace dorvix
