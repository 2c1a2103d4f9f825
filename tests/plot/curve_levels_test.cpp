// Curve levels and fixed parameters: defaults, counts from increments and
// back with their messages, single levels, the menu's refusals, and fixed
// parameters of each type with their descriptions and checks.

#include <gtest/gtest.h>

#include <string>

#include "dialogue/console_units.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using CurveLevels = DrawTest;
using FixedParameters = DrawTest;

struct Levels {
  real vinit = 0, vfinal = 1, vinc = 0.1f;
  int nlev = 11, itype = 1;
  std::string name = "level";
  void set(SetupMode mode) { sclevel2(vinit, vfinal, vinc, nlev, itype, name, mode); }
};

// The message lines of a box of `lines` (without its frame and pause).
Lines message(const Lines& lines, std::size_t head) { return Lines(lines.begin() + static_cast<std::ptrdiff_t>(head), lines.end() - 2); }

TEST_F(CurveLevels, DefaultsAndTheirTexts) {
  Levels l{5, 6, 7, 8, 3, "xx"};  // a name shorter than the default
  l.set(setup::initialise);
  EXPECT_EQ(plevblock.vlevi, 0);
  EXPECT_EQ(plevblock.vlevf, 1);
  EXPECT_FLOAT_EQ(plevblock.vlevd, 0.1f);
  EXPECT_EQ(plevblock.nlev, 11);
  EXPECT_EQ(plevblock.levname, "level");
  EXPECT_EQ(l.itype, 1);
  EXPECT_EQ(plevblock.levtext, " init = 0.000 final = 1.000 inc = 0.100            ");
  EXPECT_EQ(plevblock.levlabel, "level" + plevblock.levtext);
  EXPECT_EQ(screen(), "");
}

TEST_F(CurveLevels, IncrementWithALargeRemainder) {
  const Lines head = {" Levels computed from increment:", "  nb of levels        =    4",
                      "  initial             =    0.000", "  final               =    1.000",
                      "  increment           =    0.300", "  remainder/increment =    0.333", " ==> large remainder"};
  type({""});
  Levels l{0, 1, 0.3f, 0, 2};
  l.set(setup::passed);
  EXPECT_EQ(plevblock.nlev, 4);
  EXPECT_FLOAT_EQ(plevblock.vlevd, 1.0f / 3);
  Lines lines = screen_lines();
  EXPECT_EQ(message(lines, 4), join({{head[0], "  Calculation type    =    2"}, Lines(head.begin() + 1, head.end()),
                                     {" ==> RECOMPUTED:", "  increment =    0.333"}}));
  type({""});
  l = Levels{0, 1, 0.3f, 0, 3};
  l.set(setup::passed);
  EXPECT_FLOAT_EQ(plevblock.vlevd, 0.3f);
  lines = screen_lines();
  EXPECT_EQ(lines[lines.size() - 3], " ==> final level not reached");
}

TEST_F(CurveLevels, OneLevelHasNoRemainder) {
  Levels l{0, 0.5f, 1, 0, 2};
  l.set(setup::passed);
  EXPECT_EQ(plevblock.nlev, 1);
  EXPECT_EQ(plevblock.vlevd, 1);
  EXPECT_EQ(screen(), "");
}

TEST_F(CurveLevels, AnInconsistentLoopBecomesOneLevel) {
  for (Levels l : {Levels{0, 1, 0, 5, 2}, Levels{1, 0, 0.5f, 5, 2}}) {
    type({""});
    l.set(setup::passed);
    EXPECT_EQ(l.nlev, 1);
    EXPECT_EQ(l.itype, 1);
    EXPECT_EQ(l.vinc, 1);
    const Lines lines = screen_lines();
    EXPECT_EQ(lines[3], " ***        subroutine sclevel2          ***");
    const Lines tail(lines.end() - 7, lines.end() - 2);
    EXPECT_EQ(tail, (Lines{" ==> INCONSISTENT LOOP", " ==> NEED TO CORRECT IT", " ==> SETTING SINGLE LEVEL",
                           "  Nb of levels        =    1", "  Calculation type    =    1"}));
  }
}

TEST_F(CurveLevels, NoLevelCountIsRepairedToOne) {
  type({""});
  Levels l{0, 1, 0.1f, 0, 1};
  l.set(setup::passed);
  EXPECT_EQ(l.nlev, 1);
  EXPECT_EQ(l.vinc, 1);
  EXPECT_EQ(message(screen_lines(), 9),
            (Lines{" Computing increment from nb of curves", "  Calculation type =    1", "  nb of curves =    0",
                   " ==> NEED nb > 0", " ==> RESET nb =    1"}));
}

TEST_F(CurveLevels, UnknownTypeWarnsAndCountsFromTheIncrement) {
  for (int t : {7, -1}) {
    type({""});
    Levels l{0, 1, 0.25f, 0, t};
    l.set(setup::passed);
    EXPECT_EQ(l.itype, 2);
    EXPECT_EQ(l.nlev, 5);
    const Lines lines = screen_lines();
    EXPECT_EQ(message(lines, 4), (Lines{" Calculation type =" + std::string(t < 0 ? "   -1" : "    7"), " ==> Unknown",
                                        " ==> RESETTING TYPE TO USE INCREMENT", " Calculation type =    2"}));
  }
}

TEST_F(CurveLevels, SingleLevel) {
  type({""});
  Levels l{2, 3, 1, 5, 4};
  l.set(setup::passed);
  EXPECT_EQ(l.nlev, 1);
  EXPECT_EQ(message(screen_lines(), 4),
            (Lines{" Single level:", "  Calculation type    =    4", "  nb of levels        =    5",
                   "  initial             =    2.000", "  final               =    3.000",
                   "  increment           =    1.000", " ==> RESETTING:", "  Nb of levels        =    1"}));
  // Option 20 of the menu.
  type({"20", "2.5", "99"});
  l = Levels{};
  l.set(setup::menu_from_passed);
  EXPECT_EQ(l.vinit, 2.5f);
  EXPECT_EQ(l.vfinal, 2.5f);
  EXPECT_EQ(l.nlev, 1);
  EXPECT_EQ(l.vinc, 1);
  EXPECT_EQ(l.itype, 4);
  EXPECT_EQ(plevblock.levtext.substr(0, 33), " init = 2.500 final = 2.500 inc =");
  screen();
}

TEST_F(CurveLevels, MenuRefusesAZeroIncrementAndANonPositiveCount) {
  type({"12", "0", "", "0.5", "14", "-2", "", "3", "99"});
  Levels l;
  l.set(setup::menu_from_passed);
  EXPECT_EQ(l.nlev, 3);
  EXPECT_EQ(l.itype, 1);
  EXPECT_FLOAT_EQ(l.vinc, 0.5f);
  const Lines lines = screen_lines();
  const Lines menu = {" -------------------------------------------", "          CURVES LEVEL PARAMETER",
                      " -------------------------------------------", " level name       : level",
                      " Calculation type =    1", " level initial value ...........10    0.000",
                      " level final   value ...........11    1.000", " level increment ...............12    0.100",
                      " modify init, final & inc ......13", " nb of level curves ............14   11",
                      " modify init, final & nb .......15", " single level value ............20    0.000",
                      " -------------------------------------------", " EXIT ..........................99",
                      menu_tail};
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 18), join({menu_head("sclevel2"), menu}));
  EXPECT_TRUE(contains(lines, " Increment =    0.000"));
  EXPECT_TRUE(contains(lines, " Increment MUST be non zero"));
  EXPECT_TRUE(contains(lines, " Nb of level curves =   -2"));
  EXPECT_TRUE(contains(lines, " MUST BE > 0"));
  EXPECT_EQ(count_of(lines, " ==> BACK TO QUERY"), 2);
  EXPECT_TRUE(contains(lines, " level increment ...............12    0.500"));
}

TEST_F(FixedParameters, CountIsCheckedAndItsMenuTakesOneToFour) {
  for (int bad : {5, -1}) {
    type({"n", ""});
    int n = bad;
    scparfixnb(n, setup::passed);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(pfixblock.nparfix, 4);
    const Lines lines = screen_lines();
    EXPECT_TRUE(contains(lines, " nparfixa =" + std::string(bad < 0 ? "           -1" : "            5")));
    EXPECT_EQ(lines.back(), "   ===> reset nparfixa =      4");
  }
  type({"10", "0", "", "2", "99"});
  int n = 0;
  scparfixnb(n, setup::menu_from_passed);
  EXPECT_EQ(n, 2);
  const Lines lines = screen_lines();
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 11),
            join({menu_head("scparfixnb"),
                  {" -------------------------------------------", "           CURVES FIXED PARAMETERS",
                   " -------------------------------------------", " max nb of fixed params ..........      4",
                   " current nb of fixed params ....10      0", " -------------------------------------------",
                   " EXIT ..........................99", menu_tail}}));
}

struct Fixed {
  std::string name = "parameter", cval = std::string(12, ' ');
  int itype = 1, ival = 0, index = 1;
  real rval = 0;
  void set(SetupMode mode) { scparfix1(name, itype, rval, ival, cval, index, mode); }
};

TEST_F(FixedParameters, ValuesFollowTheTypeAndTheDescriptionIsBuilt) {
  int n = 4;
  scparfixnb(n, setup::passed);
  Fixed f{"Azimuth", std::string(12, ' '), 1, 0, 1, 2.7f};
  f.set(setup::passed);
  EXPECT_EQ(f.ival, 2);
  EXPECT_EQ(pfixblock.ipfix[0], 2);
  f.rval = -2.7f;
  f.set(setup::passed);
  EXPECT_EQ(f.ival, -2);
  EXPECT_EQ(pfixblock.pfixname[0], "Azimu");
  Fixed g{"Order", std::string(12, ' '), 2, 12, 2};
  g.set(setup::passed);
  EXPECT_EQ(g.rval, 12);
  EXPECT_EQ(pfixblock.pfixvalue[1], "12          ");
  EXPECT_EQ(pfixblock.pfixinfo[1], "Order = 12       ");
  Fixed t{"Label", "abc", 3, 7, 3, 1.5f};
  t.set(setup::passed);
  EXPECT_EQ(t.rval, 0);
  EXPECT_EQ(t.ival, 0);
  EXPECT_EQ(pfixblock.pfixinfo[2], "Label = abc      ");
  Fixed none{"Flag", "x", 0, 3, 4, 9};
  none.set(setup::passed);
  EXPECT_EQ(pfixblock.pfixvalue[3], "---         ");
  EXPECT_EQ(pfixblock.pfixinfo[3], "Flag             ");
  // An eleven-letter name: five letters for the name, as much as fits in
  // the description.
  Fixed longer{"Temperature", std::string(12, ' '), 2, 300, 1};
  longer.set(setup::passed);
  EXPECT_EQ(pfixblock.pfixname[0], "Tempe");
  EXPECT_EQ(pfixblock.pfixinfo[0], "Temperature = 300");
  // A real beyond the integers has the nearest integer bound.
  Fixed huge{"Big", std::string(12, ' '), 1, 0, 1, 1e20f};
  huge.set(setup::passed);
  EXPECT_EQ(huge.ival, 2147483520);
  EXPECT_EQ(screen(), "");
}

TEST_F(FixedParameters, WrongTypeAndIndexAreResetAfterTheirBoxes) {
  int n = 2;
  scparfixnb(n, setup::passed);
  type({"n", ""});
  Fixed f{"Kind", "zzz", 5, 4, 1, 3};
  f.set(setup::passed);
  EXPECT_EQ(f.itype, 0);
  EXPECT_EQ(f.rval, 0);
  EXPECT_EQ(f.ival, 0);
  EXPECT_EQ(f.cval, "---");
  EXPECT_EQ(pfixblock.pfixinfo[0], "Kind             ");
  EXPECT_TRUE(contains(screen_lines(), "   ===> reset ipfixtypea =      0"));
  type({"n", ""});
  Fixed g{"Slot", std::string(12, ' '), 2, 8, 3};
  g.set(setup::passed);
  EXPECT_EQ(g.index, 2);
  EXPECT_EQ(pfixblock.ipfix[1], 8);
  EXPECT_TRUE(contains(screen_lines(), "   ===> reset ifix1 =      2"));
  // Reading a slot outside the four reads nothing before the check.
  type({"n", ""});
  Fixed h{"Far", std::string(12, ' '), 2, 5, 99};
  h.set(setup::stored);
  EXPECT_EQ(h.index, 2);
  EXPECT_EQ(h.name, "Far");
  screen();
}

TEST_F(FixedParameters, NothingToSetWithoutFixedParameters) {
  type({""});
  Fixed f;
  f.set(setup::passed);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " nparfix =      0"));
  EXPECT_TRUE(contains(lines, " =====> NO ACTION"));
  EXPECT_TRUE(contains(lines, " OUTDATED    warningtail0"));
  EXPECT_EQ(pfixblock.pfixname[0], "     ");
}

TEST_F(FixedParameters, MenuEntersValuesOfTheParametersTypeOnly) {
  int n = 1;
  scparfixnb(n, setup::passed);
  // Integer 40 on a real parameter: refused. Real 30: 2.5. Type 20 to 2,
  // then 40: 9. Leave.
  type({"40", "", "30", "2.5", "20", "2", "40", "9", "99"});
  Fixed f{"Scale", std::string(12, ' '), 1, 0, 1, 1};
  f.set(setup::menu_from_passed);
  EXPECT_EQ(f.itype, 2);
  EXPECT_EQ(f.ival, 9);
  EXPECT_EQ(f.rval, 9);
  EXPECT_EQ(pfixblock.pfixinfo[0], "Scale = 9        ");
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " Wrong type of parameter"));
  EXPECT_TRUE(contains(lines, " real      value ...............30    1.000"));
  EXPECT_TRUE(contains(lines, " integer   value ...............40      2"));
  EXPECT_TRUE(contains(lines, " info: Scale = 2.500000    "));
  EXPECT_TRUE(contains(lines, " name only - no value ......0"));
}

}  // namespace
}  // namespace dorvix::testing
