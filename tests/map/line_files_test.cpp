// The line-file menu: its picture of the window and the longitude frame,
// clipping to the window, position codes and reduction into one turn,
// and files that cannot be read to their end, each followed by a good
// file in the same visit.

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/console_units.hpp"
#include "line_files_fixture.hpp"
#include "map/line_file_window.hpp"
#include "projection/codes.hpp"
#include "projection/graticule.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/projection_menu.hpp"
#include "projection/state.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

// Expects the paths (map units) at our own projection of `expected`
// (degrees): what was drawn, not where the projection puts it.
void expect_paths(const std::vector<Polyline>& got, const std::vector<Polyline>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t p = 0; p < got.size(); ++p) {
    ASSERT_EQ(got[p].size(), expected[p].size()) << "path " << p;
    for (std::size_t i = 0; i < got[p].size(); ++i) {
      const auto [x, y] = project_one(projtype.iproj, expected[p][i].first, expected[p][i].second);
      EXPECT_NEAR(got[p][i].first, x, 2 * plot_quantum) << "path " << p << " point " << i;
      EXPECT_NEAR(got[p][i].second, y, 2 * plot_quantum) << "path " << p << " point " << i;
    }
  }
}

TEST_F(LineFileTest, MenuShowsTheWindowAndItsFrameAndLeavesOnAnEmptyAnswer) {
  const Lines head = menu_head("contours1");
  const Lines body_start{" -------------------------------------------", " MAPPING CONTOURS",
                         " -------------------------------------------"};
  const Lines types{" Nb of points for 1 deg .....11    10.000",
                    " ------------------------------",
                    " TYPE OF LINE FILE:",
                    "  UTIG coast file.............1",
                    "  IGN  coast file.............2",
                    "  GEBCO file..................3",
                    "  USGS ascii dump file .......4",
                    "  Tanvik gshhs ascii file ....5",
                    "  Selection polygon file .....6",
                    " -------------------------------------------",
                    " EXIT .......................99",
                    menu_tail};
  const std::string dots = " ..........................................";
  auto prompt = [&](const std::string& answer) {
    return Lines{dots, " Enter type of line file", " inside  [1,99]", " or return for default value",
                 " Default =           99", answer, dots};
  };
  run(170, -170, -80, 80, {"10", "n", ""});
  const Lines want = join({head, body_start,
                           {" Clipping on ................10 T", "   _|_________________|_ latmax =    80.000",
                            "    |                 |", "    |                 |",
                            "   _|_________________|_ latmin =   -80.000", "    |                 |",
                            " longmin           longmax", "   170.000        -170.000", "   170.000         190.000",
                            " Longitude origin =   167.000"},
                           types, prompt(" New value =            10"),
                           {dots, " clip to grid bounds ?", " Enter (0/1)(n/y)(N/Y)",
                            " or return for default value or h for help", " Default = Yes", " New value =  No ", dots},
                           head, body_start, {" Clipping on ................10 F"}, types,
                           prompt(" New value =            99")});
  EXPECT_EQ(screen_lines(), want);
  EXPECT_FALSE(contours_settings.lclip);
  // With the second output level off (a command file), the head alone at
  // each turn and no listing; the end-of-file lines all the same.
  iocom.lwito(2) = false;
  write_file(path("one.gebco"), "1 2\n45 10\n46 11\n");
  run(170, -170, -80, 80, {"3", "one.gebco", "99"});
  const Lines quiet = screen_lines();
  EXPECT_EQ(count_of(quiet, head[1]), 2);
  EXPECT_FALSE(contains(quiet, " MAPPING CONTOURS") || contains(quiet, " GEBCO line (no clipping)"));
  EXPECT_EQ(section(quiet, " -------------------------------------------", " input file one.gebco closed"),
            (Lines{" -------------------------------------------", " total nb of plotted curves =       1",
                   " input file one.gebco closed"}));
}

TEST_F(LineFileTest, FrameOfEachWindowInThePicture) {
  struct Case {
    double lonmin, lonmax;
    Lines picture;  // the bounds as passed, in the frame, and its origin
    bool inconsistent = false;
  };
  const std::vector<Case> cases{
      {-10, 20, {"   -10.000          20.000", "   -10.000          20.000", " Longitude origin =   -13.000"}},
      {0, 360, {"     0.000         360.000", "     0.000         360.000", " Longitude origin =     0.000"}},
      // More than a turn holds every longitude too, not the 5 degrees past it.
      {0, 365, {"     0.000         365.000", "     0.000         360.000", " Longitude origin =     0.000"}},
      {20, -10, {"    20.000         -10.000", "    20.000         350.000", " Longitude origin =    17.000"}},
      {170, -170, {"   170.000        -170.000", "   170.000         190.000", " Longitude origin =   167.000"}},
      // A gap of 2 degrees: the frame starts half of it west of the window.
      {-179, 179, {"  -179.000         179.000", "  -179.000         179.000", " Longitude origin =  -180.000"}},
      {5, 5, {"     5.000           5.000", "     5.000           5.000", " Longitude origin =     2.000"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lonmin);
    // The box of a window without width closes with a Return, at entry and
    // when clipping is switched on again; switching it off is silent.
    if (c.inconsistent) {
      run(c.lonmin, c.lonmax, 0, 10, {"", "10", "n", "10", "y", "", "99"});
    } else {
      run(c.lonmin, c.lonmax, 0, 10, {"99"});
    }
    const Lines got = screen_lines();
    const Lines picture = section(got, " longmin           longmax", c.picture.back());
    ASSERT_EQ(picture.size(), 4u);
    EXPECT_EQ(Lines(picture.begin() + 1, picture.end()), c.picture);
    EXPECT_EQ(count_of(got, " INCONSISTENT BOUNDS"), c.inconsistent ? 2 : 0);
    if (c.inconsistent) {
      EXPECT_TRUE(contains(got, " longitude min =     5.000"));
    }
  }
}

TEST_F(LineFileTest, PositionCodesAndReductionIntoOneTurn) {
  const real nan = std::numeric_limits<real>::quiet_NaN();
  struct Located {
    real x, y;
    int code;
  };
  const std::vector<Located> located{{-1, 2, 1},   {0.5f, 2, 2}, {2, 2, 3},   {-1, 0.5f, 8}, {0, 0, 0},
                                     {1, 1, 0},     {2, 0.5f, 4}, {-1, -1, 7}, {0.5f, -1, 6}, {2, -1, 5},
                                     {nan, 0.5f, -1}, {0.5f, nan, -2}};
  for (const Located& l : located) {
    int code = 99;
    locate2dbox(std::span(&code, 1), 0, 1, 0, 1, std::span<const real>(&l.x, 1), std::span<const real>(&l.y, 1), 1);
    EXPECT_EQ(code, l.code) << l.x << " " << l.y;
  }
  const Lines boxes = screen_lines();
  EXPECT_TRUE(contains(boxes, " X RANGE TEST FAILED FOR:"));
  EXPECT_TRUE(contains(boxes, " Ymin =   0.0000    "));
  EXPECT_TRUE(contains(boxes, " => SET LOCATION =  -2"));
  struct Reduced {
    real in, origin, out;
  };
  const std::vector<Reduced> reduced{{-360, 0, 0},  {360, 0, 0},   {-1, 0, 359},    {725, 0, 5},
                                     {359.5f, 0, 359.5f}, {-175, 167, 185}, {167, 167, 167}, {-10, 17, 350}};
  for (const Reduced& r : reduced) {
    real out = 0;
    modulro(std::span(&out, 1), std::span<const real>(&r.in, 1), 360, r.origin, 1);
    EXPECT_EQ(out, r.out) << r.in << " from " << r.origin;
  }
}

TEST_F(LineFileTest, ClippingCutsSegmentsAtTheWindowsEdgesAndKeepsTypedEdges) {
  // One IGN line against the window 170..195 x -80..80: on the west, north,
  // south and east bounds (the east one written as -165), one step out,
  // a segment crossing the window from outside to outside, a re-entry, a
  // step out north and a segment crossing it from north to south.
  const Polyline line{{170, 0},  {180, 80},   {190, -80}, {-165, 0},  {195.1, 0},  {195.2, 10},
                      {169.9, 20}, {169.8, 30}, {175, 30},  {175, 80.1}, {175, -80.1}};
  std::string file;
  for (const auto& [lon, lat] : line) {
    char rec[40];
    std::snprintf(rec, sizeof rec, "11 %9.4f %9.4f\n", lon, lat);
    file += rec;
  }
  write_file(path("line.ign"), file);
  run(170, 195, -80, 80, {"2", "line.ign", "10", "n", "2", "line.ign", "99"});
  const std::vector<Polyline> both = map_paths();
  ASSERT_EQ(both.size(), 5u);
  // Each segment drawn up to the edges it meets: the step out from the
  // east edge stops on it, the crossings are drawn from edge to edge.
  expect_paths({both.begin(), both.end() - 1}, {{{170, 0}, {180, 80}, {190, -80}, {195, 0}, {195, 0}},
                                                {{195, 10 + 10 * 0.2 / 25.3}, {170, 20 - 10 * 0.1 / 25.3}},
                                                {{170, 30}, {175, 30}, {175, 80}},
                                                {{175, 80}, {175, -80}}});
  // Not clipped: every point, in the frame.
  Polyline all = line;
  all[3].first = 195;
  expect_paths({both.back()}, {all});
  // An outside end more than the frame's margin west of the window (frame
  // from 167): cut on the window's west edge, not a turn away. A line
  // that starts inside after one that ended outside starts afresh.
  write_file(path("west.ign"), "11  175.0000   10.0000\n11  160.0000   10.0000\n13  175.0000   30.0000\n"
                               "13  180.0000   30.0000\n12  160.0000   20.0000\n12  175.0000   20.0000\n");
  run(170, 195, -80, 80, {"10", "y", "2", "west.ign", "99"});
  expect_paths(map_paths(), {{{175, 10}, {170, 10}}, {{175, 30}, {180, 30}}, {{170, 20}, {175, 20}}});
  // A segment that plainly misses a window is one in which the cut finds
  // nothing to draw: segments on a lattice of 0.25 degree about windows
  // regional, across 180 degrees and of a whole turn, in steps up to half
  // a turn, many of them grazing the edges.
  for (const auto& [west, east, south, north] :
       {std::array<real, 4>{-60, 60, -60, 60}, {170, 195, -80, 80}, {-10, 0.5f, 44, 46}, {-180, 180, -80, 84}}) {
    const LineWindow window(longitude_frame(west, east, false), south, north);
    int missed = 0;
    for (long long i = 0; i < 200000; ++i) {
      const auto step = [&](long long prime, long long count) { return 0.25f * static_cast<real>(i * prime % count); };
      const real lon = window.reduced(-180.0f + step(7919, 1440));
      const real lat = -90.0f + step(104729, 721);
      const real dlon = -180.0f + step(15485863, 1441);
      const real lat_end = -90.0f + step(32452843, 721);
      if (!window.misses(lon, lat, dlon, lat_end)) continue;
      ++missed;
      std::array<SegmentPart, 3> parts{};
      const int n = window.parts(lon, lat, dlon, lat_end - lat, parts, false);
      for (int k = 0; k < n; ++k) {
        EXPECT_LE(parts[static_cast<std::size_t>(k)].leave, parts[static_cast<std::size_t>(k)].enter)
            << lon << " " << lat << " by " << dlon << " to " << lat_end << " in " << west << ".." << east;
      }
    }
    EXPECT_GT(missed, 500) << west << ".." << east;
  }
}

// A map's window, degrees, and where a point lies on its Mercator map
// (radians).
struct MapWindow {
  double west, east, south, north;
};
Point mercator(double lon, double lat) {
  return {lon * std::numbers::pi / 180, std::log(std::tan((90 + lat) * std::numbers::pi / 360))};
}

// The points of the lines of a UTIG file: a first point, then steps of
// 50 less the two-digit codes, in tenths, four columns a point (latitude,
// longitude), from column 17 of a line's first record and through the
// continuation records of 20 points; each point on the lattice, in single
// precision, as a layout of decimals reads it.
std::vector<Polyline> utig_lines(const std::string& text) {
  std::vector<Polyline> lines;
  std::istringstream in(text);
  std::string rec, more;
  while (std::getline(in, rec)) {
    const auto points = static_cast<std::size_t>(std::stoi(rec.substr(0, 3)) / 2);
    const auto tenths = [](const std::string& field) { return std::lround(std::stod(field) * 10); };
    long lon = tenths(rec.substr(9, 7)), lat = tenths(rec.substr(3, 6));
    const auto on_lattice = [](long t) { return static_cast<double>(static_cast<float>(t) / 10.0f); };
    Polyline l{{on_lattice(lon), on_lattice(lat)}};
    for (std::size_t i = 17; i < points && std::getline(in, more); i += 20) rec += more;
    for (std::size_t k = 16; l.size() < points; k += 4) {
      lat += 50 - std::stol(rec.substr(k, 2));
      lon += 50 - std::stol(rec.substr(k + 2, 2));
      l.emplace_back(on_lattice(lon), on_lattice(lat));
    }
    lines.push_back(l);
  }
  return lines;
}

// The pieces of the lines inside the window, longitudes in its turn: each
// line taken the short way round from point to point, each segment
// sampled, and each change of the copy of the window (whole turns east or
// west of it) that holds it bisected; a window of a whole turn meets its
// copies at its ends. Each piece runs from the line's first point or the
// place where it enters, through the points inside, to its last point or
// the place where it leaves; pieces of one point are none. Where it passes
// an end of a window of a whole turn at one of its points, or so near one
// that the point's longitude from the window's west bound in single
// precision is a whole number of turns (held on the end), it goes on from
// that point; from a point on the east end it goes on in the next copy.
std::vector<Polyline> pieces_in_window(const std::vector<Polyline>& lines, const MapWindow& w) {
  constexpr int none = std::numeric_limits<int>::min();
  // The copy that holds p, `held` while it still does.
  const auto copy = [&](const Point& p, int held) {
    if (p.second < w.south || p.second > w.north) return none;
    if (held != none && p.first >= w.west + 360 * held && p.first <= w.east + 360 * held) return held;
    const int k = static_cast<int>(std::floor((p.first - w.west) / 360));
    return p.first - 360 * k <= w.east ? k : none;
  };
  std::vector<Polyline> pieces;
  Polyline piece;
  const auto add = [&](Point p, int k) { piece.emplace_back(p.first - 360 * k, p.second); };
  const auto on_end = [&](const Point& p) {
    return std::remainder(static_cast<float>(p.first) - static_cast<float>(w.west), 360.0f) == 0;
  };
  const auto close = [&] {
    if (piece.size() > 1) pieces.push_back(piece);
    piece.clear();
  };
  for (const Polyline& line : lines) {
    Point a = line[0];
    int in = copy(a, none);
    if (in != none) add(a, in);
    for (std::size_t i = 1; i < line.size(); ++i) {
      const Point b{a.first + std::remainder(line[i].first - a.first, 360), line[i].second};
      const auto at = [&](double t) {
        return t == 1 ? b : Point{a.first + t * (b.first - a.first), a.second + t * (b.second - a.second)};
      };
      constexpr int samples = 1000;
      for (int k = 1; k <= samples; ++k) {
        double lo = (k - 1.0) / samples, hi = static_cast<double>(k) / samples;
        if (copy(at(hi), in) == in) continue;
        for (int j = 0; j < 60; ++j) (copy(at((lo + hi) / 2), in) == in ? lo : hi) = (lo + hi) / 2;
        const int next = copy(at(hi), in);
        const bool across = in != none && next != none;
        if (in != none && !(across && on_end(a))) add(at(lo), in);
        close();
        in = next;
        if (in != none && !(across && on_end(b))) add(at(hi), in);
      }
      if (in != none) add(b, in);
      // A point on the east end of a window of a whole turn is, in its
      // frame, on the west end of the next copy: the line goes on from it
      // there.
      if (in != none && w.east - w.west >= 360 && on_end(b) && b.first - 360 * in > w.west + 180) {
        close();
        add(b, ++in);
      }
      a = b;
    }
    close();
  }
  return pieces;
}

// Real coasts on the Mercator maps of their windows that the program fits
// to its box, clipped: the low-resolution GSHHG coast of the Aleutians,
// Kamchatka and Alaska, taken beyond the window 150..200 x 40..60, and
// Antarctica's ring, written from 0 to 360 degrees, in each clipped layout
// on windows of a whole turn. Each piece inside the window is a path of
// its own, cut where the coast crosses the window's edges (in degrees,
// then projected; on a window of a whole turn, where it passes the west
// and east edges) and through every point inside, at its place up to the
// map's one scale and shift; no stroke leaves the frame, and no path
// draws nothing.
TEST(LineFilesOnTheMap, RealCoastsAreCutWhereTheyCrossTheWindowsEdges) {
  DORVIX_REQUIRE_TOOL("gs");
  struct Case {
    std::string file, choice;
    MapWindow window;
  };
  std::vector<Case> cases{{"gshhg_aleutians.gshhs", "5", {150, 200, 40, 60}}};
  for (const auto& [extension, choice] : {std::pair{"utig", "1"}, {"ign", "2"}, {"gshhs", "5"}}) {
    for (const MapWindow& w : {MapWindow{0, 360, -80, -60}, {-180, 180, -80, -60}, {-360, 0, -75, -65}}) {
      cases.push_back({std::string("gshhg_antarctica.") + extension, choice, w});
    }
  }
  for (const Case& c : cases) {
    const MapWindow& w = c.window;
    SCOPED_TRACE(c.file + " " + std::to_string(w.west) + ".." + std::to_string(w.east));
    const std::string data = read_file(std::string(DORVIX_REAL_DATA_DIR) + "/" + c.file);
    const std::vector<Polyline> pieces = pieces_in_window(
        c.choice == "1" ? utig_lines(data) : reference_lines(c.file.substr(0, c.file.find('.')) + ".lines"), w);
    // The map with and without the coast: its paths are those the second
    // run adds.
    std::vector<std::vector<Path>> runs;
    for (const bool coast : {false, true}) {
      TempDir dir;
      write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");
      write_file(dir / c.file, data);
      char lats[40], lons[40];
      std::snprintf(lats, sizeof lats, "%g %g 10", w.south, w.north);
      std::snprintf(lons, sizeof lons, "%g %g 10", w.west, w.east);
      Lines answers{"", "2001", "320", "10", lats, "20", lons, "99", "343", "n", "1000", "", "map.ps"};
      if (coast) answers.insert(answers.end(), {c.choice, c.file});
      answers.insert(answers.end(), {"99", "99", "9999", ""});
      ASSERT_EQ(run_dorvix(dir, answers).status, 0);
      runs.push_back(paths_of(split_lines(read_file(dir / "map.ps"))));
      expect_renders(dir / "map.ps");
    }
    ASSERT_GE(runs[1].size(), runs[0].size());
    const std::vector<Path> drawn(runs[1].begin() + static_cast<long>(runs[0].size()), runs[1].end());
    ASSERT_EQ(drawn.size(), pieces.size());
    std::vector<Point> got, want;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      ASSERT_EQ(drawn[i].points.size(), pieces[i].size()) << "piece " << i;
      got.insert(got.end(), drawn[i].points.begin(), drawn[i].points.end());
      for (const auto& [lon, lat] : pieces[i]) want.push_back(mercator(lon, lat));
    }
    // The map's scale and shift (least squares), then each point at its
    // place and within the frame, to the plot file's 0.01 point.
    const auto n = static_cast<double>(got.size());
    Point mw{0, 0}, mg{0, 0};
    for (std::size_t i = 0; i < got.size(); ++i) {
      mw = {mw.first + want[i].first / n, mw.second + want[i].second / n};
      mg = {mg.first + got[i].first / n, mg.second + got[i].second / n};
    }
    double num = 0, den = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
      const double dx = want[i].first - mw.first, dy = want[i].second - mw.second;
      num += dx * (got[i].first - mg.first) + dy * (got[i].second - mg.second);
      den += dx * dx + dy * dy;
    }
    const double scale = num / den;
    const auto on_page = [&](const Point& p) {
      return Point{mg.first + scale * (p.first - mw.first), mg.second + scale * (p.second - mw.second)};
    };
    const Point low = on_page(mercator(w.west, w.south)), high = on_page(mercator(w.east, w.north));
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i].first, on_page(want[i]).first, 0.01) << i;
      EXPECT_NEAR(got[i].second, on_page(want[i]).second, 0.01) << i;
      EXPECT_TRUE(got[i].first > low.first - 0.01 && got[i].first < high.first + 0.01 &&
                  got[i].second > low.second - 0.01 && got[i].second < high.second + 0.01)
          << i << ": " << got[i].first << " " << got[i].second;
    }
  }
}

TEST_F(LineFileTest, UnclippedLinesAreDrawnWholeWhereTheyAreRead) {
  // Lines running west out of the window past the clipping frame's west
  // end (3 degrees west of it), and a line across 180 degrees, not clipped:
  // drawn whole at their longitudes as read, under the codes that take
  // longitudes as they come and the others; only a code's own cut, the
  // meridian opposite the central one, breaks a line.
  write_file(path("w0.gebco"), "1 2\n45 5\n45 -10\n2 2\n40 25\n40 -5\n");
  write_file(path("w0.ign"), "11    5.0000   45.0000\n11  -10.0000   45.0000\n");
  write_file(path("x180.gebco"), "1 2\n63 185\n63.5 160\n");
  const Polyline west{{5, 45}, {-10, 45}};
  for (const int code : {15, 16, 19, 20, 21, 22, 23, 1, 3, 13, 24, 25}) {
    SCOPED_TRACE(code);
    int c = code;
    sprojll2(c, setup::passed);
    run(0, 30, 30, 60, {"3", "w0.gebco", "10", "n", "2", "w0.ign", "10", "y", "99"});
    expect_paths(map_paths(), {west, {{25, 40}, {-5, 40}}, west});
    run(170, 195, 60, 70, {"3", "x180.gebco", "99"});
    if (find_projection_code(code)->cut == MapCut::longitude_step) {
      expect_paths(map_paths(), {{{185, 63}, {160, 63.5}}});
    } else {
      expect_paths(map_paths(), {{{185, 63}, {-180, 63.1}}, {{180, 63.1}, {160, 63.5}}});
    }
  }
}

TEST_F(LineFileTest, WholeTurnWindowsHoldEveryLongitude) {
  // Windows of 360 degrees as the graticule hands them over (stored in
  // radians and read back, a few units of the last place short of a
  // turn): the frame is the whole turn from the west bound, and the
  // clipped polygons inside it are kept and drawn, one of them across 180
  // degrees (written -170).
  write_file(path("turn.gshhs"),
             "       1       3 1          0.000 100.00000 120.00000  45.00000  47.00000\n100 45\n110 46\n120 47\n"
             "       2       3 1          0.000 170.00000 190.00000  50.00000  50.00000\n170 50\n180 50\n-170 50\n");
  for (const auto& [west, east] : {std::pair{-60, 300}, {-30, 330}, {-150, 210}, {30, 390}, {45, 405}}) {
    SCOPED_TRACE(west);
    GridValues grid{.latmin = -80, .latmax = 80, .lonmin = static_cast<real>(west), .lonmax = static_cast<real>(east),
                    .latinc = 10, .loninc = 10, .npgrid = 3, .ticsize = 1, .nptick = 2, .igrid = 1, .ndec = 1};
    sllgrid3(grid, setup::passed);
    sllgrid3(grid, setup::stored);
    type({"5", "turn.gshhs", "99"});
    contours1(grid.lonmin, grid.lonmax, grid.latmin, grid.latmax, setup::passed);
    const Lines got = screen_lines();
    char bounds[40], origin[40];
    std::snprintf(bounds, sizeof bounds, " %9.3f       %9.3f", static_cast<double>(west), static_cast<double>(east));
    std::snprintf(origin, sizeof origin, " Longitude origin = %9.3f", static_cast<double>(west));
    const std::string picture = " longmin           longmax";
    EXPECT_EQ(section(got, picture, origin), (Lines{picture, bounds, bounds, origin}));
    EXPECT_TRUE(contains(got, " total nb of plotted curves =       2"));
    expect_at_proj(map_paths(), {{{100, 45}, {110, 46}, {120, 47}}, {{170, 50}, {180, 50}, {190, 50}}}, proj_mercator,
                   1e-6);
  }
}

TEST_F(LineFileTest, UnreadableFilesStopAtTheirLastGoodPointAndTheMenuGoesOn) {
  struct Case {
    std::string label, type, content;
    int boxes;                   // each closed with a Return
    std::vector<Polyline> drawn;  // before the failure
    std::string named = {};       // the line a failure names, if any
    std::string also = {};        // a line of the reader's own box
  };
  const std::string gshhs_header = "       7       3 1          0.000   0.00000  20.00000  40.00000  50.00000\n";
  const std::string utig_line = "  4  45.0   10.05060\n";
  std::string continuations;
  for (int i = 0; i < 25; ++i) continuations += std::string(80, '5') + "\n";
  const std::string header_box = " WHILE READING 1st LINE OF FILE bad.txt";
  const std::string cut_in_line = " RECORD CUT SHORT IN LINE #      ";
  const std::vector<Case> cases{
      {"UTIG letter", "1", utig_line + "  4  45.0   10.05x60\n", 1, {{{10, 45}, {9, 45}}}},
      {"UTIG cut in its continuation", "1", " 40  45.0   10.0" + std::string(64, '5') + "\n", 1, {},
       " END OF FILE INSIDE LINE #      1"},
      // Clipped, the lone first point draws nothing and writes no path.
      {"IGN letter", "2", "11   10.0000   45.0000\n11   11.0000   4x.0000\n", 1, {}},
      // Records that end before their last field: no value read as 0.
      {"IGN latitude missing", "2", "11   10.0000   45.0000\n11   19.1\n", 1, {}, cut_in_line + "1"},
      {"UTIG cut in its codes", "1", utig_line + "  4  45.0   10.050\n", 1, {{{10, 45}, {9, 45}}}, cut_in_line + "2"},
      {"UTIG continuation cut", "1", " 36  45.0   10.0" + std::string(64, '5') + "\n50\n", 1, {}, cut_in_line + "1"},
      // A line of 500 points: its count of values runs past columns 1-3,
      // which hold 499 points at most.
      {"UTIG count past its columns", "1",
       utig_line + "1000  45.0   10.0" + std::string(64, '5') + "\n" + continuations, 1,
       {{{10, 45}, {9, 45}}}, " MORE THAN 499 POINTS IN LINE #      2"},
      {"GSHHS header cut after column 18", "5", "       7       3 1\n10 45\n11 46\n12 47\n", 1, {},
       " RECORD CUT SHORT IN POLYGON      7"},
      {"GEBCO npts 0", "3", "1 0\n45 10\n46 11\n", 1, {}},
      {"GEBCO cut", "3", "1 3\n45 10\n46 11\n", 1, {{{10, 45}, {11, 46}}}, " END OF FILE INSIDE LINE #      1"},
      {"GEBCO slash for the longitude", "3", "1 3\n45 10\n46 /\n47 12\n", 1, {}},
      // A point record with one number is not completed from the next one.
      {"GEBCO longitude missing", "3", "1 3\n45 10\n46\n47 12\n", 1, {}, cut_in_line + "1"},
      {"GEBCO count on the next record", "3", "1\n3\n45 10\n46 11\n47 12\n", 1, {}},
      {"GSHHS longitude missing", "5", gshhs_header + "10 45\n46\n12 47\n", 1, {},
       " RECORD CUT SHORT IN POLYGON      7"},
      {"USGS one number", "4", "45 10\n46\n", 1, {}},
      {"GSHHS npts 0", "5", "       7       0 1          0.000   0.00000  20.00000  40.00000  50.00000\n", 1, {}},
      {"GSHHS cut, kept", "5", gshhs_header + "10 45\n11 46\n", 1, {{{10, 45}, {11, 46}}},
       " END OF FILE INSIDE POLYGON      7"},
      {"GSHHS cut, rejected", "5",
       "       7       3 1          0.000   0.00000  20.00000 -50.00000 -40.00000\n10 -45\n", 1, {},
       " END OF FILE INSIDE POLYGON      7"},
      {"polygon npts -3", "6", "-3 3 0 10.0\n10 45\n11 46\n12 47\n", 2, {}, "", header_box},
      {"polygon missing vertex", "6", "3 3 0 10.0\n10 45\n11 46\n", 2, {}, "", " WHILE READING DATA LINE #      3"},
      {"polygon bad header", "6", "3 x 0 10.0\n10 45\n11 46\n12 47\n", 2, {}, "", header_box},
  };
  write_file(path("good.gebco"), "1 2\n45 10\n46 11\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    write_file(path("bad.txt"), c.content);
    if (c.boxes == 1) {
      run(-30, 30, 30, 60, {c.type, "bad.txt", "", "3", "good.gebco", "99"});
    } else {
      run(-30, 30, 30, 60, {c.type, "bad.txt", "", "", "3", "good.gebco", "99"});
    }
    const Lines got = screen_lines();
    const Lines box = section(got, " WHILE READING FILE bad.txt", " input file bad.txt closed");
    ASSERT_FALSE(box.empty());
    EXPECT_EQ(box.size(), c.named.empty() ? 2u : 3u);
    if (!c.named.empty()) {
      EXPECT_EQ(box[1], c.named);
    }
    if (!c.also.empty()) {
      EXPECT_TRUE(contains(got, c.also));
    }
    EXPECT_EQ(count_of(got, " total nb of plotted curves =       1"), 1) << "the good file only";
    EXPECT_TRUE(contains(got, " input file good.gebco closed"));
    std::vector<Polyline> want = c.drawn;
    want.push_back({{10, 45}, {11, 46}});
    expect_paths(map_paths(), want);
  }
  // Read right: a whole USGS record, wider than 25 characters; blank
  // records, trailing ones too, in fixed layouts.
  write_file(path("wide.usgs"), "       45.1234         -122.1234\n       46.0            -123.0   \n");
  write_file(path("blank.ign"), "11   10.0000   45.0000\n \t \n11   11.0000   46.0000\n\n  \n");
  run(-180, 180, -90, 90, {"4", "wide.usgs", "2", "blank.ign", "99"});
  const Lines got = screen_lines();
  EXPECT_EQ(count_of(got, " total nb of plotted curves =       1"), 2);
  EXPECT_FALSE(contains(got, " WHILE READING FILE blank.ign"));
  expect_paths(map_paths(), {{{-122.1234, 45.1234}, {-123, 46}}, {{10, 45}, {11, 46}}});
}

}  // namespace
}  // namespace dorvix::testing
