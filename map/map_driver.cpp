// The map driver: settings, menu and plot file; the run is map/map_run.cpp.

#include "map/map_driver.hpp"

#include <string>
#include <string_view>

#include "catalogue/extraction_tests.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "map/map_run.hpp"
#include "map/point_menu.hpp"
#include "map/stress_symbols.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "projection/graticule.hpp"
#include "projection/projection_menu.hpp"

namespace dorvix {

namespace {

// The map's frame before any fit: origin 10, 8 cm, 2.5 cm a map unit.
constexpr real frame_x0 = 10.0f, frame_y0 = 8.0f, frame_scale = 2.5f;

constexpr std::size_t prompt_width = 35;

struct MapSettings {
  std::string cplotfile = edit::pad("seis.map.ps", map_plot_name_width);
  MapSwitches run;
  real plthresh = 0.0f;  // plunge threshold of the vertical axis, degrees
};
MapSettings settings;

// The symbol size and type in force when the call found the plot open, or
// right after it opened one: set again when the user leaves.
struct SymbolState {
  bool saved = false;
  real size = 0;
  int type = 0;
  void save() {
    ssymbolsize(size, setup::stored);
    ssymboltype(type, setup::stored);
    saved = true;
  }
  void restore() {
    if (!saved || !iocom.lplotop) return;
    ssymbolsize(size, setup::passed);
    ssymboltype(type, setup::passed);
  }
};

void initialise(int ksub, SetupMode mode) {
  submenuhead(mapseis_header);
  say("INITIALIZING MAP PARAMETERS");
  settings = MapSettings{};
  ssubplot(ksub, setup::passed);
  real x0 = frame_x0, y0 = frame_y0, xx = frame_scale, xy = 0.0f, yx = 0.0f, yy = frame_scale;
  sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
  GridValues grid;
  sllgrid3(grid, mode);
  int iproj = 0;
  sprojll2(iproj, mode);
  bool project = true;
  mappoint(project, mode);
  real major = 0, minor = 0;
  int iepi = 0, isha = 0;
  smapsh2(major, minor, iepi, isha, mode);
}

void help_box() {
  submenuhead(mapseis_header);
  const std::string equals(43, '=');
  say(equals);
  say(edit::pad(std::string(16, ' ') + "HELP DESK:", 43));
  say(edit::pad("  call   the dorvix issue tracker", 43));
  say(equals);
}

// Option 330: the graticule window becomes the extraction bounds; the
// spacings, sampling, ticks, grid type and decimals stay.
void window_from_tests() {
  GridValues grid;
  sllgrid3(grid, setup::stored);
  real depthmin = 0, depthmax = 0;
  gscseistest(grid.latmin, grid.latmax, grid.lonmin, grid.lonmax, depthmin, depthmax);
  sllgrid3(grid, setup::passed);
}

// A switch of the menu and its question.
MenuRow switch_row(int choice, std::string_view label, bool& v, std::string_view question) {
  return {.choice = choice,
          .label = label,
          .action = [&v, question] { ask_flag(v, edit::pad(question, prompt_width)); },
          .value = shows_flag(v)};
}

// The plot file of the driver, opened with the default fill style (only a
// warning when one is open); the symbol attributes in force are then kept.
void open_plot(SymbolState& symbols) {
  if (open_driver_plot(settings.cplotfile, map_plot_name_width)) symbols.save();
}

// The driver's menu, drawn while the second output level is on. A run draws
// on a new page of the open plot file, or on a file it opens.
MenuTable driver_menu(const MapData& data, int& ksub, SymbolState& symbols) {
  MapSettings& s = settings;
  MapSwitches& r = s.run;
  static const std::string section_rule(32, '-');
  return MenuTable{
      .rows = {
          {.draw = dash_rule},
          {.label = "SET UP:"},
          {.label = section_rule},
          {.label = "PLOT:"},
          {.label = "plot file name:", .value = [](ItemLine& l) { l.text(s.cplotfile.substr(0, 20)); }},
          {.choice = 10, .label = "open plot file  ", .action = [&symbols] { open_plot(symbols); }},
          {.choice = 11,
           .label = "scaling ",
           .action =
               [&ksub] {
                 ssubplot(ksub, setup::passed);
                 real x0 = 0, y0 = 0, xx = 0, xy = 0, yx = 0, yy = 0;
                 sus2cm1(x0, y0, xx, xy, yx, yy, setup::menu_from_stored);
               }},
          {.choice = 12, .label = "plot parameters ", .action = [] { splotparam2(setup::menu_from_passed); }},
          switch_row(15, "scale to fit grid ", r.lscalegrid, "scale plot to grid"),
          {.choice = 20, .label = "close file = end plot ", .action = plend},
          {.label = section_rule},
          {.label = "MAP:"},
          {.choice = 300,
           .label = "projection ",
           .action =
               [] {
                 int iproj = 1;
                 sprojll2(iproj, setup::menu_from_stored);
               }},
          {.choice = 310,
           .label = "Epicenter symbol type ",
           .action =
               [] {
                 say(edit::pad("choose epicenter symbol", prompt_width));
                 ssymboltype(r.iepisymb, setup::menu_from_passed);
               }},
          {.choice = 315,
           .label = "Symbols size + Sh type ",
           .action =
               [] {
                 real major = 0, minor = 0;
                 int iepi = 0, isha = 0;
                 smapsh2(major, minor, iepi, isha, setup::menu_from_stored);
               }},
          {.choice = 320,
           .label = "lat long grid ",
           .action =
               [] {
                 GridValues grid;
                 sllgrid3(grid, setup::menu_from_stored);
               }},
          {.choice = 330, .label = "grid bounds from test bounds ", .action = window_from_tests},
          switch_row(340, "Plot contours ", r.lcontours, "Plot contours"),
          switch_row(341, "plot epicenters ", r.lepicenter, "Plot epicenters"),
          switch_row(342, "plot sh directions ", r.lshdir, "plot sh directions"),
          switch_row(343, "plot symbol lat-long ", r.lsymbll, "symbol lat-long"),
          {.label = section_rule},
          {.label = "DATA:"},
          {.label = "maximum nb of data =", .value = shows_integer(data.ndatdim, 6)},
          {.label = "current nb of data =", .value = shows_integer(data.ndat, 6)},
          {.choice = 400,
           .label = "plunge threshold for isv ",
           .action =
               [] {
                 int istat = 0;
                 const real def = s.plthresh;
                 inrealdef(s.plthresh, edit::pad("plunge threshold for isv in deg", prompt_width), def, istat);
                 r.threshold = rad(s.plthresh);
               },
           .value = shows_fixed(s.plthresh, 8, 3)},
          {.draw = dash_rule},
          {.choice = 1000,
           .label = "RUN = CREATE MAP ",
           .action =
               [&data, &symbols] {
                 if (map_window_refused(r)) return;
                 if (iocom.lplotop) {
                   newpage();
                 } else {
                   open_plot(symbols);
                 }
                 map_run(data, r);
                 plend_if_failed();
               }},
          {.choice = menu_exit_choice, .label = "EXIT "},
          // Help is answered, though the menu does not list it.
          {.choice = 900, .action = help_box, .shown = [] { return false; }},
      }};
}

}  // namespace

void mapseis4(const MapData& d, SetupMode mode) {
  if (mode.from_defaults()) {
    initialise(d.ksub, mode);
    return;
  }
  ssubinfo(mapseis_header.name, mapseis_header.version, mapseis_header.date, 1, 0);
  settings.run.threshold = rad(settings.plthresh);
  SymbolState symbols;
  if (iocom.lplotop) symbols.save();
  int ksub = d.ksub;
  const MenuTable table = driver_menu(d, ksub, symbols);
  menu_loop(mapseis_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
  symbols.restore();
}

}  // namespace dorvix
