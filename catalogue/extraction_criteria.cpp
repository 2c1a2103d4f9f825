#include "catalogue/extraction_criteria.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/extraction_tests.hpp"
#include "catalogue/selection_polygon.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "files/list_read.hpp"
#include "files/units.hpp"
#include "geometry/longitude_turn.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header criteria_header{"setseistest", " 7.1", "06-04-2010"};

constexpr int choice_first_vertex = 261;  // 260 + i edits vertex i

constexpr int polygon_unit = 61;
constexpr std::size_t polygon_name_width = 35;
// Side type of the polygon file that means great circles.
constexpr int great_circle_sides = 1;

const std::string long_rule(43, '-');
const std::string short_rule(32, '-');

// Lines of the menu and reports: a blank, then the items.
void integer_line(std::string_view label, int v) { say(std::string(label) + " " + edit::i(v, 6)); }

void set_defaults() {
  SeisTest2& t = seistest2;
  t.nfreemin = 6;
  t.nvrtx = 3;
  t.rlatmin = -90.0f;
  t.rlatmax = 90.0f;
  t.rlongmin = -180.0f;
  t.rlongmax = 180.0f;
  t.depthmin = 0.0f;
  t.depthmax = 50.0f;
  t.rakemin1 = t.rakemin2 = t.rakemin3 = -180.0f;
  t.rakemax1 = t.rakemax2 = t.rakemax3 = 180.0f;
  // Vertices 1 to 3 only; the others keep what they hold.
  t.vrtxlat(1) = 0.0f;
  t.vrtxlat(2) = 60.0f;
  t.vrtxlat(3) = 0.0f;
  t.vrtxlong(1) = 0.0f;
  t.vrtxlong(2) = 0.0f;
  t.vrtxlong(3) = 60.0f;
  t.fclvdmax = 0.2f;
  t.errmijmax = 0.15f;
  t.ltest = t.ltlat = t.ltlong = t.ltdepth = t.ltpoly = false;
  t.lgcpoly = true;
  t.lrakeboth = t.ltrake1 = t.ltrake2 = t.ltrake3 = t.ltfroh = false;
}

void initialise() {
  submenuhead(criteria_header);
  say("INITIALIZING EXTRACTION TESTS");
  set_defaults();
  int istat = 0;
  spolygontst(istat, setup::initialise);
}

// The list of vertices: each line edits one vertex, its choice 260 + i.
void vertex_lines() {
  const SeisTest2& t = seistest2;
  say("- - - - - - - - - - - - - - - - ");
  say("longitud latitude .......command");
  for (int i = 1; i <= t.nvrtx; ++i) {
    std::string line = " ";
    edit::f(line, t.vrtxlong(i), 8, 3);
    line += ' ';
    edit::f(line, t.vrtxlat(i), 8, 3);
    line += " ...........";
    edit::i(line, choice_first_vertex - 1 + i, 3);
    put(iocom.iuout, line);
  }
  say(short_rule);
}

// ---- The polygon file --------------------------------------------------------

// The name typed or chosen last; offered as the default of the next one.
std::string polygon_file_name;

void polygon_file_closed_line(const std::string& name) {
  say("Polygon file " + std::string(trimmed(name)) + " is closed");
}

// The failure lines that end the box opened by the caller.
void polygon_input_failed(const std::string& name) {
  say("=> POLYGON INPUT FAILED");
  seistest2.nvrtx = 0;
  integer_line("RESETTING # vertices =", 0);
  units().close(polygon_unit);
  polygon_file_closed_line(name);
  warningtail00();
}

void polygon_end_of_file(const std::string& name) {
  cut_lines_box(criteria_header, polygon_unit);
  warninghead(criteria_header);
  say("END OF FILE REACHED UNEXPECTEDLY");
  polygon_input_failed(name);
}

// Reads the number of vertices and the side type, then one longitude and
// latitude per vertex, in free format.
void read_polygon_file() {
  SeisTest2& t = seistest2;
  std::string& name = polygon_file_name;
  opef2(name, "polygon input", polygon_unit, "old", 0, polygon_name_width);

  int count = 0, sides = 0;
  ListRead head(polygon_unit);
  head >> count >> sides;
  if (!head.ok()) {
    polygon_end_of_file(name);
    return;
  }
  if (count > max_polygon_vertices) {
    warninghead(criteria_header);
    integer_line("Read number of vertices =", count);
    integer_line("Max  number of vertices =", max_polygon_vertices);
    say("=> RESETTING:");
    integer_line("Reset number of vertices =", max_polygon_vertices);
    warningtail00();
    count = max_polygon_vertices;
  }
  t.nvrtx = count;
  t.lgcpoly = sides == great_circle_sides;
  for (int i = 1; i <= t.nvrtx; ++i) {
    real lon = 0, lat = 0;
    ListRead vertex(polygon_unit);
    vertex >> lon >> lat;
    if (vertex.status() == ReadResult::end_of_file) {
      polygon_end_of_file(name);
      return;
    }
    if (!vertex.ok()) {
      cut_lines_box(criteria_header, polygon_unit);
      warninghead(criteria_header);
      integer_line("Error while reading data # =", i);
      polygon_input_failed(name);
      return;
    }
    if (!corner_longitude_in_reach(lon)) {
      cut_lines_box(criteria_header, polygon_unit);
      warninghead(criteria_header);
      integer_line("Error while reading data # =", i);
      ItemLine().text("longitude =").fixed(lon, 12, 3).write();
      say(corner_longitude_rule);
      polygon_input_failed(name);
      return;
    }
    t.vrtxlong(i) = lon;
    t.vrtxlat(i) = lat;
  }
  cut_lines_box(criteria_header, polygon_unit);
  units().close(polygon_unit);
  submenuhead(criteria_header);
  polygon_file_closed_line(name);
  say("Could read up to: " + edit::i(max_polygon_vertices, 6) + " vertices");
  say("Actually read   : " + edit::i(t.nvrtx, 6) + " vertices");
  say("- - - - - - - - - - - - - - - - - - - - - -");
}

// ---- Leaving -------------------------------------------------------------------

// A polygon of fewer than 3 vertices encloses no region: with no edge (or
// one degenerate edge) it keeps every epicentre, with two opposite edges
// only the points on its side. Said when the menu is left, so that the
// polygon test is not taken for a selection.
void too_few_vertices_box() {
  const int n = seistest2.nvrtx;
  warninghead(criteria_header);
  integer_line("number of vertices =", n);
  say("A POLYGON NEEDS AT LEAST 3 VERTICES");
  say(n <= 1 ? "=> POLYGON TEST KEEPS EVERY EPICENTRE" : "=> POLYGON TEST KEEPS ONLY POINTS ON ITS SIDE");
  warningtail00();
}

// Prepares and checks the polygon when its test is on, and says what it
// found of its shape when the polygon is taken. True when the criteria may
// be left; false sends the keyboard user back to the menu.
bool may_leave(bool menu_shown) {
  if (!seistest2.ltpoly) return true;
  if (seistest2.nvrtx < min_polygon_vertices) too_few_vertices_box();
  int istat = 0;
  spolygontst(istat, setup::menu_from_passed);
  if (istat == polygon_ok) {
    say_polygon_shape();
    return true;
  }
  warninghead(criteria_header);
  if (iocom.lcomfop || !menu_shown) {
    say("PROBLEM IN POLYGON CONTOUR");
    if (iocom.lcomfop) say("=> PROCEEDING WITH COMMAND FILE");
    warningtail00();
    say_polygon_shape();
    return true;
  }
  say("NEED TO FIX POLYGON CONTOUR");
  say("           OR");
  say("DISABLE POLYGON SELECTION");
  say("=> BACK TO INTERACTIVE MENU");
  warningtail00();
  return false;
}

// 260 + i edits vertex i of the polygon's nvrtx: the only numbers the
// table's `otherwise` answers. The choice is compared before anything is
// subtracted from it, so that no answer can overflow.
bool is_vertex(int choice) { return choice >= choice_first_vertex && choice - choice_first_vertex < seistest2.nvrtx; }
// A longitude beyond -360..360 is refused in an error box and asked again,
// the corner's own longitude offered; a command file that gave it stops
// there.
void edit_vertex(int choice) {
  SeisTest2& t = seistest2;
  const int i = choice - (choice_first_vertex - 1);
  integer_line("vertex number =", i);
  for (;;) {
    real lon = t.vrtxlong(i);
    ask_real(lon, "longitude");
    if (corner_longitude_in_reach(lon)) {
      t.vrtxlong(i) = lon;
      break;
    }
    const CommandFileStop stop = stop_command_file();
    errorhead(criteria_header);
    ItemLine().text("longitude =").fixed(lon, 12, 3).write();
    say(corner_longitude_rule);
    say("(a polygon across the antimeridian: e.g. 165 to 190)");
    stop.say_where();
    say("==> ENTER IT AGAIN");
    errortail00();
  }
  ask_real(t.vrtxlat(i), "latitude");
}

// What a pair of bounds is called when its minimum is refused for being
// above its maximum, which would keep no epicentre, and the hint of what
// was likely meant.
struct BoundsName {
  std::string_view name;
  std::string_view hint;
};
constexpr BoundsName latitude_bounds{"latitude", "(south is negative: e.g. -40 to -10 for 40S to 10S)"};
constexpr BoundsName longitude_bounds{"longitude", antimeridian_window_hint};
constexpr BoundsName depth_bounds{"depth", "(depths grow downwards: e.g. 10 to 100)"};
// A rake interval is plain numbers from -180 to 180: one across 180
// degrees is the union of two.
constexpr std::string_view rake_hint = "(an interval across 180 is two: e.g. 170 to 180 and -180 to -170)";
constexpr BoundsName rake_bounds[] = {{"rake 1", rake_hint}, {"rake 2", rake_hint}, {"rake 3", rake_hint}};

// A minimum and a maximum, asked in turn. A minimum above the maximum is
// refused: both are asked again, the answers offered as the defaults so
// that only the wrong one need be typed again, after an error box with the
// hint (a command file that gave them stops there).
void ask_bounds(real& min, real& max, std::string_view min_question, std::string_view max_question,
                const BoundsName& bounds) {
  real asked_min = min, asked_max = max;
  for (;;) {
    ask_real(asked_min, min_question);
    ask_real(asked_max, max_question);
    if (asked_min <= asked_max) break;
    const CommandFileStop stop = stop_command_file();
    errorhead(criteria_header);
    say(std::string(bounds.name) + " minimum must not be above its maximum");
    say(bounds.hint);
    stop.say_where();
    say("==> ENTER THEM AGAIN");
    errortail00();
  }
  min = asked_min;
  max = asked_max;
}

// The lines of a minimum and a maximum, asked in turn by one choice.
std::vector<MenuRow> bound_rows(int choice, std::string_view min_label, real& min, std::string_view min_question,
                                std::string_view max_label, real& max, std::string_view max_question,
                                const BoundsName& bounds) {
  return {{.choice = choice,
           .label = min_label,
           .action = [&min, &max, min_question, max_question,
                      &bounds] { ask_bounds(min, max, min_question, max_question, bounds); },
           .value = shows_fixed(min)},
          {.choice = choice, .label = max_label, .value = shows_fixed(max)}};
}

// Rows shown only while `on` holds.
std::vector<MenuRow> while_on(std::function<bool()> on, std::vector<MenuRow> rows) {
  for (MenuRow& r : rows) r.shown = on;
  return rows;
}
std::function<bool()> is_on(const bool& v) {
  return [&v] { return v; };
}

// The menu of the tests, drawn while the second output level is on: the
// switch of each test, and its bounds while it is on.
const MenuTable& criteria_menu() {
  static const MenuTable table = [] {
    SeisTest2& t = seistest2;
    std::vector<MenuRow> rows;
    const auto add = [&rows](std::vector<MenuRow> more) {
      for (MenuRow& r : more) rows.push_back(std::move(r));
    };
    const auto test_with_bounds = [&](int choice, std::string_view label, bool& test, std::string_view question,
                                      std::vector<MenuRow> bounds) {
      rows.push_back(setting_row(choice, label, test, question));
      bounds.push_back({.label = short_rule});
      add(while_on(is_on(test), std::move(bounds)));
    };
    add({{.label = long_rule},
         {.label = "WHAT IS TO BE TESTED ? (Angles in degrees) "},
         {.label = long_rule},
         setting_row(10, "general test switch ", t.ltest, "activate test"),
         {.label = short_rule}});
    test_with_bounds(100, "test latitude ", t.ltlat, "activate latitude test",
                     bound_rows(110, "latitude mini ", t.rlatmin, "minimum latitude", "latitude maxi ", t.rlatmax,
                                "maximum latitude", latitude_bounds));
    test_with_bounds(200, "test longitude ", t.ltlong, "activate longitude test",
                     bound_rows(210, "longitude mini ", t.rlongmin, "minimum longitude", "longitude maxi ", t.rlongmax,
                                "maximum longitude", longitude_bounds));
    rows.push_back(setting_row(250, "test polygon ", t.ltpoly, "activate polygon test"));
    add(while_on(is_on(t.ltpoly),
                 rows_of_choice(251, {{.label = "great circle polygon ",
                                       .action = [] { ask_flag(t.lgcpoly, "bound polygon by great circle"); },
                                       .value = shows_flag(t.lgcpoly)},
                                      {.label = "lat-long polygon ",
                                       .value = [](ItemLine& l) { l.text(edit::l(!t.lgcpoly, 1)); }}})));
    add(while_on(is_on(t.ltpoly), {{.label = "min number of vertices ........:", .value = shows_integer(min_polygon_vertices, 6)},
                                   {.label = "max number of vertices ........:", .value = shows_integer(max_polygon_vertices, 6)},
                                   {.choice = 252, .label = "read polygon from file ", .action = read_polygon_file},
                                   {.choice = 253,
                                    .label = "number of vertices ",
                                    .action =
                                        [] {
                                          int istat = 0;
                                          inintegvindef(t.nvrtx, "number of vertices", t.nvrtx, min_polygon_vertices,
                                                        max_polygon_vertices, istat);
                                        },
                                    .value = shows_integer(t.nvrtx, 6)},
                                   {.draw = vertex_lines}}));
    test_with_bounds(300, "test depth ", t.ltdepth, "activate depth test",
                     bound_rows(310, "depth mini ", t.depthmin, "minimum depth", "depth maxi ", t.depthmax,
                                "maximum depth", depth_bounds));
    add({setting_row(501, "test rake on both planes", t.lrakeboth, "rake on both planes"),
         {.label = "test union of intervals 1,2,3"},
         setting_row(500, "test rake interval 1 ", t.ltrake1, "to test rake 1st interv")});
    add(while_on(is_on(t.ltrake1), bound_rows(510, "rake mini interval 1", t.rakemin1, "minimum rake 1",
                                              "rake maxi interval 1", t.rakemax1, "maximum rake 1", rake_bounds[0])));
    rows.push_back(setting_row(520, "test rake interval 2", t.ltrake2, "to test rake 2nd interv"));
    add(while_on(is_on(t.ltrake2), bound_rows(530, "rake mini interval 2", t.rakemin2, "minimum rake 2",
                                              "rake maxi interval 2", t.rakemax2, "maximum rake 2", rake_bounds[1])));
    rows.push_back(setting_row(540, "test rake interval 3", t.ltrake3, "to test rake 3rd interv"));
    add(while_on(is_on(t.ltrake3), bound_rows(550, "rake mini interval 3", t.rakemin3, "minimum rake 3",
                                              "rake maxi interval 3", t.rakemax3, "maximum rake 3", rake_bounds[2])));
    // Intervals 2 and 3 only widen interval 1: without it no rake test runs.
    add(while_on([] { return !t.ltrake1 && (t.ltrake2 || t.ltrake3); },
                 {{.label = "no rake test while interval 1 is off"}}));
    add(while_on([] { return t.ltrake1 || t.ltrake2 || t.ltrake3; }, {{.label = short_rule}}));
    rows.push_back(setting_row(600, "test Frohlich quality", t.ltfroh, "to carry frohlich 3 tests"));
    add(while_on(is_on(t.ltfroh),
                 {setting_row(610, "fclvd maxi ", t.fclvdmax, 8, 3, "maximum abs(fclvd)"),
                  setting_row(620, "moment relative error maxi ", t.errmijmax, 8, 3, "maximum rel error mij"),
                  setting_row(630, "moment free components min ", t.nfreemin, 6, "minimum # of free mij")}));
    add({{.label = long_rule}, {.choice = menu_exit_choice, .label = "EXIT "}, {.label = long_rule}});
    return MenuTable{.rows = std::move(rows), .otherwise = edit_vertex, .answers = is_vertex};
  }();
  return table;
}

}  // namespace

void setseistest6(SetupMode inter) {
  if (inter.from_defaults()) initialise();
  if (inter.silent()) {
    may_leave(false);
    return;
  }
  choice_loop(
      criteria_header,
      [] {
        submenuhead(criteria_header);
        if (iocom.lwito(2)) show_rows(criteria_menu());
      },
      [](int choice) {
        if (choice != menu_exit_choice) return dispatch(criteria_menu(), choice);
        return may_leave(true) ? Reply::leave : Reply::again;
      },
      Prompt::with_default);
}

std::optional<LongitudeTurn> selection_turn() {
  const SeisTest2& t = seistest2;
  if (!t.ltest) return std::nullopt;
  constexpr real half_turn = 0.5f * LongitudeTurn::turn;
  if (t.ltlong) {
    // The longitude bounds decide, with a polygon too: their own turn past
    // 180 degrees, the longitudes as read within -180..180.
    if (t.rlongmin < -half_turn || t.rlongmax > half_turn) return LongitudeTurn(0.5f * (t.rlongmin + t.rlongmax));
    return std::nullopt;
  }
  if (t.ltpoly) return polygon_across_180();
  return std::nullopt;
}

}  // namespace dorvix
