#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/angles.hpp"
#include "catalogue/vectors.hpp"
#include "support/console_fixture.hpp"

namespace dorvix {
namespace {

using CcToLl = testing::ConsoleTest;

// Unit vectors a small angle from a pole come back with that angle to the
// precision of single-precision rounding (asin of the z component would
// lose up to 2.0E-4 rad at a hundredth of a degree).
TEST_F(CcToLl, LatitudeNearThePolesKeepsItsPrecision) {
  trigoset();
  for (const double colatitude_degrees : {0.001, 0.01, 0.1, 1.0}) {
    for (const double sign : {1.0, -1.0}) {
      const double c = colatitude_degrees * 3.14159265358979323846 / 180.0;
      real vx = static_cast<real>(std::sin(c) * 0.6), vy = static_cast<real>(std::sin(c) * 0.8),
           vz = static_cast<real>(sign * std::cos(c));
      real lon = 0, lat = 0;
      cc2lln(std::span(&lon, 1), std::span(&lat, 1), std::span(&vx, 1), std::span(&vy, 1), std::span(&vz, 1), 1);
      EXPECT_NEAR(lat, sign * (3.14159265358979323846 / 2 - c), 2.0e-7) << colatitude_degrees;
      EXPECT_NEAR(lon, std::atan2(0.8, 0.6), 2.0e-6 / colatitude_degrees) << colatitude_degrees;
    }
  }
  real vx = 0, vy = 0, vz = 1, lon = 1, lat = 0;
  cc2lln(std::span(&lon, 1), std::span(&lat, 1), std::span(&vx, 1), std::span(&vy, 1), std::span(&vz, 1), 1);
  EXPECT_EQ(lon, 0.0f);
  EXPECT_EQ(lat, anglerad(3));
}

}  // namespace
}  // namespace dorvix
