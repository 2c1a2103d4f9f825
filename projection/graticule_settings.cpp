// The graticule's settings: its menu, its checks and the record.

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/angles.hpp"
#include "console/answers.hpp"
#include "console/boxes.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/list_read.hpp"
#include "console/menu_loop.hpp"
#include "projection/graticule.hpp"

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
    if (!latitude) p.push_back("(a window across the antimeridian: e.g. 170 to 190)");
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

// The problems in an error box, closed by what follows.
void report(const Problems& p, std::string_view then) {
  errorhead(sllgrid3_header);
  for (const std::string& line : p) say(line);
  say(then);
  errortail00();
}

// ---- The menu ---------------------------------------------------------------

void int_line(std::string_view text, int v) { ItemLine().text(text).integer(v, 6).write(); }

void menu_body(const GridValues& v) {
  dash_rule();
  say("LATITUDE-LONGITUDE GRID PARAMETERS");
  dash_rule();
  say("latitude min, max and inc .....10");
  value_line("latitude minimum ..............11", v.latmin);
  value_line("latitude maximum ..............12", v.latmax);
  value_line("latitude increment ............13", v.latinc);
  say("longitude min, max and inc ....20");
  value_line("longitude minimum .............21", v.lonmin);
  value_line("longitude maximum .............22", v.lonmax);
  value_line("longitude increment ...........23", v.loninc);
  int_line("nb of points to draw grid......31", v.npgrid);
  int_line("nb of points to draw tick......32", v.nptick);
  value_line("tic size (degrees) ............33", v.ticsize);
  int_line("nb of decimals ................34", v.ndec);
  int_line("grid type .....................40", v.igrid);
  if ((v.igrid == 2 || v.igrid == 3) && v.nptick > std::max(2, v.npgrid / 3)) {
    dash_rule();
    say("WARNING:");
    say("too many points for tick marks ?");
    dash_rule();
  }
  dash_rule();
  say("EXIT ..........................99");
}

// Options 10 and 20: minimum, maximum and spacing of one axis as one
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
    if (!in.ok()) continue;
    Problems p;
    axis_problems(p, latitude, a, b, c);
    if (p.empty()) {
      min = a;
      max = b;
      inc = c;
      return;
    }
    report(p, "==> ENTER THEM AGAIN");
  }
}

void grid_type_choice(int& igrid) {
  say("no grid ..........0");
  say("regular grid .....1");
  say("ticks out grid ...2");
  say("ticks in  grid....3");
  ask_int_in(igrid, "your choice", 0, max_grid_type);
}

void menu(GridValues& v) {
  menu_loop(sllgrid3_header, [&] { menu_body(v); }, [&](int choice) {
                 switch (choice) {
                   case 99: {
                     const Problems p = problems_of(v);
                     if (p.empty()) return true;
                     report(p, "==> BACK TO MENU");
                     break;
                   }
                   case 10: ask_axis(true, v.latmin, v.latmax, v.latinc); break;
                   case 11: ask_real(v.latmin, "latitude minimum"); break;
                   case 12: ask_real(v.latmax, "latitude maximum"); break;
                   case 13: ask_real(v.latinc, "latitude increment"); break;
                   case 20: ask_axis(false, v.lonmin, v.lonmax, v.loninc); break;
                   case 21: ask_real(v.lonmin, "longitude minimum"); break;
                   case 22: ask_real(v.lonmax, "longitude maximum"); break;
                   case 23: ask_real(v.loninc, "longitude increment"); break;
                   case 31: ask_int(v.npgrid, "nb of pts per grid line"); break;
                   case 32: ask_int(v.nptick, "nb of pts per tick"); break;
                   case 33: ask_real(v.ticsize, "tic size in degrees"); break;
                   case 34: ask_int_in(v.ndec, "nb of tick labels decimals", 0, max_decimals); break;
                   case 40: grid_type_choice(v.igrid); break;
                   default: break;
                 }
                 return false;
               }, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
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
