// The plot-parameter menu and the initialising modes of the plot state.

#include <gtest/gtest.h>

#include "dialogue/console_units.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

const std::string dash_rule = " " + std::string(43, '-');
const std::string dots = " " + std::string(42, '.');

class PlotParameters : public PlotTest {
 protected:
  void SetUp() override {
    PlotTest::SetUp();
    default_colour_table();
  }
};

Lines menu_body(bool current, bool open) {
  Lines body = join({menu_head("splotparam2"),
                     {dash_rule, "          SETTING PLOT ATTRIBUTES", dash_rule, " GET SETTINGS",
                      std::string("  from currently stored..... 1 ") + (current ? "T" : "F"),
                      std::string("  from initialisation....... 1 ") + (current ? "F" : "T"), dash_rule,
                      " COLOR TABLE:", "  nb of color ..............50", "  rgb values ...............51",
                      "  color table ..............52"}});
  const Lines rest =
      open ? Lines{" LINE ATTRIBUTES:",
                   "  thickness ................10",
                   "  style ....................11",
                   "  color ....................12",
                   " POLYGON FILL ATTRIBUTES:",
                   "  interior style ...........20",
                   "  interior color ...........21",
                   " TEXT ATTRIBUTES:",
                   "  font .....................30",
                   "  size .....................31",
                   "  justification ............32",
                   "  angle ....................33",
                   "  color ....................34",
                   " SYMBOL ATTRIBUTES:",
                   "  type .....................40",
                   "  size .....................41"}
           : Lines{" THE PLOT IS CLOSED:", "  => OTHER SETTINGS WILL BE RESET", "     UPON PLOT OPENING"};
  return join({body, rest, {dash_rule, " EXIT THIS SET UP  .........99", rule_of('@')}});
}

TEST_F(PlotParameters, MenuWithAPlotOpenStartsFromTheCurrentSettings) {
  open_plot(2);
  plt2blk.linewidth = 0.3f;
  type({"10", "", "41", "0.8", "40", "-3", "99"});
  splotparam2(setup::menu_from_passed);
  const Lines screen = screen_lines();
  EXPECT_EQ(head_of(screen, menu_body(true, true).size()), menu_body(true, true));
  // Option 10: the line thickness menu from the stored width (mode 2).
  EXPECT_TRUE(has(screen, " present value in cm .......    0.300"));
  EXPECT_EQ(count(screen, "          SETTING PLOT ATTRIBUTES"), 4u);
  EXPECT_EQ(plt2blk.linewidth, 0.3f);
  // Options 41 and 40: the symbol size and type.
  EXPECT_EQ(plt2blk.symbsize, 0.8f);
  EXPECT_EQ(plt2blk.symbtype, -3);
}

TEST_F(PlotParameters, InitialSettingsLastUntilTheMenuIsLeft) {
  open_plot(2);
  plt2blk.linewidth = 0.3f;
  type({"1", "0", "10", "", "31", "", "99"});
  splotparam2(setup::menu_from_passed);
  const Lines screen = screen_lines();
  const auto second = find_line(screen, "  from currently stored..... 1 F");
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(screen[*second + 1], "  from initialisation....... 1 T");
  // The setters start from their defaults and show their menus.
  EXPECT_TRUE(has(screen, " present value in cm .......    0.020"));
  EXPECT_TRUE(has(screen, " present value in cm ..........   0.50"));
  EXPECT_EQ(plt2blk.linewidth, 0.02f);

  // A new call starts from the current settings again.
  type({"99"});
  splotparam2(setup::menu_from_passed);
  EXPECT_TRUE(has(screen_lines(), "  from currently stored..... 1 T"));
}

TEST_F(PlotParameters, WithThePlotClosedOnlyTheColourTableOptionsAct) {
  type({"10", "12", "50", "51", "3", "99", "99"});
  splotparam2(setup::menu_from_passed);
  const Lines screen = screen_lines();
  EXPECT_EQ(head_of(screen, menu_body(true, false).size()), menu_body(true, false));
  EXPECT_FALSE(has(screen, " @ subroutine slinewidth "));
  EXPECT_FALSE(has(screen, " @ subroutine slinecolor "));
  EXPECT_FALSE(has(screen, " @ subroutine scolornb   "));
  EXPECT_TRUE(has(screen, " @ subroutine scolorgb   "));
  EXPECT_EQ(plt2blk.linecol, 0);  // never set: no plot file was opened
}

TEST_F(PlotParameters, ColoursToModifyAreListedAndEntryZeroIsNotOffered) {
  type({"51", "0", "", "12", "99", "99"});
  splotparam2(setup::menu_from_stored);
  const Lines screen = screen_lines();
  const auto head = find_line(screen, " |index|      name|   red% | green% |  blue% |");
  ASSERT_TRUE(head.has_value());
  EXPECT_EQ(screen[*head - 1], dash_rule);
  EXPECT_EQ(screen[*head + 1], " |   0 |White-bk  |  100.0 |  100.0 |  100.0 |");
  EXPECT_EQ(screen[*head + 13], " |  12 |Grey70    |   30.0 |   30.0 |   30.0 |");
  EXPECT_EQ(screen[*head + 14], dash_rule);
  EXPECT_TRUE(has(screen, " outside [1,12]"));  // 0 refused, and asked again
  EXPECT_TRUE(has(screen, " color index ...................10 12"));
}

TEST_F(PlotParameters, InitialSettingsResetThePrimariesOrTheWholeTable) {
  for (std::size_t k = 0; k < 13; ++k) plt2blk.red[k] = 33;
  type({"1", "n", "51", "3", "99", "99"});
  splotparam2(setup::menu_from_passed);
  EXPECT_TRUE(has(screen_lines(), " INITIALIZING RGB: 4 COLORS + BKG"));
  EXPECT_EQ(plt2blk.red[0], 100.0f);
  EXPECT_EQ(plt2blk.red[2], 100.0f);  // the primaries at full intensity
  EXPECT_EQ(plt2blk.red[4], 0.0f);
  EXPECT_EQ(plt2blk.red[5], 33.0f);

  // Mode 8: the frame dialogue of each subplot (each left as it is), the
  // default table with its menu (left at once), then the plot-parameter
  // menu from the defaults.
  std::string answers(nsubplots, '\n');
  type_raw(answers + "99\n52\n99\n99\n");
  splotparam2(setup::defaults_but_attributes_menu);
  const Lines screen = screen_lines();
  EXPECT_EQ(count(screen, " @ subroutine mus2cm1    "), static_cast<std::size_t>(nsubplots));
  EXPECT_EQ(count(screen, " INITIALIZING COLOR TABLE:"), 2u);
  EXPECT_EQ(plt2blk.red[2], 50.0f);
  EXPECT_EQ(plt2blk.red[5], 0.0f);
}

TEST_F(PlotParameters, TheNumberOfColoursFromItsDefaultCanBeCancelled) {
  open_plot(2);
  type({"1", "0", "50", "98", "99"});
  splotparam2(setup::menu_from_passed);
  EXPECT_EQ(plt2blk.ncolor, 12);
  EXPECT_TRUE(has(screen_lines(), " INITIALIZING NUMBER OF COLORS TO:   4"));
}

TEST_F(PlotParameters, WithoutMenuBodiesOnlyTheHeadPrecedesTheChoice) {
  open_plot(2);
  iocom.lwito(2) = false;
  type({"33", "45", "99"});
  splotparam2(setup::menu_from_passed);
  const Lines screen = screen_lines();
  EXPECT_EQ(head_of(screen, 5), join({menu_head("splotparam2"), {" Enter your choice", " New value =            33"}}));
  EXPECT_FALSE(has(screen, "          SETTING PLOT ATTRIBUTES"));
  EXPECT_EQ(plt2blk.txtangle, 45.0f);
}

TEST_F(PlotParameters, OddModesBelowFourDoNothing) {
  const Plt2Blk before = plt2blk;
  splotparam2(setup::passed);
  splotparam2(setup::stored);
  splotparam2(SetupMode(11));
  EXPECT_EQ(screen(), "");
  EXPECT_EQ(plt2blk.red, before.red);
  EXPECT_EQ(plt2blk.ncolor, before.ncolor);
}

TEST_F(PlotParameters, InitialisingWithThePlotClosedKeepsTheAttributes) {
  plt1blk.us0tocm[4] = {3, 4};
  plt2blk.red[2] = 1;
  plt2blk.linecol = 5;
  splotparam2(setup::defaults_but_attributes);
  const Lines screen = screen_lines();
  EXPECT_TRUE(has(screen, "  1: CM <-> DE: untouched (plot file closed)"));
  EXPECT_TRUE(has(screen, "     US <-> DE: untouched (plot file closed)"));
  EXPECT_EQ(plt1blk.us0tocm[4], (Vec2{10, 10}));
  EXPECT_EQ(plt2blk.red[2], 50.0f);
  EXPECT_EQ(plt2blk.linecol, 5);
  EXPECT_FALSE(has(screen, " @ subroutine slinewidth "));
}

TEST_F(PlotParameters, OpeningAnnouncesTheMapsSubplotOneAndEveryDefault) {
  open_plot(2);
  splotparam2(setup::all_subplots);
  const Lines want = join({menu_head("splotparam2"),
                           {" INITIALIZING PLOT PARAMETERS", " INITIALIZING SUBPLOT SCALING", "  1: CM <-> DE",
                            "  2: US <-> CM unchanged", "     US <-> DE"},
                           menu_head("ssubplot"),
                           {" INITIALISING SUBPLOT =  1"},
                           menu_head("slinewidth"),
                           {" INITIALISING LINE THICKNESS TO:    0.020 cm"},
                           menu_head("slinecolor"),
                           {" INITIALISING LINE COLOR TO: Black   "},
                           menu_head("stextsize"),
                           {" INITIALISING TEXT SIZE TO:   0.50 cm"},
                           menu_head("stextfont"),
                           {" INITIALISING TEXT FONT TO: 1 = Helvetica"},
                           menu_head("stextangle"),
                           {" INITIALISING TEXT ANGLE TO: 0.0"},
                           menu_head("stextalign"),
                           {" INITIALISING TEXT ALIGNMENT TO: -1", " =====> left-bottom trimmed"},
                           menu_head("stextcolor"),
                           {" INITIALISING TEXT COLOR TO: Black   "},
                           menu_head("sfillstyle"),
                           {" INITIALISING FILL STYLE TO: filled"},
                           menu_head("sfillcolor"),
                           {" INITIALISING FILL COLOR TO: Grey20  "},
                           menu_head("ssymbolsize"),
                           {" INITIALISING SYMBOL SIZE (cm) =    0.400"},
                           menu_head("ssymboltype"),
                           {" INITIALISING SYMBOL TYPE =    1"}});
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(plt2blk.txtangle, 0.0f);
  EXPECT_EQ(plt2blk.fillstyle, 1);
  EXPECT_EQ(plt2blk.fillcol, 8);
  EXPECT_EQ(plt2blk.justif, -1);
  EXPECT_EQ(plt2blk.ifont, 1);
  EXPECT_EQ(plt2blk.textcol, 1);
  // The width and the font went to the file; the path was empty.
  EXPECT_EQ(drawn_lines(), (Lines{"0.57 setlinewidth"}));
}

TEST_F(PlotParameters, OpeningComposesEveryMapAndResetsTheAttributes) {
  plt1blk.us0tocm[6] = {2, 3};
  plt1blk.ustocm[6] = {2, 0, 0, 0.5f};
  plt2blk.red[2] = 1;
  plt2blk.linecol = 5;
  plt2blk.txtheight = 3;
  open_plot(2);
  EXPECT_EQ(plt1blk.isub, 1);
  EXPECT_EQ(plt1blk.us0tocm[6], (Vec2{2, 3}));  // frames carry over
  EXPECT_FLOAT_EQ(plt1blk.us0tode[6][0], 2 * 28.35f);
  EXPECT_FLOAT_EQ(plt1blk.ustode[6][3], 0.5f * 28.35f);
  EXPECT_EQ(plt2blk.red[2], 1.0f);  // so does the colour table
  EXPECT_EQ(plt2blk.linecol, 1);
  EXPECT_EQ(plt2blk.txtheight, 0.5f);
  EXPECT_FLOAT_EQ(psparams.txtsize, 0.5f * 28.35f);
}

}  // namespace
}  // namespace dorvix::testing
