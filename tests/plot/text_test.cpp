// Colours and texts at device level: colour records only on change,
// justification, rotation, font records, escapes, and where Ghostscript
// puts the text.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "dialogue/console_units.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;
using Text = PlotTest;

long count_with(const Lines& lines, const std::string& part) {
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

void text(real x, real y, std::string_view t) { detext2(x, y, t); }

TEST_F(Text, LeftBottomTextInTheFirstTwoDialects) {
  const Lines want[2] = {{"100.00 200.00 M", "14 HPP sym", "(Hello) show"},
                         {"100.00 200.00 moveto", "14 /Helvetica findfont exch scalefont setfont", "(Hello) show"}};
  for (int dialect = 1; dialect <= 2; ++dialect) {
    const std::string name = "t" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    text(100, 200, "  Hello ");
    EXPECT_EQ(drawn_lines(), want[dialect - 1]);
    close_plot();
  }
}

TEST_F(Text, NegativeJustificationTrimsPositiveKeepsTheBlanks) {
  open_plot(1);
  plt2blk.justif = -1;
  text(1, 2, "  A  ");
  text(1, 2, "   ");
  plt2blk.justif = 1;
  text(1, 2, "  A  ");
  const Lines lines = drawn_lines();
  EXPECT_EQ(lines[2], "(A) show");
  EXPECT_EQ(lines[5], "( ) show");
  EXPECT_EQ(lines[8], "(  A  ) show");
  close_plot();
}

TEST_F(Text, MiddleCentreMovesTheAnchorDownAndBackByHalfTheWidth) {
  const Lines want[2] = {{"100.00 192.91 M", "14 HPP sym", "(Mid)", "sl -2 div 0 G", "show"},
                         {"100.00 192.91 moveto", "14 /Helvetica findfont exch scalefont setfont", "(Mid)",
                          "dup stringwidth pop -2 div 0 rmoveto", "show"}};
  for (int dialect = 1; dialect <= 2; ++dialect) {
    const std::string name = "mc" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    plt2blk.justif = 6;
    text(100, 200, "Mid");
    EXPECT_EQ(drawn_lines(), want[dialect - 1]);
    close_plot();
  }
}

TEST_F(Text, AnAngleIsWrittenWithinOneTurnAroundTheText) {
  open_plot(2);
  plt2blk.justif = 3;
  plt2blk.txtangle = 1000;  // 2 turns and 280 degrees
  text(10, 10, "r");
  plt2blk.txtangle = -45;
  text(10, 10, "r");
  plt2blk.txtangle = 360;
  text(10, 10, "r");
  const Lines lines = drawn_lines();
  EXPECT_EQ(lines[1], " 280.00 rotate");
  EXPECT_EQ(lines[6], "-280.00 rotate");
  EXPECT_EQ(lines[8], " -45.00 rotate");
  EXPECT_EQ(lines[13], "  45.00 rotate");
  EXPECT_EQ(lines[15], "   0.00 rotate");
  EXPECT_EQ(count_with(lines, "*"), 0);
  close_plot();
}

TEST_F(Text, ASizeBelowOnePointIsWrittenAsOne) {
  open_plot(1);
  intstextsize(0.02f);  // 0.567 points
  text(5, 5, "tiny");
  intstextsize(1.0f);  // 28.35 points, truncated
  text(5, 5, "big");
  const Lines lines = drawn_lines();
  EXPECT_EQ(lines[1], "1 HPP sym");
  EXPECT_EQ(lines[4], "28 HPP sym");
  close_plot();
}

TEST_F(Text, ParenthesesBackslashesAndOtherBytesAreEscaped) {
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "esc" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    text(50, 50, "a(b))c\\d\t\x7f\xe9");
    const Lines lines = drawn_lines();
    const std::string body = "(a\\(b\\)\\)c\\\\d\\011\\177\\351)";
    EXPECT_EQ(lines.back(), body + (dialect == 3 ? "t T" : " show"));
    close_plot();
  }
}

TEST_F(Text, IllustratorTextIsOneObjectAfterAStroke) {
  open_plot(3);
  std::vector<real> x{1, 2}, y{1, 2};
  psmoveto(x[0], y[0], 1);
  plt2blk.justif = 10;
  plt2blk.txtangle = 90;
  text(300, 400.25f, "Top");
  plt2blk.justif = -7;
  plt2blk.txtangle = 0;
  text(-12.5f, 1.0e7f, " R ");
  // Anchors that fill their eight columns stand apart all the same.
  text(-14076.0f, -12345.6f, "F");
  const Lines want = {"1.00 1.00 m", "S",
                      "/_Helvetica 14 23.25 0 1 z [ -0.000  1.000 -1.000 -0.000   300.0   400.3]e", "(Top)t T",
                      "/_Helvetica 14 23.25 0 2 z [  1.000  0.000 -0.000  1.000   -12.5 10000000.]e", "(R)t T",
                      "/_Helvetica 14 23.25 0 2 z [  1.000  0.000 -0.000  1.000 -14076.0 -12345.6]e", "(F)t T"};
  EXPECT_EQ(drawn_lines(), want);
  close_plot();
}

TEST_F(Text, TextColourIsWrittenBeforeTheFirstOfTwoTexts) {
  default_colour_table();
  open_plot(1);
  plt2blk.textcol = 2;
  text(1, 1, "one");
  text(1, 1, "two");
  std::vector<real> x{1, 2}, y{1, 2};
  deline(x, y, 2);  // the line colour differs from the text colour
  const Lines lines = drawn_lines();
  EXPECT_EQ(count_with(lines, "setrgbcolor"), 2);
  EXPECT_EQ(lines[2], " 0.500  0.000  0.000 setrgbcolor");
  EXPECT_EQ(lines[lines.size() - 2], " 0.000  0.000  0.000 setrgbcolor");
  EXPECT_EQ(lines.back(), "sk");
  close_plot();
}

TEST_F(Text, BlackAndWhiteWritesNoColourAndIllustratorTextsNone) {
  open_plot(2);  // no colour table: black and white
  plt2blk.textcol = 5;
  plt2blk.linecol = 3;
  text(1, 1, "x");
  std::vector<real> x{1, 2}, y{1, 2};
  deline(x, y, 2);
  for (int kind = -1; kind <= 3; ++kind) psrgbcolor(kind);
  EXPECT_EQ(count_with(drawn_lines(), "setrgbcolor"), 0);
  close_plot();

  default_colour_table();
  open_plot(3, "P  ", 1, "ai.ps");
  plt2blk.textcol = 5;
  text(1, 1, "x");
  EXPECT_EQ(count_with(drawn_lines(), "setrgbcolor"), 0);
  close_plot();
}

TEST_F(Text, ColourKindsAndTheCurrentColour) {
  default_colour_table();
  open_plot(2);
  plt2blk.fillcol = 8;
  psrgbcolor(2);
  psrgbcolor(2);
  psrgbcolor(0);
  psrgbcolor(7);
  psrgbcolor(-1);
  EXPECT_EQ(drawn_lines(), (Lines{" 0.800  0.800  0.800 setrgbcolor", " 0.800  0.800  0.800 setrgbcolor",
                                  " 0.000  0.000  0.000 setrgbcolor"}));
  EXPECT_EQ(plt2blk.icurcol, 1);
  close_plot();
}

TEST_F(Text, ATextWithoutAPlaceIsNotWritten) {
  const real nan = std::numeric_limits<real>::quiet_NaN();
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "nan" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    std::vector<real> x{1, 2}, y{1, 2};
    psmoveto(x[0], y[0], 1);
    text(nan, 5, "lost");
    plt2blk.justif = 6;
    text(5, nan, "lost");
    const Lines lines = drawn_lines();
    EXPECT_EQ(count_with(lines, "lost"), 0) << dialect;
    EXPECT_EQ(psparams.ipspath, 0) << "the open path is stroked all the same";
    close_plot();
  }
}

// Ghostscript's bounding box of one text drawn in each alignment: the
// anchor is at the text's left end, centre or right end.
TEST_F(Text, AlignmentPutsTheAnchorWhereItSays) {
  DORVIX_REQUIRE_TOOL("gs");
  struct Case {
    int justif;
    double left_of_anchor;  // fraction of the width left of the anchor
  };
  const Case cases[] = {{1, 0.0}, {2, 0.5}, {3, 1.0}};
  for (int dialect = 1; dialect <= 3; ++dialect) {
    for (const auto& c : cases) {
      const std::string name = "al" + std::to_string(dialect) + std::to_string(c.justif) + ".ps";
      open_plot(dialect, "P  ", 1, name);
      plt2blk.justif = c.justif;
      text(300, 400, "HHHHHHHH");
      close_plot();
      const auto box = drawn_box(path(name));
      ASSERT_EQ(box.size(), 4u) << name;
      const double width = box[2] - box[0];
      EXPECT_GT(width, 50) << name;
      EXPECT_NEAR(300 - box[0], c.left_of_anchor * width, 3.0) << name;
      EXPECT_NEAR(box[1], 400, 1.5) << name;  // the baseline at the anchor
    }
  }
}

TEST_F(Text, TopRowHangsBelowTheAnchorAndRotationTurnsTheText) {
  DORVIX_REQUIRE_TOOL("gs");
  for (int dialect = 1; dialect <= 2; ++dialect) {
    const std::string name = "top" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    plt2blk.justif = 9;
    plt2blk.txtangle = 90;
    text(300, 400, "HHHHHHHH");
    close_plot();
    const auto box = drawn_box(path(name));
    ASSERT_EQ(box.size(), 4u) << name;
    // Turned a quarter to the left, the text runs up from the anchor and
    // its top row lies on the anchor: the letters stand to its right.
    EXPECT_GT(box[3] - box[1], 50) << name;
    EXPECT_NEAR(box[1], 400, 1.5) << name;
    EXPECT_GT(box[0], 300 - 1.5) << name;
    EXPECT_LT(box[2], 300 + 14 + 1.5) << name;
  }
}

}  // namespace
}  // namespace dorvix::testing
