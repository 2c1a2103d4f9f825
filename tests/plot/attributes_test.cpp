// The line, fill and text attribute setters: range rules in the silent
// modes, announcements, menus, refusals, and what they write into the plot
// file.

#include <gtest/gtest.h>

#include <functional>

#include "dialogue/console_units.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

// A program after its start-up: the default colour table is set.
class Attributes : public PlotTest {
 protected:
  void SetUp() override {
    PlotTest::SetUp();
    default_colour_table();
  }
};

const std::string dash_rule = " " + std::string(43, '-');
const std::string dots = " " + std::string(42, '.');

// The lines of a warning box of `routine` around `message` (pause included).
Lines warning_box(const std::string& routine, const Lines& message) {
  return join({warning_head(routine), message, {" ===> HIT RETURN TO CONTINUE", rule_of('/')}});
}

Lines no_action(const std::string& routine, SetupMode inter) {
  std::string mode = std::to_string(inter.code());
  return warning_box(routine, {" inter = " + std::string(6 - mode.size(), ' ') + mode, " ===> NO ACTION"});
}

// An integer item in 6 columns after one blank.
std::string i6(int v) {
  const std::string s = std::to_string(v);
  return " " + std::string(6 - s.size(), ' ') + s;
}

// ---- Silent modes: what is stored and what is reported ---------------------

struct IntCase {
  const char* setter;
  std::function<void(int&, SetupMode)> set;
  int Plt2Blk::*field;
  int value;
  SetupMode inter;
  int stored;   // the field afterwards
  int returned; // the argument afterwards
  Lines message;  // the box's message lines; empty: nothing printed
};

TEST_F(Attributes, IntegerSettersBringValuesIntoRange) {
  const std::string reset_colour = " ===> RESET color nb    =";
  const IntCase cases[] = {
      {"slinecolor", slinecolor, &Plt2Blk::linecol, 13, setup::passed, 1, 1,
       {" trying to set color nb =" + i6(13), " when max color nb      =" + i6(12), reset_colour + i6(1)}},
      {"sfillcolor", sfillcolor, &Plt2Blk::fillcol, 20, setup::passed, 7, 7,
       {" trying to set color nb =" + i6(20), " when max color nb      =" + i6(12), reset_colour + i6(7)}},
      {"sfillcolor", sfillcolor, &Plt2Blk::fillcol, -3, setup::passed, 1, 1,
       {" trying to set color nb =" + i6(-3), " when min color nb      = 0", reset_colour + i6(1)}},
      {"stextcolor", stextcolor, &Plt2Blk::textcol, 0, setup::passed, 0, 0, {}},
      {"sfillstyle", sfillstyle, &Plt2Blk::fillstyle, 2, setup::passed, 0, 0,
       {" trying to set style nb =" + i6(2), " max style nb =" + i6(1), " ===> RESET style nb =" + i6(0)}},
      {"sfillstyle", sfillstyle, &Plt2Blk::fillstyle, 3, setup::passed, 1, 1,
       {" trying to set style nb =" + i6(3), " max style nb =" + i6(1), " ===> RESET style nb =" + i6(1)}},
      {"sfillstyle", sfillstyle, &Plt2Blk::fillstyle, -1, setup::passed, 1, 1,
       {" trying to set nb of style  =" + i6(-1), " min style nb = 0", " ===> RESET style nb =" + i6(1)}},
      // setup::stored returns and keeps the stored style: the value passed is not tested.
      {"sfillstyle", sfillstyle, &Plt2Blk::fillstyle, 2, setup::stored, 1, 1, {}},
      {"stextalign", stextalign, &Plt2Blk::justif, 4, setup::passed, 1, 1,
       {" just =" + i6(4), " ===> RESET just =" + i6(1)}},
      {"stextalign", stextalign, &Plt2Blk::justif, 0, setup::passed, -1, -1,
       {" just =" + i6(0), " ===> RESET just =" + i6(-1)}},
      {"stextalign", stextalign, &Plt2Blk::justif, -8, setup::passed, -1, -1,
       {" just =" + i6(-8), " ===> RESET just =" + i6(-1)}},
      {"stextalign", stextalign, &Plt2Blk::justif, 12, setup::passed, -1, -1,
       {" trying to set justif =" + i6(12), " justif must be in [-11,11]", " ===> RESET justif =" + i6(-1)}},
      {"stextalign", stextalign, &Plt2Blk::justif, -11, setup::passed, -11, -11, {}},
      {"stextfont", stextfont, &Plt2Blk::ifont, 16, setup::passed, 16, 16, {}},
      // A font outside 1 to 16 is refused: nothing stored, the argument kept.
      {"stextfont", stextfont, &Plt2Blk::ifont, 17, setup::passed, 1, 17,
       {" font number =" + i6(17), " ===> NO ACTION"}},
      // With a bad font and a bad mode the box names the font only.
      {"stextfont", stextfont, &Plt2Blk::ifont, 0, SetupMode(9), 1, 0, {" font number =" + i6(0), " ===> NO ACTION"}},
      // The range box comes first, then the mode's: the argument changed, nothing stored.
      {"sfillstyle", sfillstyle, &Plt2Blk::fillstyle, 3, SetupMode(6), 1, 1,
       join({{" trying to set style nb =" + i6(3), " max style nb =" + i6(1), " ===> RESET style nb =" + i6(1)},
             {" ===> HIT RETURN TO CONTINUE", rule_of('/')},
             warning_head("sfillstyle"),
             {" inter =" + i6(6), " ===> NO ACTION"}})},
  };
  open_plot(2);
  for (const IntCase& c : cases) {
    plt2blk.linecol = 1;
    plt2blk.fillcol = 8;
    plt2blk.textcol = 1;
    plt2blk.fillstyle = 1;
    plt2blk.justif = -1;
    plt2blk.ifont = 1;
    int v = c.value;
    c.set(v, c.inter);
    EXPECT_EQ(plt2blk.*c.field, c.stored) << c.setter << " " << c.value;
    EXPECT_EQ(v, c.returned) << c.setter << " " << c.value;
    const Lines want = c.message.empty() ? Lines{} : warning_box(c.setter, c.message);
    EXPECT_EQ(screen_lines(), want) << c.setter << " " << c.value;
  }
}

struct RealCase {
  const char* setter;
  std::function<void(real&, SetupMode)> set;
  real Plt2Blk::*field;
  real value;
  real stored;
  Lines message;
};

TEST_F(Attributes, RealSettersResetValuesOutOfRange) {
  const RealCase cases[] = {
      // The lower bounds are exclusive here.
      {"slinewidth", slinewidth, &Plt2Blk::linewidth, 0.01f, 0.02f,
       {" LINE THICKNESS OUT OF RANGE:", "  line thickness (cm) =    0.010", "  min =    0.010",
        "  max = 1000.000", " ==> RESET line thickness =    0.020"}},
      {"slinewidth", slinewidth, &Plt2Blk::linewidth, 1000.0f, 1000.0f, {}},
      {"slinewidth", slinewidth, &Plt2Blk::linewidth, 1000.5f, 0.02f,
       {" LINE THICKNESS OUT OF RANGE:", "  line thickness (cm) = 1000.500", "  min =    0.010",
        "  max = 1000.000", " ==> RESET line thickness =    0.020"}},
      {"stextsize", stextsize, &Plt2Blk::txtheight, 0.02f, 0.5f,
       {" TEXT SIZE OUT OF RANGE:", "  txtheight =   0.02", "  min =   0.02", "  max = 1000.00",
        " ==> RESET txtheight =   0.50"}},
      {"stextsize", stextsize, &Plt2Blk::txtheight, 1000.0f, 1000.0f, {}},
      {"stextangle", stextangle, &Plt2Blk::txtangle, 1000.0f, 1000.0f, {}},
      {"stextangle", stextangle, &Plt2Blk::txtangle, -45.0f, -45.0f, {}},
  };
  open_plot(2);
  for (const RealCase& c : cases) {
    real v = c.value;
    c.set(v, setup::passed);
    EXPECT_EQ(plt2blk.*c.field, c.stored) << c.setter << " " << c.value;
    EXPECT_EQ(v, c.stored) << c.setter << " " << c.value;
    const Lines want = c.message.empty() ? Lines{} : warning_box(c.setter, c.message);
    EXPECT_EQ(screen_lines(), want) << c.setter << " " << c.value;
  }
}

TEST_F(Attributes, ModesThatDoNotStoreSayNoActionAndShowNoMenu) {
  open_plot(2);
  const Plt2Blk before = plt2blk;
  real r = 3;
  int i = 2;
  struct Run {
    const char* setter;
    std::function<void()> call;
  };
  const Run runs[] = {
      {"slinewidth", [&] { slinewidth(r, SetupMode(6)); }}, {"stextsize", [&] { stextsize(r, SetupMode(7)); }},
      {"stextangle", [&] { stextangle(r, SetupMode(-1)); }}, {"slinecolor", [&] { slinecolor(i, SetupMode(6)); }},
      {"sfillcolor", [&] { sfillcolor(i, SetupMode(8)); }}, {"stextcolor", [&] { stextcolor(i, SetupMode(6)); }},
      {"stextalign", [&] { stextalign(i, SetupMode(6)); }}, {"stextfont", [&] { stextfont(i, SetupMode(6)); }},
  };
  for (const Run& run : runs) {
    run.call();
    const SetupMode mode(std::string(run.setter) == "stextsize" ? 7 : std::string(run.setter) == "stextangle" ? -1
                         : std::string(run.setter) == "sfillcolor"                                          ? 8
                                                                                                             : 6);
    EXPECT_EQ(screen_lines(), no_action(run.setter, mode)) << run.setter;
  }
  EXPECT_EQ(plt2blk.linewidth, before.linewidth);
  EXPECT_EQ(plt2blk.txtheight, before.txtheight);
  EXPECT_EQ(plt2blk.txtangle, before.txtangle);
  EXPECT_EQ(plt2blk.linecol, before.linecol);
  EXPECT_EQ(plt2blk.fillcol, before.fillcol);
  EXPECT_EQ(plt2blk.justif, before.justif);
  EXPECT_EQ(plt2blk.ifont, before.ifont);
  // The line style is accepted and ignored, whatever the mode.
  int style = 5;
  slinestyle(style, setup::menu_from_passed);
  slinestyle(style, SetupMode(99));
  EXPECT_EQ(style, 5);
  EXPECT_EQ(screen(), "");
}

// ---- Announcements (all of them: the plot-parameter tests) ----------------

TEST_F(Attributes, TheDefaultFillColourIsAnnouncedThenBroughtIntoFewerColours) {
  open_plot(2);
  plt2blk.ncolor = 4;
  int icol = 0;
  sfillcolor(icol, setup::initialise);
  EXPECT_EQ(screen_lines(),
            join({menu_head("sfillcolor"),
                  {" INITIALISING FILL COLOR TO: Grey20  "},
                  warning_box("sfillcolor", {" trying to set color nb =" + i6(8), " when max color nb      =" + i6(4),
                                             " ===> RESET color nb    =" + i6(3)})}));
  EXPECT_EQ(icol, 3);
  EXPECT_EQ(plt2blk.fillcol, 3);
}

// ---- Menus ---------------------------------------------------------------------

TEST_F(Attributes, LineColourMenuListsTheColoursInUse) {
  open_plot(2);
  plt2blk.ncolor = 3;
  type({"2"});
  int icol = 0;
  slinecolor(icol, setup::menu_from_stored);
  const Lines want = join({menu_head("slinecolor"),
                           {dash_rule, "      LINE COLOR", dash_rule, " current value:" + i6(1),
                            " new     value:" + i6(1), " White-bk.................  0",
                            " Black   .................  1", " Red     .................  2",
                            " Green   .................  3", rule_of('@'), dots, " Enter your choice",
                            " inside  [0,3]", " or return for default value", " Default =            1",
                            " New value =             2", dots}});
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(plt2blk.linecol, 2);
}

TEST_F(Attributes, MenuPromptsAcceptTheBoundsTheSilentTestRefuses) {
  open_plot(2);
  // Below the lowest bound: refused with the range as the prompt holds to
  // it, then asked again.
  type({"0.005", "", "0.01", "0.02", "1000"});
  real width = 0, height = 0;
  slinewidth(width, setup::menu_from_defaults);
  stextsize(height, setup::menu_from_stored);
  EXPECT_EQ(plt2blk.linewidth, 0.01f);
  EXPECT_EQ(plt2blk.txtheight, 0.02f);
  const Lines screen = screen_lines();
  const auto refused = find_line(screen, " line thickness in cm = 0.500000E-02");
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(screen[*refused + 1], " outside [     0.01,   1000.0]");
  EXPECT_EQ(count(screen, " inside  [     0.01,   1000.0]"), 2u);
  EXPECT_TRUE(has(screen, " inside  [     0.02,   1000.0]"));
  EXPECT_TRUE(has(screen, "           LINE THICKNESS"));
  EXPECT_TRUE(has(screen, " present value in cm .......    0.020"));  // the default offered in mode 4
  EXPECT_TRUE(has(screen, " present value in cm ..........   0.50"));
  EXPECT_FALSE(has(screen, rule_of('/')));
  // Mode 0 starts from the value passed.
  real angle = 30;
  type({""});
  stextangle(angle, setup::menu_from_passed);
  EXPECT_EQ(plt2blk.txtangle, 30.0f);
}

TEST_F(Attributes, AJustificationWithoutAColumnTypedAtTheMenuIsSettled) {
  open_plot(2);
  type({"4"});
  int just = 0;
  stextalign(just, setup::menu_from_stored);
  const Lines screen = screen_lines();
  const Lines picture = {
      dash_rule,
      "           SETTING TEXT ALIGNMENT           ",
      dash_rule,
      "  |just| indicates where the x,y point      ",
      "       is relative to the textstring        ",
      "  if just < 0 leading and trailing blanks   ",
      "       will be ignored                      ",
      " " + std::string(43, ' '),
      "    9              10              11       ",
      "    |---------------|---------------|       ",
      "    5<==textstring==6==============>7       ",
      "    |---------------|---------------|       ",
      "    1               2               3       ",
      " " + std::string(43, ' '),
      dash_rule,
      " currently stored   :" + i6(-1),
      " suggested new value:" + i6(-1),
  };
  EXPECT_EQ(head_of(screen, menu_head("stextalign").size() + picture.size()), join({menu_head("stextalign"), picture}));
  const auto box = find_line(screen, " just =" + i6(4));
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(screen[*box + 1], " ===> RESET just =" + i6(1));
  EXPECT_EQ(plt2blk.justif, 1);
  EXPECT_EQ(just, 1);
}

TEST_F(Attributes, FontMenuListsSixteenFontsInTwentyEightColumns) {
  open_plot(2);
  type({"13"});
  int font = 0;
  stextfont(font, setup::menu_from_stored);
  const Lines screen = screen_lines();
  EXPECT_TRUE(has(screen, " Helvetica..................1"));
  EXPECT_TRUE(has(screen, " Times-BoldItalic...........8"));
  EXPECT_TRUE(has(screen, " Symbol-BoldOblique........16"));
  EXPECT_EQ(plt2blk.ifont, 13);
  EXPECT_EQ(psparams.ipsfont, 13);
}

// ---- The plot file -------------------------------------------------------------

TEST_F(Attributes, LineWidthAndFontStrokeTheOpenPathFirst) {
  open_plot(1);
  real x = 10, y = 10;
  deplot(x, y, 0);
  x = 20;
  deplot(x, y, 1);
  real width = 0.1f;
  slinewidth(width, setup::passed);
  deplot(x, y, 0);
  int font = 5;
  stextfont(font, setup::passed);
  // The same font again strokes nothing: no path is open.
  stextfont(font, setup::passed);
  EXPECT_EQ(drawn_lines(), (Lines{"np", "10.00 10.00 M", "20.00 10.00 L", "sk", "2.84 slw", "np", "20.00 10.00 M", "sk"}));
  EXPECT_EQ(psparams.ipsfont, 5);
}

TEST_F(Attributes, ChangingTheLineColourStrokesTheOpenPathInTheOldColour) {
  open_plot(1);
  real x = 10, y = 10;
  deplot(x, y, 0);
  x = 20;
  deplot(x, y, 1);
  int icol = 1;
  slinecolor(icol, setup::passed);  // no change: the path stays open
  EXPECT_EQ(psparams.ipspath, 1);
  icol = 2;
  slinecolor(icol, setup::passed);
  EXPECT_EQ(psparams.ipspath, 0);
  std::vector<real> xs{0, 5}, ys{0, 5};
  deline(xs, ys, 2);
  EXPECT_EQ(drawn_lines(), (Lines{"np", "10.00 10.00 M", "20.00 10.00 L", "sk", "np", "0.00 0.00 M", "5.00 5.00 L",
                                  " 0.500  0.000  0.000 setrgbcolor", "sk"}));
}

TEST_F(Attributes, TextSizeGoesToTheDriverOnlyWithAPlotOpen) {
  real height = 2;
  stextsize(height, setup::passed);
  EXPECT_EQ(plt2blk.txtheight, 2.0f);
  EXPECT_EQ(psparams.txtsize, 0.0f);
  EXPECT_EQ(screen_lines(), warning_box("stextsize", {" inter =" + i6(1), " Attempting to set textsize with",
                                                      " a closed plot file",
                                                      " ===> Value stored but no further call to lib"}));
  stextsize(height, SetupMode(7));
  EXPECT_EQ(screen_lines(), no_action("stextsize", SetupMode(7)));

  open_plot(2);
  EXPECT_FLOAT_EQ(psparams.txtsize, 0.5f * 28.35f);
  stextsize(height, setup::passed);
  EXPECT_FLOAT_EQ(psparams.txtsize, 2.0f * 28.35f);
  EXPECT_EQ(screen(), "");
}

TEST_F(Attributes, AFontFetchedBeforeAnyOpeningIsRefused) {
  int font = 9;
  stextfont(font, setup::stored);
  EXPECT_EQ(font, 0);
  EXPECT_EQ(screen_lines(), warning_box("stextfont", {" font number =" + i6(0), " ===> NO ACTION"}));
}

}  // namespace
}  // namespace dorvix::testing
