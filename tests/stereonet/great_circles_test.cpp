// Nodal planes as great circles, read back from the paths of the plot
// file, under all four projection types.

#include "stereonet/great_circles.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "stereonet/net_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = std::numbers::pi;

class GreatCircles : public NetTest {};

TEST_F(GreatCircles, FromStrikeThroughDipDirectionOnTheLowerHemisphere) {
  // A user unit of 1000 points: the two decimals of the records give the
  // points to 1.0E-5.
  open(1000);
  constexpr double near = 2e-5;
  struct Plane {
    double strike, dip;  // degrees
  } planes[] = {{30, 0}, {30, 90}, {0, 45}, {200, 63}, {317, 12}};
  for (int type = 1; type <= 4; ++type) {
    use_projection(type);
    for (int np : {40, 41}) {
      sdspgc(np, setup::passed);
      for (const Plane& p : planes) {
        const double s = p.strike * pi / 180, d = p.dip * pi / 180;
        const real strike = real(s), dip = real(d);
        dspgcfadn(std::span(&strike, 1), std::span(&dip, 1), 1);
        const auto drawn_paths = paths_of(drawn());
        ASSERT_EQ(drawn_paths.size(), 1u);
        const auto& pts = drawn_paths[0].points;
        ASSERT_EQ(pts.size(), static_cast<std::size_t>(np));
        const std::string what = "type " + std::to_string(type) + " np " + std::to_string(np) + " plane " +
                                 std::to_string(p.strike) + " " + std::to_string(p.dip);
        // From the strike direction to the opposite one.
        EXPECT_LT(distance(user(pts.front()), net_point(type, s, 0)), near) << what;
        EXPECT_LT(distance(user(pts.back()), net_point(type, s + pi, 0)), near) << what;
        const Point strike_end = net_point(type, s, 0);
        for (const Point& q : pts) {
          const Point u = user(q);
          const double r = std::hypot(u.first, u.second);
          EXPECT_LE(r, 1 + near) << what;
          if (p.dip == 0) {
            EXPECT_NEAR(r, 1, near) << what;  // the half primitive circle
          }
          if (p.dip == 90) {
            // On the strike diameter.
            EXPECT_NEAR(u.first * strike_end.second - u.second * strike_end.first, 0, near) << what;
          }
        }
        // An odd count passes the dip direction at its middle point.
        if (np % 2 == 1) {
          EXPECT_LT(distance(user(pts[static_cast<std::size_t>(np / 2)]), net_point(type, s + pi / 2, d)), near)
              << what;
        }
      }
    }
  }
  EXPECT_EQ(dspgcbk.nptgc, 41);
}

}  // namespace
}  // namespace dorvix::testing
