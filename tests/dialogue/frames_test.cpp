#include "dialogue/frames.hpp"

#include <gtest/gtest.h>

#include "dialogue/menu_table.hpp"
#include "support/console_fixture.hpp"

namespace dorvix {
namespace {

using Frames = testing::ConsoleTest;

const std::string at43(43, '@');
const std::string eq_rule = "@" + std::string(42, '=');

TEST_F(Frames, InitsioListsTheConsoleBlockAtItsStartValues) {
  iocom.iuin = 15;  // whatever came before, initsio starts afresh
  iocom.lwito(2) = false;
  initsio();
  const std::vector<std::string> want = {
      " " + at43,
      " @ subroutine initsio    ",
      " " + eq_rule,
      " INITIALIZING INPUT/OUTPUT",
      " standard  input unit        =  5",
      " standard output unit        =  6",
      " error     input unit        =  5",
      " error    output unit        =  6",
      " minimum output enabled      :  T",
      " more    output enabled      :  T",
      " maximum output enabled      :  F",
      " command file open status    :  F",
      " plot    file open status    :  F",
      " pause after warning or error:  T",
      " " + at43,
  };
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(iocom.iuin, 5);
  EXPECT_TRUE(iocom.lwito(2));
}

TEST_F(Frames, MenuHeadsDifferOnlyInTheirWordsAndKeepTheNamePadding) {
  mainmenuhead({"seismap", " 4.1", "01-01-2010"});
  submenuhead({"fpswrite1", " 1.0", "01-01-2010"});
  menutail();
  const std::vector<std::string> want = {
      " " + at43, " @ main program seismap    ", " " + eq_rule,
      " " + at43, " @ subroutine fpswrite1  ",   " " + eq_rule,
      " " + at43,
  };
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(Frames, TracesShowOnlyAtTheHighestOutputLevel) {
  const Header h{"opefou", "1.00", "25-03-94  "};
  subhead(h);
  subtail(h);
  EXPECT_EQ(screen(), "");
  iocom.lwito(3) = true;
  subhead({"x", " 3.2", "2010-06-21"});
  subtail(h);
  const std::vector<std::string> want = {
      " " + at43, " @ subroutine  x          ", " @ version  3.2 on 2010-06-21", " " + at43,
      " " + at43, " @ exiting opefou     ",     " " + at43,
  };
  EXPECT_EQ(screen_lines(), want);
}

// A menu table: option lines with their dots up to the width (a number in
// two columns at least), a value after the line, a row hidden but answered
// all the same, a number that gives way to dots, two rows of one choice
// (the first acts), a choice 0, a choice that no row carries, and one that
// the table's `otherwise` does not answer either: the menu does not offer
// it.
TEST_F(Frames, AMenuTableDrawsItsLinesAndAnswersItsChoices) {
  int count = 7;
  bool on = false;
  std::vector<int> answered;
  const auto answer = [&answered](int c) { return [&answered, c] { answered.push_back(c); }; };
  const MenuTable t{
      .rows = joined({{{.choice = 0, .label = "zero ", .action = answer(0)},
                       {.choice = 5, .label = "count ", .value = shows_integer(count, 3)},
                       {.choice = 6, .label = "hidden ", .action = answer(6), .shown = [&on] { return on; }},
                       {.choice = 8, .label = "offered ", .value = shows_flag(on), .offered = [&on] { return on; }}},
                      rows_of_choice(40, {{.label = "first ", .action = [&on] { on = !on; }}, {.label = "second "}})}),
      .width = 16,
      .otherwise = [&answered](int c) { answered.push_back(-c); },
      .answers = [](int c) { return c != 78; },
      .number_width = 2};
  show_rows(t);
  EXPECT_EQ(screen_lines(),
            (std::vector<std::string>{" zero ......... 0", " count ........ 5   7", " offered ........ F",
                                      " first ........40", " second .......40"}));
  for (int c : {6, 40, 0, 77}) EXPECT_EQ(dispatch(t, c), Reply::again);
  EXPECT_EQ(dispatch(t, 78), Reply::unknown);
  EXPECT_EQ(answered, (std::vector<int>{6, 0, -77}));
  show_rows(t);
  const std::vector<std::string> lines = screen_lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 4),
            (std::vector<std::string>{" hidden ....... 6", " offered ...... 8 T"}));
}

}  // namespace
}  // namespace dorvix
