// Opening and closing the plot file: the settings dialogue, the
// default-settings file kavro7_ini.txt, warnings, pages, the end of a run.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/run_end.hpp"
#include "dialogue/console_units.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "support/plot_fixture.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;
using PlotFile = PlotTest;

const std::string at43 = " " + std::string(43, '@');
const std::string dots = " " + std::string(42, '.');
const std::string slashes = " " + std::string(43, '/');

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Lines head(const std::string& name) { return {at43, " @ subroutine " + name, " @" + std::string(42, '=')}; }

// The settings display of an opening at output level 2.
Lines display(const std::string& overlay, const std::string& copies, const std::string& system,
              const std::string& dialect) {
  const std::string rule = " " + std::string(38, '-');
  return head("intplinit  ") + Lines{
                                   " +------------------------------------+",
                                   " |   vostel: PostScript plot driver   |",
                                   " |   Compressed, NeWS and Illustrator |",
                                   " |   portrait and landscape pages     |",
                                   " +------------------------------------+",
                                   rule,
                                   " >>> CURRENT VERSION :  8.0         <<<",
                                   " >>> LAST MODIFIED ON: 19-03-2009   <<<",
                                   rule,
                                   "          Default Settings:            ",
                                   rule,
                                   " Overlay ?  = " + overlay,
                                   " # Copies   = " + copies,
                                   " System     = " + system,
                                   " PostScript = " + dialect,
                                   at43,
                               };
}

Lines use_defaults(const std::string& answer) {
  return {dots,
          " (vostel) Use default settings ? ?",
          " Enter (0/1)(n/y)(N/Y)",
          " or return for default value or h for help",
          " Default = Yes",
          " New value =  " + answer,
          dots};
}

const Lines updated = head("intplinit  ") + Lines{" kavro7_ini.txt updated or created", at43};

// The first lines of a transcript.
Lines first(const Lines& lines, std::size_t n) {
  return Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(n, lines.size())));
}

bool has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PlotFile, FirstOpeningCreatesTheSettingsFileThenClosing) {
  default_colour_table();
  type({"", "out.ps", ""});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  EXPECT_TRUE(iocom.lplotop);
  EXPECT_EQ(name, "out.ps");
  const Lines want = display("No ", "  1", "Portrait   ", "NeWS                ") + use_defaults("Yes") + updated +
                     head("opef2      ") + Lines{" OPENING postcript plot FILE", at43, " Choose postcript plot file name"};
  EXPECT_EQ(first(screen_lines(), want.size()), want);  // then the plot parameters' announcements
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), "  F   1 P    2\n              \n");
  EXPECT_EQ(psparams.ipstype, 2);
  EXPECT_EQ(psparams.ipspage, 1);
  EXPECT_EQ(plt1blk.isub, 1);
  EXPECT_EQ(plt1blk.cm2pt, 28.35f);

  plend();
  EXPECT_FALSE(iocom.lplotop);
  const Lines closing = head("plend      ") + Lines{" Ready to close the PostScript plot file",
                                                    dots,
                                                    " Enter CR = Return to close the PostScript file",
                                                    " New value =  ",
                                                    dots,
                                                    " The PostScript plot file is closed",
                                                    at43};
  EXPECT_EQ(screen_lines(), closing);
  const Lines lines = file_lines("out.ps");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "%!");
  EXPECT_EQ(lines.back(), "%%EOF");
}

TEST_F(PlotFile, AcceptedSettingsLeaveTheFileUntouched) {
  const std::string record = "  T   3 LUS  1\n";  // no line of blanks: not written by us
  write_file(path("kavro7_ini.txt"), record);
  type({"y", "a.ps"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  const Lines lines = screen_lines();
  const Lines want = display("Yes", "  3", "Landscape U", "Compressed          ") + use_defaults("Yes");
  EXPECT_EQ(first(lines, want.size()), want);
  EXPECT_FALSE(has(lines, " kavro7_ini.txt updated or created"));
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), record);
  // An overlay in dialect 1: no page set-up, but the macros its records use.
  units().flush(50);
  const Lines ps = file_lines("a.ps");
  ASSERT_FALSE(ps.empty());
  EXPECT_EQ(ps[0], "%% Define macros etc");
  EXPECT_FALSE(has(ps, "%!"));
  EXPECT_FALSE(has(ps, "%%Page:   1   1"));
  EXPECT_FALSE(has(ps, " 612 0 translate 90 rotate"));
  EXPECT_TRUE(has(ps, "% Ready to go"));
  real x = 100, y = 100;
  detext2(x, y, "overlay text");
  type({""});
  plend();
  const Lines done = file_lines("a.ps");
  EXPECT_EQ(done[done.size() - 2], "%%Pages:   1");
}

TEST_F(PlotFile, ChangedSettingsAreAskedAndWrittenBack) {
  write_file(path("kavro7_ini.txt"), "  F   1 P    2\n              \n");
  type({"n", "y", "0", "", "1000", "", "2", "Lus", "la", "lus", "4", "", "3", "c.ps"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  const Lines lines = screen_lines();
  const Lines want = display("No ", "  1", "Portrait   ", "NeWS                ") + use_defaults("No ") +
                     head("intplinit  ") +
                     Lines{"        Updating Default Settings:      ", " " + std::string(39, '-'), dots,
                           " (vostel) Is this an overlay? ?"};
  EXPECT_EQ(first(lines, want.size()), want);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " Unknown command ==> Asking again"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " Landscape A4...........LA4"), 3);
  EXPECT_TRUE(has(lines, " outside [1,999]"));  // copies 0 and 1000 refused
  EXPECT_TRUE(has(lines, " choose Postscript type"));
  EXPECT_TRUE(has(lines, " Compressed             1"));
  EXPECT_TRUE(has(lines, " Illustrator v.2 = 88   3"));
  EXPECT_TRUE(has(lines, " kavro7_ini.txt updated or created"));
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), "  T   2 LUS  3\n              \n");
  // Dialect 3 ignores the overlay and writes its whole prolog.
  EXPECT_EQ(psparams.ipstype, 3);
  EXPECT_EQ(psparams.psorient, "LUS");
  type({""});
  plend();
  const Lines ps = file_lines("c.ps");
  EXPECT_EQ(ps[0], "%!PS-Adobe-2.0 EPSF-1.2");
  EXPECT_EQ(ps[1], "%%Title: c.ps" + std::string(31, ' '));
  EXPECT_FALSE(has(ps, "/#copies   2 def"));
}

TEST_F(PlotFile, OrientationAnswers) {
  struct Case {
    std::vector<std::string> answers;  // the orientation answers in turn
    std::string want;
    long refused;
  };
  const Case cases[] = {
      {{"lus"}, "LUS", 0},   {{"LA4"}, "LA4", 0}, {{"la4"}, "LA4", 0},         {{"portrait"}, "P  ", 0},
      {{"p"}, "P  ", 0},     {{"Lus", "la", "P"}, "P  ", 2}, {{"La4", ""}, "P  ", 1},  // empty: the default
  };
  int k = 0;
  for (const auto& c : cases) {
    std::filesystem::remove(path("kavro7_ini.txt"));
    std::string text = "n\n\n\n";
    for (const auto& a : c.answers) text += a + "\n";
    const std::string file = "o" + std::to_string(++k) + ".ps";
    text += "\n" + file + "\n";
    type_raw(text);
    std::string name = "seis.ps";
    plinit(name, setup::menu_from_stored);
    const Lines lines = screen_lines();
    EXPECT_EQ(psparams.psorient, c.want) << c.answers[0];
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " Unknown command ==> Asking again"), c.refused);
    EXPECT_EQ(read_file(path("kavro7_ini.txt")).substr(8, 3), c.want);
    psend();
    iocom.lplotop = false;
  }
}

TEST_F(PlotFile, AnEmptySettingsFileGivesTheDefaultsAndIsRewritten) {
  write_file(path("kavro7_ini.txt"), "");
  type({"", "u.ps"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  const Lines want = display("No ", "  1", "Portrait   ", "NeWS                ") + use_defaults("Yes") + updated;
  EXPECT_EQ(first(screen_lines(), want.size()), want);
  EXPECT_EQ(read_file(path("kavro7_ini.txt")), "  F   1 P    2\n              \n");
}

TEST_F(PlotFile, AnUnknownOrientationCodeIsShownAndKept) {
  write_file(path("kavro7_ini.txt"), "  F   1 XYZ  9\n");
  type({"", "x.ps"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  const Lines want = display("No ", "  1", "XYZ        ", "NeWS                ") + use_defaults("Yes");
  EXPECT_EQ(first(screen_lines(), want.size()), want);
  EXPECT_EQ(psparams.psorient, "XYZ");
  type({""});
  plend();
  const Lines ps = file_lines("x.ps");
  EXPECT_FALSE(has(ps, "%%BoundingBox: 0 0 595 842"));
}

// Settings that may not or cannot be written are reported with the reason,
// the file is left as it was, and the opening goes on with the defaults:
// a file that holds no settings, a folder, a file another program writes.
TEST_F(PlotFile, SettingsThatCannotBeWrittenAreReportedAndTheOpeningGoesOn) {
  namespace fs = std::filesystem;
  const fs::path file = path("kavro7_ini.txt");
  const struct {
    std::function<void()> make;
    std::string reason;
  } cases[] = {
      {[&] { write_file(file, "2010  6  1  7  5 12.500 catalogue\n"); }, "IS NOT A SETTINGS FILE, NOT REPLACED"},
      {[&] { fs::create_directory(file); }, "IS NOT A SETTINGS FILE, NOT REPLACED"},
      {[&] { write_file(file, "  T   3 LUS  1\n"); }, "IN USE BY ANOTHER PROGRAM"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    fs::remove_all(file);
    c.make();
    const std::string before = fs::is_regular_file(file) ? read_file(file) : "";
    const int lock = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (c.reason == "IN USE BY ANOTHER PROGRAM") {
      ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    }
    fs::remove(path("w.ps"));
    type({"", "", "w.ps"});
    std::string name = "seis.ps";
    plinit(name, setup::menu_from_stored);
    ::close(lock);
    const Lines lines = screen_lines();
    const Lines want = display("No ", "  1", "Portrait   ", "NeWS                ") + use_defaults("Yes") +
                       Lines{slashes,
                             " ///        subroutine intplinit         ///",
                             " ///               WARNING               ///",
                             slashes,
                             " could not write kavro7_ini.txt",
                             " " + c.reason,
                             " ==> default settings not saved",
                             " ===> HIT RETURN TO CONTINUE",
                             slashes};
    EXPECT_EQ(first(lines, want.size()), want);
    EXPECT_FALSE(has(lines, " kavro7_ini.txt updated or created"));
    EXPECT_TRUE(iocom.lplotop);
    EXPECT_TRUE(fs::exists(path("w.ps")));
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(read_file(file), before);
    }
    type({""});
    plend();
    screen();
  }
}

// A plot file that cannot be written to its end (a full disk) is reported
// when it is closed, not taken for a whole drawing, and the run's exit
// status tells it.
TEST_F(PlotFile, AFileThatCannotBeWrittenIsReportedWhenClosed) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_TRUE(units().open(50, "/dev/full", FileStatus::unknown));
  psparams.ipsunit = 50;
  psparams.ipstype = 1;
  psparams.ipspage = 1;
  psprolog(1, "seis.ps" + std::string(28, ' '));
  type({""});
  psend();
  const Lines lines = screen_lines();
  EXPECT_TRUE(has(lines, " ***        subroutine psend             ***"));
  const auto at = std::find(lines.begin(), lines.end(), " WHILE WRITING PLOT FILE /dev/full");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], " NO SPACE LEFT ON DEVICE");
  EXPECT_EQ(at[2], " ==> THE PLOT FILE IS INCOMPLETE");
  // The run's end tells it in its status.
  EXPECT_EQ(finish_run(exit_success), exit_file_incomplete);
}

TEST_F(PlotFile, OpeningWhileOpenAndClosingWhileClosedOnlyWarn) {
  type({""});
  plend();
  EXPECT_EQ(screen_lines(), (Lines{slashes, " ///        subroutine plend             ///",
                                   " ///               WARNING               ///", slashes,
                                   " The plot window or file is already closed", " ===> HIT RETURN TO CONTINUE",
                                   slashes}));
  type({"", "p.ps", ""});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  screen();
  std::string other = "other.ps";
  plinit(other, setup::menu_from_stored);
  EXPECT_EQ(screen_lines(), (Lines{slashes, " ///        subroutine plinit            ///",
                                   " ///               WARNING               ///", slashes,
                                   " Plot file or window is already opened",
                                   " ==> appending to current plot file/window", " ===> HIT RETURN TO CONTINUE",
                                   slashes}));
  EXPECT_EQ(other, "other.ps");
  EXPECT_TRUE(iocom.lplotop);
  EXPECT_FALSE(std::filesystem::exists(path("other.ps")));
}

TEST_F(PlotFile, PageMenuAddsAPageOrStartsTheNextPlot) {
  default_colour_table();
  type({"", "first.ps", "", "0"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  screen();
  newpage();
  const Lines menu = head("newpage    ") + Lines{" IT IS SUGGESTED TO CLEAR THE PLOT",
                                                " You can:",
                                                " clear the window / add a page to the file ..0",
                                                " close the window / file and open a new one .1",
                                                " append to the current window / file ........2",
                                                at43};
  EXPECT_EQ(first(screen_lines(), menu.size()), menu);
  EXPECT_EQ(psparams.ipspage, 2);
  type({"2"});
  newpage();
  EXPECT_EQ(psparams.ipspage, 2);

  // A new file: closed, then opened again with "Next_plot" offered. Answers
  // from a command file: the name is typed, an empty line takes the default.
  write_file(path("commands"), "1\n\n\n\n");
  ASSERT_TRUE(units().open(15, path("commands").string(), FileStatus::old_file));
  iocom.iuin = 15;
  iocom.lcomfop = true;
  iocom.lwito(2) = false;
  newpage();
  EXPECT_TRUE(iocom.lplotop);
  EXPECT_TRUE(std::filesystem::exists(path("Next_plot")));
  const Lines first_file = file_lines("first.ps");
  EXPECT_EQ(first_file[first_file.size() - 2], "%%Pages:   2");
  iocom.iuin = 5;
  iocom.lcomfop = false;
  type({""});
  plend();
}

// A plot named in a command file replaces every file of a plot that the
// program writes, in each dialect, overlay or not, of one page or of
// pages, and an empty file. Any other file is refused with the reason,
// which stops the command file, and kept as it was.
TEST_F(PlotFile, ANameInACommandFileReplacesOnlyAPlotOrAnEmptyFile) {
  default_colour_table();
  const std::string refusal = " EXISTS AND DOES NOT BEGIN WITH %! OR AS AN OVERLAY DOES";
  const struct {
    int dialect;
    bool overlay;
    int pages;         // of the plot the program writes first; 0: none
    std::string head;  // the file's first line: of that plot, or the whole file
  } cases[] = {
      {1, false, 1, "%!"},
      {1, true, 2, "%% Define macros etc"},
      {2, false, 2, "%!"},
      {2, true, 1, "1 setlinecap"},
      {3, false, 2, "%!PS-Adobe-2.0"},
      {3, true, 1, "%!PS-Adobe-2.0 EPSF-1.2"},
      {2, false, 0, ""},
      {2, false, 0, "%% Define macros"},
      {2, false, 0, "1 setlinecaps"},
  };
  int k = 0;
  for (const auto& c : cases) {
    const bool replaced = c.pages > 0 || c.head.empty();
    const std::string file = "k" + std::to_string(++k) + (replaced ? ".ps" : ".txt");
    SCOPED_TRACE(file);
    write_file(path("kavro7_ini.txt"), std::string("  ") + (c.overlay ? "T" : "F") + "   1 P    " +
                                           std::to_string(c.dialect) + "\n              \n");
    std::string name = "seis.ps";
    if (c.pages > 0) {
      type({"", file, ""});
      plinit(name, setup::menu_from_stored);
      real x = 100, y = 100;
      detext2(x, y, "first plot");
      for (int page = 1; page < c.pages; ++page) intnewpage();
      plend();
    } else {
      write_file(path(file), c.head.empty() ? "" : c.head + "\n");
    }
    const std::string before = read_file(path(file));
    EXPECT_EQ(before.substr(0, before.find('\n')), c.head);
    screen();
    // The command file takes the settings and names the file; the keyboard
    // answers once it has stopped.
    write_file(path("commands"), "\n" + file + "\n\n");
    ASSERT_TRUE(units().open(15, path("commands").string(), FileStatus::old_file));
    iocom.iuin = 15;
    iocom.lcomfop = true;
    iocom.lwito(2) = false;
    type({"", "other" + std::to_string(k) + ".ps", ""});
    plinit(name = "seis.ps", setup::menu_from_stored);
    const Lines lines = screen_lines();
    EXPECT_EQ(iocom.lcomfop, replaced);
    plend();
    const Lines box = Lines{slashes,
                            " ///        subroutine opef2             ///",
                            " ///               WARNING               ///",
                            slashes,
                            " COULD NOT OPEN FILE " + edit::pad(file, plot_name_width),
                            refusal,
                            " READ FROM LINE      2 OF THE COMMAND FILE",
                            " ===> COMMAND FILE STOPPED",
                            " ===> RETRYING",
                            " ===> HIT RETURN TO CONTINUE",
                            slashes};
    EXPECT_EQ(std::search(lines.begin(), lines.end(), box.begin(), box.end()) != lines.end(), !replaced);
    const std::string after = read_file(path(file));
    if (replaced) {
      EXPECT_EQ(after.find("first plot"), std::string::npos);
      EXPECT_TRUE(after.ends_with("%%EOF\n"));
    } else {
      EXPECT_EQ(after, before);
    }
    units().close(15);
    iocom.iuin = 5;
    iocom.lcomfop = false;
    iocom.lwito(2) = true;
  }
}

TEST_F(PlotFile, EndOfTheRunWritesTheTrailerOfAnOpenPlotFile) {
  type({"", "end.ps"});
  std::string name = "seis.ps";
  plinit(name, setup::menu_from_stored);
  std::vector<real> x{10, 20}, y{10, 20};
  psmoveto(x[0], y[0], 1);
  pslineto(std::span<real>(x).subspan(1), std::span<real>(y).subspan(1), 1);
  EXPECT_EQ(finish_run(exit_input_ended), exit_input_ended);
  EXPECT_FALSE(iocom.lplotop);
  const Lines lines = file_lines("end.ps");
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(Lines(lines.end() - 6, lines.end()),
            (Lines{"stroke", "showpage", "%%End Page", "%%Trailer", "%%Pages:   1", "%%EOF"}));
  // A run that ends with no plot file open writes nothing more.
  EXPECT_EQ(finish_run(exit_success), exit_success);
}

}  // namespace
}  // namespace dorvix::testing
