#include "dialogue/range_checks.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

using RangeChecks = ConsoleTest;

const std::string star43 = rule_of('*');
const std::string slash43 = rule_of('/');

TEST_F(RangeChecks, IntegerRangeIsInclusiveAndSilentInside) {
  int istat = 9;
  cinvin(1, 1, 35, "ssubplot", "subplot nb", istat);
  EXPECT_EQ(istat, 0);
  cinvin(35, 1, 35, "ssubplot", "subplot nb", istat);
  EXPECT_EQ(istat, 0);
  cinmax(7, 7, "arrow2d", "plot array dimension", istat);
  EXPECT_EQ(istat, 0);
  cinmax(-100, 7, "arrow2d", "plot array dimension", istat);
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(screen(), "");
}

TEST_F(RangeChecks, IntegerOutsideIsUnrecoverableAndMayResume) {
  type({"n", ""});  // STOP? No; then the pause
  int istat = 0;
  cinvin(0, 1, 35, "ssubplot   ", "  subplot nb ", istat);
  EXPECT_EQ(istat, 1);
  const Lines lines = screen_lines();
  const Lines want = join({
      error_head("cinvin"),
      {" subplot nb =            0", " outside [            1 ,           35 ]",
       " Problem originated in :", " subroutine: ssubplot"},
  });
  EXPECT_EQ(head_of(lines, want.size()), want);
  EXPECT_TRUE(has(lines, " UNRECOVERABLE ERROR =====> QUITTING ADVISED"));
  EXPECT_TRUE(has(lines, " ENTERING THE TWILIGHT ZONE OF COMPUTING !"));
  EXPECT_EQ(lines.back(), star43);

  // The default answer stops the run, as the user's choice.
  type({""});
  EXPECT_EQ(run_end_status([&] { cinmax(8, 7, "arrow2d", "plot array dimension", istat); }), exit_success);
  const Lines stopped = screen_lines();
  EXPECT_EQ(stopped[9], " plot array dimension =            8 > max =            7");
  EXPECT_EQ(stopped[10], " Problem originated in :");
  EXPECT_EQ(stopped[11], " subroutine: arrow2d");
}

TEST_F(RangeChecks, RealOutsideIsBroughtBackInAWarningOrErrorBox) {
  type({""});
  real val = 1.5f;
  int istat = 0;
  crevin2("red (%)", val, 0.0f, 1.0f, "scolorgb", 1, istat);
  EXPECT_EQ(istat, 1);
  EXPECT_EQ(val, 1.0f);
  const Lines body = {" Problem in subroutine: scolorgb",
                      " red (%) =        1.500000 outside [        0.000000 ,        1.000000 ]",
                      " ==> RESET red (%) =        1.000000"};
  EXPECT_EQ(screen_lines(), join({error_head("crevin"), body, {" ===> HIT RETURN TO CONTINUE", star43}}));

  type({""});
  val = 1.5f;
  crevin2("red (%)", val, 0.0f, 1.0f, "scolorgb", 0, istat);
  EXPECT_EQ(val, 1.0f);
  EXPECT_EQ(screen_lines(), join({warning_head("crevin"), body, {" ===> HIT RETURN TO CONTINUE", slash43}}));

  val = -3.0f;
  type({""});
  crevin2("plunge", val, 0.0f, 90.0f, "siap2sv", 1, istat);
  EXPECT_EQ(val, 0.0f);
  screen();
}

TEST_F(RangeChecks, RealSeverityDecidesTheEnding) {
  const std::optional<int> goes_on;
  struct Case {
    int igrav;
    std::string answers;
    std::optional<int> ending;
    real after;
    const char* question;
  } cases[] = {
      {2, "\n\n", goes_on, 1.0f, " RESUME ?"},          // Yes, then the pause
      {2, "n\n", exit_success, 1.0f, " RESUME ?"},      // the user stops
      {3, "n\n\n", goes_on, 1.0f, " STOP ?"},           // resumes after the pause
      {3, "\n", exit_success, 1.0f, " STOP ?"},         // the user stops
      {4, "", exit_stopped_by_program, 1.5f, nullptr},  // fatal, value unchanged
      {7, "n\n\n", goes_on, 1.0f, " STOP ?"},           // unknown: handled as 3
  };
  for (const auto& c : cases) {
    type_raw(c.answers);
    real val = 1.5f;
    int istat = 0;
    const auto ending = ending_of([&] { crevin2("width", val, 0.0f, 1.0f, "sline", c.igrav, istat); });
    EXPECT_EQ(ending, c.ending) << c.igrav << " " << c.answers;
    EXPECT_EQ(val, c.after) << c.igrav;
    EXPECT_EQ(istat, 1);
    const Lines lines = screen_lines();
    EXPECT_EQ(has(lines, " ==> RESET width =        1.000000"), c.igrav != 4) << c.igrav;
    if (c.question != nullptr) {
      EXPECT_TRUE(has(lines, c.question)) << c.igrav;
    }
    if (!ending) {
      EXPECT_EQ(lines.back(), star43) << c.igrav;
    }
    const auto unknown = find_line(lines, " unknown  gravity =            7");
    EXPECT_EQ(unknown.has_value(), c.igrav == 7);
    if (unknown) {
      EXPECT_EQ(lines[*unknown + 1], " ==> RESET gravity =            3");
    }
  }
}

TEST_F(RangeChecks, RealThatIsNotANumberPassesUnreported) {
  real val = std::numeric_limits<real>::quiet_NaN();
  int istat = 5;
  crevin2("width", val, 0.0f, 1.0f, "sline", 1, istat);
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(screen(), "");
  val = 0.0f;
  crevin2("width", val, 0.0f, 0.0f, "sline", 1, istat);  // the bounds are inclusive
  EXPECT_EQ(istat, 0);
}

}  // namespace
}  // namespace dorvix
