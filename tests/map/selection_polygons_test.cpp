// Selection-polygon line files: sides as great circles against PROJ's
// geod, as longitude-latitude lines and as straight lines on the map;
// degenerate, very short and antimeridian sides; too many vertices.

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "line_files_fixture.hpp"
#include "projection/state.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;

// Great-circle angle between two points, degrees.
double angle_degrees(Point a, Point b) {
  const double r = pi / 180;
  const double ax = std::cos(a.second * r) * std::cos(a.first * r), ay = std::cos(a.second * r) * std::sin(a.first * r),
               az = std::sin(a.second * r);
  const double bx = std::cos(b.second * r) * std::cos(b.first * r), by = std::cos(b.second * r) * std::sin(b.first * r),
               bz = std::sin(b.second * r);
  const double cx = ay * bz - az * by, cy = az * bx - ax * bz, cz = ax * by - ay * bx;
  return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), ax * bx + ay * by + az * bz) / r;
}

// PROJ's great circle from a to b in n points (geod on the unit sphere).
Polyline geod_points(Point a, Point b, int n) {
  char command[200];
  std::snprintf(command, sizeof command, "geod +R=1 -f %%.12f +lat_1=%.10f +lon_1=%.10f +lat_2=%.10f +lon_2=%.10f +n_S=%d",
                a.second, a.first, b.second, b.first, n - 1);
  std::istringstream out(run_command(command).output);
  Polyline line;
  double lat = 0, lon = 0;
  while (out >> lat >> lon) line.emplace_back(lon, lat);
  return line;
}

std::string polygon_file(const std::string& header, const Polyline& vertices) {
  std::string file = header + "\n";
  char rec[60];
  for (const auto& [lon, lat] : vertices) {
    std::snprintf(rec, sizeof rec, "%.6f %.6f\n", lon, lat);
    file += rec;
  }
  return file;
}

TEST_F(LineFileTest, SidesOfEachTypeAtProjPositions) {
  DORVIX_REQUIRE_TOOL("geod");
  const Polyline square{{10, 40}, {30, 42}, {28, 55}, {8, 50}};
  const double ptsdeg = 1.7;  // every side's angle times it well away from an integer
  std::vector<Polyline> circles, lon_lat;
  for (std::size_t i = 0; i < square.size(); ++i) {
    const Point a = square[i], b = square[(i + 1) % square.size()];
    const double samples = angle_degrees(a, b) * ptsdeg;
    ASSERT_GT(samples - std::floor(samples), 0.1);
    ASSERT_LT(samples - std::floor(samples), 0.9);
    const int n = std::max(2, static_cast<int>(samples));
    circles.push_back(geod_points(a, b, n));
    Polyline line;
    for (int k = 0; k < n; ++k) {
      const double t = static_cast<double>(k) / (n - 1);
      line.emplace_back((1 - t) * a.first + t * b.first, (1 - t) * a.second + t * b.second);
    }
    lon_lat.push_back(line);
  }
  write_file(path("circles.txt"), polygon_file("4 1 1 1.7", square));
  write_file(path("lonlat.txt"), polygon_file("4 2 1 1.7", square));
  write_file(path("straight.txt"), polygon_file("4 3 1 1.7", square));
  run(0, 40, 30, 60, {"11", "10", "6", "circles.txt", "99"});
  const Lines got = screen_lines();
  EXPECT_TRUE(contains(got, " Boundaries = great circles"));
  EXPECT_TRUE(contains(got, " Side #    1 Angle =    15.1907"));
  EXPECT_TRUE(contains(got, " total nb of plotted curves =       1"));
  EXPECT_TRUE(contains(got, " Nb of points for 1 deg .....11     1.700")) << "the file's density stays";
  expect_at_proj(map_paths(), circles, proj_mercator, 1e-4);
  run(0, 40, 30, 60, {"6", "lonlat.txt", "99"});
  expect_at_proj(map_paths(), lon_lat, proj_mercator, 1e-4);
  run(0, 40, 30, 60, {"6", "straight.txt", "99"});
  Polyline closed = square;
  closed.push_back(square[0]);
  expect_at_proj(map_paths(), {closed}, proj_mercator, 1e-6);
}

TEST_F(LineFileTest, DegenerateShortAntimeridianAndOverlongPolygons) {
  // Equal vertices: the box, the other sides drawn; antipodal ones: the box.
  write_file(path("equal.txt"), "3 1 1 10\n10 40\n10 40\n20 45\n");
  write_file(path("antipodes.txt"), "2 1 0 10\n10 20\n-170 -20\n");
  run(-180, 180, -90, 90, {"6", "equal.txt", "", "6", "antipodes.txt", "", "99"});
  const Lines got = screen_lines();
  EXPECT_EQ(count_of(got, " INCONSISTENT POLYGON CONTOUR:"), 2);
  EXPECT_TRUE(contains(got, " Vertex # longitud latitude"));
  EXPECT_TRUE(contains(got, "        2   10.000   40.000"));
  EXPECT_TRUE(contains(got, "        2 -170.000  -20.000"));
  EXPECT_EQ(map_paths().size(), 2u);

  // A side of 50 m along the parallel 45N, on a scale where it shows.
  const double dlon = 50.0 / (6371000.0 * std::cos(pi / 4)) * 180 / pi;
  char file[80];
  std::snprintf(file, sizeof file, "2 1 0 10\n10 45\n%.9f 45\n", 10 + dlon);
  write_file(path("short.txt"), file);
  const real k = 1.0e5f;  // cm to the map unit
  real x0 = 10 - k * rad(10.0f), y0 = 10, zero = 0, kk = k;
  sus2cm1(x0, y0, kk, zero, zero, kk, setup::passed);
  run(-180, 180, -90, 90, {"6", "short.txt", "99"});
  psstrokepath();
  const std::vector<Path> side = paths_of(drawn());
  ASSERT_EQ(side.size(), 1u);
  ASSERT_EQ(side[0].points.size(), 2u);
  const double length_cm = std::hypot(side[0].points[1].first - side[0].points[0].first,
                                      side[0].points[1].second - side[0].points[0].second) / 28.35;
  EXPECT_NEAR(length_cm / k * std::cos(pi / 4) * 6371000.0, 50.0, 1.0);
  real x1 = 10, y1 = 8, s = 2.5f;
  sus2cm1(x1, y1, s, zero, zero, s, setup::passed);

  // A great circle from 175 to -175 degrees, window 170..190: one line
  // eastwards across 180.
  write_file(path("across.txt"), "2 1 0 10\n175 10\n-175 10\n");
  run(170, 190, 0, 20, {"6", "across.txt", "99"});
  const std::vector<Polyline> across = map_paths();
  ASSERT_EQ(across.size(), 1u);
  EXPECT_EQ(across[0].size(), 98u);
  for (std::size_t i = 1; i < across[0].size(); ++i) EXPECT_GT(across[0][i].first, across[0][i - 1].first);
  EXPECT_NEAR(across[0].back().first, 185 * pi / 180, 1e-3);

  // Straight sides on the map follow no cut; a density of 1e30 asks the
  // running point for all it holds.
  write_file(path("straight.txt"), "2 3 0 1e30\n175 10\n-175 10\n");
  write_file(path("dense.txt"), "2 1 0 1e30\n10 40\n11 41\n");
  run(-180, 180, -90, 90, {"6", "straight.txt", "6", "dense.txt", "", "99"});
  EXPECT_TRUE(contains(screen_lines(), " ===> WILL NOT PLOT ALL THE DATA"));
  const std::vector<Polyline> straight_and_dense = map_paths();
  ASSERT_EQ(straight_and_dense.size(), 2u);
  EXPECT_NEAR(straight_and_dense[0][1].first - straight_and_dense[0][0].first, -350 * pi / 180, 1e-3);
  EXPECT_EQ(straight_and_dense[1].size(), 1000u);

  // Longitude-latitude sides run between the vertices as written, their
  // samples then brought into the frame (here from -3): a polygon reaching
  // past the frame's west end has no side across the map.
  // Joined straight on the map, the polygon is drawn where it lies.
  write_file(path("west.txt"), "4 2 1 1\n-10 40\n10 40\n10 50\n-10 50\n");
  write_file(path("west3.txt"), "4 3 1 1\n-10 40\n10 40\n10 50\n-10 50\n");
  run(0, 20, 30, 60, {"6", "west.txt", "99"});
  const std::vector<Polyline> west = map_paths();
  ASSERT_GE(west.size(), 4u);
  for (const Polyline& p : west) {
    for (std::size_t i = 1; i < p.size(); ++i) EXPECT_LT(std::fabs(p[i].first - p[i - 1].first), 0.1);
  }
  run(0, 20, 30, 60, {"6", "west3.txt", "99"});
  expect_at_proj(map_paths(), {{{-10, 40}, {10, 40}, {10, 50}, {-10, 50}, {-10, 40}}}, proj_mercator, 1e-5);

  // 1000 vertices, closed: 999 read and the closing repeat.
  std::string many = "1000 3 1 10\n";
  for (int i = 0; i < 1000; ++i) many += std::to_string(i * 0.01) + " 0\n";
  write_file(path("many.txt"), many);
  run(-180, 180, -90, 90, {"6", "many.txt", "", "99"});
  const Lines box = screen_lines();
  const Lines want{" Number of vertices to read     =   1000", " Number of vertices to plot     =   1001",
                   " Max number of vertices to plot =   1000", " => RESETTING TO:",
                   " Number of vertices to read     =    999", " Number of vertices to plot     =   1000"};
  auto at = std::find(box.begin(), box.end(), want[0]);
  ASSERT_NE(at, box.end());
  EXPECT_EQ(Lines(at, at + 6), want);
  const std::vector<Polyline> polygon = map_paths();
  ASSERT_EQ(polygon.size(), 1u);
  ASSERT_EQ(polygon[0].size(), 1000u);
  EXPECT_EQ(polygon[0].front(), polygon[0].back());
  EXPECT_NEAR(polygon[0][998].first, 9.98 * pi / 180, 2 * plot_quantum);
  // 1000 vertices, a close flag other than 1: open, all of them drawn,
  // no box.
  many.replace(0, many.find('\n'), "1000 3 2 10");
  write_file(path("many.txt"), many);
  run(-180, 180, -90, 90, {"6", "many.txt", "99"});
  EXPECT_FALSE(contains(screen_lines(), " => RESETTING TO:"));
  const std::vector<Polyline> open = map_paths();
  ASSERT_EQ(open.size(), 1u);
  ASSERT_EQ(open[0].size(), 1000u);
  EXPECT_NEAR(open[0].back().first, 9.99 * pi / 180, 2 * plot_quantum);
}

}  // namespace
}  // namespace dorvix::testing
