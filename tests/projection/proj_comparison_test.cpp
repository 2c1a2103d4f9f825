// Every projection code against PROJ (the `proj` command of proj-bin), the
// independent reference. For each code, a grid of points under several
// central meridians or centres: our projection less our projected origin
// against PROJ's less PROJ's, after PROJ's scale is brought to ours. One
// `proj` process per code and parameter set.
//
// Tolerances. Our arithmetic is single precision (relative rounding
// 6.0E-8 per operation, on inputs themselves rounded to single precision)
// and each formula chains some ten to thirty operations; the worst
// differences measured lie between 2.0E-7 and 2.0E-6 of the map's size
// (the largest coordinate of the compared points). The standard tolerance
// is 3.0E-6 of the map's size. Looser only where the method itself is
// approximate: the transverse Mercator series of the ellipsoid beyond 10
// degrees from the central meridian, and Mollweide's tabulated auxiliary
// angle (bounds below, at each case).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/polyconic.hpp"
#include "projection/state.hpp"
#include "support/projection_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double standard_tolerance = 3.0e-6;

struct Case {
  int code = 0;
  std::string label;
  std::function<void()> set_up = [] {};  // our parameters, after the start-up ones
  std::string proj;                      // PROJ's parameters
  double scale = 1;                      // ours = scale * PROJ
  double origin_lon = 3, origin_lat = 20;
  std::function<bool(double, double)> use = [](double, double) { return true; };  // (lon, lat) degrees
  double tolerance = standard_tolerance;  // relative to the map's size ...
  double absolute_tolerance = 0;          // ... or absolute, when set
  // The grid: latitudes lat_low to lat_high at `step` degrees, longitudes
  // within lon_half_width of the origin at 1.5 `step`, shifted by 0.37 so
  // that no point falls on a special value.
  double lat_low = -89, lat_high = 89, lon_half_width = 179, step = 4;
  // Transverse Mercator lays the far southern quarter above the north
  // pole, 2 pi higher than PROJ.
  bool far_side_above_pole = false;
};

std::string number(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.10g", v);
  return b;
}

std::string ellipsoid_parameters() {
  return " +a=1 +b=" + number(static_cast<double>(ellipsoid.bell) / static_cast<double>(ellipsoid.aell));
}

double wrap180(double d) {
  while (d > 180) d -= 360;
  while (d <= -180) d += 360;
  return d;
}

// Angular distance in degrees between two points given in degrees.
double distance(double lon1, double lat1, double lon2, double lat2) {
  const double r = pi / 180;
  const double c =
      std::sin(lat1 * r) * std::sin(lat2 * r) + std::cos(lat1 * r) * std::cos(lat2 * r) * std::cos((lon1 - lon2) * r);
  return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / r;
}

real radians(double degrees) { return rad(static_cast<real>(degrees)); }

void run_case(const Case& c) {
  SCOPED_TRACE(c.label);
  reset_projection_state();
  set_start_up_parameters();
  c.set_up();
  Points points;
  points.add(c.origin_lon, c.origin_lat);
  for (double lat = c.lat_low; lat <= c.lat_high + 1e-9; lat += c.step) {
    for (double dl = -c.lon_half_width; dl <= c.lon_half_width + 1e-9; dl += 1.5 * c.step) {
      const double lon = wrap180(c.origin_lon + dl + 0.37);
      if (c.use(lon, lat)) points.add(lon, lat);
    }
  }
  points.project(c.code);
  const auto reference = proj_forward(c.proj, points);
  ASSERT_EQ(reference.size(), points.lon.size()) << c.proj;
  ASSERT_TRUE(reference[0].has_value());
  std::vector<std::pair<double, double>> expected(reference.size());
  double size = 0;
  for (std::size_t i = 1; i < reference.size(); ++i) {
    if (!reference[i]) continue;
    double py = reference[i]->second;
    if (c.far_side_above_pole && py < -pi / 2) py += 2 * pi;
    expected[i] = {c.scale * (reference[i]->first - reference[0]->first), c.scale * (py - reference[0]->second)};
    size = std::fmax(size, std::fmax(std::fabs(expected[i].first), std::fabs(expected[i].second)));
  }
  const double tolerance = c.absolute_tolerance > 0 ? c.absolute_tolerance : c.tolerance * size;
  int compared = 0;
  for (std::size_t i = 1; i < reference.size(); ++i) {
    if (!reference[i]) continue;
    const auto [px, py] = expected[i];
    const double ox = static_cast<double>(points.x[i]) - points.x[0];
    const double oy = static_cast<double>(points.y[i]) - points.y[0];
    ++compared;
    EXPECT_LE(std::fmax(std::fabs(ox - px), std::fabs(oy - py)), tolerance)
        << "at (" << points.lon[i] * 180 / pi << ", " << points.lat[i] * 180 / pi << ") ours (" << ox << ", " << oy
        << ") PROJ (" << px << ", " << py << ")";
  }
  EXPECT_GT(compared, 100);
}

auto within_of(double lon0, double band) {
  return [lon0, band](double lon, double) { return std::fabs(wrap180(lon - lon0)) <= band; };
}

void run_all(const std::vector<Case>& cases) {
  for (const auto& c : cases) run_case(c);
}

// Codes 1 to 4, 13, 24 and 25 read the central meridian: three of them, one
// next to the antimeridian, so that the grid crosses it.
constexpr double central_meridians[] = {0.0, 137.5, -178.3};

TEST_F(ProjectionTest, TransverseMercatorAgreesWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  set_start_up_parameters();  // the ellipsoid, for PROJ's parameters
  std::vector<Case> cases;
  for (const double lon0 : central_meridians) {
    const auto cm = [lon0] { llpparam.longp1 = radians(lon0); };
    Case sphere{.code = 1, .label = "tm2 " + number(lon0), .set_up = cm, .proj = "+proj=tmerc +R=1 +lon_0=" + number(lon0),
                .origin_lon = lon0 + 3, .use = within_of(lon0, 80)};
    cases.push_back(sphere);
    Case far = sphere;
    far.label += " far side";
    far.use = [lon0](double lon, double lat) { return std::fabs(wrap180(lon - lon0)) >= 100 && std::fabs(lat) <= 81; };
    far.far_side_above_pole = true;
    cases.push_back(far);
    Case ellipsoidal{.code = 2, .label = "tme2 " + number(lon0), .set_up = cm,
                     .proj = "+proj=tmerc +lon_0=" + number(lon0) + ellipsoid_parameters(), .origin_lon = lon0 + 1,
                     .use = within_of(lon0, 10), .step = 2};
    cases.push_back(ellipsoidal);
    // The series stops at A^6 (A = d cos phi): 30 degrees from the central
    // meridian its truncation reaches 7.0E-5 of the map against PROJ's
    // exact transverse Mercator.
    Case wide = ellipsoidal;
    wide.label += " 30 degrees";
    wide.use = within_of(lon0, 30);
    wide.tolerance = 1.0e-4;
    cases.push_back(wide);
  }
  run_all(cases);
}

TEST_F(ProjectionTest, ConformalConicsAgreeWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  set_start_up_parameters();  // the ellipsoid, for PROJ's parameters
  std::vector<Case> cases;
  struct Parallels {
    double p1, p2;
  };
  for (const double lon0 : central_meridians) {
    // Two northern, two southern, equal (the tangent cone) and close to the
    // equator (a flat cone).
    for (const Parallels p : {Parallels{30, 60}, {-20, -55}, {45, 45}, {10, 3}}) {
      const std::string parameters = " +lat_1=" + number(p.p1) + " +lat_2=" + number(p.p2) + " +lon_0=" + number(lon0);
      const auto away_from_opposite_pole = [p](double, double lat) { return p.p1 > 0 ? lat > -80 : lat < 80; };
      auto parallels = [lon0, p] {
        llpparam.longp1 = radians(lon0);
        llpparam.latp1 = radians(p.p1);
        llpparam.latp2 = radians(p.p2);
      };
      cases.push_back({.code = 3, .label = "lcc2" + parameters, .set_up = [parallels] { parallels(); slcc2(); },
                       .proj = "+proj=lcc +R=1" + parameters, .origin_lon = lon0 + 2, .origin_lat = p.p1,
                       .use = away_from_opposite_pole});
      cases.push_back({.code = 4, .label = "lcce2" + parameters, .set_up = [parallels] { parallels(); slcce2(); },
                       .proj = "+proj=lcc" + parameters + ellipsoid_parameters(), .origin_lon = lon0 + 2,
                       .origin_lat = p.p1, .use = away_from_opposite_pole});
    }
  }
  run_all(cases);
}

TEST_F(ProjectionTest, PolarAzimuthalsAgreeWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  const auto from_pole = [](double degrees) { return [degrees](double, double lat) { return 90 - lat <= degrees; }; };
  std::vector<Case> cases{
      // Codes 5 and 7 are at half scale; the perspective's horizon is the
      // unit circle.
      {.code = 5, .label = "laea polar", .proj = "+proj=laea +R=1 +lat_0=90", .scale = 0.5, .origin_lon = 0,
       .origin_lat = 90, .use = from_pole(179)},
      {.code = 7, .label = "stere polar", .proj = "+proj=stere +R=1 +lat_0=90", .scale = 0.5, .origin_lon = 0,
       .origin_lat = 90, .use = from_pole(150)},
      {.code = 9, .label = "ortho polar", .proj = "+proj=ortho +R=1 +lat_0=90", .origin_lon = 0, .origin_lat = 90,
       .use = from_pole(89)},
      {.code = 17, .label = "gnom polar", .proj = "+proj=gnom +R=1 +lat_0=90", .origin_lon = 0, .origin_lat = 90,
       .use = from_pole(70)},
  };
  for (const double view : {90.0, 30.0}) {
    // The viewpoint at 1/sin(view/2) Earth radii from the centre, h = that
    // less 1 above the surface; PROJ's map is ours times (1 - sina)/cosa.
    const double sina = std::sin(view * pi / 360), cosa = std::cos(view * pi / 360);
    cases.push_back({.code = 11, .label = "nsper polar " + number(view),
                     .set_up = [view] {
                       llpparam.anglep1 = radians(view);
                       llpparam.pconst1 = std::sin(llpparam.anglep1 / 2);
                       llpparam.pconst2 = std::cos(llpparam.anglep1 / 2);
                     },
                     .proj = "+proj=nsper +R=1 +lat_0=90 +h=" + number(1 / sina - 1), .scale = cosa / (1 - sina),
                     .origin_lon = 0, .origin_lat = 90,
                     .use = [view](double, double lat) { return lat > view / 2 + 0.5; }});
  }
  run_all(cases);
}

TEST_F(ProjectionTest, ObliqueAzimuthalsAgreeWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  struct Centre {
    double lon, lat;
  };
  std::vector<Case> cases;
  for (const Centre c : {Centre{0, 45}, {137.5, -30}, {-178.3, 60}, {20, 90}}) {
    const auto centre = [c] { a2b.ab = oblique_matrix(radians(c.lon), radians(c.lat)); };
    const std::string at = " +lat_0=" + number(c.lat) + " +lon_0=" + number(c.lon);
    const auto within = [c](double degrees) {
      return [c, degrees](double lon, double lat) { return distance(lon, lat, c.lon, c.lat) <= degrees; };
    };
    // Near the antipode the azimuth is ill-conditioned (the bounding circle
    // is one point of the globe): a rounding of the rotated vector moves a
    // point by 6.0E-8 / sin c, so the equal-area map is compared to 178
    // degrees from its centre.
    cases.push_back({.code = 6, .label = "laea" + at, .set_up = centre, .proj = "+proj=laea +R=1" + at,
                     .scale = 0.5, .origin_lon = c.lon, .origin_lat = c.lat, .use = within(178)});
    cases.push_back({.code = 8, .label = "stere" + at, .set_up = centre, .proj = "+proj=stere +R=1" + at,
                     .scale = 0.5, .origin_lon = c.lon, .origin_lat = c.lat, .use = within(150)});
    cases.push_back({.code = 10, .label = "ortho" + at, .set_up = centre, .proj = "+proj=ortho +R=1" + at,
                     .origin_lon = c.lon, .origin_lat = c.lat, .use = within(89)});
    cases.push_back({.code = 18, .label = "gnom" + at, .set_up = centre, .proj = "+proj=gnom +R=1" + at,
                     .origin_lon = c.lon, .origin_lat = c.lat, .use = within(70)});
    for (const double view : {90.0, 30.0}) {
      const double sina = std::sin(view * pi / 360), cosa = std::cos(view * pi / 360);
      cases.push_back({.code = 12, .label = "nsper " + number(view) + at,
                       .set_up =
                           [centre, view] {
                             centre();
                             llpparam.anglep1 = radians(view);
                             llpparam.pconst1 = std::sin(llpparam.anglep1 / 2);
                             llpparam.pconst2 = std::cos(llpparam.anglep1 / 2);
                           },
                       .proj = "+proj=nsper +R=1 +h=" + number(1 / sina - 1) + at, .scale = cosa / (1 - sina),
                       .origin_lon = c.lon, .origin_lat = c.lat, .use = within(90 - view / 2 - 0.5)});
    }
  }
  run_all(cases);
}

TEST_F(ProjectionTest, CylindricalAndPseudocylindricalAgreeWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  set_start_up_parameters();
  std::vector<Case> cases{
      {.code = 15, .label = "merc sphere", .proj = "+proj=merc +R=1"},
      {.code = 16, .label = "merc ellipsoid", .proj = "+proj=merc" + ellipsoid_parameters()},
      {.code = 22, .label = "sinu", .proj = "+proj=sinu +R=1"},
      {.code = 23, .label = "cea", .proj = "+proj=cea +R=1"},
  };
  for (const double lon0 : central_meridians) {
    const auto cm = [lon0] { llpparam.longp1 = radians(lon0); };
    // The auxiliary angle theta comes from a table to 0.1 degree with
    // linear interpolation: against the roots of 2 theta + sin 2 theta =
    // pi sin phi it is off by up to 0.052 degree up to latitude 89, and by
    // up to 0.6 degree in the last degree, where the root rises like a
    // square root. With X = (2/pi) d cos theta and Y = sin theta this moves
    // a point by at most 1.6E-3 (X, at d = pi) and 8.3E-4 (Y) up to 89
    // degrees, and 2.1E-2 beyond: tolerances 2.0E-3 and 2.5E-2.
    Case mollweide{.code = 24, .label = "moll " + number(lon0), .set_up = cm,
                   .proj = "+proj=moll +R=1 +lon_0=" + number(lon0), .scale = 1 / std::sqrt(2.0),
                   .origin_lon = lon0 + 3, .absolute_tolerance = 2.0e-3};
    cases.push_back(mollweide);
    Case poles = mollweide;
    poles.label += " last degree";
    poles.lat_low = -89.9;
    poles.lat_high = 89.9;
    poles.step = 0.1;
    poles.use = [](double, double lat) { return std::fabs(lat) > 89; };
    poles.absolute_tolerance = 2.5e-2;
    cases.push_back(poles);
    // Van der Grinten in units of pi Earth radii; within half a degree of
    // the central meridian the routine puts points on it (checked in the
    // edge cases), so those are left out here.
    cases.push_back({.code = 25, .label = "vandg " + number(lon0), .set_up = cm,
                     .proj = "+proj=vandg +R=1 +lon_0=" + number(lon0), .scale = 1 / pi, .origin_lon = lon0 + 3,
                     .use = [lon0](double lon, double) { return std::fabs(wrap180(lon - lon0)) >= 0.5; }});
    cases.push_back({.code = 13, .label = "poly " + number(lon0), .set_up = cm,
                     .proj = "+proj=poly +R=1 +lon_0=" + number(lon0), .origin_lon = lon0 + 3,
                     .use = within_of(lon0, 150)});
  }
  run_all(cases);
}

TEST_F(ProjectionTest, EqualAreaConicsAgreeWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  std::vector<Case> cases;
  for (const double p1 : {30.0, -40.0, 75.0}) {
    const auto parallel = [p1] { llpparam.latp1 = radians(p1); };
    cases.push_back({.code = 19, .label = "aea " + number(p1), .set_up = [parallel] { parallel(); salbesph2(); },
                     .proj = "+proj=aea +R=1 +lat_1=" + number(p1) + " +lat_2=" + number(p1), .origin_lat = p1});
    cases.push_back({.code = 20, .label = "bonne " + number(p1), .set_up = [parallel] { parallel(); sbonnesph2(); },
                     .proj = "+proj=bonne +R=1 +lat_1=" + number(p1), .origin_lat = p1});
  }
  // Werner is Bonne with the standard parallel at the pole.
  cases.push_back({.code = 21, .label = "werner", .proj = "+proj=bonne +R=1 +lat_1=90"});
  run_all(cases);
}

TEST_F(ProjectionTest, InternationalMapOfTheWorldAgreesWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  set_start_up_parameters();
  struct Sheet {
    double lon0, width, south, north;
  };
  std::vector<Case> cases;
  // Sheets of 4 degrees of latitude, the true-scale meridians 2 degrees
  // (4 near the poles) from the central one: in the north, in the south,
  // with the equator as a limiting parallel on either side, in the far
  // north, and one across the antimeridian. PROJ takes the same limiting
  // parallels and true-scale meridian (lat_1, lat_2, lon_1).
  for (const Sheet s : {Sheet{0, 2, 40, 44}, {137.5, 2, -8, -4}, {-178.3, 2, 0, 4}, {-60, 2, -4, 0}, {25, 4, 72, 76}}) {
    Case sheet{.code = 14, .label = "imw_p " + number(s.south) + " " + number(s.north) + " " + number(s.lon0),
               .set_up =
                   [s] {
                     llpparam.longp1 = radians(s.lon0);
                     llpparam.longp2 = radians(s.lon0 + s.width);
                     llpparam.latp1 = radians(s.south);
                     llpparam.latp2 = radians(s.north);
                     simwpoly2();
                   },
               .proj = "+proj=imw_p +lat_1=" + number(s.south) + " +lat_2=" + number(s.north) +
                       " +lon_0=" + number(s.lon0) + " +lon_1=" + number(s.width) + ellipsoid_parameters(),
               .origin_lon = s.lon0 + 0.5, .origin_lat = s.south + 1};
    sheet.lat_low = s.south - 2;
    sheet.lat_high = s.north + 2;
    sheet.lon_half_width = 6 * s.width;
    sheet.step = 0.5;
    cases.push_back(sheet);
  }
  run_all(cases);
}

}  // namespace
}  // namespace dorvix::testing
