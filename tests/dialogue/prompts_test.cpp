#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "dialogue/console_units.hpp"
#include "dialogue/prompts.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix {
namespace {

using Prompts = testing::ConsoleTest;
using Lines = std::vector<std::string>;

const std::string dots = " " + std::string(42, '.');
const std::string star43 = " " + std::string(43, '*');

// True when the transcript holds this line.
bool has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(Prompts, IntegerWithDefaultAtBothOutputLevels) {
  type({""});
  int ival = 0, istat = 7;
  const int def = 99;
  inintegdef(ival, "your choice", def, istat);
  EXPECT_EQ(ival, 99);
  EXPECT_EQ(istat, 0);
  const Lines want = {
      dots,
      " Enter your choice",
      " or return for default value",
      " Default =           99",
      " New value =            99",
      dots,
  };
  EXPECT_EQ(screen_lines(), want);

  iocom.lwito(2) = false;  // as while a command file is the input
  type({"5"});
  inintegdef(ival, "  your choice  ", def, istat);
  EXPECT_EQ(screen_lines(), (Lines{" Enter your choice", " New value =             5"}));
}

TEST_F(Prompts, IntegerAnswersAreJudgedByTheirFirstItem) {
  struct Case {
    std::string answer;
    int want;
  } accepted[] = {
      {" 12", 99}, {"\r", 99}, {"12 34", 12}, {"+7", 7}, {"-3", -3}, {"8,9", 8}, {"00000000000000000001X", 1},
  };
  for (const auto& c : accepted) {
    type({c.answer});
    int ival = 0, istat = 0;
    inintegdef(ival, "n", 99, istat);
    EXPECT_EQ(ival, c.want) << c.answer;
    screen();
  }
  for (std::string bad : {"1.5", "abc", "12abc", "99999999999"}) {
    type({bad, "", "4"});
    int ival = 0, istat = 0;
    inintegdef(ival, "count of things", 1, istat);
    EXPECT_EQ(ival, 4) << bad;
    const Lines lines = screen_lines();
    EXPECT_TRUE(has(lines, " could not read count of things")) << bad;
    EXPECT_TRUE(has(lines, " ==> RETRYING")) << bad;
    EXPECT_TRUE(has(lines, " ===> HIT RETURN TO CONTINUE")) << bad;
  }
}

TEST_F(Prompts, IntegerRangeRefusesAndAsksAgain) {
  iocom.lwito(2) = false;
  type({"4", "", "3"});  // 4 refused; the pause; then 3
  int ival = 0, istat = 0;
  inintegvindef(ival, "plane", 1, 1, 3, istat);
  EXPECT_EQ(ival, 3);
  const Lines lines = screen_lines();
  EXPECT_EQ(lines[0], " Enter plane");
  EXPECT_EQ(lines[1], " inside  [1,3]");
  EXPECT_TRUE(has(lines, " plane =            4"));
  EXPECT_TRUE(has(lines, " outside [1,3]"));
  EXPECT_EQ(lines.back(), " New value =             3");

  // A default outside the range is not offered: the nearest bound is, said
  // once under the range (also when the question is asked again), and the
  // range shows each bound in its own width.
  for (const auto& [def, want, note] : {std::tuple{200, 100, " ==> 200 IS OUTSIDE THE RANGE: DEFAULT SET TO 100"},
                                        std::tuple{-6, -5, " ==> -6 IS OUTSIDE THE RANGE: DEFAULT SET TO -5"}}) {
    type({"x", "", ""});
    inintegvindef(ival, "depth", def, -5, 100, istat);
    EXPECT_EQ(ival, want);
    const Lines again = screen_lines();
    EXPECT_EQ(again[1], " inside  [-5,100]");
    EXPECT_EQ(again[2], note);
    EXPECT_EQ(std::count(again.begin(), again.end(), note), 1);
    EXPECT_FALSE(has(again, " outside [-5,100]"));
  }
}

TEST_F(Prompts, CallerSharingValueAndDefaultIsOfferedTheValueItCameWith) {
  iocom.lwito(2) = false;
  type({"7", "", ""});  // 7 refused; an empty answer then takes 1, not 7
  int choice = 1, istat = 0;
  inintegvindef(choice, "plane", choice, 1, 3, istat);
  EXPECT_EQ(choice, 1);
  const Lines lines = screen_lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " plane =            7"), 1);
  // The real prompt alike, its entry value outside the range moved in.
  type({"2", "", ""});
  real v = -0.5f;
  inrealvindef(v, "fraction", v, 0.0f, 1.0f, istat);
  EXPECT_EQ(v, 0.0f);
  EXPECT_TRUE(has(screen_lines(), " ==> -.500000 IS OUTSIDE THE RANGE: DEFAULT SET TO 0.00000"));
}

TEST_F(Prompts, FreeFormIntegerWaitsThroughEmptyLines) {
  type({"", "   ", "  42 rest", "9"});
  int ival = 0, istat = 0;
  ininteg1(ival, "your choice", istat);
  EXPECT_EQ(ival, 42);
  inintegvin1(ival, "k", 1, 10, istat);
  EXPECT_EQ(ival, 9);  // the rest of the line "42 rest" was discarded
}

TEST_F(Prompts, OlderIntegerLayoutWritesTheWholePromptAndNoEcho) {
  type({"x", "", "3"});
  int ival = 0, istat = 0;
  inintegdefnp(ival, "rewind? ", 1, istat);
  EXPECT_EQ(ival, 3);
  const Lines lines = screen_lines();
  EXPECT_EQ(lines[0], dots);
  EXPECT_EQ(lines[1], " Enter rewind? ");
  EXPECT_TRUE(has(lines, " could not read rewind? "));
  EXPECT_TRUE(has(lines, "              RETRYING              "));
  EXPECT_TRUE(has(lines, " OUTDATED    errortail0  "));
  EXPECT_EQ(lines.back(), dots);
  EXPECT_EQ(lines[lines.size() - 2], " Default =            1");
}

TEST_F(Prompts, RealAnswersAndTheirEcho) {
  struct Case {
    std::string answer;
    float want;
    std::string echo;
  } cases[] = {
      {"2", 2.0f, " New value =   2.00000    "},
      {"2.5", 2.5f, " New value =   2.50000    "},
      {"-1.E3", -1000.0f, " New value =  -1000.00    "},
      {"1.5E-2", 0.015f, " New value =  0.150000E-01"},
      {"", 0.5f, " New value =  0.500000    "},
  };
  for (const auto& c : cases) {
    type({c.answer});
    real val = 0;
    int istat = 0;
    inrealdef(val, "size", 0.5f, istat);
    EXPECT_EQ(val, c.want) << c.answer;
    const Lines lines = screen_lines();
    EXPECT_EQ(lines[lines.size() - 2], c.echo) << c.answer;
  }
  type({"abc", "", "1"});
  real val = 0;
  int istat = 0;
  inrealdef(val, "size", 0.5f, istat);
  EXPECT_EQ(val, 1.0f);
  EXPECT_TRUE(has(screen_lines(), " could not read size"));
}

TEST_F(Prompts, RealRangeLayoutsFollowTheMagnitudeOfTheBounds) {
  struct Case {
    float vmin, vmax, val, def;
    std::string range, def_line, note = "";  // the note when the default is moved into the range
  } cases[] = {
      {0, 1, 0.5f, 0.5f, " inside  [ 0.000, 1.000]", " Default =  0.500"},
      {-90, 90, 0, 0, " inside  [-90.000, 90.000]", " Default =   0.000"},
      {0, 360, 10, 10, " inside  [   0.00, 360.00]", " Default =   10.00"},
      {0, 20000, 1, 1, " inside  [      0.0,  20000.0]", " Default =               1.    "},
      {0, 1, 5, 0.5f, " inside  [ 0.000, 1.000]", " Default =  0.500"},
      {0, 1, 1500, 0.5f, " inside  [ 0.000, 1.000]", " Default =              0.5    "},
      {0, 1, 0.5f, 1500, " inside  [ 0.000, 1.000]", " Default =  1.000",
       " ==> 1500.00 IS OUTSIDE THE RANGE: DEFAULT SET TO 1.00000"},
      {-90, 90, 0, std::nanf(""), " inside  [-90.000, 90.000]", " Default = -90.000",
       " ==> ************ IS OUTSIDE THE RANGE: DEFAULT SET TO -90.0000"},
      // A bound that the layout's decimals would hide gets the digits it
      // needs: the line thickness and the text height.
      {0.01f, 1000, 0.02f, 0.02f, " inside  [     0.01,   1000.0]", " Default =              0.2E-01"},
      {0.02f, 1000, 0.5f, 0.5f, " inside  [     0.02,   1000.0]", " Default =              0.5    "},
      {0.0005f, 1, 0.5f, 0.5f, " inside  [0.0005, 1.000]", " Default =  0.500"},
      {-0.125f, 500, 1, 1, " inside  [ -0.125, 500.00]", " Default =    1.00"},
  };
  for (const auto& c : cases) {
    type({"", "", "0"});
    real val = c.val;
    int istat = 0;
    inrealvindef(val, "value", c.def, c.vmin, c.vmax, istat);
    const Lines lines = screen_lines();
    const std::size_t at = c.note.empty() ? 4 : 5;
    EXPECT_EQ(lines[2], c.range);
    if (!c.note.empty()) {
      EXPECT_EQ(lines[3], c.note);
    }
    EXPECT_EQ(lines[at], c.def_line);
    EXPECT_EQ(lines[lines.size() - 2].substr(0, 13), " New value = ");  // accepted at once
  }
}

TEST_F(Prompts, RealRangeRefusesValuesOutsideAndAcceptsTheBound) {
  iocom.lwito(2) = false;
  type({"1.5", "", "1.0"});
  real val = 0;
  int istat = 0;
  inrealvindef(val, "fraction", 0.5f, 0.0f, 1.0f, istat);
  EXPECT_EQ(val, 1.0f);
  const Lines lines = screen_lines();
  EXPECT_TRUE(has(lines, " fraction =  1.50000    "));
  EXPECT_TRUE(has(lines, " outside [ 0.000, 1.000]"));
}

TEST_F(Prompts, YesNoAnswersHelpAndIncorrectCharacters) {
  type({"x", "", "h", "yes please"});
  bool lval = false;
  int istat = 0;
  inlogicdef(lval, "rewind input file", false, istat);
  EXPECT_TRUE(lval);
  const Lines lines = screen_lines();
  const Lines want_start = {
      dots,
      " rewind input file ?",
      " Enter (0/1)(n/y)(N/Y)",
      " or return for default value or h for help",
      " Default = No ",
  };
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5), want_start);
  EXPECT_TRUE(has(lines, " incorrect answer: x"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " answer Yes    y or Y or 1    "), 2);  // after x, after h
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " incorrect answer: x"), 1);
  EXPECT_EQ(lines[lines.size() - 2], " New value =  Yes");

  for (auto [answer, def, want] : {std::tuple{"", false, false}, {"N", true, false}, {"1", false, true},
                                   {" y", false, false}, {"0", true, false}}) {
    type({answer});
    bool v = !want;
    inlogicdef(v, "q", def, istat);
    EXPECT_EQ(v, want) << answer;
    screen();
  }
}

TEST_F(Prompts, YesNoOnGivenUnitsShowsEverythingWhateverTheLevel) {
  iocom.lwito(2) = false;
  type({""});
  bool v = false;
  int istat = 0;
  inlogicdef2(v, "STOP  ", true, 5, 6, istat);
  EXPECT_TRUE(v);
  const Lines want = {
      dots, " STOP ?", " Enter (0/1)(n/y)(N/Y)", " or return for default value or h for help", " Default = Yes",
      " New value =  Yes", dots,
  };
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(Prompts, TextWithDefault) {
  type({""});
  std::string cval;
  int istat = 0;
  inchardef(cval, "plot file name", "seis.ps", istat, 10);
  EXPECT_EQ(cval, "seis.ps   ");
  Lines lines = screen_lines();
  EXPECT_EQ(lines[3], " Default = seis.ps");
  EXPECT_EQ(lines[4], " ichar =  32 => use default value");
  EXPECT_EQ(lines[5], " New value = seis.ps   ");

  type({" other"});
  inchardef(cval, "name", "dflt", istat, 6);
  EXPECT_EQ(cval, "dflt  ");
  screen();

  type({std::string(100, 'a')});
  inchardef(cval, "name", "", istat, 100);
  EXPECT_EQ(cval, std::string(80, 'a') + std::string(20, ' '));
  screen();

  // The current value passed as its own default.
  cval = "keep";
  type({""});
  inchardef(cval, "name", cval, istat, 4);
  EXPECT_EQ(cval, "keep");
  screen();

  type({""});
  inchar1(cval, "title", istat, 5);
  EXPECT_EQ(cval, "     ");
}

TEST_F(Prompts, EndOfKeyboardInputEndsTheRunWithAFailureStatus) {
  type_raw("");
  int ival = 0, istat = 0;
  try {
    inintegdef(ival, "your choice", 99, istat);
    FAIL() << "the run should have ended";
  } catch (const RunEnded& e) {
    EXPECT_EQ(e.status, exit_input_ended);
  }
  EXPECT_EQ(screen_lines().back(), " ===> END OF INPUT: STOPPING EXECUTION");
}

TEST_F(Prompts, EndOfACommandFileReturnsToTheKeyboard) {
  testing::TempDir dir;
  const auto file = dir / "commands";
  testing::write_file(file, "7\n");
  ASSERT_TRUE(units().open(15, file.string(), FileStatus::old_file));
  iocom.iuin = 15;
  iocom.lcomfop = true;
  iocom.lwito(2) = false;
  type({"8"});
  int a = 0, b = 0, istat = 0;
  inintegdef(a, "first", 0, istat);
  inintegdef(b, "second", 0, istat);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 8);
  EXPECT_EQ(iocom.iuin, 5);
  EXPECT_FALSE(iocom.lcomfop);
  EXPECT_TRUE(iocom.lwito(2));
  EXPECT_FALSE(units().is_open(15));
}

TEST(TextUtilities, TextlenAndIntegerLengths) {
  struct Case {
    std::string text;
    int first, last;
  } cases[] = {{"  abc  ", 3, 5}, {"     ", 5, 5}, {"", 1, 0}, {"x", 1, 1}};
  for (const auto& c : cases) {
    int f = 0, l = 0;
    textlen(f, l, c.text);
    EXPECT_EQ(f, c.first) << '"' << c.text << '"';
    EXPECT_EQ(l, c.last) << '"' << c.text << '"';
  }
  int n = 0;
  for (auto [v, len] : {std::pair{0, 1}, {999999, 6}, {9999999, 7}, {10000000, 8}, {-2147483647 - 1, 11}}) {
    integlen(n, v);
    EXPECT_EQ(n, len) << v;
  }
}

}  // namespace
}  // namespace dorvix
