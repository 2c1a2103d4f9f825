// The turn of longitude around a middle meridian: which longitudes stay
// as they are, and where the others land, exactly.

#include <gtest/gtest.h>

#include "geometry/longitude_turn.hpp"

namespace dorvix {
namespace {

// Each expected longitude is the one given less a whole number of turns,
// worked out by hand (131040 = 364 turns, 100080 = 278 turns, 65520 = 182
// turns; 1e10 is 27777777 turns and 280 degrees). The largest longitudes
// are single-precision values as they stand: 123456789 is held as
// 123456792. Moved in single precision, 1e10 landed at 100 and 123456792
// at -164, and the others up to 0.008 degree from their meridian.
TEST(LongitudeTurn, KeepsItsOwnLongitudesAndMovesTheOthersByWholeTurnsExactly) {
  struct Case {
    real middle, lon, nearest;
  };
  const Case cases[] = {
      {177.5f, 185.0f, 185.0f},                         // window 165..190, inside
      {177.5f, -175.0f, 185.0f},                        // and its event read west of 180
      {-182.5f, 175.0f, -185.0f},                       // window -195..-170
      {0.0f, -180.0f, -180.0f},                         // the west end is in the turn
      {0.0f, 180.0f, -180.0f},                          // the east end is not
      {0.0f, 179.99f, 179.99f},                         // as read
      {0.0f, 1.0e10f, -80.0f},                          // 1e10 - 27777778 turns
      {0.0f, 123456792.0f, -168.0f},                    // 123456960 = 342936 turns
      {-117.59866f, 131071.9921875f, 31.9921875f},      // less 131040
      {33.3f, -99999.9921875f, 80.0078125f},            // plus 100080
      {-117.59866f, 65536.0078125f, 16.0078125f},       // less 65520
      {-117.59866f, -300.0f, 60.0f},                    // the turn runs from -297.6 to 62.4
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LongitudeTurn(c.middle).nearest(c.lon), c.nearest) << c.middle << " " << c.lon;
  }
}

}  // namespace
}  // namespace dorvix
