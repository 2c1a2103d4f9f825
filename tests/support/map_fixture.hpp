#pragma once
// A map drawing test: a plot file open in the Compressed dialect (as the
// draw fixture opens it), the projection and graticule as the map driver's
// start-up leaves them (code 15, every default), and subplot 1 current
// with the frame the map driver gives its map before a fit: 10 cm, 8 cm
// origin, 2.5 cm a user unit on both axes.

#include "plot/draw.hpp"
#include "support/draw_fixture.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {

class MapTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    reset_projection_state();
    initialise_projection();
    open_plot(1);
    int isub = 1;
    ssubplot(isub, setup::passed);
    real x0 = 10, y0 = 8, xx = 2.5f, xy = 0, yx = 0, yy = 2.5f;
    sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
    drawn();  // what the opening wrote is not the test's
  }
};

}  // namespace dorvix::testing
