// Stress-direction symbols read back from the PostScript: their shapes and
// places on a north-up map for each regime and Sh type, their settings
// menu, and their directions on maps where north is not up and angles are
// not kept, against PROJ's projection of geod's points along the azimuth.

#include "map/stress_symbols.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "map/map_directions.hpp"
#include "projection/dispatcher.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/origin.hpp"
#include "projection/state.hpp"
#include "support/map_fixture.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;
constexpr double points_per_cm = 28.35;

// One drawn symbol as the segment of its axis it covers, cm from the
// epicentre: an arrow from its tip to the middle of its tail, a bar from
// the middle of one end to the middle of the other.
struct Stroke {
  double x0, y0, x1, y1;
  double angle() const { return std::atan2(y1 - y0, x1 - x0); }
};

// Distance between two axes (radians, mod pi), in degrees.
double axis_gap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), std::numbers::pi);
  return std::fmin(d, std::numbers::pi - d) / degree;
}

class StressSymbolsTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    set(0, 0);
    screen();
  }
  // The symbol settings, with the default sizes.
  void set(int iepi, int isha) {
    real major = 0.4f, minor = 0.13f;
    smapsh2(major, minor, iepi, isha, setup::passed);
  }
  // The symbols drawn since the last call, around the paper point (xc, yc) cm.
  std::vector<Stroke> strokes(double xc, double yc) {
    std::vector<Stroke> found;
    const std::vector<Path> paths = paths_of(drawn());
    paths_drawn = paths.size();
    for (const Path& p : paths) {
      const auto at = [&](std::size_t k) {
        return std::pair{p.points[k].first / points_per_cm - xc, p.points[k].second / points_per_cm - yc};
      };
      const auto mid = [&](std::size_t a, std::size_t b) {
        return std::pair{(at(a).first + at(b).first) / 2, (at(a).second + at(b).second) / 2};
      };
      std::pair<double, double> s, e;
      if (p.points.size() == 4) {
        s = mid(0, 3);
        e = mid(1, 2);
      } else if (p.points.size() == 7) {
        s = at(0);
        e = mid(3, 4);
      } else {
        continue;
      }
      found.push_back({s.first, s.second, e.first, e.second});
    }
    return found;
  }
  std::size_t paths_drawn = 0;  // by the last call of strokes, symbols or not
};

// Each regime and Sh type on a north-up map with angles kept. The major symbol is
// 2 cm on paper (0.4 of 5 cm), the minor 0.65 cm, the gap 0.4 cm; inward
// arrows have their tip at the gap, outward ones their tail. An unclear
// vertical axis gives bars both ways, after a warning in each pass. The
// symbol size and type in force are kept.
TEST_F(StressSymbolsTest, ShapesAndPlacesOnANorthUpMap) {
  const double c = std::cos(30 * degree), s = std::sin(30 * degree);
  struct Case {
    double azsh;
    int isv, isha;
    std::vector<Stroke> strokes;  // SHmax pass, then Shmin pass
  } cases[] = {
      {0, 2, 0, {{0, 0.4, 0, 2.4}, {0, -0.4, 0, -2.4}, {-2.4, 0, -0.4, 0}, {2.4, 0, 0.4, 0}}},
      {0, 3, 1, {{0, 0.4, 0, 2.4}, {0, -0.4, 0, -2.4}, {0.4, 0, 1.05, 0}, {-0.4, 0, -1.05, 0}}},
      {30, 1, 2, {{0.4 * s, 0.4 * c, 2.4 * s, 2.4 * c}, {-0.4 * s, -0.4 * c, -2.4 * s, -2.4 * c}}},
      {30, 1, -2, {{-2.4 * c, 2.4 * s, -0.4 * c, 0.4 * s}, {2.4 * c, -2.4 * s, 0.4 * c, -0.4 * s}}},
      {90, 3, -1, {{0.4, 0, 1.05, 0}, {-0.4, 0, -1.05, 0}, {0, -0.4, 0, -2.4}, {0, 0.4, 0, 2.4}}},
      {0, -2, 0, {{0, 0.4, 0, 2.4}, {0, -0.4, 0, -2.4}, {0.4, 0, 2.4, 0}, {-0.4, 0, -2.4, 0}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.azsh << " " << k.isv << " " << k.isha);
    set(0, k.isha);
    real size = 0.7f;
    int type = 5;
    ssymbolsize(size, setup::passed);
    ssymboltype(type, setup::passed);
    type_raw("\n\n");
    // Map point (1, 2) lies at (12.5, 13) cm on the map's frame.
    real x = 1, y = 2, azsh = static_cast<real>(k.azsh * degree);
    int isv = k.isv;
    dmapsh2(std::span(&x, 1), std::span(&y, 1), std::span(&azsh, 1), std::span(&isv, 1), 1);
    const auto got = strokes(12.5, 13);
    ASSERT_EQ(got.size(), k.strokes.size());
    EXPECT_EQ(paths_drawn, got.size()) << "no epicentre symbol under type 0";
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i].x0, k.strokes[i].x0, 2e-3) << i;
      EXPECT_NEAR(got[i].y0, k.strokes[i].y0, 2e-3) << i;
      EXPECT_NEAR(got[i].x1, k.strokes[i].x1, 2e-3) << i;
      EXPECT_NEAR(got[i].y1, k.strokes[i].y1, 2e-3) << i;
    }
    const Lines said = screen_lines();
    EXPECT_EQ(count_of(said, " isv outside [1,3]"), k.isv < 1 ? 2 : 0);
    if (k.isv < 1) {
      EXPECT_TRUE(has_block(said, {" data nb =    1", " isv     =   -2"}));
    }
    ssymbolsize(size, setup::stored);
    ssymboltype(type, setup::stored);
    EXPECT_EQ(size, 0.7f);
    EXPECT_EQ(type, 5);
  }
}

// Values out of range passed without the menu are reset, each in its box;
// the menu takes a size of 0 and shows the Sh types.
TEST_F(StressSymbolsTest, SettingsResetsAndMenu) {
  real major = 0.0f, minor = -1.0f;
  int iepi = 3, isha = 7;
  type_raw("\n\n\n");
  smapsh2(major, minor, iepi, isha, setup::passed);
  const Lines resets = screen_lines();
  EXPECT_TRUE(has_block(resets, {" sizmaxa =      0.000", " ==> RESET TO:", " sizmaxa =      0.400"}));
  EXPECT_TRUE(has_block(resets, {" sizmina =     -1.000", " ==> RESET TO:", " sizmina =      0.200"}));
  EXPECT_TRUE(has_block(resets, {" isha =      7", " ==> RESET TO:", " isha =      0"}));
  EXPECT_EQ(count_of(resets, " ///        subroutine smapsh2" + std::string(11, ' ') + "///"), 3);
  type({"40", "-1", "10", "0", ""});
  smapsh2(major, minor, iepi, isha, setup::menu_from_stored);
  const Lines menu = screen_lines();
  EXPECT_TRUE(has_block(menu, {" " + std::string(30, '-'), " Major size ................10      0.400",
                               " Minor size ................20      0.200", " Epicenter type ............30      3",
                               " Sh type ...................40      0", " " + std::string(30, '-'),
                               " EXIT ..........................99", menu_tail}));
  EXPECT_TRUE(has_block(menu, {" Sh type:", " -2 => Shmin only", " -1 => Shmin + Shmax small", " 0  => Shmin + Shmax",
                               " +1 => Shmax + Shmin small", " +2 => Shmax only"}));
  EXPECT_TRUE(major == 0.0f && isha == -1 && mapshpar.isha == -1 && mapshpar.sizmina == 0.2f);
}

// The direction on the map of a short geod step of 100 m each way on the
// sphere of PROJ's +R=1, from the point behind to the point ahead: the
// reference for the symbols' directions.
double reference_direction(const std::string& proj, double lon, double lat, double azimuth) {
  char line[200];
  std::snprintf(line, sizeof line, "%.10f %.10f %.10f 100\n%.10f %.10f %.10f 100\n", lat, lon, azimuth, lat, lon,
                azimuth + 180);
  const CommandResult g = run_command("geod +a=6371000 +es=0 -f %.12f", line);
  std::istringstream gf(g.output);
  double lat1 = 0, lon1 = 0, lat0 = 0, lon0 = 0, back = 0;
  gf >> lat1 >> lon1 >> back >> lat0 >> lon0;
  std::snprintf(line, sizeof line, "%.12f %.12f\n%.12f %.12f\n", lon0, lat0, lon1, lat1);
  const CommandResult p = run_command("proj -f %.12f " + proj, line);
  std::istringstream pf(p.output);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  pf >> x0 >> y0 >> x1 >> y1;
  return std::atan2(y1 - y0, x1 - x0);
}

// Lambert's conformal conic and the sinusoidal projection 30 degrees from
// their central meridian: north leans, and on the sinusoidal projection
// angles are not kept; on Mercator, north is up and angles are kept. Near
// the pole both conformal maps stretch fast along the meridian; Van der
// Grinten's map puts points within half a degree of its central meridian
// on that meridian, while the directions around them are PROJ's. Each pass
// of the symbol lies along its direction.
TEST_F(StressSymbolsTest, SymbolsLieAlongTheirDirectionsOnTheMap) {
  DORVIX_REQUIRE_TOOL("proj");
  DORVIX_REQUIRE_TOOL("geod");
  set_start_up_parameters();
  const std::string conic = "+proj=lcc +R=1 +lat_1=30 +lat_2=60 +lon_0=0";
  struct Map {
    int code;
    std::string proj;
    double central, lon;  // degrees
    std::vector<double> lats;
    double tolerance;  // degrees
  } maps[] = {
      {3, conic, 0, 30, {10, 35, 60, 89.5}, 0.5},
      {3, conic, 0, 30, {89.9, 89.99}, 2},
      {22, "+proj=sinu +R=1", 0, 30, {10, 35, 60}, 0.5},
      {15, "+proj=merc +R=1", 0, 30, {10, 35, 60, 89.5}, 0.5},
      {15, "+proj=merc +R=1", 0, 30, {89.9, 89.99}, 2},
      {25, "+proj=vandg +R=1 +lon_0=12", 12, 12.2, {42, -20, 75}, 0.5},
      {25, "+proj=vandg +R=1 +lon_0=12", 12, 11.6, {42, 89.5}, 0.5},
  };
  for (const Map& m : maps) {
    SCOPED_TRACE(m.proj);
    projtype.iproj = m.code;
    llpparam.longp1 = rad(static_cast<real>(m.central));
    if (m.code == 3) slcc2();
    real lon0 = static_cast<real>(m.central), lat0 = 45;
    sllorig(lon0, lat0, setup::passed);
    screen();
    drawn();
    for (const double lat : m.lats) {
      for (const double azsh : {0.0, 25.0, 70.0, 110.0, 150.0}) {
        const real lon = rad(static_cast<real>(m.lon)), la = rad(static_cast<real>(lat));
        const real az = static_cast<real>(azsh * degree);
        real x = 0, y = 0;
        projlln(std::span(&x, 1), std::span(&y, 1), std::span(&lon, 1), std::span(&la, 1), 1);
        const real shmax = map_direction(lon, la, x, y, az);
        const real shmin = map_direction(lon, la, x, y, az + anglerad.half_pi());
        real x1 = x, y1 = y;
        int isv = 2;
        dmapsh2(std::span(&x1, 1), std::span(&y1, 1), std::span(&shmax, 1), std::span(&shmin, 1), std::span(&isv, 1),
                1);
        const auto got = strokes(0, 0);
        ASSERT_EQ(got.size(), 4u);
        const double want_max = reference_direction(m.proj, m.lon, lat, azsh);
        const double want_min = reference_direction(m.proj, m.lon, lat, azsh + 90);
        for (std::size_t i = 0; i < 4; ++i) {
          const double gap = axis_gap(got[i].angle(), i < 2 ? want_max : want_min);
          EXPECT_LT(gap, m.tolerance) << "lat " << lat << " azimuth " << azsh << " symbol " << i;
        }
      }
    }
  }
  llpparam.longp1 = 0;
  // By the eastern edge of the conic map, cut at 180 degrees, a step
  // eastwards lands on the western edge: the direction is taken from the
  // step that stays on the map, the same axis as PROJ's step the other way.
  projtype.iproj = 3;
  slcc2();
  for (const double lat : {10.0, 40.0, 60.0}) {
    for (const double azsh : {25.0, 70.0, 110.0, 150.0}) {
      const real lon = rad(179.98f), la = rad(static_cast<real>(lat)), az = static_cast<real>(azsh * degree);
      real x = 0, y = 0;
      projlln(std::span(&x, 1), std::span(&y, 1), std::span(&lon, 1), std::span(&la, 1), 1);
      const double want = reference_direction("+proj=lcc +R=1 +lat_1=30 +lat_2=60 +lon_0=0", 179.98, lat, azsh + 180);
      EXPECT_LT(axis_gap(map_direction(lon, la, x, y, az), want), 0.5) << "lat " << lat << " azimuth " << azsh;
    }
  }
}

}  // namespace
}  // namespace dorvix::testing
