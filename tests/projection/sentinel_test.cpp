// What the projections give where the formulas have no finite value:
// points at infinity, hidden points, the antimeridian, degenerate
// parameters; and a sweep of every code over parameters and points of
// every kind, none of which may produce a non-finite number.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/polyconic.hpp"
#include "projection/state.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;

real radians(double degrees) { return rad(static_cast<real>(degrees)); }

void set_perspective(double view_degrees) {
  llpparam.anglep1 = radians(view_degrees);
  llpparam.pconst1 = std::sin(0.5f * llpparam.anglep1);
  llpparam.pconst2 = std::cos(0.5f * llpparam.anglep1);
}

// Runs the set-up that derives a code's constants, as the projection menu
// does when the code is chosen.
void derive_constants(int code) {
  switch (code) {
    case 3: slcc2(); break;
    case 4: slcce2(); break;
    case 11:
    case 12: set_perspective(deg(llpparam.anglep1)); break;
    case 14: simwpoly2(); break;
    case 19: salbesph2(); break;
    case 20: sbonnesph2(); break;
    default: break;
  }
}

class Sentinels : public ProjectionTest {
 protected:
  void SetUp() override {
    ProjectionTest::SetUp();
    set_start_up_parameters();
    screen();
  }
};

TEST_F(Sentinels, NoProjectionEverReturnsANonFiniteValue) {
  struct Scenario {
    double lat1, lat2, lon1, lon2, angle, centre_lon, centre_lat;
    int ellipsoid;
  };
  const Scenario scenarios[] = {
      {30, 60, 0, 0, 180, 0, 45, 1},               // the start-up parameters
      {45, 45, 179.5, 181.5, 90, 179.5, -60, 7},   // equal parallels, near the antimeridian
      {30, -30, 0, 2, 360, 0, 90, 1},              // symmetric parallels (flat cone)
      {0, 0, -20, -20, 0, 0, -90, 3},              // parallels on the equator, no width
      {90, 60, 10, 12, -30, -45, 0, 1},            // a parallel at the pole
      {100, -95, 0, 2, 720, 200, 100, 9},          // beyond the poles
      {-90, 0, 0, 2, 179.999, 10, -89.9999, 1},
      {1e-30, 4, 0, 2, 1e-6, 0, 1e-30, 1},         // a parallel next to the equator
      {12345.6, -987, 1e6, -1e6, 1e5, 1e5, -1e5, 5},
      {-40, -36, -179.9, -177.9, 179.9, -179.9, 89.9999, 1},
  };
  const double longitudes[] = {-1e30, -720, -540, -360, -270, -180, -179.99999, -90, -45, -1e-6, 0, 1e-30,
                               30, 89.99999, 90, 90.00001, 135, 179.99999, 180, 181, 360, 1000, 1e30};
  const double latitudes[] = {-1e30, -100, -90.00001, -90, -89.99999, -89.9, -60, -45, -1e-6, -1e-30, 0, 1e-30,
                              1e-6, 0.5, 30, 45, 60, 89, 89.99, 89.99999, 90, 90.00001, 100, 1e30};
  Points points;
  for (const double lon : longitudes)
    for (const double lat : latitudes) points.add(lon, lat);
  // Exact multiples of the single-precision pi/2 too, where tangents blow up.
  for (int k = -4; k <= 4; ++k) {
    points.lon.push_back(static_cast<real>(k) * anglerad.half_pi());
    points.lat.push_back(static_cast<real>(k) * anglerad.half_pi());
    points.lon.push_back(0.3f);
    points.lat.push_back(static_cast<real>(k) * anglerad.half_pi());
  }
  for (const Scenario& s : scenarios) {
    for (const auto& entry : projection_codes()) {
      llpparam.latp1 = radians(s.lat1);
      llpparam.latp2 = radians(s.lat2);
      llpparam.longp1 = radians(s.lon1);
      llpparam.longp2 = radians(s.lon2);
      llpparam.anglep1 = radians(s.angle);
      a2b.ab = oblique_matrix(radians(s.centre_lon), radians(s.centre_lat));
      int iell = s.ellipsoid;
      sellipsoid(iell, setup::passed);
      derive_constants(entry.code);
      for (const real constant : {llpparam.pconst1, llpparam.pconst2, llpparam.pconst3, forimwpoly.imwc3,
                                  forimwpoly.imwc4, forimwpoly.imwc5, forimwpoly.imwc6, forimwpoly.imwc9,
                                  forimwpoly.r00[0], forimwpoly.r00[1]}) {
        EXPECT_TRUE(std::isfinite(constant)) << entry.routine << " parallels " << s.lat1 << " " << s.lat2;
      }
      points.project(entry.code);
      for (int i = 0; i < points.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool finite = std::isfinite(points.x[k]) && std::isfinite(points.y[k]) &&
                            std::fabs(points.x[k]) <= infinite_image && std::fabs(points.y[k]) <= infinite_image;
        EXPECT_TRUE(finite) << entry.routine << " parallels " << s.lat1 << " " << s.lat2 << " angle " << s.angle
                            << " at (" << points.lon[k] << ", " << points.lat[k] << ") rad gives (" << points.x[k]
                            << ", " << points.y[k] << ")";
      }
    }
  }
  screen();
}

TEST_F(Sentinels, PolesWithoutImage) {
  // Mercator: the poles are at infinity, north up and south down.
  for (const int code : {15, 16}) {
    EXPECT_EQ(project_one(code, 20, 90), std::pair(radians(20), infinite_image)) << code;
    EXPECT_EQ(project_one(code, 20, -90), std::pair(radians(20), -infinite_image)) << code;
    EXPECT_FALSE(at_infinity(project_one(code, 20, 89.999).first, project_one(code, 20, 89.999).second)) << code;
  }
  // Conformal conics: the pole at the apex maps to it (0, F), the opposite
  // one to infinity; for a southern cone the other way round.
  for (const int code : {3, 4}) {
    llpparam.latp1 = radians(30);
    llpparam.latp2 = radians(60);
    derive_constants(code);
    EXPECT_EQ(project_one(code, 50, 90), std::pair(0.0f, llpparam.pconst2)) << code;
    EXPECT_EQ(project_one(code, 50, -90).second, -infinite_image) << code;
    llpparam.latp1 = radians(-20);
    llpparam.latp2 = radians(-55);
    derive_constants(code);
    EXPECT_LT(llpparam.pconst1, 0.0f);
    EXPECT_EQ(project_one(code, 50, -90), std::pair(0.0f, llpparam.pconst2)) << code;
    EXPECT_EQ(project_one(code, 50, 90).second, infinite_image) << code;
  }
  // Stereographic: the antipode of the centre.
  EXPECT_TRUE(at_infinity(project_one(7, 30, -90).first, project_one(7, 30, -90).second));
  a2b.ab = oblique_matrix(radians(40), radians(10));
  const auto antipode = project_one(8, -140, -10);
  EXPECT_TRUE(at_infinity(antipode.first, antipode.second));
  EXPECT_FALSE(at_infinity(project_one(8, -140, -9).first, project_one(8, -140, -9).second));
}

TEST_F(Sentinels, FarSideIsNeverDrawnOverTheNearSide) {
  // Gnomonic: the equator of the aspect is at infinity, and so is the far
  // hemisphere, which would otherwise land on the opposite side of the
  // centre.
  for (const double lat : {0.0, -1e-5, -30.0, -90.0}) {
    const auto [x, y] = project_one(17, 25, lat);
    EXPECT_TRUE(at_infinity(x, y)) << lat;
  }
  a2b.ab = oblique_matrix(radians(-70), radians(-35));
  EXPECT_TRUE(at_infinity(project_one(18, 110, 35).first, project_one(18, 110, 35).second));
  EXPECT_TRUE(at_infinity(project_one(18, 20, 40).first, project_one(18, 20, 40).second));  // 112 degrees away
  EXPECT_FALSE(at_infinity(project_one(18, -70, 20).first, project_one(18, -70, 20).second));
  // Nodes of a graticule on the horizon of an oblique centre come out of
  // the rotation a rounding off it: at infinity all the same, as on the
  // polar aspect's equator, not at some 1.0E7 Earth radii.
  a2b.ab = oblique_matrix(radians(30), radians(50));
  for (const auto& [lon, lat] : {std::pair{30.0, -40.0}, {120.0, 0.0}, {-60.0, 0.0}}) {
    const auto [x, y] = project_one(18, lon, lat);
    EXPECT_TRUE(at_infinity(x, y)) << lon << " " << lat << ": " << x << " " << y;
  }
  // Orthographic polar, not limited: the south pole and the far
  // hemisphere at infinity (instead of back over the near side, the south
  // pole on the centre); the horizon itself is drawn.
  llpparam.anglep1 = radians(180);
  for (const double lat : {-90.0, -30.0, -0.01}) {
    const auto [x, y] = project_one(9, 60, lat);
    EXPECT_TRUE(at_infinity(x, y)) << lat;
  }
  const auto [hx, hy] = project_one(9, 60, 0);
  EXPECT_NEAR(std::hypot(hx, hy), 1.0, 1e-6);
  // Orthographic oblique likewise.
  a2b.ab = oblique_matrix(radians(100), radians(20));
  const auto far = project_one(10, -80, -20);
  EXPECT_TRUE(at_infinity(far.first, far.second));
  const auto horizon = project_one(10, 10, 0);  // 90 degrees from the centre
  EXPECT_NEAR(std::hypot(horizon.first, horizon.second), 1.0, 1e-6);
  // Perspective seen under 90 degrees: beyond the horizon (latitude 45 of
  // the aspect) the globe is hidden from the viewpoint.
  set_perspective(90);
  EXPECT_TRUE(at_infinity(project_one(11, 10, 44).first, project_one(11, 10, 44).second));
  EXPECT_TRUE(at_infinity(project_one(11, 10, -60).first, project_one(11, 10, -60).second));
  EXPECT_NEAR(std::hypot(project_one(11, 10, 45.001).first, project_one(11, 10, 45.001).second), 1.0, 1e-3);
  a2b.ab = oblique_matrix(radians(100), radians(20));
  EXPECT_TRUE(at_infinity(project_one(12, 100, -30).first, project_one(12, 100, -30).second));
  EXPECT_FALSE(at_infinity(project_one(12, 100, 30).first, project_one(12, 100, 30).second));
  // Seen under 180 degrees the viewpoint is on the surface: nothing is
  // visible, and the centre, where the divisor vanishes, is at infinity
  // rather than every point falling on the centre.
  set_perspective(180);
  for (const double lat : {90.0, 89.0, 0.0}) {
    const auto [x, y] = project_one(11, 10, lat);
    EXPECT_TRUE(at_infinity(x, y)) << lat;
  }
}

TEST_F(Sentinels, OffsetsNeverMoveAPointAtInfinity) {
  llorig.xorigll = 0.3f;
  llorig.yorigll = -0.7f;
  EXPECT_EQ(project_one(15, 0, 90).second, infinite_image);
  EXPECT_EQ(project_one(1, 90, 0).first, infinite_image);
  const auto [x, y] = project_one(17, 45, 0);
  EXPECT_EQ(std::fabs(x), infinite_image);
  EXPECT_EQ(std::fabs(y), infinite_image);
  // Large finite values are held to the sentinel too.
  EXPECT_EQ(less_offset(3.0e25f, 1.0f), infinite_image);
  EXPECT_EQ(less_offset(-infinite_image, 5.0f), -infinite_image);
  EXPECT_EQ(less_offset(1.0f, infinite_image), -infinite_image);
  EXPECT_EQ(less_offset(std::nanf(""), 0.0f) == infinite_image || less_offset(std::nanf(""), 0.0f) == -infinite_image,
            true);
}

TEST_F(Sentinels, LongitudesAreWrappedAroundTheCentralMeridian) {
  // Centred near the antimeridian, a point across it projects as the same
  // longitude difference centred on Greenwich.
  struct Pair {
    double lon0, lon;  // near the antimeridian; lon - lon0 wraps to d
    double d;
  };
  for (const int code : {1, 2, 3, 4, 13, 14, 24, 25}) {
    for (const Pair p : {Pair{179, -179, 2}, {-179.5, 179.5, -1}, {170, -160, 30}, {-100, 100, -160}}) {
      // A sheet of the International Map is not meant for 160 degrees from
      // its central meridian, where its straight meridians magnify the
      // rounding of the difference.
      if (code == 14 && std::fabs(p.d) > 90) continue;
      auto place = [code](double lon0) {
        llpparam.longp1 = radians(lon0);
        llpparam.longp2 = radians(lon0 + 2);
        derive_constants(code);
      };
      place(p.lon0);
      const auto across = project_one(code, p.lon, 40);
      place(0);
      const auto reference = project_one(code, p.d, 40);
      // The differences lon - lon0 are rounded differently: 1.0E-6 relative.
      const double tolerance = 1e-6 * std::fmax(1.0, std::fmax(std::fabs(reference.first), std::fabs(reference.second)));
      EXPECT_NEAR(across.first, reference.first, tolerance) << code << " " << p.lon0 << " " << p.lon;
      EXPECT_NEAR(across.second, reference.second, tolerance) << code << " " << p.lon0 << " " << p.lon;
    }
  }
  // Exactly opposite the central meridian, each side of the map keeps its
  // edge: -180 degrees on the western side, +180 (and 540) on the eastern.
  EXPECT_NEAR(project_one(24, -180, 0).first, -2.0, 1e-6);
  EXPECT_NEAR(project_one(24, 180, 0).first, 2.0, 1e-6);
  EXPECT_NEAR(project_one(24, 540, 0).first, 2.0, 1e-6);
  EXPECT_NEAR(project_one(24, -540, 0).first, -2.0, 1e-6);
  EXPECT_NEAR(project_one(25, -180, 0).first, -1.0, 1e-6);
  EXPECT_NEAR(project_one(25, 180, 0).first, 1.0, 1e-6);
}

TEST_F(Sentinels, ConformalConicWithDegenerateParallels) {
  // Equal parallels: the tangent cone, n = sin latp1, on both surfaces.
  for (const int code : {3, 4}) {
    llpparam.latp1 = llpparam.latp2 = radians(45);
    derive_constants(code);
    EXPECT_NEAR(llpparam.pconst1, std::sin(pi / 4), 1e-7) << code;
    // Parallels a hundred-thousandth of a degree apart give the same cone:
    // no cancellation noise.
    const real tangent = llpparam.pconst1, f = llpparam.pconst2;
    llpparam.latp2 = radians(45.00001);
    derive_constants(code);
    EXPECT_NEAR(llpparam.pconst1, tangent, 2e-7) << code;
    EXPECT_NEAR(llpparam.pconst2, f, 2e-6) << code;
  }
  // On the sphere the tangent cone's F is cos p tan(pi/4 + p/2)^n / n.
  llpparam.latp1 = llpparam.latp2 = radians(45);
  slcc2();
  const double n = std::sin(pi / 4);
  EXPECT_NEAR(llpparam.pconst2, std::cos(pi / 4) * std::pow(std::tan(3 * pi / 8), n) / n, 1e-6);
  // Parallels symmetric about the equator: n = 0, the cone opened into a
  // cylinder: Mercator at the scale of the parallels.
  for (const auto& [conic, mercator] : {std::pair{3, 15}, {4, 16}}) {
    llpparam.longp1 = 0.0f;
    llpparam.latp1 = radians(30);
    llpparam.latp2 = radians(-30);
    derive_constants(conic);
    EXPECT_EQ(llpparam.pconst1, 0.0f);
    const double e2 = conic == 4 ? ellipsoid.ecc2 : 0.0;
    const double scale = std::cos(pi / 6) / std::sqrt(1 - e2 * 0.25);
    EXPECT_NEAR(llpparam.pconst2, scale, 1e-7);
    for (const double lon : {-120.0, 10.0}) {
      for (const double lat : {-70.0, 0.0, 45.0}) {
        const auto c = project_one(conic, lon, lat), m = project_one(mercator, lon, lat);
        EXPECT_NEAR(c.first, scale * m.first, 1e-6) << conic << " " << lon << " " << lat;
        EXPECT_NEAR(c.second, scale * m.second, 1e-6) << conic << " " << lon << " " << lat;
      }
    }
    EXPECT_EQ(project_one(conic, 10, 90).second, infinite_image);
    EXPECT_EQ(project_one(conic, 10, -90).second, -infinite_image);
    // Nearly symmetric: a very flat cone, close to that limit.
    llpparam.latp2 = radians(-29.999);
    derive_constants(conic);
    EXPECT_NE(llpparam.pconst1, 0.0f);
    const auto c = project_one(conic, -120, 45), m = project_one(mercator, -120, 45);
    EXPECT_NEAR(c.first, scale * m.first, 1e-3);
    EXPECT_NEAR(c.second, scale * m.second, 1e-3);
  }
  // A standard parallel at a pole defines no cone: every point at infinity.
  llpparam.latp1 = radians(90);
  llpparam.latp2 = radians(60);
  slcc2();
  EXPECT_EQ(llpparam.pconst2, infinite_image);
  const auto [x, y] = project_one(3, 10, 50);
  EXPECT_TRUE(at_infinity(x, y));
}

TEST_F(Sentinels, EqualAreaConicsWithTheirParallelOnTheEquator) {
  // With the standard parallel on the equator, Albers opens into the
  // cylindrical equal-area projection (not every point on the central
  // meridian), and Bonne's apex goes to infinity, leaving the sinusoidal
  // projection. A parallel just off the equator gives nearly that map.
  struct Limit {
    int code, limit_code;
    double near_equator, tolerance;
  };
  for (const Limit l : {Limit{19, 23, 0.001, 1e-4}, {20, 22, 0.01, 1e-3}}) {
    llpparam.latp1 = 0.0f;
    derive_constants(l.code);
    for (const double lon : {-150.0, 20.0}) {
      for (const double lat : {-60.0, 0.0, 35.0}) {
        EXPECT_EQ(project_one(l.code, lon, lat), project_one(l.limit_code, lon, lat)) << l.code << " " << lon << " " << lat;
      }
    }
    llpparam.latp1 = radians(l.near_equator);
    derive_constants(l.code);
    EXPECT_NEAR(project_one(l.code, 20, 35).first, project_one(l.limit_code, 20, 35).first, l.tolerance) << l.code;
    EXPECT_NEAR(project_one(l.code, 20, 35).second, project_one(l.limit_code, 20, 35).second, l.tolerance) << l.code;
  }
  // Bonne stores its apex at infinity as 1.0E20.
  llpparam.latp1 = 0.0f;
  sbonnesph2();
  EXPECT_EQ(llpparam.pconst1, infinite_image);
  EXPECT_EQ(llpparam.pconst2, infinite_image);
  // Bonne's apex itself (the standard parallel at the pole): Werner's
  // centre.
  llpparam.latp1 = anglerad.half_pi();
  sbonnesph2();
  EXPECT_NEAR(project_one(20, 45, 90).first, 0.0, 1e-6);
}

TEST_F(Sentinels, InternationalMapWithEqualParallelsHasNoSheet) {
  llpparam.longp2 = radians(2);
  llpparam.latp1 = llpparam.latp2 = radians(40);
  simwpoly2();
  EXPECT_EQ(forimwpoly.imwc6, infinite_image);
  for (const double lat : {0.0, 40.0, 41.0}) {
    const auto [x, y] = project_one(14, 1, lat);
    EXPECT_TRUE(at_infinity(x, y)) << lat;
  }
}

}  // namespace
}  // namespace dorvix::testing
