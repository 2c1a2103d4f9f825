// The program from start to quit: start-up, the top menu, the listing of
// the empty store, the Si-Sh file, command files, the ways a run ends (a
// stop signal, a console that goes away), and the files it may not spoil:
// a file-size limit, files named in a command file, files another run
// writes, lines too long to read.

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>

#include "catalogue/real_data.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "files/stops.hpp"
#include "numbers/edit.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;

const std::string at_rule = rule_of('@');
const std::string dash_rule = rule_of('-');
const Lines main_head{at_rule, " @ main program dorvix     ", " @" + std::string(42, '=')};


// The top menu with its body.
Lines top_menu(int ndata, int itype, const std::string& sish = "", bool lsish = false) {
  auto number = [](const std::string& text, int v) {
    const std::string n = std::to_string(v);
    return " " + text + " " + std::string(6 - n.size(), ' ') + n;
  };
  Lines m = main_head;
  const Lines body{dash_rule,
                   " DATA",
                   number("  Can store at most:", 60000),
                   number("  Currently stored :", ndata),
                   number("  Current data type:", itype),
                   "   READ + EXTRACT DATA.......1000",
                   "   LIST DATA TO SCREEN ......1100",
                   "   WRITE DATA TO FILE .......1200",
                   dash_rule,
                   " PLOT",
                   "   plot parameters ...........330",
                   "   OPEN  PLOT FILE ............10 " + edit::pad("seis.ps", 35),
                   "   CLOSE PLOT FILE ............20 " + edit::pad("seis.ps", 35),
                   "   PLOT MAP 1st Nodal Plane .2001",
                   "   PLOT MAP 2nd Nodal Plane .2002",
                   "   PLOT FOCAL MECHANISMS ....3000",
                   "   PLOT FOCAL MECHANISMS ....3001",
                   dash_rule,
                   " Sh OUTPUT FILE while mapping",
                   std::string("   WRITE TO Si-Sh FILE .........7 ") + (lsish ? "T" : "F"),
                   "   OPEN  Si-Sh OUTPUT FILE ....13 " + edit::pad(sish, 40),
                   "   CLOSE Si-Sh OUTPUT FILE ....23 " + edit::pad(sish, 40),
                   dash_rule,
                   " Use command file............5000",
                   " FAST QUIT...................9999",
                   at_rule};
  m.insert(m.end(), body.begin(), body.end());
  return m;
}

// The head of a routine's frame and the lines after it.
Lines sub_head(const std::string& name, const Lines& lines) { return join({menu_head(name), lines}); }

TEST(Program, StartsUpShowsTheTopMenuAndQuits) {
  TempDir dir;
  const ProgramRun run = run_dorvix(dir, {"", "9999"});
  EXPECT_EQ(run.status, 0);
  const Lines& l = run.lines;
  // The banner's clock and machine lines, and the end display's time.
  const auto banner = std::find(l.begin(), l.end(), " @       MAIN PROGRAM: dorvix");
  ASSERT_NE(banner, l.end());
  EXPECT_TRUE(std::regex_match(banner[5], std::regex(R"( @ Running on: \d\d-\d\d-\d{4} at: \d\d:\d\d:\d\d)")));
  EXPECT_TRUE(std::regex_match(banner[6], std::regex(R"( @ On system: [^ -]+-[^ -]+-(\d{1,4}GHz|\d{1,3}MHz|\?MHz))")))
      << banner[6];
  const auto end = std::find(l.begin(), l.end(), " @ PROGRAM dorvix");
  ASSERT_NE(end, l.end());
  EXPECT_TRUE(std::regex_match(end[2], std::regex(R"( @ EXECUTION TERMINATED AT: \d\d:\d\d:\d\d)")));
  // The version that the build gives, in both.
  EXPECT_EQ(banner[1], " @            Version:  2.0");
  EXPECT_EQ(end[1], " @ Version:  2.0");
  // The silent set-ups after the data-file table: the colour table, the
  // symbol size and the catalogue reader ...
  const Lines before{at_rule,
                     " @ subroutine scolortable",
                     " @" + std::string(42, '='),
                     " INITIALIZING COLOR TABLE:",
                     " 0   -> BKG = WHITE",
                     " 1   -> FRG = BLACK",
                     " 2-4 -> RGB COLORS",
                     " 5-7 -> CMY COLORS",
                     " 8   -> GREY 50%",
                     at_rule,
                     " @ subroutine ssymbolsize",
                     " @" + std::string(42, '='),
                     " INITIALISING SYMBOL SIZE (cm) =    0.400",
                     at_rule,
                     " @ subroutine fpsreadex1 ",
                     " @" + std::string(42, '='),
                     " INITIALIZING INPUT PARAMETERS",
                     at_rule,
                     " @ subroutine setseistest",
                     " @" + std::string(42, '='),
                     " INITIALIZING EXTRACTION TESTS"};
  // ... then the map driver's: its own line, the projection with each of
  // its set-ups ending on the title of the projection in force, the point
  // menu and the stress symbols ...
  const Lines map_heads{"mapseis",  "sprojll2",  "sllorig",  "slong1",   "slong2",  "slat1",
                        "slat2",    "sangle1",   "sellipsoid", "sellipsoid", "soblique", "contours1",
                        "sprojll2", "mappoint",  "smapsh2"};
  const Lines map_start = sub_head("mapseis    ", {" INITIALIZING MAP PARAMETERS"});
  const Lines map_end = join({{" MERCATOR SPHERICAL EARTH"},
                              sub_head("mappoint   ", {" " + edit::pad("INITIALIZING PARAMETERS", 43)}),
                              sub_head("smapsh2    ", {" INITIALIZING Sh MAP PARAMETERS"})});
  // ... then the one-page diagrams (with the stereonet projection and the
  // frame), the projection again, the paged diagrams, and the menu.
  const Lines diagrams = sub_head("fpsseis    ", {" INITIALIZING FPS PLOT PARAMETERS"});
  const Lines projection = join({sub_head("sspro      ", {" INITIALIZING STEREOGRAPHIC PROJECTION",
                                                         " projection number =    4",
                                                         " projection = Schmidt, retrograde X,Y axis"}),
                                 sub_head("sschmidt   ", {" INITIALIZING SCHMIDT PROJECTION",
                                                         " Azimuthal Equal Area (Lambert,1772)"})});
  Lines after = join({diagrams, projection, sub_head("srepstereo0", {" INITIALIZING STEREO FRAME"}), projection,
                      sub_head("fpsbchbll  ", {" INITIALIZING FPS PLOT PARAMETERS"})});
  const Lines menu = top_menu(0, 0);
  after.insert(after.end(), menu.begin(), menu.end());
  after.insert(after.end(), {" ..........................................", " Enter your choice"});
  const auto start = std::search(l.begin(), l.end(), before.begin(), before.end());
  ASSERT_NE(start, l.end());
  const auto map = start + static_cast<long>(before.size());
  const auto stereo = std::search(map, l.end(), after.begin(), after.end());
  ASSERT_NE(stereo, l.end());
  Lines heads;
  for (auto it = map; it != stereo; ++it) {
    if (it->rfind(" @ subroutine ", 0) == 0) heads.push_back(it->substr(14, it->find_last_not_of(' ') - 13));
  }
  EXPECT_EQ(heads, map_heads);
  EXPECT_EQ(Lines(map, map + static_cast<long>(map_start.size())), map_start);
  EXPECT_EQ(Lines(stereo - static_cast<long>(map_end.size()), stereo), map_end);
}

// The install rule: the program installed into a fresh prefix, as
// bin/dorvix, runs as the one built does up to its end-of-run picture
// (which the clock chooses).
TEST(Program, InstalledIntoAPrefixItRunsAsBuilt) {
  TempDir prefix, dir;
  const CommandResult install = run_command(shell_quote(DORVIX_CMAKE_COMMAND) + " --install " +
                                            shell_quote(DORVIX_BUILD_DIR) + " --prefix " +
                                            shell_quote(prefix.path().string()));
  ASSERT_EQ(install.status, 0) << install.output;
  const Lines answers{"", "9999"};
  const ProgramRun built = run_dorvix(dir, answers);
  const ProgramRun installed = run_dorvix(dir, answers, 0, (prefix / "bin" / "dorvix").string());
  EXPECT_EQ(installed.status, 0);
  auto until_the_end = [](const Lines& l) {
    const auto end = std::find(l.begin(), l.end(), " @ PROGRAM dorvix");
    Lines kept(l.begin(), end);
    for (auto& line : kept) {
      if (line.rfind(" @ Running on:", 0) == 0) line = " @ Running on: (clock)";
    }
    return kept;
  };
  const Lines want = until_the_end(built.lines);
  ASSERT_GT(want.size(), 100u);
  EXPECT_EQ(until_the_end(installed.lines), want);
}

TEST(Program, ListingTheEmptyStoreIsRefusedInAWarningBox) {
  TempDir dir;
  const ProgramRun run = run_dorvix(dir, {"", "1100", "", "9999"});
  const std::string frame = " |" + std::string(43, '-') + "|";
  const Lines want{at_rule,
                   " @ main program dorvix     ",
                   " @" + std::string(42, '='),
                   frame,
                   " |               EXTRACTED DATA              |",
                   frame,
                   " " + std::string(43, '/'),
                   " ///        subroutine dorvix            ///",
                   " ///               WARNING               ///",
                   " " + std::string(43, '/'),
                   " DATA TYPE ID =      0",
                   " COMMAND      =   1100",
                   " NO LISTING PROCEDURE FOR THIS",
                   " ==> NO ACTION",
                   " ===> HIT RETURN TO CONTINUE",
                   " " + std::string(43, '/'),
                   frame};
  const auto at = std::find(run.lines.begin(), run.lines.end(), " New value =          1100");
  ASSERT_NE(at, run.lines.end());
  EXPECT_EQ(Lines(at + 2, at + 2 + static_cast<long>(want.size())), want);
  EXPECT_EQ(run.status, 0);
}

// The end of the input ends the run with its own status; an input that
// cannot be read (a folder) is no end of input: the run stops as after a
// fatal error, saying why.
TEST(Program, EndOfInputEndsTheRunWithAFailureStatus) {
  TempDir dir;
  for (const Lines& answers : {Lines{}, Lines{""}, Lines{"", "1000"}}) {
    const ProgramRun run = run_dorvix(dir, answers);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.lines.back(), " ===> END OF INPUT: STOPPING EXECUTION");
  }
  const CommandResult folder = run_command("cd " + shell_quote(dir.path().string()) + " && " +
                                           shell_quote(DORVIX_BINARY) + " < .");
  EXPECT_EQ(folder.status, exit_stopped_by_program);
  EXPECT_EQ(split_lines(folder.output).back(),
            " ===> STANDARD INPUT CANNOT BE READ, IS A DIRECTORY: STOPPING EXECUTION");
}

TEST(Program, OpensAndClosesTheSiShFile) {
  TempDir dir;
  // 13 opens (a chosen name), 13 again does nothing, 23 closes, 23 again
  // does nothing; the switch on, a map choice opens it again.
  const ProgramRun run =
      run_dorvix(dir, {"", "13", "sish.txt", "13", "23", "23", "7", "y", "2001", "sish2.txt", "", "9999"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "sish.txt"));
  EXPECT_EQ(read_file(dir / "sish2.txt"), "");
  const Lines& l = run.lines;
  EXPECT_EQ(std::count(l.begin(), l.end(), " Choose extracted si-sh output file name"), 2);
  EXPECT_EQ(std::count(l.begin(), l.end(), " OUTPUT FILE " + edit::pad("sish.txt", 40) + " CLOSED"), 1);
  // The quit closes the second one.
  EXPECT_EQ(std::count(l.begin(), l.end(), " OUTPUT FILE " + edit::pad("sish2.txt", 40) + " CLOSED"), 1);
  // The second 13 finds the file open: nothing before the next menu.
  const auto first13 = std::find(l.begin(), l.end(), " New value =            13");
  const auto second13 = std::find(first13 + 1, l.end(), " New value =            13");
  ASSERT_NE(second13, l.end());
  EXPECT_EQ(Lines(second13 + 2, second13 + 5), main_head);
  const Lines menu = top_menu(0, 0, "sish.txt");
  EXPECT_NE(std::search(l.begin(), l.end(), menu.begin(), menu.end()), l.end());
  const Lines switched = top_menu(0, 0, "sish.txt", true);
  EXPECT_NE(std::search(l.begin(), l.end(), switched.begin(), switched.end()), l.end());
  // The switch on, the map menu comes after the opening.
  const auto opened = std::find(l.rbegin(), l.rend(), " Choose extracted si-sh output file name").base();
  const auto map_menu = std::find(l.rbegin(), l.rend(), " @ subroutine mapseis    ").base();
  EXPECT_LT(opened, map_menu);
}

TEST(Program, OpensAndClosesThePlotFile) {
  TempDir dir;
  // 10 opens (default settings, a chosen name) and resets the fill style
  // (once with every attribute, once more on its own); 10 and 20 in the
  // wrong state only warn; the quit closes an open plot.
  const ProgramRun run = run_dorvix(
      dir, {"", "10", "", "first.ps", "10", "", "330", "99", "20", "", "20", "", "10", "", "second.ps", "9999", ""});
  EXPECT_EQ(run.status, 0);
  const Lines& l = run.lines;
  EXPECT_EQ(count(l, " INITIALISING FILL STYLE TO: filled"), 4);
  EXPECT_TRUE(has_block(l, {" Plot file or window is already opened", " ==> appending to current plot file/window"}));
  EXPECT_TRUE(has(l, " The plot window or file is already closed"));
  EXPECT_TRUE(has(l, "   OPEN  PLOT FILE ............10 " + edit::pad("first.ps", 35)));
  EXPECT_TRUE(has(l, "   CLOSE PLOT FILE ............20 " + edit::pad("second.ps", 35)));
  // The quit closes the plot before the end display.
  const auto closed = std::find(l.rbegin(), l.rend(), " The PostScript plot file is closed").base();
  EXPECT_LT(closed, std::find(l.begin(), l.end(), " @ PROGRAM dorvix"));
  expect_renders(dir / "first.ps");
  expect_renders(dir / "second.ps");
}

TEST(Program, CommandFileAnswersThePromptsAndHidesTheMenuBody) {
  TempDir dir;
  write_file(dir / "cat.hash", hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n");
  write_file(dir / "commands.txt", "1000\n1001\ncat.hash\n1100\n5000\n5003\n");
  const ProgramRun run = run_dorvix(dir, {"", "5000", "5001", "commands.txt"});
  EXPECT_EQ(run.status, 0);
  const Lines& l = run.lines;
  EXPECT_EQ(listed_ids(l), std::vector<long long>{7});
  // After the start only the head of the top menu is shown.
  const auto started = std::find(l.begin(), l.end(), "    Command file: commands.txt");
  ASSERT_NE(started, l.end());
  Lines want = main_head;
  want.push_back(" Enter your choice");
  EXPECT_EQ(Lines(started + 5, started + 9), want);
  EXPECT_NE(std::find(l.begin(), l.end(), " Command file commands.txt closed"), l.end());
  EXPECT_NE(std::find(l.begin(), l.end(), " @ PROGRAM dorvix"), l.end());
}

// ---- The README's command files ---------------------------------------------

const std::filesystem::path source_dir = DORVIX_SOURCE_DIR;

// The indented code blocks of a page of the README or the manual, each as
// its lines (the indent taken off, a blank line inside a block kept as an
// empty answer) with the offset in the page where it starts.
struct Block {
  std::size_t offset;
  Lines lines;
};
std::vector<Block> page_blocks(const std::string& page) {
  std::vector<Block> blocks;
  Block block{0, {}};
  bool after_blank = true;
  auto close = [&] {
    while (!block.lines.empty() && block.lines.back().empty()) block.lines.pop_back();
    if (!block.lines.empty()) blocks.push_back(block);
    block.lines.clear();
  };
  std::size_t offset = 0;
  std::istringstream in(page);
  for (std::string line; std::getline(in, line); offset += line.size() + 1) {
    if (line.rfind("    ", 0) == 0 && (after_blank || !block.lines.empty())) {
      if (block.lines.empty()) block.offset = offset;
      block.lines.push_back(line.substr(4));
    } else if (!(line.empty() && !block.lines.empty())) {
      close();
    } else {
      block.lines.push_back("");
    }
    after_blank = line.empty();
  }
  close();
  return blocks;
}

Lines file_lines(const std::filesystem::path& p) { return split_lines(read_file(p)); }

// docs/readme_map.cmd changed as docs/first_map.md says to write the
// Si-Sh file and to have the diagrams in a file of their own; its lines
// 23, 66 and 67 must be those the page names.
Lines map_cmd_apart(const Lines& map_cmd) {
  EXPECT_EQ(map_cmd.at(22), "2001");
  EXPECT_EQ(map_cmd.at(65), "3001");
  EXPECT_EQ(map_cmd.at(66), "1000");
  const auto line = [&map_cmd](std::size_t n) { return map_cmd.begin() + static_cast<std::ptrdiff_t>(n - 1); };
  Lines l(line(1), line(23));
  l.insert(l.end(), {"7", "y", "2001", "sish.txt"});
  l.insert(l.end(), line(24), line(66));
  l.insert(l.end(), {"20", "", "3001", "1000", "", ""});
  l.insert(l.end(), line(69), map_cmd.end());
  return l;
}

// Each command file the README and the manual give is run as they say
// (copied into the working directory with the data it names, started at
// the keyboard with 5000 and 5001) and does what they say it does. They
// are the block after the README's first mention of `commands.txt`, and
// docs/readme_map.cmd, which docs/first_map.md prints whole; the README's
// pictures come from docs/readme_images.cmd.
TEST(Program, TheReadmesCommandFilesRunAsItSays) {
  DORVIX_REQUIRE_TOOL("gs");
  const std::string readme = read_file(source_dir / "README.md");
  const std::string first_map = read_file(source_dir / "docs" / "first_map.md");
  const std::filesystem::path real = DORVIX_REAL_DATA_DIR;
  // The first block of `page` after its first mention of `mention`.
  auto block_after = [&](const std::string& page, const std::string& mention) {
    const auto at = page.find(mention);
    for (const Block& b : page_blocks(page)) {
      if (at != std::string::npos && b.offset > at) return b.lines;
    }
    return Lines{};
  };
  const Lines map_cmd = file_lines(source_dir / "docs" / "readme_map.cmd");
  EXPECT_EQ(block_after(first_map, "Return at the banner, `5000`, `5001` and `map.cmd`"), map_cmd)
      << "docs/first_map.md does not print docs/readme_map.cmd as it stands";
  struct Case {
    std::string name;
    Lines commands;
    Lines data;  // files of tests/data/real copied beside it
    std::function<void(const TempDir&, const Lines&)> check;
  };
  const std::vector<Case> cases{
      {"commands.txt", block_after(readme, "`commands.txt`"), {"scedc_hash_2018.hash"},
       [&](const TempDir& dir, const Lines&) {
         // The catalogue written back as it was read.
         EXPECT_TRUE(same_text(read_file(dir / "out.hash"), read_file(real / "scedc_hash_2018.hash")));
       }},
      {"map.cmd", map_cmd, {"scedc_hash_2018.hash", "gshhg_socal.gshhs"},
       [&](const TempDir& dir, const Lines& l) {
         EXPECT_TRUE(has(l, " | Nb of data |       6091 |         78 |"));
         // The oblique stereographic projection applied, its origin moved
         // to its centre.
         EXPECT_TRUE(has(l, " STEREOGRAPHIC CONFORMAL SPHERICAL EARTH"));
         EXPECT_TRUE(has_block(l, {" Enter origin longitude in degrees", " New value =  -118.250    "}));
         EXPECT_TRUE(has_block(l, {" Enter origin latitude in degrees", " inside  [-90.000, 90.000]",
                                   " New value =   34.0000    "}));
         EXPECT_TRUE(has(l, " input file gshhg_socal.gshhs closed"));
         EXPECT_TRUE(has(l, " PLOTTING Page 4/4"));
         const std::string ps = read_file(dir / "seis.map.ps");
         EXPECT_NE(ps.find("%%Pages:   5"), std::string::npos);  // the map and four pages of diagrams
         EXPECT_NE(ps.find("%%EOF"), std::string::npos);
         expect_renders(dir / "seis.map.ps");
       }},
      // The first map page's changes to map.cmd: the Si-Sh file written
      // (`7` and `y` before line 23, the file's name after it) and the
      // diagrams in a file of their own (`20` and an empty line before
      // line 66, two empty lines for the opening's questions after line
      // 67, three page lines).
      {"apart.cmd", map_cmd_apart(map_cmd), {"scedc_hash_2018.hash", "gshhg_socal.gshhs"},
       [&](const TempDir& dir, const Lines&) {
         const Lines sish = file_lines(dir / "sish.txt");
         ASSERT_EQ(sish.size(), 1u + 78u);
         EXPECT_EQ(sish[0], "       Date       Time Latitu Longitu Depth Strik  Dip  Rake S1_azi S1_pl S2_azi S2_pl "
                            "S3_azi S3_pl Sv AzSHmx");
         EXPECT_NE(read_file(dir / "seis.map.ps").find("%%Pages:   1"), std::string::npos);
         EXPECT_NE(read_file(dir / "fps_bb.ps").find("%%Pages:   4"), std::string::npos);
         expect_renders(dir / "seis.map.ps");
         expect_renders(dir / "fps_bb.ps");
       }},
      {"images.cmd", file_lines(source_dir / "docs" / "readme_images.cmd"),
       {"scedc_hash_2018.hash", "gshhg_socal.gshhs"},
       [&](const TempDir& dir, const Lines& l) {
         EXPECT_TRUE(has(l, " input file gshhg_socal.gshhs closed"));
         expect_renders(dir / "scedc_map.ps");
         expect_renders(dir / "scedc_diagrams.ps");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(c.commands.empty());
    TempDir dir;
    std::string text;
    for (const std::string& l : c.commands) text += l + "\n";
    write_file(dir / c.name, text);
    for (const std::string& f : c.data) std::filesystem::copy_file(real / f, dir / f);
    // The pictures' diagrams are those of the catalogue's first 20 lines.
    const Lines first = file_lines(real / "scedc_hash_2018.hash");
    std::string first20;
    for (std::size_t i = 0; i < 20; ++i) first20 += first[i] + "\n";
    write_file(dir / "first20.hash", first20);
    const ProgramRun run = run_dorvix(dir, {"", "5000", "5001", c.name});
    // 0: the command file's own 9999 was reached (the keyboard has no
    // answer left after its name).
    EXPECT_EQ(run.status, 0);
    c.check(dir, run.lines);
  }
}

const std::string slash_rule = rule_of('/');

// The lines of the opener's box for a name it could not open, read from
// line `line` of a command file (0: not read there).
Lines open_failure(const std::string& name, std::size_t width, const std::string& reason, int line = 0) {
  Lines box = warning_head("opef2");
  box.push_back(" COULD NOT OPEN FILE " + edit::pad(name, width));
  box.push_back(" " + reason);
  if (line > 0) {
    box.push_back(" READ FROM LINE " + edit::i(line, 6) + " OF THE COMMAND FILE");
    box.push_back(" ===> COMMAND FILE STOPPED");
  }
  box.insert(box.end(), {" ===> RETRYING", " ===> HIT RETURN TO CONTINUE", slash_rule});
  return box;
}

const Lines keyboard_again{" Command file commands.txt closed", " Standard input redirected from keyboard",
                           " Level 2 standard output enabled"};

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A limit on the size of files ends no run: the plot written past it is
// reported and closed when the RUN ends, ends at its last whole line, and
// the run goes on to its quit, whose exit status tells that a file is
// incomplete.
TEST(Program, AFileSizeLimitIsReportedAndTheRunGoesOn) {
  TempDir dir;
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  std::string cat;
  for (std::size_t k = 0; k < 500; ++k) cat += scedc[k] + "\n";
  write_file(dir / "cat.hash", cat);
  // 500 nets on one page, most of them off the sheet (the warning's pause).
  const ProgramRun run =
      run_dorvix(dir, script({read_script("1001", "cat.hash"), {"3000", "1000", "", "seis.fm.ps", "", "", "99", "9999"}}),
                 100 << 10);
  EXPECT_EQ(run.status, exit_file_incomplete);
  EXPECT_TRUE(has_block(run.lines,
                        {" WHILE WRITING PLOT FILE seis.fm.ps", " FILE TOO LARGE", " ==> THE PLOT FILE IS INCOMPLETE"}));
  // The plot ends at the last whole line within the limit.
  const std::string plot = read_file(dir / "seis.fm.ps");
  EXPECT_GT(plot.size(), (100u << 10) - 100);
  EXPECT_TRUE(ends_with(plot, "\n"));
  expect_renders(dir / "seis.fm.ps");
}

// A run cut short ends in order. A stop signal, wherever it comes: while
// a catalogue of 59999 lines is written, while a plot is drawn, while the
// run waits for an answer (the keyboard kept open: it would wait for
// ever); the file written ends at a whole line of what it was to hold,
// the console names it (the plot too) and the status is 128 + the
// signal's number. A console whose reader stops
// reading (`dorvix < answers | head -c 100000`) during a listing: the run
// goes on without it to its quit and writes the catalogue whole. The plot
// gets its trailer in every case.
TEST(Program, ARunCutShortEndsInOrder) {
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  std::string big;
  for (std::size_t k = 0; k < 59999; ++k) big += scedc[k % scedc.size()] + "\n";
  const Lines plot{"", "10", "", "seis.ps"};
  const Lines write{"1200", "1001", "out.hash"};
  const struct {
    std::string name;  // of the signal ("" none)
    int signal;
    Lines answers;
    std::string watched;  // the signal comes once this file is not empty ("": once it exists)
    int status;
  } cases[] = {
      {"SIGINT", SIGINT, join({plot, read_script("1001", "big.hash"), write}), "out.hash", 130},
      {"SIGTERM", SIGTERM, join({{""}, read_script("1001", "big.hash"), {"3000", "1000", "", "seis.ps", ""}}),
       "seis.ps", 143},
      {"SIGHUP", SIGHUP, plot, "", 129},
      {"", 0, join({plot, read_script("1001", "big.hash"), {"1100"}, write, {"", "99", "9999", ""}}), "",
       exit_console_lost},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "big.hash", big);
    RunEvents events;
    events.keep_input_open = c.signal != 0;
    events.close_output_after = c.signal == 0 ? 100000 : 0;
    events.signal = c.signal;
    events.when = [&] {
      std::error_code ec;
      return c.watched.empty() ? std::filesystem::exists(dir / "seis.ps")
                               : std::filesystem::file_size(dir / c.watched, ec) > 0 && !ec;
    };
    std::string input;
    for (const auto& a : c.answers) input += a + "\n";
    const BoundedRun run = run_bounded(DORVIX_BINARY, dir.path(), input, 120, std::size_t{1} << 28, 0, events);
    ASSERT_FALSE(run.timed_out);
    const Lines lines = split_lines(run.output);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, c.status);
    if (c.signal != 0) {
      EXPECT_TRUE(has(lines, " ===> SIGNAL " + c.name + ": STOPPING EXECUTION"));
      EXPECT_TRUE(has(lines, " ===> FILE seis.ps ENDS AT ITS LAST WHOLE LINE"));
    }
    if (std::filesystem::exists(dir / "out.hash")) {
      const std::string written = read_file(dir / "out.hash");
      if (c.signal == 0) {
        EXPECT_TRUE(same_text(written, big));
      } else {
        EXPECT_TRUE(ends_with(written, "\n"));
        EXPECT_TRUE(big.starts_with(written)) << written.size() << " bytes";
        EXPECT_TRUE(has(lines, " ===> FILE out.hash ENDS AT ITS LAST WHOLE LINE"));
      }
    }
    EXPECT_TRUE(ends_with(read_file(dir / "seis.ps"), "%%EOF\n"));
    expect_renders(dir / "seis.ps");
  }
}

// A stop signal while the run waits on a pipe it reads ends the wait as
// it ends a wait for an answer: at the opening of a catalogue chosen at
// the keyboard or named in a command file (nothing writes to the pipe
// yet), and in its reading (its writer wrote one line and holds it open).
// The run stops there at once, with no box, the signal's line and its
// status.
TEST(Program, ASignalEndsAWaitOnAPipeAsItEndsAWaitForAnAnswer) {
  const std::string chosen = " Choose HASH input file name";
  const struct {
    std::string name;  // of the signal
    int signal;
    Lines answers;
    std::string written;  // to the pipe before the run ("": no writer)
    std::string waiting;  // the last line shown before the wait
    Lines last;           // the console's lines from the first of them after `waiting` up to the signal's
  } cases[] = {
      {"SIGTERM", SIGTERM, script({read_script("1001", "in.hash")}), "", chosen, {chosen}},
      {"SIGHUP", SIGHUP, {"", "5000", "5001", "commands.txt"}, "", " Choose alternate standard input file name",
       {" Enter HASH input file name", " New value = " + edit::pad("in.hash", 80)}},
      {"SIGINT", SIGINT, script({read_script("1001", "in.hash")}), hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n",
       chosen, {"         unit = 22", " --------------"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "in.hash").c_str(), 0600), 0);
    write_file(dir / "commands.txt", "1000\n1001\nin.hash\n");
    // The test's own end of the pipe, which the run does not inherit,
    // holds the line written.
    const int writer = c.written.empty() ? -1 : ::open((dir / "in.hash").c_str(), O_RDWR | O_CLOEXEC);
    if (writer >= 0) {
      ASSERT_EQ(::write(writer, c.written.data(), c.written.size()), static_cast<ssize_t>(c.written.size()));
    }
    RunEvents events;
    events.keep_input_open = true;
    events.signal = c.signal;
    events.waiting_after = c.waiting;
    std::string input;
    for (const auto& a : c.answers) input += a + "\n";
    const BoundedRun run = run_bounded(DORVIX_BINARY, dir.path(), input, 10, std::size_t{1} << 28, 0, events);
    if (writer >= 0) ::close(writer);
    ASSERT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 128 + c.signal);
    const Lines lines = split_lines(run.output);
    const std::string stop = " ===> SIGNAL " + c.name + ": STOPPING EXECUTION";
    Lines expected = c.last;
    expected.push_back(stop);
    const auto from = static_cast<std::size_t>(std::find(lines.begin(), lines.end(), c.waiting) - lines.begin());
    EXPECT_EQ(section(lines, c.last.front(), stop, from), expected);
    EXPECT_EQ(lines.back(), stop);
  }
}

// A pipe in `dir` that this test holds open for reading and never reads,
// filled up: every write of the run to it waits for a reader.
class FullPipe {
 public:
  explicit FullPipe(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const std::string block(4096, 'x');
    while (::write(fd_, block.data(), block.size()) > 0) {
    }
    while (::write(fd_, "x", 1) > 0) {
    }
  }
  ~FullPipe() { ::close(fd_); }
  FullPipe(const FullPipe&) = delete;
  FullPipe& operator=(const FullPipe&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// A stop signal ends a write that waits for a reader that does not read:
// a plot closed into a full pipe, a catalogue written into one, the
// console written into a pipe that is no longer read. The run stops at
// once with the signal's status; the console names the file that could
// not be finished, and a plot open beside it gets its trailer. A second
// signal, of another kind, while the run's end waits so for the pipe of
// its plot ends the run at once.
TEST(Program, AStopSignalEndsAWriteThatWaitsForAReader) {
  const std::string scedc = read_file(real_data_dir() / "scedc_hash_2018.hash");
  const Lines plot{"", "10", "", "seis.ps"};
  const struct {
    std::string name;
    int signal;
    Lines answers;
    std::string pipe;     // a full pipe of that name ("": none)
    std::string waiting;  // the signal comes once this was shown and the run waits
    bool console_read;    // the console is read to the end
    int second_signal;
    Lines last;  // the console's last lines
  } cases[] = {
      {"plot", SIGINT, {"", "10", "", "p.ps", "20", ""}, "p.ps", " Choose postcript plot file name", true, 0,
       {" ===> SIGNAL SIGINT: STOPPING EXECUTION", " ===> FILE p.ps COULD NOT BE WRITTEN TO ITS END"}},
      {"catalogue", SIGTERM, join({plot, read_script("1001", "cat.hash"), {"1200", "1001", "out.hash"}}), "out.hash",
       " Choose HASH output file name", true, 0,
       {" ===> SIGNAL SIGTERM: STOPPING EXECUTION", " ===> FILE out.hash COULD NOT BE WRITTEN TO ITS END"}},
      {"console", SIGHUP, join({plot, read_script("1001", "cat.hash"), {"1100"}}), "", "", false, 0, {}},
      {"second signal", SIGINT, {"", "10", "", "p.ps"}, "p.ps",
       "   CLOSE PLOT FILE ............20 " + edit::pad("p.ps", 35), true, SIGTERM, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "cat.hash", scedc);
    std::optional<FullPipe> pipe;
    if (!c.pipe.empty()) {
      pipe.emplace(dir / c.pipe);
      ASSERT_TRUE(pipe->ok());
    }
    RunEvents events;
    events.keep_input_open = c.second_signal != 0;
    events.stop_reading_after = c.console_read ? 0 : 1;
    events.signal = c.signal;
    events.waiting_after = c.waiting;
    events.second_signal = c.second_signal;
    std::string input;
    for (const auto& a : c.answers) input += a + "\n";
    const BoundedRun run = run_bounded(DORVIX_BINARY, dir.path(), input, 20, std::size_t{1} << 28, 0, events);
    pipe.reset();
    if (run.timed_out) {
      ADD_FAILURE() << "the run waited on";
      continue;
    }
    if (c.second_signal != 0) {
      EXPECT_EQ(run.signal, c.second_signal);
      continue;
    }
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 128 + c.signal);
    const Lines lines = split_lines(run.output);
    if (!c.last.empty()) {
      EXPECT_TRUE(has_block(lines, c.last));
    }
    if (std::filesystem::exists(dir / "seis.ps")) {
      EXPECT_TRUE(ends_with(read_file(dir / "seis.ps"), "%%EOF\n"));
      expect_renders(dir / "seis.ps");
    }
  }
}

#if defined(__SANITIZE_ADDRESS__)
#define DORVIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DORVIX_ADDRESS_SANITIZER 1
#endif
#endif

// Memory that runs out (a limit on the memory the program may map, as
// `ulimit -v` sets it) ends the run in order wherever an allocation fails.
// A run reads a catalogue, opens a plot, writes the catalogue over an
// existing out.hash and opens the Si-Sh file; under every limit from the
// least under which it runs whole down to one under which the program
// cannot start at all, the run either goes whole or ends with the box and
// status 1: the plot it opened gets its trailer, the catalogue ends at a
// whole line. (Under AddressSanitizer no such limit can hold: the test is
// skipped there.)
TEST(Program, MemoryThatRunsOutEndsTheRunInOrder) {
#ifdef DORVIX_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer maps far more memory than any limit leaves";
#endif
  const std::string scedc = read_file(real_data_dir() / "scedc_hash_2018.hash");
  std::string input;
  const Lines after_read{"10", "", "drawn.ps", "1200", "1001", "out.hash", "y", "", "99", "13", "sish.txt", "9999", ""};
  for (const auto& a : join({{""}, read_script("1001", "cat.hash"), after_read})) input += a + "\n";
  const Lines box = join({error_head("dorvix"), {" MEMORY RAN OUT", " ===> STOPPING EXECUTION", rule_of('*')}});
  const std::string plot_opened = "   CLOSE PLOT FILE ............20 " + edit::pad("drawn.ps", 35);
  int boxes = 0;
  // The run under a limit of `kb` kilobytes: its exit status, or -1 when
  // the program could not start.
  const auto run_under = [&](long kb) {
    SCOPED_TRACE("ulimit -v " + std::to_string(kb));
    TempDir dir;
    write_file(dir / "cat.hash", scedc);
    write_file(dir / "out.hash", scedc);
    const CommandResult r = run_command("cd " + shell_quote(dir.path().string()) + " && ulimit -v " +
                                            std::to_string(kb) + " && exec " + shell_quote(DORVIX_BINARY),
                                        input);
    const Lines lines = split_lines(r.output);
    if (!has(lines, " INITIALIZING INPUT/OUTPUT")) return -1;
    EXPECT_TRUE(r.status == exit_success || r.status == exit_stopped_by_program) << r.status;
    EXPECT_EQ(has_block(lines, box), r.status == exit_stopped_by_program);
    boxes += r.status == exit_stopped_by_program;
    const std::string out = read_file(dir / "out.hash");
    EXPECT_TRUE(scedc.starts_with(out) && (out.empty() || out.back() == '\n')) << out.size() << " bytes";
    if (r.status == exit_success) {
      EXPECT_TRUE(same_text(out, scedc));
    }
    if (has(lines, plot_opened)) {
      EXPECT_TRUE(ends_with(read_file(dir / "drawn.ps"), "%%EOF\n"));
      if (r.status != exit_success) expect_renders(dir / "drawn.ps");
    }
    return r.status;
  };
  // The least limit under which the run goes whole, to 16 kB, ...
  long low = 1 << 12, high = 1 << 20;
  ASSERT_EQ(run_under(high), exit_success);
  while (high - low > 16) {
    const long mid = (low + high) / 2;
    (run_under(mid) == exit_success ? high : low) = mid;
  }
  // ... and every limit below it down to one under which it cannot start.
  for (long kb = high - 16; kb > 0 && run_under(kb) >= 0; kb -= 16) {
  }
  EXPECT_GT(boxes, 0);
}

// The README's command file run twice: the second time out.hash exists,
// the command file stops at the line that names it, and the keyboard
// names another file and answers the rest.
TEST(Program, ACommandFileStopsAtANameThatCannotBeOpened) {
  TempDir dir;
  const std::string scedc = read_file(real_data_dir() / "scedc_hash_2018.hash");
  write_file(dir / "scedc_hash_2018.hash", scedc);
  write_file(dir / "commands.txt", "1000\n1001\nscedc_hash_2018.hash\n1200\n1001\nout.hash\n\n99\n9999\n");
  const Lines start{"", "5000", "5001", "commands.txt"};
  EXPECT_EQ(run_dorvix(dir, start).status, 0);
  EXPECT_TRUE(same_text(read_file(dir / "out.hash"), scedc));
  Lines again = start;
  again.insert(again.end(), {"", "again.hash", "", "99", "9999"});
  const ProgramRun run = run_dorvix(dir, again);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(same_text(read_file(dir / "again.hash"), scedc));
  EXPECT_TRUE(same_text(read_file(dir / "out.hash"), scedc));
  EXPECT_FALSE(std::filesystem::exists(dir / "99"));
  EXPECT_TRUE(has_block(run.lines, join({keyboard_again, open_failure("out.hash", 40, "FILE EXISTS", 6),
                                         menu_head("opef2"), {" OPENING HASH output FILE"}})));
}

// An answer of a command file that the program refuses stops the command
// file at its line, as a name that cannot be opened does: the box names
// the line and pauses at the keyboard, where the question is asked again
// (here answered and the run quit from there), and no later line of the
// command file is read (each ends with a listing that must not come):
// lines of garbage or a plot given as the command file, a yes/no answer,
// an unknown choice of a menu that says so, values a setter refuses (a
// polygon corner beyond 360 degrees among them); a choice that the top,
// reader, writer, tests or map menu does not offer
// (the first map's walk-through with 2001 mistyped), which the keyboard
// would have had the menu show again; a choice that the projection's
// origin menu, the catalogue's read-error question or the column file's
// retry question does not offer (the writing of after.hash that follows
// never comes).
TEST(Program, ARefusedAnswerStopsTheCommandFileAtItsLine) {
  std::string garbage;
  for (int k = 0; k < 10000; ++k) garbage += "garbage\n";
  TempDir plot_dir;
  ASSERT_EQ(run_dorvix(plot_dir, {"", "10", "", "seis.ps", "20", "", "9999"}).status, 0);
  Lines walk = file_lines(source_dir / "docs" / "readme_map.cmd");
  walk.at(22) = "2010";
  std::string mistyped;
  for (const std::string& l : walk) mistyped += l + "\n";
  const std::string write_after = "1200\n1001\nafter.hash\n\n99\n1100\n";
  std::string bad = real_data_lines("scedc_hash_2018.hash").front();
  bad.replace(24, 2, "ab");  // no number in the event identifier
  const auto unknown = [](const std::string& routine, int choice, int line) {
    return join({warning_head(routine),
                 {" UNKNOWN CHOICE = " + edit::i(choice, 6), " READ FROM LINE " + edit::i(line, 6) +
                  " OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED", " ==> BACK TO MENU WITHOUT ACTION",
                  " ===> HIT RETURN TO CONTINUE", slash_rule}});
  };
  const struct {
    const char* name;
    std::string commands;
    Lines keyboard;  // after the command file's start: the box's Return first
    Lines box;       // from the box's head to its last line
  } cases[] = {
      {"garbage", garbage, {"", "9999"},
       join({error_head("ininteg1"),
             {" could not read your choice", " READ FROM LINE      1 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED",
              " ==> RETRYING", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"a plot", read_file(plot_dir / "seis.ps"), {"", "9999"},
       join({error_head("ininteg1"),
             {" could not read your choice", " READ FROM LINE      1 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED",
              " ==> RETRYING", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"yes/no", "1000\n100\n10\nx\n99\n99\n1100\n", {"", "y", "99", "99", "9999"},
       join({error_head("inlogicdef"),
             {" incorrect answer: x", " READ FROM LINE      4 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED",
              " ==> WILL ASK QUESTION AGAIN", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"projection code", "2001\n300\n77\n99\n99\n99\n1100\n", {"", "99", "99", "99", "9999"},
       join({warning_head("sprojll2"),
             {" UNKNOWN ANSWER !", " READ FROM LINE      3 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED",
              " ==> BACK TO MENU WITHOUT ACTION", " ===> HIT RETURN TO CONTINUE", slash_rule}})},
      {"graticule window", "2001\n320\n10\n80 -80 10\n99\n99\n1100\n", {"", "-80 80 10", "99", "99", "9999"},
       join({error_head("sllgrid3"),
             {" latitude minimum must be below its maximum", " READ FROM LINE      4 OF THE COMMAND FILE",
              " ===> COMMAND FILE STOPPED", " ==> ENTER THEM AGAIN", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"longitude bounds", "1000\n100\n210\n190\n165\n99\n99\n1100\n", {"", "165", "190", "99", "99", "9999"},
       join({error_head("setseistest"),
             {" longitude minimum must not be above its maximum",
              " (a window across the antimeridian: e.g. 170 to 190)", " READ FROM LINE      5 OF THE COMMAND FILE",
              " ===> COMMAND FILE STOPPED", " ==> ENTER THEM AGAIN", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"polygon corner", "1000\n100\n261\n403\n0\n99\n99\n1100\n", {"", "-20", "5", "99", "99", "9999"},
       join({error_head("setseistest"),
             {" longitude =      403.000", " corner longitudes must lie within -360 and 360",
              " (a polygon across the antimeridian: e.g. 165 to 190)", " READ FROM LINE      4 OF THE COMMAND FILE",
              " ===> COMMAND FILE STOPPED", " ==> ENTER IT AGAIN", " ===> HIT RETURN TO CONTINUE", rule_of('*')}})},
      {"top menu", "12345\n9999\n", {"", "9999"}, unknown("dorvix", 12345, 1)},
      {"map walk-through", mistyped, {"", "9999"}, unknown("dorvix", 2010, 23)},
      {"reader menu", "1000\n1005\n99\n1100\n", {"", "99", "9999"}, unknown("fpsreadex1", 1005, 2)},
      {"writer menu", "1200\n1010\n99\n1100\n", {"", "99", "9999"}, unknown("fpswrite1", 1010, 2)},
      {"tests menu", "1000\n100\n264\n99\n99\n1100\n", {"", "99", "99", "9999"}, unknown("setseistest", 264, 3)},
      {"map menu", "2001\n7777\n99\n1100\n", {"", "99", "9999"}, unknown("mapseis", 7777, 2)},
      {"origin menu", "1000\n1001\nscedc_hash_2018.hash\n2001\n300\n15\n99\n4242\n99\n99\n" + write_after,
       {"", "99", "99", "9999"}, unknown("sllorig", 4242, 8)},
      {"read-error question", "1000\n1001\nbad.hash\n7\n99\n" + write_after, {"", "", "", "2", "99", "9999"},
       unknown("fpsreadex1", 7, 4)},
      {"retry question", "2001\n340\nn\n343\ny\n1000\n\n\n200\npoints.txt\n\n\n\n7\n99\n99\n99\n" + write_after,
       {"", "", "", "", "99", "", "99", "99", "9999", ""}, unknown("readreal6", 7, 14)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "commands.txt", c.commands);
    std::filesystem::copy_file(real_data_dir() / "scedc_hash_2018.hash", dir / "scedc_hash_2018.hash");
    write_file(dir / "bad.hash", bad + "\n");
    write_file(dir / "points.txt", "'Stations'\n'lon' 'lat'\n-118.2 34.0\n-118.0 word\n");
    const ProgramRun run = run_dorvix(dir, join({{"", "5000", "5001", "commands.txt"}, c.keyboard}));
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(has_block(run.lines, join({keyboard_again, c.box})));
    // One box of its routine.
    const auto named = std::find_if(c.box.begin(), c.box.end(),
                                    [](const std::string& l) { return l.find("subroutine") != std::string::npos; });
    EXPECT_EQ(count(run.lines, *named), 1u);
    EXPECT_EQ(count(run.lines, " ===> COMMAND FILE STOPPED"), 1u);
    EXPECT_FALSE(has(run.lines, " NO LISTING PROCEDURE FOR THIS"));
    EXPECT_FALSE(std::filesystem::exists(dir / "after.hash"));
    if (std::filesystem::exists(dir / "seis.map.ps")) expect_renders(dir / "seis.map.ps");
  }
}

// A write that fails (here under a limit on the size of files) stops the
// command file that asked for it, after the line read last: the
// catalogue's closing question is not asked, so the command file's next
// lines would answer other questions (its empty line would leave the
// writer and 2001, meant for the table, open the map menu); a plot that
// a diagram or map RUN could not write, seen and closed as the RUN ends,
// before the catalogue the command file writes next; the Si-Sh file of a
// map run, whose box says why and what the file keeps as it closes the
// file. The keyboard answers the next question, and the command file's
// listing and second catalogue never come. A plot of the Illustrator
// dialect, written as it is drawn, fails there as the others do.
TEST(Program, AFailedWriteStopsTheCommandFile) {
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  std::string cat;
  for (std::size_t k = 0; k < 300; ++k) cat += scedc[k] + "\n";
  const struct {
    const char* name;
    std::string commands;
    Lines keyboard;  // after the command file's start
    std::uintmax_t limit;
    Lines box;  // the box's last lines
    std::string settings = "";  // kavro7_ini.txt, if any
    Lines told = {};  // lines of the box beside its closing of the file
  } cases[] = {
      {"catalogue", "1000\n1001\nscedc_hash_2018.hash\n1200\n1001\nout.hash\n\n2001\nout.table\n\n99\n1100\n",
       {"", "99", "9999"}, 300 << 10,
       {" FILE " + edit::pad("out.hash", 40) + " IS CLOSED", " READ FROM LINE      6 OF THE COMMAND FILE"}},
      {"diagrams", "1000\n1001\ncat.hash\n3000\n1000\n\nseis.fm.ps\n99\n1200\n1001\nout2.hash\n\n99\n1100\n",
       {"", "", "99", "9999"}, 20 << 10,
       {" ==> THE PLOT FILE IS INCOMPLETE", " READ FROM LINE      7 OF THE COMMAND FILE"}},
      {"map", "1000\n1001\ncat.hash\n2001\n340\nn\n343\nn\n1000\n\nseis.map.ps\n99\n1200\n1001\nout2.hash\n\n99\n"
       "1100\n",
       {"", "99", "9999"}, 20 << 10,
       {" ==> THE PLOT FILE IS INCOMPLETE", " READ FROM LINE     11 OF THE COMMAND FILE"}},
      {"diagrams, Illustrator dialect", "1000\n1001\ncat.hash\n3000\n1000\n\nseis.fm.ps\n99\n1200\n1001\nout2.hash\n\n99\n1100\n",
       {"", "", "99", "9999"}, 20 << 10,
       {" ==> THE PLOT FILE IS INCOMPLETE", " READ FROM LINE      7 OF THE COMMAND FILE"}, "  F   1 P    3\n"},
      {"map, Illustrator dialect", "1000\n1001\ncat.hash\n2001\n340\nn\n343\nn\n1000\n\nseis.map.ps\n99\n1200\n1001\n"
       "out2.hash\n\n99\n1100\n",
       {"", "99", "9999"}, 20 << 10,
       {" ==> THE PLOT FILE IS INCOMPLETE", " READ FROM LINE     11 OF THE COMMAND FILE"}, "  F   1 P    3\n"},
      {"Si-Sh file", "1000\n1001\ncat.hash\n7\ny\n2001\nsish.txt\n340\nn\n343\nn\n1000\n\n\n99\n1100\n",
       {"", "", "99", "9999"}, 20 << 10,
       {" --------------", " READ FROM LINE     14 OF THE COMMAND FILE"}, "",
       {" ==> closing the file", " ==> FILE TOO LARGE", " ==> THE FILE KEEPS    186 COMPLETE LINES"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "scedc_hash_2018.hash", read_file(real_data_dir() / "scedc_hash_2018.hash"));
    write_file(dir / "cat.hash", cat);
    write_file(dir / "commands.txt", c.commands);
    if (!c.settings.empty()) write_file(dir / "kavro7_ini.txt", c.settings);
    const ProgramRun run = run_dorvix(dir, join({{"", "5000", "5001", "commands.txt"}, c.keyboard}), c.limit);
    EXPECT_EQ(run.status, exit_file_incomplete);
    EXPECT_TRUE(has_block(run.lines, join({c.box, {" ===> COMMAND FILE STOPPED", " ===> HIT RETURN TO CONTINUE",
                                                   rule_of('*')}})));
    EXPECT_TRUE(has_block(run.lines, c.told));
    EXPECT_EQ(count(run.lines, " ===> COMMAND FILE STOPPED"), 1u);
    EXPECT_FALSE(has(run.lines, listing_titles));
    EXPECT_FALSE(std::filesystem::exists(dir / "out2.hash"));
    for (const char* plot : {"seis.fm.ps", "seis.map.ps"}) {
      if (std::filesystem::exists(dir / plot)) expect_renders(dir / plot);
    }
  }
}

// Files the program may not spoil, named in a command file or chosen at
// the keyboard, are refused and left as they were: a file that is no
// plot, named as the plot in a command file (a plot or an overlay is
// replaced); files another run writes (their locks held here), to be
// written or read, a plot's name judged only under the lock; an existing
// plot, at the keyboard after the command file ended just before its
// name, kept after a no.
TEST(Program, FilesThatMayNotBeSpoiledAreRefusedAndKept) {
  const std::string plot = "%!PS-Adobe-2.0\n% an earlier plot\n";
  const std::map<std::string, std::string> files{{"cat.hash", read_file(real_data_dir() / "scedc_hash_2018.hash")},
                                                 {"seis.ps", plot},
                                                 {"held.ps", plot},
                                                 {"held.txt", "row\n"},
                                                 {"over.ps", "%% Define macros etc\n1 setlinecap\n"}};
  const Lines no_name = join({keyboard_again, {" Choose postcript plot file name"}, warning_head("opef2"),
                              {" NO FILE NAME GIVEN", " ===> RETRYING", " ===> HIT RETURN TO CONTINUE"}});
  const struct {
    std::string commands;
    Lines keyboard;  // after the command file's start
    Lines held;      // files whose lock another run holds
    std::vector<Lines> boxes;
    Lines written;  // new plots
  } cases[] = {
      {"10\n\nseis.ps\n20\n\n10\n\nover.ps\n20\n\n10\n\ncat.hash\n20\n\n",
       {"", "new.ps", "20", "", "9999"},
       {},
       {open_failure("cat.hash", 35, "EXISTS AND DOES NOT BEGIN WITH %! OR AS AN OVERLAY DOES", 13)},
       {"seis.ps", "over.ps", "new.ps"}},
      {"10\n\nheld.ps\n",
       {"", "free.ps", "13", "held.txt", "", "sish.txt", "9999", ""},
       {"held.ps", "held.txt"},
       {open_failure("held.ps", 35, "IN USE BY ANOTHER PROGRAM", 3),
        open_failure("held.txt", 40, "IN USE BY ANOTHER PROGRAM")},
       {"free.ps"}},
      {"10\n\nheld.txt\n",
       {"", "free.ps", "20", "", "9999"},
       {"held.txt"},
       {open_failure("held.txt", 35, "IN USE BY ANOTHER PROGRAM", 3)},
       {"free.ps"}},
      {"1000\n1001\nheld.txt\n",
       {"", "cat.hash", "9999"},
       {"held.txt"},
       {open_failure("held.txt", 40, "IN USE BY ANOTHER PROGRAM", 3)},
       {}},
      {"10\n\n",
       {"", "", "seis.ps", "n", "", "new.ps", "20", "", "9999"},
       {},
       {no_name, open_failure("seis.ps", 35, "FILE EXISTS, NOT REPLACED")},
       {"new.ps"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commands);
    TempDir dir;
    for (const auto& [name, text] : files) write_file(dir / name, text);
    write_file(dir / "commands.txt", c.commands);
    std::vector<int> locks;
    for (const auto& name : c.held) {
      locks.push_back(::open((dir / name).c_str(), O_RDWR | O_CLOEXEC));
      ASSERT_EQ(::flock(locks.back(), LOCK_EX | LOCK_NB), 0);
    }
    const ProgramRun run = run_dorvix(dir, join({{"", "5000", "5001", "commands.txt"}, c.keyboard}));
    for (const int fd : locks) ::close(fd);
    EXPECT_EQ(run.status, 0);
    for (const Lines& box : c.boxes) EXPECT_TRUE(has_block(run.lines, box)) << box[4];
    for (const auto& [name, text] : files) {
      const bool replaced = std::find(c.written.begin(), c.written.end(), name) != c.written.end();
      EXPECT_EQ(read_file(dir / name) == text, !replaced) << name;
    }
    for (const auto& name : c.written) expect_renders(dir / name);
  }
}

// A run with a time limit: a run that waits for ever on a pipe fails.
ProgramRun run_briefly(const TempDir& dir, const Lines& answers) {
  std::string input;
  for (const auto& a : answers) input += a + "\n";
  const BoundedRun r = run_bounded(DORVIX_BINARY, dir.path(), input, 30, std::size_t{1} << 28);
  return {r.timed_out ? -1 : r.signal != 0 ? 128 + r.signal : r.status, split_lines(r.output)};
}

// A name that is a symbolic link is replaced by a new file, and what it
// leads to is kept: a catalogue behind a plot's name chosen at the
// keyboard (the question names the link), a plot behind a plot's name in
// a command file. A link to a folder is refused, a link to a device (here
// /dev/null, only written) written as it is; neither is removed.
TEST(Program, LinksAreReplacedAndWhatTheyLeadToIsKept) {
  namespace fs = std::filesystem;
  TempDir dir;
  const std::string catalogue = read_file(real_data_dir() / "scedc_hash_2018.hash");
  const std::string old_plot = "%!PS-Adobe-2.0\n% an earlier plot\n";
  write_file(dir / "cat.hash", catalogue);
  write_file(dir / "old.ps", old_plot);
  fs::create_directory(dir / "folder");
  const std::map<std::string, std::string> links{
      {"link.ps", "cat.hash"}, {"plot_link.ps", "old.ps"}, {"dir.hash", "folder"}, {"null.hash", "/dev/null"}};
  for (const auto& [link, target] : links) fs::create_symlink(target, dir / link);
  write_file(dir / "commands.txt", "10\n\nplot_link.ps\n20\n\n9999\n");
  const ProgramRun run = run_dorvix(dir, {"", "10", "", "link.ps", "y", "20", "", "1000", "1001", "cat.hash", "1200",
                                          "1001", "dir.hash", "", "null.hash", "", "99", "5000", "5001", "commands.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(has(run.lines, " replace existing link link.ps ?"));
  EXPECT_TRUE(has(run.lines, " | Nb of data |       6091 |       6091 |"));
  EXPECT_TRUE(has_block(run.lines, open_failure("dir.hash", 40, "IS A DIRECTORY")));
  EXPECT_TRUE(has(run.lines, " OUTPUT FILE " + edit::pad("null.hash", 40) + " CLOSED"));
  EXPECT_TRUE(same_text(read_file(dir / "cat.hash"), catalogue));
  EXPECT_EQ(read_file(dir / "old.ps"), old_plot);
  for (const std::string replaced : {"link.ps", "plot_link.ps"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / replaced))) << replaced;
    expect_renders(dir / replaced);
  }
  for (const std::string kept : {"dir.hash", "null.hash"}) EXPECT_EQ(fs::read_symlink(dir / kept), links.at(kept));
}

// A pipe is written only while a program reads from it, and never waited
// for: a pipe named as the plot in a command file stops the command file;
// one chosen as a catalogue is refused; one named kavro7_ini.txt holds no
// settings. A plot chosen as a pipe that Ghostscript reads is drawn.
TEST(Program, APipeIsWrittenOnlyWhileAProgramReadsIt) {
  TempDir dir;
  write_file(dir / "cat.hash", hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n");
  for (const std::string pipe : {"p.ps", "out.hash", "kavro7_ini.txt"}) {
    ASSERT_EQ(::mkfifo((dir / pipe).c_str(), 0600), 0);
  }
  write_file(dir / "commands.txt", "10\n\np.ps\n");
  const ProgramRun run = run_briefly(dir, {"", "1000", "1001", "cat.hash", "5000", "5001", "commands.txt", "", "",
                                           "q.ps", "20", "", "1200", "1001", "out.hash", "", "x.hash", "", "99", "9999"});
  EXPECT_EQ(run.status, 0);
  const Lines settings_box = join({warning_head("intplinit"),
                                   {" could not write kavro7_ini.txt", " IS NOT A SETTINGS FILE, NOT REPLACED",
                                    " ==> default settings not saved"}});
  EXPECT_TRUE(has_block(run.lines, settings_box));
  EXPECT_TRUE(has_block(run.lines, open_failure("p.ps", 35, "NO PROGRAM READS FROM IT", 3)));
  EXPECT_TRUE(has_block(run.lines, open_failure("out.hash", 40, "NO PROGRAM READS FROM IT")));
  EXPECT_EQ(read_file(dir / "x.hash"), read_file(dir / "cat.hash"));
  expect_renders(dir / "q.ps");

  DORVIX_REQUIRE_TOOL("gs");
  std::filesystem::remove(dir / "kavro7_ini.txt");
  CommandResult drawn;
  std::thread reader([&] {
    drawn = run_command("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage - < " + shell_quote((dir / "p.ps").string()));
  });
  // A writer of our own, opened once Ghostscript reads, keeps it reading
  // until the run has written the whole plot.
  const int writer = ::open((dir / "p.ps").c_str(), O_WRONLY | O_CLOEXEC);
  const ProgramRun streamed = run_briefly(dir, {"", "10", "", "p.ps", "20", "", "9999"});
  ::close(writer);
  reader.join();
  EXPECT_EQ(streamed.status, 0);
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.output, "");
}

// The settings file is rewritten only when it holds settings, and through
// a link only after a yes at the keyboard, which replaces the file it
// leads to as any file (a hard link of it keeps the old settings, as do
// both when the new ones cannot be written); otherwise, or when it cannot
// be written, a box says why and the plot is opened with the settings
// shown.
TEST(Program, TheSettingsFileIsRewrittenOnlyWhenItMayBe) {
  namespace fs = std::filesystem;
  const std::string catalogue = hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n";
  const std::string shared = "  T   3 LUS  1\n              \n";
  // The opening with new settings (2 copies, the rest kept), then the plot's name.
  const Lines changed{"n", "", "2", "", ""};
  const struct {
    std::string link_to;  // kavro7_ini.txt: a link to this file (none: no file)
    Lines answers;        // from the opening's question on
    bool commands;        // the answers come from a command file
    std::string reason;   // of the box; empty: written
    std::string settings_after;
    std::uintmax_t size_limit = 0;
  } cases[] = {
      {"cat.hash", {"", "", "x.ps"}, false, "IS NOT A SETTINGS FILE, NOT REPLACED", catalogue},
      {"shared.txt", join({changed, {"y", "x.ps"}}), false, "", "  T   2 LUS  1\n              \n"},
      {"shared.txt", join({changed, {"n", "", "x.ps"}}), false, "IS A LINK, NOT REWRITTEN", shared},
      {"shared.txt", join({changed, {"x.ps"}}), true, "IS A LINK, NOT REWRITTEN", shared},
      {"", {"", "", "x.ps"}, false, "FILE TOO LARGE", "  F   1 P    2\n", 20},
      {"shared.txt", join({changed, {"y", "", "x.ps"}}), false, "FILE TOO LARGE", shared, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link_to + " " + c.reason);
    TempDir dir;
    write_file(dir / "cat.hash", catalogue);
    write_file(dir / "shared.txt", shared);
    fs::create_hard_link(dir / "shared.txt", dir / "twin.txt");
    const fs::path settings = dir / "kavro7_ini.txt";
    if (!c.link_to.empty()) fs::create_symlink(c.link_to, settings);
    Lines keyboard{"", "10"};
    if (c.commands) {
      std::string text = "10\n";
      for (const std::string& a : c.answers) text += a + "\n";
      write_file(dir / "commands.txt", text);
      keyboard = {"", "5000", "5001", "commands.txt", ""};  // the box's pause
    } else {
      keyboard.insert(keyboard.end(), c.answers.begin(), c.answers.end());
    }
    keyboard.insert(keyboard.end(), {"20", "", "9999"});
    const ProgramRun run = run_dorvix(dir, keyboard, c.size_limit);
    if (c.size_limit == 0) {
      EXPECT_EQ(run.status, 0);
    }
    EXPECT_EQ(has_block(run.lines, {" could not write kavro7_ini.txt", " " + c.reason}), !c.reason.empty());
    EXPECT_EQ(has(run.lines, " rewrite shared.txt through the link kavro7_ini.txt ?"),
              c.link_to == "shared.txt" && !c.commands);
    EXPECT_EQ(has(run.lines, " ==> the old kavro7_ini.txt is kept"), c.size_limit != 0 && !c.link_to.empty());
    EXPECT_EQ(read_file(settings), c.settings_after);
    EXPECT_EQ(read_file(dir / "twin.txt"), shared);
    EXPECT_EQ(read_file(dir / "cat.hash"), catalogue);
    if (!c.link_to.empty()) {
      EXPECT_EQ(fs::read_symlink(settings), c.link_to);
    }
    if (c.size_limit == 0) expect_renders(dir / "x.ps");
  }
}

// Sets or clears the attribute `flag` (FS_APPEND_FL, FS_IMMUTABLE_FL) of
// the file `p`; false where the file system or the runner's rights do not
// let it.
bool set_attribute(const std::filesystem::path& p, int flag, bool on) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  int flags = 0;
  const bool set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                   (flags = on ? flags | flag : flags & ~flag, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
  if (fd >= 0) ::close(fd);
  return set;
}

// A name that cannot be opened gets the true reason, also as an ordinary
// user (the superuser runs the program as nobody): a folder that may not
// be entered, a file taken for a folder, a file the run holds open, a
// folder that is not there; and a file that may not be replaced, a
// read-only file, an append-only or immutable one (where the superuser
// can make them), or a file or a link in a folder that may not be written
// in, as soon as it is chosen, before the question whether to replace it.
TEST(Program, AFileThatCannotBeOpenedSaysWhy) {
  std::string as_user;
  if (::geteuid() == 0) {
    DORVIX_REQUIRE_TOOL("setpriv");
    as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  const std::string catalogue = hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n";
  write_file(dir / "cat.hash", catalogue);
  std::filesystem::create_directory(dir / "locked");
  write_file(dir / "locked" / "cat.hash", catalogue);
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::none);
  const std::string old = "an earlier catalogue\n";
  write_file(dir / "read_only.hash", old);
  std::filesystem::permissions(dir / "read_only.hash", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read |
                                                          std::filesystem::perms::others_read);
  std::filesystem::create_directory(dir / "shut");
  write_file(dir / "shut" / "out.hash", old);
  std::filesystem::permissions(dir / "shut" / "out.hash", std::filesystem::perms::all);
  std::filesystem::create_symlink("out.hash", dir / "shut" / "link.hash");
  std::filesystem::permissions(dir / "shut", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                                 std::filesystem::perms::others_read |
                                                 std::filesystem::perms::others_exec);
  // Files anyone may write, but for their attribute.
  const struct {
    std::string name;
    int flag;
  } attributes[] = {{"append.hash", FS_APPEND_FL}, {"immutable.hash", FS_IMMUTABLE_FL}};
  std::map<std::string, bool> attributed;
  for (const auto& a : attributes) {
    write_file(dir / a.name, old);
    std::filesystem::permissions(dir / a.name, std::filesystem::perms::all);
    attributed[a.name] = set_attribute(dir / a.name, a.flag, true);
  }
  std::string input;
  for (const char* a : {"", "13", "sish.txt", "1000", "1001", "locked/cat.hash", "", "cat.hash/x", "", "cat.hash",
                        "1200", "1001", "sish.txt", "", "out.hash/", "", "read_only.hash", "", "shut/out.hash", "",
                        "shut/link.hash", "", "append.hash", "", "immutable.hash", "", "out.hash", "", "99",
                        "9999"}) {
    input += std::string(a) + "\n";
  }
  const CommandResult r =
      run_command("cd " + shell_quote(dir.path().string()) + " && " + as_user + shell_quote(DORVIX_BINARY), input);
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
  std::filesystem::permissions(dir / "shut", std::filesystem::perms::owner_all);
  for (const auto& a : attributes) set_attribute(dir / a.name, a.flag, false);
  EXPECT_EQ(r.status, 0);
  const Lines lines = split_lines(r.output);
  EXPECT_TRUE(has_block(lines, open_failure("locked/cat.hash", 40, "PERMISSION DENIED")));
  EXPECT_TRUE(has_block(lines, open_failure("cat.hash/x", 40, "NOT A DIRECTORY")));
  EXPECT_TRUE(has_block(lines, open_failure("sish.txt", 40, "already open for unit =   22")));
  EXPECT_TRUE(has_block(lines, open_failure("out.hash/", 40, "NO SUCH FILE OR DIRECTORY")));
  const struct {
    std::string name, reason;
  } refused[] = {{"read_only.hash", "PERMISSION DENIED"},
                 {"shut/out.hash", "ITS REPLACEMENT CANNOT BE WRITTEN BESIDE IT: PERMISSION DENIED"},
                 {"shut/link.hash", "PERMISSION DENIED"},
                 {"append.hash", "OPERATION NOT PERMITTED"},
                 {"immutable.hash", "OPERATION NOT PERMITTED"}};
  for (const auto& f : refused) {
    if (attributed.contains(f.name) && !attributed[f.name]) {
      std::cout << "no " << f.name << " can be made here: not tried\n";
      continue;
    }
    EXPECT_TRUE(has_block(lines, join({{" Choose HASH output file name"}, open_failure(f.name, 40, f.reason)})))
        << f.name;
    EXPECT_EQ(read_file(dir / f.name), old);
  }
  EXPECT_EQ(read_file(dir / "out.hash"), catalogue);
}

// Every reader tells, in one box, how many of its file's lines were too
// long to read whole and which was the first: the polygon, the catalogue
// and the command file, then the map's column file and line file; and an
// answer typed too long is told at once in the same box.
TEST(Program, EveryReaderReportsTheLinesItCut) {
  TempDir dir;
  const std::string blanks(3 << 20, ' ');
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  write_file(dir / "cat.hash", scedc[0] + "\n" + scedc[1] + blanks + "\n" + scedc[2] + "\n");
  write_file(dir / "ccw.txt", "3 1" + blanks + "\n-120 30\n-110 30\n-115 40\n");
  write_file(dir / "points.txt", "'Points'\n'lon' 'lat'\n-117 34\n-116 35" + blanks + "\n-118 33\n");
  write_file(dir / "coast.usgs", "       34.0            -117.0" + blanks + "\n       35.0            -118.0\n");
  write_file(dir / "commands.txt",
             "1000\n100\n10\ny\n250\ny\n252\nccw.txt\n99\n1001\ncat.hash\n5000" + blanks + "\n5002\n");
  // The keyboard closes the three boxes of the command file's readers; its
  // last answer is cut too, and told before it is taken.
  const Lines keyboard{"", "5000", "5001", "commands.txt", "", "", "", "2001", "340", "y", "1000", "", "map.ps", "200",
                       "points.txt", "", "", "", "", "99", "4", "coast.usgs", "", "99", "99", "9999" + blanks, "", ""};
  const ProgramRun run = run_dorvix(dir, keyboard);
  EXPECT_EQ(run.status, 0);
  // The pause resumes the commands only while the command file goes on:
  // the box of the command file itself comes once it has ended.
  const std::string resume = " ===> HIT RETURN TO RESUME COMMANDS", go_on = " ===> HIT RETURN TO CONTINUE";
  const struct {
    std::string routine, file;
    int line;
    std::string pause;
  } cuts[] = {{"setseistest", "ccw.txt", 1, resume},
              {"fpsreadex1", "cat.hash", 2, resume},
              {"endaltsi", "commands.txt", 12, go_on},
              {"getfreal", "points.txt", 4, go_on},
              {"contours1", "coast.usgs", 1, go_on},
              {"read_answer", "standard input", static_cast<int>(keyboard.size()) - 2, go_on}};
  for (const auto& c : cuts) {
    EXPECT_TRUE(has_block(run.lines, join({warning_head(c.routine),
                                           {" LINES CUT AT 1048576 CHARACTERS =          1",
                                            " FIRST OF THEM IS LINE NUMBER    = " + edit::i(c.line, 10),
                                            " IN FILE: " + c.file, " => THE REST OF THESE LINES WAS NOT READ",
                                            c.pause}})))
        << c.file;
  }
  EXPECT_EQ(count(run.lines, " => THE REST OF THESE LINES WAS NOT READ"), 6u);
  // The long catalogue line was read all the same: its columns come first.
  EXPECT_TRUE(has(run.lines, " | Nb of data |          3 |          3 |"));
}

}  // namespace
}  // namespace dorvix
