// The top menu's plot parameters (330) through the program itself: colours
// and widths chosen there reach the plot file opened with 10.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

#ifdef DORVIX_BINARY
CommandResult run_program(const TempDir& dir, const std::string& answers) {
  return run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(DORVIX_BINARY), answers);
}

bool has_line(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}
#endif

TEST(PlotParametersThroughTheProgram, ColoursAndWidthsReachThePlotFile) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  TempDir dir;
  // 330 with no plot open: colour 1 (the foreground) becomes 20/40/60 %.
  // 10 opens e2e.ps; 330 again: line thickness 0.2 cm. 20 closes, 9999 quits.
  const std::string answers =
      "\n"
      "330\n51\n1\n30\n20\n40\n60\n99\n99\n"
      "10\n\ne2e.ps\n"
      "330\n10\n0.2\n99\n"
      "20\n\n9999\n\n\n";
  const auto r = run_program(dir, answers);
  EXPECT_EQ(r.status, 0) << r.output;
  const auto lines = split_lines(read_file(dir / "e2e.ps"));
  // The prolog sets the foreground colour of the table, then the default
  // width; the menu's width follows.
  EXPECT_TRUE(has_line(lines, " 0.200  0.400  0.600 setrgbcolor"));
  EXPECT_TRUE(has_line(lines, "0.57 setlinewidth"));
  EXPECT_TRUE(has_line(lines, "5.67 setlinewidth"));
  expect_renders(dir / "e2e.ps");
#endif
}

TEST(PlotParametersThroughTheProgram, OneColourFromAFileWritesNoColour) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  TempDir dir;
  write_file(dir / "colours.txt", "1\n0 100 100 100 White\n1 0 0 0 Black\n");
  // The colour-table menu reads the file (300); at the opening the default
  // fill colour 8 is brought into the one colour in use (a box to answer).
  const std::string answers =
      "\n"
      "330\n52\n300\ncolours.txt\n99\n99\n"
      "10\n\nbw.ps\n\n"
      "20\n\n9999\n\n\n";
  const auto r = run_program(dir, answers);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find(" Actually read   :    1 DATA"), std::string::npos);
  EXPECT_NE(r.output.find(" ===> RESET color nb    =      1"), std::string::npos);
  const std::string ps = read_file(dir / "bw.ps");
  EXPECT_EQ(ps.find("setrgbcolor"), std::string::npos);
  expect_renders(dir / "bw.ps");
#endif
}

}  // namespace
}  // namespace dorvix::testing
