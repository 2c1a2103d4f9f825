#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numbers>
#include <vector>

#include "catalogue/angles.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using testing::GeometryTest;
using testing::ulps_apart;

using AngleConstants = GeometryTest;

TEST_F(AngleConstants, TrigosetReportsInItsFrame) {
  trigoset();
  EXPECT_EQ(screen_lines(), (std::vector<std::string>{
                                " @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
                                " @ subroutine trigoset   ",
                                " @==========================================",
                                " Initializing /trig/ block",
                                " Initializing /anglerad/ block",
                            }));
}

TEST_F(AngleConstants, ValuesAreTheSinglePrecisionAngles) {
  constexpr double pi = std::numbers::pi;
  EXPECT_EQ(trig.pi, static_cast<float>(pi));
  EXPECT_EQ(trig.pi2, static_cast<float>(pi / 2));
  EXPECT_EQ(trig.pi4, static_cast<float>(pi / 4));
  EXPECT_LE(ulps_apart(trig.dr, static_cast<float>(pi / 180)), 1);
  EXPECT_EQ(trig.pi2i, trig.pi2 - 1.0e-5f);
  EXPECT_EQ(trig.pi2s, trig.pi2 + 1.0e-5f);

  const double want[9] = {pi / 4, pi / 3, pi / 2, 3 * pi / 4, pi, 3 * pi / 2, 2 * pi, pi / 180, 180 / pi};
  for (int k = 1; k <= 9; ++k) {
    EXPECT_LE(ulps_apart(anglerad(k), static_cast<float>(want[k - 1])), 1) << "angr(" << k << ")";
  }
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(angleradi(k), anglerad(k) - 1.0e-5f) << k;
    EXPECT_EQ(anglerads(k), anglerad(k) + 1.0e-5f) << k;
  }
  // The conversion factor comes from the stored pi, not from h / 90.
  EXPECT_EQ(anglerad(8), trig.pi / 180.0f);
}

TEST_F(AngleConstants, SecondCallKeepsEveryBitAndReportsAgain) {
  const Trig t = trig;
  const AngleRad a = anglerad;
  const AngleRadI ai = angleradi;
  const AngleRadS as = anglerads;
  trigoset();
  EXPECT_EQ(screen_lines().size(), 5u);
  using Six = std::array<float, 6>;
  EXPECT_EQ(std::bit_cast<Six>(t), std::bit_cast<Six>(trig));
  EXPECT_EQ(a.angr, anglerad.angr);
  EXPECT_EQ(ai.angri, angleradi.angri);
  EXPECT_EQ(as.angrs, anglerads.angrs);
}

TEST_F(AngleConstants, DegreesAndRadiansOfOneValue) {
  EXPECT_EQ(rad(180.0f), anglerad(8) * 180.0f);
  EXPECT_LE(ulps_apart(rad(180.0f), static_cast<float>(std::numbers::pi)), 1);
  EXPECT_LE(ulps_apart(deg(anglerad(5)), 180.0f), 1);
  EXPECT_EQ(rad(0.0f), 0.0f);
  EXPECT_EQ(deg(-anglerad(3)), -deg(anglerad(3)));
}

TEST_F(AngleConstants, ArrayConversionsCountAndWorkInPlace) {
  std::vector<float> a{90.0f, -45.0f, 360.0f};
  const std::vector<float> before = a;
  deg2rad(a, a, 0);
  rad2deg(a, a, -3);
  EXPECT_EQ(a, before);

  deg2rad(a, a, 2);  // the third value stays in degrees
  EXPECT_EQ(a[0], anglerad(8) * 90.0f);
  EXPECT_EQ(a[1], anglerad(8) * -45.0f);
  EXPECT_EQ(a[2], 360.0f);

  std::vector<float> back(2);
  rad2deg(back, a, 2);
  EXPECT_NEAR(back[0], 90.0f, 1e-4f);
  EXPECT_NEAR(back[1], -45.0f, 1e-4f);
}

}  // namespace
}  // namespace dorvix
