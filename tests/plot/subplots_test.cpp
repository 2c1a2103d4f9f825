// Subplot frames and maps: user units, centimetres and device points, the
// maps of every subplot at opening, and the choice of the current subplot.

#include <gtest/gtest.h>

#include <vector>

#include "dialogue/console_units.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using Subplots = DrawTest;
using Reals = std::vector<real>;

// Stores the frame (xcm0, ycm0, matrix by rows xx xy / yx yy) of subplot s.
void set_frame(int s, real xcm0, real ycm0, real xx, real xy, real yx, real yy) {
  ssubplot(s, setup::passed);
  sus2cm1(xcm0, ycm0, xx, xy, yx, yy, setup::passed);
}

TEST_F(Subplots, CentimetresToPointsAreTheSameInEverySubplot) {
  scm2de();
  for (int s : {1, 17, 35}) {
    ssubplot(s, setup::passed);
    Reals x{1.0f}, y{2.0f};
    cm2de(x, y, x, y, 1);
    EXPECT_FLOAT_EQ(x[0], 28.35f);
    EXPECT_FLOAT_EQ(y[0], 56.7f);
  }
  real lde = 0;
  lengthcm2de(lde, 1.0f);
  EXPECT_FLOAT_EQ(lde, 28.35f);
  EXPECT_EQ(screen(), "");
}

TEST_F(Subplots, UserPointsToPointsAndCentimetresBackToUserUnits) {
  open_plot(2);
  set_frame(1, 10, 10, 1, 0, 0, 1);
  Reals x{0, 10}, y{0, -4}, xd(2), yd(2);
  us2de(xd, yd, x, y, 2);
  EXPECT_FLOAT_EQ(xd[0], 283.5f);
  EXPECT_FLOAT_EQ(yd[0], 283.5f);
  EXPECT_FLOAT_EQ(xd[1], 567.0f);
  EXPECT_FLOAT_EQ(yd[1], 170.1f);
  Reals xc{10.0f}, yc{10.0f};
  cm2us(xc, yc, xc, yc, 1);
  EXPECT_FLOAT_EQ(xc[0], 0);
  EXPECT_FLOAT_EQ(yc[0], 0);
  // A sheared frame: cm2us inverts it.
  set_frame(1, 3, -2, 2, 1, -0.5f, 4);
  Reals u{1.5f}, v{-0.75f}, cx(1), cy(1);
  cx[0] = 3 + 2 * u[0] + 1 * v[0];
  cy[0] = -2 - 0.5f * u[0] + 4 * v[0];
  cm2us(cx, cy, cx, cy, 1);
  EXPECT_NEAR(cx[0], u[0], 1e-6);
  EXPECT_NEAR(cy[0], v[0], 1e-6);
  EXPECT_EQ(screen(), "");
}

TEST_F(Subplots, ConversionInPlaceAndNothingForNoPoint) {
  open_plot(2);
  set_frame(1, 1, 2, 2, 0, 0, 3);
  Reals x{1, 2}, y{1, 2};
  us2de(x, y, x, y, 0);
  us2de(x, y, x, y, -1);
  EXPECT_EQ(x, (Reals{1, 2}));
  // Both coordinates of a point come from the input pair: with a rotation
  // the in-place result is the one separate arrays give.
  set_frame(1, 0, 0, 0, -1, 1, 0);
  Reals px{1, 3}, py{2, 5}, qx(2), qy(2);
  us2de(qx, qy, px, py, 2);
  us2de(px, py, px, py, 2);
  EXPECT_EQ(px, qx);
  EXPECT_EQ(py, qy);
}

TEST_F(Subplots, ComposingTouchesOnlyTheCurrentSubplot) {
  open_plot(2);
  set_frame(4, 1, 1, 2, 0, 0, 2);
  set_frame(5, 1, 1, 2, 0, 0, 2);
  const Plt1Blk before = plt1blk;
  int s = 5;
  ssubplot(s, setup::passed);
  plt1blk.ustocm[4] = {4, 0, 0, 4};  // change subplot 5's frame behind the set-up's back
  plt1blk.ustocm[3] = {4, 0, 0, 4};  // and subplot 4's
  sus2de();
  scm2us();
  EXPECT_EQ(plt1blk.ustode[4], (Mat22{4 * 28.35f, 0, 0, 4 * 28.35f}));
  EXPECT_EQ(plt1blk.cmtous[4], (Mat22{0.25f, 0, 0, 0.25f}));
  for (std::size_t k = 0; k < nsubplots; ++k) {
    if (k == 4) continue;
    EXPECT_EQ(plt1blk.ustode[k], before.ustode[k]) << k;
    EXPECT_EQ(plt1blk.cmtous[k], before.cmtous[k]) << k;
  }
}

TEST_F(Subplots, OpeningComposesTheMapsOfEverySubplotBothWays) {
  // Frames stored while no plot file is open: no map is computed yet.
  set_frame(2, 5, 6, 0.5f, 0, 0, 0.5f);
  set_frame(35, 1, 1, 2, 0, 0, 4);
  EXPECT_EQ(plt1blk.cmtous[1], (Mat22{}));
  int s = 1;
  ssubplot(s, setup::passed);
  open_plot(2);
  scm2de();
  ssubplotmaps();
  EXPECT_EQ(plt1blk.isub, 1) << "the current subplot stays";
  // A length taken from the centimetre-to-user map of a subplot whose frame
  // was stored before the opening is not zero.
  s = 2;
  ssubplot(s, setup::passed);
  Reals x{5, 6}, y{6, 6};
  cm2us(x, y, x, y, 2);
  EXPECT_FLOAT_EQ(x[1] - x[0], 2.0f);
  Reals xd{0}, yd{0};
  us2de(xd, yd, xd, yd, 1);
  EXPECT_FLOAT_EQ(xd[0], 5 * 28.35f);
  s = 35;
  ssubplot(s, setup::passed);
  Reals u{2}, v{3};
  cm2us(u, v, u, v, 1);
  EXPECT_FLOAT_EQ(u[0], 0.5f);
  EXPECT_FLOAT_EQ(v[0], 0.5f);
  // A subplot whose frame was never stored keeps a zero inverse, silently.
  EXPECT_EQ(plt1blk.cmtous[9], (Mat22{}));
  EXPECT_EQ(screen(), "");
}

TEST_F(Subplots, SelectionBoxAndAnnouncement) {
  int s = 3;
  ssubplot(s, setup::passed);
  s = 7;
  ssubplot(s, setup::menu_from_passed);
  EXPECT_EQ(plt1blk.isub, 7);
  const Lines head = menu_head("ssubplot");
  const Lines box = join({head, {
      " |             SUBPLOTS              |",
      " |-----------------------------------|",
      " |max nb .......... 35",
      " |last used .......  3",
      " |-----------------------------------|",
      " |      SWITCHING TO SUBPLOT:         ",
      " |-----------------------------------|",
      " |number ..........  7",
      " |name ............                     ",
      menu_tail}});
  EXPECT_EQ(screen_lines(), box);
  s = 0;
  ssubplot(s, setup::stored);
  EXPECT_EQ(s, 7);
  EXPECT_EQ(screen(), "");
  ssubplot(s, setup::initialise);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(plt1blk.isub, 1);
  EXPECT_EQ(screen_lines(), join({head, {" INITIALISING SUBPLOT =  1"}}));
}

TEST_F(Subplots, ANumberOutsideTheSubplotsIsRefusedAndSubplotOneChosenOnResume) {
  int s = 9;
  ssubplot(s, setup::passed);
  type({"n", ""});  // do not stop; the pause
  s = 36;
  ssubplot(s, setup::passed);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(plt1blk.isub, 1);
  const Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " subplot nb =           36"));
  EXPECT_TRUE(contains(lines, " INITIALISING SUBPLOT =  1"));
  EXPECT_TRUE(contains(lines, " |last used .......  9"));
  EXPECT_TRUE(contains(lines, " |number ..........  1"));
  // A refused number shows no title in the box.
  type({"n", ""});
  s = -4;
  ssubplot(s, setup::menu_from_passed);
  const Lines again = screen_lines();
  EXPECT_TRUE(contains(again, " |number .......... -4"));
  EXPECT_EQ(s, 1);
}

}  // namespace
}  // namespace dorvix::testing
