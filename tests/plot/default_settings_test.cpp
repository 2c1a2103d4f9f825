// The default-settings record of kavro7_ini.txt.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "files/units.hpp"
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
  ASSERT_EQ(write_default_settings(written, 50).reason, "");
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), "  T   3 LUS  1\n              \n");
  DefaultSettings s;
  ASSERT_EQ(read_default_settings(s, 50), SettingsFile::read);
  EXPECT_EQ(default_settings_record(s), "  T   3 LUS  1");
  EXPECT_FALSE(units().is_open(50));
}

// What stands under the name decides whether it may be written: nothing or
// an empty file may; a file without a record, a folder or a pipe never
// (the pipe is not waited for). Each leaves the defaults.
TEST_F(DefaultSettingsFile, OnlyAMissingOrEmptyFileMayBeWrittenInstead) {
  namespace fs = std::filesystem;
  const fs::path file = path("kavro7_ini.txt");
  const struct {
    std::string what;
    std::function<void()> make;
    SettingsFile found;
  } cases[] = {
      {"missing", [] {}, SettingsFile::unread},
      {"empty", [&] { write_file(file, ""); }, SettingsFile::unread},
      {"garbage", [&] { write_file(file, "garbage\n  F   1 P    2\n"); }, SettingsFile::not_settings},
      {"folder", [&] { fs::create_directory(file); }, SettingsFile::not_settings},
      {"pipe", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }, SettingsFile::not_settings},
  };
  for (const auto& c : cases) {
    fs::remove_all(file);
    c.make();
    DefaultSettings s{true, 3, "LUS", 1};
    EXPECT_EQ(read_default_settings(s, 50), c.found) << c.what;
    EXPECT_EQ(default_settings_record(s), "  F   1 P    2") << c.what;
    EXPECT_FALSE(units().is_open(50));
  }
  fs::remove_all(file);
  fs::create_directory(file);
  EXPECT_EQ(write_default_settings(DefaultSettings{}, 50).reason, "IS A DIRECTORY");
  EXPECT_FALSE(units().is_open(50));
}

}  // namespace
}  // namespace dorvix::testing
