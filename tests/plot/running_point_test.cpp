// The running point: counts from increments and back, remainders and
// their messages, inconsistent loops sent to the curves menu, the setters'
// checks and menus, the description texts, and the master listing.

#include <gtest/gtest.h>

#include <vector>

#include "dialogue/console_units.hpp"
#include "numbers/edit.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using RunningPoint = DrawTest;

void range(real pti, real ptf, real ptd) {
  ptblock.pti = pti;
  ptblock.ptf = ptf;
  ptblock.ptd = ptd;
}

TEST_F(RunningPoint, CountFromAnIncrementThatFits) {
  range(0, 1, 0.1f);
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 11);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.1f);
  EXPECT_FLOAT_EQ(ptblock.rnseg, 10);
  range(1, 0, -0.25f);
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 5);
  EXPECT_EQ(screen(), "");
}

TEST_F(RunningPoint, ALargeRemainderIsReportedAndTypeTwoAdjustsTheIncrement) {
  range(0, 1, 0.3f);
  type({""});
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 4);
  EXPECT_FLOAT_EQ(ptblock.ptd, 1.0f / 3);
  Lines box = {" Calculation type =      2", " np computed from td with:", "  mp  =   1000", "  np  =      4",
                     "  pti =    0.000", "  ptf =    1.000", "  ptd =    0.300", "  remainder/ptd =    0.333",
                     " ==> large remainder"};
  Lines lines = screen_lines();
  EXPECT_EQ(lines[1], " ///        subroutine scptend           ///");
  EXPECT_EQ(Lines(lines.begin() + 4, lines.end() - 2),
            join({box, {" RECOMPUTED VALUE:", "  ptd =    0.333"}}));
  // Type 3 keeps the increment: the last point falls short.
  range(0, 1, 0.3f);
  type({""});
  scptend(3, setup::passed);
  EXPECT_EQ(ptblock.np, 4);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.3f);
  lines = screen_lines();
  box[0] = " Calculation type =      3";
  EXPECT_EQ(Lines(lines.begin() + 4, lines.end() - 2), join({box, {" ==> final point is not reached"}}));
}

TEST_F(RunningPoint, TooManyPointsAreReducedToTheCurveBuffer) {
  range(0, 1, 0.0001f);
  type({"", ""});
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 1000);
  EXPECT_FLOAT_EQ(ptblock.ptd, 1.0f / 999);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " nb of points =   10001 > plot buffer size =    1000"));
  EXPECT_TRUE(contains(lines, " ===> reset nb of points =    1000"));
  EXPECT_TRUE(contains(lines, "  mp  =   1000"));
  EXPECT_TRUE(contains(lines, "  np  =   1000"));
  // A quotient beyond the integers: the count is bounded, never undefined.
  range(0, 3e38f, 1e-30f);
  type({"", ""});
  scptend(3, setup::passed);
  EXPECT_EQ(ptblock.np, 1000);
  screen();
}

TEST_F(RunningPoint, OnePointWhenTheBoundsMeet) {
  range(2, 2, 0.5f);
  type({""});
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 1);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.5f);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ===> WILL PLOT ONLY ONE POINT"));
  EXPECT_EQ(lines.size(), 8u) << "one box, no remainder message";
}

TEST_F(RunningPoint, IncrementFromTheCount) {
  range(0, 1, 5);
  ptblock.np = 11;
  scptend(1, setup::passed);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.1f);
  EXPECT_FLOAT_EQ(ptblock.rnp, 11);
  EXPECT_FLOAT_EQ(ptblock.rnseg, 10);
  ptblock.np = 1;
  scptend(0, setup::passed);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0);
  EXPECT_EQ(screen(), "");
}

TEST_F(RunningPoint, TextsAreRebuiltBelowOneHundredOnly) {
  range(0, 1, 0);
  ptblock.np = 11;
  ptblock.ptname = "ab   ";
  scptend(1, setup::passed);
  EXPECT_EQ(ptblock.pttext, " init =  0.000000 final =  1.000000 inc =  0.100000");
  EXPECT_EQ(ptblock.ptlabel, "ab init =  0.000000 final =  1.000000 inc =  0.100000   ");
  range(0, 2, 0);
  scptend(101, setup::passed);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.2f);
  EXPECT_EQ(ptblock.pttext, " init =  0.000000 final =  1.000000 inc =  0.100000");
  // A blank name leaves one blank before the description.
  ptblock.ptname = "     ";
  scptend(1, setup::passed);
  EXPECT_EQ(ptblock.ptlabel.substr(0, 9), "  init = ");
}

TEST_F(RunningPoint, AnUnknownTypeIsReplacedByTheCount) {
  for (int t : {7, -1}) {
    range(0, 1, 9);
    ptblock.np = 3;
    type({""});
    scptend(t, setup::passed);
    EXPECT_FLOAT_EQ(ptblock.ptd, 0.5f);
    const Lines lines = screen_lines();
    EXPECT_EQ(Lines(lines.begin() + 4, lines.end() - 2),
              (Lines{" Calculation type =" + edit::i(t, 7), " ==> Unknown", " ==> RESETTING TYPE TO USE NP",
                     " Calculation type =      1"}));
  }
}

TEST_F(RunningPoint, AnInconsistentLoopGoesToTheCurvesMenuUntilCorrected) {
  range(1, 0, 0.1f);
  ptblock.np = 3;
  // The box's pause; the curves menu: 320 (increment), its menu: 10,
  // -0.5, 99; back in the curves menu: 99.
  type({"", "320", "10", "-0.5", "99", "99"});
  scptend(2, setup::passed);
  EXPECT_EQ(ptblock.np, 3);
  EXPECT_FLOAT_EQ(ptblock.ptd, -0.5f);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ==> INCONSISTENT LOOP"));
  EXPECT_TRUE(contains(lines, "   ptd =    0.100"));
  EXPECT_TRUE(contains(lines, " increment ....................320    0.100"));
  EXPECT_TRUE(contains(lines, " increment .....................10   -0.500"));
  // A zero increment is inconsistent as well.
  range(0, 1, 0);
  type({"", "320", "10", "0.25", "99", "99"});
  scptend(3, setup::passed);
  EXPECT_EQ(ptblock.np, 5);
  screen();
}

TEST_F(RunningPoint, CountChecksOfTheSetter) {
  int np = 1000;
  scptnp(np, setup::passed);
  EXPECT_EQ(np, 1000);
  EXPECT_EQ(screen(), "");
  np = 1001;
  type({""});
  scptnp(np, setup::passed);
  EXPECT_EQ(np, 1000);
  EXPECT_TRUE(contains(screen_lines(), " ===> WILL NOT PLOT ALL THE DATA"));
  for (int bad : {0, -5}) {
    np = bad;
    type({""});
    scptnp(np, setup::passed);
    EXPECT_EQ(np, 1);
    EXPECT_EQ(ptblock.np, 1);
    const Lines lines = screen_lines();
    EXPECT_EQ(lines[3], " ***        subroutine scptnp            ***");
    EXPECT_EQ(Lines(lines.begin() + 9, lines.end() - 2),
              (Lines{" nb of points np =" + edit::i(bad, 8), " ===> UPSTREAM PROBLEM ?",
                     " Increment inconsistent with bounds ?", " ===> RESETTING np =       1"}));
  }
  // Modes 6 and 7 accept one point without the warning.
  np = 1;
  scptnp(np, setup::single_point_quietly);
  EXPECT_EQ(screen(), "");
}

TEST_F(RunningPoint, CountMenuAsksInsideItsRange) {
  ptblock.np = 20;
  type({"10", "1001", "", "15", "99"});
  int np = 0;
  scptnp(np, setup::menu_from_stored);
  EXPECT_EQ(np, 15);
  EXPECT_EQ(ptblock.np, 15);
  const Lines menu = {" -------------------------------------------", " RUNNING POINT PARAMETERS:",
                      " -------------------------------------------", " max nb of points ................    1000",
                      " nb of points ..................10      20", " nb of segments ..................      19",
                      " -------------------------------------------", " EXIT ..........................99",
                      menu_tail};
  const Lines lines = screen_lines();
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 12), join({menu_head("scptnp"), menu}));
  EXPECT_TRUE(contains(lines, " nb of points ..................10      15"));
  EXPECT_TRUE(contains(lines, " Enter nb of pts per curve"));
}

TEST_F(RunningPoint, NameKeepsFiveCharacters) {
  std::string name = "Barycentic coef";
  scptnam(name, setup::passed);
  EXPECT_EQ(ptblock.ptname, "Baryc");
  name = "ab";
  scptnam(name, setup::passed);
  EXPECT_EQ(ptblock.ptname, "ab   ");
  std::string back(8, '*');
  scptnam(back, setup::stored);
  EXPECT_EQ(back, "ab   ");
  scptnam(back, setup::initialise);
  EXPECT_EQ(back, "Point.parameter");
  EXPECT_EQ(ptblock.ptname, "Point");
  EXPECT_EQ(screen(), "");
}

const Lines listing = join({menu_head("scall"),
                            {" -------------------------------------------",
                             "                  CURVES",
                             "          1 - FIXED PARAMETERS",
                             " max nb of fixed params    :      4",
                             " current nb of fixed params:      0",
                             " current fixed parameters:",
                             " name       value     type   index",
                             " -------------------------------------------",
                             "          2 - LEVEL PARAMETERS",
                             " level name ...............: level",
                             " level initial value ......:    0.000",
                             " level final   value ......:    1.000",
                             " level increment ..........:    0.100",
                             " single level value .......:    0.000",
                             " nb of level curves .......:     11",
                             " -------------------------------------------",
                             "          3 - RUNNING POINT PARAMETERS",
                             " max nb of points .........:   1000",
                             " nb of points to draw .....:     11",
                             " nb of segments to draw ...:    0.000",
                             " initial value ............:    0.000",
                             " final   value ............:    1.000",
                             " increment ................:    0.100",
                             " name .....................: Point",
                             menu_tail}});

TEST_F(RunningPoint, InitialisationSetsEveryDefaultAndTheListingShowsThem) {
  scall(setup::initialise);
  EXPECT_EQ(screen_lines(), join({menu_head("scall"), {" INITIALIZING CURVES PARAMETERS"}, menu_head("scptnp"),
                                  {" INITIALIZING NUMBER OF POINTS TO:      11"}}));
  EXPECT_EQ(pfixblock.nparfix, 0);
  EXPECT_EQ(pfixblock.pfixname[3], "param");
  EXPECT_EQ(plevblock.nlev, 11);
  EXPECT_EQ(plevblock.levname, "level");
  EXPECT_EQ(ptblock.ptname, "Point");
  EXPECT_EQ(ptblock.np, 11);
  EXPECT_FLOAT_EQ(ptblock.ptf, 1);
  EXPECT_FLOAT_EQ(ptblock.ptd, 0.1f);
  const PtBlock before = ptblock;
  scall(setup::stored);
  EXPECT_EQ(screen(), "");
  scall(setup::list_curves);
  EXPECT_EQ(screen_lines(), listing);
  EXPECT_EQ(ptblock.ptname, before.ptname);
}

TEST_F(RunningPoint, CurvesMenuListsFixedParametersAndReachesEachSetter) {
  scall(setup::initialise);
  int n = 2;
  scparfixnb(n, setup::passed);
  screen();
  // Slot 2 by its number, then the number of points, then leave.
  type({"2", "99", "300", "10", "7", "99", "99"});
  scall(setup::menu_from_passed);
  EXPECT_EQ(ptblock.np, 7);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, "      param  0.000000  1 ....... 1"));
  EXPECT_TRUE(contains(lines, "      param  0.000000  1 ....... 2"));
  EXPECT_TRUE(contains(lines, " current nb of fixed params ...100      2"));
  EXPECT_TRUE(contains(lines, " index  ..........................      2"));
  EXPECT_TRUE(contains(lines, " nb of points to draw .........300      7"));
}

}  // namespace
}  // namespace dorvix::testing
