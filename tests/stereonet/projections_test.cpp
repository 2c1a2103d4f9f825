// The stereonet projections against PROJ: Schmidt as the south-polar
// Lambert azimuthal equal-area projection of radius 1/sqrt 2, Wulff as the
// south-polar stereographic projection of radius 1/2, with longitude =
// azimuth and latitude = -plunge. PROJ's x is east and y north: the
// retrograde types 4 and 2 exactly, the direct types 3 and 1 with x and y
// exchanged. Each type projects in place, as the great circles do.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "stereonet/projections.hpp"
#include "support/console_fixture.hpp"
#include "support/program_run.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

class StereonetProjection : public ConsoleTest {};

TEST_F(StereonetProjection, EveryTypeAgreesWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  // A grid of azimuths and of plunges from -80 to 90 degrees.
  std::vector<double> az, pl;
  std::string input;
  for (int a = -180; a <= 180; a += 15) {
    for (int p = -80; p <= 90; p += 5) {
      az.push_back(a + 0.37);
      pl.push_back(p);
      input += std::to_string(a + 0.37) + " " + std::to_string(-p) + "\n";
    }
  }
  struct Case {
    int type;
    const char* proj;
    bool exchanged;
  } cases[] = {{4, "+proj=laea +lat_0=-90 +R=0.70710678", false},
               {3, "+proj=laea +lat_0=-90 +R=0.70710678", true},
               {2, "+proj=stere +lat_0=-90 +R=0.5", false},
               {1, "+proj=stere +lat_0=-90 +R=0.5", true}};
  for (const Case& c : cases) {
    int type = c.type;
    sspro(type, setup::passed);
    const CommandResult r = run_command(std::string("proj -f %.9f ") + c.proj, input);
    ASSERT_EQ(r.status, 0) << r.output;
    std::vector<real> x, y;
    for (std::size_t i = 0; i < az.size(); ++i) {
      x.push_back(rad(static_cast<real>(az[i])));
      y.push_back(rad(static_cast<real>(pl[i])));
    }
    spron(x, y, x, y, static_cast<int>(x.size()));
    std::istringstream out(r.output);
    for (std::size_t i = 0; i < az.size(); ++i) {
      double east = 0, north = 0;
      ASSERT_TRUE(out >> east >> north);
      const double want_x = c.exchanged ? north : east, want_y = c.exchanged ? east : north;
      const double tolerance = 1e-5 * std::max(1.0, std::hypot(east, north));
      EXPECT_NEAR(x[i], want_x, tolerance) << "type " << c.type << " az " << az[i] << " pl " << pl[i];
      EXPECT_NEAR(y[i], want_y, tolerance) << "type " << c.type << " az " << az[i] << " pl " << pl[i];
    }
  }
  screen();
}

// A type that is none of the four: projecting with it reports it and
// offers the menu with 4 suggested; the set-up given one in a quiet mode
// reports it and shows the menu until a type is chosen.
TEST_F(StereonetProjection, AnUnknownTypeIsReportedAndAskedForAgain) {
  sprojtype.iproj = 0;
  screen();
  type({"", ""});
  real x = 9, y = 9;
  const real az = 0, pl = 0;
  spron(std::span(&x, 1), std::span(&y, 1), std::span(&az, 1), std::span(&pl, 1), 1);
  EXPECT_EQ(sprojtype.iproj, 4);
  EXPECT_NEAR(x, 0, 1e-6);
  EXPECT_NEAR(y, 1, 1e-6);
  const auto lines = screen_lines();
  EXPECT_TRUE(has_block(lines, {" iproj =     0", " NO SUCH PROJECTION AVALAIBLE"}));
  EXPECT_TRUE(has_block(lines, {" current projection number =    4"}));

  type({"", "2"});
  int iproj = 7;
  sspro(iproj, setup::passed);
  EXPECT_EQ(iproj, 2);
  EXPECT_EQ(sprojtype.iproj, 2);
  const auto again = screen_lines();
  EXPECT_TRUE(has_block(again, {" iproj =    7", " NO SUCH PROJECTION AVALAIBLE"}));
  EXPECT_TRUE(has_block(again, {" current projection number =    7"}));
}

}  // namespace
}  // namespace dorvix::testing
