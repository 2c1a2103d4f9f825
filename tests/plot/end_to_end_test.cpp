// The top menu's options 10 and 20 through the program itself, and the
// pages of a plot file, each the same alone as within the file.

#include <gtest/gtest.h>

#include "catalogue/real_data.hpp"
#include "support/plot_fixture.hpp"
#include "support/program_run.hpp"
#include "support/raster.hpp"

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

// In each dialect: the third, whose head is known only at its end or at
// its second page, ends as a drawing of one page.
TEST(PlotFileThroughTheProgram, EndOfInputWithAPlotOpenWritesTheTrailer) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  for (const char* dialect : {"2", "3"}) {
    TempDir dir;
    write_file(dir / "kavro7_ini.txt", std::string("  F   1 P    ") + dialect + "\n");
    const auto r = run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(DORVIX_BINARY),
                               "\n10\n\ncut.ps\n");
    EXPECT_NE(r.status, 0) << r.output;  // the input ended the run
    const auto lines = split_lines(read_file(dir / "cut.ps"));
    ASSERT_FALSE(lines.empty()) << dialect;
    EXPECT_EQ(lines.front().substr(0, 2), "%!") << dialect;
    EXPECT_EQ(lines.back(), "%%EOF");
    expect_renders(dir / "cut.ps");
  }
#endif
}

TEST(PlotFileThroughTheProgram, EveryDialectAndOrientationFromACommandFile) {
#ifndef DORVIX_BINARY
  GTEST_SKIP() << "the program is not built yet";
#else
  struct Case {
    const char* orientation;
    int dialect;
    const char* first_line;
  } cases[] = {{"P  ", 1, "%!"}, {"LUS", 2, "%!"}, {"LA4", 3, "%!PS-Adobe-2.0 EPSF-1.2"}, {"P  ", 3, "%!PS-Adobe-2.0 EPSF-1.2"}};
  for (const Case& c : cases) {
    TempDir dir;
    // The saved settings choose the dialect and orientation; the command
    // file opens (settings accepted, file named), closes and quits.
    write_file(dir / "kavro7_ini.txt",
               std::string("  F   1 ") + c.orientation + "  " + std::to_string(c.dialect) + "\n              \n");
    write_file(dir / "plot.cmd", "10\n\nplot.ps\n20\n\n5000\n5003\n");
    const auto r = run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(DORVIX_BINARY),
                               "\n5000\n5001\nplot.cmd\n\n\n\n\n");
    EXPECT_EQ(r.status, 0) << r.output;
    const auto lines = split_lines(read_file(dir / "plot.ps"));
    ASSERT_FALSE(lines.empty()) << c.orientation << " " << c.dialect << "\n" << r.output;
    EXPECT_EQ(lines.front().rfind(c.first_line, 0), 0u) << lines.front();
    EXPECT_EQ(lines.back(), "%%EOF");
    // The settings were accepted as they stood: the file is untouched.
    EXPECT_EQ(read_file(dir / "kavro7_ini.txt"),
              std::string("  F   1 ") + c.orientation + "  " + std::to_string(c.dialect) + "\n              \n");
    expect_renders(dir / "plot.ps");
  }
#endif
}

// Six pages, each drawn with what the page before left: the one-page
// diagrams; the paged diagrams on three pages after the line colour,
// width and font were changed; the map after they were changed again, the
// text turned and the diagrams' line colour (red) changed in the table to
// cyan; the one-page diagrams after the map. On a landscape sheet the top
// row of nets leaves it: a box to answer at each diagram run.
Lines six_pages(bool landscape) {
  const Lines box = landscape ? Lines{""} : Lines{};
  return script({read_script("1001", "twelve.hash"), {"3000", "1000", "", "pages.ps"}, box, {"99"},
                 {"330", "12", "2", "10", "0.1", "30", "6", "99"}, read_script("1001", "many.hash"),
                 {"3001", "1000", ""}, box, {"", "", "99"},
                 {"330", "12", "3", "10", "0.05", "33", "30", "51", "2", "30", "0", "50", "50", "99", "99"},
                 {"2001", "340", "n", "343", "n", "1000", "", "99"}, read_script("1001", "twelve.hash"),
                 {"3000", "1000", ""}, box, {"99", "20", "", "9999"}});
}

// The file as written before its pages set what they draw with: without
// the line width and colour records after each page comment but the
// first.
std::string without_page_settings(const std::string& text) {
  std::string kept;
  int pages = 0;
  bool settings = false;
  for (const std::string& l : split_lines(text)) {
    if (l.starts_with("%%Page:")) {
      settings = ++pages > 1;
    } else if (settings && (l.ends_with(" w") || l.ends_with(" slw") || l.ends_with(" setlinewidth") ||
                            l.ends_with(" setrgbcolor"))) {
      continue;
    } else {
      settings = false;
    }
    kept += l + "\n";
  }
  return kept;
}

// Each page of a file of several, taken out alone with the head and the
// trailer, renders pixel for pixel as within the whole file, in the three
// dialects, upright and on both landscape sheets; within the file, what a
// page sets at its start changes nothing: the texts of dialect 3, which
// take the colour in force, are in the colour the page before left.
TEST(PlotFileThroughTheProgram, EachPageRendersAloneAsWithinTheFile) {
  DORVIX_REQUIRE_TOOL("gs");
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  struct Case {
    int dialect;
    const char* orientation;
  } const cases[] = {{1, "P  "}, {2, "LA4"}, {3, "LUS"}};
  for (const Case& c : cases) {
    SCOPED_TRACE("dialect " + std::to_string(c.dialect) + " " + c.orientation);
    TempDir dir;
    write_file(dir / "kavro7_ini.txt", std::string("  F   1 ") + c.orientation + "  " + std::to_string(c.dialect) + "\n");
    for (const auto& [name, n] : {std::pair{"twelve.hash", 12}, std::pair{"many.hash", 45}}) {
      std::string text;
      for (int k = 0; k < n; ++k) text += scedc[static_cast<std::size_t>(k)] + "\n";
      write_file(dir / name, text);
    }
    const ProgramRun run = run_dorvix(dir, six_pages(c.orientation[0] == 'L'));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(rendered_pages(dir / "pages.ps"), 6);
    EXPECT_EQ(pages_alone_differences(dir / "pages.ps"), std::vector<long>(6, 0));
    write_file(dir / "before.ps", without_page_settings(read_file(dir / "pages.ps")));
    EXPECT_EQ(pages_differences(dir / "pages.ps", dir / "before.ps", 6), std::vector<long>(6, 0));
  }
}

}  // namespace
}  // namespace dorvix::testing
