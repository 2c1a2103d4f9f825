#include "geometry/notices.hpp"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "geometry/euler.hpp"
#include "geometry/vectors.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using GeometryNoticesTest = testing::GeometryTest;

// Until the dialogue hands its notices in, the geometry tells nothing and
// goes on as it does after telling; a count beyond the arrays still stops
// the process rather than run past them.
TEST_F(GeometryNoticesTest, NothingIsToldUntilTheNoticesAreHandedIn) {
  geometry_notices = {};
  std::vector<float> lon(1, 9), lat(1, 9);
  cc2lln(lon, lat, std::vector<float>{2}, std::vector<float>{0}, std::vector<float>{0}, 1);
  EXPECT_EQ(lon[0], 0.0f);
  EXPECT_EQ(lat[0], 0.0f);

  std::array<float, 9> se{1, 0, 0, 0, 1, 0, 0, 0, 1.5f};
  float phi = 9, theta = 9, psi = 9;
  se1232eu({&phi, 1}, {&theta, 1}, {&psi, 1}, se, 1, 1);
  EXPECT_EQ(se[8], 1.0f);
  EXPECT_EQ(theta, 0.0f);
  EXPECT_TRUE(screen().empty());

  EXPECT_DEATH(eu2se123(se, std::array{0.0f}, std::array{0.0f}, std::array{0.0f}, 2, 1), "");
}

}  // namespace
}  // namespace dorvix
