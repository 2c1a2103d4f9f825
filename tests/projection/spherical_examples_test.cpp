// The worked examples of the spherical projections, and the contract every
// projection keeps (offsets, work in place, nothing written for n = 0).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/azimuthal.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/pseudocylindrical.hpp"
#include "projection/state.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;

class SphericalExamples : public ProjectionTest {
 protected:
  void SetUp() override {
    ProjectionTest::SetUp();
    set_start_up_parameters();
    screen();
  }
};

struct Example {
  double lon, lat;  // degrees
  double x, y;      // expected
  double tolerance;
};

void expect_examples(int code, std::initializer_list<Example> examples) {
  for (const Example& e : examples) {
    const auto [x, y] = project_one(code, e.lon, e.lat);
    EXPECT_NEAR(x, e.x, e.tolerance) << "code " << code << " at (" << e.lon << ", " << e.lat << ")";
    EXPECT_NEAR(y, e.y, e.tolerance) << "code " << code << " at (" << e.lon << ", " << e.lat << ")";
  }
}

TEST_F(SphericalExamples, TransverseMercator) {
  expect_examples(1, {
                         {0, 0, 0, 0, 0},
                         {180, 30, 0, 5 * pi / 6, 1e-6},   // the far side, above the north pole
                         {180, -90, 0, 3 * pi / 2, 1e-6},  // its south pole at 3 pi/2
                         {90, 10, 0.5 * std::log((1 + std::cos(0.17453292519943)) / (1 - std::cos(0.17453292519943))),
                          pi / 2, 1e-5},
                         {-60, 45, -0.5 * std::log((1 + std::sqrt(0.375)) / (1 - std::sqrt(0.375))),
                          std::atan(2.0), 1e-6},
                     });
  // The equator 90 degrees from the central meridian: X at infinity.
  EXPECT_EQ(project_one(1, 90, 0), std::pair(infinite_image, 0.0f));
  EXPECT_EQ(project_one(1, -90, 0), std::pair(-infinite_image, 0.0f));
}

TEST_F(SphericalExamples, MercatorAndConformalConic) {
  expect_examples(15, {{0, 45, 0, 0.8814, 5e-5}, {-170, -45, -170 * pi / 180, -0.8814, 5e-5}});
  // Standard parallels 30 and 60 degrees: n = 0.7156, F = 1.7930.
  slcc2();
  const double n = std::log(std::cos(pi / 6) / std::cos(pi / 3)) / std::log(std::tan(5 * pi / 12) / std::tan(pi / 3));
  const double f = std::cos(pi / 6) * std::pow(std::tan(pi / 3), n) / n;
  EXPECT_NEAR(llpparam.pconst1, 0.7156, 5e-5);
  EXPECT_NEAR(llpparam.pconst2, 1.7930, 5e-5);
  EXPECT_NEAR(llpparam.pconst1, n, 2e-7);
  EXPECT_NEAR(llpparam.pconst2, f, 4e-7);
  // The equator crosses the central meridian at Y = 0; the apex lies at
  // Y = F above it, where the north pole maps.
  EXPECT_EQ(project_one(3, 0, 0), std::pair(0.0f, 0.0f));
  expect_examples(3, {{0, 90, 0, f, 1e-6}, {0, 30, 0, f * (1 - std::pow(std::tan(pi / 6), n)), 1e-6}});
}

TEST_F(SphericalExamples, PolarAzimuthals) {
  const double half_hemisphere = std::sin(pi / 4);
  // Equal-area at half scale: a hemisphere fills the circle of radius
  // sin 45 degrees; limited to 90 degrees, the whole south lands on it.
  expect_examples(5, {{0, 0, 0, -half_hemisphere, 1e-7}, {90, 0, half_hemisphere, 0, 1e-7}, {0, -90, 0, -1, 1e-7}});
  llpparam.anglep1 = rad(90.0f);
  for (const double lon : {-150.0, 0.0, 35.0}) {
    for (const double lat : {-90.0, -45.0, -1.0}) {
      const auto [x, y] = project_one(5, lon, lat);
      EXPECT_NEAR(std::hypot(x, y), half_hemisphere, 1e-7) << lon << " " << lat;
    }
  }
  // Stereographic at half scale: a hemisphere fills the unit circle.
  llpparam.anglep1 = rad(180.0f);
  expect_examples(7, {{0, 0, 0, -1, 1e-6}, {-90, 0, -1, 0, 1e-6}, {180, 45, 0, std::tan(pi / 8), 1e-7}});
  // Orthographic: limited to 90 degrees the south pole lands on the unit
  // circle (straight down, along longitude 0).
  llpparam.anglep1 = rad(90.0f);
  expect_examples(9, {{0, -90, 0, -1, 1e-7}, {90, 30, std::cos(pi / 6), 0, 1e-7}});
  // Gnomonic: latitude 45 degrees at radius 1.
  expect_examples(17, {{0, 45, 0, -1, 1e-6}, {90, 45, 1, 0, 1e-6}, {-135, 45, -std::sqrt(0.5), std::sqrt(0.5), 1e-6}});
}

TEST_F(SphericalExamples, Perspective) {
  // Seen under 90 degrees: cosa = sina = sin 45 degrees; the centre stays
  // at the centre (k = 2.414 times a null vector), points near it are
  // magnified by k, the horizon (latitude 45 degrees) is the unit circle.
  llpparam.anglep1 = rad(90.0f);
  llpparam.pconst1 = std::sin(0.5f * llpparam.anglep1);
  llpparam.pconst2 = std::cos(0.5f * llpparam.anglep1);
  EXPECT_NEAR(llpparam.pconst1, 0.7071, 5e-5);
  EXPECT_NEAR(llpparam.pconst2, 0.7071, 5e-5);
  const double k = std::sqrt(0.5) / (1 - std::sqrt(0.5));
  EXPECT_NEAR(k, 2.414, 5e-4);
  const double c = 0.01 * pi / 180;
  const double near_centre = std::sqrt(0.5) * std::sin(c) / (1 - std::sqrt(0.5) * std::cos(c));
  EXPECT_NEAR(near_centre / std::sin(c), k, 1e-6);
  expect_examples(11, {{0, 90, 0, 0, 3e-7}, {90, 89.99, near_centre, 0, 1e-6}, {0, 45.00001, 0, -1, 1e-4}});
  a2b.ab = oblique_matrix(rad(30.0f), rad(-20.0f));
  expect_examples(12, {{30, -20, 0, 0, 1e-6}});
}

TEST_F(SphericalExamples, EqualAreaConicsAndPseudoconics) {
  // Albers, standard parallel 30 degrees: Y = 0 where it crosses the
  // central meridian.
  salbesph2();
  EXPECT_NEAR(project_one(19, 0, 30).second, 0.0, 1e-7);
  EXPECT_EQ(project_one(19, 0, 30).first, 0.0f);
  sbonnesph2();
  EXPECT_NEAR(project_one(20, 0, 30).second, 0.0, 1e-7);
  // Bonne keeps every parallel true to scale: the point 60 degrees east on
  // the standard parallel lies on the circle about the apex (0, cot 30)
  // of radius cot 30 ...
  const auto [bx, by] = project_one(20, 60, 30);
  EXPECT_NEAR(std::hypot(bx, by - 1 / std::tan(pi / 6)), 1 / std::tan(pi / 6), 1e-6);
  // ... at an arc length of 60 degrees times cos 30 from the meridian.
  EXPECT_NEAR(std::atan2(bx, 1 / std::tan(pi / 6) - by) / std::tan(pi / 6), pi / 3 * std::cos(pi / 6), 1e-6);
  // Werner: the north pole at the centre, longitude 0 pointing down.
  expect_examples(21, {{0, 90, 0, 0, 0}, {0, 0, 0, -pi / 2, 1e-7}, {123, 90, 0, 0, 0}});
}

TEST_F(SphericalExamples, CylindricalAndPseudocylindrical) {
  expect_examples(22, {{90, 60, pi / 4, pi / 3, 1e-6}, {-180, 0, -pi, 0, 1e-6}});
  expect_examples(23, {{90, 30, pi / 2, 0.5, 1e-6}, {-45, -90, -pi / 4, -1, 1e-6}});
  // Mollweide reads its auxiliary angle from the table: 45.5 degrees gives
  // 36.3 + 0.5 (37.2 - 36.3) = 36.75 degrees, -30 degrees gives -23.8.
  const double r = pi / 180;
  expect_examples(24, {{0, 45.5, 0, std::sin(36.75 * r), 2e-7},
                       {90, 45.5, std::cos(36.75 * r), std::sin(36.75 * r), 2e-7},
                       {0, -30, 0, -std::sin(23.8 * r), 2e-7},
                       {0, 90, 0, 1, 1e-7},
                       {180, 0, 2, 0, 1e-6},
                       {0, 44, 0, std::sin(35.5 * r), 2e-7},   // as tabulated (the root is 35.4)
                       {0, 72, 0, std::sin(61.6 * r), 2e-7}}); // as tabulated (the root is 61.7)
  EXPECT_EQ(rmolle.size(), 92u);
  EXPECT_EQ(rmolle[90], 90.0f);
  EXPECT_EQ(rmolle[91], 90.0f);
  // Beyond the pole the last, flat interval: theta stays 90 degrees.
  expect_examples(24, {{0, 95, 0, 1, 1e-7}, {0, -120, 0, -1, 1e-7}});
}

TEST_F(SphericalExamples, VanDerGrinten) {
  expect_examples(25, {
                          {0, 0, 0, 0, 0},
                          {90, 0, 0.5, 0, 1e-7},
                          {0, 90, 0, 1, 1e-6},
                          {45, 90, 0, 1, 1e-6},
                          // Within half a degree of the central meridian: on it,
                          // at the height (2a/pi) / (1 + sqrt(1 - 4a^2/pi^2)).
                          {0.4, 30, 0, (1.0 / 3) / (1 + std::sqrt(8.0 / 9)), 1e-7},
                          {60, 30, 0.3242, 0.1747, 5e-5},
                          {-120, 60, -0.5761, 0.4337, 5e-5},
                          {-120, -60, -0.5761, -0.4337, 5e-5},
                          {180, 0, 1, 0, 1e-6},
                      });
}

TEST_F(SphericalExamples, Polyconic) {
  llpparam.longp1 = rad(-75.0f);
  for (const double lon : {-170.0, -75.0, 0.0, 100.0}) {
    const auto [x, y] = project_one(13, lon, 0);
    EXPECT_EQ(y, 0.0f);
    EXPECT_NEAR(x, (lon + 75) * pi / 180, 1e-6);
  }
  // Every parallel is a circle of radius cot phi about (0, phi + cot phi),
  // true to scale: 30 degrees east on latitude 40 lies on it at the arc
  // length 30 degrees times cos 40.
  const double p = 40 * pi / 180, cot = 1 / std::tan(p);
  const auto [x, y] = project_one(13, -45, 40);
  EXPECT_NEAR(std::hypot(x, y - (p + cot)), cot, 1e-6);
  EXPECT_NEAR(std::atan2(x, p + cot - y) * cot, pi / 6 * std::cos(p), 1e-6);
}

TEST_F(SphericalExamples, ObliqueCodesCentredOnThePoleRepeatThePolarOnes) {
  a2b.ab = oblique_matrix(0.0f, rad(90.0f));
  for (const auto& [oblique, polar] : {std::pair{6, 5}, {8, 7}, {18, 17}}) {
    for (const double lon : {-160.0, -20.0, 75.0}) {
      for (const double lat : {10.0, 50.0, 85.0}) {
        const auto a = project_one(oblique, lon, lat), b = project_one(polar, lon, lat);
        EXPECT_NEAR(a.first, b.first, 2e-6) << oblique << " " << lon << " " << lat;
        EXPECT_NEAR(a.second, b.second, 2e-6) << oblique << " " << lon << " " << lat;
      }
    }
  }
}

TEST_F(SphericalExamples, ObliqueCodesRotateThenProjectByThePolarFormula) {
  // Codes 6, 8 and 18 give the map of lla2llb followed by the polar
  // routine on the rotated coordinates.
  a2b.ab = oblique_matrix(rad(-35.0f), rad(25.0f));
  for (const double limit : {180.0, 120.0, 60.0}) {
    llpparam.anglep1 = rad(static_cast<real>(limit));
    Points points;
    for (double lon = -175; lon < 180; lon += 20)
      for (double lat = -85; lat < 90; lat += 10) points.add(lon, lat);
    const int n = points.size();
    std::vector<real> lonb(points.lon.size()), latb(points.lon.size()), x(lonb.size()), y(lonb.size());
    lla2llb(lonb, latb, points.lon, points.lat, n);
    for (const int code : {6, 8, 18}) {
      if (code == 6) lazea2(x, y, lonb, latb, n);
      if (code == 8) inverspsll(x, y, lonb, latb, n, llpparam.anglep1, 0, 0);
      if (code == 18) gnomopsll(x, y, lonb, latb, n, 0, 0);
      points.project(code);
      for (std::size_t i = 0; i < lonb.size(); ++i) {
        // Within 2 degrees of the centre the rotated latitude of lla2llb
        // (asin of a z component next to 1) is itself off by up to 3.5E-4.
        if (latb[i] > rad(88.0f)) continue;
        // The gnomonic's horizon, taken within its tolerance, is at
        // infinity, where the polar route makes the rounding of the
        // rotated latitude some 1.0E7 Earth radii.
        if (at_infinity(x[i], y[i]) || (code == 18 && std::fabs(latb[i]) <= horizon_tolerance)) {
          EXPECT_TRUE(at_infinity(points.x[i], points.y[i])) << code << " " << i;
          continue;
        }
        const double tolerance = 2e-6 * std::fmax(1.0, std::hypot(x[i], y[i]));
        EXPECT_NEAR(points.x[i], x[i], tolerance) << code << " limit " << limit << " point " << i;
        EXPECT_NEAR(points.y[i], y[i], tolerance) << code << " limit " << limit << " point " << i;
      }
    }
  }
}

TEST_F(SphericalExamples, CodesWithoutCentralMeridianIgnoreIt) {
  // Codes 15, 17, 19 to 23 take their central meridian at longitude 0.
  salbesph2();
  for (const int code : {15, 17, 19, 21, 22, 23}) {
    llpparam.longp1 = 0.0f;
    const auto before = project_one(code, 40, 50);
    llpparam.longp1 = rad(100.0f);
    EXPECT_EQ(project_one(code, 40, 50), before) << code;
  }
  sbonnesph2();
  llpparam.longp1 = 0.0f;
  const auto before = project_one(20, 40, 50);
  llpparam.longp1 = rad(100.0f);
  EXPECT_EQ(project_one(20, 40, 50), before);
}

TEST_F(SphericalExamples, EveryProjectionSubtractsTheOffsetsAndWorksInPlace) {
  slcc2();
  for (const auto& entry : projection_codes()) {
    if (entry.code == 4) slcce2();
    if (entry.code == 11 || entry.code == 12) {
      llpparam.anglep1 = rad(60.0f);
      llpparam.pconst1 = std::sin(0.5f * llpparam.anglep1);
      llpparam.pconst2 = std::cos(0.5f * llpparam.anglep1);
    }
    if (entry.code == 19) salbesph2();
    if (entry.code == 20) sbonnesph2();
    SCOPED_TRACE(entry.routine);
    std::vector<real> lon{rad(10.0f), rad(-20.0f), rad(3.0f)}, lat{rad(50.0f), rad(70.0f), rad(60.0f)};
    std::vector<real> x(3), y(3);
    llorig = {};
    entry.forward(x, y, lon, lat, 3);
    llorig.xorigll = 0.25f;
    llorig.yorigll = -0.5f;
    entry.forward(lon, lat, lon, lat, 3);  // in place
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_NEAR(lon[i], x[i] - 0.25f, 1e-6);
      EXPECT_NEAR(lat[i], y[i] + 0.5f, 1e-6);
    }
    // n = 0 (or less) writes nothing.
    std::vector<real> untouched{7, 7}, untouched_y{8, 8};
    entry.forward(untouched, untouched_y, lon, lat, 0);
    entry.forward(untouched, untouched_y, lon, lat, -3);
    EXPECT_EQ(untouched, (std::vector<real>{7, 7}));
    EXPECT_EQ(untouched_y, (std::vector<real>{8, 8}));
    llorig = {};
  }
}

TEST_F(SphericalExamples, TableOfCodes) {
  const auto codes = projection_codes();
  ASSERT_EQ(codes.size(), 25u);
  for (int k = 1; k <= 25; ++k) {
    EXPECT_EQ(codes[static_cast<std::size_t>(k - 1)].code, k);
    EXPECT_EQ(find_projection_code(k), &codes[static_cast<std::size_t>(k - 1)]);
  }
  EXPECT_EQ(find_projection_code(0), nullptr);
  EXPECT_EQ(find_projection_code(26), nullptr);
  for (const int k : {2, 4, 14, 16}) EXPECT_TRUE(find_projection_code(k)->ellipsoidal) << k;
  EXPECT_EQ(find_projection_code(15)->routine, "mersphe2");
  EXPECT_EQ(find_projection_code(18)->routine, "gnomopsll");
}

}  // namespace
}  // namespace dorvix::testing
