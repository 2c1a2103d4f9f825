#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "files/stops.hpp"
#include "geometry/euler.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using testing::error_box;
using testing::GeometryTest;
using testing::warning_box;

using EulerAngles = GeometryTest;
using Matrix = std::array<float, 9>;  // element (i, j) at (i - 1) + 3 (j - 1)

constexpr float tiny = 1e-6f;

Matrix matrix_of(float phi, float theta, float psi) {
  Matrix se{};
  eu2se123(se, std::array{phi}, std::array{theta}, std::array{psi}, 1, 1);
  return se;
}

struct Angles {
  float phi = 9, theta = 9, psi = 9;
};

Angles angles_of(Matrix& se) {
  Angles a;
  se1232eu({&a.phi, 1}, {&a.theta, 1}, {&a.psi, 1}, se, 1, 1);
  return a;
}

// R = Rz(phi) Rx(theta) Rz(psi) multiplied out in double precision.
std::array<double, 9> product(double phi, double theta, double psi) {
  auto rz = [](double a) { return std::array<double, 9>{std::cos(a), std::sin(a), 0, -std::sin(a), std::cos(a), 0, 0, 0, 1}; };
  auto rx = [](double b) { return std::array<double, 9>{1, 0, 0, 0, std::cos(b), std::sin(b), 0, -std::sin(b), std::cos(b)}; };
  auto mul = [](const std::array<double, 9>& a, const std::array<double, 9>& b) {
    std::array<double, 9> c{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 3; ++k) c[i + 3 * j] += a[i + 3 * k] * b[k + 3 * j];
    return c;
  };
  return mul(mul(rz(phi), rx(theta)), rz(psi));
}

TEST_F(EulerAngles, IdentityBothWays) {
  Matrix se = matrix_of(0, 0, 0);
  EXPECT_EQ(se, (Matrix{1, 0, 0, 0, 1, 0, 0, 0, 1}));
  const Angles a = angles_of(se);
  EXPECT_EQ(a.phi, 0.0f);
  EXPECT_EQ(a.theta, 0.0f);
  EXPECT_EQ(a.psi, 0.0f);
  EXPECT_TRUE(screen().empty());
}

TEST_F(EulerAngles, QuarterTurnAboutAxisOne) {
  const float h = anglerad.half_pi();
  Matrix se = matrix_of(0, h, 0);
  const Matrix want{1, 0, 0, 0, 0, 1, 0, -1, 0};
  for (std::size_t k = 0; k < 9; ++k) EXPECT_NEAR(se[k], want[k], tiny) << k;
  const Angles a = angles_of(se);
  EXPECT_NEAR(a.phi, 0.0f, tiny);
  EXPECT_EQ(a.theta, std::acos(se[8]));
  EXPECT_NEAR(a.theta, h, tiny);
  EXPECT_NEAR(a.psi, 0.0f, tiny);
}

TEST_F(EulerAngles, MatricesAreTheProductOfTheThreeTurns) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> angle(-7.0f, 7.0f);
  for (int n = 0; n < 200; ++n) {
    const float phi = angle(gen), theta = angle(gen), psi = angle(gen);
    const Matrix se = matrix_of(phi, theta, psi);
    const auto want = product(phi, theta, psi);
    for (std::size_t k = 0; k < 9; ++k) ASSERT_NEAR(se[k], want[k], 4 * tiny) << phi << " " << theta << " " << psi;
  }
}

TEST_F(EulerAngles, RoundTripKeepsThetaAndReducesPhiAndPsi) {
  std::mt19937 gen(11);
  std::uniform_real_distribution<float> angle(-7.0f, 7.0f), tilt(0.01f, 3.13f);
  for (int n = 0; n < 500; ++n) {
    const float phi = angle(gen), theta = tilt(gen), psi = angle(gen);
    Matrix se = matrix_of(phi, theta, psi);
    const Angles a = angles_of(se);
    ASSERT_NEAR(a.theta, theta, 2e-6f);
    ASSERT_LE(std::fabs(a.phi), anglerad.pi());
    ASSERT_LE(std::fabs(a.psi), anglerad.pi());
    ASSERT_NEAR(std::remainder(a.phi - phi, 2 * M_PI), 0.0, 2e-5) << phi << " " << theta << " " << psi;
    ASSERT_NEAR(std::remainder(a.psi - psi, 2 * M_PI), 0.0, 2e-5) << phi << " " << theta << " " << psi;
  }
  EXPECT_TRUE(screen().empty());
}

TEST_F(EulerAngles, HalfTurnPutsTheWholeTurnIntoPsi) {
  for (float psi : {0.0f, 0.7f, -2.5f, 3.0f}) {
    Matrix se{std::cos(psi), -std::sin(psi), 0, -std::sin(psi), -std::cos(psi), 0, 0, 0, -1};
    const Angles a = angles_of(se);
    EXPECT_EQ(a.phi, 0.0f);
    EXPECT_EQ(a.theta, anglerad.pi());
    EXPECT_NEAR(a.psi, psi, 2 * tiny);
  }
  EXPECT_TRUE(screen().empty());
}

struct ClampCase {
  float v;
  bool warning;
  std::string line3;
  float reset;
};

TEST_F(EulerAngles, ElementBeyondOneIsClampedAndReported) {
  const float eps_bound = 1.0f + 0x1p-20f;
  const ClampCase cases[] = {
      {std::nextafter(1.0f, 2.0f), true, " 1 < se(3,3) =  1.00000 < 1+eps", 1.0f},
      {eps_bound, true, " 1 < se(3,3) =  1.00000 < 1+eps", 1.0f},
      {std::nextafter(eps_bound, 2.0f), false, " 1 < se(3,3) =  1.00000", 1.0f},
      {1.5f, false, " 1 < se(3,3) =  1.50000", 1.0f},
      {-std::nextafter(1.0f, 2.0f), true, " -1-eps < se(3,3) = -1.00000 < -1", -1.0f},
      {-eps_bound, true, " -1-eps < se(3,3) = -1.00000 < -1", -1.0f},
      {-2.0f, false, " se(3,3) = -2.00000 < -1", -1.0f},
  };
  for (const ClampCase& c : cases) {
    type({""});
    Matrix se{1, 0, 0, 0, 1, 0, 0, 0, c.v};
    if (c.reset < 0) se[4] = -1;
    const Angles a = angles_of(se);
    const std::vector<std::string> message{" data number =      1", " Vertical s3", c.line3,
                                           c.reset > 0 ? " ===> reset se(3,3) =  1.00000"
                                                       : " ===> reset se(3,3) = -1.00000"};
    EXPECT_EQ(screen_lines(), c.warning ? warning_box("se1232eu", message) : error_box("se1232eu", message))
        << c.v;
    EXPECT_EQ(se[8], c.reset);
    EXPECT_EQ(a.theta, c.reset > 0 ? 0.0f : anglerad.pi());
    EXPECT_EQ(a.phi, 0.0f);
    EXPECT_EQ(a.psi, 0.0f);
  }
}

TEST_F(EulerAngles, ClampingGoesOnWithTheNextEntries) {
  type({""});
  const float h = anglerad.half_pi();
  std::array<float, 18> se{};
  eu2se123(se, std::array{0.0f, 0.3f}, std::array{0.0f, h}, std::array{0.0f, -0.4f}, 2, 2);
  se[8] = 1.25f;
  std::array<float, 2> phi{}, theta{}, psi{};
  se1232eu(phi, theta, psi, se, 2, 2);
  const auto lines = screen_lines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[9], " data number =      1");
  EXPECT_NEAR(phi[1], 0.3f, tiny);
  EXPECT_NEAR(theta[1], h, tiny);
  EXPECT_NEAR(psi[1], -0.4f, tiny);
}

TEST_F(EulerAngles, PolarAngleQuadrants) {
  const float pi = anglerad.pi(), h = anglerad.half_pi();
  struct Case {
    float x, y, want;
  };
  const Case cases[] = {
      {1, 1, pi / 4},       {0, 0, h},          {-0.0f, 0, h},           {0, -1, -h},
      {-1, 0, pi},          {-1, -0.0f, pi},    {-1, -1, -3 * pi / 4},   {-1, 1, 3 * pi / 4},
      {1, -1, -pi / 4},     {2, 0, 0},          {0, 5, h},               {-1e-30f, -1, -h},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(panglerad(c.x, c.y), c.want, tiny) << c.x << " " << c.y;
  }
  EXPECT_EQ(panglerad(-1, 0), pi);
  EXPECT_EQ(panglerad(-1, -0.0f), pi);
  EXPECT_EQ(panglerad(0, 0), h);
  EXPECT_EQ(panglerad(std::nanf(""), 1), 0.0f);
  EXPECT_EQ(panglerad(1, std::nanf("")), 0.0f);
  EXPECT_EQ(panglerad(0, std::nanf("")), 0.0f);
}

TEST_F(EulerAngles, NothingIsTouchedForNoEntries) {
  std::array<float, 9> se;
  se.fill(7);
  std::array<float, 1> a{7}, b{7}, c{7};
  eu2se123(se, a, b, c, 0, 1);
  se1232eu(a, b, c, se, -1, 1);
  EXPECT_EQ(se[0], 7);
  EXPECT_EQ(se[8], 7);
  EXPECT_EQ(a[0], 7);
  EXPECT_EQ(c[0], 7);
}

TEST_F(EulerAngles, CountBeyondTheArraysStopsTheRunAfterTheEntriesThatFit) {
  std::array<float, 18> se{};
  const std::array<float, 2> phi{0.1f, 0.2f}, theta{0.3f, 0.4f}, psi{0.5f, 0.6f};
  try {
    eu2se123(se, phi, theta, psi, 3, 2);
    FAIL() << "the run goes on";
  } catch (const RunEnded& e) {
    EXPECT_EQ(e.status, exit_stopped_by_program);
  }
  EXPECT_NEAR(se[9 + 8], std::cos(0.4f), tiny);  // entry 2 converted
  EXPECT_NE(screen().find("index out of bounds: entry 3 of arrays of 2"), std::string::npos);

  std::array<float, 2> p{9, 9}, t{9, 9}, s{9, 9};
  EXPECT_THROW(se1232eu(p, t, s, se, 5, 2), RunEnded);
  EXPECT_NEAR(t[1], 0.4f, tiny);
  // The declared extent rules even when the arrays are longer.
  std::array<float, 2> q{9, 9};
  EXPECT_THROW(se1232eu(q, t, s, se, 2, 1), RunEnded);
  EXPECT_EQ(q[1], 9);
}

}  // namespace
}  // namespace dorvix
