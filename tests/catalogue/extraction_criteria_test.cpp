// The extraction criteria: defaults, the menu, the polygon file and the
// checks made when the menu is left.

#include "catalogue/extraction_criteria.hpp"
#include "catalogue/extraction_tests.hpp"

#include <gtest/gtest.h>

#include "catalogue/selection_polygon.hpp"
#include "dialogue/dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

class Criteria : public DialogueTest {
 protected:
  void SetUp() override {
    DialogueTest::SetUp();
    seistest2 = SeisTest2{};
    setseistest6(setup::initialise);
    screen();
  }
};

const std::string dashes = rule_of('-');
const std::string short_dashes = rule_of('-', 32);

TEST_F(Criteria, DefaultsAndTheirAnnouncement) {
  seistest2 = SeisTest2{};
  setseistest6(setup::initialise);
  EXPECT_EQ(screen_lines(), join({menu_head("setseistest"), {" INITIALIZING EXTRACTION TESTS"}}));
  const SeisTest2& t = seistest2;
  EXPECT_TRUE(t.lgcpoly);
  EXPECT_FALSE(t.ltest || t.ltlat || t.ltlong || t.ltdepth || t.ltpoly || t.lrakeboth || t.ltrake1 || t.ltfroh);
  EXPECT_EQ(t.nvrtx, 3);
  EXPECT_EQ(t.vrtxlat(2), 60.0f);
  EXPECT_EQ(t.vrtxlong(3), 60.0f);
  real v[6];
  gscseistest(v[0], v[1], v[2], v[3], v[4], v[5]);
  EXPECT_EQ(std::vector<real>(v, v + 6), (std::vector<real>{-90, 90, -180, 180, 0, 50}));
}

TEST_F(Criteria, DefaultMenuShowsOneLinePerTestAndLeavesOnReturn) {
  type({""});
  setseistest6(setup::menu_from_stored);
  const Lines body{dashes,
                   " WHAT IS TO BE TESTED ? (Angles in degrees) ",
                   dashes,
                   " general test switch ..........10 F",
                   short_dashes,
                   " test latitude ...............100 F",
                   " test longitude ..............200 F",
                   " test polygon ................250 F",
                   " test depth ..................300 F",
                   " test rake on both planes.....501 F",
                   " test union of intervals 1,2,3",
                   " test rake interval 1 ........500 F",
                   " test rake interval 2.........520 F",
                   " test rake interval 3.........540 F",
                   " test Frohlich quality........600 F",
                   dashes,
                   " EXIT .........................99",
                   dashes};
  EXPECT_EQ(head_of(screen_lines(), 21), join({menu_head("setseistest"), body}));
}

TEST_F(Criteria, PolygonBlockListsTheVerticesWithTheirCommands) {
  type({"250", "y", "262", "-12.5", "61", "99"});
  setseistest6(setup::menu_from_stored);
  EXPECT_EQ(seistest2.vrtxlong(2), -12.5f);
  const Lines block{" test polygon ................250 T",
                    " great circle polygon ........251 T",
                    " lat-long polygon ............251 F",
                    " min number of vertices ........:      3",
                    " max number of vertices ........:      9",
                    " read polygon from file ......252",
                    " number of vertices ..........253      3",
                    " - - - - - - - - - - - - - - - - ",
                    " longitud latitude .......command",
                    "    0.000    0.000 ...........261",
                    "  -12.500   61.000 ...........262",
                    "   60.000    0.000 ...........263",
                    short_dashes};
  const Lines l = screen_lines();
  EXPECT_NE(std::search(l.begin(), l.end(), block.begin(), block.end()), l.end());
  EXPECT_TRUE(has(l, " vertex number =      2"));
}

TEST_F(Criteria, ChoicesAroundTheVertexCommandsDoNothing) {
  // Below the first vertex command, past the last one, and the extremes
  // of the integers (compared, never subtracted from).
  const SeisTest2 before = seistest2;
  for (const char* choice : {"260", "264", "-2147483648", "2147483647"}) {
    type({choice, "99"});
    setseistest6(setup::menu_from_stored);
    const Lines l = screen_lines();
    EXPECT_FALSE(std::any_of(l.begin(), l.end(), [](const std::string& s) { return s.starts_with(" vertex number"); }))
        << choice;
    for (int i = 1; i <= 3; ++i) {
      EXPECT_EQ(seistest2.vrtxlong(i), before.vrtxlong(i)) << choice;
      EXPECT_EQ(seistest2.vrtxlat(i), before.vrtxlat(i)) << choice;
    }
  }
}

TEST_F(Criteria, PolygonFileOfTwelveVerticesIsCutToNine) {
  std::string text = "12 2\n";
  for (int i = 1; i <= 12; ++i) text += std::to_string(i) + ", " + std::to_string(-i) + "\n";
  write_file("poly.txt", text);
  type({"252", "poly.txt", "", "99"});
  setseistest6(setup::menu_from_stored);
  EXPECT_EQ(seistest2.nvrtx, 9);
  EXPECT_FALSE(seistest2.lgcpoly);
  EXPECT_EQ(seistest2.vrtxlat(9), -9.0f);
  const Lines l = screen_lines();
  const Lines resetting{" Read number of vertices =     12", " Max  number of vertices =      9",
                        " => RESETTING:", " Reset number of vertices =      9"};
  EXPECT_NE(std::search(l.begin(), l.end(), resetting.begin(), resetting.end()), l.end());
  const Lines report{" Polygon file poly.txt is closed", " Could read up to:      9 vertices",
                     " Actually read   :      9 vertices", " - - - - - - - - - - - - - - - - - - - - - -"};
  EXPECT_NE(std::search(l.begin(), l.end(), report.begin(), report.end()), l.end());
}

// A file that ends early, or holds a corner beyond -360..360 degrees,
// leaves no vertex; the corners read before stay.
TEST_F(Criteria, PolygonFileThatFailsLeavesNoVertex) {
  const struct {
    const char* text;
    Lines reason;
  } cases[] = {
      {"5 1\n0 0\n10 0\n10 10\n", {" END OF FILE REACHED UNEXPECTEDLY"}},
      {"4 2\n0 0\n10 0\n10 10\n403 10\n",
       {" Error while reading data # =      4", " longitude =      403.000",
        " corner longitudes must lie within -360 and 360"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    seistest2.nvrtx = 3;
    write_file("short.txt", c.text);
    type({"252", "short.txt", "", "99"});
    setseistest6(setup::menu_from_stored);
    EXPECT_EQ(seistest2.nvrtx, 0);
    EXPECT_EQ(seistest2.vrtxlong(3), 10.0f);
    EXPECT_NE(seistest2.vrtxlong(4), 403.0f);
    const Lines box = join({c.reason, {" => POLYGON INPUT FAILED", " RESETTING # vertices =      0",
                                       " Polygon file short.txt is closed", " ===> HIT RETURN TO CONTINUE"}});
    const Lines l = screen_lines();
    EXPECT_NE(std::search(l.begin(), l.end(), box.begin(), box.end()), l.end());
  }
}

TEST_F(Criteria, LeavingWithAPolygonOfTwoVerticesWarns) {
  write_file("two.txt", "2 1\n0 0\n10 0\n");
  type({"250", "y", "252", "two.txt", "99", ""});
  setseistest6(setup::menu_from_stored);
  const Lines box = join({warning_head("setseistest"),
                          {" number of vertices =      2", " A POLYGON NEEDS AT LEAST 3 VERTICES",
                           " => POLYGON TEST KEEPS ONLY POINTS ON ITS SIDE", " ===> HIT RETURN TO CONTINUE"}});
  const Lines l = screen_lines();
  EXPECT_NE(std::search(l.begin(), l.end(), box.begin(), box.end()), l.end());
}

TEST_F(Criteria, ADegenerateContourSendsTheKeyboardUserBack) {
  // Vertices 4 and 5 never set: both at (0, 0), like vertex 1.
  type({"250", "y", "253", "5", "99", "", "", "", "250", "n", "99"});
  setseistest6(setup::menu_from_stored);
  const Lines l = screen_lines();
  const Lines box = join({error_head("spolygontst"),
                          {" Test great circle: T", " INCONSISTENT CONTOUR:", " Vertex # longitud latitude",
                           "        4    0.000    0.000", "        5    0.000    0.000", " ||OV1 x OV2|| = 0",
                           " V2 = V1 ?", " ==> TEST IS UNRELIABLE:", " ==> IT NEED BE REDONE",
                           "     AFTER CONTOUR CORRECTION", " ===> HIT RETURN TO CONTINUE"}});
  EXPECT_NE(std::search(l.begin(), l.end(), box.begin(), box.end()), l.end());
  EXPECT_EQ(count(l, " INCONSISTENT CONTOUR:"), 2);
  const Lines back{" NEED TO FIX POLYGON CONTOUR", "            OR", " DISABLE POLYGON SELECTION",
                   " => BACK TO INTERACTIVE MENU"};
  EXPECT_NE(std::search(l.begin(), l.end(), back.begin(), back.end()), l.end());
  EXPECT_FALSE(seistest2.ltpoly);
}

TEST_F(Criteria, DegenerateStraightEdgeHasItsOwnCode) {
  seistest2.lgcpoly = false;
  seistest2.vrtxlong(2) = 0.0f;
  seistest2.vrtxlat(2) = 0.0f;
  type({""});
  int istat = 0;
  spolygontst(istat, setup::menu_from_passed);
  EXPECT_EQ(istat, polygon_degenerate_straight);
  EXPECT_TRUE(has(screen_lines(), " ||V1V2|| = 0"));
}

}  // namespace
}  // namespace dorvix
