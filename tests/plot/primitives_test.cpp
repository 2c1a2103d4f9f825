// Drawing in user units: chunks of 501 points with one point of overlap,
// polygon pieces and their warning, pen moves, texts, arrows, circles and
// arcs with their point counts in single precision.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "dialogue/console_units.hpp"
#include "geometry/angles.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using Reals = std::vector<real>;

using Primitives = PointsTest;

// n points (k, 2k), k = 1..n.
void line_points(int n, Reals& x, Reals& y) {
  x.resize(static_cast<std::size_t>(n));
  y.resize(static_cast<std::size_t>(n));
  for (int k = 1; k <= n; ++k) {
    x[static_cast<std::size_t>(k - 1)] = static_cast<real>(k);
    y[static_cast<std::size_t>(k - 1)] = static_cast<real>(2 * k);
  }
}

TEST_F(Primitives, PolylinesAreChunksOf501PointsOverlappingByOne) {
  struct Case {
    int n;
    std::vector<std::pair<int, int>> chunks;  // first and last point of each path
  };
  const Case cases[] = {{501, {{1, 501}}}, {502, {{1, 501}, {501, 502}}}, {1001, {{1, 501}, {501, 1001}}},
                        {1502, {{1, 501}, {501, 1001}, {1001, 1501}, {1501, 1502}}}, {2, {{1, 2}}}};
  for (const Case& c : cases) {
    Reals x, y;
    line_points(c.n, x, y);
    usline(x, y, c.n);
    const auto p = paths();
    ASSERT_EQ(p.size(), c.chunks.size()) << c.n;
    for (std::size_t i = 0; i < p.size(); ++i) {
      const auto [first, last] = c.chunks[i];
      ASSERT_EQ(p[i].points.size(), static_cast<std::size_t>(last - first + 1)) << c.n << " path " << i;
      EXPECT_NEAR(p[i].points.front().first, first, 0.01) << c.n;
      EXPECT_NEAR(p[i].points.back().second, 2 * last, 0.01) << c.n;
      EXPECT_EQ(p[i].end, "sk");
    }
  }
  EXPECT_EQ(screen(), "");
}

TEST_F(Primitives, OnePointIsADotAndNoPointIsAnErrorAndNothingDrawn) {
  Reals x{7}, y{8};
  usline(x, y, 1);
  EXPECT_EQ(drawn(), (Lines{"np", "7.00 8.00 M", "7.00 8.00 L", "sk"}));
  type({"", ""});
  usline(x, y, 0);
  uspolygon(x, y, 0);
  EXPECT_EQ(drawn(), Lines{});
  const Lines lines = screen_lines();
  EXPECT_EQ(count_of(lines, " is =  1  > nx = 0"), 2);
  EXPECT_EQ(count_of(lines, " attempt to read past array"), 2);
  EXPECT_EQ(count_of(lines, " ***        subroutine buffer2           ***"), 2);
}

TEST_F(Primitives, LongPolygonsArePiecesSharingAVertexEachAfterAWarning) {
  plt2blk.fillstyle = 0;
  for (const auto& [n, pieces] : {std::pair{501, 1}, {1001, 2}, {1002, 3}}) {
    std::string keys;
    for (int k = 1; k < pieces; ++k) keys += "\n";
    type_raw(keys);
    Reals x, y;
    line_points(n, x, y);
    uspolygon(x, y, n);
    const auto p = paths();
    ASSERT_EQ(p.size(), static_cast<std::size_t>(pieces)) << n;
    EXPECT_EQ(p[0].points.size(), 501u);
    EXPECT_EQ(p.back().end, "cp");
    if (pieces > 1) {
      EXPECT_NEAR(p[1].points.front().first, 501, 0.01);
    }
    if (n == 1002) {
      EXPECT_EQ(p[2].points.size(), 2u);
    }
    const Lines lines = screen_lines();
    EXPECT_EQ(count_of(lines, " Polygone vertices = " + std::to_string(n)), pieces - 1) << n;
    EXPECT_EQ(count_of(lines, " Plot buffer size  = 501"), pieces - 1);
    EXPECT_EQ(count_of(lines, " ==> Decomposing in smaller polygons"), pieces - 1);
  }
}

TEST_F(Primitives, PenMovesAndTextsAtUserAndPaperPoints) {
  usplot(10, 20, 0);
  usplot(30, 40, 1);
  usplot(50, 60, 2);  // no pen: nothing
  ustext2(100, 200, "u");
  cmtext2(1, 2, "c");
  EXPECT_EQ(drawn(), (Lines{"np", "10.00 20.00 M", "30.00 40.00 L", "sk", "100.00 200.00 M", "14 HPP sym", "(u) show",
                            "28.35 56.70 M", "14 HPP sym", "(c) show"}));
}

TEST_F(Primitives, ArrowIsAShaftAndAStrokedTriangularHead) {
  Reals x1{0}, y1{0}, x2{100}, y2{0};
  usarrow1(x1, y1, x2, y2, 1);
  EXPECT_EQ(drawn(), (Lines{"np", "0.00 0.00 M", "60.00 0.00 L", "sk", "np", "60.00 15.00 M", "60.00 -15.00 L",
                            "100.00 0.00 L", "60.00 15.00 L", "sk"}));
  usarrow1(x1, y1, x2, y2, 0);
  EXPECT_EQ(drawn(), Lines{});
}

// The angle of a drawn point about the centre (300, 300).
double angle_of(const std::pair<double, double>& p) { return std::atan2(p.second - 300, p.first - 300); }

TEST_F(Primitives, CirclePointCountsInSinglePrecision) {
  uscircle(300, 300, 100, 100);
  auto p = paths();
  ASSERT_EQ(p.size(), 1u);
  ASSERT_EQ(p[0].points.size(), 100u);
  EXPECT_NEAR(p[0].points.front().first, 400, 0.01);
  EXPECT_NEAR(p[0].points.back().first, 400, 0.01);
  EXPECT_NEAR(p[0].points.back().second, 300, 0.01);
  // 23 times 2 pi over 2 pi is a little below 23 in single precision.
  uscircle(300, 300, 100, 23);
  p = paths();
  EXPECT_EQ(p[0].points.size(), 22u);
  EXPECT_EQ(ptblock.np, 22);
  EXPECT_EQ(ptblock.ipt, 23);
  EXPECT_EQ(screen(), "");
}

TEST_F(Primitives, HalfTurnArcFromZeroToPiInclusive) {
  usacircle(300, 300, 100, 0, std::numbers::pi_v<real>, 40);
  const auto p = paths();
  ASSERT_EQ(p[0].points.size(), 20u);
  EXPECT_NEAR(angle_of(p[0].points.front()), 0, 1e-3);
  EXPECT_NEAR(angle_of(p[0].points.back()), std::numbers::pi, 1e-3);
  EXPECT_FLOAT_EQ(ptblock.pti, 0);
  EXPECT_FLOAT_EQ(ptblock.ptf, std::numbers::pi_v<real>);
  // Backwards: from a0 down to a1.
  usacircle(300, 300, 100, std::numbers::pi_v<real>, 0, 40);
  const auto q = paths();
  EXPECT_NEAR(angle_of(q[0].points.front()), std::numbers::pi, 1e-3);
  EXPECT_NEAR(angle_of(q[0].points.back()), 0, 1e-3);
}

TEST_F(Primitives, TooShortAnArcIsOnePointAfterTheRunningPointsBoxes) {
  type({""});
  usacircle(300, 300, 100, 0.5f, 0.6f, 10);  // 10 * 0.1 < 2 pi: no point
  EXPECT_EQ(drawn(), (Lines{"np", "387.76 347.94 M", "387.76 347.94 L", "sk"}));
  Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ===> UPSTREAM PROBLEM ?"));
  EXPECT_TRUE(contains(lines, " ===> RESETTING np =       1"));
  // Between one and two points per turn's share: the one-point warning.
  type({""});
  usacircle(300, 300, 100, 0, 1, 10);
  lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ===> WILL PLOT ONLY ONE POINT"));
  EXPECT_EQ(paths()[0].points.size(), 2u);  // the dot: a move and a line to the same point
}

// Arcs drawn one after another, some with the sampling of an arc drawn
// before them (the primitive circle of every net): each has the points of
// its own running point, as a polyline through points computed here in
// the same single precision shows, and leaves the running point past its
// last point.
TEST_F(Primitives, ArcsDrawnAgainHaveThePointsOfTheirOwnSampling) {
  struct Arc {
    real xc, yc, r, a0, a1;
    int n;
  };
  const real turn = 2 * std::numbers::pi_v<real>;
  const Arc arcs[] = {{300, 300, 100, 0, turn, 200},          {120, 450, 100, 0, turn, 200},  // elsewhere
                      {300, 300, 57.5f, 0, turn, 200},        {300, 300, 100, 0, turn, 150},  // fewer points
                      {300, 300, 100, 0, turn, 200},          {300, 300, 100, 0, turn / 2, 400},  // other increment
                      {300, 300, 100, 0.25f, turn + 0.25f, 200},  // other first value
                      {300, 300, 100, -0.0f, turn, 200},      {300, 300, 100, 0, turn, 200},
                      {300, 300, 100, turn / 2, 0, 40},       {300, 300, 100, 0, turn, 200}};
  for (const Arc& a : arcs) {
    usacircle(a.xc, a.yc, a.r, a.a0, a.a1, a.n);
    const Lines arc = drawn();
    const int np = ptblock.np;
    real pt = ptblock.pti - ptblock.ptd;
    Reals x, y;
    for (int k = 0; k < np; ++k) {
      pt = pt + ptblock.ptd;
      x.push_back(a.xc + a.r * std::cos(pt));
      y.push_back(a.yc + a.r * std::sin(pt));
    }
    EXPECT_EQ(ptblock.ipt, np + 1);
    EXPECT_EQ(ptblock.pt, pt);
    usline(x, y, np);
    EXPECT_EQ(arc, drawn()) << a.xc << " " << a.r << " " << a.a0 << " " << a.a1 << " " << a.n;
  }
  EXPECT_EQ(screen(), "");
}

TEST_F(Primitives, AHugeCountIsClampedToTheCurveBufferWithItsWarning) {
  for (const auto& [n, a1] : {std::pair{2147483647, 6.0f}, {1000, 1.0e30f}, {1000, 3.0e38f}}) {
    type({""});
    usacircle(300, 300, 100, 0, a1, n);
    EXPECT_EQ(ptblock.np, 1000) << n;
    const Lines lines = screen_lines();
    EXPECT_TRUE(contains(lines, " ===> WILL NOT PLOT ALL THE DATA")) << n;
    drawn();
  }
}

}  // namespace
}  // namespace dorvix::testing
