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

  // Each entry by its name: the element of the record it reads, its value,
  // and for the seven angles the bounds 1.0E-5 below and above.
  struct Entry {
    const char* name;
    float value;
    std::size_t element;
    double want;
  };
  const Entry entries[] = {
      {"quarter_pi", anglerad.quarter_pi(), 0, pi / 4},
      {"third_pi", anglerad.third_pi(), 1, pi / 3},
      {"half_pi", anglerad.half_pi(), 2, pi / 2},
      {"three_quarter_pi", anglerad.three_quarter_pi(), 3, 3 * pi / 4},
      {"pi", anglerad.pi(), 4, pi},
      {"three_half_pi", anglerad.three_half_pi(), 5, 3 * pi / 2},
      {"two_pi", anglerad.two_pi(), 6, 2 * pi},
      {"rad_per_deg", anglerad.rad_per_deg(), 7, pi / 180},
      {"deg_per_rad", anglerad.deg_per_rad(), 8, 180 / pi},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(e.value, anglerad.angr[e.element]) << e.name;
    EXPECT_LE(ulps_apart(e.value, static_cast<float>(e.want)), 1) << e.name;
  }
  const float lower[] = {angleradi.quarter_pi(), angleradi.third_pi(), angleradi.half_pi(),
                         angleradi.three_quarter_pi(), angleradi.pi(), angleradi.three_half_pi(),
                         angleradi.two_pi()};
  const float upper[] = {anglerads.quarter_pi(), anglerads.third_pi(), anglerads.half_pi(),
                         anglerads.three_quarter_pi(), anglerads.pi(), anglerads.three_half_pi(),
                         anglerads.two_pi()};
  for (std::size_t k = 0; k < 7; ++k) {
    EXPECT_EQ(lower[k], entries[k].value - 1.0e-5f) << entries[k].name;
    EXPECT_EQ(upper[k], entries[k].value + 1.0e-5f) << entries[k].name;
  }
  // The conversion factor comes from the stored pi, not from h / 90.
  EXPECT_EQ(anglerad.rad_per_deg(), trig.pi / 180.0f);
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
  EXPECT_EQ(rad(180.0f), anglerad.rad_per_deg() * 180.0f);
  EXPECT_LE(ulps_apart(rad(180.0f), static_cast<float>(std::numbers::pi)), 1);
  EXPECT_LE(ulps_apart(deg(anglerad.pi()), 180.0f), 1);
  EXPECT_EQ(rad(0.0f), 0.0f);
  EXPECT_EQ(deg(-anglerad.half_pi()), -deg(anglerad.half_pi()));
}

TEST_F(AngleConstants, ArrayConversionsCountAndWorkInPlace) {
  std::vector<float> a{90.0f, -45.0f, 360.0f};
  const std::vector<float> before = a;
  deg2rad(a, a, 0);
  rad2deg(a, a, -3);
  EXPECT_EQ(a, before);

  deg2rad(a, a, 2);  // the third value stays in degrees
  EXPECT_EQ(a[0], anglerad.rad_per_deg() * 90.0f);
  EXPECT_EQ(a[1], anglerad.rad_per_deg() * -45.0f);
  EXPECT_EQ(a[2], 360.0f);

  std::vector<float> back(2);
  rad2deg(back, a, 2);
  EXPECT_NEAR(back[0], 90.0f, 1e-4f);
  EXPECT_NEAR(back[1], -45.0f, 1e-4f);
}

}  // namespace
}  // namespace dorvix
