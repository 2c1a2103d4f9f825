#include "map/point_menu.hpp"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colfile/column_reader.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "map/line_file_window.hpp"
#include "numbers/edit.hpp"
#include "plot/buffers.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/running_point_values.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/map_pen.hpp"

namespace dorvix {

namespace {

constexpr Header mappoint_header{"mappoint", " 2.3", "16-04-2010"};

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

// A longitude is placed on the map when the single-precision numbers next
// to it are no farther apart than this, degrees: from 131072 degrees on
// they are 1/64 of a degree apart, and beyond a few million several
// degrees, so that the meridian the longitude was written for is not known.
constexpr real placement_resolution = 0.01f;

bool placeable(real lon) {
  const real m = std::fabs(lon);
  return std::nextafter(m, std::numeric_limits<real>::infinity()) - m <= placement_resolution;
}

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
// latitudes in degrees, each longitude in the turn of the graticule's
// window. A point whose latitude lies beyond a pole is no point of the
// globe, and one whose longitude cannot be placed to a hundredth of a
// degree has no known place: each becomes a point at infinity, whatever
// image the formula would give it.
void project_points(int n) {
  step_rule();
  say("PROJECTING LOCATIONS");
  say("LONG, LAT (input) --> X, Y");
  const auto count = static_cast<std::size_t>(n);
  struct NoPlace {
    std::size_t k;
    real lat;
  };
  std::vector<NoPlace> no_place;
  for (std::size_t k = 0; k < count; ++k) {
    if (!(std::fabs(cc2dbuff.yp[k]) <= pole_latitude) || !placeable(cc2dbuff.xp[k])) {
      no_place.push_back({k, cc2dbuff.yp[k]});
    }
  }
  const WindowTurn turn = graticule_turn();
  for (std::size_t k = 0; k < count; ++k) cc2dbuff.xp[k] = rad(turn.nearest(cc2dbuff.xp[k]));
  deg2rad(cc2dbuff.yp, cc2dbuff.yp, n);
  projlln(cc2dbuff.xp, cc2dbuff.yp, cc2dbuff.xp, cc2dbuff.yp, n);
  for (const NoPlace& b : no_place) {
    cc2dbuff.xp[b.k] = infinite_image;
    cc2dbuff.yp[b.k] = infinity_towards(b.lat);
  }
}

void report_left_out(int left_out, bool iproj) {
  warninghead(mappoint_header);
  ItemLine().text("POINTS WITH NO PLACE ON THE MAP:").integer(left_out, 6).write();
  if (iproj) {
    say("(latitude beyond 90 degrees, longitude of 131072 degrees or more,");
    say(" or no image under this projection)");
  } else {
    say("(too far from the map for the plot file)");
  }
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
  for (int ipt = 1; ipt <= n; ++ipt) {
    const auto k = static_cast<std::size_t>(ipt - 1);
    std::string row = " |";
    edit::i(row, ipt, 3);
    row += '|';
    edit::f(row, cc2dbuff.xp[k], 8, 3);
    row += '|';
    edit::f(row, cc2dbuff.yp[k], 8, 3);
    row += '|';
    put(iocom.iuout, row);
  }
  set_running_index(n > 0 ? n + 1 : 1);
  step_rule();
}

// The single point or the points of a file, projected or not, their
// symbols and their listing.
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

// A plot attribute of the points, edited through its own set-up with its
// menu.
template <class T, class SetUp>
MenuRow attribute_row(int choice, std::string_view label, T& v, SetUp set_up, std::function<void(ItemLine&)> shows) {
  return {.choice = choice, .label = label, .action = [&v, set_up] { set_up(v, setup::menu_from_passed); }, .value = std::move(shows)};
}

// The menu: the switches, the plot attributes and the single point, then
// the plots of the single point and of a file of points.
MenuTable point_menu(bool& iproj) {
  PointSettings& s = settings;
  Attributes& a = s.attributes;
  return MenuTable{
      .rows = {{.draw = dash_rule},
               {.label = "MAPPING POINTS"},
               {.draw = dash_rule},
               setting_row(13, "use projection ", iproj, "project coordinates ?"),
               setting_row(14, "screen listing ", s.listing, "coord on sreen ?"),
               attribute_row(51, "line color ", a.line_colour, slinecolor, shows_integer(a.line_colour, 6)),
               attribute_row(52, "fill color ", a.fill_colour, sfillcolor, shows_integer(a.fill_colour, 6)),
               attribute_row(53, "symbol type ", a.symbol_type, ssymboltype, shows_integer(a.symbol_type, 6)),
               attribute_row(54, "symbol size ", a.symbol_size, ssymbolsize, shows_fixed(a.symbol_size, 8, 3)),
               setting_row(10, "X or longitude ", s.x, 8, 3, "X or long-deg"),
               setting_row(20, "Y or latitude ", s.y, 8, 3, "Y or lat-deg"),
               {.draw = dash_rule},
               {.choice = 100, .label = "Plot single point (x,y ) ", .action = [&iproj] { plot_points(iproj, false); }},
               {.choice = 200, .label = "Plot set of point (file) ", .action = [&iproj] { plot_points(iproj, true); }},
               {.draw = dash_rule},
               {.choice = menu_exit_choice, .label = "RETURN TO MAIN "}},
      .width = 30};
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
  const MenuTable table = point_menu(iproj);
  menu_loop(mappoint_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::without_default});
  install(on_entry);
}

}  // namespace dorvix
