// The levels of a family of curves (a series of values from an initial to
// a final value, by count or by increment, or a single level) and up to
// four named fixed curve parameters with a real, integer or text value,
// each with its setter and menu. They serve the dialogue and the listing
// of the curve parameters.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/number_writers.hpp"
#include "dialogue/prompts.hpp"
#include "dialogue/range_checks.hpp"
#include "numbers/edit.hpp"
#include "plot/draw.hpp"
#include "plot/point_counts.hpp"

namespace dorvix {


namespace {

constexpr Header sclevel2_header{"sclevel2", " 4.0", "22-07-2008"};
constexpr Header scparfixnb_header{"scparfixnb", " 2.0", "21-05-2008"};
constexpr Header scparfix_header{"scparfix", " 6.0", "21-05-2008"};

// Defaults of the levels: 11 levels from 0 to 1 by 0.1, by count.
constexpr real default_vinit = 0.0f, default_vfinal = 1.0f, default_vinc = 0.1f;
constexpr int default_nlev = 11;
constexpr std::string_view default_levname = "level";
// Defaults of a fixed parameter.
constexpr std::string_view default_parname = "parameter";
constexpr std::string_view no_value = "---";

constexpr int level_width = 4;  // integer columns of the level lines
constexpr int fixed_width = 6;  // integer columns of the fixed-parameter lines

// Record texts: names of 5 characters, level texts of 51 and 56, fixed
// values of 12 and descriptions of 17 (built in 20).
constexpr std::size_t name_length = 5;
constexpr std::size_t value_length = 12;
constexpr std::size_t info_length = 17;
constexpr std::size_t info_work_length = 20;
constexpr int value_room = 9;  // characters of a value written as text

// A count in the columns of the fixed-parameter lines.
std::function<void(ItemLine&)> shows_count(const int& v) { return shows_integer(v, fixed_width); }

// A level value in its shortest fixed-point form with 3 decimals, at most
// 9 characters.
std::string level_number(real v) {
  std::string t(value_room, ' ');
  int nchar = 0;
  real2charf1(t, nchar, 3, value_room, v);
  return t.substr(0, static_cast<std::size_t>(nchar));
}

void level_lines(int type, bool with_count, int nlev, real vinit, real vfinal, real vinc) {
  ItemLine().text(" Calculation type    =").integer(type, level_width).write();
  if (with_count) ItemLine().text(" nb of levels        =").integer(nlev, level_width).write();
  ItemLine().text(" initial             =").fixed(vinit, 8, 3).write();
  ItemLine().text(" final               =").fixed(vfinal, 8, 3).write();
  ItemLine().text(" increment           =").fixed(vinc, 8, 3).write();
}

// Brings count and increment into agreement by the calculation type.
void compute_levels(real vinit, real vfinal, real& vinc, int& nlev, int& type) {
  for (;;) {
    if (type == 0 || type == 1) {
      if (nlev > 1) {
        vinc = (vfinal - vinit) / static_cast<real>(nlev - 1);
        return;
      }
      if (nlev == 1) {
        vinc = 1.0f;
        return;
      }
      errorhead(sclevel2_header);
      say("Computing increment from nb of curves");
      ItemLine().text(" Calculation type =").integer(type, level_width).write();
      ItemLine().text(" nb of curves =").integer(nlev, level_width).write();
      say("==> NEED nb > 0");
      nlev = 1;
      ItemLine().text("==> RESET nb =").integer(nlev, level_width).write();
      errortail00();
    } else if (type == 2 || type == 3) {
      if ((vfinal >= vinit && vinc > 0) || (vfinal < vinit && vinc < 0)) {
        nlev = clamped_count((vfinal - vinit) / vinc + count_tolerance, max_count) + 1;
        if (nlev < 2) return;
        const real r = (vfinal - vinit - vinc * static_cast<real>(nlev - 1)) / vinc;
        if (!(r > remainder_adjusted)) return;
        const bool report = r > remainder_reported;
        if (report) {
          warninghead(sclevel2_header);
          say("Levels computed from increment:");
          level_lines(type, true, nlev, vinit, vfinal, vinc);
          ItemLine().text(" remainder/increment =").fixed(r, 8, 3).write();
          say("==> large remainder");
        }
        if (type == 2) {
          vinc = (vfinal - vinit) / static_cast<real>(nlev - 1);
          if (report) {
            say("==> RECOMPUTED:");
            ItemLine().text(" increment =").fixed(vinc, 8, 3).write();
          }
        } else if (report) {
          say("==> final level not reached");
        }
        if (report) warningtail00();
        return;
      }
      errorhead(sclevel2_header);
      say("Levels computed from increment:");
      level_lines(type, false, nlev, vinit, vfinal, vinc);
      say("==> INCONSISTENT LOOP");
      say("==> NEED TO CORRECT IT");
      say("==> SETTING SINGLE LEVEL");
      nlev = 1;
      type = 1;
      ItemLine().text(" Nb of levels        =").integer(nlev, level_width).write();
      ItemLine().text(" Calculation type    =").integer(type, level_width).write();
      errortail00();
    } else {  // type 4: a single level
      if (nlev != 1) {
        warninghead(sclevel2_header);
        say("Single level:");
        level_lines(type, true, nlev, vinit, vfinal, vinc);
        nlev = 1;
        say("==> RESETTING:");
        ItemLine().text(" Nb of levels        =").integer(nlev, level_width).write();
        warningtail00();
      }
      return;
    }
  }
}

void ask_increment(real& vinc) {
  for (;;) {
    ask_real(vinc, "level increment value >0<");
    if (vinc != 0) return;
    const CommandFileStop stop = stop_command_file();
    warninghead(sclevel2_header);
    ItemLine().text("Increment =").fixed(vinc, 8, 3).write();
    say("Increment MUST be non zero");
    stop.say_where();
    say("==> BACK TO QUERY");
    warningtail00();
  }
}

void ask_count(int& nlev) {
  for (;;) {
    ask_int(nlev, "nb of level curves");
    if (nlev > 0) return;
    const CommandFileStop stop = stop_command_file();
    warninghead(sclevel2_header);
    ItemLine().text("Nb of level curves =").integer(nlev, level_width).write();
    say("MUST BE > 0");
    stop.say_where();
    say("==> BACK TO QUERY");
    warningtail00();
  }
}

}  // namespace

void sclevel2(real& vinit, real& vfinal, real& vinc, int& nlev, int& itype, std::string& name, SetupMode mode) {
  if (mode.from_stored()) {
    vinit = plevblock.vlevi;
    vfinal = plevblock.vlevf;
    vinc = plevblock.vlevd;
    nlev = plevblock.nlev;
    name = plevblock.levname;
  } else if (mode.from_defaults()) {
    vinit = default_vinit;
    vfinal = default_vfinal;
    vinc = default_vinc;
    nlev = default_nlev;
    name = default_levname;
    itype = 1;
  }
  if (itype < 0 || itype > 4) {
    warninghead(sclevel2_header);
    ItemLine().text("Calculation type =").integer(itype, level_width).write();
    say("==> Unknown");
    say("==> RESETTING TYPE TO USE INCREMENT");
    itype = 2;
    ItemLine().text("Calculation type =").integer(itype, level_width).write();
    warningtail00();
  }
  compute_levels(vinit, vfinal, vinc, nlev, itype);
  if (mode.shows_menu()) {
    const auto compute = [&] { compute_levels(vinit, vfinal, vinc, nlev, itype); };
    const std::function<void()> ask_initial = [&] { ask_real(vinit, "level initial value"); };
    const std::function<void()> ask_final = [&] { ask_real(vfinal, "level final value"); };
    const std::function<void()> by_increment = [&] {
      itype = 2;
      ask_increment(vinc);
    };
    const std::function<void()> by_count = [&] {
      itype = 1;
      ask_count(nlev);
    };
    // A choice whose questions are asked in turn, the levels then brought
    // into agreement.
    const auto level_row = [&compute](int choice, std::string_view label, std::vector<std::function<void()>> steps,
                                      std::function<void(ItemLine&)> shows = {}) {
      return MenuRow{.choice = choice,
                     .label = label,
                     .action =
                         [steps = std::move(steps), &compute] {
                           for (const auto& step : steps) step();
                           compute();
                         },
                     .value = std::move(shows)};
    };
    // Every choice but the single level is followed by the computation.
    const MenuTable menu{.rows = {dash_row(),
                                  {.label = "         CURVES LEVEL PARAMETER"},
                                  dash_row(),
                                  {.label = "level name       :", .value = shows_text(name)},
                                  {.label = "Calculation type =", .value = shows_integer(itype, level_width)},
                                  level_row(10, "level initial value ", {ask_initial}, shows_fixed(vinit)),
                                  level_row(11, "level final   value ", {ask_final}, shows_fixed(vfinal)),
                                  level_row(12, "level increment ", {by_increment}, shows_fixed(vinc)),
                                  level_row(13, "modify init, final & inc ", {ask_initial, ask_final, by_increment}),
                                  level_row(14, "nb of level curves ", {by_count}, shows_integer(nlev, level_width)),
                                  level_row(15, "modify init, final & nb ", {ask_initial, ask_final, by_count}),
                                  {.choice = 20,
                                   .label = "single level value ",
                                   .action =
                                       [&] {
                                         // One level: nothing to compute.
                                         ask_real(vinit, "single level value");
                                         nlev = 1;
                                         vfinal = vinit;
                                         vinc = 1.0f;
                                         itype = 4;
                                       },
                                   .value = shows_fixed(vinit)},
                                  dash_row()},
                         .width = 33};
    // A choice the menu does not offer is followed by the computation too,
    // and stops a command file that gave it.
    menu_loop(
        sclevel2_header, [&menu] { show_rows(menu); },
        [&](int choice) {
          const Reply r = reply(menu, choice);
          if (r == Reply::unknown) compute();
          return r;
        });
  }
  PlevBlock& b = plevblock;
  b.vlevi = vinit;
  b.vlevf = vfinal;
  b.vlevd = vinc;
  b.nlev = nlev;
  b.levname = edit::pad(name, name_length);
  b.levtext = edit::pad(" init = " + level_number(vinit) + " final = " + level_number(vfinal) + " inc = " +
                            level_number(vinc),
                        b.levtext.size());
  b.levlabel = edit::pad(std::string(trimmed(b.levname)) + b.levtext, b.levlabel.size());
}

void scparfixnb(int& nparfix, SetupMode mode) {
  if (mode.from_stored()) {
    nparfix = pfixblock.nparfix;
  } else if (mode.from_defaults()) {
    nparfix = 0;
  }
  int istat = 0;
  cinvin(nparfix, 0, max_fixed_parameters, "scparfixnb", "nparfixa", istat);
  if (istat != 0) {
    nparfix = max_fixed_parameters;
    ItemLine().text("  ===> reset nparfixa =").integer(nparfix, fixed_width).write();
  }
  if (mode.shows_menu()) {
    menu_loop(
        scparfixnb_header,
        MenuTable{
            .rows = {dash_row(),
                     {.label = "          CURVES FIXED PARAMETERS"},
                     dash_row(),
                     {.label = "max nb of fixed params ..........", .value = shows_count(max_fixed_parameters)},
                     {.choice = 10,
                      .label = "current nb of fixed params ",
                      .action = [&nparfix] { ask_int_in(nparfix, "nb of fixed parameters", 1, max_fixed_parameters); },
                      .value = shows_count(nparfix)},
                     dash_row()},
            .width = 33});
  }
  pfixblock.nparfix = nparfix;
}

namespace {

// A fixed parameter's value as a text of at least 12 characters: a real in
// 9 characters by magnitude, an integer left-aligned.
void value_text(std::string& cval, int type, real rval, int ival) {
  std::string t(std::max(cval.size(), value_length), ' ');
  if (type == 1) {
    caream(t, value_room, rval);
  } else {
    int nchar = 0;
    carinm2(t, nchar, value_room, ival);
  }
  cval = t;
}

// The one-line description: the name, and " = " with the value for types
// 1 to 3.
std::string description(std::string_view name, int type, std::string_view cval) {
  std::string d(trimmed(name));
  if (type != 0) d += " = " + std::string(trimmed(cval));
  return edit::pad(d, info_work_length);
}

// Values brought in line with the type.
void align_values(int type, real& rval, int& ival, std::string& cval) {
  switch (type) {
    case 0:
      rval = 0;
      ival = 0;
      cval = no_value;
      break;
    case 1:
      ival = truncated_int(rval);
      value_text(cval, type, rval, ival);
      break;
    case 2:
      rval = static_cast<real>(ival);
      value_text(cval, type, rval, ival);
      break;
    default:
      rval = 0;
      ival = 0;
      break;
  }
}

// The parameter types, the answers of the type's question.
void type_list() {
  const std::string rule28(28, '-');
  say(rule28);
  say("Parameter type:");
  show_rows({.rows = {{.choice = 0, .label = "name only - no value "},
                      {.choice = 1, .label = "real"},
                      {.choice = 2, .label = "integer"},
                      {.choice = 3, .label = "character"}},
             .width = 28});
  say(rule28);
}

void wrong_type_box() {
  warninghead(scparfix_header);
  say("Wrong type of parameter");
  say("=====> NO ACTION");
  warningtail0(0);
}

}  // namespace

void scparfix1(std::string& name, int& itype, real& rval, int& ival, std::string& cval, int& index,
               SetupMode mode) {
  PfixBlock& b = pfixblock;
  if (mode.from_stored() && index >= 1 && index <= max_fixed_parameters) {
    // A slot outside the four is not read: the checks below reset it.
    const auto k = static_cast<std::size_t>(index - 1);
    name = b.pfixname[k];
    itype = b.ipfixtype[k];
    rval = b.pfix[k];
    ival = b.ipfix[k];
    cval = b.pfixvalue[k];
  } else if (mode.from_defaults()) {
    name = default_parname;
    itype = 1;
    rval = 0;
  }
  int istat = 0;
  cinvin(itype, 0, 3, "scparfix", "ipfixtypea", istat);
  if (istat != 0) {
    itype = 0;
    ItemLine().text("  ===> reset ipfixtypea =").integer(itype, fixed_width).write();
  }
  if (b.nparfix < 1) {
    warninghead(scparfix_header);
    ItemLine().text("nparfix =").integer(b.nparfix, fixed_width).write();
    say("=====> NO ACTION");
    warningtail0(0);
    return;
  }
  const int in_use = std::min(b.nparfix, max_fixed_parameters);
  cinvin(index, 1, in_use, "scparfix", "ifix1", istat);
  if (istat != 0) {
    index = in_use;
    ItemLine().text("  ===> reset ifix1 =").integer(index, fixed_width).write();
  }
  align_values(itype, rval, ival, cval);
  std::string info = description(name, itype, cval);

  if (mode.shows_menu()) {
    const auto describe = [&] { info = description(name, itype, cval); };
    // The value of the parameter's type: the other types' lines carry no
    // number, and their choices are refused.
    const auto value_row = [&](int choice, std::string_view label, int type,
                               std::function<void(ItemLine&)> shows) -> MenuRow {
      return {.choice = choice,
              .label = label,
              .action =
                  [&, type] {
                    if (itype != type) {
                      wrong_type_box();
                      return;
                    }
                    if (itype == 1) ask_real(rval, name);
                    if (itype == 2) ask_int(ival, name);
                    if (itype == 3) ask_text(cval, name);
                    align_values(itype, rval, ival, cval);
                    describe();
                  },
              .value = std::move(shows),
              .offered = [&itype, type] { return itype == type; }};
    };
    const MenuTable menu{
        .rows = {dash_row(),
                 {.label = "          CURVES FIXED PARAMETERS"},
                 dash_row(),
                 {.label = "max nb of fixed params .........", .value = shows_count(max_fixed_parameters)},
                 {.label = "current nb of fixed params .....", .value = shows_count(b.nparfix)},
                 dash_row(),
                 {.label = "Parameter to modify"},
                 dash_row(),
                 {.label = "index  ..........................", .value = shows_count(index)},
                 {.choice = 10,
                  .label = "name ",
                  .action =
                      [&] {
                        ask_text(name, "parameter name");
                        if (itype == 0) align_values(itype, rval, ival, cval);
                        describe();
                      },
                  .value = shows_text(name)},
                 {.choice = 20,
                  .label = "type ",
                  .action =
                      [&itype] {
                        type_list();
                        ask_int_in(itype, "your choice", 0, 3);
                      },
                  .value = shows_count(itype)},
                 value_row(30, "real      value ", 1, shows_fixed(rval)),
                 value_row(40, "integer   value ", 2, shows_count(ival)),
                 value_row(50, "character value ", 3, shows_text(cval)),
                 {.label = "info:", .value = shows_text(info)},
                 dash_row()},
        .width = 33};
    menu_loop(scparfix_header, menu, MenuStyle{.prompt = Prompt::with_default});
  }
  const auto k = static_cast<std::size_t>(index - 1);
  b.pfixname[k] = edit::pad(name, name_length);
  b.ipfixtype[k] = itype;
  b.pfix[k] = rval;
  b.ipfix[k] = ival;
  b.pfixvalue[k] = edit::pad(cval, value_length);
  b.pfixinfo[k] = edit::pad(info, info_length);
}

}  // namespace dorvix
