#include "console/command_file.hpp"

#include <gtest/gtest.h>

#include "console/prompts.hpp"
#include "dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

using CommandFile = DialogueTest;

const std::string at43 = rule_of('@');
const std::string dots = rule_of('.', 42);
const std::string slash43 = rule_of('/');

const Lines menu = join({
    menu_head("altsio"),
    {rule_of('-'), " ALTERNATE STANDARD INPUT", rule_of('-'), " START COMMAND FILE ..............5001",
     " EXIT COMMAND FILE AND CONTINUE...5002", " EXIT COMMAND FILE AND QUIT ......5003",
     " EXIT THIS SUBROUTINE ..............99", at43},
});

// The choice prompt at output level 2 and its echo.
Lines choice_at_level2(const std::string& echo) {
  return {
      dots, " Enter your choice", " or return for default value", " Default =           99", " New value =  " + echo,
      dots};
}

const Lines end_report = {" Standard input redirected from keyboard", " Level 2 standard output enabled"};

TEST_F(CommandFile, EmptyAnswerLeavesTheMenuWithNothingDone) {
  type({""});
  std::string name;
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 99);
  EXPECT_EQ(screen_lines(), join({menu, choice_at_level2("          99")}));
  EXPECT_FALSE(iocom.lcomfop);
}

TEST_F(CommandFile, StartSwitchesTheInputAndReports) {
  write_file("cmd.txt", "42\n");
  type({"5001", "cmd.txt"});  // the choice, then the chooser
  std::string name(35, ' ');
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 5001);
  EXPECT_EQ(name, "cmd.txt");
  EXPECT_EQ(iocom.iuin, 15);
  EXPECT_TRUE(iocom.lcomfop);
  EXPECT_FALSE(iocom.lwito(2));
  const Lines want = join({
      menu,
      choice_at_level2("        5001"),
      menu_head("beginaltsi"),
      menu_head("opef2"),
      {" OPENING alternate standard input FILE", at43, " Choose alternate standard input file name",
       " Standard input redirected from", "    Command file: cmd.txt", " Response to error or warning",
       "    remains from keyboard", " Level 2 standard output disabled", at43},
  });
  EXPECT_EQ(screen_lines(), want);

  // The next prompt reads the file and shows only its question and echo.
  int ival = 0, istat = 0;
  inintegdef(ival, "count", 0, istat);
  EXPECT_EQ(ival, 42);
  EXPECT_EQ(screen_lines(), (Lines{" Enter count", " New value =            42"}));
}

TEST_F(CommandFile, ACommandFileCanEndItselfAndTheRun) {
  command_file("5003\n");
  std::string name = "commands.txt";
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 9999);
  EXPECT_EQ(iocom.iuin, 5);
  EXPECT_FALSE(iocom.lcomfop);
  EXPECT_TRUE(iocom.lwito(2));
  EXPECT_FALSE(units().is_open(15));
  const Lines want = join({
      menu,
      {" Enter your choice", " New value =          5003"},
      menu_head("endaltsi"),
      {" Command file commands.txt closed"},
      end_report,
  });
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(CommandFile, ExitAndContinueHandsTheInputBackToTheKeyboard) {
  command_file("5002\n7\n");
  type({"8"});
  std::string name = "  commands.txt ";
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 5002);
  EXPECT_EQ(iocom.iuin, 5);
  EXPECT_FALSE(units().is_open(15));
  const Lines lines = screen_lines();
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()), join({{" Command file commands.txt closed"}, end_report}));
  // The next answer comes from the keyboard, not from the rest of the file.
  int ival = 0, istat = 0;
  inintegdef(ival, "count", 0, istat);
  EXPECT_EQ(ival, 8);
}

TEST_F(CommandFile, EndingAndStartingInTheWrongStateOnlyWarn) {
  // 5003 with no command file: a warning, and still the quit choice.
  type({"5003", ""});
  std::string name;
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 9999);
  Lines lines = screen_lines();
  const auto box = find_line(lines, warning_head("endaltsi")[1]);
  ASSERT_TRUE(box);
  EXPECT_EQ(head_of(Lines(lines.begin() + static_cast<long>(*box) + 3, lines.end()), 4),
            (Lines{" NO OPEN COMMAND FILE", " ==> NO ACTION", " ===> HIT RETURN TO CONTINUE", slash43}));

  // 5001 while one is active: a warning whose pause is at the keyboard.
  command_file("5001\nnext\n");
  type({""});
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 5001);
  lines = screen_lines();
  EXPECT_TRUE(has(lines, " COMMAND FILE ALREADY OPEN"));
  EXPECT_TRUE(has(lines, " ===> HIT RETURN TO RESUME COMMANDS"));
  EXPECT_EQ(iocom.iuin, 15);
  std::string line;
  ASSERT_EQ(units().read_line(15, line), ReadResult::ok);
  EXPECT_EQ(line, "next");  // the pause did not read the command file
}

TEST_F(CommandFile, UnknownAnswersShowTheMenuAgainOrStopSilently) {
  type({"12", "99"});
  std::string name;
  int irep = 0;
  altsio(15, name, irep, 0);
  EXPECT_EQ(irep, 99);
  Lines lines = screen_lines();
  EXPECT_EQ(count(lines, " ALTERNATE STANDARD INPUT"), 2u);

  type({"12", ""});
  EXPECT_EQ(run_end_status([&] { altsio(15, name, irep, 1); }), exit_stopped_by_program);
  lines = screen_lines();
  const auto box = find_line(lines, error_head("altsio")[3]);
  ASSERT_TRUE(box);
  EXPECT_EQ(lines[*box + 6], " Unknown answer irep =     12");
  EXPECT_EQ(lines[*box + 7], " ===> STOPPING EXECUTION");
  EXPECT_EQ(lines[*box + 8], " ===> HIT RETURN TO CONTINUE");
}

TEST_F(CommandFile, SilentStartOpensTheGivenName) {
  write_file("given.txt", "1\n");
  std::string name = "given.txt";
  beginaltsi(15, name, 1);
  EXPECT_TRUE(iocom.lcomfop);
  EXPECT_FALSE(has(screen_lines(), " Choose alternate standard input file name"));
}

TEST_F(CommandFile, BoxPausesAreAnsweredAtTheKeyboard) {
  command_file("abc\n7\n");
  type({""});  // the pause of the unreadable-answer box
  int ival = 0, istat = 0;
  inintegdef(ival, "count", 0, istat);
  EXPECT_EQ(ival, 7);
  const Lines lines = screen_lines();
  EXPECT_TRUE(has(lines, " could not read count"));
  EXPECT_TRUE(has(lines, " ===> HIT RETURN TO RESUME COMMANDS"));
  EXPECT_TRUE(iocom.lcomfop);
}

TEST_F(CommandFile, EndOfACommandFileReturnsToTheKeyboardWithTheReport) {
  command_file("5\n");
  type({"6"});
  int a = 0, b = 0, istat = 0;
  inintegdef(a, "first", 0, istat);
  inintegdef(b, "second", 0, istat);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 6);
  EXPECT_FALSE(iocom.lcomfop);
  const Lines want = join({
      {" Enter first", " New value =             5", " Enter second"},
      menu_head("endaltsi"),
      {" Command file commands.txt closed"},
      end_report,
      {" New value =             6", dots},
  });
  EXPECT_EQ(screen_lines(), want);
}

}  // namespace
}  // namespace dorvix
