// The map driver: settings, menu and plot file; the run is map/map_run.cpp.

#include "map/map_driver.hpp"

#include <string>

#include "catalogue/angles.hpp"
#include "catalogue/extraction_criteria.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/menu_loop.hpp"
#include "console/prompts.hpp"
#include "map/map_run.hpp"
#include "map/point_menu.hpp"
#include "map/stress_symbols.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "projection/graticule.hpp"
#include "projection/projection_menu.hpp"

namespace dorvix {

namespace {

constexpr int opt_open_plot = 10;
constexpr int opt_scaling = 11;
constexpr int opt_plot_parameters = 12;
constexpr int opt_fit = 15;
constexpr int opt_close_plot = 20;
constexpr int opt_projection = 300;
constexpr int opt_epicentre_symbol = 310;
constexpr int opt_stress_symbols = 315;
constexpr int opt_graticule = 320;
constexpr int opt_window_from_tests = 330;
constexpr int opt_contours = 340;
constexpr int opt_epicentres = 341;
constexpr int opt_stress = 342;
constexpr int opt_points = 343;
constexpr int opt_threshold = 400;
constexpr int opt_help = 900;
constexpr int opt_run = 1000;

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

void flag_line(std::string_view text, bool v) { ItemLine().text(text).text(edit::l(v, 1)).write(); }

void show_menu(int ndatdim, int ndat) {
  const MapSettings& s = settings;
  const std::string section_rule(32, '-');
  dash_rule();
  say("SET UP:");
  say(section_rule);
  say("PLOT:");
  ItemLine().text("plot file name:").text(s.cplotfile.substr(0, 20)).write();
  say("open plot file  ..............10");
  say("scaling ......................11");
  say("plot parameters ..............12");
  flag_line("scale to fit grid ............15", s.run.lscalegrid);
  say("close file = end plot ........20");
  say(section_rule);
  say("MAP:");
  say("projection ..................300");
  say("Epicenter symbol type .......310");
  say("Symbols size + Sh type ......315");
  say("lat long grid ...............320");
  say("grid bounds from test bounds 330");
  flag_line("Plot contours ...............340", s.run.lcontours);
  flag_line("plot epicenters .............341", s.run.lepicenter);
  flag_line("plot sh directions ..........342", s.run.lshdir);
  flag_line("plot symbol lat-long ........343", s.run.lsymbll);
  say(section_rule);
  say("DATA:");
  ItemLine().text("maximum nb of data =").integer(ndatdim, 6).write();
  ItemLine().text("current nb of data =").integer(ndat, 6).write();
  ItemLine().text("plunge threshold for isv ....400").fixed(s.plthresh, 8, 3).write();
  dash_rule();
  say("RUN = CREATE MAP ...........1000");
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

void act(int choice, int ksub) {
  MapSwitches& r = settings.run;
  int istat = 0;
  switch (choice) {
    case opt_scaling: {
      ssubplot(ksub, setup::passed);
      real x0 = 0, y0 = 0, xx = 0, xy = 0, yx = 0, yy = 0;
      sus2cm1(x0, y0, xx, xy, yx, yy, setup::menu_from_stored);
      break;
    }
    case opt_plot_parameters:
      splotparam2(setup::menu_from_passed);
      break;
    case opt_fit:
      ask_flag(r.lscalegrid, edit::pad("scale plot to grid", prompt_width));
      break;
    case opt_projection: {
      int iproj = 1;
      sprojll2(iproj, setup::menu_from_stored);
      break;
    }
    case opt_epicentre_symbol:
      say(edit::pad("choose epicenter symbol", prompt_width));
      ssymboltype(r.iepisymb, setup::menu_from_passed);
      break;
    case opt_stress_symbols: {
      real major = 0, minor = 0;
      int iepi = 0, isha = 0;
      smapsh2(major, minor, iepi, isha, setup::menu_from_stored);
      break;
    }
    case opt_graticule: {
      GridValues grid;
      sllgrid3(grid, setup::menu_from_stored);
      break;
    }
    case opt_window_from_tests:
      window_from_tests();
      break;
    case opt_contours:
      ask_flag(r.lcontours, edit::pad("Plot contours", prompt_width));
      break;
    case opt_epicentres:
      ask_flag(r.lepicenter, edit::pad("Plot epicenters", prompt_width));
      break;
    case opt_stress:
      ask_flag(r.lshdir, edit::pad("plot sh directions", prompt_width));
      break;
    case opt_points:
      ask_flag(r.lsymbll, edit::pad("symbol lat-long", prompt_width));
      break;
    case opt_threshold: {
      const real def = settings.plthresh;
      inrealdef(settings.plthresh, edit::pad("plunge threshold for isv in deg", prompt_width), def, istat);
      r.threshold = rad(settings.plthresh);
      break;
    }
    case opt_help:
      help_box();
      break;
    default:
      break;
  }
}

// The plot file after a choice: closed for 20; for a run, a new page of
// the open file or a file opened; opened for 10 (only a warning when one is
// open). A file the driver opens starts with the default fill style.
void plot_file(int choice, SymbolState& symbols) {
  if (choice == opt_close_plot) {
    plend();
    return;
  }
  if (choice != opt_open_plot && choice != opt_run) return;
  if (choice == opt_run && iocom.lplotop) {
    newpage();
    return;
  }
  if (open_driver_plot(settings.cplotfile, map_plot_name_width)) symbols.save();
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
  menu_loop(
      mapseis_header, [&] { show_menu(d.ndatdim, d.ndat); },
      [&](int choice) {
        act(choice, d.ksub);
        plot_file(choice, symbols);
        if (choice == opt_run) map_run(d, settings.run);
      },
      MenuStyle{
          .exit_line = "EXIT .........................99", .prompt = Prompt::with_default, .body_at_level_2 = true});
  symbols.restore();
}

}  // namespace dorvix
