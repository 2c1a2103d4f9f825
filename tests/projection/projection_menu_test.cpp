// The projection menu and its set-ups as whole dialogues: every code chosen
// through the menu with the offsets of its default origin against PROJ,
// the menu body, the start-up and the reset, and every value refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "dialogue/dialogue_helpers.hpp"
#include "geometry/angles.hpp"
#include "projection/dispatcher.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/origin.hpp"
#include "projection/polyconic.hpp"
#include "projection/projection_menu.hpp"
#include "projection/state.hpp"
#include "support/program_run.hpp"
#include "support/projection_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

class ProjectionMenu : public ProjectionTest {
 protected:
  void SetUp() override {
    ProjectionTest::SetUp();
    initialise_projection();
    screen();
  }
  // sprojll2 with `mode` (and `code`) answered by `answers`; the transcript.
  Lines choose(const Lines& answers, SetupMode mode = setup::menu_from_stored, int code = 1) {
    std::string text;
    for (const auto& a : answers) text += a + "\n";
    type_raw(text);
    sprojll2(code, mode);
    return screen_lines();
  }
};

// The names of the routines whose frames were printed, in order.
Lines heads(const Lines& lines) {
  Lines names;
  for (const auto& l : lines) {
    if (l.rfind(" @ subroutine ", 0) == 0) names.push_back(l.substr(14, l.find_last_not_of(' ') - 13));
  }
  return names;
}

// The lines from the first occurrence of `block` on, or nothing.
Lines from_block(const Lines& lines, const Lines& block) {
  return Lines(std::search(lines.begin(), lines.end(), block.begin(), block.end()), lines.end());
}

const std::string picture_top = "                      &&&                   ";

TEST_F(ProjectionMenu, EveryCodeSetUpThroughTheMenuPutsItsOriginWherePROJDoes) {
  DORVIX_REQUIRE_TOOL("proj");
  char b[64];
  std::snprintf(b, sizeof b, " +a=1 +b=%.10g", 6356752.5 / 6378137.0);
  const std::string ell = b, h = " +h=" + std::to_string(1 / std::sin(std::numbers::pi / 4) - 1);
  struct Case {
    int code;
    std::string title;      // first title line
    std::string proj;       // PROJ's parameters (empty: y below)
    double scale = 1;       // ours = scale * PROJ
    double anchor_lat = 0;  // where our map has its zero (longitude 0)
    double y = 0;           // without PROJ
  };
  // The oblique codes are centred on the default origin (0, 45): offsets 0.
  // Under an angle of view of 90 degrees the origin lies on the
  // perspective's horizon, the unit circle, where PROJ gives no value.
  const std::vector<Case> cases{
      {1, "TRANSVERSE MERCATOR SPHERICAL EARTH", "+proj=tmerc +R=1"},
      {2, "TRANSVERSE MERCATOR ELLIPSOIDAL EARTH", "+proj=tmerc" + ell},
      {3, "LAMBERT CONFORMAL CONICAL SPHERICAL EARTH", "+proj=lcc +R=1 +lat_1=30 +lat_2=60"},
      {4, "LAMBERT CONFORMAL CONICAL ELLIPSOIDAL EARTH", "+proj=lcc +lat_1=30 +lat_2=60" + ell},
      {5, "AZIMUTHAL EQUAL AREA SPHERICAL EARTH", "+proj=laea +R=1 +lat_0=90", 0.5, 90},
      {6, "AZIMUTHAL EQUAL AREA SPHERICAL EARTH", "+proj=laea +R=1 +lat_0=45", 0.5, 45},
      {7, "STEREOGRAPHIC CONFORMAL SPHERICAL EARTH", "+proj=stere +R=1 +lat_0=90", 0.5, 90},
      {8, "STEREOGRAPHIC CONFORMAL SPHERICAL EARTH", "+proj=stere +R=1 +lat_0=45", 0.5, 45},
      {9, "ORTHOGRAPHIC SPHERICAL EARTH", "+proj=ortho +R=1 +lat_0=90", 1, 90},
      {10, "ORTHOGRAPHIC SPHERICAL EARTH", "+proj=ortho +R=1 +lat_0=45", 1, 45},
      {11, "PERSPECTIVE SPHERICAL EARTH", "", 1, 90, -1},
      {12, "PERSPECTIVE SPHERICAL EARTH", "+proj=nsper +R=1 +lat_0=45" + h, 1, 45},
      {13, "POLYCONIC SPHERICAL EARTH", "+proj=poly +R=1"},
      {14, "LALLEMAND POLYCONIC ELLIPSOIDAL EARTH", "+proj=imw_p +lat_1=30 +lat_2=60 +lon_1=2" + ell, 1, 30},
      {15, "MERCATOR SPHERICAL EARTH", "+proj=merc +R=1"},
      {16, "MERCATOR ELLIPSOIDAL EARTH", "+proj=merc" + ell},
      {17, "GNOMOMIC SPHERICAL EARTH", "+proj=gnom +R=1 +lat_0=90", 1, 90},
      {18, "GNOMOMIC SPHERICAL EARTH", "+proj=gnom +R=1 +lat_0=45", 1, 45},
      {19, "ALBERS SPHERICAL EARTH", "+proj=aea +R=1 +lat_1=30 +lat_2=30", 1, 30},
      {20, "BONNE SPHERICAL EARTH", "+proj=bonne +R=1 +lat_1=30", 1, 30},
      {21, "WERNER SPHERICAL EARTH", "+proj=bonne +R=1 +lat_1=90", 1, 90},
      {22, "SANSON-FLAMSTEED SPHERICAL EARTH", "+proj=sinu +R=1"},
      {23, "LAMBERT CYLINDRICAL NORMAL EQUIVALENT", "+proj=cea +R=1"},
      {24, "MOLLWEIDE SPHERICAL EARTH", "+proj=moll +R=1", 1 / std::sqrt(2.0)},
      {25, "VAN DER GRINTEN SPHERICAL EARTH", "+proj=vandg +R=1", 1 / std::numbers::pi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    reset_projection_state();
    initialise_projection();
    screen();
    // The code, 99 to apply it, the perspective's angle of view set to 90
    // degrees in its menu, 99 to every other menu (ellipsoid, setters,
    // origin).
    Lines answers{std::to_string(c.code), "99"};
    if (c.code == 11 || c.code == 12) answers.insert(answers.end(), {"1", "90"});
    answers.insert(answers.end(), 8, "99");
    const Lines lines = choose(answers);
    EXPECT_EQ(projtype.iproj, c.code);
    // The title box, then the code's setters, and last the origin's menu.
    const Lines title = from_block(lines, join({menu_head("sprojll2"), {" " + c.title}}));
    ASSERT_FALSE(title.empty()) << c.title;
    EXPECT_EQ(heads(title).back(), "sllorig");
    if (c.code == 14) {  // the whole box, its degree sign the one byte 0xA1
      ASSERT_GE(title.size(), 10u);
      EXPECT_EQ(Lines(title.begin() + 3, title.begin() + 10),
                (Lines{" LALLEMAND POLYCONIC ELLIPSOIDAL EARTH", " Used by the International Map of the World",
                       " 4 parameters:", "   1 central meridien", "   1 true scale meridien (+2\xA1" "E of central)",
                       "   1 northernmost parallel", "   1 southernmost parallel"}));
    }
    double x = 0, y = c.y;
    if (!c.proj.empty()) {
      Points p;
      p.add(0, 45);
      p.add(0, c.anchor_lat);
      const auto r = proj_forward(c.proj, p);
      ASSERT_TRUE(r.size() == 2 && r[0] && r[1]);
      x = c.scale * (r[0]->first - r[1]->first);
      y = c.scale * (r[0]->second - r[1]->second);
    }
    // Mollweide's auxiliary angle is tabulated to 0.1 degree.
    const double tolerance = c.code == 24 ? 2e-3 : 2e-5;
    EXPECT_NEAR(llorig.xorigll, x, tolerance);
    EXPECT_NEAR(llorig.yorigll, y, tolerance);
    EXPECT_NEAR(project_one(c.code, 0, 45).second, 0, 1e-6);  // the origin at (0, 0)
  }
}

TEST_F(ProjectionMenu, MenuBodyChoiceAndApplication) {
  const std::string rule = rule_of('-');
  // 3 chosen (shown on its line), 30 refused, 99 applies 3.
  const Lines lines = choose({"3", "30", "", "99", "99", "99", "99", "99"});
  auto body = [&](const std::string& setting) {
    return join({menu_head("sprojll2"),
                 {"            EARTH MAP PROJECTIONS", "     (longitude,latitude) -------> (x,y)", rule,
                  "  current projection number:   15", "  setting projection number:" + setting, rule,
                  " I    - SPHERICAL - CONFORMAL", "  Transverse mercator ...................1",
                  "  Lambert conformal conical  ............3", "  Stereographic (inversion) polar........7",
                  "  Stereographic (inversion) oblique .....8", "  Mercator .............................15", rule,
                  " II   - SPHERICAL - EQUIVALENT", "  Lambert azimutal equal area polar......5",
                  "  Lambert azimutal equal area oblique ...6", "  Albers ...............................19",
                  "  Bonne ................................20", "  Werner ...............................21",
                  "  Sanson-Flamsteed .....................22", "  Lambert cylindrical normal equivalent 23",
                  "  Mollweide ............................24", rule, " III  - SPHERICAL - OTHERS",
                  "  Orthographic polar.....................9", "  Orthographic oblique .................10",
                  "  Perspective polar.....................11", "  Perspective oblique ..................12",
                  "  Polyconical ..........................13", "  Gnonomic polar........................17",
                  "  Gnonomic oblique .....................18", "  Van Der Grinten ......................25", rule,
                  " IV  - ELLIPSOIDAL - CONFORMAL", "  Transverse mercator ...................2",
                  "  Lambert conformal conical .............4", "  Mercator .............................16", rule,
                  " V   - ELLIPSOIDAL - EQUIVALENT", rule, " VI  - ELLIPSOIDAL - OTHERS",
                  "  Lallemand modified polyconical .......14", rule, " SET AND EXIT ..........................99",
                  rule_of('@')}});
  };
  EXPECT_EQ(lines[0], picture_top);  // the picture above the menu
  EXPECT_TRUE(has_block(lines, body("   15")));
  EXPECT_TRUE(has_block(lines, join({warning_head("sprojll2"),
                                      {" UNKNOWN ANSWER !", " ==> BACK TO MENU WITHOUT ACTION"}})));
  EXPECT_TRUE(has_block(lines, body("    3")));
  // Choosing does not apply: the title box comes once, after 99, then the
  // code's setters and constants, then the origin.
  EXPECT_EQ(heads(lines),
            (Lines{"sprojll2", "sprojll2", "sprojll2", "sprojll2", "slong1", "slat1", "slat2", "sllorig"}));
  EXPECT_EQ(projtype.iproj, 3);
  EXPECT_NEAR(llpparam.pconst1, 0.7156, 1e-4);
}

TEST_F(ProjectionMenu, StartUpAndResetInitialiseEverySetUpInOrder) {
  reset_projection_state();
  contours_settings = {.ptsdeg = 3, .lclip = false};
  int iproj = 0;
  sprojll2(iproj, setup::initialise);
  const Lines start = screen_lines();
  EXPECT_EQ(heads(start), (Lines{"sprojll2", "sllorig", "slong1", "slong2", "slat1", "slat2", "sangle1", "sellipsoid",
                                 "sellipsoid", "soblique", "contours1", "sprojll2"}));
  EXPECT_EQ(count(start, picture_top), 1u);
  EXPECT_EQ(start.back(), " MERCATOR SPHERICAL EARTH");
  EXPECT_TRUE(iproj == 15 && projtype.iproj == 15 && contours_settings.lclip);
  EXPECT_NEAR(llorig.yorigll, 0.8814, 1e-4);
  EXPECT_FLOAT_EQ(contours_settings.ptsdeg, 10.0f);

  // A code outside 1 to 25 reaching the dispatcher resets every set-up
  // with its menu (99 to each), then shows the projection menu (21 chosen),
  // and projects the point, the north pole, under the code chosen.
  llpparam.latp1 = rad(10.0f);
  projtype.iproj = 26;
  type({"", "99", "99", "99", "99", "99", "99", "99", "99", "21", "99", "99"});
  real x = 0, y = 0, lon = 0, lat = rad(90.0f);
  project_point(lon, lat, x, y);
  const Lines reset = from_block(screen_lines(), join({error_head("projlln"), {" iproj =    26"}}));
  ASSERT_FALSE(reset.empty());
  EXPECT_EQ(reset[10], " NO SUCH PROJECTION AVALAIBLE");
  EXPECT_EQ(reset[11], " ==> RESET PROJECTION");
  EXPECT_EQ(count(reset, picture_top), 2u);
  EXPECT_EQ(heads(reset), (Lines{"sprojll2", "sllorig",    "sllorig",    "slong1",     "slong1",   "slong2",
                                 "slong2",   "slat1",      "slat1",      "slat2",      "slat2",    "sangle1",
                                 "sangle1",  "sellipsoid", "sellipsoid", "sellipsoid", "soblique", "soblique",
                                 "contours1", "sprojll2",  "sprojll2",   "sprojll2",   "sllorig"}));
  EXPECT_EQ(projtype.iproj, 21);
  EXPECT_FLOAT_EQ(llpparam.latp1, rad(30.0f));
  // Werner: the north pole is the centre, less the origin's image.
  EXPECT_NEAR(x, 0, 1e-6);
  EXPECT_NEAR(y, -llorig.yorigll, 1e-6);
}

// Each value that gives no map refused in its box, the menu again; the
// value in force afterwards.
TEST_F(ProjectionMenu, ValuesGivingNoMapAreRefused) {
  struct Case {
    SetupMode mode;  // the stored code with menus, or the code passed without
    int code;
    Lines answers;
    Lines box;  // consecutive lines of the transcript
    std::function<void()> check;
    std::function<void()> in_force = [] {};  // values set before the menu
  };
  const std::string retry = " ===> HIT RETURN TO CONTINUE";
  const std::vector<Case> cases{
      {setup::menu_from_stored, 3, {"3", "99", "99", "1", "90", "99", "99", "", "1", "45", "99", "99"},
       {" standard parallel =   90.000", " ==> MUST LIE STRICTLY BETWEEN -90 AND 90 DEGREES", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.latp1, rad(45.0f)); }},
      {setup::menu_from_stored, 5, {"5", "99", "1", "0", "99", "", "1", "90", "99", "99"},
       {" central angle =    0.000", " ==> MUST BE ABOVE 0 DEGREES", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.anglep1, rad(90.0f)); }},
      {setup::menu_from_stored, 9, {"9", "99", "1", "-10", "99", "", "1", "90", "99", "99"},
       {" central angle =  -10.000", " ==> MUST BE ABOVE 0 DEGREES", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.anglep1, rad(90.0f)); }},
      // The shared angle of 180 degrees is no angle of view: the
      // perspective's own is offered instead, said once, and accepted.
      {setup::menu_from_stored, 12, {"12", "99", "99", "99", "99"},
       join({{" angle of view =  180.000", " ==> MUST LIE STRICTLY BETWEEN 0 AND 180 DEGREES, OFFERED:   60.000"},
             menu_head("sangle1")}),
       [] { EXPECT_NEAR(llpparam.pconst1, 0.5, 1e-6); }},
      // A standard parallel at the pole, allowed to Albers, and equal
      // limiting parallels, allowed to the conic, are not offered either.
      {setup::menu_from_stored, 3, {"3", "99", "99", "99", "99", "99"},
       {" standard parallel =   90.000", " ==> MUST LIE STRICTLY BETWEEN -90 AND 90 DEGREES, OFFERED:   30.000"},
       [] { EXPECT_FLOAT_EQ(llpparam.latp1, rad(30.0f)); }, [] { llpparam.latp1 = rad(90.0f); }},
      {setup::menu_from_stored, 14, {"14", "99", "99", "99", "99", "99", "99", "99"},
       {" limiting parallels =   45.000   45.000", " ==> MUST BE DISTINCT, OFFERED:   30.000   60.000"},
       [] { EXPECT_FLOAT_EQ(forimwpoly.lat00[1], rad(60.0f)); },
       [] { llpparam.latp1 = llpparam.latp2 = rad(45.0f); }},
      {setup::menu_from_stored, 15, {"15", "99", "99"},
       {" origin =    0.000   90.000", " ==> NO FINITE IMAGE UNDER THIS PROJECTION, OFFERED:    0.000   45.000"},
       [] { EXPECT_FLOAT_EQ(llorig.latorigll, rad(45.0f)); }, [] { llorig.latorigll = rad(90.0f); }},
      // Typed, it is refused.
      {setup::menu_from_stored, 11, {"11", "99", "1", "180", "99", "", "1", "90", "99", "99"},
       {" ==> MUST LIE STRICTLY BETWEEN 0 AND 180 DEGREES", retry},
       [] { EXPECT_NEAR(llpparam.pconst1, std::sin(std::numbers::pi / 4), 1e-6); }},
      {setup::menu_from_stored, 14,
       {"14", "99", "99", "99", "99", "1", "45", "99", "1", "45", "99", "", "1", "49", "99", "99"},
       {" limiting parallels =   45.000   45.000", " ==> MUST BE DISTINCT", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.latp2, rad(49.0f)); }},
      // Given north first, swapped; the true-scale meridian offered 2
      // degrees east of the central one (10), whatever it was.
      {setup::menu_from_stored, 14, {"14", "99", "99", "1", "10", "99", "99", "1", "60", "99", "1", "30", "99", "99"},
       {" ==> LIMITING PARALLELS SWAPPED: SOUTHERNMOST FIRST"},
       [] {
         EXPECT_FLOAT_EQ(forimwpoly.lat00[0], rad(30.0f));
         EXPECT_FLOAT_EQ(forimwpoly.lat00[1], rad(60.0f));
         EXPECT_FLOAT_EQ(llpparam.longp2, rad(12.0f));
       }},
      {setup::passed, 11, {"", ""},
       {" angle of view =  180.000", " ==> MUST LIE STRICTLY BETWEEN 0 AND 180 DEGREES",
        " ==> KEPT: THE MAP MAY BE EMPTY OR COLLAPSED", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.anglep1, rad(180.0f)); }},
      // Latitudes are asked within the globe.
      {setup::menu_from_stored, 19, {"19", "99", "1", "95", "", "20", "99", "99"},
       {" outside [-90.000, 90.000]", retry},
       [] { EXPECT_FLOAT_EQ(llpparam.latp1, rad(20.0f)); }},
      {setup::menu_from_stored, 15, {"15", "99", "2", "90", "99", "", "2", "40", "99"},
       {" The origin has no finite image under this projection", " ==> CHOOSE ANOTHER ORIGIN", retry},
       [] { EXPECT_FLOAT_EQ(llorig.latorigll, rad(40.0f)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.front());
    reset_projection_state();
    initialise_projection();
    screen();
    c.in_force();
    const Lines lines = choose(c.answers, c.mode, c.code);
    EXPECT_TRUE(has_block(lines, c.box));
    EXPECT_EQ(count(lines, c.box.front()), 1u);  // said once
    EXPECT_EQ(projtype.iproj, c.code);
    c.check();
  }
  // A code passed outside 1 to 25: Mercator instead, said so.
  type({""});
  int code = 26;
  sprojll2(code, setup::passed);
  EXPECT_TRUE(has_block(screen_lines(), {"  projection nb =   26", " ==> NO SUCH PROJECTION NB", " ==> RESETTING TO:",
                                          "  projection nb =   15", retry}));
  EXPECT_EQ(code, 15);
  EXPECT_EQ(projtype.iproj, 15);
  // The same origin given without menu: offsets 0, said so.
  type({""});
  real lon = 0, lat = 90;
  sllorig(lon, lat, setup::passed);
  EXPECT_TRUE(has_block(screen_lines(), join({warning_head("sllorig"),
                                               {" The origin has no finite image under this projection",
                                                " ==> OFFSETS SET TO 0"}})));
  EXPECT_TRUE(llorig.xorigll == 0.0f && llorig.yorigll == 0.0f);
  EXPECT_FLOAT_EQ(llorig.latorigll, rad(90.0f));
}

}  // namespace
}  // namespace dorvix::testing
