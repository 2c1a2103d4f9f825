// The run-information caption: its three lines, free lines below them, the
// halved and restored text height.

#include <gtest/gtest.h>

#include "dialogue/run_info.hpp"
#include "plot/draw.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;

class Caption : public PlotTest {
 protected:
  void SetUp() override {
    PlotTest::SetUp();
    default_colour_table();
    saved_ = runinfocom;
    runinfocom.cmainnam = "dorvix     ";
    runinfocom.cmainver = " 2.0";
    runinfocom.cmaindat = "01-06-2010";
    runinfocom.cuser = "user      ";
    runinfocom.chost = "Linux-x86_64-2400MHz     ";
    runinfocom.crundate = "07-12-2026";
    runinfocom.cruntime = "08:32:01";
  }
  void TearDown() override {
    runinfocom = saved_;
    PlotTest::TearDown();
  }
  RunInfoCom saved_;
};

TEST_F(Caption, ThreeLinesInHalfTheTextHeightThenTheHeightBack) {
  open_plot(2);
  ssubinfo("mapseis4", " 4.1", "10-10-2010", 0, 0);
  cmplotruninfo0(1, 2, setup::menu_from_passed);
  // h = 0.5 cm: lines at 2, 1.625 and 1.25 cm in 0.25 cm (7 point) text.
  const Lines want = {"28.35 56.70 moveto",
                      "7 /Helvetica findfont exch scalefont setfont",
                      "(Main program dorvix v 2.0 on 01-06-2010) show",
                      "28.35 46.07 moveto",
                      "7 /Helvetica findfont exch scalefont setfont",
                      "(Subroutine mapseis4 v 4.1 on 10-10-2010) show",
                      "28.35 35.44 moveto",
                      "7 /Helvetica findfont exch scalefont setfont",
                      "(Run on Linux-x86_64-2400MHz on 07-12-2026 at 08:32:01) show"};
  EXPECT_EQ(drawn_lines(), want);
  EXPECT_EQ(plt2blk.txtheight, 0.5f);
  EXPECT_FLOAT_EQ(psparams.txtsize, 0.5f * 28.35f);
  EXPECT_EQ(screen(), "");
}

TEST_F(Caption, FreeLinesContinueTheColumn) {
  open_plot(2);
  plt2blk.justif = 1;  // the blanks of the text are kept
  cmplotcharinfo0("first", 1, 1, 2, setup::menu_from_passed);
  cmplotcharinfo0("fourth ", 4, 1, 2, setup::menu_from_passed);
  const Lines lines = drawn_lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "28.35 56.70 moveto");
  EXPECT_EQ(lines[2], "(first) show");
  EXPECT_EQ(lines[3], "28.35 24.81 moveto");  // 2 - 1.125 cm
  EXPECT_EQ(lines[5], "(fourth ) show");
  EXPECT_EQ(plt2blk.txtheight, 0.5f);
}

TEST_F(Caption, TheRoutineRecordIsCutOrPaddedAndEmptyFieldsWriteNothing) {
  ssubinfo("fpsseis3_with_a_long_name", "3", "01-01-2001 and more", 7, 1);
  EXPECT_EQ(runinfocom.csubnam, "fpsseis3_wi");
  EXPECT_EQ(runinfocom.csubver, "3   ");
  EXPECT_EQ(runinfocom.csubdat, "01-01-2001");

  // A record never filled holds no text at all: the caption shows nothing
  // in its place.
  runinfocom = RunInfoCom{};
  open_plot(1);
  cmplotruninfo0(2, 3, setup::menu_from_passed);
  const Lines lines = drawn_lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[2], "(Main program  v on) show");
  EXPECT_EQ(lines[8], "(Run on  on  at) show");
}

}  // namespace
}  // namespace dorvix::testing
