#include "catalogue/extraction_criteria.hpp"

#include <string>
#include <string_view>

#include "catalogue/selection_polygon.hpp"
#include "console/boxes.hpp"
#include "console/cut_lines.hpp"
#include "console/edit.hpp"
#include "console/file_opener.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/list_read.hpp"
#include "console/menu_loop.hpp"
#include "console/prompts.hpp"
#include "console/units.hpp"

namespace dorvix {

namespace {

constexpr Header criteria_header{"setseistest", " 7.1", "06-04-2010"};

constexpr int choice_leave = 99;
constexpr int choice_first_vertex = 261;  // 260 + i edits vertex i

constexpr int polygon_unit = 61;
constexpr std::size_t polygon_name_width = 35;
// Side type of the polygon file that means great circles.
constexpr int great_circle_sides = 1;

const std::string long_rule(43, '-');
const std::string short_rule(32, '-');

// Lines of the menu and reports: a blank, then the items.
void switch_line(std::string_view label, bool on) { say(std::string(label) + (on ? " T" : " F")); }
void real_line(std::string_view label, real v) { say(std::string(label) + " " + edit::f(v, 8, 3)); }
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
  spolygontst(istat, 5);
}

void polygon_lines() {
  const SeisTest2& t = seistest2;
  switch_line("great circle polygon ........251", t.lgcpoly);
  switch_line("lat-long polygon ............251", !t.lgcpoly);
  integer_line("min number of vertices ........:", min_polygon_vertices);
  integer_line("max number of vertices ........:", max_polygon_vertices);
  say("read polygon from file ......252");
  integer_line("number of vertices ..........253", t.nvrtx);
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

void menu_body() {
  const SeisTest2& t = seistest2;
  say(long_rule);
  say("WHAT IS TO BE TESTED ? (Angles in degrees) ");
  say(long_rule);
  switch_line("general test switch ..........10", t.ltest);
  say(short_rule);
  switch_line("test latitude ...............100", t.ltlat);
  if (t.ltlat) {
    real_line("latitude mini ...............110", t.rlatmin);
    real_line("latitude maxi ...............110", t.rlatmax);
    say(short_rule);
  }
  switch_line("test longitude ..............200", t.ltlong);
  if (t.ltlong) {
    real_line("longitude mini ..............210", t.rlongmin);
    real_line("longitude maxi ..............210", t.rlongmax);
    say(short_rule);
  }
  switch_line("test polygon ................250", t.ltpoly);
  if (t.ltpoly) polygon_lines();
  switch_line("test depth ..................300", t.ltdepth);
  if (t.ltdepth) {
    real_line("depth mini ..................310", t.depthmin);
    real_line("depth maxi ..................310", t.depthmax);
    say(short_rule);
  }
  switch_line("test rake on both planes.....501", t.lrakeboth);
  say("test union of intervals 1,2,3");
  switch_line("test rake interval 1 ........500", t.ltrake1);
  if (t.ltrake1) {
    real_line("rake mini interval 1.........510", t.rakemin1);
    real_line("rake maxi interval 1.........510", t.rakemax1);
  }
  switch_line("test rake interval 2.........520", t.ltrake2);
  if (t.ltrake2) {
    real_line("rake mini interval 2.........530", t.rakemin2);
    real_line("rake maxi interval 2.........530", t.rakemax2);
  }
  switch_line("test rake interval 3.........540", t.ltrake3);
  if (t.ltrake3) {
    real_line("rake mini interval 3.........550", t.rakemin3);
    real_line("rake maxi interval 3.........550", t.rakemax3);
  }
  if (t.ltrake1 || t.ltrake2 || t.ltrake3) say(short_rule);
  switch_line("test Frohlich quality........600", t.ltfroh);
  if (t.ltfroh) {
    real_line("fclvd maxi ..................610", t.fclvdmax);
    real_line("moment relative error maxi ..620", t.errmijmax);
    integer_line("moment free components min ..630", t.nfreemin);
  }
  say(long_rule);
  say("EXIT .........................99");
  say(long_rule);
}

// Prompts with the field's current value as default.
void ask(bool& v, std::string_view question) { ask_flag(v, question); }
void ask(real& v, std::string_view question) { ask_real(v, question); }
void ask(int& v, std::string_view question) { ask_int(v, question); }

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

// Prepares and checks the polygon when its test is on. True when the
// criteria may be left; false sends the keyboard user back to the menu.
bool may_leave(bool menu_shown) {
  if (!seistest2.ltpoly) return true;
  if (seistest2.nvrtx < min_polygon_vertices) too_few_vertices_box();
  int istat = 0;
  spolygontst(istat, 0);
  if (istat == polygon_ok) return true;
  warninghead(criteria_header);
  if (iocom.lcomfop || !menu_shown) {
    say("PROBLEM IN POLYGON CONTOUR");
    if (iocom.lcomfop) say("=> PROCEEDING WITH COMMAND FILE");
    warningtail00();
    return true;
  }
  say("NEED TO FIX POLYGON CONTOUR");
  say("           OR");
  say("DISABLE POLYGON SELECTION");
  say("=> BACK TO INTERACTIVE MENU");
  warningtail00();
  return false;
}

void carry_out(int choice) {
  SeisTest2& t = seistest2;
  switch (choice) {
    case 10:
      ask(t.ltest, "activate test");
      break;
    case 100:
      ask(t.ltlat, "activate latitude test");
      break;
    case 110:
      ask(t.rlatmin, "minimum latitude");
      ask(t.rlatmax, "maximum latitude");
      break;
    case 200:
      ask(t.ltlong, "activate longitude test");
      break;
    case 210:
      ask(t.rlongmin, "minimum longitude");
      ask(t.rlongmax, "maximum longitude");
      break;
    case 250:
      ask(t.ltpoly, "activate polygon test");
      break;
    case 251:
      ask(t.lgcpoly, "bound polygon by great circle");
      break;
    case 252:
      read_polygon_file();
      break;
    case 253: {
      int istat = 0;
      inintegvindef(t.nvrtx, "number of vertices", t.nvrtx, min_polygon_vertices, max_polygon_vertices, istat);
      break;
    }
    case 300:
      ask(t.ltdepth, "activate depth test");
      break;
    case 310:
      ask(t.depthmin, "minimum depth");
      ask(t.depthmax, "maximum depth");
      break;
    case 501:
      ask(t.lrakeboth, "rake on both planes");
      break;
    case 500:
      ask(t.ltrake1, "to test rake 1st interv");
      break;
    case 510:
      ask(t.rakemin1, "minimum rake 1");
      ask(t.rakemax1, "maximum rake 1");
      break;
    case 520:
      ask(t.ltrake2, "to test rake 2nd interv");
      break;
    case 530:
      ask(t.rakemin2, "minimum rake 2");
      ask(t.rakemax2, "maximum rake 2");
      break;
    case 540:
      ask(t.ltrake3, "to test rake 3rd interv");
      break;
    case 550:
      ask(t.rakemin3, "minimum rake 3");
      ask(t.rakemax3, "maximum rake 3");
      break;
    case 600:
      ask(t.ltfroh, "to carry frohlich 3 tests");
      break;
    case 610:
      ask(t.fclvdmax, "maximum abs(fclvd)");
      break;
    case 620:
      ask(t.errmijmax, "maximum rel error mij");
      break;
    case 630:
      ask(t.nfreemin, "minimum # of free mij");
      break;
    default:
      // 260 + i edits vertex i of the polygon's nvrtx; other numbers do
      // nothing. The choice is compared before anything is subtracted from
      // it, so that no answer can overflow.
      if (choice >= choice_first_vertex && choice - choice_first_vertex < t.nvrtx) {
        const int i = choice - (choice_first_vertex - 1);
        integer_line("vertex number =", i);
        ask(t.vrtxlong(i), "longitude");
        ask(t.vrtxlat(i), "latitude");
      }
      break;
  }
}

}  // namespace

void setseistest6(int inter) {
  if (inter == 4 || inter == 5) initialise();
  if (inter % 2 != 0) {
    may_leave(false);
    return;
  }
  for (;;) {
    submenuhead(criteria_header);
    if (iocom.lwito(2)) menu_body();
    int choice = choice_leave;
    int istat = 0;
    inintegdef(choice, "your choice", choice_leave, istat);
    if (choice == choice_leave) {
      if (may_leave(true)) return;
      continue;
    }
    carry_out(choice);
  }
}

void gscseistest(real& latmin, real& latmax, real& longmin, real& longmax, real& depthmin, real& depthmax) {
  const SeisTest2& t = seistest2;
  latmin = t.rlatmin;
  latmax = t.rlatmax;
  longmin = t.rlongmin;
  longmax = t.rlongmax;
  depthmin = t.depthmin;
  depthmax = t.depthmax;
}

}  // namespace dorvix
