// Plane geometry: matrix products and inverse, rotation, templates and
// transforms, each also in place.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using Geometry = DrawTest;

TEST_F(Geometry, ProductsAccumulateIntoATemporarySoTheOutputMayBeAnInput) {
  const Mat22 a = {1, 2, 3, 4};  // by columns: [[1 3] [2 4]]
  const Mat22 b = {5, 6, 7, 8};  // [[5 7] [6 8]]
  Mat22 c = a;
  m22x22(c, c, b);
  EXPECT_EQ(c, (Mat22{23, 34, 31, 46}));
  c = b;
  m22x22(c, a, c);
  EXPECT_EQ(c, (Mat22{23, 34, 31, 46}));
  Vec2 v = {1, -1};
  m22x21(v, a, v);
  EXPECT_EQ(v, (Vec2{-2, -2}));
  std::vector<real> s1{1, 2, 3}, s2{10, 20, 30};
  vsum(s1, s1, s2, 2);
  EXPECT_EQ(s1, (std::vector<real>{11, 22, 3}));
}

TEST_F(Geometry, InverseOfIdentityAndDiagonal) {
  Mat22 a{};
  EXPECT_TRUE(minv2d(a, {1, 0, 0, 1}));
  EXPECT_EQ(a, (Mat22{1, 0, 0, 1}));
  EXPECT_TRUE(minv2d(a, {2, 0, 0, 4}));
  EXPECT_EQ(a, (Mat22{0.5f, 0, 0, 0.25f}));
  Mat22 b = {1, 2, 3, 4};
  EXPECT_TRUE(minv2d(b, b));  // in place
  EXPECT_EQ(b, (Mat22{-2, 1, 1.5f, -0.5f}));
  EXPECT_EQ(screen(), "");
}

TEST_F(Geometry, NoInverseIsReportedWithTheFiveValuesAndLeavesTheOutput) {
  type({""});
  Mat22 a = {7, 7, 7, 7};
  EXPECT_FALSE(minv2d(a, {1, 2, 2, 4}));
  EXPECT_EQ(a, (Mat22{7, 7, 7, 7}));
  const Lines lines = screen_lines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[3], " ***        subroutine minv2d            ***");
  const Lines message = {" det(B) =        0.00    ", " b(1,1) =        1.00     b(1,2) =        2.00    ",
                         " b(2,1) =        2.00     b(2,2) =        4.00    ", " => Cannot Invert B",
                         " ===> HIT RETURN TO CONTINUE"};
  EXPECT_EQ(Lines(lines.begin() + 9, lines.end() - 1), message);
  // A determinant so small that the inverse overflows has none either.
  type({""});
  EXPECT_FALSE(minv2d(a, {1e-30f, 0, 0, 1e-30f}));
  EXPECT_EQ(a, (Mat22{7, 7, 7, 7}));
  screen();
}

TEST_F(Geometry, RotationAboutTheOriginAndAboutAPoint) {
  const real quarter = std::numbers::pi_v<real> / 2;
  std::vector<real> x{1, 1}, y{0, 0}, xo(2), yo(2);
  rot2daff(xo, yo, x, y, 1, 0, 0, quarter);
  EXPECT_NEAR(xo[0], 0, 1e-6);
  EXPECT_NEAR(yo[0], 1, 1e-6);
  rot2daff(xo, yo, x, y, 1, 1, 0, quarter);
  EXPECT_NEAR(xo[0], 1, 1e-6);
  EXPECT_NEAR(yo[0], 0, 1e-6);
  // In place gives what separate arrays give.
  std::vector<real> px{3, -2, 0.5f}, py{1, 4, -7};
  std::vector<real> qx(3), qy(3);
  rot2daff(qx, qy, px, py, 3, 2, -1, 0.7f);
  rot2daff(px, py, px, py, 3, 2, -1, 0.7f);
  EXPECT_EQ(px, qx);
  EXPECT_EQ(py, qy);
  Mat22 r;
  matrot2drad(r, quarter);
  EXPECT_NEAR(r[1], 1, 1e-7);
  EXPECT_NEAR(r[2], -1, 1e-7);
}

TEST_F(Geometry, ScalingAndTranslationInPlaceAndNothingForNoPoint) {
  std::vector<real> x{1, 2}, y{3, 4};
  homot02d1(x, y, x, y, 2, 2.5f);
  EXPECT_EQ(x, (std::vector<real>{2.5f, 5}));
  EXPECT_EQ(y, (std::vector<real>{7.5f, 10}));
  transl2d1(x, y, x, y, 1, -1, 1);
  EXPECT_EQ(x, (std::vector<real>{1.5f, 5}));
  EXPECT_EQ(y, (std::vector<real>{8.5f, 10}));
  transl2d1(x, y, x, y, 0, 100, 100);
  homot02d1(x, y, x, y, -3, 0);
  EXPECT_EQ(x, (std::vector<real>{1.5f, 5}));
}

TEST_F(Geometry, ArrowAndBarTemplates) {
  std::vector<real> x(7), y(7);
  int np = 0;
  arrow2d(x, y, np, 7);
  EXPECT_EQ(np, 7);
  EXPECT_EQ(x, (std::vector<real>{0, 3.0f / 7, 5.0f / 14, 1, 1, 5.0f / 14, 3.0f / 7}));
  EXPECT_EQ(y, (std::vector<real>{0, 3.0f / 14, 1.0f / 14, 3.0f / 28, -3.0f / 28, -1.0f / 14, -3.0f / 14}));
  std::vector<real> bx(4), by(4);
  rectangle1(bx, by, np, 4);
  EXPECT_EQ(np, 4);
  EXPECT_EQ(bx, (std::vector<real>{0, 1, 1, 0}));
  EXPECT_EQ(by, (std::vector<real>{-3.0f / 28, -3.0f / 28, 3.0f / 28, 3.0f / 28}));
  EXPECT_EQ(screen(), "");
}

TEST_F(Geometry, TemplateWithoutRoomIsRefusedAndNothingWritten) {
  type({"n", ""});  // resume after the unrecoverable error
  std::vector<real> x(6, -1), y(6, -1);
  int np = 0;
  arrow2d(x, y, np, 6);
  EXPECT_EQ(np, 7);
  EXPECT_EQ(x, std::vector<real>(6, -1));
  const Lines lines = screen_lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("plot array dimension") != std::string::npos; }));
  // Room given by ndim but not by the arrays: refused all the same.
  type({"n", ""});
  std::vector<real> bx(3), by(3);
  rectangle1(bx, by, np, 4);
  EXPECT_EQ(bx, std::vector<real>(3, 0));
  screen();
}

}  // namespace
}  // namespace dorvix::testing
