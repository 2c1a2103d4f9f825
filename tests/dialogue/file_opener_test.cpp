#include "dialogue/file_opener.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "dialogue_helpers.hpp"
#include "numbers/edit.hpp"

namespace dorvix {
namespace {

using namespace testing;

using Opener = DialogueTest;

const std::string at43 = rule_of('@');
const std::string star43 = rule_of('*');
const std::string slash43 = rule_of('/');
const Lines opening_frame = join({menu_head("opef2"), {" OPENING input data FILE", at43}});

TEST_F(Opener, SilentModeOpensTheGivenNameWithoutAsking) {
  write_file("cat.txt", "line\n");
  std::string name = "cat.txt      ";
  opef2(name, "input data ", 11, "old", 1, 40);
  EXPECT_EQ(name, "cat.txt");
  EXPECT_TRUE(units().is_open(11));
  EXPECT_EQ(screen_lines(), opening_frame);
}

TEST_F(Opener, SilentModeStopsTheRunSayingWhyTheFileCannotBeOpened) {
  write_file("taken.txt", "x\n");
  std::filesystem::create_directory("folder");
  struct Case {
    std::string name, status, reason;
  };
  std::vector<Case> cases{{"missing.txt", "old", "NO SUCH FILE OR DIRECTORY"},
                          {"nowhere/x.ps", "unknown", "NO SUCH FILE OR DIRECTORY"},
                          {"taken.txt", "new", "FILE EXISTS"},
                          {"folder", "unknown", "IS A DIRECTORY"},
                          {"/dev/zero", "old", "IS A DEVICE, NOT A FILE"},
                          {"taken.txt/x", "old", "NOT A DIRECTORY"},
                          {"pipe", "unknown", "NO PROGRAM READS FROM IT"}};
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  if (::geteuid() != 0) {  // the superuser reads any file
    write_file("secret.txt", "x\n");
    std::filesystem::permissions("secret.txt", std::filesystem::perms::none);
    cases.push_back({"secret.txt", "old", "PERMISSION DENIED"});
  }
  for (const Case& c : cases) {
    type({""});
    std::string name = c.name;
    EXPECT_EQ(run_end_status([&] { opef2(name, "input data", 11, c.status, 1, 20); }), exit_stopped_by_program);
    const Lines lines = screen_lines();
    const auto box = find_line(lines, " COULD NOT OPEN FILE " + edit::pad(c.name, 20));  // whole 20-character field
    ASSERT_TRUE(box) << c.name;
    EXPECT_EQ(Lines(lines.begin() + static_cast<long>(*box) + 1, lines.end()),
              (Lines{" " + c.reason, " for unit =   11", " ===> STOPPING EXECUTION", " ===> HIT RETURN TO CONTINUE",
                     star43}))
        << c.name;
  }
}

TEST_F(Opener, AnyNonZeroFlagIsSilentSoAFailureCannotLoopForEver) {
  // A negative plot mode gives the flag -1: it must stop, not retry with
  // the same name for ever.
  type_raw("");
  std::string name = "missing.ps";
  EXPECT_EQ(run_end_status([&] { opef2(name, "postcript plot", 50, "old", -1, 35); }), exit_stopped_by_program);
}

TEST_F(Opener, ANameACommandFileGivesThatCannotBeOpenedStopsTheCommandFile) {
  write_file("taken.txt", "keep me\n");
  command_file("taken.txt\nfree.txt\n");
  type({"", "chosen.txt"});  // the pause of the warning box, then the chooser, at the keyboard
  std::string name = "default.txt";
  opef2(name, "output data", 21, "new", 0, 40);
  EXPECT_EQ(name, "chosen.txt");
  EXPECT_FALSE(iocom.lcomfop);
  EXPECT_EQ(read_file("taken.txt"), "keep me\n");
  EXPECT_FALSE(exists("free.txt"));

  const Lines want = join({
      menu_head("opef2"),
      {" OPENING output data FILE", at43, " Enter output data file name", " New value = " + edit::pad("taken.txt", 80)},
      menu_head("endaltsi"),
      {" Command file commands.txt closed", " Standard input redirected from keyboard",
       " Level 2 standard output enabled"},
      warning_head("opef2"),
      {" COULD NOT OPEN FILE " + edit::pad("taken.txt", 40), " FILE EXISTS", " READ FROM LINE      1 OF THE COMMAND FILE",
       " ===> COMMAND FILE STOPPED", " ===> RETRYING", " ===> HIT RETURN TO CONTINUE", slash43},
      menu_head("opef2"),
      {" OPENING output data FILE", at43, " Choose output data file name"},
  });
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(Opener, TypedBlankLineOpensTheCurrentName) {
  command_file("\n");
  std::string name = "plot.ps   ";
  opef2(name, "postcript plot", 50, "unknown", 0, 35);
  EXPECT_EQ(name, "plot.ps");
  EXPECT_TRUE(units().is_open(50));
  EXPECT_TRUE(has(screen_lines(), " ichar =  32 => use default value"));

  // With no current name it names nothing: the command file stops there.
  command_file("\n", 16);
  type({"", "p.ps"});
  name.clear();
  opef2(name, "postcript plot", 50, "unknown", 0, 35);
  EXPECT_EQ(name, "p.ps");
  const Lines lines = screen_lines();
  const auto box = find_line(lines, " NO FILE NAME GIVEN");
  ASSERT_TRUE(box);
  EXPECT_EQ(lines[*box + 1], " READ FROM LINE      1 OF THE COMMAND FILE");
}

TEST_F(Opener, ChooserAtTheKeyboardRetriesAfterACancel) {
  write_file("chosen.txt", "x\n");
  type({"", "", "  chosen.txt  "});  // cancel, the pause, then a path
  std::string name = "old.txt";
  opef2(name, "input data", 11, "old", 0, 40);
  EXPECT_EQ(name, "chosen.txt");
  const Lines lines = screen_lines();
  const Lines want = join({
      opening_frame,
      {" Choose input data file name"},
      warning_head("opef2"),
      {" NO FILE NAME GIVEN", " ===> RETRYING", " ===> HIT RETURN TO CONTINUE", slash43},
  });
  EXPECT_EQ(head_of(lines, want.size()), want);
  EXPECT_EQ(lines.back(), " Choose input data file name");
}

TEST_F(Opener, ChooserReplacesAnExistingFileOnlyAfterYes) {
  write_file("out.txt", "precious\n");
  // Choose out.txt, refuse to replace it (a cancel), pause; choose it
  // again and accept.
  type({"out.txt", "n", "", "out.txt", "y"});
  std::string name;
  opef2(name, "output data", 21, "new", 0, 40);
  EXPECT_EQ(name, "out.txt");
  units().close(21);
  EXPECT_EQ(read_file("out.txt"), "");
  const Lines lines = screen_lines();
  EXPECT_EQ(count(lines, " replace existing file out.txt ?"), 2u);
  EXPECT_EQ(count(lines, " ===> RETRYING"), 1u);
  // The box names the file declined, not the name held before.
  EXPECT_TRUE(has(lines, " COULD NOT OPEN FILE " + edit::pad("out.txt", 40)));

  // A read-only file: the superuser, who may write any file, is asked and
  // replaces it, read-only still; any other user is told at once that it
  // may not be written, before any question, and it is kept.
  namespace fs = std::filesystem;
  const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  write_file("read_only.txt", "kept\n");
  fs::permissions("read_only.txt", read_only);
  const bool root = ::geteuid() == 0;
  if (root) {
    type({"read_only.txt", "y"});
  } else {
    type({"read_only.txt", "", "free.txt"});
  }
  opef2(name, "output data", 22, "new", 0, 40);
  units().close(22);
  const Lines again = screen_lines();
  EXPECT_EQ(read_file("read_only.txt"), root ? "" : "kept\n");
  EXPECT_EQ(fs::status("read_only.txt").permissions(), read_only);
  EXPECT_EQ(has(again, " replace existing file read_only.txt ?"), root);
  const Lines refused = join({{" Choose output data file name"},
                              warning_head("opef2"),
                              {" COULD NOT OPEN FILE " + edit::pad("read_only.txt", 40), " PERMISSION DENIED"}});
  EXPECT_EQ(std::search(again.begin(), again.end(), refused.begin(), refused.end()) != again.end(), !root);
}

TEST_F(Opener, ChooserAsksBeforeOverwritingAFileThatMayExist) {
  write_file("seis.ps", "old plot\n");
  // Refused first: the old plot stays; then accepted.
  type({"seis.ps", "", "", "seis.ps", "y"});
  std::string name = "seis.ps";
  opef2(name, "postcript plot", 50, "unknown", 0, 35);
  const Lines lines = screen_lines();
  EXPECT_EQ(count(lines, " replace existing file seis.ps ?"), 2u);
  EXPECT_TRUE(units().is_open(50));
  units().close(50);
  EXPECT_EQ(read_file("seis.ps"), "");

  // A name that does not exist yet is not asked about.
  type({"fresh.ps"});
  opef2(name, "postcript plot", 50, "unknown", 0, 35);
  EXPECT_FALSE(has(screen_lines(), " replace existing file fresh.ps ?"));
  EXPECT_TRUE(units().is_open(50));
}

TEST_F(Opener, AFileHeldOpenOnAnotherUnitIsRefusedUntouched) {
  // The Si-Sh rows go to unit 22; the plot file may not be the same file,
  // or the two channels would write over each other.
  write_file("x.ps", "");
  ASSERT_TRUE(units().open(22, "x.ps", FileStatus::unknown));
  units().write_line(22, "row 1");
  type({"x.ps", "", "other.ps"});
  std::string name = "seis.ps";
  opef2(name, "postcript plot", 50, "unknown", 0, 35);
  EXPECT_EQ(name, "other.ps");
  const Lines lines = screen_lines();
  EXPECT_FALSE(has(lines, " replace existing file x.ps ?"));
  const Lines box{" COULD NOT OPEN FILE " + edit::pad("x.ps", 35), " already open for unit =   22", " ===> RETRYING"};
  EXPECT_NE(std::search(lines.begin(), lines.end(), box.begin(), box.end()), lines.end());
  units().write_line(22, "row 2");
  units().close(22);
  EXPECT_EQ(read_file("x.ps"), "row 1\nrow 2\n");

  // Given in a command file, the same name stops the run, naming the unit.
  ASSERT_TRUE(units().open(22, "x.ps", FileStatus::unknown));
  EXPECT_EQ(run_end_status([&] { opef2(name = "x.ps", "postcript plot", 50, "unknown", 1, 35); }),
            exit_stopped_by_program);
  EXPECT_TRUE(has(screen_lines(), " already open for unit =   22"));
  units().close(22);
}

TEST_F(Opener, ChooserNeverRemovesADirectory) {
  std::filesystem::create_directory("folder");
  type({"folder", "", "file.txt"});
  std::string name;
  opef2(name, "output data", 21, "new", 0, 40);
  EXPECT_TRUE(std::filesystem::is_directory("folder"));
  EXPECT_EQ(name, "file.txt");
}

TEST_F(Opener, ExplanationsAreTrimmedAndThePromptTextCutAt40) {
  type({"a.txt"});
  std::string name;
  opef2(name, "    ", 21, "new", 0, 40);
  Lines lines = screen_lines();
  EXPECT_EQ(lines[3], " OPENING   FILE");
  EXPECT_EQ(lines[5], " Choose file name");

  type({"b.txt"});
  opef2(name, "an explanation of thirty-five chars", 22, "new", 0, 40);
  lines = screen_lines();
  EXPECT_EQ(lines[5], " Choose an explanation of thirty-five chars file");
}

TEST_F(Opener, OverlongNamesAreRefusedNeverCut) {
  const std::string long_name(30, 'n');  // a field of 25 characters
  const std::string cut = long_name.substr(0, 25);

  // Typed: the command file stops at it, the keyboard chooses.
  command_file(long_name + "\nshort.txt\n");
  type({"", "short.txt"});
  std::string name;
  opef2(name, "line", 2, "unknown", 0, 25);
  EXPECT_EQ(name, "short.txt");
  EXPECT_FALSE(exists(cut));
  EXPECT_FALSE(exists(long_name));
  Lines lines = screen_lines();
  const auto box = find_line(lines, " FILE NAME TOO LONG: " + long_name);
  ASSERT_TRUE(box);
  EXPECT_EQ(Lines(lines.begin() + static_cast<long>(*box) + 1, lines.begin() + static_cast<long>(*box) + 7),
            (Lines{" more than 25 characters", " READ FROM LINE      1 OF THE COMMAND FILE",
                   " ===> COMMAND FILE STOPPED", " ===> RETRYING", " ===> HIT RETURN TO CONTINUE", star43}));
  units().close_all();

  // Chosen.
  iocom = IoCom{};
  type({long_name, "", "short2.txt"});
  opef2(name, "line", 2, "unknown", 0, 25);
  EXPECT_EQ(name, "short2.txt");
  EXPECT_FALSE(exists(cut));
  EXPECT_TRUE(has(screen_lines(), " FILE NAME TOO LONG: " + long_name));

  // Passed in silent mode: the run stops.
  type({""});
  name = long_name;
  EXPECT_EQ(run_end_status([&] { opef2(name, "line", 2, "unknown", 1, 25); }), exit_stopped_by_program);
  lines = screen_lines();
  EXPECT_TRUE(has(lines, " ===> STOPPING EXECUTION"));
  EXPECT_FALSE(exists(cut));

  // A name that just fills the field is accepted.
  name = std::string(25, 'f');
  opef2(name, "line", 2, "unknown", 1, 25);
  EXPECT_EQ(name, std::string(25, 'f'));
}

}  // namespace
}  // namespace dorvix
