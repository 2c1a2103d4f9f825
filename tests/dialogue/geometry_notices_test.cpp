#include "dialogue/geometry_notices.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/console_fixture.hpp"

namespace dorvix {
namespace {

using AngleConstants = testing::ConsoleTest;

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

}  // namespace
}  // namespace dorvix
