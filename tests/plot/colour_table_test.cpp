// The colour table: the default table, the number of colours and its menu,
// one entry and its menu, and colour-table files.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "dialogue/console_units.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "files/stops.hpp"
#include "plot/ps_stream.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

using ColourTable = PlotTest;

const std::string dash_rule = " " + std::string(43, '-');

Lines warning_box(const std::string& routine, const Lines& message) {
  return join({warning_head(routine), message, {" ===> HIT RETURN TO CONTINUE", rule_of('/')}});
}

struct Entry {
  std::string name;
  real red, green, blue;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "'" << e.name << "' " << e.red << " " << e.green << " " << e.blue;
}

Entry entry(int i) {
  const auto k = static_cast<std::size_t>(i);
  return {pltcharblk.colornam[k], plt2blk.red[k], plt2blk.green[k], plt2blk.blue[k]};
}

std::vector<Entry> table() {
  std::vector<Entry> t;
  for (int i = 0; i <= 12; ++i) t.push_back(entry(i));
  return t;
}

// A table that differs from the default in every entry.
void distinct_table() {
  for (std::size_t k = 0; k < 13; ++k) {
    plt2blk.red[k] = static_cast<real>(k);
    plt2blk.green[k] = static_cast<real>(k) + 0.5f;
    plt2blk.blue[k] = 99;
    pltcharblk.colornam[k] = "c" + std::to_string(k) + std::string(k < 10 ? 6 : 5, ' ');
  }
  plt2blk.ncolor = 12;
  plt2blk.icolor = 1;
}

TEST_F(ColourTable, StartUpSetsTheDefaultTableQuietly) {
  scolortable(setup::initialise);
  EXPECT_EQ(screen_lines(), join({menu_head("scolortable"),
                                  {" INITIALIZING COLOR TABLE:", " 0   -> BKG = WHITE", " 1   -> FRG = BLACK",
                                   " 2-4 -> RGB COLORS", " 5-7 -> CMY COLORS", " 8   -> GREY 50%"}}));
  EXPECT_EQ(plt2blk.ncolor, 12);
  EXPECT_EQ(plt2blk.icolor, 1);
  const std::vector<Entry> want = {
      {"White-bk", 100, 100, 100}, {"Black   ", 0, 0, 0},    {"Red     ", 50, 0, 0},  {"Green   ", 0, 50, 0},
      {"Blue    ", 0, 0, 50},      {"Cyan    ", 0, 50, 50},  {"Magenta ", 50, 0, 50}, {"Yellow  ", 50, 50, 0},
      {"Grey20  ", 80, 80, 80},    {"Grey30  ", 70, 70, 70}, {"Grey40  ", 60, 60, 60}, {"Grey50  ", 50, 50, 50},
      {"Grey70  ", 30, 30, 30},
  };
  EXPECT_EQ(table(), want);
}

TEST_F(ColourTable, MenuListsTheTableAndLeavesBy99) {
  default_colour_table();
  plt2blk.ncolor = 2;
  type({"7", "99"});
  scolortable(setup::menu_from_stored);
  const Lines one_pass = join({menu_head("scolortable"),
                               {" SETTING COLOR TABLE", dash_rule, " Current nb of colors:    2", dash_rule,
                                " |index|      name|   red% | green% |  blue% |",
                                " |   0 |  White-bk|  100.0 |  100.0 |  100.0 |",
                                " |   1 |  Black   |    0.0 |    0.0 |    0.0 |",
                                " |   2 |  Red     |   50.0 |    0.0 |    0.0 |", dash_rule,
                                " modify nb of colors ..........100", " modify rgb color content .....200",
                                " read color table from file ...300", dash_rule, " EXIT ..........................99"},
                               {rule_of('@')}});
  const Lines screen = screen_lines();
  EXPECT_EQ(head_of(screen, one_pass.size()), one_pass);
  EXPECT_EQ(count(screen, " SETTING COLOR TABLE"), 2u);  // an unknown choice shows the menu again
}

// ---- Number of colours ------------------------------------------------------

TEST_F(ColourTable, CancellingTheNumberOfColoursChangesNothing) {
  default_colour_table();
  type({"10", "3", "98"});
  int n = 0;
  scolornb(n, setup::menu_from_stored);
  EXPECT_EQ(plt2blk.ncolor, 12);
  EXPECT_EQ(plt2blk.icolor, 1);
  const Lines screen = screen_lines();
  EXPECT_EQ(screen.back(), " ..........................................");  // after the echo of 98, nothing
  EXPECT_FALSE(has(screen, " NB of colors =   3 ==> Color plot"));

  // From the defaults (mode 4), the cancel keeps the count as it was too.
  type({"98"});
  scolornb(n, setup::menu_from_defaults);
  EXPECT_EQ(plt2blk.ncolor, 12);
  EXPECT_EQ(n, 4);
  const Lines menu = join({menu_head("scolornb"),
                           {" INITIALIZING NUMBER OF COLORS TO:   4"},
                           menu_head("scolornb"),
                           {" SETTING THE NUMBER OF COLORS:", dash_rule, " max nb of colors ................  12",
                            " current nb of colors ............  12", " new nb of colors to apply .....10   4", dash_rule,
                            " CANCEL AND EXIT ...............98", " UPDATE AND EXIT ...............99", rule_of('@')}});
  EXPECT_EQ(head_of(screen_lines(), menu.size()), menu);
}

TEST_F(ColourTable, LoweringTheNumberOfColoursChecksTheAttributeColours) {
  default_colour_table();
  plt2blk.linecol = 7;
  plt2blk.fillcol = 3;
  plt2blk.textcol = 12;
  type({"10", "4", "99"});
  int n = 12;
  scolornb(n, setup::menu_from_passed);
  EXPECT_EQ(plt2blk.ncolor, 4);
  EXPECT_EQ(plt2blk.icolor, 1);
  EXPECT_EQ(plt2blk.linecol, 2);  // 7 mod 5
  EXPECT_EQ(plt2blk.fillcol, 3);  // within the new range: silent
  EXPECT_EQ(plt2blk.textcol, 2);  // 12 mod 5
  const Lines screen = screen_lines();
  const auto nb = find_line(screen, " NB of colors =   4 ==> Color plot");
  ASSERT_TRUE(nb.has_value());
  EXPECT_EQ(screen[*nb + 1], " The nb of colors has been reduced");
  EXPECT_EQ(screen[*nb + 2], " ==> checking current set up versus new max");
  const Lines line_box =
      warning_box("slinecolor", {" trying to set color nb =      7", " when max color nb      =      4",
                                 " ===> RESET color nb    =      2"});
  EXPECT_EQ(Lines(screen.begin() + static_cast<long>(*nb) + 3, screen.begin() + static_cast<long>(*nb) + 3 + 9),
            line_box);
  EXPECT_EQ(count(screen, rule_of('/')), 6u);  // two boxes
  EXPECT_EQ(screen.back(), " ==> checking done");
}

TEST_F(ColourTable, TheDefaultCountBringsTheAttributeColoursIntoIt) {
  default_colour_table();
  plt2blk.fillcol = 8;
  int n = 0;
  scolornb(n, setup::initialise);
  EXPECT_EQ(plt2blk.ncolor, 4);
  EXPECT_EQ(plt2blk.fillcol, 3);  // 8 mod 5, with its box
  const Lines screen = screen_lines();
  EXPECT_EQ(head_of(screen, 5), join({menu_head("scolornb"),
                                      {" INITIALIZING NUMBER OF COLORS TO:   4", " NB of colors =   4 ==> Color plot"}}));
  EXPECT_TRUE(has(screen, " The nb of colors has been reduced"));
}

TEST_F(ColourTable, OneColourIsABlackAndWhitePlotAndCountsAreClamped) {
  default_colour_table();
  int n = 1;
  scolornb(n, setup::passed);
  EXPECT_EQ(plt2blk.icolor, 0);
  EXPECT_EQ(plt2blk.ncolor, 1);
  screen();
  n = 0;
  scolornb(n, setup::passed);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(screen_lines(), warning_box("scolornb", {" trying to set nb of color  =   0", " min nb of color  = 1",
                                                     " ===> RESET nb of color =   1"}));
  n = 20;
  scolornb(n, setup::passed);
  EXPECT_EQ(n, 12);
  EXPECT_EQ(plt2blk.icolor, 1);
  EXPECT_EQ(screen_lines(), warning_box("scolornb", {" trying to set nb of color  =  20", " max nb of color  =  12",
                                                     " ===> RESET nb of color =  12"}));
}

TEST_F(ColourTable, EntriesAboveTheCountComeBackWhenItIsRaised) {
  distinct_table();
  const auto before = table();
  int n = 2;
  scolornb(n, setup::passed);
  n = 12;
  scolornb(n, setup::passed);
  EXPECT_EQ(table(), before);
}

// ---- One entry ----------------------------------------------------------------

TEST_F(ColourTable, FetchingAnEntryLeavesItAndResettingGivesFullPrimaries) {
  distinct_table();
  int index = 5;
  std::string name(45, 'x');
  real r = -1, g = -1, b = -1;
  scolorrgb(index, name, r, g, b, setup::stored);
  EXPECT_EQ(name, "c5      " + std::string(37, ' '));
  EXPECT_EQ(r, 5.0f);
  EXPECT_EQ(g, 5.5f);
  EXPECT_EQ(b, 99.0f);
  EXPECT_EQ(entry(5), (Entry{"c5      ", 5, 5.5f, 99}));
  EXPECT_EQ(screen(), "");

  // Mode 5 resets entries 0 to 4 first; with 3 colours only 0 and 1.
  plt2blk.ncolor = 3;
  index = 2;
  scolorrgb(index, name, r, g, b, setup::initialise);
  EXPECT_EQ(screen_lines(), join({menu_head("scolorgb"), {" INITIALIZING RGB: 4 COLORS + BKG"}}));
  EXPECT_EQ(entry(0), (Entry{"White-bk", 100, 100, 100}));
  EXPECT_EQ(entry(1), (Entry{"Black   ", 0, 0, 0}));
  EXPECT_EQ(entry(2), (Entry{"c2      ", 2, 2.5f, 99}));
  plt2blk.ncolor = 4;
  scolorrgb(index, name, r, g, b, setup::initialise);
  EXPECT_EQ(entry(2), (Entry{"Red     ", 100, 0, 0}));
  EXPECT_EQ(entry(3), (Entry{"Green   ", 0, 100, 0}));
  EXPECT_EQ(entry(4), (Entry{"Blue    ", 0, 0, 100}));
  EXPECT_EQ(entry(5), (Entry{"c5      ", 5, 5.5f, 99}));
}

TEST_F(ColourTable, IndicesAreBroughtIntoTheColoursInUse) {
  distinct_table();
  plt2blk.ncolor = 4;
  struct Case {
    int index;
    SetupMode inter;
    int set;
    Lines message;
  };
  const Case cases[] = {
      {7, setup::passed, 2, {" trying to set color nb = 7", " when nb of color  = 4", " ===> RESET nb of color = 2"}},
      {10, setup::passed, 0, {" trying to set color nb = 10", " when nb of color  = 4", " ===> RESET nb of color = 0"}},
      {-3, setup::passed, 1,
       {" trying to set nb of color  = -3", " min nb of color  = 0", " ===> RESET nb of color = 1"}},
      // The initialising modes take an index within the table as it comes,
      // and check one outside it.
      {9, setup::initialise, 9, {}},
      {13, setup::initialise, 3,
       {" trying to set color nb = 13", " when nb of color  = 4", " ===> RESET nb of color = 3"}},
  };
  for (const Case& c : cases) {
    int index = c.index;
    std::string name = "Name that is long" + std::string(18, ' ');
    real r = 10, g = 20, b = 30;
    scolorrgb(index, name, r, g, b, c.inter);
    EXPECT_EQ(index, c.set) << c.index;
    Lines screen = screen_lines();
    // The head and its announcement.
    if (c.inter == setup::initialise) screen.erase(screen.begin(), screen.begin() + 4);
    EXPECT_EQ(screen, c.message.empty() ? Lines{} : warning_box("scolorgb", c.message)) << c.index;
    if (c.inter == setup::passed) {
      EXPECT_EQ(entry(c.set), (Entry{"Name tha", 10, 20, 30})) << c.index;
    }
  }
}

TEST_F(ColourTable, ComponentsOutsidePercentsAreMovedToTheBound) {
  distinct_table();
  int index = 3;
  std::string name = "Hot";
  real r = 120, g = 50, b = -1;
  scolorrgb(index, name, r, g, b, setup::passed);
  EXPECT_EQ(entry(3), (Entry{"Hot     ", 100, 50, 0}));
  const Lines screen = screen_lines();
  EXPECT_EQ(count(screen, rule_of('/')), 6u);  // two boxes
  EXPECT_TRUE(has(screen, " ==> RESET red (%) =      100.000000"));
  EXPECT_TRUE(has(screen, " ==> RESET blue (%) =        0.000000"));
}

TEST_F(ColourTable, EntryMenuCopiesTheNewRowToAChosenIndexOrCancels) {
  distinct_table();
  type({"10", "7", "20", "Deep sea", "30", "", "", "40", "99"});
  int index = 2;
  std::string name(35, ' ');
  real r = 0, g = 0, b = 0;
  scolorrgb(index, name, r, g, b, setup::menu_from_stored);
  EXPECT_EQ(index, 7);
  EXPECT_EQ(entry(7), (Entry{"Deep sea", 2, 2.5f, 40}));
  EXPECT_EQ(entry(2), (Entry{"c2      ", 2, 2.5f, 99}));
  const Lines screen = screen_lines();
  const Lines first_pass = join({menu_head("scolorgb"),
                                 {" SETTING RGB COLORS:", dash_rule, " max nb of colors ................ 12",
                                  " current nb of colors ............ 12", " color index ...................10 2",
                                  " current color name .............. c2      ",
                                  " new    color  name ............20 c2      " + std::string(27, ' '), dash_rule,
                                  "        |   red% | green% |  blue% |", " current|    2.0 |    2.5 |   99.0 |",
                                  "     new|    2.0 |    2.5 |   99.0 |", dash_rule, " modify rgb setting ............30",
                                  " CANCEL AND EXIT ...............98", " UPDATE AND EXIT ...............99",
                                  rule_of('@')}});
  EXPECT_EQ(head_of(screen, first_pass.size()), first_pass);

  const auto before = table();
  type({"30", "1", "1", "1", "98"});
  index = 4;
  scolorrgb(index, name, r, g, b, setup::menu_from_passed);
  EXPECT_EQ(table(), before);
}

TEST_F(ColourTable, ChangingTheCurrentColourStrokesAndWritesItAgain) {
  default_colour_table();
  open_plot(2);
  real x = 10, y = 10;
  deplot(x, y, 0);
  x = 20;
  deplot(x, y, 1);
  // Colour 1 is current: its path is stroked in black before it changes.
  int index = 1;
  std::string name = "Ink";
  real r = 0, g = 0, b = 60;
  scolorrgb(index, name, r, g, b, setup::passed);
  std::vector<real> xs{0, 5}, ys{0, 5};
  deline(xs, ys, 2);
  deline(xs, ys, 2);
  EXPECT_EQ(drawn_lines(),
            (Lines{"newpath", "10.00 10.00 moveto", "20.00 10.00 lineto", "stroke", "newpath", "0.00 0.00 moveto",
                   "5.00 5.00 lineto", " 0.000  0.000  0.600 setrgbcolor", "stroke", "newpath", "0.00 0.00 moveto",
                   "5.00 5.00 lineto", "stroke"}));
}

TEST_F(ColourTable, SwitchingColourOffThenOnDrawsBlackThenTheLineColourAgain) {
  default_colour_table();
  open_plot(2);
  plt2blk.linecol = 2;  // red in the default table
  std::vector<real> xs{0, 5}, ys{0, 5};
  deline(xs, ys, 2);
  int n = 1;
  scolornb(n, setup::passed);  // one colour: a black and white plot from here on
  deline(xs, ys, 2);
  const Lines lines = drawn_lines();
  const auto black = std::find(lines.begin(), lines.end(), " 0.000  0.000  0.000 setrgbcolor");
  ASSERT_NE(black, lines.end());
  // The red path is stroked before black is set, and the next path has
  // no colour record of its own.
  EXPECT_EQ(*(black - 1), "stroke");
  EXPECT_EQ(std::count_if(black + 1, lines.end(), [](const std::string& l) { return l.find("setrgbcolor") != l.npos; }),
            0);
  EXPECT_EQ(lines.back(), "stroke");

  // Back to twelve colours and red again: the colour last written is
  // black, so the next red line gets its red record.
  n = 12;
  scolornb(n, setup::passed);
  plt2blk.linecol = 2;
  deline(xs, ys, 2);
  const Lines after = drawn_lines();
  ASSERT_GT(after.size(), lines.size());
  const Lines added(after.begin() + static_cast<long>(lines.size()), after.end());
  EXPECT_EQ(added, (Lines{"newpath", "0.00 0.00 moveto", "5.00 5.00 lineto", " 0.500  0.000  0.000 setrgbcolor",
                          "stroke"}));
}

// Colour records come from texts edited once an entry and kept. Over seeded
// random runs in each dialect, the table changed between drawings (entries
// through the setter and written directly, the count lowered to one colour
// and raised again), every kept text equals its entry edited anew, and each
// filled polygon writes the fill and line colour records of the table as it
// stands.
TEST_F(ColourTable, KeptColourTextsFollowEveryChangeOfTheTable) {
  const unsigned seed = 25;
  std::mt19937 random(seed);
  const auto percent = [&] { return static_cast<real>(random() % 1001) / 10.0f; };
  const auto fresh = [](int k) {
    std::string text;
    ps::rgb(text, k);
    return text;
  };
  for (int dialect = 1; dialect <= 3; ++dialect) {
    default_colour_table();
    open_plot(dialect, "P  ", 1, "colours" + std::to_string(dialect) + ".ps");
    for (int step = 0; step < 150; ++step) {
      const std::string at = "seed " + std::to_string(seed) + ", dialect " + std::to_string(dialect) + ", step " +
                             std::to_string(step);
      int index = static_cast<int>(random() % static_cast<unsigned>(plt2blk.ncolor + 1));
      switch (random() % 4) {
        case 0: {
          std::string name = "Mixed";
          real r = percent(), g = percent(), b = percent();
          scolorrgb(index, name, r, g, b, setup::passed);
          break;
        }
        case 1:
          (random() % 2 == 0 ? plt2blk.red : plt2blk.blue)[static_cast<std::size_t>(index)] = percent();
          break;
        case 2: {
          int n = plt2blk.ncolor == 1 ? 12 : 1;
          scolornb(n, setup::passed);
          break;
        }
        default:
          break;
      }
      for (int k = 0; k <= 12; ++k) ASSERT_EQ(ps::rgb_text(k), fresh(k)) << at << ", entry " << k;
      plt2blk.fillcol = static_cast<int>(random() % 13);
      plt2blk.linecol = static_cast<int>(random() % 13);
      const int current = plt2blk.icurcol;
      const std::size_t before = drawn_lines().size();
      std::vector<real> x{1, 5, 3}, y{1, 1, 4};
      depolygon(x, y, 3);
      const Lines lines = drawn_lines();
      Lines colours, want;
      std::copy_if(lines.begin() + static_cast<long>(before), lines.end(), std::back_inserter(colours),
                   [](const std::string& l) { return l.find("setrgbcolor") != l.npos; });
      if (dialect != 3 && plt2blk.icolor == 1) {
        want.push_back(fresh(plt2blk.fillcol) + (dialect == 1 ? "setrgbcolor fill gr" : "setrgbcolor fill grestore"));
        if (plt2blk.linecol != current) want.push_back(fresh(plt2blk.linecol) + "setrgbcolor");
      }
      ASSERT_EQ(colours, want) << at;
    }
    close_plot();
  }
}

// ---- Colour-table files -----------------------------------------------------

class ColourFile : public PlotTest {
 protected:
  void SetUp() override {
    PlotTest::SetUp();
    scolortable(setup::initialise);
    screen();
  }
  // Reads `content` through the colour-table menu (option 300) and leaves
  // the menu; `pauses` answers the boxes' pauses.
  Lines read(const std::string& content, int pauses = 0) {
    write_file(path("colours.txt"), content);
    std::string script = "300\ncolours.txt\n";  // the test runs in its directory
    for (int k = 0; k < pauses; ++k) script += "\n";
    type_raw(script + "99\n");
    try {
      scolortable(setup::menu_from_stored);
    } catch (const RunEnded& e) {
      ADD_FAILURE() << "run ended " << e.status << "\n" << screen();
    }
    return screen_lines();
  }
};

TEST_F(ColourFile, AValidFileSetsTheEntriesItNames) {
  const Lines screen = read(
      "3\n"
      "0 100 100 100 paper\n"
      "2, 10, 20, 30, 'Dark red'\n"
      "3 0 0\n  100 \"sky, blue\"  ignored\n"
      "1 0 0 0 Black  and the rest\n");
  EXPECT_EQ(plt2blk.ncolor, 3);
  EXPECT_EQ(entry(0), (Entry{"paper   ", 100, 100, 100}));
  EXPECT_EQ(entry(1), (Entry{"Black   ", 0, 0, 0}));
  EXPECT_EQ(entry(2), (Entry{"Dark red", 10, 20, 30}));
  EXPECT_EQ(entry(3), (Entry{"sky, blu", 0, 0, 100}));
  EXPECT_EQ(entry(4), (Entry{"Blue    ", 0, 0, 50}));  // beyond the count: kept
  const auto closed = find_line(screen, " Could read up to:   12 DATA");
  ASSERT_TRUE(closed.has_value());
  EXPECT_EQ(screen[*closed - 1], " Input file colours.txt is closed");
  EXPECT_EQ(screen[*closed + 1], " Actually read   :    3 DATA");
  EXPECT_FALSE(has(screen, rule_of('/')));
}

TEST_F(ColourFile, OneColourMakesABlackAndWhitePlotAndResetsTheAttributeColours) {
  open_plot(2);
  const Lines screen = read("1\n0 100 100 100 White\n1 0 0 0 Black\n", 1);
  EXPECT_EQ(plt2blk.ncolor, 1);
  EXPECT_EQ(plt2blk.icolor, 0);
  EXPECT_EQ(plt2blk.linecol, 1);
  EXPECT_EQ(plt2blk.fillcol, 1);  // 8 mod 2 is 0, then 1
  EXPECT_TRUE(has(screen, " Actually read   :    1 DATA"));
  EXPECT_TRUE(has(screen, " ===> RESET color nb    =      1"));
}

TEST_F(ColourFile, CountsOutsideOneToTwelveAreClampedAndSetTheRecordsRead) {
  Lines screen = read("0\n0 100 100 100 W\n1 10 10 10 K\n", 1);
  EXPECT_TRUE(has(screen, " min nb of color  = 1"));
  EXPECT_TRUE(has(screen, " FROM LINE NUMBER    1 OF colours.txt:"));
  EXPECT_EQ(plt2blk.ncolor, 1);
  EXPECT_EQ(entry(1), (Entry{"K       ", 10, 10, 10}));

  std::string thirteen = "20\n";
  for (int i = 12; i >= 0; --i) thirteen += std::to_string(i) + " 1 2 3 n" + std::to_string(i) + "\n";
  screen = read(thirteen, 1);
  EXPECT_TRUE(has(screen, " max nb of color  =  12"));
  EXPECT_EQ(plt2blk.ncolor, 12);
  EXPECT_EQ(entry(12), (Entry{"n12     ", 1, 2, 3}));
  EXPECT_EQ(entry(0), (Entry{"n0      ", 1, 2, 3}));
}

TEST_F(ColourFile, IndicesOutOfRangeAreResetAndALaterRecordWins) {
  const Lines screen = read("4\n7 1 1 1 seven\n-3 2 2 2 minus\n0 3 3 3 zero\n0 4 104 4 again\n4 5 5 5 four\n", 3);
  EXPECT_EQ(entry(2), (Entry{"seven   ", 1, 1, 1}));  // 7 mod 5
  EXPECT_EQ(entry(1), (Entry{"minus   ", 2, 2, 2}));
  EXPECT_EQ(entry(0), (Entry{"again   ", 4, 100, 4}));
  EXPECT_EQ(entry(4), (Entry{"four    ", 5, 5, 5}));
  EXPECT_EQ(count(screen, " ===> HIT RETURN TO CONTINUE"), 3u);
  // Each box follows the line of the file it is about.
  for (const std::string line : {" FROM LINE NUMBER    2 OF colours.txt:", " FROM LINE NUMBER    3 OF colours.txt:",
                                 " FROM LINE NUMBER    5 OF colours.txt:"}) {
    const auto at = find_line(screen, line);
    ASSERT_TRUE(at.has_value()) << line;
    EXPECT_EQ(screen[*at + 1], rule_of('/')) << line;
  }
  EXPECT_EQ(count(screen, rule_of('/')), 9u);
}

// A read error names the line (records counted as lines), the field and
// what stood in its place: a text that is not a number of the field's
// kind (too large for it, or no number at all), or nothing when the file
// ends first. The table is left as it was.
TEST_F(ColourFile, AReadErrorSaysWhatWasWrongOnTheLine) {
  distinct_table();
  const auto before = table();
  const std::string at_end = " TEXT:    none, the file ends before it";
  const struct {
    std::string content;
    Lines said;  // the box's lines before the file's
  } cases[] = {
      {"twelve\n", {" WHILE READING LINE NUMBER    1", " FIELD:   number of colours (integer)", " TEXT:    'twelve'"}},
      {"2\n0 100 100 100 W\n1 zero 0 0 K\n2 0 0 0 R\n",
       {" WHILE READING LINE NUMBER    3", " FIELD:   red percentage (real)", " TEXT:    'zero'"}},
      {"1\n0 nan 0 0 W\n1 0 0 0 K\n",
       {" WHILE READING LINE NUMBER    2", " FIELD:   red percentage (real)", " TEXT:    'nan'"}},
      {"1\n0 0 1e40 0 W\n1 0 0 0 K\n",
       {" WHILE READING LINE NUMBER    2", " FIELD:   green percentage (real)", " TEXT:    '1e40'"}},
      {"1\n0 0 0 0 W\n99999999999 0 0 0 K\n",
       {" WHILE READING LINE NUMBER    3", " FIELD:   index (integer)", " TEXT:    '99999999999'"}},
      {"1\n0 0 0 0 W\n1 0 0 \x01" + std::string(45, 'x') + "\n",
       {" WHILE READING LINE NUMBER    3", " FIELD:   blue percentage (real)",
        " TEXT:    '?" + std::string(39, 'x') + "'..."}},
      {"2\n", {" END OF FILE REACHED UNEXPECTEDLY", " WHILE READING LINE NUMBER    2", " FIELD:   index (integer)", at_end}},
      {"3\n0 1 1 1 a\n1 2 2 2 b\n",
       {" END OF FILE REACHED UNEXPECTEDLY", " WHILE READING LINE NUMBER    4", " FIELD:   index (integer)", at_end}},
      {"1\n0 100 100\n",
       {" END OF FILE REACHED UNEXPECTEDLY", " WHILE READING LINE NUMBER    2", " FIELD:   blue percentage (real)",
        at_end}},
      // A record that lacks its name runs on into the next line for it.
      {"1\n0 100 100 100 W\n1 0 0 0\n",
       {" END OF FILE REACHED UNEXPECTEDLY", " WHILE READING LINE NUMBER    3", " FIELD:   name (text)", at_end}},
  };
  for (const auto& c : cases) {
    const Lines screen = read(c.content, 1);
    const Lines box = join({error_head("scolortable"), c.said,
                            {" Input file colours.txt is closed", " ===> HIT RETURN TO CONTINUE", rule_of('*')}});
    const auto at = find_line(screen, box.front());
    ASSERT_TRUE(at.has_value()) << c.content;
    ASSERT_LE(*at + box.size(), screen.size()) << c.content;
    EXPECT_EQ(Lines(screen.begin() + static_cast<long>(*at), screen.begin() + static_cast<long>(*at + box.size())),
              box)
        << c.content;
    EXPECT_EQ(table(), before) << c.content;
    EXPECT_EQ(plt2blk.ncolor, 12) << c.content;
  }
}

}  // namespace
}  // namespace dorvix::testing
