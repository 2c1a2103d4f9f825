#include "projection/projection_menu.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "projection/codes.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/origin.hpp"
#include "projection/parameter_setters.hpp"
#include "projection/polyconic.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr Header sprojll2_header{"sprojll2", " 3.5", "16-04-2010"};

constexpr int default_code = 15;

bool known_code(int code) { return find_projection_code(code) != nullptr; }

void number_line(std::string_view text, int v) { ItemLine().text(text).integer(v, 4).write(); }

// What applying a code runs after its title box, besides the origin.
enum class Step { none, long1, long2, lat1, lat2, angle, oblique, perspective, lcc, lcce, albers, bonne, imw };

// The groups the menu lists the codes in, in its order, and their titles.
enum class Group {
  spherical_conformal,
  spherical_equivalent,
  spherical_others,
  ellipsoidal_conformal,
  ellipsoidal_equivalent,
  ellipsoidal_others
};
using enum Group;
constexpr std::array<std::string_view, 6> group_titles{
    "I    - SPHERICAL - CONFORMAL",  "II   - SPHERICAL - EQUIVALENT",  "III  - SPHERICAL - OTHERS",
    "IV  - ELLIPSOIDAL - CONFORMAL", "V   - ELLIPSOIDAL - EQUIVALENT", "VI  - ELLIPSOIDAL - OTHERS",
};

// What the dialogue shows and runs of a code: its group and line in the
// menu, its title box, the setters and constants applying it runs.
struct CodeMenu {
  int code;
  Group group;
  std::string_view name;                     // its line in the menu, before the code
  std::array<std::string_view, 7> titles{};  // its title box
  std::array<Step, 6> steps{};               // setters, then constants
};

// The degree sign of code 14's title is the byte 0xA1 (Mac OS Roman).
constexpr std::array<CodeMenu, projection_code_count> code_menus{{
    {1, spherical_conformal, " Transverse mercator ",
     {"TRANSVERSE MERCATOR SPHERICAL EARTH", "1 parameter:", "  1 central meridien"},
     {Step::long1}},
    {2, ellipsoidal_conformal, " Transverse mercator ",
     {"TRANSVERSE MERCATOR ELLIPSOIDAL EARTH", "1 parameter:", "  1 central meridien"},
     {Step::long1}},
    {3, spherical_conformal, " Lambert conformal conical  ",
     {"LAMBERT CONFORMAL CONICAL SPHERICAL EARTH", "3 parameters:", "  1 central meridien",
      "  2 standard parallels"},
     {Step::long1, Step::lat1, Step::lat2, Step::lcc}},
    {4, ellipsoidal_conformal, " Lambert conformal conical ",
     {"LAMBERT CONFORMAL CONICAL ELLIPSOIDAL EARTH", "3 parameters:", "  1 central meridien",
      "  2 standard parallels"},
     {Step::long1, Step::lat1, Step::lat2, Step::lcce}},
    {5, spherical_equivalent, " Lambert azimutal equal area polar",
     {"AZIMUTHAL EQUAL AREA SPHERICAL EARTH", "LAMBERT (1772)", "POLAR", "1 parameter:",
      "  1 maximum angle from center"},
     {Step::angle}},
    {6, spherical_equivalent, " Lambert azimutal equal area oblique ",
     {"AZIMUTHAL EQUAL AREA SPHERICAL EARTH", "LAMBERT (1772)", "OBLIQUE", "3 parameters:",
      "  1 maximum angle from center", "  1 central meridien", "  1 central parallel"},
     {Step::angle, Step::oblique}},
    {7, spherical_conformal, " Stereographic (inversion) polar",
     {"STEREOGRAPHIC CONFORMAL SPHERICAL EARTH", "OR INVERSION SPHERICAL EARTH", "POLAR", "1 parameter:",
      "  1 maximum angle from center"},
     {Step::angle}},
    {8, spherical_conformal, " Stereographic (inversion) oblique ",
     {"STEREOGRAPHIC CONFORMAL SPHERICAL EARTH", "OR INVERSION SPHERICAL EARTH", "OBLIQUE", "3 parameters:",
      "  1 maximum angle from center", "  1 central meridien", "  1 central parallel"},
     {Step::angle, Step::oblique}},
    {9, spherical_others, " Orthographic polar",
     {"ORTHOGRAPHIC SPHERICAL EARTH", "POLAR", "1 parameter:", "  1 maximum angle from center"},
     {Step::angle}},
    {10, spherical_others, " Orthographic oblique ",
     {"ORTHOGRAPHIC SPHERICAL EARTH", "OBLIQUE", "2 parameters:", "  1 central meridien", "  1 central parallel"},
     {Step::oblique}},
    {11, spherical_others, " Perspective polar",
     {"PERSPECTIVE SPHERICAL EARTH", "POLAR", "1 parameter:", "  1 angle of view"},
     {Step::angle, Step::perspective}},
    {12, spherical_others, " Perspective oblique ",
     {"PERSPECTIVE SPHERICAL EARTH", "OBLIQUE", "3 parameters:", "  1 angle of view", "  1 central meridien",
      "  1 central parallel"},
     {Step::angle, Step::perspective, Step::oblique}},
    {13, spherical_others, " Polyconical ",
     {"POLYCONIC SPHERICAL EARTH", "1 parameter:", "  1 central meridien"},
     {Step::long1}},
    {14, ellipsoidal_others, " Lallemand modified polyconical ",
     {"LALLEMAND POLYCONIC ELLIPSOIDAL EARTH", "Used by the International Map of the World", "4 parameters:",
      "  1 central meridien", "  1 true scale meridien (+2\xA1"
                              "E of central)",
      "  1 northernmost parallel", "  1 southernmost parallel"},
     {Step::long1, Step::long2, Step::lat1, Step::lat2, Step::imw}},
    {15, spherical_conformal, " Mercator ", {"MERCATOR SPHERICAL EARTH"}, {}},
    {16, ellipsoidal_conformal, " Mercator ", {"MERCATOR ELLIPSOIDAL EARTH"}, {}},
    {17, spherical_others, " Gnonomic polar", {"GNOMOMIC SPHERICAL EARTH", "POLAR"}, {}},
    {18, spherical_others, " Gnonomic oblique ",
     {"GNOMOMIC SPHERICAL EARTH", "OBLIQUE", "2 parameters:", "  1 central meridien", "  1 central parallel"},
     {Step::oblique}},
    {19, spherical_equivalent, " Albers ",
     {"ALBERS SPHERICAL EARTH", "1 parameter:", "  1 parallel", "  NB: latp1 = 0 is problematic"},
     {Step::lat1, Step::albers}},
    {20, spherical_equivalent, " Bonne ",
     {"BONNE SPHERICAL EARTH", "1 parameter:", "  1 parallel", "  NB: latp1 = 0 is problematic"},
     {Step::lat1, Step::bonne}},
    {21, spherical_equivalent, " Werner ", {"WERNER SPHERICAL EARTH"}, {}},
    {22, spherical_equivalent, " Sanson-Flamsteed ", {"SANSON-FLAMSTEED SPHERICAL EARTH"}, {}},
    {23, spherical_equivalent, " Lambert cylindrical normal equivalent ",
     {"LAMBERT CYLINDRICAL NORMAL EQUIVALENT", "SPHERICAL EARTH    -   LAMBERT (1772)"},
     {}},
    {24, spherical_equivalent, " Mollweide ", {"MOLLWEIDE SPHERICAL EARTH", "1 parameter:", "  1 central meridien"},
     {Step::long1}},
    {25, spherical_others, " Van Der Grinten ",
     {"VAN DER GRINTEN SPHERICAL EARTH", "1 parameter:", "  1 central meridien"},
     {Step::long1}},
}};

static_assert(in_code_order(code_menus), "the menu's table holds codes 1 to 25 in the order of the table of codes");

const CodeMenu& menu_of(int code) { return code_menus[static_cast<std::size_t>(code - 1)]; }

void unknown_answer_box(int) {
  const CommandFileStop stop = stop_command_file();
  warninghead(sprojll2_header);
  say("UNKNOWN ANSWER !");
  stop.say_where();
  say("==> BACK TO MENU WITHOUT ACTION");
  warningtail00();
}

// The codes by group, each the choice that sets it.
MenuTable code_menu(int& iproj) {
  std::vector<MenuRow> rows{{.label = "           EARTH MAP PROJECTIONS"},
                            {.label = "    (longitude,latitude) -------> (x,y)"},
                            {.draw = dash_rule},
                            {.label = " current projection number:", .value = shows_integer(projtype.iproj, 4)},
                            {.label = " setting projection number:", .value = shows_integer(iproj, 4)}};
  for (std::size_t g = 0; g < group_titles.size(); ++g) {
    rows.push_back({.draw = dash_rule});
    rows.push_back({.label = group_titles[g]});
    for (const CodeMenu& m : code_menus) {
      if (m.group != static_cast<Group>(g)) continue;
      rows.push_back({.choice = m.code, .label = m.name, .action = [&iproj, code = m.code] { iproj = code; }});
    }
  }
  rows.push_back({.draw = dash_rule});
  rows.push_back({.choice = menu_exit_choice, .label = "SET AND EXIT "});
  return MenuTable{.rows = std::move(rows), .width = 41, .otherwise = unknown_answer_box};
}

void choose_code(int& iproj) {
  const MenuTable table = code_menu(iproj);
  menu_loop(sprojll2_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

// ---- Initialisation -------------------------------------------------------

void initialise(int& iproj, SetupMode inter) {
  submenuhead(sprojll2_header);
  say("INITIALIZING MAP PROJECTION");
  say("(longitude, latitude) --> (x, y)");
  screenproj();
  say("Default projection  = Spherical Mercator");
  iproj = default_code;
  number_line("projection number =", iproj);
  projtype.iproj = default_code;
  // The origin first, under code 15, before the parameters are reset.
  real lon = 0, lat = 0, v = 0;
  int iell = 0;
  sllorig(lon, lat, inter);
  slong1(v, inter);
  slong2(v, inter);
  slat1(v, inter);
  slat2(v, inter);
  sangle1(v, inter);
  sellipsoid(iell, inter);
  soblique(lon, lat, inter);
  contours1_initialise();
}

// ---- Applying a code ------------------------------------------------------

// The values the setters hand back, degrees.
struct Values {
  real long1 = 0, long2 = 0, lat1 = 0, lat2 = 0, angle = 0, centre_lon = 0, centre_lat = 0;
};

constexpr real latitude_limit = 90.0f;
constexpr real half_turn = 180.0f;
// Code 14's true-scale meridian is offered 2 degrees east of the central one.
constexpr real true_scale_offset = 2.0f;
// The parameters' defaults, degrees, and the perspective's own angle of
// view: seen from 2 Earth radii from the centre, a cap of 60 degrees
// around the centre shows.
constexpr real default_lat1 = 30.0f;
constexpr real default_lat2 = 60.0f;
constexpr real default_angle = 180.0f;
constexpr real perspective_view_angle = 60.0f;

// What the codes refuse of their parameters, each in its own words.
constexpr std::string_view distinct = "MUST BE DISTINCT";

// What a code takes, as its steps say.
bool takes(int code, Step s) { return std::ranges::find(menu_of(code).steps, s) != menu_of(code).steps.end(); }

// Standard parallels of a conformal conic (codes 3 and 4): at a pole (or
// beyond) they define no cone, and every point would be at infinity.
bool conformal_conic(int code) { return takes(code, Step::lcc) || takes(code, Step::lcce); }
// Limiting parallels of the International Map of the World's sheet (code
// 14), which must be distinct.
bool limiting_parallels(int code) { return takes(code, Step::imw); }
bool standard_parallel_accepted(real v) { return std::fabs(v) < latitude_limit; }
constexpr std::string_view open_latitude = "MUST LIE STRICTLY BETWEEN -90 AND 90 DEGREES";

// The central angle: of 0 or less it collapses the azimuthal maps (codes 5
// to 9) into their centre; as the perspective's angle of view (codes 11
// and 12) it must also stay below 180 degrees, where the viewpoint is on
// the surface and hides nearly everything (at 0 it is at infinity).
struct AngleRule {
  std::string_view name;
  std::string_view rule;
  bool perspective;
  real offered;  // the code's own default
  bool accepts(real a) const { return a > 0.0f && (!perspective || a < half_turn); }
};
constexpr AngleRule central_angle{"central angle =", "MUST BE ABOVE 0 DEGREES", false, default_angle};
constexpr AngleRule view_angle{"angle of view =", "MUST LIE STRICTLY BETWEEN 0 AND 180 DEGREES", true,
                               perspective_view_angle};
const AngleRule* angle_rule(int code) {
  if (!takes(code, Step::angle)) return nullptr;
  return takes(code, Step::perspective) ? &view_angle : &central_angle;
}

// The parameters are shared by the codes: a value in force may be one that
// the code chosen refuses (the central angle of 180 degrees, the whole
// sphere for codes 5 to 9, is no angle of view for 11 and 12). With menus,
// such a value is not offered: the code's own default is, said once, and
// its setter's menu starts from it.
struct Replaced {
  bool lat1 = false, lat2 = false, angle = false;
};

Replaced replace_refused(int code, Values& v) {
  const real lat1 = deg(llpparam.latp1), lat2 = deg(llpparam.latp2), angle = deg(llpparam.anglep1);
  Replaced r;
  auto offer = [](std::string_view name, real in_force, std::string_view rule, real offered) {
    value_line(name, in_force);
    value_line("==> " + std::string(rule) + ", OFFERED:", offered);
  };
  if (conformal_conic(code)) {
    r.lat1 = !standard_parallel_accepted(lat1);
    r.lat2 = !standard_parallel_accepted(lat2);
    if (r.lat1) offer("standard parallel =", lat1, open_latitude, default_lat1);
    if (r.lat2) offer("standard parallel =", lat2, open_latitude, default_lat2);
  } else if (const AngleRule* rule = angle_rule(code)) {
    r.angle = !rule->accepts(angle);
    if (r.angle) {
      offer(rule->name, angle, rule->rule, rule->offered);
      v.angle = rule->offered;
    }
  } else if (limiting_parallels(code) && lat1 == lat2) {
    r.lat1 = r.lat2 = true;
    ItemLine().text("limiting parallels =").fixed(lat1, 8, 3).fixed(lat2, 8, 3).write();
    ItemLine()
        .text("==> " + std::string(distinct) + ", OFFERED:")
        .fixed(default_lat1, 8, 3)
        .fixed(default_lat2, 8, 3)
        .write();
  }
  if (r.lat1) v.lat1 = default_lat1;
  if (r.lat2) v.lat2 = default_lat2;
  return r;
}

void run_setter(Step s, Values& v, SetupMode sub) {
  switch (s) {
    case Step::long1: slong1(v.long1, sub); break;
    case Step::long2:
      // Always offered anew, from the central meridian just set: the
      // value passed.
      v.long2 = v.long1 + true_scale_offset;
      slong2(v.long2, setup::passed.with_menu(sub.shows_menu()));
      break;
    case Step::lat1: slat1(v.lat1, sub); break;
    case Step::lat2: slat2(v.lat2, sub); break;
    case Step::angle: sangle1(v.angle, sub); break;
    case Step::oblique: soblique(v.centre_lon, v.centre_lat, sub); break;
    default: break;
  }
}

void run_constants(Step s) {
  switch (s) {
    case Step::perspective: spers2(); break;
    case Step::lcc: slcc2(); break;
    case Step::lcce: slcce2(); break;
    case Step::albers: salbesph2(); break;
    case Step::bonne: sbonnesph2(); break;
    case Step::imw: simwpoly2(); break;
    default: break;
  }
}

// A parameter that gives no map. With menus: an error box (a command file
// that gave it stops there), and true, so that its setter's menu is shown
// again. Without: a warning box, the value is kept, and false.
template <class Lines>
bool refused(SetupMode sub, Lines lines) {
  if (sub.shows_menu()) {
    const CommandFileStop stop = stop_command_file();
    errorhead(sprojll2_header);
    lines();
    stop.say_where();
    errortail00();
    return true;
  }
  warninghead(sprojll2_header);
  lines();
  say("==> KEPT: THE MAP MAY BE EMPTY OR COLLAPSED");
  warningtail00();
  return false;
}

void check_standard_parallel(real& v, void (*setter)(real&, SetupMode), SetupMode sub) {
  while (!standard_parallel_accepted(v) && refused(sub, [&] {
    value_line("standard parallel =", v);
    say("==> " + std::string(open_latitude));
  }))
    setter(v, setup::menu_from_stored);
}

void check_parameters(int code, Values& v, SetupMode sub) {
  if (conformal_conic(code)) {
    check_standard_parallel(v.lat1, slat1, sub);
    check_standard_parallel(v.lat2, slat2, sub);
  } else if (const AngleRule* rule = angle_rule(code)) {
    while (!rule->accepts(v.angle) && refused(sub, [&] {
      value_line(rule->name, v.angle);
      say("==> " + std::string(rule->rule));
    }))
      sangle1(v.angle, setup::menu_from_stored);
  } else if (limiting_parallels(code)) {
    // Equal limiting parallels give no sheet.
    while (v.lat1 == v.lat2 && refused(sub, [&] {
      ItemLine().text("limiting parallels =").fixed(v.lat1, 8, 3).fixed(v.lat2, 8, 3).write();
      say("==> " + std::string(distinct));
    }))
      slat2(v.lat2, setup::menu_from_stored);
    // The sheet runs from its southern parallel northwards.
    if (v.lat1 > v.lat2) {
      std::swap(v.lat1, v.lat2);
      slat1(v.lat1, setup::passed);
      slat2(v.lat2, setup::passed);
      say("==> LIMITING PARALLELS SWAPPED: SOUTHERNMOST FIRST");
    }
  }
}

void apply(int iproj, SetupMode inter) {
  projtype.iproj = iproj;
  // The code's own set-ups start from the values stored, with their menus
  // when this one shows its own.
  const SetupMode sub = setup::stored.with_menu(inter.shows_menu());
  const ProjectionCode& entry = *find_projection_code(iproj);
  if (entry.ellipsoidal) {
    int iell = 0;
    sellipsoid(iell, sub);
  }
  const CodeMenu& m = menu_of(iproj);
  submenuhead(sprojll2_header);
  for (const std::string_view t : m.titles) {
    if (!t.empty()) say(t);
  }
  Values v;
  const Replaced r = sub.shows_menu() ? replace_refused(iproj, v) : Replaced{};
  for (const Step s : m.steps) {
    // A value replaced is passed to its setter, with its menu.
    if (s == Step::lat1 && r.lat1) {
      slat1(v.lat1, setup::menu_from_passed);
    } else if (s == Step::lat2 && r.lat2) {
      slat2(v.lat2, setup::menu_from_passed);
    } else if (s == Step::angle && r.angle) {
      sangle1(v.angle, setup::menu_from_passed);
    } else {
      run_setter(s, v, sub);
    }
  }
  check_parameters(iproj, v, sub);
  for (const Step s : m.steps) run_constants(s);
  real lon = 0, lat = 0;
  sllorig(lon, lat, sub);
}

}  // namespace

void screenproj() {
  static constexpr std::array<std::string_view, 14> picture{
      "                     &&&",
      "                   &&&&&&&",
      "                 &&&&&&&&&&&",
      "                &&&&&&&&&&&&&",
      "                 &&&&&&&&&&&",
      "                   &#&&&&&",
      "                    |&&&",
      "                    |",
      "     /**************|********************/",
      "    /               |                   /",
      "   /                V                  /",
      "  /                 #                 /",
      " /                                   /",
      "/***********************************/",
  };
  // Each line in a field of 43 characters.
  constexpr std::size_t width = 43;
  for (const std::string_view line : picture) say(edit::pad(line, width));
}

void sprojll2(int& iproj, SetupMode inter) {
  const bool even = inter.shows_menu();
  if (inter.from_stored()) {
    iproj = projtype.iproj;
  } else if (inter.from_defaults()) {
    initialise(iproj, inter);
  } else if (!known_code(iproj)) {
    errorhead(sprojll2_header);
    number_line(" projection nb =", iproj);
    say("==> NO SUCH PROJECTION NB");
    iproj = default_code;
    say("==> RESETTING TO:");
    number_line(" projection nb =", iproj);
    errortail00();
  }
  if (iocom.lwito(2) && even) screenproj();
  if (even) choose_code(iproj);
  if (!known_code(iproj)) {
    // Only before any initialisation: the current code was still zero.
    errorhead(sprojll2_header);
    number_line("iproj =", projtype.iproj);
    say("NO SUCH PROJECTION AVALAIBLE");
    say("===> NO ACTION");
    errortail00();
    return;
  }
  apply(iproj, inter);
}

}  // namespace dorvix
