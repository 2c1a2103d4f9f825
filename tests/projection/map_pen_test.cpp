// The map's pen: lines broken at points at infinity or off the page and
// split at each projection's cut, texts and symbols left out where the
// point has no image, read back from the plot file.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/contract.hpp"
#include "projection/map_pen.hpp"
#include "projection/state.hpp"
#include "support/draw_fixture.hpp"
#include "support/program_run.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {
namespace {

using Polyline = std::vector<std::pair<double, double>>;  // degrees

class MapPenTest : public PointsTest {
 protected:
  void SetUp() override {
    PointsTest::SetUp();
    reset_projection_state();
    set_start_up_parameters();
    scale(100);
  }
  // `k` points to the map unit, origin at the page corner.
  void scale(real k) {
    real x0 = 0, y0 = 0, c = k / 28.35f, zero = 0;
    sus2cm1(x0, y0, c, zero, zero, c, setup::passed);
    screen();
    drawn();
  }
};

TEST_F(MapPenTest, LinesBreakAtInfinityOffThePageAndAtTheCutOfEachCode) {
  struct Case {
    std::string label;
    int code;
    Polyline line;                // drawn with the pen
    std::vector<Polyline> runs;   // what reaches the page, each from a move
    real scale = 100;
    MapPen::Joins joins = MapPen::Joins::along_the_globe;
  };
  const auto as_given = MapPen::Joins::along_the_globe_as_given;
  const std::vector<Case> cases{
      // A pole under Mercator, the far side of the orthographic, the
      // equator of the gnomonic: no image; the line resumes with a move.
      {"Mercator pole", 15, {{0, 60}, {10, 70}, {20, 90}, {30, 70}, {40, 60}}, {{{0, 60}, {10, 70}}, {{30, 70}, {40, 60}}}},
      {"orthographic far side", 9, {{0, 10}, {0, -10}, {0, -20}, {90, 10}}, {{{0, 10}}, {{90, 10}}}},
      {"gnomonic horizon", 17, {{0, 30}, {0, 0}, {45, 30}, {90, 30}}, {{{0, 30}}, {{45, 30}, {90, 30}}}},
      // At 1.0E7 points to the unit latitude 89.99999 (some 14 units up)
      // is beyond what the plot file can hold.
      {"off the page", 15, {{0, 0}, {0, 89.99999}, {1e-4, 0}}, {{{0, 0}}, {{1e-4, 0}}}, 1.0e7f},
      // Mollweide folds longitudes around its central meridian 0: a line
      // across 180 degrees goes to the eastern edge and on from the
      // western one, at the interpolated latitude; the same the short way
      // round (a step of -340 degrees). The edges stay on their sides, and
      // steps of exactly half a turn are taken as given.
      {"Mollweide across 180", 24, {{170, 0}, {190, 20}}, {{{170, 0}, {180, 10}}, {{-180, 10}, {-170, 20}}}},
      {"Mollweide short way", 24, {{170, 0}, {-170, 20}}, {{{170, 0}, {180, 10}}, {{-180, 10}, {-170, 20}}}},
      // Crossing a third of the way along: a third of the way up.
      {"Mollweide a third", 24, {{170, 0}, {200, 30}}, {{{170, 0}, {180, 10}}, {{-180, 10}, {-160, 30}}}},
      {"Mollweide edges", 24, {{-180, 0}, {-90, 0}, {90, 0}, {180, 0}}, {{{-180, 0}, {-90, 0}, {90, 0}, {180, 0}}}},
      {"Mollweide half turns", 24, {{180, 0}, {0, 0}, {-180, 0}}, {{{180, 0}, {0, 0}, {-180, 0}}}},
      // Mercator takes longitudes as they come: 170 to 190 is one line,
      // 179 to -179 is split at the antimeridian, a whole turn is broken.
      {"Mercator beyond 180", 15, {{170, 0}, {190, 0}}, {{{170, 0}, {190, 0}}}},
      {"Mercator across 180", 15, {{179, 10}, {-179, 20}}, {{{179, 10}, {180, 15}}, {{-180, 15}, {-179, 20}}}},
      {"Mercator a third", 15, {{179, 10}, {-178, 40}}, {{{179, 10}, {180, 20}}, {{-180, 20}, {-178, 40}}}},
      {"Mercator whole turn", 15, {{10, 0}, {375, 0}}, {{{10, 0}}, {{375, 0}}}},
      // The graticule's steps are taken as given, however large: across
      // Mercator's whole width in one step, 200 degrees westwards on
      // Mollweide, a whole turn on Mollweide split at its edges.
      {"Mercator step as given", 15, {{180, 0}, {-180, 0}}, {{{180, 0}, {-180, 0}}}, 100, as_given},
      {"Mollweide step as given", 24, {{100, 0}, {-100, 0}}, {{{100, 0}, {-100, 0}}}, 100, as_given},
      {"Mollweide turn as given", 24, {{360, 0}, {0, 0}}, {{{360, 0}, {-180, 0}}, {{180, 0}, {0, 0}}}, 100, as_given},
      // Transverse Mercator lays the far side's southern quarter 2 pi above
      // the near side's: a line across a meridian 90 degrees from the
      // central one is broken there south of the equator, drawn to the
      // meridian (the near side) and taken up beyond it; north of the
      // equator the two sides meet.
      {"transverse Mercator far side", 1, {{85, -30}, {95, -30}, {95, 30}, {85, 30}},
       {{{85, -30}, {90, -30}}, {{90.0011, -30}, {95, -30}, {95, 30}, {85, 30}}}},
      {"transverse Mercator west", 1, {{-95, -60}, {-80, -30}}, {{{-95, -60}, {-90.0011, -50}}, {{-90, -50}, {-80, -30}}}},
      // The azimuthal maps have no cut.
      {"polar stereographic", 7, {{179, 10}, {-179, 20}}, {{{179, 10}, {-179, 20}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    projtype.iproj = c.code;
    scale(c.scale);
    MapPen pen(MapPen::Output::plot, c.joins);
    for (std::size_t i = 0; i < c.line.size(); ++i) {
      const auto lon = static_cast<real>(c.line[i].first), lat = static_cast<real>(c.line[i].second);
      i == 0 ? pen.move_degrees(lon, lat) : pen.draw_degrees(lon, lat);
    }
    psstrokepath();
    const std::vector<Path> got = paths();
    ASSERT_EQ(got.size(), c.runs.size());
    for (std::size_t r = 0; r < got.size(); ++r) {
      ASSERT_EQ(got[r].points.size(), c.runs[r].size()) << "run " << r;
      for (std::size_t k = 0; k < got[r].points.size(); ++k) {
        const auto [x, y] = project_one(c.code, c.runs[r][k].first, c.runs[r][k].second);
        EXPECT_NEAR(got[r].points[k].first, c.scale * x, 0.011) << "run " << r << " point " << k;
        EXPECT_NEAR(got[r].points[k].second, c.scale * y, 0.011) << "run " << r << " point " << k;
      }
    }
  }
  EXPECT_EQ(screen(), "");  // nothing clipped, nothing reported
}

TEST_F(MapPenTest, TextsAndSymbolsOnlyWhereThePointHasAnImage) {
  projtype.iproj = 15;
  MapPen pen;
  EXPECT_FALSE(pen.text(0, rad(90.0f), "pole"));
  EXPECT_TRUE(pen.text(0, 0, "equator"));
  EXPECT_TRUE(contains(drawn(), "(equator) show"));
  // A measuring pen writes nothing.
  MapPen measuring(MapPen::Output::measure);
  EXPECT_FALSE(measuring.text(0, 0, "equator"));
  EXPECT_TRUE(drawn().empty());
  // The same drawing as the symbols of the points on the page alone.
  const std::vector<real> x{0.1f, infinite_image, 0.3f, 0.4f, 2.0e6f}, y{0.1f, 0.2f, -infinite_image, 0.4f, 0.5f};
  EXPECT_EQ(map_symbols(x, y, 5), 3);
  const Lines with_gaps = drawn();
  ussymbol(std::vector<real>{0.1f, 0.4f}, std::vector<real>{0.1f, 0.4f}, 2);
  EXPECT_EQ(with_gaps, drawn());
  EXPECT_FALSE(with_gaps.empty());
}

// The whole globe under transverse Mercator, through the program: the
// graticule every 15 degrees of latitude and 30 of longitude, its
// parallels in 48 segments, and a coastline that runs east along 30S
// across 90E. No line is drawn across the map from the near side's
// southern quarter to the far side's, 2 pi above it: the longest segment
// is a graticule segment near the poles.
TEST(MapPenRun, TransverseMercatorBreaksItsLinesAtTheFarSideCut) {
  TempDir dir;
  write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");  // the Compressed dialect
  write_file(dir / "l.gebco", "1 3\n-30 85\n-30 90.5\n-30 95\n");
  const ProgramRun run = run_dorvix(dir, {"", "2001", "300", "1", "99", "99", "99",              // code 1
                                          "320", "10", "-90 90 15", "20", "-180 180 30", "31", "48", "99",  // graticule
                                          "343", "n", "1000", "", "map.ps", "3", "l.gebco", "99", "99", "9999", ""});
  EXPECT_EQ(run.status, 0);
  const std::vector<Path> paths = paths_of(split_lines(read_file(dir / "map.ps")));
  double longest = 0;
  for (const Path& p : paths) {
    for (std::size_t i = 1; i < p.points.size(); ++i) {
      longest = std::max(
          longest, std::hypot(p.points[i].first - p.points[i - 1].first, p.points[i].second - p.points[i - 1].second));
    }
  }
  EXPECT_LT(longest, 50.0);
  // The coastline: two strokes, ending and starting on the meridian 90E.
  ASSERT_GE(paths.size(), 2u);
  const Path& west = paths[paths.size() - 2];
  const Path& east = paths.back();
  ASSERT_EQ(west.points.size(), 2u);
  ASSERT_EQ(east.points.size(), 3u);
  EXPECT_NEAR(west.points[1].first, east.points[0].first, 0.2);
  EXPECT_GT(east.points[0].second - west.points[1].second, 400.0);  // 2 pi higher
  expect_renders(dir / "map.ps");
}

}  // namespace
}  // namespace dorvix::testing
