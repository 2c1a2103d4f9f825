#include "dialogue/run_info.hpp"

#include <gtest/gtest.h>

#include <regex>

#include "dialogue_helpers.hpp"
#include "numbers/edit.hpp"
#include "platform/system_info.hpp"
#include "support/tools.hpp"

namespace dorvix {
namespace {

using namespace testing;

// A machine that says only what is given.
auto machine(SystemInfo info) {
  return [info] { return info; };
}

class RunInfo : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    runinfocom = RunInfoCom{};
  }
  void TearDown() override {
    set_clock_source({});
    set_system_info_source({});
    ConsoleTest::TearDown();
  }
};

TEST_F(RunInfo, DateAndTimeHaveLeadingZeros) {
  std::string text;
  c8time(text, DateTime{2026, 12, 6, 9, 7, 5});
  EXPECT_EQ(text, "09:07:05");
  c10date(text, DateTime{2026, 12, 6, 9, 7, 5});
  EXPECT_EQ(text, "06-12-2026");
  c10date(text, DateTime{33, 1, 2, 23, 59, 59});
  EXPECT_EQ(text, "02-01-0033");
  c8time(text, DateTime{33, 1, 2, 23, 59, 59});
  EXPECT_EQ(text, "23:59:59");
}

TEST_F(RunInfo, TheRealClockGivesADateAndATime) {
  std::string time, date;
  c8time(time);
  c10date(date);
  EXPECT_TRUE(std::regex_match(time, std::regex(R"(([01][0-9]|2[0-3]):[0-5][0-9]:[0-6][0-9])"))) << time;
  EXPECT_TRUE(std::regex_match(date, std::regex(R"((0[1-9]|[12][0-9]|3[01])-(0[1-9]|1[0-2])-[0-9]{4})"))) << date;
}

TEST_F(RunInfo, MachineDescriptionFromTheSystemAnswers) {
  struct Case {
    SystemInfo info;
    const char* want;
  } cases[] = {
      {{"Linux", "6.1.0-18-amd64", "x86_64", 2400000000}, "Linux6.1-x86_64-2GHz"},
      {{"Linux", "6.18.44-fc-v1300", "x86_64", 2596140000}, "Linux6.18-x86_64-2GHz"},
      {{"Linux", "5.15", "aarch64", 867000000}, "Linux5.15-aarch64-867MHz"},
      {{}, "OS?-CPU?-?MHz"},
      {{"Linux", {}, "x86_64", {}}, "Linux?-x86_64-?MHz"},
      {{"Linux", "rolling", "", 1000000000}, "Linux?-CPU?-1GHz"},
      {{"Linux", "6", "riscv64", 999000000}, "Linux6-riscv64-999MHz"},
      {{"Darwin", "23.4.0", "arm64", 1999999999}, "Darwin23-arm64-1GHz"},  // the minor dropped to fit
      {{"FreeBSD", "14.1-RELEASE", "amd64", 0}, "FreeBSD14-amd64-?MHz"},
      {{"CYGWIN_NT-10.0-19045", "3.5.1", "loongarch64", 999999999},
       "CYGWIN_NT-loongarc-999MHz"},  // the longest, cut piece by piece, and no rounding up
  };
  for (const auto& c : cases) {
    set_system_info_source(machine(c.info));
    std::string host;
    hostname(host);
    EXPECT_EQ(host, edit::pad(c.want, 25));
    std::string shorter;
    hostname(shorter, 10);
    EXPECT_EQ(shorter, edit::pad(std::string(c.want).substr(0, 10), 10));
  }
}

// This machine's description agrees with what uname says of it.
TEST_F(RunInfo, ThisMachineIsDescribedByItsOwnSystem) {
  const CommandResult u = run_command("uname -s -r -m");
  ASSERT_EQ(u.status, 0);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(u.output, m, std::regex(R"((\S+) (\d+)\.(\d+)\S* (\S+)\n?)"))) << u.output;
  std::string host;
  hostname(host);
  const std::string os = m[1].str() + m[2].str() + "." + m[3].str();
  const std::string expected = (os.size() <= 9 ? os : m[1].str() + m[2].str()) + "-" + m[4].str().substr(0, 8) + "-";
  EXPECT_EQ(host.substr(0, expected.size()), expected) << host;
  EXPECT_TRUE(std::regex_match(host.substr(expected.size()), std::regex(R"(([1-9][0-9]{0,3}GHz|[0-9]{1,3}MHz|\?MHz) *)")))
      << host;
  EXPECT_EQ(host.size(), 25u);
}

TEST_F(RunInfo, BannerShowsTheProgramTheRunAndWaitsForALine) {
  set_clock_source([] { return DateTime{2026, 12, 6, 9, 7, 5}; });
  set_system_info_source(machine({"Linux", "6.1.0-18-amd64", "x86_64", 2400000000}));
  type({"anything at all", "next"});
  progheadbc("dorvix     ", " 2.0", "01-06-2010");
  const Lines lines = screen_lines();
  ASSERT_EQ(lines.size(), 22u);
  const std::string at43 = " " + std::string(43, '@');
  const std::string dashes = " @" + std::string(42, '-');
  const Lines head = {at43,
                      " @",
                      " @       MAIN PROGRAM: dorvix",
                      " @            Version:  2.0",
                      " @               Date: 01-06-2010",
                      " @",
                      dashes,
                      " @ Running on: 06-12-2026 at: 09:07:05",
                      " @ On system: Linux6.1-x86_64-2GHz",
                      dashes};
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 10), head);
  for (std::size_t k = 10; k < 18; ++k) EXPECT_EQ(lines[k].substr(0, 2), " @") << k;
  const Lines tail = {" @ Report of any problem is appreciated ", dashes, " @         HIT RETURN TO CONTINUE", at43};
  EXPECT_EQ(Lines(lines.begin() + 18, lines.end()), tail);
  // The pause read exactly one line.
  std::string rest;
  std::getline(keyboard_, rest);
  EXPECT_EQ(rest, "next");
}

TEST_F(RunInfo, BannerPauseAtTheEndOfTheInputEndsTheRun) {
  type_raw("");
  EXPECT_EQ(run_end_status([] { progheadbc("dorvix", " 2.0", "01-06-2010"); }), exit_input_ended);
}

TEST_F(RunInfo, RunIdentificationTakesDateAndTimeFromOneReading) {
  // A clock read twice would cross midnight between the readings.
  int readings = 0;
  set_clock_source(
      [&readings] { return readings++ == 0 ? DateTime{2026, 12, 31, 23, 59, 59} : DateTime{2027, 1, 1, 0, 0, 0}; });
  set_system_info_source(machine({{}, {}, {}, 867000000}));
  EXPECT_EQ(runinfocom.csubnam, "");  // nothing recorded yet
  smaininfo("dorvix", " 2.0", "01-06-2010", 0);
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(runinfocom.crundate, "31-12-2026");
  EXPECT_EQ(runinfocom.cruntime, "23:59:59");
  EXPECT_EQ(runinfocom.cmainnam, "dorvix     ");
  EXPECT_EQ(runinfocom.cmainver, " 2.0");
  EXPECT_EQ(runinfocom.cmaindat, "01-06-2010");
  EXPECT_EQ(runinfocom.cuser, "Mac user  ");
  EXPECT_EQ(runinfocom.chost, edit::pad("OS?-CPU?-867MHz", 25));
  EXPECT_EQ(runinfocom.csubnam, "");  // the plotting subsystem's fields stay
  EXPECT_EQ(screen(), "");

  readings = 0;
  type({""});
  progheadbc("dorvix", " 2.0", "01-06-2010");
  EXPECT_EQ(readings, 1);
  EXPECT_TRUE(has(screen_lines(), " @ Running on: 31-12-2026 at: 23:59:59"));
}

}  // namespace
}  // namespace dorvix
