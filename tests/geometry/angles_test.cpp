#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "geometry/angles.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using testing::GeometryTest;
using testing::ulps_apart;

using AngleConstants = GeometryTest;

// Each constant read by its name is the element of the record that the
// name says, has the bits that single-precision arithmetic gives at run
// time from h = acos(0), one rounded operation at a time, and lies within
// one unit in the last place of the angle it names; each of the seven
// angles has its bounds 1.0E-5 below and above. pi/2, pi/4 and the degree
// factor are also h itself, h / 2 and h / 90.
TEST_F(AngleConstants, ConstantsHaveTheBitsOfTheRunTimeArithmetic) {
  volatile float zero = 0.0f;  // keeps acos and what follows at run time
  const float h = std::acos(zero);
  const float tolerance = 1.0e-5f;
  const float pi = 2.0f * h;
  constexpr double exact = std::numbers::pi;
  const auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
  struct Entry {
    const char* name;
    float value;
    std::size_t element;
    float computed;
    double angle;
    float lower = 0, upper = 0;  // of the seven angles
  };
  const Entry entries[] = {
      {"quarter_pi", anglerad.quarter_pi(), 0, pi / 4.0f, exact / 4, angleradi.quarter_pi(), anglerads.quarter_pi()},
      {"third_pi", anglerad.third_pi(), 1, pi / 3.0f, exact / 3, angleradi.third_pi(), anglerads.third_pi()},
      {"half_pi", anglerad.half_pi(), 2, pi / 2.0f, exact / 2, angleradi.half_pi(), anglerads.half_pi()},
      {"three_quarter_pi", anglerad.three_quarter_pi(), 3, (pi * 3.0f) / 4.0f, 3 * exact / 4,
       angleradi.three_quarter_pi(), anglerads.three_quarter_pi()},
      {"pi", anglerad.pi(), 4, pi, exact, angleradi.pi(), anglerads.pi()},
      {"three_half_pi", anglerad.three_half_pi(), 5, (pi * 3.0f) / 2.0f, 3 * exact / 2, angleradi.three_half_pi(),
       anglerads.three_half_pi()},
      {"two_pi", anglerad.two_pi(), 6, pi * 2.0f, 2 * exact, angleradi.two_pi(), anglerads.two_pi()},
      {"rad_per_deg", anglerad.rad_per_deg(), 7, pi / 180.0f, exact / 180},
      {"deg_per_rad", anglerad.deg_per_rad(), 8, 180.0f / pi, 180 / exact},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(bits(e.value), bits(anglerad.angr[e.element])) << e.name;
    EXPECT_EQ(bits(e.value), bits(e.computed)) << e.name;
    EXPECT_LE(ulps_apart(e.value, static_cast<float>(e.angle)), 1) << e.name;
    if (e.element < 7) {
      EXPECT_EQ(bits(e.lower), bits(angleradi.angri[e.element])) << e.name;
      EXPECT_EQ(bits(e.upper), bits(anglerads.angrs[e.element])) << e.name;
      EXPECT_EQ(bits(e.lower), bits(e.computed - tolerance)) << e.name;
      EXPECT_EQ(bits(e.upper), bits(e.computed + tolerance)) << e.name;
    }
  }
  EXPECT_EQ(bits(anglerad.half_pi()), bits(h));
  EXPECT_EQ(bits(anglerad.quarter_pi()), bits(h / 2.0f));
  EXPECT_EQ(bits(anglerad.rad_per_deg()), bits(h / 90.0f));
}

TEST_F(AngleConstants, DegreesAndRadiansOfOneValue) {
  EXPECT_EQ(rad(180.0f), anglerad.rad_per_deg() * 180.0f);
  EXPECT_LE(ulps_apart(rad(180.0f), static_cast<float>(std::numbers::pi)), 1);
  EXPECT_LE(ulps_apart(deg(anglerad.pi()), 180.0f), 1);
  static_assert(rad(0.0f) == 0.0f && deg(0.0f) == 0.0f);  // known at compile time
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
