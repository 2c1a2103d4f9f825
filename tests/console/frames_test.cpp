#include <gtest/gtest.h>

#include "console/frames.hpp"
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

}  // namespace
}  // namespace dorvix
