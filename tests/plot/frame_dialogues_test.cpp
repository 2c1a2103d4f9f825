// Frame set-up by map and by window: scales, origins, equal scales, modes,
// the dialogues' transcripts, and frames that cannot be inverted refused.

#include <gtest/gtest.h>

#include <vector>

#include "dialogue/console_units.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using Frames = DrawTest;

struct Window {
  real xcm0 = 2, ycm0 = 2, xlcm = 15, ylcm = 15, xumin = -10, xumax = 10, yumin = -10, yumax = 10;
  int ixy = 1;
  void set(SetupMode mode) { sus2cm3(xcm0, ycm0, xlcm, ylcm, xumin, xumax, yumin, yumax, ixy, mode); }
};

struct Frame {
  real xcm0 = 0, ycm0 = 0, xx = 0, xy = 0, yx = 0, yy = 0;
  void set(SetupMode mode) { sus2cm1(xcm0, ycm0, xx, xy, yx, yy, mode); }
};

// The user point (xu, yu) in cm through the current subplot's frame.
std::vector<real> to_cm(real xu, real yu) {
  const auto k = static_cast<std::size_t>(plt1blk.isub - 1);
  const Vec2& o = plt1blk.us0tocm[k];
  const Mat22& m = plt1blk.ustocm[k];
  return {o[0] + m[0] * xu + m[2] * yu, o[1] + m[1] * xu + m[3] * yu};
}

void select(int s) { ssubplot(s, setup::passed); }

TEST_F(Frames, DefaultWindowFillsItsBoxWithEqualScales) {
  select(1);
  Window w;
  w.set(setup::initialise);
  EXPECT_EQ(plt1blk.ustocm[0], (Mat22{0.75f, 0, 0, 0.75f}));
  EXPECT_EQ(plt1blk.us0tocm[0], (Vec2{9.5f, 9.5f}));
  EXPECT_EQ(to_cm(0, 0), (std::vector<real>{9.5f, 9.5f}));
  EXPECT_EQ(to_cm(10, 10), (std::vector<real>{17, 17}));
  // The caller gets the window back, not the frame.
  EXPECT_EQ(w.xcm0, 2);
  EXPECT_EQ(w.xlcm, 15);
  EXPECT_EQ(screen(), "");
}

TEST_F(Frames, WindowInATallBoxWithAndWithoutEqualScales) {
  select(1);
  Window w{2, 2, 17, 26, -10, 10, -10, 10, 1};
  w.set(setup::passed);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][0], 0.85f);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][3], 0.85f);
  EXPECT_EQ(to_cm(-10, -10), (std::vector<real>{2, 2}));
  EXPECT_EQ(to_cm(10, 10), (std::vector<real>{19, 19}));
  w.ixy = 0;
  w.set(setup::passed);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][3], 1.3f);
  EXPECT_EQ(to_cm(10, 10), (std::vector<real>{19, 28}));
  // Any other ixy leaves the scales independent too.
  w.ixy = 2;
  w.set(setup::passed);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][3], 1.3f);
}

TEST_F(Frames, AMirroredAxisKeepsItsSignWithTheSmallerMagnitude) {
  select(1);
  Window w{2, 2, 17, 26, 10, -10, -10, 10, 1};
  w.set(setup::passed);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][0], -0.85f);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][3], 0.85f);
  EXPECT_EQ(to_cm(10, -10), (std::vector<real>{2, 2}));
}

TEST_F(Frames, ModeThreeReturnsTheStoredValues) {
  select(4);
  Window stored{1, 3, 10, 12, 0, 5, -1, 1, 0};
  stored.set(setup::passed);
  const Plt1Blk before = plt1blk;
  Window back{};
  back.set(setup::stored);
  EXPECT_EQ(back.xcm0, 1);
  EXPECT_EQ(back.ycm0, 3);
  EXPECT_EQ(back.xlcm, 10);
  EXPECT_EQ(back.ylcm, 12);
  EXPECT_EQ(back.xumax, 5);
  EXPECT_EQ(back.yumin, -1);
  EXPECT_EQ(back.ixy, 0);
  Frame f;
  f.set(setup::stored);
  EXPECT_FLOAT_EQ(f.xx, 2);
  EXPECT_FLOAT_EQ(f.yy, 6);
  EXPECT_FLOAT_EQ(f.xcm0, 1);
  EXPECT_FLOAT_EQ(f.ycm0, 9);
  EXPECT_EQ(plt1blk.us0tocm, before.us0tocm);
  EXPECT_EQ(plt1blk.ustocm, before.ustocm);
  EXPECT_EQ(screen(), "");
}

TEST_F(Frames, DefaultsInEverySubplotWithTheirDeviceMapsWhileAPlotIsOpen) {
  open_plot(2);
  select(3);
  Frame f{1, 2, 3, 0, 0, 3};
  f.set(setup::passed);
  Frame d;
  d.set(setup::all_subplots);
  EXPECT_FLOAT_EQ(d.xcm0, 10);
  EXPECT_FLOAT_EQ(d.yy, 1);
  EXPECT_EQ(plt1blk.isub, 3);
  for (std::size_t k = 0; k < nsubplots; ++k) {
    EXPECT_EQ(plt1blk.us0tocm[k], (Vec2{10, 10})) << k;
    EXPECT_EQ(plt1blk.ustocm[k], (Mat22{1, 0, 0, 1})) << k;
    // The maps of each subplot follow its new frame at once.
    EXPECT_EQ(plt1blk.us0tode[k], (Vec2{283.5f, 283.5f})) << k;
    EXPECT_EQ(plt1blk.cm0tous[k], (Vec2{-10, -10})) << k;
  }
  EXPECT_EQ(screen(), "");
}

TEST_F(Frames, AFrameWithoutInverseIsRefusedAndThePreviousKept) {
  open_plot(2);
  select(2);
  Frame good{5, 5, 2, 0, 0, 2};
  good.set(setup::passed);
  const Plt1Blk before = plt1blk;
  type({""});
  Frame flat{5, 5, 1, 2, 2, 4};  // xx yy = xy yx
  flat.set(setup::passed);
  EXPECT_EQ(plt1blk.us0tocm, before.us0tocm);
  EXPECT_EQ(plt1blk.ustocm, before.ustocm);
  EXPECT_EQ(plt1blk.cmtous, before.cmtous);
  const Lines lines = screen_lines();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[3], " ***        subroutine sus2cm1           ***");
  const Lines message = {" xcm0 =  5.00000     ycm0 =  5.00000    ",
                         " xx   =  1.00000     xy   =  2.00000    ",
                         " yx   =  2.00000     yy   =  4.00000    ",
                         " ==> FRAME WITHOUT INVERSE OR TOO LARGE",
                         " ==> FRAME OF SUBPLOT  2 NOT CHANGED",
                         " ===> HIT RETURN TO CONTINUE"};
  EXPECT_EQ(Lines(lines.begin() + 9, lines.end() - 1), message);
  // Scales or origins that would overflow in device points are refused too.
  for (Frame huge : {Frame{5, 5, 1e37f, 0, 0, 1e37f}, Frame{3e38f, 5, 1, 0, 0, 1}}) {
    type({""});
    huge.set(setup::passed);
    EXPECT_EQ(plt1blk.ustocm, before.ustocm);
    EXPECT_TRUE(contains(screen_lines(), " ==> FRAME WITHOUT INVERSE OR TOO LARGE"));
  }
  // Refused with no plot file open as well: it could never be inverted.
  iocom.lplotop = false;
  type({""});
  flat.set(setup::passed);
  EXPECT_EQ(plt1blk.ustocm, before.ustocm);
  screen();
  iocom.lplotop = true;
}

TEST_F(Frames, AWindowWithoutWidthOrHeightIsRefused) {
  select(6);
  Window good{};
  good.set(setup::passed);
  const Plt1Blk before = plt1blk;
  for (Window bad : {Window{2, 2, 15, 15, 3, 3, -1, 1, 1}, Window{2, 2, 15, 15, -1, 1, 4, 4, 0},
                     Window{2, 2, 0, 15, -1, 1, -1, 1, 0}, Window{2, 2, 15, 15, -3e38f, 3e38f, 0, 1, 0}}) {
    type({""});
    bad.set(setup::passed);
    EXPECT_EQ(plt1blk.ustocm, before.ustocm);
    EXPECT_EQ(plt1blk.us0tocm, before.us0tocm);
    EXPECT_EQ(plt1blk.usextr, before.usextr) << "the window set-up is kept too";
    const Lines lines = screen_lines();
    EXPECT_TRUE(contains(lines, " ==> FRAME OF SUBPLOT  6 NOT CHANGED"));
  }
  // A subplot whose window was never set: mode 2 starts from zeros.
  select(8);
  type({"n", ""});
  Window never{};
  never.set(setup::menu_from_stored);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ==> WINDOW WITHOUT WIDTH OR HEIGHT"));
  EXPECT_EQ(plt1blk.ustocm[7], (Mat22{}));
}

const Lines mus2cm1_screen = {
    " ==========================================",
    "           CONVERSION SET UP               ",
    " ==========================================",
    " |  cm  |                   |user units|",
    " |  on  | <---------------- |   used   |",
    " | plot |                   | in calls |",
    " ",
    "  |xcm|                         |xu|",
    "  |   | <---------------------- |  |",
    "  |ycm|                         |yu|",
    " ",
    "  |xcm|     |xx   xy|   |xu|   |xcm0|",
    "  |   |  =  |       | * |  | + |    |",
    "  |ycm|     |yx   yy|   |yu|   |ycm0|",
    " ==========================================",
    "             Current set up:",
    " ==========================================",
    " |xcm|   |  1.500  -0.250|   |xu|   | 10.000|",
    " |   | = |               | * |  | + |       |",
    " |ycm|   |  0.000 100.000|   |yu|   |-12.125|",
    " ==========================================",
};

const Lines alter_question = {
    " ..........................................", " Do you want to alter this ?",
    " Enter (0/1)(n/y)(N/Y)",                       " or return for default value or h for help",
    " Default = No ",                               " New value =  No ",
    " ..........................................",
};

TEST_F(Frames, MapDialogueShowsTheFrameAndAsksEachValue) {
  select(1);
  type({"", "y", "1", "", "", "", "", "0.5"});
  Frame f{10, -12.125f, 1.5f, -0.25f, 0, 100};
  f.set(setup::menu_from_passed);
  Lines lines = screen_lines();
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), menu_head("mus2cm1"));
  EXPECT_EQ(Lines(lines.begin() + 3, lines.begin() + 24), mus2cm1_screen);
  EXPECT_EQ(Lines(lines.begin() + 24, lines.end()), alter_question);
  EXPECT_EQ(plt1blk.ustocm[0], (Mat22{1.5f, 0, -0.25f, 100}));
  // Altered: the six values are asked in order, each with its default.
  f.set(setup::menu_from_passed);
  lines = screen_lines();
  const Lines xcm0_prompt = {" ..........................................", " Enter xcm0", " or return for default value",
                             " Default =  10.0000    ", " New value =   1.00000    ",
                             " ..........................................",};
  const auto at = std::find(lines.begin(), lines.end(), " Enter xcm0");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(Lines(at - 1, at + 5), xcm0_prompt);
  EXPECT_TRUE(contains(lines, " Enter yy"));
  EXPECT_EQ(f.xcm0, 1);
  EXPECT_EQ(f.yy, 0.5f);
  EXPECT_EQ(plt1blk.us0tocm[0], (Vec2{1, -12.125f}));
}

TEST_F(Frames, WindowDialogueShowsTheWindowAndTheBox) {
  select(1);
  type({""});
  Window w;
  w.set(setup::menu_from_passed);
  const Lines lines = screen_lines();
  const Lines want = join({menu_head("mus2cm3"),
                           {
                               " ==========================================",
                               "           CONVERSION SET UP               ",
                               " ==========================================",
                               " |  cm  |                     |user units|",
                               " |  on  | <------------------ |   used   |",
                               " | plot |                     | in calls |",
                               " ",
                               "  |xcm|                           |xu|",
                               "  |   | <------------------------ |  |",
                               "  |ycm|                           |yu|",
                               " ==========================================",
                               "             Current set up:",
                               " ==========================================",
                               " ------------------------------------------",
                               "      1 - USER UNITS IN USER SPACE         ",
                               " ------------------------------------------",
                               "    _|_________________|_  yumax =    10.000",
                               "     |                 |",
                               "     |                 |",
                               "    _|_________________|_  yumin =   -10.000",
                               "     |                 |",
                               "   xumin             xumax",
                               "    -10.000            10.000",
                               " ",
                               "  user limits:          xu,yu in user units",
                               "  xumin =   -10.000  yumin =   -10.000",
                               "  xumax =    10.000  yumax =    10.000",
                               " ------------------------------------------",
                               "      2 - CM UNITS ON PLOT                 ",
                               " ------------------------------------------",
                               "    _|_________________|_  ",
                               "     |                 |  |",
                               "     |                 |  | ylcm =    15.000",
                               "    _|_________________|_ | _ ycm0 =     2.000",
                               "     |                 |",
                               "     <---- xlcm -------> ",
                               "     |      15.000",
                               "   xcm0 =     2.000",
                               " ",
                               "  paper limits:               xcm,ycm in cm",
                               "  xlcm  =    15.000  ylcm  =    15.000",
                               "  xcm0  =     2.000  ycm0  =     2.000",
                               " ------------------------------------------",
                               " X & Y scale imposed equal",
                               " ------------------------------------------",
                           },
                           alter_question});
  EXPECT_EQ(lines, want);
}

TEST_F(Frames, WindowDialogueWarnsOfAnotherIxyAndItsPromptTakesOnlyZeroOrOne) {
  select(1);
  type({"y", "", "", "", "", "", "", "", "", "3", "", ""});
  Window w;
  w.ixy = 2;
  w.set(setup::menu_from_passed);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " WARNING: ixy =         2  neither 0 nor 1"));
  EXPECT_TRUE(contains(lines, "       will have same effect as ixy = 0"));
  EXPECT_TRUE(contains(lines, " Default =            0"));  // what 2 does
  EXPECT_TRUE(contains(lines, " outside [0,1]"));            // the answer 3 refused
  EXPECT_EQ(w.ixy, 0);
  EXPECT_FLOAT_EQ(plt1blk.ustocm[0][0], 0.75f);
}

TEST_F(Frames, WithoutTheSecondLevelOnlyTheHeadPrecedesTheQuestion) {
  select(1);
  iocom.lwito(2) = false;
  type({"", ""});
  Window w;
  w.set(setup::menu_from_passed);
  Frame f{1, 1, 1, 0, 0, 1};
  f.set(setup::menu_from_passed);
  const Lines question = {" Do you want to alter this ?", " New value =  No "};
  EXPECT_EQ(screen_lines(), join({menu_head("mus2cm3"), question, menu_head("mus2cm1"), question}));
}

}  // namespace
}  // namespace dorvix::testing
