#pragma once
// Line-file tests: the line-file menu called as the map's drawing run
// calls it (the map fixture: plot open, start-up projection, the map's
// frame in subplot 1), on a window typed in degrees that comes through
// radians, with the answers typed; what it drew read back from the plot
// file into map coordinates through the inverse of the frame, and
// compared with PROJ's projection of the reference points.

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "geometry/angles.hpp"
#include "map/line_files.hpp"
#include "support/map_fixture.hpp"
#include "support/projection_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

// A point or line in degrees (longitude, latitude), or in map units.
using Point = std::pair<double, double>;
using Polyline = std::vector<Point>;

// The lines of a reference file of the real data (".lines": "> ..."
// before each line, then "lon lat" rows).
inline std::vector<Polyline> reference_lines(const std::string& name) {
  std::ifstream in(std::string(DORVIX_REAL_DATA_DIR) + "/" + name);
  std::vector<Polyline> lines;
  std::string row;
  while (std::getline(in, row)) {
    if (row.empty()) continue;
    if (row[0] == '>') {
      lines.emplace_back();
      continue;
    }
    std::istringstream fields(row);
    double lon = 0, lat = 0;
    fields >> lon >> lat;
    lines.back().emplace_back(lon, lat);
  }
  return lines;
}

// Where a longitude lands in the frame that starts at `origin`.
inline double in_frame(double lon, double origin) {
  while (lon < origin) lon += 360;
  while (lon >= origin + 360) lon -= 360;
  return lon;
}

// PROJ's parameters of codes 15 and 3 at the start-up settings (sphere of
// radius 1, standard parallels 30 and 60, central meridian 0); longitudes
// taken as they are, not brought into -180..180.
inline const std::string proj_mercator = "+proj=merc +R=1 +over";
inline const std::string proj_lambert = "+proj=lcc +R=1 +lat_1=30 +lat_2=60 +lon_0=0 +over";

class LineFileTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    screen();
  }

  // A window typed in degrees as the map driver hands it on: through
  // radians and back.
  static real typed(double degrees) { return deg(rad(static_cast<real>(degrees))); }

  // The menu on the typed window, with the answers (the keyboard also
  // closes the boxes).
  void run(double lonmin, double lonmax, double latmin, double latmax, std::initializer_list<std::string> answers) {
    type(answers);
    contours1(typed(lonmin), typed(lonmax), typed(latmin), typed(latmax), setup::passed);
  }

  // A file of the real data copied into the test's directory (the menu
  // takes names of 30 characters).
  void copy_real(const std::string& name) {
    write_file(path(name), read_file(std::string(DORVIX_REAL_DATA_DIR) + "/" + name));
  }

  // The paths drawn since the last call, in map units.
  std::vector<Polyline> map_paths() {
    psstrokepath();
    std::vector<Polyline> out;
    for (const Path& p : paths_of(drawn())) {
      Polyline line;
      for (const auto& [x, y] : p.points) line.emplace_back((x / 28.35 - 10) / 2.5, (y / 28.35 - 8) / 2.5);
      out.push_back(line);
    }
    return out;
  }
};

// Half the last place of the plot file's numbers (0.01 point) in map
// units: what reading a point back can add to its error.
inline constexpr double plot_quantum = 0.005 / 28.35 / 2.5;

// Expects each path to follow its line of `expected` (degrees, longitudes
// as they land in the frame), point for point, at PROJ's positions under
// `proj` (less PROJ's image of the map's origin, 0E 45N unless given), within
// `degrees` of error in the points themselves (scaled by the largest
// scale factor, 1/cos(latitude) on Mercator and the conic between 34 and
// 70 degrees) and the plot file's rounding.
inline void expect_at_proj(const std::vector<Polyline>& paths, const std::vector<Polyline>& expected,
                           const std::string& proj, double degrees, Point origin = {0, 45}) {
  DORVIX_REQUIRE_TOOL("proj");
  ASSERT_EQ(paths.size(), expected.size());
  Points points;
  points.add(origin.first, origin.second);
  for (const Polyline& l : expected) {
    for (const auto& [lon, lat] : l) points.add(lon, lat);
  }
  const std::vector<ProjPoint> at = proj_forward(proj, points);
  ASSERT_EQ(at.size(), static_cast<std::size_t>(points.size()));
  ASSERT_TRUE(at[0].has_value());
  std::size_t k = 1;
  for (std::size_t l = 0; l < expected.size(); ++l) {
    ASSERT_EQ(paths[l].size(), expected[l].size()) << "line " << l + 1;
    for (std::size_t i = 0; i < expected[l].size(); ++i, ++k) {
      ASSERT_TRUE(at[k].has_value());
      const double scale = 1.2 / std::cos(expected[l][i].second * 3.14159265358979 / 180);
      const double tol = degrees * 3.14159265358979 / 180 * scale + plot_quantum + 2e-6;
      EXPECT_NEAR(paths[l][i].first, at[k]->first - at[0]->first, tol) << "line " << l + 1 << " point " << i;
      EXPECT_NEAR(paths[l][i].second, at[k]->second - at[0]->second, tol) << "line " << l + 1 << " point " << i;
    }
  }
}

}  // namespace dorvix::testing
