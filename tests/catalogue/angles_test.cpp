#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "catalogue/angles.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using testing::GeometryTest;
using testing::ulps_apart;

using AngleConstants = GeometryTest;

// The records are constants: trigoset only reports, the same at each call.
TEST_F(AngleConstants, TrigosetReportsInItsFrameAtEachCall) {
  const std::vector<std::string> report{
      " @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
      " @ subroutine trigoset   ",
      " @==========================================",
      " Initializing /trig/ block",
      " Initializing /anglerad/ block",
  };
  trigoset();
  EXPECT_EQ(screen_lines(), report);
  trigoset();
  EXPECT_EQ(screen_lines(), report);
}

// Every constant has the bits that single-precision arithmetic gives at run
// time from h = acos(0), one rounded operation at a time: pi/2 and its
// bounds, pi/4 and the degree factor also as h itself, h / 2 and h / 90.
TEST_F(AngleConstants, ConstantsHaveTheBitsOfTheRunTimeArithmetic) {
  volatile float zero = 0.0f;  // keeps acos and what follows at run time
  const float h = std::acos(zero);
  const float tolerance = 1.0e-5f;
  const float pi = 2.0f * h;
  const float angles[] = {pi / 4.0f, pi / 3.0f, pi / 2.0f, (pi * 3.0f) / 4.0f, pi, (pi * 3.0f) / 2.0f, pi * 2.0f};
  struct Entry {
    const char* name;
    float constant, computed;
  };
  std::vector<Entry> entries{
      {"pi as 2h", anglerad.pi(), pi},
      {"pi/2 as h", anglerad.half_pi(), h},
      {"pi/4 as h / 2", anglerad.quarter_pi(), h / 2.0f},
      {"rad_per_deg as h / 90", anglerad.rad_per_deg(), h / 90.0f},
      {"rad_per_deg", anglerad.rad_per_deg(), pi / 180.0f},
      {"deg_per_rad", anglerad.deg_per_rad(), 180.0f / pi},
      {"pi/2 less 1.0E-5 as h less", angleradi.half_pi(), h - tolerance},
      {"pi/2 more 1.0E-5 as h more", anglerads.half_pi(), h + tolerance},
  };
  for (std::size_t k = 0; k < 7; ++k) {
    entries.push_back({"angr", anglerad.angr[k], angles[k]});
    entries.push_back({"angri", angleradi.angri[k], angles[k] - tolerance});
    entries.push_back({"angrs", anglerads.angrs[k], angles[k] + tolerance});
  }
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const Entry& e = entries[k];
    EXPECT_EQ(std::bit_cast<std::uint32_t>(e.constant), std::bit_cast<std::uint32_t>(e.computed))
        << e.name << " (entry " << k << ")";
  }
}

TEST_F(AngleConstants, ValuesAreTheSinglePrecisionAngles) {
  constexpr double pi = std::numbers::pi;
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
