// The top menu's options 10 and 20 through the program itself.

#include <gtest/gtest.h>

#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

TEST(PlotFileThroughTheProgram, OpenAndCloseFromTheTopMenu) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  TempDir dir;
  // The banner's Return; 10: open (defaults accepted, the file chosen), 20:
  // close (Return), 9999: quit. Empty lines between menu choices are passed
  // over by the menu.
  const std::string answers = "\n10\n\ne2e.ps\n\n20\n\n9999\n\n\n";
  const auto r = run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(DORVIX_BINARY), answers);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("kavro7_ini.txt updated or created"), std::string::npos);
  EXPECT_NE(r.output.find("The PostScript plot file is closed"), std::string::npos);
  EXPECT_EQ(read_file(dir / "kavro7_ini.txt"), "  F   1 P    2\n              \n");
  const auto lines = split_lines(read_file(dir / "e2e.ps"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "%!");
  EXPECT_EQ(lines.back(), "%%EOF");
  expect_renders(dir / "e2e.ps");
#endif
}

TEST(PlotFileThroughTheProgram, EndOfInputWithAPlotOpenWritesTheTrailer) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  TempDir dir;
  const auto r = run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(DORVIX_BINARY),
                             "\n10\n\ncut.ps\n");
  EXPECT_NE(r.status, 0) << r.output;  // the input ended the run
  const auto lines = split_lines(read_file(dir / "cut.ps"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "%%EOF");
  expect_renders(dir / "cut.ps");
#endif
}

}  // namespace
}  // namespace dorvix::testing
