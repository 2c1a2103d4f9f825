// The default-settings record of kavro7_ini.txt.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "files/units.hpp"
#include "plot/default_settings.hpp"
#include "support/plot_fixture.hpp"
#include "support/transcript.hpp"

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
      {"  F   1 LU", false, 1, "P  ", 2},    // an orientation cut short is portrait
      {"  F   1      3", false, 1, "P  ", 3},  // so is a blank one
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

// A settings file cut short (whatever cut it: a full disk, an editor) is
// said at the opening, under the settings shown, with the default that
// stands in for each setting it does not hold whole; those defaults are the
// plot's, and the file is left as it is. An empty file is written anew.
TEST_F(DefaultSettingsFile, AFileCutShortIsSaidAndItsDefaultsStandIn) {
  const std::string shortened = " kavro7_ini.txt IS SHORT: ITS RECORD HAS ";
  const std::string system = " ==> DEFAULT System     = Portrait   ";
  const std::string dialect = " ==> DEFAULT PostScript = NeWS                ";
  const Lines news = {"%!", "% Initialize coordinate system and scales", "%%Pages: (atend)",
                      "%%BoundingBox: 0 0 595 842"};
  const struct {
    std::string text;
    Lines said;  // between the settings shown and the question
    Lines head;  // the plot's first lines
  } cases[] = {
      {"", {}, news},
      {"  F   1", {shortened + "7 OF 14 COLUMNS", system, dialect}, news},
      {"  F   1\n              \n", {shortened + "7 OF 14 COLUMNS", system, dialect}, news},
      {"  F", {shortened + "3 OF 14 COLUMNS", " ==> DEFAULT # Copies   =   1", system, dialect}, news},
      {"  F   2 LA", {shortened + "10 OF 14 COLUMNS", system, dialect}, news},
      {"  F   1 LA4  ", {shortened + "13 OF 14 COLUMNS", dialect}, join({news, {" 595 0 translate 90 rotate"}})},
      {"  F   1 P    1\n", {}, {"%!", "%%Pages: (atend)", "%%BoundingBox: 0 0 595 842", "%% Define macros etc"}},
  };
  int k = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    write_file(path("kavro7_ini.txt"), c.text);
    const std::string name = "cut" + std::to_string(++k) + ".ps";
    type({"", name});
    std::string plot = "seis.ps";
    plinit(plot, setup::menu_from_stored);
    const Lines screen = screen_lines();
    const auto shown = std::find_if(screen.begin(), screen.end(),
                                    [](const std::string& l) { return l.rfind(" PostScript = ", 0) == 0; });
    const auto question = std::find(screen.begin(), screen.end(), " (vostel) Use default settings ? ?");
    ASSERT_LT(shown + 2, question);
    EXPECT_EQ(Lines(shown + 2, question - 1), c.said);
    type({""});
    plend();
    const Lines lines = file_lines(name);
    ASSERT_GE(lines.size(), c.head.size());
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(c.head.size())), c.head);
    EXPECT_EQ(read_file(path("kavro7_ini.txt")), c.text.empty() ? "  F   1 P    2\n              \n" : c.text);
  }
}

}  // namespace
}  // namespace dorvix::testing
