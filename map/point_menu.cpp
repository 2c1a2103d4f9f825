#include "map/point_menu.hpp"

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "catalogue/angles.hpp"
#include "colfile/column_reader.hpp"
#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/menu_loop.hpp"
#include "plot/buffers.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/ptblock.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/map_pen.hpp"

namespace dorvix {

namespace {

constexpr Header mappoint_header{"mappoint", " 2.3", "16-04-2010"};

constexpr int opt_projection = 13;
constexpr int opt_listing = 14;
constexpr int opt_line_colour = 51;
constexpr int opt_fill_colour = 52;
constexpr int opt_symbol_type = 53;
constexpr int opt_symbol_size = 54;
constexpr int opt_x = 10;
constexpr int opt_y = 20;
constexpr int opt_single_point = 100;
constexpr int opt_file = 200;

// The column file of points: unit, what it is, field lengths of its name,
// title and variable names, and what the user may change in the choice of
// its columns (only the file column of each variable).
constexpr int points_unit = 12;
constexpr std::string_view points_file_explanation = "long-lat data input";
constexpr std::size_t file_name_width = 40;
constexpr std::size_t title_width = 20;
constexpr std::size_t variable_name_width = 10;
constexpr int column_change_level = 1;

// Latitudes beyond this (degrees) are no point of the globe.
constexpr real pole_latitude = 90.0f;

// The plot attributes the points are drawn with.
struct Attributes {
  int line_colour = 1;
  int fill_colour = 1;
  int symbol_type = -5;
  real symbol_size = 0.3f;
};

struct PointSettings {
  bool listing = true;  // list the plotted coordinates
  real x = 0.0f;        // the single point: x or longitude (degrees)
  real y = 0.0f;        // y or latitude
  Attributes attributes;
  std::string file_name = std::string(file_name_width, ' ');  // the column file read last
};
PointSettings settings;

Attributes current_attributes() {
  Attributes a;
  slinecolor(a.line_colour, setup::stored);
  sfillcolor(a.fill_colour, setup::stored);
  ssymboltype(a.symbol_type, setup::stored);
  ssymbolsize(a.symbol_size, setup::stored);
  return a;
}

void install(Attributes a) {
  slinecolor(a.line_colour, setup::passed);
  sfillcolor(a.fill_colour, setup::passed);
  ssymboltype(a.symbol_type, setup::passed);
  ssymbolsize(a.symbol_size, setup::passed);
}

// The rule between the steps of a plot: a blank and 22 "=".
void step_rule() { say(std::string(22, '=')); }

void show_menu(bool iproj) {
  const PointSettings& s = settings;
  dash_rule();
  say("MAPPING POINTS");
  dash_rule();
  ItemLine().text("use projection .............13").text(edit::l(iproj, 1)).write();
  ItemLine().text("screen listing .............14").text(edit::l(s.listing, 1)).write();
  ItemLine().text("line color .................51").integer(s.attributes.line_colour, 6).write();
  ItemLine().text("fill color .................52").integer(s.attributes.fill_colour, 6).write();
  ItemLine().text("symbol type ................53").integer(s.attributes.symbol_type, 6).write();
  ItemLine().text("symbol size ................54").fixed(s.attributes.symbol_size, 8, 3).write();
  ItemLine().text("X or longitude .............10").fixed(s.x, 8, 3).write();
  ItemLine().text("Y or latitude ..............20").fixed(s.y, 8, 3).write();
  dash_rule();
  say("Plot single point (x,y ) ..100");
  say("Plot set of point (file) ..200");
  dash_rule();
}

// The names of the two variables of a point.
using Names = std::array<std::string, 2>;

// Reads a column file of points into the curve buffer, the longitude (or
// x) from file column 1 and the latitude (or y) from file column 2;
// returns the number of points, or -1 when the file was not read.
int read_points(Names& names) {
  int ierr = 0;
  // The header layout starts from the same values at every reading.
  HeaderLayout layout{.ndisp = 4, .iskip = 2, .ititle = 1, .iheader = 2};
  std::array<int, 2> jcola{1, 2}, jfcola{1, 2};
  Names namrcol{std::string(variable_name_width, ' '), std::string(variable_name_width, ' ')};
  std::string title(title_width, ' ');
  const std::array<std::span<real>, 2> columns{std::span<real>(cc2dbuff.xp), std::span<real>(cc2dbuff.yp)};
  ColumnArray data{
      .rdat = columns, .jcola = jcola, .jfcola = jfcola, .namvara = names, .nvar = 2, .namrcol = namrcol};
  readreal6(ierr, title, settings.file_name, points_file_explanation, points_unit, layout, data, column_change_level,
            setup::menu_from_passed);
  if (ierr != 0) {
    warninghead(mappoint_header);
    say("INPUT FILE HAS NOT BEEN READ");
    say("====> NO DATA");
    say("====> SKIPPING PLOT");
    warningtail00();
    return -1;
  }
  say("INPUT FILE HAS BEEN READ");
  ItemLine().text("NB OF DATA =").integer(data.nread, 6).write();
  say("====> GOING TO PLOT");
  return data.nread;
}

// Projects the n points of the curve buffer in place, longitudes and
// latitudes in degrees. A point whose latitude lies beyond a pole is no
// point of the globe: it becomes a point at infinity, whatever image the
// formula would give it.
void project_points(int n) {
  step_rule();
  say("PROJECTING LOCATIONS");
  say("LONG, LAT (input) --> X, Y");
  const auto count = static_cast<std::size_t>(n);
  struct Beyond {
    std::size_t k;
    real lat;
  };
  std::vector<Beyond> beyond_pole;
  for (std::size_t k = 0; k < count; ++k) {
    if (!(std::fabs(cc2dbuff.yp[k]) <= pole_latitude)) beyond_pole.push_back({k, cc2dbuff.yp[k]});
  }
  deg2rad(cc2dbuff.xp, cc2dbuff.xp, n);
  deg2rad(cc2dbuff.yp, cc2dbuff.yp, n);
  projlln(cc2dbuff.xp, cc2dbuff.yp, cc2dbuff.xp, cc2dbuff.yp, n);
  for (const Beyond& b : beyond_pole) {
    cc2dbuff.xp[b.k] = infinite_image;
    cc2dbuff.yp[b.k] = infinity_towards(b.lat);
  }
}

void report_left_out(int left_out, bool iproj) {
  warninghead(mappoint_header);
  ItemLine().text("POINTS WITH NO PLACE ON THE MAP:").integer(left_out, 6).write();
  say(iproj ? "(latitude beyond 90 degrees, or no image under this projection)"
            : "(too far from the map for the plot file)");
  say("==> NOT PLOTTED");
  warningtail00();
}

// The plotted coordinates of the n points, one numbered row each; the
// running point's index counts the rows.
void list_points(const Names& names, int n) {
  step_rule();
  say("Plotted coordinates:");
  step_rule();
  std::string head = " |";
  edit::a(head, "nb", 3);
  for (const std::string& name : names) {
    head += '|';
    edit::a(head, name, 8);
  }
  head += '|';
  put(iocom.iuout, head);
  for (ptblock.ipt = 1; ptblock.ipt <= n; ++ptblock.ipt) {
    const auto k = static_cast<std::size_t>(ptblock.ipt - 1);
    std::string row = " |";
    edit::i(row, ptblock.ipt, 3);
    row += '|';
    edit::f(row, cc2dbuff.xp[k], 8, 3);
    row += '|';
    edit::f(row, cc2dbuff.yp[k], 8, 3);
    row += '|';
    put(iocom.iuout, row);
  }
  step_rule();
}

// Options 100 and 200: the points, projected or not, their symbols and
// their listing.
void plot_points(bool iproj, bool from_file) {
  Names names{edit::pad("X-long", variable_name_width), edit::pad("Y-lat", variable_name_width)};
  int n = 1;
  if (from_file) {
    n = read_points(names);
    if (n < 0) return;
  } else {
    cc2dbuff.xp[0] = settings.x;
    cc2dbuff.yp[0] = settings.y;
  }
  if (iproj) {
    project_points(n);
  } else {
    step_rule();
    say("NO PROJECTION");
    say("X, Y = input ");
    step_rule();
  }
  step_rule();
  say("PLOTTING LOCATION");
  step_rule();
  // Points off the map are drawn, but not those the plot file cannot
  // place: each vertex of their symbols would be clipped with a pausing box.
  const int left_out = map_symbols(cc2dbuff.xp, cc2dbuff.yp, n);
  if (left_out > 0) report_left_out(left_out, iproj);
  if (settings.listing && n > 0) list_points(names, n);
}

void act(int choice, bool& iproj) {
  Attributes& a = settings.attributes;
  switch (choice) {
    case opt_projection:
      ask_flag(iproj, "project coordinates ?");
      break;
    case opt_listing:
      ask_flag(settings.listing, "coord on sreen ?");
      break;
    case opt_line_colour:
      slinecolor(a.line_colour, setup::menu_from_passed);
      break;
    case opt_fill_colour:
      sfillcolor(a.fill_colour, setup::menu_from_passed);
      break;
    case opt_symbol_type:
      ssymboltype(a.symbol_type, setup::menu_from_passed);
      break;
    case opt_symbol_size:
      ssymbolsize(a.symbol_size, setup::menu_from_passed);
      break;
    case opt_x:
      ask_real(settings.x, "X or long-deg");
      break;
    case opt_y:
      ask_real(settings.y, "Y or lat-deg");
      break;
    case opt_single_point:
      plot_points(iproj, false);
      break;
    case opt_file:
      plot_points(iproj, true);
      break;
    default:
      break;
  }
}

}  // namespace

void mappoint(bool& iproj, SetupMode mode) {
  if (mode.from_defaults()) {
    submenuhead(mappoint_header);
    say(edit::pad("INITIALIZING PARAMETERS", 43));
    settings = PointSettings{};
    return;
  }
  const Attributes on_entry = current_attributes();
  install(settings.attributes);
  menu_loop(
      mappoint_header, [&] { show_menu(iproj); }, [&](int choice) { act(choice, iproj); },
      MenuStyle{.exit_line = "RETURN TO MAIN .............99", .prompt = Prompt::without_default});
  install(on_entry);
}

}  // namespace dorvix
