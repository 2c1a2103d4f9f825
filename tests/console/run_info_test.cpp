#include "console/run_info.hpp"

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "console/edit.hpp"
#include "console/system_info.hpp"
#include "dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

// Answers of a machine given as a table; a selector not in it fails.
auto machine(std::map<std::string, long long> answers) {
  return [answers](std::string_view selector, long long& response) {
    const auto it = answers.find(std::string(selector));
    if (it == answers.end()) return query_failed;
    response = it->second;
    return query_answered;
  };
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
    std::map<std::string, long long> answers;
    const char* want;
  } cases[] = {
      {{{"sysv", 0x1049}, {"cput", 272}, {"pclk", 1420000000}}, "MacOS1049-PPC7450-1GHz"},
      {{{"sysv", 0x1049}, {"cput", 272}, {"pclk", 867000000}}, "MacOS1049-PPC7450-867MHz"},
      {{}, "MacOS?-CPU?-?MHz"},
      {{{"pclk", 1000000000}}, "MacOS?-CPU?-1GHz"},
      {{{"pclk", 999000000}}, "MacOS?-CPU?-999MHz"},
      {{{"cput", 1}}, "MacOS?-CPU#1-?MHz"},
      {{{"cput", 0}}, "MacOS?-M68000-?MHz"},
      {{{"cput", 263}}, "MacOS?-PPC603ev-?MHz"},
      {{{"cput", 258}}, "MacOS?-CPU#258-?MHz"},
      {{{"sysv", 0x9}, {"cput", 9999}}, "MacOS9-CPU#9999-?MHz"},
      {{{"sysv", 0xFFFF}, {"cput", 266}, {"pclk", 999999999}},
       "MacOSFFFF-PPC604ev-999MHz"},  // the longest, and no rounding up
      {{{"pclk", 1999999999}}, "MacOS?-CPU?-1GHz"},
  };
  for (const auto& c : cases) {
    set_system_info_source(machine(c.answers));
    std::string host;
    hostname(host);
    EXPECT_EQ(host, edit::pad(c.want, 25));
    std::string shorter;
    hostname(shorter, 10);
    EXPECT_EQ(shorter, std::string(c.want).substr(0, 10));
  }
}

TEST_F(RunInfo, ThisMachineHasNoSystemVersionOrProcessorCode) {
  std::string host;
  hostname(host);
  EXPECT_TRUE(std::regex_match(host, std::regex(R"(MacOS\?-CPU\?-([1-9][0-9]{0,3}GHz|[0-9]{1,3}MHz|\?MHz) *)")))
      << host;
  EXPECT_EQ(host.size(), 25u);
}

TEST_F(RunInfo, BannerShowsTheProgramTheRunAndWaitsForALine) {
  set_clock_source([] { return DateTime{2026, 12, 6, 9, 7, 5}; });
  set_system_info_source(machine({{"pclk", 2400000000}}));
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
                      " @ On system: MacOS?-CPU?-2GHz",
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
  set_system_info_source(machine({{"pclk", 867000000}}));
  EXPECT_EQ(runinfocom.csubnam, "");  // nothing recorded yet
  smaininfo("dorvix", " 2.0", "01-06-2010", 0);
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(runinfocom.crundate, "31-12-2026");
  EXPECT_EQ(runinfocom.cruntime, "23:59:59");
  EXPECT_EQ(runinfocom.cmainnam, "dorvix     ");
  EXPECT_EQ(runinfocom.cmainver, " 2.0");
  EXPECT_EQ(runinfocom.cmaindat, "01-06-2010");
  EXPECT_EQ(runinfocom.cuser, "Mac user  ");
  EXPECT_EQ(runinfocom.chost, edit::pad("MacOS?-CPU?-867MHz", 25));
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
