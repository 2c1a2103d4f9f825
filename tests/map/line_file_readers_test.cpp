// Real coastlines (GSHHG, tests/data/real/gshhg_*) in the five layouts,
// drawn from the line-file menu and compared with PROJ's projection of the
// reference lines: the Aegean inside its window, the Bering Strait across
// the 180th meridian, Antarctica as a ring of 360 degrees; small records
// that show how each type cuts its lines and which GSHHS polygons it
// leaves out; and lines broken where a point has no image.

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "files/units.hpp"
#include "line_files_fixture.hpp"
#include "map/line_file_readers.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/origin.hpp"
#include "projection/state.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;

struct Layout {
  std::string extension, choice;
  double degrees;  // how far the layout moves a point: lattice, f9.4, or ten decimals
};
const std::vector<Layout> layouts{
    {"utig", "1", 0.05}, {"ign", "2", 5e-5}, {"gebco", "3", 1e-6}, {"usgs", "4", 1e-6}, {"gshhs", "5", 1e-6}};

// The reference lines with their longitudes where they land in the frame.
std::vector<Polyline> lines_in_frame(std::vector<Polyline> lines, double origin) {
  for (Polyline& l : lines) {
    for (auto& p : l) p.first = in_frame(p.first, origin);
  }
  return lines;
}

std::size_t segments(const std::vector<Polyline>& paths) {
  std::size_t n = 0;
  for (const Polyline& p : paths) n += p.size() - 1;
  return n;
}

// Code 3 at the start-up parallels, the origin at 0E 45N.
void lambert_conic() {
  projtype.iproj = 3;
  slcc2();
  real lon = 0, lat = 45;
  sllorig(lon, lat, setup::passed);
}

TEST_F(LineFileTest, AegeanInEveryLayoutClippedOrNotAtProjPositions) {
  const std::vector<Polyline> reference = reference_lines("gshhg_aegean.lines");
  const std::string rule = " " + std::string(65, '-');
  const Lines end{" -------------------------------------------", " total nb of plotted curves =       4"};
  const std::vector<Lines> listings{
      {rule, " UTIG coastline with clipping", " | line #|# point|", rule, " |     1 |   193 |", " |     2 |   107 |",
       " |     3 |    31 |", " |     4 |    17 |"},
      {rule, " IGN line with clipping", rule, " | line #|", rule, " |     1 |", " |     2 |", " |     3 |", " |     4 |"},
      {rule, " GEBCO line (no clipping)", rule, " | line #|   code|# point|", rule, " |     1 |     1 |    193|",
       " |     2 |     2 |    107|", " |     3 |     3 |     31|", " |     4 |     4 |     17|"},
      {rule, " USGS ASCII dump line (no clipping)", rule, " | line #|", rule, " |     1 |", " |     2 |", " |     3 |",
       " |     4 |"},
      {rule, " Tanvik ASCII polygons with clipping", rule,
       " | line #|   code|# point|   type|   west|   east|  south|  north|", rule,
       " |     1 |     1 |    193|     1 |   19.0|   29.1|   36.4|   42.0|",
       " |       |       |       |       |   19.0|   29.1|       |       |",
       " |     2 |     2 |    107|     1 |   26.1|   30.0|   36.1|   41.2|",
       " |       |       |       |       |   26.1|   30.0|       |       |",
       " |     3 |     3 |     31|     1 |   23.5|   26.3|   34.9|   35.7|",
       " |       |       |       |       |   23.5|   26.3|       |       |",
       " |     4 |     4 |     17|     1 |   22.8|   24.6|   38.0|   39.0|",
       " |       |       |       |       |   22.8|   24.6|       |       |"}};
  const Lines unclipped_titles{" UTIG coastline without clipping", " IGN line without clipping",
                               " GEBCO line (no clipping)", " USGS ASCII dump line (no clipping)",
                               " Tanvik ASCII polygons without clipp"};
  for (std::size_t k = 0; k < layouts.size(); ++k) {
    const Layout& l = layouts[k];
    const std::string file = "gshhg_aegean." + l.extension;
    copy_real(file);
    for (const bool clipped : {true, false}) {
      SCOPED_TRACE(file + (clipped ? " clipped" : " not clipped"));
      if (clipped) {
        run(19, 30, 34, 42, {l.choice, file, "99"});
      } else {
        run(19, 30, 34, 42, {"10", "n", l.choice, file, "10", "y", "99"});
      }
      const Lines got = section(screen_lines(), rule, " input file " + file + " closed");
      if (clipped) {
        EXPECT_EQ(got, join({listings[k], end, {" input file " + file + " closed"}}));
      } else {
        // The title without clipping (the longest one cut to its field),
        // and no rows of bounds in the frame.
        Lines listing{listings[k][0], unclipped_titles[k]};
        for (auto row = listings[k].begin() + 2; row != listings[k].end(); ++row) {
          if (row->rfind(" |       |", 0) != 0) listing.push_back(*row);
        }
        EXPECT_EQ(got, join({listing, end, {" input file " + file + " closed"}}));
      }
      EXPECT_FALSE(units().is_open(line_file_unit));
      expect_at_proj(map_paths(), reference, proj_mercator, l.degrees);
    }
  }
  lambert_conic();
  run(19, 30, 34, 42, {"5", "gshhg_aegean.gshhs", "99"});
  expect_at_proj(map_paths(), reference, proj_lambert, 1e-6);
}

TEST_F(LineFileTest, BeringStraitAcross180InEveryLayout) {
  const std::vector<Polyline> reference = reference_lines("gshhg_bering.lines");
  ASSERT_EQ(reference.size(), 9u);
  for (const Layout& l : layouts) {
    const std::string file = "gshhg_bering." + l.extension;
    SCOPED_TRACE(file);
    copy_real(file);
    // The window 170..195 holds Chukotka on both sides of 180 degrees and
    // Alaska: every line whole, at its place east of 180.
    run(170, 195, 60, 70, {l.choice, file, "99"});
    const std::vector<Polyline> paths = map_paths();
    EXPECT_EQ(segments(paths), 87u);
    expect_at_proj(paths, lines_in_frame(reference, 167), proj_mercator, l.degrees);
    // The window -180..180 cuts the map at 180 degrees: no segment crosses
    // it, under Mercator (map width 2 pi) nor Mollweide (4 sqrt 2 at the
    // equator), where points at exactly 180 meet others just past it.
    for (const auto& [code, limit] : {std::pair{15, pi}, std::pair{24, std::sqrt(2.0)}}) {
      SCOPED_TRACE(code);
      projtype.iproj = code;
      run(-180, 180, 60, 70, {l.choice, file, "99"});
      for (const Polyline& p : map_paths()) {
        for (std::size_t i = 1; i < p.size(); ++i) EXPECT_LT(std::fabs(p[i].first - p[i - 1].first), limit);
      }
    }
    projtype.iproj = 15;
  }
  // Transverse Mercator about 180 degrees: Chukotka is one path.
  projtype.iproj = 1;
  llpparam.longp1 = rad(180.0f);
  real lon = 180, lat = 45;
  sllorig(lon, lat, setup::passed);
  run(-180, 180, 60, 70, {"5", "gshhg_bering.gshhs", "99"});
  const std::vector<Polyline> paths = map_paths();
  ASSERT_EQ(paths.size(), 9u);
  EXPECT_EQ(paths[0].size(), reference[0].size());
}

TEST_F(LineFileTest, AntarcticaRingOfAWholeTurnIsDrawnInAWindowOffItsBounds) {
  // One polygon, west 0 and east 360: in the window 20..60 (frame from 17)
  // both bounds reduce to 360, beyond the window, yet the ring passes
  // through it. Drawn: the points inside, from the window's west edge to
  // its east edge.
  copy_real("gshhg_antarctica.gshhs");
  run(20, 60, -80, -60, {"5", "gshhg_antarctica.gshhs", "99"});
  EXPECT_TRUE(contains(screen_lines(), " total nb of plotted curves =       1"));
  const Polyline ring = lines_in_frame(reference_lines("gshhg_antarctica.lines"), 17)[0];
  std::size_t first = ring.size(), last = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    if (ring[i].first >= 20 && ring[i].first <= 60 && ring[i].second >= -80) {
      first = std::min(first, i);
      last = i;
    }
  }
  ASSERT_LT(first, last);
  // Where the segment from a to b meets the meridian lon.
  const auto on = [](const Point& a, const Point& b, double lon) {
    return Point{lon, a.second + (b.second - a.second) * (lon - a.first) / (b.first - a.first)};
  };
  Polyline inside{on(ring[first - 1], ring[first], 20)};
  inside.insert(inside.end(), ring.begin() + static_cast<long>(first), ring.begin() + static_cast<long>(last) + 1);
  inside.push_back(on(ring[last], ring[last + 1], 60));
  expect_at_proj(map_paths(), {inside}, proj_mercator, 1e-4);
}

// A GSHHS polygon header: id, point count, level 1, bounds.
std::string gshhs_header(int id, int npts, double west, double east, double south, double north) {
  char rec[100];
  std::snprintf(rec, sizeof rec, "  %6d%8d%2d  %13.3f%10.5f%10.5f%10.5f%10.5f\n", id, npts, 1, 0.0, west, east, south,
                north);
  return rec;
}

TEST_F(LineFileTest, ExampleRecordsOfEachType) {
  // UTIG: an odd value count (two points), a line of 17 points (no
  // continuation record), one of 18 (one continuation record, of which
  // only the first pair is read).
  // A code 4.0 steps a degree north or east, 6.0 a degree south or
  // west, 5.0 not at all.
  std::string north, east;
  for (int i = 0; i < 16; ++i) {
    north += "4050";
    east += "5040";
  }
  write_file(path("ex.utig"), "  5  45.0   10.05060\n 34  40.0   20.0" + north + "\n 36  30.0   30.0" + east +
                                  "\n5040xx\n");
  // IGN: codes 1 1, 1 1, 1 2, 1 2 are two lines of two points; 3 1, 3 1
  // and 4 1, 4 1 four lines of one point, which draw nothing: clipped,
  // they write no path.
  write_file(path("ex.ign"), "11   10.0000   45.0000\n11   11.0000   46.0000\n12   12.0000   47.0000\n"
                             "12   13.0000   48.0000\n31   14.0000   49.0000\n31   15.0000   50.0000\n"
                             "41   16.0000   51.0000\n41   17.0000   52.0000\n");
  // USGS: a blank record and a terminator (a latitude of -998 or less)
  // both end a line; a terminator at a line's start counts a line and
  // draws nothing; the record after a terminator starts the next line. A
  // line of one point draws nothing and, never clipped, writes no path
  // either; nor does a GEBCO line of one point.
  write_file(path("ex.usgs"),
             "51 16\n\n45 10\n46 11\n\n-999.0 -999.0\n47 12\n48 13\n-998.0 -998.0\n49 14\n50 15\n");
  write_file(path("ex.gebco"), "1 1\n45 10\n2 2\n46 11\n47 12\n");
  run(-180, 180, -90, 90, {"1", "ex.utig", "2", "ex.ign", "4", "ex.usgs", "3", "ex.gebco", "99"});
  Lines got = screen_lines();
  EXPECT_TRUE(contains(got, " |     1 |     2 |"));
  EXPECT_TRUE(contains(got, " |     2 |    17 |"));
  EXPECT_TRUE(contains(got, " |     3 |    18 |"));
  EXPECT_EQ(count_of(got, " total nb of plotted curves =       2"), 1);  // GEBCO
  EXPECT_EQ(count_of(got, " total nb of plotted curves =       3"), 1);  // UTIG
  EXPECT_EQ(count_of(got, " total nb of plotted curves =       5"), 1);  // USGS
  EXPECT_EQ(count_of(got, " total nb of plotted curves =       6"), 1);  // IGN
  EXPECT_FALSE(contains(got, " WHILE READING FILE ex.utig"));
  Polyline seventeen, eighteen;
  for (int i = 0; i < 17; ++i) seventeen.emplace_back(20, 40 + i);
  for (int i = 0; i < 18; ++i) eighteen.emplace_back(30 + i, 30);
  // Three UTIG lines, two IGN lines, three USGS lines, one GEBCO line.
  const std::vector<Polyline> paths = map_paths();
  ASSERT_EQ(paths.size(), 3u + 2u + 3u + 1u);
  expect_at_proj({paths.begin(), paths.begin() + 3}, {{{10, 45}, {9, 45}}, seventeen, eighteen}, proj_mercator, 1e-4);
  expect_at_proj({paths.begin() + 3, paths.end()},
                 {{{10, 45}, {11, 46}}, {{12, 47}, {13, 48}}, {{10, 45}, {11, 46}}, {{12, 47}, {13, 48}},
                  {{14, 49}, {15, 50}}, {{11, 46}, {12, 47}}},
                 proj_mercator, 1e-4);

  // GSHHS on the window 0..20 x 30..60 (frame from -3): west -10 east 10
  // kept (west 350 in the frame); 100..120 left out; east before west
  // (30..-10, which by its longitudes in the frame, 30..350, would lie
  // east of the window): the box, judged by its latitudes alone, kept;
  // wholly north: left out; 5..15: kept. Left-out polygons are not
  // counted and their points are read past.
  write_file(path("ex.gshhs"), gshhs_header(1, 2, -10, 10, 40, 50) + "2 45\n8 45\n" +
                                   gshhs_header(2, 2, 100, 120, 40, 50) + "110 45\n115 45\n" +
                                   gshhs_header(3, 2, 30, -10, 40, 50) + "12 42\n14 43\n" +
                                   gshhs_header(4, 2, 10, 11, 65, 70) + "10 66\n11 67\n" +
                                   gshhs_header(5, 2, 5, 15, 35, 38) + "6 36\n7 37\n");
  run(0, 20, 30, 60, {"5", "ex.gshhs", "", "99"});
  got = screen_lines();
  const std::string rule = " " + std::string(65, '-');
  const Lines labels{" | line #|   code|# point|   type|   west|   east|  south|  north|"};
  EXPECT_TRUE(has_block(got, {" PROBLEM IN INPUT FILE ?", rule, labels[0],
                              " |     2 |     3 |      2|     1 |   30.0|  -10.0|   40.0|   50.0|", rule,
                              " longitude mini > maxi", " => No global longitude clipping for this polygon"}));
  EXPECT_TRUE(has_block(got, {" |     1 |     1 |      2|     1 |  -10.0|   10.0|   40.0|   50.0|",
                              " |       |       |       |       |  350.0|   10.0|       |       |"}));
  EXPECT_TRUE(has_block(got, {" |     2 |     3 |      2|     1 |   30.0|  -10.0|   40.0|   50.0|",
                              " |       |       |       |       |   30.0|  350.0|       |       |",
                              " |     3 |     5 |      2|     1 |    5.0|   15.0|   35.0|   38.0|"}));
  EXPECT_TRUE(contains(got, " total nb of plotted curves =       3"));
  expect_at_proj(map_paths(), {{{2, 45}, {8, 45}}, {{12, 42}, {14, 43}}, {{6, 36}, {7, 37}}}, proj_mercator, 1e-6);
  // Without clipping every polygon is drawn where it lies, without a box.
  run(0, 20, 30, 60, {"10", "n", "5", "ex.gshhs", "10", "y", "99"});
  got = screen_lines();
  EXPECT_FALSE(contains(got, " PROBLEM IN INPUT FILE ?"));
  EXPECT_TRUE(contains(got, " total nb of plotted curves =       5"));
  expect_at_proj(map_paths(),
                 {{{2, 45}, {8, 45}}, {{110, 45}, {115, 45}}, {{12, 42}, {14, 43}}, {{10, 66}, {11, 67}}, {{6, 36}, {7, 37}}},
                 proj_mercator, 1e-6);
}

// A UTIG line of 499 points, the most its count of values holds (998 in
// columns 1-3), stepping 0.1 degree north and east from 120E 0N, and the
// same points in the IGN layout, on the window of its last six points
// (169.3..169.8 x 49.3..49.8, corner to corner, on its typed edges), which
// the program fits to its box at some 1000 points a degree: each point
// exactly where the IGN layout puts it, however many steps it lies from
// the line's first point.
TEST(LineFilesOnTheMap, AUtigLineOfTheLongestCountStaysOnItsLattice) {
  DORVIX_REQUIRE_TOOL("gs");
  constexpr int points = 499;
  std::string utig = "998   0.0  120.0", ign;
  for (int i = 1; i < points; ++i) {
    if (i >= 17 && (i - 17) % 20 == 0) utig += "\n";
    utig += "4949";
  }
  for (int i = 0; i < points; ++i) {
    char rec[40];
    std::snprintf(rec, sizeof rec, "11 %9.4f %9.4f\n", 120 + i / 10.0, i / 10.0);
    ign += rec;
  }
  std::vector<std::vector<Path>> runs;
  for (const auto& [file, text, choice] :
       {std::tuple{"long.utig", utig + "\n", "1"}, std::tuple{"long.ign", ign, "2"}}) {
    TempDir dir;
    write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");
    write_file(dir / file, text);
    const ProgramRun r = run_dorvix(dir, {"", "2001", "320", "10", "49.3 49.8 0.1", "20", "169.3 169.8 0.1", "99", "343",
                                          "n", "1000", "", "map.ps", choice, file, "99", "99", "9999", ""});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.lines, " total nb of plotted curves =       1"));
    if (std::string(choice) == "1") {
      EXPECT_TRUE(contains(r.lines, " |     1 |   499 |"));
    }
    runs.push_back(paths_of(split_lines(read_file(dir / "map.ps"))));
    expect_renders(dir / "map.ps");
  }
  ASSERT_EQ(runs[0].size(), runs[1].size());
  // The graticule's paths, then the line's one path: from where it enters
  // the window, a hair before its south-west corner, through its last six
  // points.
  ASSERT_EQ(runs[1].back().points.size(), 7u);
  const double scale = (runs[1].back().points[6].first - runs[1].back().points[1].first) / 0.5;
  EXPECT_GT(scale, 900);
  for (std::size_t p = 0; p < runs[0].size(); ++p) EXPECT_EQ(runs[0][p].points, runs[1][p].points) << "path " << p;
}

TEST_F(LineFileTest, PointsWithoutImageBreakTheLineWithoutReachingThePlot) {
  // A GEBCO meridian over the pole under Mercator; a line onto the far
  // side of the orthographic map: the line goes on with a move.
  write_file(path("pole.gebco"), "1 5\n80 0\n85 0\n90 0\n85 180\n80 180\n");
  run(-180, 180, -90, 90, {"3", "pole.gebco", "99"});
  std::vector<Polyline> paths = map_paths();
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0].size(), 2u);
  EXPECT_EQ(paths[1].size(), 2u);
  projtype.iproj = 9;
  write_file(path("far.gebco"), "1 5\n20 0\n10 0\n-10 45\n10 90\n20 90\n");
  run(-180, 180, -90, 90, {"3", "far.gebco", "99"});
  paths = map_paths();
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0].size(), 2u);
  EXPECT_EQ(paths[1].size(), 2u);
  const std::string seen = screen();
  EXPECT_EQ(seen.find("WARNING"), std::string::npos);
  EXPECT_EQ(seen.find("ERROR"), std::string::npos);
}

}  // namespace
}  // namespace dorvix::testing
