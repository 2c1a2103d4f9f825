// The plot-parameter menu, and the plot state's starting values.
//
// The initialising modes bring the plot state to its start as the mode
// asks: the angle constants, the subplot frames and maps, the colour table
// and the twelve attributes. Every opening of a plot file calls
// setup::all_subplots: the device maps of all subplots are composed from
// the frames they have, subplot 1 becomes current and every attribute
// returns to its default, while the frames and the colour table carry over.
//
// The menu "SETTING PLOT ATTRIBUTES" offers every attribute setter and
// the colour-table routines, and a switch that makes the setters start
// from the values now stored (setup::menu_from_stored) or from their
// defaults (setup::menu_from_defaults).

#include <functional>
#include <string>
#include <vector>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/geometry_notices.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/menu_lines.hpp"

namespace dorvix {

namespace {


constexpr Header splotparam2_header{"splotparam2", " 6.0", "14-05-2010"};

// Length of the scratch colour name handed to the entry routine.
constexpr std::size_t scratch_name_width = 45;

// The modes that initialise: the defaults, setup::all_subplots and
// setup::defaults_but_attributes.
bool initialises(SetupMode inter) {
  return inter.from_defaults() || inter.matches(setup::all_subplots) ||
         inter.matches(setup::defaults_but_attributes);
}

// The defaults with the menu or not, as the mode shows it.
SetupMode defaults_as(SetupMode inter) { return setup::initialise.with_menu(inter.shows_menu()); }

// The subplot maps of an initialisation. setup::all_subplots keeps the
// frames and, with a plot file open, composes every subplot's maps from its
// frame; the other initialising modes reset the frames (the even ones with
// the dialogue of each). Subplot 1 becomes current.
void subplot_maps(SetupMode inter) {
  say("INITIALIZING SUBPLOT SCALING");
  if (iocom.lplotop) {
    say(" 1: CM <-> DE");
    scm2de();
  } else {
    say(" 1: CM <-> DE: untouched (plot file closed)");
  }
  int isub = 1;
  if (inter.matches(setup::all_subplots)) {
    say(" 2: US <-> CM unchanged");
    if (iocom.lplotop) {
      say("    US <-> DE");
      ssubplotmaps();
    } else {
      say("    US <-> DE: untouched (plot file closed)");
    }
    ssubplot(isub, defaults_as(inter));
    return;
  }
  say(" 2: US <-> CM");
  say(iocom.lplotop ? "    US <-> DE" : "    US <-> DE: untouched (plot file closed)");
  const SetupMode all_subplots = setup::all_subplots.with_menu(inter.shows_menu());
  ssubplot(isub, all_subplots);
  real xcm0 = 0, ycm0 = 0, xx = 0, xy = 0, yx = 0, yy = 0;
  sus2cm1(xcm0, ycm0, xx, xy, yx, yy, all_subplots);
}

// The twelve attributes from their defaults, each setter with `mode` (with
// its menu, or announced).
void reset_attributes(SetupMode mode) {
  real r = 0;
  int i = 0;
  slinewidth(r, mode);
  slinestyle(i, mode);
  slinecolor(i, mode);
  stextsize(r, mode);
  stextfont(i, mode);
  stextangle(r, mode);
  stextalign(i, mode);
  stextcolor(i, mode);
  sfillstyle(i, mode);
  sfillcolor(i, mode);
  ssymbolsize(r, mode);
  ssymboltype(i, mode);
}

void initialise(SetupMode inter) {
  const bool keeps_frames = inter.matches(setup::all_subplots);
  if (!keeps_frames) trigoset();
  submenuhead(splotparam2_header);
  say("INITIALIZING PLOT PARAMETERS");
  subplot_maps(inter);
  if (!keeps_frames) scolortable(defaults_as(inter));
  if (!inter.matches(setup::defaults_but_attributes) && iocom.lplotop) reset_attributes(defaults_as(inter));
}

// The colours of the table in use, then one of them (1 to n) to modify
// with the setter mode.
void modify_one_colour(SetupMode mode) {
  int n = 0;
  scolornb(n, setup::stored);
  dash_rule();
  plotmenu::colour_listing_head();
  std::string name(scratch_name_width, ' ');
  real red = 0, green = 0, blue = 0;
  for (int i = 0; i <= n; ++i) {
    int index = i;
    scolorrgb(index, name, red, green, blue, setup::stored);
    plotmenu::colour_listing_row(i, std::string_view(name).substr(0, 10), red, green, blue);
  }
  dash_rule();
  int index = 0;
  int istat = 0;
  inintegvin1(index, "index of color to modify", 1, n, istat);
  scolorrgb(index, name, red, green, blue, mode);
}

std::function<bool()> plot_open(bool open) {
  return [open] { return iocom.lplotop == open; };
}

// A setter called with the menu's mode on a scratch value (the modes of
// the menu start from the stored values or from the defaults).
template <class T, class Set, class Mode>
std::function<void()> on_scratch(Set set, const Mode& mode) {
  return [set, &mode] {
    T v{};
    set(v, mode);
  };
}

// An action taken only while a plot file is open.
std::function<void()> with_open_plot(std::function<void()> set) {
  return [set = std::move(set)] {
    if (iocom.lplotop) set();
  };
}

// An attribute's option, shown and answered only while a plot file is open.
MenuRow attribute_row(int choice, std::string_view label, std::function<void()> set) {
  return {.choice = choice, .label = label, .action = with_open_plot(std::move(set)), .shown = plot_open(true)};
}

// The menu "SETTING PLOT ATTRIBUTES": the switch between the stored values
// and the defaults, the colour-table routines and the attribute setters,
// each called with `mode`, the setters' mode of the choice being answered.
MenuTable parameter_menu(bool& current, const SetupMode& mode) {
  const std::vector<MenuRow> settings = rows_of_choice(
      1, {{.label = " from currently stored",
           .action =
               [&current] {
                 const bool def = current;
                 int istat = 0;
                 inlogicdef(current, "whether to use current(1) or initial(0) parameters", def, istat);
               },
           .value = shows_flag(current)},
          {.label = " from initialisation", .value = [&current](ItemLine& l) { l.text(edit::l(!current, 1)); }}});
  const std::vector<MenuRow> options = {
      dash_row(),
      {.label = "COLOR TABLE:"},
      // The number of colours is asked, like the attributes, only for an open plot.
      {.choice = 50, .label = " nb of color ", .action = with_open_plot(on_scratch<int>(scolornb, mode))},
      {.choice = 51, .label = " rgb values ", .action = [&mode] { modify_one_colour(mode); }},
      {.choice = 52, .label = " color table ", .action = [&mode] { scolortable(mode); }},
      {.label = "LINE ATTRIBUTES:", .shown = plot_open(true)},
      attribute_row(10, " thickness ", on_scratch<real>(slinewidth, mode)),
      attribute_row(11, " style ", on_scratch<int>(slinestyle, mode)),
      attribute_row(12, " color ", on_scratch<int>(slinecolor, mode)),
      {.label = "POLYGON FILL ATTRIBUTES:", .shown = plot_open(true)},
      attribute_row(20, " interior style ", on_scratch<int>(sfillstyle, mode)),
      attribute_row(21, " interior color ", on_scratch<int>(sfillcolor, mode)),
      {.label = "TEXT ATTRIBUTES:", .shown = plot_open(true)},
      attribute_row(30, " font ", on_scratch<int>(stextfont, mode)),
      attribute_row(31, " size ", on_scratch<real>(stextsize, mode)),
      attribute_row(32, " justification ", on_scratch<int>(stextalign, mode)),
      attribute_row(33, " angle ", on_scratch<real>(stextangle, mode)),
      attribute_row(34, " color ", on_scratch<int>(stextcolor, mode)),
      {.label = "SYMBOL ATTRIBUTES:", .shown = plot_open(true)},
      attribute_row(40, " type ", on_scratch<int>(ssymboltype, mode)),
      attribute_row(41, " size ", on_scratch<real>(ssymbolsize, mode)),
      {.label = "THE PLOT IS CLOSED:", .shown = plot_open(false)},
      {.label = " => OTHER SETTINGS WILL BE RESET", .shown = plot_open(false)},
      {.label = "    UPON PLOT OPENING", .shown = plot_open(false)},
      dash_row(),
      {.choice = menu_exit_choice, .label = "EXIT THIS SET UP  "},
  };
  return {.rows = joined(
              {{dash_row(), {.label = "         SETTING PLOT ATTRIBUTES"}, dash_row(), {.label = "GET SETTINGS"}},
               settings,
               options}),
          .width = 29,
          .number_width = 2};
}

void menu(SetupMode inter) {
  bool current = inter.from_passed() || inter.from_stored();
  SetupMode mode = setup::menu_from_stored;
  const MenuTable table = parameter_menu(current, mode);
  menu_loop(
      splotparam2_header, [&table] { show_rows(table); },
      [&](int choice) {
        if (choice == menu_exit_choice) return Reply::leave;
        mode = current ? setup::menu_from_stored : setup::menu_from_defaults;
        return dispatch(table, choice);
      },
      MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

}  // namespace

void splotparam2(SetupMode inter) {
  if (initialises(inter)) initialise(inter);
  if (inter.silent()) return;
  menu(inter);
}

}  // namespace dorvix
