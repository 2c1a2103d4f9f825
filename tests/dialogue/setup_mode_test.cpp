#include "dialogue/setup_mode.hpp"

#include <gtest/gtest.h>

namespace dorvix {
namespace {

// How each code reads, the menu's twin included: the routines' old
// integer tests (parity, pairs, 0..5) must read every code the same way,
// codes below 0 and beyond 5 too.
struct Reading {
  int code;
  bool menu, passed, stored, defaults, common;
  int without_menu, with_menu;
};

TEST(SetupModeTest, EachCodeReadsAsItsPairAndParity) {
  const Reading readings[] = {
      {-2, true, false, false, false, false, -1, -2}, {-1, false, false, false, false, false, -1, -2},
      {0, true, true, false, false, true, 1, 0},      {1, false, true, false, false, true, 1, 0},
      {2, true, false, true, false, true, 3, 2},      {3, false, false, true, false, true, 3, 2},
      {4, true, false, false, true, true, 5, 4},      {5, false, false, false, true, true, 5, 4},
      {6, true, false, false, false, false, 7, 6},    {7, false, false, false, false, false, 7, 6},
      {102, true, false, false, false, false, 103, 102}, {200, true, false, false, false, false, 201, 200},
  };
  for (const Reading& r : readings) {
    const SetupMode m(r.code);
    EXPECT_EQ(m.shows_menu(), r.menu) << r.code;
    EXPECT_EQ(m.silent(), !r.menu) << r.code;
    EXPECT_EQ(m.from_passed(), r.passed) << r.code;
    EXPECT_EQ(m.from_stored(), r.stored) << r.code;
    EXPECT_EQ(m.from_defaults(), r.defaults) << r.code;
    EXPECT_EQ(m.is_common(), r.common) << r.code;
    EXPECT_EQ(m.returns_stored(), r.code == 3) << r.code;
    EXPECT_EQ(m.initialise_only(), r.code == 5) << r.code;
    EXPECT_EQ(m.with_menu(false).code(), r.without_menu) << r.code;
    EXPECT_EQ(m.with_menu(true).code(), r.with_menu) << r.code;
    EXPECT_TRUE(m.matches(SetupMode(r.without_menu))) << r.code;
    EXPECT_TRUE(m.matches(SetupMode(r.with_menu))) << r.code;
    EXPECT_FALSE(m.matches(SetupMode(r.with_menu + 2))) << r.code;
  }
}

}  // namespace
}  // namespace dorvix
