// The default-settings record of kavro7_ini.txt.

#include <gtest/gtest.h>

#include "console/units.hpp"
#include "plot/default_settings.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

TEST(DefaultSettingsRecord, DefaultsAndChangedSettingsInTheirColumns) {
  EXPECT_EQ(default_settings_record(DefaultSettings{}), "  F   1 P    2");
  EXPECT_EQ(default_settings_record(DefaultSettings{true, 999, "LA4", 3}), "  T 999 LA4  3");
}

TEST(DefaultSettingsRecord, ReadingKeepsOrResetsEachField) {
  struct Case {
    std::string line;
    bool overlay;
    int copies;
    std::string orient;
    int dialect;
  };
  const Case cases[] = {
      {"  F   1 P    2", false, 1, "P  ", 2},
      {"  T  12 LUS  1", true, 12, "LUS", 1},
      {" .T   2 LA4  3 and more", true, 2, "LA4", 3},
      {"      3 XYZ  7", false, 3, "XYZ", 2},  // an unknown dialect becomes 2, the code is kept
      {"  F   0 P   -1", false, 1, "P  ", 2},  // no copies: one
      {"  F -12 P    2", false, 1, "P  ", 2},
      {"  t   5 LUS", true, 5, "LUS", 2},  // short line: dialect field blank, 0, becomes 2
  };
  for (const auto& c : cases) {
    DefaultSettings s;
    ASSERT_TRUE(parse_default_settings(c.line, s)) << c.line;
    EXPECT_EQ(s.loverlay, c.overlay) << c.line;
    EXPECT_EQ(s.ncopies, c.copies) << c.line;
    EXPECT_EQ(s.psorient, c.orient) << c.line;
    EXPECT_EQ(s.ipstype, c.dialect) << c.line;
  }
  for (std::string bad : {"", "     ", "  X   1 P    2", "  F  1x P    2", "  F   1 P   2x"}) {
    DefaultSettings s{true, 7, "LUS", 3};
    EXPECT_FALSE(parse_default_settings(bad, s)) << bad;
    EXPECT_EQ(s.ncopies, 7) << bad;
  }
}

using DefaultSettingsFile = PlotTest;

TEST_F(DefaultSettingsFile, WrittenRecordIsReadBack) {
  const DefaultSettings written{true, 3, "LUS", 1};
  ASSERT_TRUE(write_default_settings(written, 50));
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), "  T   3 LUS  1\n              \n");
  DefaultSettings s;
  ASSERT_TRUE(read_default_settings(s, 50));
  EXPECT_EQ(default_settings_record(s), "  T   3 LUS  1");
  EXPECT_FALSE(units().is_open(50));
}

TEST_F(DefaultSettingsFile, MissingUnreadableAndUnwritableFiles) {
  DefaultSettings s{true, 3, "LUS", 1};
  EXPECT_FALSE(read_default_settings(s, 50));  // missing
  EXPECT_EQ(default_settings_record(s), "  F   1 P    2");
  write_file(path("kavro7_ini.txt"), "garbage\n");
  s = DefaultSettings{true, 3, "LUS", 1};
  EXPECT_FALSE(read_default_settings(s, 50));
  EXPECT_EQ(default_settings_record(s), "  F   1 P    2");
  std::filesystem::remove(path("kavro7_ini.txt"));
  std::filesystem::create_directory(path("kavro7_ini.txt"));  // cannot be read or written as a file
  EXPECT_FALSE(read_default_settings(s, 50));
  EXPECT_FALSE(write_default_settings(s, 50));
  EXPECT_FALSE(units().is_open(50));
}

}  // namespace
}  // namespace dorvix::testing
