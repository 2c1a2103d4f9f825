// Paths at device level: records by dialect, lazy stroking, clipping,
// points without a value, and dots that show.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "dialogue/console_units.hpp"
#include "files/unit_file.hpp"
#include "support/plot_fixture.hpp"
#include "support/transcript.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;
using Paths = PlotTest;

bool has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(Paths, EachPolylineIsOneStrokedPathInItsDialect) {
  const Lines want[3] = {
      {"np", "10.00 20.00 M", "30.50 -0.50 L", "0.25 1234.57 L", "sk", "np", "10.00 20.00 M", "30.50 -0.50 L",
       "0.25 1234.57 L", "sk"},
      {"newpath", "10.00 20.00 moveto", "30.50 -0.50 lineto", "0.25 1234.57 lineto", "stroke", "newpath",
       "10.00 20.00 moveto", "30.50 -0.50 lineto", "0.25 1234.57 lineto", "stroke"},
      {"10.00 20.00 m", "30.50 -0.50 l", "0.25 1234.57 l", "S", "10.00 20.00 m", "30.50 -0.50 l", "0.25 1234.57 l",
       "S"},
  };
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "lines" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    std::vector<real> x{10, 30.5f, 0.25f}, y{20, -0.5f, 1234.567f};
    deline(x, y, 3);
    deline(x, y, 3);
    EXPECT_EQ(drawn_lines(), want[dialect - 1]) << dialect;
    close_plot();
  }
  EXPECT_EQ(screen(), "");
}

// A path is written through one room of the plot file's buffer; one
// longer than the room the buffer gives at once asks for more as it goes,
// its records stay one path, and the file still receives whole blocks:
// points on the sheet's scale, written without a test a point, and points
// beyond a million, each tested.
TEST_F(Paths, APathLongerThanTheFileBufferStaysOnePath) {
  for (const int from : {100000, 1000000}) {
    SCOPED_TRACE(from);
    constexpr int n = 3000;
    std::vector<real> x(n), y(n);
    Lines points;
    for (int k = 0; k < n; ++k) {
      x[static_cast<std::size_t>(k)] = static_cast<real>(from + k);
      y[static_cast<std::size_t>(k)] = static_cast<real>(2 * from + k);
      points.push_back(std::to_string(from + k) + ".00 " + std::to_string(2 * from + k) + ".00 " + (k == 0 ? "M" : "L"));
    }
    const std::string name = "long" + std::to_string(from) + ".ps";
    open_plot(1, "P  ", 1, name);
    const auto opening = std::filesystem::file_size(path(name));  // written out by the opening
    deline(x, y, n);
    depolygon(x, y, n);
    const auto blocks = std::filesystem::file_size(path(name)) - opening;
    EXPECT_GT(blocks, 0u);
    EXPECT_EQ(blocks % UnitFile::buffer_size, 0u);
    const Lines want = join({{"np"}, points, {"sk", "np"}, points, {"cp gs", " 0.500 stg fill gr", "sk"}});
    EXPECT_EQ(drawn_lines(), want);
    close_plot();
  }
}

TEST_F(Paths, ALineColourIsWrittenOnlyWhenItChanges) {
  default_colour_table();
  open_plot(1);
  std::vector<real> x{10, 20}, y{10, 20};
  deline(x, y, 2);  // black, already current
  plt2blk.linecol = 2;
  deline(x, y, 2);
  deline(x, y, 2);
  const Lines want = {"np", "10.00 10.00 M", "20.00 20.00 L", "sk",
                      "np", "10.00 10.00 M", "20.00 20.00 L", " 0.500  0.000  0.000 setrgbcolor", "sk",
                      "np", "10.00 10.00 M", "20.00 20.00 L", "sk"};
  EXPECT_EQ(drawn_lines(), want);
  EXPECT_EQ(plt2blk.icurcol, 2);
  close_plot();
}

TEST_F(Paths, OnePointPolylineIsADotAndADotShows) {
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "dot" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    intslinewidth(10);
    std::vector<real> x{200}, y{300};
    deline(x, y, 1);
    const Lines lines = drawn_lines();
    EXPECT_TRUE(has(lines, dialect == 3 ? "200.00 300.00 l" : dialect == 1 ? "200.00 300.00 L" : "200.00 300.00 lineto"))
        << dialect;
    close_plot();
    DORVIX_REQUIRE_TOOL("gs");
    // Round caps: a zero-length stroke of width 10 paints a disc of
    // radius 5 around the point.
    const auto box = drawn_box(path(name));
    ASSERT_EQ(box.size(), 4u) << name;
    EXPECT_NEAR(box[0], 195, 1.5);
    EXPECT_NEAR(box[1], 295, 1.5);
    EXPECT_NEAR(box[2], 205, 1.5);
    EXPECT_NEAR(box[3], 305, 1.5);
  }
}

TEST_F(Paths, PolygonEndsByFillStyleColourAndDialect) {
  struct Case {
    int dialect, icolor, fillstyle;
    Lines tail;
  };
  const Case cases[] = {
      {1, 1, 1, {"cp gs", " 0.800  0.800  0.800 setrgbcolor fill gr", "sk"}},
      {2, 1, 1, {"closepath gsave", " 0.800  0.800  0.800 setrgbcolor fill grestore", "stroke"}},
      {1, 0, 1, {"cp gs", " 0.500 stg fill gr", "sk"}},
      {2, 0, 1, {"closepath gsave", " 0.500 setgray fill grestore", "stroke"}},
      {1, 1, 0, {"cp", "sk"}},
      {2, 0, 0, {"closepath", "stroke"}},
      {3, 1, 1, {"b"}},
      {3, 1, 0, {"s"}},
  };
  int k = 0;
  for (const auto& c : cases) {
    const std::string name = "poly" + std::to_string(++k) + ".ps";
    default_colour_table();
    plt2blk.icolor = c.icolor;
    open_plot(c.dialect, "P  ", 1, name);
    plt2blk.fillstyle = c.fillstyle;
    std::vector<real> x{100, 200, 150}, y{100, 100, 200};
    const int current = plt2blk.icurcol;
    depolygon(x, y, 3);
    Lines lines = drawn_lines();
    ASSERT_GE(lines.size(), c.tail.size() + 3) << name;
    EXPECT_EQ(Lines(lines.end() - static_cast<std::ptrdiff_t>(c.tail.size()), lines.end()), c.tail) << name;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), c.dialect == 3 ? "150.00 200.00 l" : c.dialect == 1 ? "150.00 200.00 L" : "150.00 200.00 lineto"), 1);
    EXPECT_EQ(psparams.ipspath, 0);
    EXPECT_EQ(plt2blk.icurcol, current) << "the fill colour does not become current";
    close_plot();
  }
}

TEST_F(Paths, OnePointPolygonHasNoLineRecord) {
  open_plot(1);
  std::vector<real> x{5}, y{6};
  depolygon(x, y, 1);
  EXPECT_EQ(drawn_lines(), (Lines{"np", "5.00 6.00 M", "cp gs", " 0.500 stg fill gr", "sk"}));
  EXPECT_EQ(screen(), "");
  close_plot();
}

TEST_F(Paths, PenMovesAccumulateInOnePath) {
  open_plot(2);
  real x = 1, y = 2;
  deplot(x, y, 0);
  x = 3;
  deplot(x, y, 1);
  y = 4;
  deplot(x, y, 1);
  deplot(x, y, 2);  // nothing at all
  x = 7;
  deplot(x, y, 0);  // strokes the path before
  EXPECT_EQ(drawn_lines(), (Lines{"newpath", "1.00 2.00 moveto", "3.00 2.00 lineto", "3.00 4.00 lineto", "stroke",
                                  "newpath", "7.00 4.00 moveto"}));
  close_plot();
}

TEST_F(Paths, ADrawWithoutAMoveWarnsAndStartsWithAMove) {
  open_plot(1);
  type({""});
  real x = 40, y = 50;
  deplot(x, y, 1);
  std::vector<real> xs{60, 70}, ys{50, 50};
  pslineto(xs, ys, 2);
  const Lines want_screen = {
      " ///////////////////////////////////////////",
      " ///        subroutine pslineto          ///",
      " ///               WARNING               ///",
      " ///////////////////////////////////////////",
      " Path begins with Draw instead of Move",
      " ===> HIT RETURN TO CONTINUE",
      " ///////////////////////////////////////////",
  };
  EXPECT_EQ(screen_lines(), want_screen);
  EXPECT_EQ(drawn_lines(), (Lines{"40.00 50.00 M", "60.00 50.00 L", "70.00 50.00 L"}));
  EXPECT_EQ(psparams.ipspath, 1);
  close_plot();
}

TEST_F(Paths, AMoveWithoutANewPathLeavesNoOpenPath) {
  open_plot(2);
  std::vector<real> x{1, 2}, y{1, 2};
  deline(x, y, 2);
  real mx = 9, my = 9;
  psmoveto(mx, my, 1);
  psmoveto(mx, my, 0);  // strokes the open path, moves only
  EXPECT_EQ(psparams.ipspath, 0);
  iocom.lpause = false;
  pslineto(x, y, 1);  // so this draw warns
  EXPECT_TRUE(has(screen_lines(), " Path begins with Draw instead of Move"));
  const Lines lines = drawn_lines();
  EXPECT_EQ(Lines(lines.end() - 6, lines.end()),
            (Lines{"stroke", "newpath", "9.00 9.00 moveto", "stroke", "9.00 9.00 moveto", "1.00 1.00 moveto"}));
  close_plot();
}

// Points beyond the writable range are drawn at its limits, and one box a
// path reports them: the first value reset on each axis and the count. A
// path drawn point by point with the pen far off the sheet asks for one
// Return, when it is stroked.
TEST_F(Paths, CoordinatesBeyondTheLimitAreClippedWithOneBoxAPath) {
  open_plot(1);
  iocom.lpause = false;
  std::vector<real> x{9.9e7f, 1.0e8f}, y{-9.9e7f, -2.0e8f};
  deline(x, y, 2);
  EXPECT_EQ(x[1], 9.9e7f);
  EXPECT_EQ(y[1], -9.9e7f);
  const auto box = [](const std::string& routine, const Lines& lines) {
    Lines l{" ///////////////////////////////////////////", " ///        subroutine " + routine + "          ///",
            " ///               WARNING               ///", " ///////////////////////////////////////////"};
    l.insert(l.end(), lines.begin(), lines.end());
    l.push_back(" ///////////////////////////////////////////");
    return l;
  };
  EXPECT_EQ(screen_lines(), box("pslineto", {" x in meters =  0.353E+05", " ==> reset to xmax =  0.349E+05",
                                             " y in meters = -0.706E+05", " ==> reset to ymin = -0.349E+05",
                                             " POINTS RESET TO THE LIMITS:      1"}));
  EXPECT_EQ(drawn_lines(), (Lines{"np", "99000000. -99000000. M", "99000000. -99000000. L", "sk"}));
  for (int i = 0; i < 300; ++i) {
    real px = 1.0e9f, py = i < 200 ? 5.0f : -3.0e8f;
    deplot(px, py, i == 0 ? 0 : 1);
  }
  EXPECT_TRUE(screen_lines().empty());
  psstrokepath();
  EXPECT_EQ(screen_lines(), box("psmoveto", {" x in meters =  0.353E+06", " ==> reset to xmax =  0.349E+05",
                                             " y in meters = -0.106E+06", " ==> reset to ymin = -0.349E+05",
                                             " POINTS RESET TO THE LIMITS:    300"}));
  const Lines l = drawn_lines();
  EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& r) { return r.ends_with(" L"); }), 1 + 299);
  close_plot();
}

TEST_F(Paths, NumbersKeepTenCharacters) {
  open_plot(2);
  std::vector<real> x{9999999.0f, -999999.0f, -1000000.0f, 0.004f}, y{-0.004f, 10000000.0f, 0.5f, -12.3f};
  deline(x, y, 4);
  EXPECT_EQ(drawn_lines(), (Lines{"newpath", "9999999.00 -0.00 moveto", "-999999.00 10000000. lineto",
                                  "-1000000.0 0.50 lineto", "0.00 -12.30 lineto", "stroke"}));
  close_plot();
}

TEST_F(Paths, APointWithoutAValueBreaksThePath) {
  const real nan = std::numeric_limits<real>::quiet_NaN();
  const real inf = std::numeric_limits<real>::infinity();
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "nan" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    std::vector<real> x{1, 2, nan, 4, 5}, y{1, 2, 3, inf, 5};
    deline(x, y, 5);
    std::vector<real> bx{nan, 7}, by{6, 7};
    deline(bx, by, 2);
    depolygon(bx, by, 2);
    real px = inf, py = 0;
    deplot(px, py, 0);
    px = 8;
    deplot(px, py, 1);
    const Lines lines = drawn_lines();
    for (const auto& l : lines) {
      EXPECT_EQ(l.find_first_of("*"), std::string::npos) << l;
      EXPECT_EQ(l.find("nan"), std::string::npos) << l;
      EXPECT_EQ(l.find("inf"), std::string::npos) << l;
    }
    const char* m = dialect == 1 ? " M" : dialect == 2 ? " moveto" : " m";
    EXPECT_TRUE(has(lines, std::string("5.00 5.00") + m)) << dialect;  // the path goes on after the break
    EXPECT_TRUE(has(lines, std::string("7.00 7.00") + m)) << dialect;
    EXPECT_TRUE(has(lines, std::string("8.00 0.00") + m)) << dialect;
    EXPECT_EQ(screen(), "") << "a break is silent";
    close_plot();
  }
}

TEST_F(Paths, LineWidthStrokesFirst) {
  open_plot(3);
  intslinewidth(2.5f);
  std::vector<real> x{1, 2}, y{1, 2};
  psmoveto(x[0], y[0], 1);
  pslineto(std::span<real>(x).subspan(1), std::span<real>(y).subspan(1), 1);
  intslinewidth(0.567f);
  EXPECT_EQ(drawn_lines(), (Lines{"2.50 w", "1.00 1.00 m", "2.00 2.00 l", "S", "0.57 w"}));
  close_plot();
}

}  // namespace
}  // namespace dorvix::testing
