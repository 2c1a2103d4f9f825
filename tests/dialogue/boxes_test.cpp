#include <gtest/gtest.h>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "files/stops.hpp"
#include "support/console_fixture.hpp"

namespace dorvix {
namespace {

using Boxes = testing::ConsoleTest;

const std::string star43 = " " + std::string(43, '*');
const std::string slash43 = " " + std::string(43, '/');
const Header h{"opef2", " 3.8", "24-08-2005"};

// A framed line: 3 frame characters, a 35-character field, 3 again.
std::string framed(char c, const std::string& field) {
  return " " + std::string(3, c) + " " + field + std::string(35 - field.size(), ' ') + " " + std::string(3, c);
}

TEST_F(Boxes, WarningBoxFramesTheCallersLinesAndPauses) {
  type({""});
  warninghead(h);
  put(iocom.iuout, " COULD NOT OPEN FILE x");
  warningtail00();
  const std::vector<std::string> want = {
      slash43,
      framed('/', "       subroutine opef2"),
      framed('/', "              WARNING"),
      slash43,
      " COULD NOT OPEN FILE x",
      " ===> HIT RETURN TO CONTINUE",
      slash43,
  };
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(Boxes, ErrorHeadIsNineLinesAndThePauseTextFollowsTheCommandFile) {
  iocom.lcomfop = true;
  type({"anything"});
  errorhead({"inintegvind", "1.3", "08-03-2000"});
  errortail00();
  const std::string blank = framed('*', "");
  const std::vector<std::string> want = {
      star43, star43, blank,
      framed('*', "       subroutine inintegvind"),
      blank,
      framed('*', "               ERROR"),
      blank, star43, star43,
      " ===> HIT RETURN TO RESUME COMMANDS",
      star43,
  };
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(Boxes, PausesCanBeSwitchedOffAndEndOfInputEndsAPause) {
  iocom.lpause = false;
  warningtail00();
  EXPECT_EQ(screen_lines(), std::vector<std::string>{slash43});
  iocom.lpause = true;
  type_raw("");  // keyboard already at its end
  errortail00();
  EXPECT_EQ(screen_lines(), (std::vector<std::string>{" ===> HIT RETURN TO CONTINUE", star43}));
}

TEST_F(Boxes, RecoverableErrorTailResumesOnTheDefaultAnswer) {
  type({"", ""});  // STOP? -> default No; then the pause
  errortail01(0);
  const auto lines = screen_lines();
  EXPECT_EQ(lines.front(), " RECOVERABLE ERROR ====> CAN RESUME EXECUTION");
  EXPECT_EQ(lines[lines.size() - 3], " RESUMING EXECUTION");
  EXPECT_EQ(lines[lines.size() - 2], " ===> HIT RETURN TO CONTINUE");
  EXPECT_EQ(lines.back(), star43);
}

TEST_F(Boxes, UnrecoverableErrorTailStopsOnTheDefaultAnswerWithSuccess) {
  type({""});
  try {
    errortail01(1);
    FAIL() << "the run should have ended";
  } catch (const RunEnded& e) {
    EXPECT_EQ(e.status, exit_success);
  }
  const auto lines = screen_lines();
  EXPECT_EQ(lines[lines.size() - 2], " EXECUTION STOPPED AFTER ERROR");
  EXPECT_EQ(lines.back(), star43);
}

TEST_F(Boxes, ErrorStopBySeverity) {
  // Severity 0 answered Yes resumes without closing the box.
  type({"y"});
  errorstop(0);
  auto lines = screen_lines();
  EXPECT_EQ(lines.front(), " RECOVERABLE ERROR ==> RESUMING EXECUTION ADVISED");
  EXPECT_EQ(lines.back(), " RESUMING EXECUTION");

  // Severity 1 answered No walks into the twilight zone and resumes.
  type({"n"});
  errorstop(1);
  lines = screen_lines();
  EXPECT_EQ(lines[lines.size() - 3], " ENTERING THE TWILIGHT ZONE OF COMPUTING !");
  EXPECT_EQ(lines.back(), " RESUMING EXECUTION");
  bool asked = false;
  for (const auto& l : lines) asked = asked || l == " STOP ?";
  EXPECT_TRUE(asked);

  // Severity 2 asks nothing and stops with a failure status.
  type_raw("");
  try {
    errorstop(2);
    FAIL() << "the run should have ended";
  } catch (const RunEnded& e) {
    EXPECT_EQ(e.status, exit_stopped_by_program);
  }
  lines = screen_lines();
  EXPECT_EQ(lines[lines.size() - 2], " might be helpful");
  EXPECT_EQ(lines.back(), star43);

  // Other severities do nothing.
  errorstop(7);
  EXPECT_EQ(screen(), "");
}

TEST_F(Boxes, SadFaceIsRoundWithItsMouthTurnedDown) {
  sorryface();
  const auto lines = screen_lines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines.front(), "      ");
  EXPECT_EQ(lines.back(), "      ");
  auto row = [&](int r) { return lines[static_cast<std::size_t>(r)].substr(4); };  // after the indent
  EXPECT_EQ(row(1).find_first_of('&'), 12u);   // top: columns 13 to 24
  EXPECT_EQ(row(1).find_last_of('&'), 23u);
  EXPECT_EQ(row(9).find_first_of('&'), 0u);    // mid-height: columns 1 to 36
  EXPECT_EQ(row(9).find_last_of('&'), 35u);
  EXPECT_EQ(row(7).substr(10, 3), "&&&");      // eyes
  EXPECT_EQ(row(8).substr(23, 3), "&&&");
  EXPECT_EQ(row(12).substr(12, 12), std::string(12, '&'));  // mouth middle, above its ends
  EXPECT_EQ(row(14).substr(7, 2), "&&");
  EXPECT_EQ(row(14).substr(27, 2), "&&");
  for (int r = 1; r <= 18; ++r) EXPECT_EQ(row(r).size(), 40u);
}

TEST_F(Boxes, OutdatedTailsShowTheirPictureFirst) {
  type({""});
  warningtail0(0);
  const auto lines = screen_lines();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], " " + std::string(24, '@'));
  EXPECT_EQ(lines[5], "           @@@@          ");
  EXPECT_EQ(lines[7], " OUTDATED    warningtail0");
  EXPECT_EQ(lines[14], " " + std::string(24, '@'));
  EXPECT_EQ(lines[15], " ===> HIT RETURN TO CONTINUE");
  EXPECT_EQ(lines[16], slash43);
}

}  // namespace
}  // namespace dorvix
