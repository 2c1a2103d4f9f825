#include "projection/graticule_settings.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/answers.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "files/list_read.hpp"
#include "geometry/angles.hpp"
#include "geometry/longitude_turn.hpp"

namespace dorvix {

namespace {

constexpr Header sllgrid3_header{"sllgrid3", " 3.0", "31-05-2010"};

constexpr real latitude_limit = 90.0f;
constexpr int max_grid_type = 3;
constexpr int max_decimals = 4;

GridValues from_record() {
  const GridLl& g = gridll;
  return {.latmin = deg(g.glatmin),
          .latmax = deg(g.glatmax),
          .lonmin = deg(g.glonmin),
          .lonmax = deg(g.glonmax),
          .latinc = deg(g.glatinc),
          .loninc = deg(g.gloninc),
          .npgrid = g.npgrid,
          .ticsize = deg(g.gticsize),
          .nptick = g.nptick,
          .igrid = g.igridtype,
          .ndec = g.ndecgrid};
}

void store(const GridValues& v) {
  gridll = {rad(v.latmin), rad(v.latmax), rad(v.lonmin), rad(v.lonmax), rad(v.latinc), rad(v.loninc),
            rad(v.ticsize), v.npgrid,     v.nptick,      v.igrid,       v.ndec};
}

// ---- Checks -----------------------------------------------------------------

using Problems = std::vector<std::string>;

// One axis of the window: minimum, maximum and spacing.
void axis_problems(Problems& p, bool latitude, real min, real max, real inc) {
  const std::string name = latitude ? "latitude" : "longitude";
  if (!(inc > 0.0f)) p.push_back(name + " increment must be above 0");
  if (!(min < max)) {
    p.push_back(name + " minimum must be below its maximum");
    if (!latitude) p.push_back(std::string(antimeridian_window_hint));
  }
  if (latitude && !(min >= -latitude_limit && max <= latitude_limit)) {
    p.push_back("latitudes must lie within -90 and 90");
  }
  // Counted as the graticule counts them: 160 degrees by 0.16 is 1000
  // intervals, though the single-precision quotient is a little more.
  if (inc > 0.0f && min < max && !((max - min) / inc + grid_interval_margin < max_grid_intervals + 1.0f)) {
    p.push_back("at most 1000 " + name + " intervals");
  }
}

Problems problems_of(const GridValues& v) {
  Problems p;
  axis_problems(p, true, v.latmin, v.latmax, v.latinc);
  axis_problems(p, false, v.lonmin, v.lonmax, v.loninc);
  if (v.npgrid < 1 || v.npgrid > max_grid_segments) p.push_back("nb of points per grid line must be 1 to 1000");
  if (v.nptick < 1 || v.nptick > max_grid_segments) p.push_back("nb of points per tick must be 1 to 1000");
  if (v.igrid < 0 || v.igrid > max_grid_type) p.push_back("grid type must be 0 to 3");
  if (v.ndec < 0 || v.ndec > max_decimals) p.push_back("nb of decimals must be 0 to 4");
  return p;
}

// The problems in an error box, closed by what follows; `stop` names the
// line of a command file stopped at the answers refused.
void report(const Problems& p, std::string_view then, const CommandFileStop& stop = {}) {
  errorhead(sllgrid3_header);
  for (const std::string& line : p) say(line);
  stop.say_where();
  say(then);
  errortail00();
}

// ---- The menu ---------------------------------------------------------------

// Choices 10 and 20: minimum, maximum and spacing of one axis as one
// free-format record, asked again until they are readable and pass the
// checks of the axis.
void ask_axis(bool latitude, real& min, real& max, real& inc) {
  const std::string_view request =
      latitude ? " enter latitude mini, maxi and increment" : " enter longitude mini, maxi and increment";
  const std::string_view unit = "in degrees";
  for (;;) {
    say(request);
    say(std::string(request.size() - unit.size(), ' ') + std::string(unit));
    real a = min, b = max, c = inc;
    ListRead in([](std::string& line) {
      read_answer(line);
      return ReadResult::ok;
    });
    in >> a >> b >> c;
    if (!in.ok()) {
      // Asked again with no box; a command file stops there.
      stop_command_file().say_where();
      continue;
    }
    Problems p;
    axis_problems(p, latitude, a, b, c);
    if (p.empty()) {
      min = a;
      max = b;
      inc = c;
      return;
    }
    report(p, "==> ENTER THEM AGAIN", stop_command_file());
  }
}

// The grid types, by code.
constexpr std::array<std::string_view, max_grid_type + 1> grid_type_names{"no grid ", "regular grid ",
                                                                         "ticks out grid ", "ticks in  grid"};
constexpr std::size_t grid_type_width = 19;

void grid_type_choice(int& igrid) {
  for (int code = 0; code <= max_grid_type; ++code) {
    say(option_text(grid_type_names[static_cast<std::size_t>(code)], code, grid_type_width));
  }
  ask_int_in(igrid, "your choice", 0, max_grid_type);
}

// Ticks are drawn along grid lines of npgrid points: more points to a tick
// than a third of those is likely a mistake.
bool too_many_tick_points(const GridValues& v) {
  return (v.igrid == 2 || v.igrid == 3) && v.nptick > std::max(2, v.npgrid / 3);
}

// The option labels of an axis: its three values asked as one record,
// then each alone, asked by its label without the blank.
struct AxisLabels {
  std::string_view all, min, max, inc;
};
constexpr AxisLabels latitude_labels{"latitude min, max and inc ", "latitude minimum ", "latitude maximum ",
                                     "latitude increment "};
constexpr AxisLabels longitude_labels{"longitude min, max and inc ", "longitude minimum ", "longitude maximum ",
                                      "longitude increment "};

// The lines of an axis: choice `first` asks its three values, the next
// three choices each of them.
std::vector<MenuRow> axis_rows(int first, bool latitude, real& min, real& max, real& inc) {
  const AxisLabels& n = latitude ? latitude_labels : longitude_labels;
  const auto asked = [](std::string_view label) { return label.substr(0, label.size() - 1); };
  return {{.choice = first,
           .label = n.all,
           .action = [latitude, &min, &max, &inc] { ask_axis(latitude, min, max, inc); }},
          setting_row(first + 1, n.min, min, 8, 3, asked(n.min)),
          setting_row(first + 2, n.max, max, 8, 3, asked(n.max)),
          setting_row(first + 3, n.inc, inc, 8, 3, asked(n.inc))};
}

MenuTable grid_menu(GridValues& v) {
  std::vector<MenuRow> rows{{.draw = dash_rule}, {.label = "LATITUDE-LONGITUDE GRID PARAMETERS"}, {.draw = dash_rule}};
  for (MenuRow& r : axis_rows(10, true, v.latmin, v.latmax, v.latinc)) rows.push_back(std::move(r));
  for (MenuRow& r : axis_rows(20, false, v.lonmin, v.lonmax, v.loninc)) rows.push_back(std::move(r));
  rows.insert(rows.end(),
              {setting_row(31, "nb of points to draw grid", v.npgrid, 6, "nb of pts per grid line"),
               setting_row(32, "nb of points to draw tick", v.nptick, 6, "nb of pts per tick"),
               setting_row(33, "tic size (degrees) ", v.ticsize, 8, 3, "tic size in degrees"),
               {.choice = 34,
                .label = "nb of decimals ",
                .action = [&v] { ask_int_in(v.ndec, "nb of tick labels decimals", 0, max_decimals); },
                .value = shows_integer(v.ndec, 6)},
               {.choice = 40,
                .label = "grid type ",
                .action = [&v] { grid_type_choice(v.igrid); },
                .value = shows_integer(v.igrid, 6)},
               {.shown = [&v] { return too_many_tick_points(v); },
                .draw =
                    [] {
                      dash_rule();
                      say("WARNING:");
                      say("too many points for tick marks ?");
                      dash_rule();
                    }},
               dash_row(),
               {.choice = menu_exit_choice, .label = "EXIT "}});
  return MenuTable{.rows = std::move(rows), .width = 33};
}

// Left only with settings that pass the checks.
void menu(GridValues& v) {
  const MenuTable table = grid_menu(v);
  menu_loop(
      sllgrid3_header, [&] { show_rows(table); },
      [&](int choice) {
        if (choice != menu_exit_choice) return dispatch(table, choice);
        const Problems p = problems_of(v);
        if (p.empty()) return Reply::leave;
        report(p, "==> BACK TO MENU", stop_command_file());
        return Reply::again;
      },
      MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

}  // namespace

void sllgrid3(GridValues& v, SetupMode inter) {
  if (inter.from_stored()) {
    v = from_record();
  } else if (inter.from_defaults()) {
    v = GridValues{};
  }
  if (inter.shows_menu()) menu(v);
  if (inter.returns_stored()) return;
  if (const Problems p = problems_of(v); !p.empty()) {
    // Only settings passed without menu get here.
    report(p, "==> GRID UNCHANGED");
    return;
  }
  store(v);
}

int grid_intervals(real span, real spacing) {
  const real q = span / spacing + grid_interval_margin;
  if (!(q >= 0.0f)) return 0;
  if (q >= static_cast<real>(max_grid_intervals)) return max_grid_intervals;
  return static_cast<int>(q);
}

}  // namespace dorvix
