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

#include <string>

#include "catalogue/angles.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/item_lines.hpp"
#include "console/prompts.hpp"
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

void menu_lines(bool current) {
  submenuhead(splotparam2_header);
  if (!iocom.lwito(2)) return;
  dash_rule();
  say("         SETTING PLOT ATTRIBUTES");
  dash_rule();
  say("GET SETTINGS");
  say(std::string(" from currently stored..... 1 ") + (current ? "T" : "F"));
  say(std::string(" from initialisation....... 1 ") + (current ? "F" : "T"));
  dash_rule();
  say("COLOR TABLE:");
  say(" nb of color ..............50");
  say(" rgb values ...............51");
  say(" color table ..............52");
  if (iocom.lplotop) {
    for (std::string_view line :
         {"LINE ATTRIBUTES:", " thickness ................10", " style ....................11",
          " color ....................12", "POLYGON FILL ATTRIBUTES:", " interior style ...........20",
          " interior color ...........21", "TEXT ATTRIBUTES:", " font .....................30",
          " size .....................31", " justification ............32", " angle ....................33",
          " color ....................34", "SYMBOL ATTRIBUTES:", " type .....................40",
          " size .....................41"}) {
      say(line);
    }
  } else {
    say("THE PLOT IS CLOSED:");
    say(" => OTHER SETTINGS WILL BE RESET");
    say("    UPON PLOT OPENING");
  }
  dash_rule();
  say("EXIT THIS SET UP  .........99");
  menutail();
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

// The attribute setter of a menu choice, with the setter mode.
void attribute_option(int choice, SetupMode mode) {
  real r = 0;
  int i = 0;
  switch (choice) {
    case 10:
      slinewidth(r, mode);
      break;
    case 11:
      slinestyle(i, mode);
      break;
    case 12:
      slinecolor(i, mode);
      break;
    case 20:
      sfillstyle(i, mode);
      break;
    case 21:
      sfillcolor(i, mode);
      break;
    case 30:
      stextfont(i, mode);
      break;
    case 31:
      stextsize(r, mode);
      break;
    case 32:
      stextalign(i, mode);
      break;
    case 33:
      stextangle(r, mode);
      break;
    case 34:
      stextcolor(i, mode);
      break;
    case 40:
      ssymboltype(i, mode);
      break;
    case 41:
      ssymbolsize(r, mode);
      break;
    case 50:
      scolornb(i, mode);
      break;
    default:
      break;
  }
}

void menu(SetupMode inter) {
  bool current = inter.from_passed() || inter.from_stored();
  for (;;) {
    const SetupMode mode = current ? setup::menu_from_stored : setup::menu_from_defaults;
    menu_lines(current);
    const int choice = plotmenu::choice();
    switch (choice) {
      case 1: {
        const bool def = current;
        int istat = 0;
        inlogicdef(current, "whether to use current(1) or initial(0) parameters", def, istat);
        break;
      }
      case 51:
        modify_one_colour(mode);
        break;
      case 52:
        scolortable(mode);
        break;
      case 99:
        return;
      default:
        // The attributes, and the number of colours, only for an open plot.
        if (iocom.lplotop) attribute_option(choice, mode);
        break;
    }
  }
}

}  // namespace

void splotparam2(SetupMode inter) {
  if (initialises(inter)) initialise(inter);
  if (inter.silent()) return;
  menu(inter);
}

}  // namespace dorvix
