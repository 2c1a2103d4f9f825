#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "catalogue/nodal_plane.hpp"
#include "geometry/geometry_fixture.hpp"
#include "real_data.hpp"

namespace dorvix {
namespace {

using testing::angle_difference;
using testing::GeometryTest;

using SecondPlane = GeometryTest;

struct Plane {
  double strike, dip, rake;  // degrees
};

Plane second_plane(const Plane& p) {
  float s = 0, d = 0, r = 0;
  nodalpladrdeg(s, d, r, static_cast<float>(p.strike), static_cast<float>(p.dip), static_cast<float>(p.rake));
  return {s, d, r};
}

// --- An independent model of the double couple, in double precision ------
// Aki & Richards (2002), eq. 4.83, frame x north, y east, z down: the unit
// normal n of the fault (pointing up into the hanging wall) and the unit
// slip d of the hanging wall.
struct Vec {
  double x, y, z;
  Vec operator-() const { return {-x, -y, -z}; }
};
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr double to_rad = std::numbers::pi / 180.0;
constexpr double to_deg = 180.0 / std::numbers::pi;

Vec normal_of(const Plane& p) {
  const double s = p.strike * to_rad, d = p.dip * to_rad;
  return {-std::sin(d) * std::sin(s), std::sin(d) * std::cos(s), -std::cos(d)};
}
Vec slip_of(const Plane& p) {
  const double s = p.strike * to_rad, d = p.dip * to_rad, r = p.rake * to_rad;
  return {std::cos(r) * std::cos(s) + std::sin(r) * std::cos(d) * std::sin(s),
          std::cos(r) * std::sin(s) - std::sin(r) * std::cos(d) * std::cos(s), -std::sin(r) * std::sin(d)};
}

// The plane with normal n and slip d (the normal turned upwards first).
Plane plane_of(Vec n, Vec d) {
  if (n.z > 0) {
    n = -n;
    d = -d;
  }
  const double dip = std::acos(std::clamp(-n.z, -1.0, 1.0));
  const double strike = std::atan2(-n.x, n.y);
  const double rake = std::atan2(-d.z, std::sin(dip) * (d.x * std::cos(strike) + d.y * std::sin(strike)));
  return {strike * to_deg, dip * to_deg, rake * to_deg};
}

// The textbook auxiliary plane: normal and slip exchanged.
Plane auxiliary_plane(const Plane& p) { return plane_of(slip_of(p), normal_of(p)); }

// Moment tensor of the double couple, n d^T + d n^T (up to the moment).
std::array<double, 9> moment_tensor(const Plane& p) {
  const Vec n = normal_of(p), d = slip_of(p);
  const double a[3] = {n.x, n.y, n.z}, b[3] = {d.x, d.y, d.z};
  std::array<double, 9> m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[3 * i + j] = a[i] * b[j] + b[i] * a[j];
  return m;
}

double tensor_difference(const Plane& a, const Plane& b) {
  const auto ma = moment_tensor(a), mb = moment_tensor(b);
  double worst = 0;
  for (std::size_t k = 0; k < 9; ++k) worst = std::max(worst, std::fabs(ma[k] - mb[k]));
  return worst;
}

// Largest difference of strike, dip and rake in degrees; a vertical plane
// may be described from either side, (s, 90, r) or (s + 180, 90, -r).
double plane_difference(const Plane& a, const Plane& b) {
  auto diff = [](const Plane& p, const Plane& q) {
    return std::max({std::fabs(angle_difference(p.strike, q.strike)), std::fabs(p.dip - q.dip),
                     std::fabs(angle_difference(p.rake, q.rake))});
  };
  double d = diff(a, b);
  if (std::fabs(b.dip - 90) < 2) d = std::min(d, diff(a, {b.strike + 180, b.dip, -b.rake}));
  return d;
}

// Angle in degrees between the double couples' normals and between their
// slips, the pair taken with either joint sign.
double direction_difference(const Plane& a, const Plane& b) {
  auto angle = [](const Vec& u, const Vec& v) { return std::acos(std::clamp(dot(u, v), -1.0, 1.0)) * to_deg; };
  const Vec na = normal_of(a), da = slip_of(a), nb = normal_of(b), db = slip_of(b);
  return std::min(std::max(angle(na, nb), angle(da, db)), std::max(angle(na, -nb), angle(da, -db)));
}

// --- Worked examples ------------------------------------------------------

TEST_F(SecondPlane, WorkedExamples) {
  struct Case {
    Plane given, want;
  };
  const Case cases[] = {
      {{30, 60, 45}, {-86.57, 52.24, 140.77}},
      {{200, 30, -120}, {53.69, 64.34, -73.90}},
      {{350, 80, 10}, {-101.75, 80.15, 169.85}},
      {{45, 45, 0}, {135, 90, -135}},
      // Horizontal given plane: vertical second plane, rake -90.
      {{0, 0, 0}, {90, 90, -90}},
      {{100, 0, -30}, {-140, 90, -90}},
      // Vertical slip: horizontal second plane.
      {{30, 90, 90}, {0, 0, -120}},
      {{30, 90, -90}, {0, 0, 60}},
      {{30, 90, 170}, {120, 80, 0}},
      {{120, 80, 0}, {-150, 90, -170}},
  };
  for (const Case& c : cases) {
    const Plane got = second_plane(c.given);
    EXPECT_NEAR(got.strike, c.want.strike, 0.01) << c.given.strike << " " << c.given.dip << " " << c.given.rake;
    EXPECT_NEAR(got.dip, c.want.dip, 0.01) << c.given.strike << " " << c.given.dip << " " << c.given.rake;
    EXPECT_NEAR(got.rake, c.want.rake, 0.01) << c.given.strike << " " << c.given.dip << " " << c.given.rake;
  }
  EXPECT_TRUE(screen().empty());
}

TEST_F(SecondPlane, PureThrustGivesTheOppositeStrike) {
  const Plane got = second_plane({0, 45, 90});
  EXPECT_NEAR(std::fabs(got.strike), 180, 0.01);
  EXPECT_NEAR(got.dip, 45, 0.01);
  EXPECT_NEAR(got.rake, 90, 0.01);
}

TEST_F(SecondPlane, HorizontalGivenPlaneReducesStrikeMinusRake) {
  // strike2 = strike - rake + 90, in [-180, 180].
  for (const Plane p : {Plane{300, 0, 20}, Plane{10, 0, 170}, Plane{-170, 0, -100}, Plane{200, 0, 110}}) {
    const Plane got = second_plane(p);
    EXPECT_NEAR(got.dip, 90, 1e-4);
    EXPECT_NEAR(got.rake, -90, 1e-4);
    EXPECT_LE(std::fabs(got.strike), 180.0);
    EXPECT_NEAR(angle_difference(got.strike, p.strike - p.rake + 90), 0, 1e-3) << p.strike << " " << p.rake;
  }
}

TEST_F(SecondPlane, SecondOfSecondGivesBackTheGivenPlane) {
  const Plane back = second_plane(second_plane({200, 30, -120}));
  EXPECT_NEAR(back.strike, -160, 0.001);
  EXPECT_NEAR(back.dip, 30, 0.001);
  EXPECT_NEAR(back.rake, -120, 0.001);
  // A vertical plane may come back from its other side.
  const Plane other = second_plane(second_plane({30, 90, 170}));
  EXPECT_NEAR(other.strike, -150, 0.001);
  EXPECT_NEAR(other.dip, 90, 0.001);
  EXPECT_NEAR(other.rake, -170, 0.001);

  double worst = 0;
  for (int strike = -30; strike <= 390; strike += 7) {
    for (int dip = 1; dip <= 89; dip += 2) {
      for (int rake = -179; rake <= 179; rake += 6) {
        const Plane given{double(strike), double(dip), double(rake)};
        const Plane p2 = second_plane(given);
        ASSERT_LE(std::fabs(p2.strike), 180.0);
        ASSERT_GE(p2.dip, 0.0);
        ASSERT_LE(p2.dip, 90.0);
        ASSERT_LE(std::fabs(p2.rake), 180.0);
        const Plane p1 = second_plane(p2);
        ASSERT_LE(std::fabs(p1.strike), 180.0);
        const double d = std::max({std::fabs(angle_difference(p1.strike, strike)), std::fabs(p1.dip - dip),
                                   std::fabs(angle_difference(p1.rake, rake))});
        worst = std::max(worst, d);
        ASSERT_LE(d, 0.001) << strike << " " << dip << " " << rake << " -> " << p2.strike << " " << p2.dip << " "
                            << p2.rake << " -> " << p1.strike << " " << p1.dip << " " << p1.rake;
      }
    }
  }
  RecordProperty("worst_round_trip_degrees", std::to_string(worst));
}

// --- Independent check: the textbook exchange of slip and normal -----------

TEST_F(SecondPlane, SameDoubleCoupleAsTheTextbookAuxiliaryPlane) {
  double worst_tensor = 0, worst_plane = 0;
  for (int strike = 0; strike < 360; strike += 25) {
    for (int dip = 0; dip <= 90; dip += 5) {
      for (int rake = -180; rake <= 180; rake += 15) {
        const Plane given{double(strike), double(dip), double(rake)};
        const Plane got = second_plane(given);
        // Same moment tensor for both planes.
        const double dt = tensor_difference(given, got);
        worst_tensor = std::max(worst_tensor, dt);
        ASSERT_LT(dt, 2e-6) << strike << " " << dip << " " << rake;
        // Same plane as the textbook's, where a plane has a defined strike
        // and rake (not horizontal).
        if (got.dip < 0.5) continue;
        const double dp = plane_difference(got, auxiliary_plane(given));
        worst_plane = std::max(worst_plane, dp);
        ASSERT_LT(dp, 0.005) << strike << " " << dip << " " << rake << " -> " << got.strike << " " << got.dip
                             << " " << got.rake;
      }
    }
  }
  RecordProperty("worst_tensor_difference", std::to_string(worst_tensor));
  RecordProperty("worst_plane_difference_degrees", std::to_string(worst_plane));
}

// --- Published catalogues: both planes as published, whole degrees --------

void check_published_planes(const std::string& file, std::size_t rows_expected, double& worst) {
  const auto rows = testing::real_data_table(file);
  ASSERT_EQ(rows.size(), rows_expected);
  for (const auto& row : rows) {
    const Plane p1{row.number(7), row.number(8), row.number(9)};
    const Plane published{row.number(10), row.number(11), row.number(12)};
    const Plane got = second_plane(p1);
    const double d = direction_difference(got, published);
    worst = std::max(worst, d);
    EXPECT_LE(d, 1.5) << row[0] << ": " << got.strike << " " << got.dip << " " << got.rake;
  }
}

TEST_F(SecondPlane, SwissCatalogueGivesThePublishedSecondPlanes) {
  double worst = 0;
  check_published_planes("sed_switzerland_fm.csv", 629, worst);
  RecordProperty("worst_direction_degrees", std::to_string(worst));
}

TEST_F(SecondPlane, GlobalCmtCatalogueGivesThePublishedSecondPlanes) {
  double worst = 0;
  check_published_planes("gcmt_m7plus_fm.csv", 467, worst);
  RecordProperty("worst_direction_degrees", std::to_string(worst));
}

}  // namespace
}  // namespace dorvix
