// The running point of curve sampling: a parameter that takes np equally
// spaced values from pti to ptf with the increment ptd, with a setter and
// menu for each value, the completion that makes count and increment agree,
// and the master menu and listing of all curve parameters.
//
// Curve drawers call scptnp, scptif, then scptend, and for ipt = 1..np
// sample their curve at pt = pti + (ipt - 1) ptd into the curve buffer.

#include <functional>
#include <string>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/number_writers.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "plot/draw.hpp"
#include "plot/point_counts.hpp"

namespace dorvix {


namespace {

constexpr Header scptend_header{"scptend", "1.00", "03-11-97"};
constexpr Header scptnp_header{"scptnp", " 1.0", "20-05-2008"};
constexpr Header scptif_header{"scptif", " 1.0", "21-05-2008"};
constexpr Header scptd_header{"scptd", " 1.0", "21-05-2008"};
constexpr Header scptnam_header{"scptnam", " 1.0", "21-05-2008"};
constexpr Header scall_header{"scall", " 7.0", "22-07-2008"};

// Defaults of the running point.
constexpr int default_np = 11;
constexpr real default_pti = 0.0f, default_ptf = 1.0f, default_ptd = 0.1f;
constexpr std::string_view default_ptname = "Point.parameter";
constexpr std::size_t name_length = 5;

// Integer columns of this part's lines (scptnp's own lines have 7).
constexpr int int_width = 6;
constexpr int np_width = 7;

// Calculation types 100 and up keep the description texts.
constexpr int keep_texts = 100;

void announce(const Header& h) { submenuhead(h); }

// A value in exactly 9 characters, fixed point or scientific by magnitude.
std::string nine(real v) {
  std::string t(9, ' ');
  caream(t, 9, v);
  return t;
}

void rebuild_texts() {
  PtBlock& p = ptblock;
  p.pttext = " init = " + nine(p.pti) + " final = " + nine(p.ptf) + " inc = " + nine(p.ptd);
  p.ptlabel = edit::pad(std::string(trimmed(p.ptname)) + p.pttext, p.ptlabel.size());
}

// The count from the increment (types 2 and 3), with the remainder check.
void count_from_increment(int type, SetupMode mode) {
  PtBlock& p = ptblock;
  const real q = (p.ptf - p.pti) / p.ptd + count_tolerance;
  // scptnp reduces a count beyond the curve buffer with its warning.
  int n = clamped_count(q, max_count) + 1;
  scptnp(n, mode.silent() ? setup::passed : setup::menu_from_passed);
  p.rnp = static_cast<real>(p.np);
  p.rnseg = p.rnp - real(1);
  const real r = (p.ptf - p.pti - p.ptd * static_cast<real>(n - 1)) / p.ptd;
  if (!(r > remainder_adjusted)) return;
  const bool report = r > remainder_reported;
  if (report) {
    warninghead(scptend_header);
    ItemLine().text("Calculation type =").integer(type, int_width).write();
    say("np computed from td with:");
    ItemLine().text(" mp  =").integer(curve_buffer_points, int_width).write();
    ItemLine().text(" np  =").integer(p.np, int_width).write();
    ItemLine().text(" pti =").fixed(p.pti, 8, 3).write();
    ItemLine().text(" ptf =").fixed(p.ptf, 8, 3).write();
    ItemLine().text(" ptd =").fixed(p.ptd, 8, 3).write();
    ItemLine().text(" remainder/ptd =").fixed(r, 8, 3).write();
    say("==> large remainder");
  }
  if (type == 2) {
    p.ptd = n == 1 ? real(0) : (p.ptf - p.pti) / p.rnseg;
    if (report) {
      say("RECOMPUTED VALUE:");
      ItemLine().text(" ptd =").fixed(p.ptd, 8, 3).write();
    }
  } else if (report) {
    say("==> final point is not reached");
  }
  if (report) warningtail00();
}

// The starting value of a setter: the current value, the default, or else
// the value passed.
template <class T, class D>
void starting_value(T& v, SetupMode mode, const T& current, const D& def) {
  if (mode.from_stored()) {
    v = current;
  } else if (mode.from_defaults()) {
    v = def;
  }
}

}  // namespace

void scptnp(int& np, SetupMode mode) {
  starting_value(np, mode, ptblock.np, default_np);
  if (mode.from_defaults()) {
    announce(scptnp_header);
    ItemLine().text("INITIALIZING NUMBER OF POINTS TO:").integer(np, np_width).write();
  }
  if (mode.shows_menu()) {
    menu_loop(scptnp_header,
              MenuTable{.rows = {dash_row(),
                                 {.label = "RUNNING POINT PARAMETERS:"},
                                 dash_row(),
                                 {.label = "max nb of points ................",
                                  .value = shows_integer(curve_buffer_points, np_width)},
                                 {.choice = 10,
                                  .label = "nb of points ",
                                  .action = [&np] { ask_int_in(np, "nb of pts per curve", 1, curve_buffer_points); },
                                  .value = shows_integer(np, np_width)},
                                 {.label = "nb of segments ..................",
                                  .value = [&np](ItemLine& l) { l.integer(static_cast<long long>(np) - 1, np_width); }},
                                 dash_row()},
                        .width = 33});
  }
  if (np > curve_buffer_points) {
    warninghead(scptnp_header);
    say("nb of points = " + edit::i(np, np_width) + " > plot buffer size = " +
         edit::i(curve_buffer_points, np_width));
    np = curve_buffer_points;
    ItemLine().text("===> reset nb of points =").integer(np, np_width).write();
    say("===> WILL NOT PLOT ALL THE DATA");
    warningtail00();
  }
  if (np == 1 && !mode.matches(setup::single_point_quietly)) {
    warninghead(scptnp_header);
    ItemLine().text("nb of points =").integer(np, np_width).write();
    say("===> WILL PLOT ONLY ONE POINT");
    warningtail00();
  }
  if (np < 1) {
    errorhead(scptnp_header);
    ItemLine().text("nb of points np =").integer(np, np_width).write();
    say("===> UPSTREAM PROBLEM ?");
    say("Increment inconsistent with bounds ?");
    np = 1;
    ItemLine().text("===> RESETTING np =").integer(np, np_width).write();
    errortail00();
  }
  ptblock.np = np;
}

namespace {

// The menu of one running-point value: its rows between the rules under
// the title.
void value_menu(const Header& h, std::vector<MenuRow> rows) {
  menu_loop(
      h,
      MenuTable{.rows = joined({{dash_row(), {.label = "RUNNING POINT parameters :"}, dash_row()}, rows, {dash_row()}}),
                .width = 33});
}

}  // namespace

void scptif(real& pti, real& ptf, SetupMode mode) {
  starting_value(pti, mode, ptblock.pti, default_pti);
  starting_value(ptf, mode, ptblock.ptf, default_ptf);
  if (mode.shows_menu()) {
    value_menu(scptif_header, {{.choice = 10,
                                .label = "initial value ",
                                .action = [&pti] { ask_real(pti, "initial value"); },
                                .value = shows_fixed(pti)},
                               {.choice = 11,
                                .label = "final   value ",
                                .action = [&ptf] { ask_real(ptf, "final value"); },
                                .value = shows_fixed(ptf)}});
  }
  ptblock.pti = pti;
  ptblock.ptf = ptf;
}

void scptd(real& ptd, SetupMode mode) {
  starting_value(ptd, mode, ptblock.ptd, default_ptd);
  if (mode.shows_menu()) {
    value_menu(scptd_header, {{.choice = 10,
                               .label = "increment ",
                               .action = [&ptd] { ask_real(ptd, "increment"); },
                               .value = shows_fixed(ptd)}});
  }
  ptblock.ptd = ptd;
}

void scptnam(std::string& name, SetupMode mode) {
  const std::string current = ptblock.ptname, def(default_ptname);
  starting_value(name, mode, current, def);
  if (mode.shows_menu()) {
    value_menu(scptnam_header, {{.choice = 10,
                                 .label = "name ",
                                 .action = [&name] { ask_text(name, "running point parameter name"); },
                                 .value = shows_text(name)}});
  }
  ptblock.ptname = edit::pad(name, name_length);
  subtail(scptnam_header);
}

void scptend(int itype, SetupMode mode) {
  const bool rebuild = itype < keep_texts;
  int type = rebuild ? itype : itype - keep_texts;
  if (mode.shows_menu()) scall(setup::menu_from_passed);
  PtBlock& p = ptblock;
  for (;;) {
    if (type == 0 || type == 1) {
      // The increment from the number of points.
      p.rnp = static_cast<real>(p.np);
      p.rnseg = p.rnp - real(1);
      if (p.np > 1) {
        p.ptd = (p.ptf - p.pti) / p.rnseg;
        break;
      }
      if (p.np == 1) {
        p.ptd = 0;
        break;
      }
      errorhead(scptend_header);
      ItemLine().text("Calculation type =").integer(type, int_width).write();
      ItemLine().text("Computing increment from np =").integer(p.np, int_width).write();
      say("==> NEED TO SET np > 0");
      errortail00();
      scall(setup::menu_from_passed);
    } else if (type == 2 || type == 3) {
      // The number of points from the increment: the increment must lead
      // from pti towards ptf.
      if ((p.ptf >= p.pti && p.ptd > 0) || (p.ptf < p.pti && p.ptd < 0)) {
        count_from_increment(type, mode);
        break;
      }
      errorhead(scptend_header);
      ItemLine().text("Calculation type =").integer(type, int_width).write();
      say("Computing np from td with:");
      ItemLine().text("  pti =").fixed(p.pti, 8, 3).write();
      ItemLine().text("  ptf =").fixed(p.ptf, 8, 3).write();
      ItemLine().text("  ptd =").fixed(p.ptd, 8, 3).write();
      say("==> INCONSISTENT LOOP");
      say("==> NEED TO CORRECT IT");
      errortail00();
      scall(setup::menu_from_passed);
    } else {
      warninghead(scptend_header);
      ItemLine().text("Calculation type =").integer(type, int_width).write();
      say("==> Unknown");
      say("==> RESETTING TYPE TO USE NP");
      type = 1;
      ItemLine().text("Calculation type =").integer(type, int_width).write();
      warningtail00();
    }
  }
  if (rebuild) rebuild_texts();
}

namespace {

// The fixed-parameter table of the listing and the menu.
void fixed_parameter_table() {
  say("name       value     type   index");
  for (int i = 1; i <= pfixblock.nparfix && i <= max_fixed_parameters; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    std::string line;
    edit::a(line, pfixblock.pfixname[k], 10);
    line += ' ';
    line += edit::pad(pfixblock.pfixvalue[k], 9);
    line += "  ";
    edit::i(line, pfixblock.ipfixtype[k], 1);
    line += " .......";
    edit::i(line, i, 2);
    say(line);
  }
}

void listing() {
  submenuhead(scall_header);
  dash_rule();
  say("                 CURVES");
  say("         1 - FIXED PARAMETERS");
  ItemLine().text("max nb of fixed params    :").integer(max_fixed_parameters, int_width).write();
  ItemLine().text("current nb of fixed params:").integer(pfixblock.nparfix, int_width).write();
  say("current fixed parameters:");
  fixed_parameter_table();
  dash_rule();
  say("         2 - LEVEL PARAMETERS");
  ItemLine().text("level name ...............:").text(plevblock.levname).write();
  ItemLine().text("level initial value ......:").fixed(plevblock.vlevi, 8, 3).write();
  ItemLine().text("level final   value ......:").fixed(plevblock.vlevf, 8, 3).write();
  ItemLine().text("level increment ..........:").fixed(plevblock.vlevd, 8, 3).write();
  ItemLine().text("single level value .......:").fixed(plevblock.vlevi, 8, 3).write();
  ItemLine().text("nb of level curves .......:").integer(plevblock.nlev, int_width).write();
  dash_rule();
  say("         3 - RUNNING POINT PARAMETERS");
  ItemLine().text("max nb of points .........:").integer(curve_buffer_points, int_width).write();
  ItemLine().text("nb of points to draw .....:").integer(ptblock.np, int_width).write();
  ItemLine().text("nb of segments to draw ...:").fixed(ptblock.rnseg, 8, 3).write();
  ItemLine().text("initial value ............:").fixed(ptblock.pti, 8, 3).write();
  ItemLine().text("final   value ............:").fixed(ptblock.ptf, 8, 3).write();
  ItemLine().text("increment ................:").fixed(ptblock.ptd, 8, 3).write();
  ItemLine().text("name .....................:").text(ptblock.ptname).write();
  menutail();
}

// Scratch values handed to the setters.
struct Scratch {
  std::string name = std::string();
  std::string cval = std::string();
  int itype = 0, ival = 0, n = 0;
  real rval = 0, v1 = 0, v2 = 0, v3 = 0;
};

}  // namespace

void scall(SetupMode mode) {
  Scratch s;
  if (mode.from_defaults()) {
    announce(scall_header);
    say("INITIALIZING CURVES PARAMETERS");
    s.n = max_fixed_parameters;
    scparfixnb(s.n, setup::passed);
    for (int i = 1; i <= max_fixed_parameters; ++i) {
      int index = i;
      scparfix1(s.name, s.itype, s.rval, s.ival, s.cval, index, mode);
    }
    scparfixnb(s.n, mode);
    s.itype = 2;
    sclevel2(s.v1, s.v2, s.v3, s.n, s.itype, s.name, mode);
    scptnam(s.name, mode);
    scptnp(s.n, mode);
    scptif(s.v1, s.v2, mode);
    scptd(s.v3, mode);
  }
  if (mode == setup::list_curves) {
    listing();
    return;
  }
  if (mode.silent()) return;
  static constexpr SetupMode setter_mode = setup::menu_from_stored;  // the setters with their menus, from the current values
  const auto count = [](const int& v) { return shows_integer(v, int_width); };
  const auto level = [&s](int type) {
    return [&s, type] {
      s.itype = type;
      sclevel2(s.v1, s.v2, s.v3, s.n, s.itype, s.name, setter_mode);
    };
  };
  const std::vector<MenuRow> fixed_and_count = {
      dash_row(),
      {.label = "           CURVES PARAMETERS"},
      dash_row(),
      {.label = "         1 - FIXED PARAMETERS"},
      {.label = "max nb of fixed params ..........", .value = count(max_fixed_parameters)},
      {.choice = 100,
       .label = "current nb of fixed params ",
       .action = [&s] { scparfixnb(s.n, setter_mode); },
       .value = count(pfixblock.nparfix)},
      {.label = "current fixed parameters:"},
      // Each fixed parameter's line ends with its index, the choice that
      // edits it (the table's `otherwise`).
      {.draw = fixed_parameter_table},
      dash_row(),
      {.label = "         2 - LEVEL PARAMETERS"},
      {.choice = 200, .label = "nb of level curves ", .action = level(1), .value = count(plevblock.nlev)}};
  const std::vector<MenuRow> level_values =
      rows_of_choice(210, {{.label = "level initial value ", .action = level(2), .value = shows_fixed(plevblock.vlevi)},
                           {.label = "level final   value ", .value = shows_fixed(plevblock.vlevf)},
                           {.label = "level increment ", .value = shows_fixed(plevblock.vlevd)},
                           {.label = "single level value ", .value = shows_fixed(plevblock.vlevi)},
                           {.label = "level name ", .value = shows_text(plevblock.levname)}});
  const std::vector<MenuRow> point_title = {
      dash_row(),
      {.label = "         3 - RUNNING POINT PARAMETERS"},
      {.label = "max nb of points ................", .value = count(curve_buffer_points)}};
  const std::vector<MenuRow> point_count = rows_of_choice(
      300,
      {{.label = "nb of points to draw ", .action = [&s] { scptnp(s.n, setter_mode); }, .value = count(ptblock.np)},
       {.label = "nb of segments to draw ", .value = shows_fixed(ptblock.rnseg)}});
  const std::vector<MenuRow> point_bounds =
      rows_of_choice(310, {{.label = "initial value ",
                            .action = [&s] { scptif(s.v1, s.v2, setter_mode); },
                            .value = shows_fixed(ptblock.pti)},
                           {.label = "final   value ", .value = shows_fixed(ptblock.ptf)}});
  const std::vector<MenuRow> point_rest = {{.choice = 320,
                                            .label = "increment ",
                                            .action = [&s] { scptd(s.v3, setter_mode); },
                                            .value = shows_fixed(ptblock.ptd)},
                                           {.choice = 330,
                                            .label = "name ",
                                            .action = [&s] { scptnam(s.name, setter_mode); },
                                            .value = shows_text(ptblock.ptname)},
                                           dash_row()};
  const MenuTable menu{
      .rows = joined({fixed_and_count, level_values, point_title, point_count, point_bounds, point_rest}),
      .width = 33,
      .otherwise =
          [&s](int choice) {
            int index = choice;
            scparfix1(s.name, s.itype, s.rval, s.ival, s.cval, index, setter_mode);
          },
      .answers = [](int choice) { return choice >= 1 && choice <= pfixblock.nparfix; }};
  menu_loop(scall_header, menu);
}

}  // namespace dorvix
