#include "dialogue/command_file.hpp"
#include "dialogue/command_file_end.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "dialogue/file_opener.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "dialogue/range_checks.hpp"
#include "dialogue_helpers.hpp"
#include "plot/draw.hpp"
#include "projection/origin.hpp"
#include "support/program_run.hpp"
#include "support/projection_fixture.hpp"

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
  command_file("7\n");
  type({""});  // the pause of the range check's warning box
  real val = 1.5f;
  int ival = 0, istat = 0;
  crevin2("red (%)", val, 0.0f, 1.0f, "scolorgb", 0, istat);
  inintegdef(ival, "count", 0, istat);
  EXPECT_EQ(ival, 7);
  const Lines lines = screen_lines();
  EXPECT_TRUE(has(lines, " ===> HIT RETURN TO RESUME COMMANDS"));
  EXPECT_TRUE(iocom.lcomfop);
}

// A refused answer from a command file stops the command file at its line:
// the box says so and pauses at the keyboard, where the question is asked
// again with the menu body and defaults of the keyboard's level.
TEST_F(CommandFile, ARefusedAnswerStopsTheCommandFileAndIsAskedAgainAtTheKeyboard) {
  command_file("50\n7\n");
  type({"", "8"});
  int ival = 1, istat = 0;
  inintegvindef(ival, "count", 1, 1, 9, istat);
  EXPECT_EQ(ival, 8);
  EXPECT_FALSE(iocom.lcomfop);
  EXPECT_FALSE(units().is_open(15));
  const Lines want = join({
      {" Enter count", " inside  [1,9]"},
      menu_head("endaltsi"),
      {" Command file commands.txt closed"},
      end_report,
      error_head("inintegvind"),
      {" count =           50", " outside [1,9]", " READ FROM LINE      1 OF THE COMMAND FILE",
       " ===> COMMAND FILE STOPPED", " ===> HIT RETURN TO CONTINUE", rule_of('*'), dots, " Enter count",
       " inside  [1,9]", " or return for default value", " Default =            1", " New value =             8",
       dots},
  });
  EXPECT_EQ(screen_lines(), want);
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

// ---- A command file that ends at a question --------------------------------

// A question asked for ever would fill the screen: the console fixture's
// screen stops the test program then, naming the cause.
class EndedCommandFile : public DialogueTest {};

// Each kind of question, asked once, its answer as text.
struct Question {
  const char* kind;
  std::function<std::string()> ask;
  Lines refused;  // a refused keyboard answer and the Return of its box
  Lines right;    // the right answer (and what leaves a menu)
  std::string want;
};

std::string yes_no(bool v) { return v ? "Yes" : "No"; }

const std::vector<Question> questions = {
    {"integer", [] { int v = 0, s = 0; inintegdef(v, "count", 0, s); return std::to_string(v); },
     {"abc", ""}, {"7"}, "7"},
    {"free integer", [] { int v = 0, s = 0; ininteg1(v, "count", s); return std::to_string(v); },
     {"abc", ""}, {"7"}, "7"},
    {"older integer", [] { int v = 0, s = 0; inintegdefnp(v, "count", 0, s); return std::to_string(v); },
     {"abc", ""}, {"7"}, "7"},
    {"integer range", [] { int v = 1, s = 0; inintegvindef(v, "count", 1, 1, 9, s); return std::to_string(v); },
     {"50", ""}, {"7"}, "7"},
    {"free integer range", [] { int v = 1, s = 0; inintegvin1(v, "count", 1, 9, s); return std::to_string(v); },
     {"50", ""}, {"7"}, "7"},
    {"real", [] { real v = 0; int s = 0; inrealdef(v, "depth", 0, s); return std::to_string(v); },
     {"abc", ""}, {"2.5"}, "2.500000"},
    {"real range", [] { real v = 1; int s = 0; inrealvindef(v, "depth", 1, 0, 5, s); return std::to_string(v); },
     {"50", ""}, {"2.5"}, "2.500000"},
    {"yes/no", [] { bool v = false; int s = 0; inlogicdef(v, "activate test", false, s); return yes_no(v); },
     {"x", ""}, {"y"}, "Yes"},
    {"text", [] { std::string v; int s = 0; inchardef(v, "title", "none", s, 4); return v; }, {}, {"name"}, "name"},
    {"free text", [] { std::string v; int s = 0; inchar1(v, "title", s, 4); return v; }, {}, {"name"}, "name"},
    {"menu",
     [] {
       int chosen = 0;
       menu_loop(Header{"menu", "1.0", "01-01-2000"}, [] {}, [&](int c) {
         if (c == 99) return Reply::leave;
         chosen = c;
         return Reply::again;
       });
       return std::to_string(chosen);
     },
     {"abc", ""}, {"7", "99"}, "7"},
    // A choice the menu does not offer: at the keyboard the menu comes
    // back without a box, and its prompt without default passes over the
    // Return that would close one.
    {"menu choice",
     [] {
       int chosen = 0;
       const MenuTable t{.rows = {{.choice = 7, .action = [&chosen] { chosen = 7; }}}};
       choice_loop(Header{"menu", "1.0", "01-01-2000"}, [] {}, [&t](int c) { return reply(t, c); },
                   Prompt::without_default);
       return std::to_string(chosen);
     },
     {"8", ""}, {"7", "99"}, "7"},
    {"file name",
     [] {
       std::string name = "none.txt";
       opef2(name, "input data", 11, "old", 0, 40);
       return name;
     },
     {"missing.txt", ""}, {"data.txt"}, "data.txt"},
};

std::string typed(const Lines& a, const Lines& b = {}) {
  std::string text;
  for (const auto& l : a) text += l + "\n";
  for (const auto& l : b) text += l + "\n";
  return text;
}

// The command file ends at the question; the keyboard then gives a refused
// answer and the right one.
TEST_F(EndedCommandFile, EveryKindOfQuestionTakesItsRetryFromTheKeyboard) {
  write_file("data.txt", "x\n");
  for (const Question& q : questions) {
    SCOPED_TRACE(q.kind);
    command_file("");
    type_raw(typed(q.refused, q.right));
    EXPECT_EQ(q.ask(), q.want);
    EXPECT_FALSE(iocom.lcomfop);
    units().close(11);
  }
}

// The command file's first line is refused; the question is then asked
// again at the keyboard, and the lines after the refused one (here the
// right answer) are never read.
TEST_F(CommandFile, EveryRefusedAnswerStopsTheCommandFileAtItsLine) {
  write_file("data.txt", "x\n");
  for (const Question& q : questions) {
    if (q.refused.empty()) continue;  // a text is never refused
    SCOPED_TRACE(q.kind);
    command_file(typed({q.refused.front()}, q.right));
    type_raw(typed(Lines(q.refused.begin() + 1, q.refused.end()), q.right));
    EXPECT_EQ(q.ask(), q.want);
    EXPECT_FALSE(iocom.lcomfop);
    EXPECT_FALSE(units().is_open(15));
    const Lines lines = screen_lines();
    EXPECT_EQ(count(lines, " READ FROM LINE      1 OF THE COMMAND FILE"), 1u);
    EXPECT_EQ(count(lines, " ===> COMMAND FILE STOPPED"), 1u);
    EXPECT_FALSE(has(lines, " ===> HIT RETURN TO RESUME COMMANDS"));
    units().close(11);
  }
}

// A choice that a menu of the drawing set-ups does not offer stops the
// command file at its line, in the box that names the choice and the menu,
// as at every other menu: the curve levels, the curves' and running
// point's menu, the projection's origin. The keyboard closes the box and
// leaves the menu shown again; the command file's 99 is never read.
TEST_F(CommandFile, AChoiceThatASetUpMenuDoesNotOfferStopsTheCommandFile) {
  initialise_projection();
  real v1 = 0, v2 = 1, v3 = 0.1f;
  int n = 11, itype = 1;
  std::string name = "level";
  const struct {
    const char* routine;
    std::function<void()> run;
  } menus[] = {
      {"sclevel2", [&] { sclevel2(v1, v2, v3, n, itype, name, setup::menu_from_passed); }},
      {"scall", [] { scall(setup::menu_from_stored); }},
      {"scptnp", [&n] { scptnp(n, setup::menu_from_stored); }},
      {"sllorig", [&v1, &v2] { sllorig(v1, v2, setup::menu_from_stored); }},
  };
  for (const auto& m : menus) {
    SCOPED_TRACE(m.routine);
    screen();
    command_file("4242\n99\n");
    type({"", "99"});
    m.run();
    EXPECT_FALSE(iocom.lcomfop);
    const Lines lines = screen_lines();
    EXPECT_TRUE(has_block(lines, join({warning_head(m.routine),
                                       {" UNKNOWN CHOICE =   4242", " READ FROM LINE      1 OF THE COMMAND FILE",
                                        " ===> COMMAND FILE STOPPED", " ==> BACK TO MENU WITHOUT ACTION",
                                        " ===> HIT RETURN TO CONTINUE", slash43}})));
  }
}

// The same, the keyboard input ending after the refused answer.
TEST_F(EndedCommandFile, EndOfTheKeyboardInputThenEndsTheRun) {
  for (const Question& q : questions) {
    SCOPED_TRACE(q.kind);
    command_file("");
    type_raw(typed(q.refused));
    screen();
    EXPECT_EQ(run_end_status(q.ask), exit_input_ended);
    EXPECT_TRUE(screen().ends_with(" ===> END OF INPUT: STOPPING EXECUTION\n"));
  }
}

}  // namespace
}  // namespace dorvix
