#include "dialogue/data_files.hpp"

#include <gtest/gtest.h>

#include "dialogue_helpers.hpp"
#include "numbers/edit.hpp"

namespace dorvix {
namespace {

using namespace testing;

class DataFiles : public DialogueTest {
 protected:
  void SetUp() override {
    DialogueTest::SetUp();
    fiocom = FioCom{};
  }
};

const std::string dashes = rule_of('-');
const std::string short_rule = rule_of('-', 14);
const std::string blank40(40, ' ');

Lines slot_listing(int i, const std::string& expl, const std::string& name, bool open, int unit) {
  return {" FILE INDEX   =  " + std::to_string(i),   "  explanation : " + edit::pad(expl, 40),
          "     filename = " + edit::pad(name, 40),  std::string("       opened : ") + (open ? "T" : "F"),
          "         unit = " + std::to_string(unit), short_rule};
}

Lines listing(const Lines& inputs, const Lines& outputs, int nin = 1, int nout = 2) {
  return join({{dashes, "              I/O FILES STATUS", dashes, " NUMBER OF  INPUT FILES   =  " + std::to_string(nin),
                dashes},
               inputs,
               {dashes, " NUMBER OF OUTPUT FILES   =  " + std::to_string(nout), dashes},
               outputs});
}

const Lines fresh_listing = listing(slot_listing(1, "", "", false, 11),
                                    join({slot_listing(1, "", "", false, 21), slot_listing(2, "", "", false, 22)}));

TEST_F(DataFiles, SetUpForOneInputAndTwoOutputFiles) {
  initfio(1, 2, 0);
  EXPECT_EQ(fiocom.iuinf(1), 11);
  EXPECT_EQ(fiocom.iouf(1), 21);
  EXPECT_EQ(fiocom.iouf(2), 22);
  EXPECT_FALSE(fiocom.iopin(1) || fiocom.iopou(1) || fiocom.iopou(2));
  EXPECT_EQ(fiocom.oufnam(2), blank40);
  const Lines want = join({menu_head("initfio"), {dashes, "        INITIALIZING I/O FILES", dashes}, fresh_listing});
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(DataFiles, CountsBeyondTheCapacityEndTheRun) {
  const std::string stars = rule_of('*', 36);
  EXPECT_EQ(run_end_status([] { initfio(2, 2, 0); }), exit_stopped_by_program);
  Lines lines = screen_lines();
  EXPECT_EQ(Lines(lines.end() - 6, lines.end()),
            (Lines{stars, " ***           ERROR              ***", stars, "     number of  input files   =  2",
                   " max number of  input files   =  1", stars}));

  EXPECT_EQ(run_end_status([] { initfio(1, 3, 0); }), exit_stopped_by_program);
  lines = screen_lines();
  EXPECT_EQ(Lines(lines.end() - 5, lines.end()),
            (Lines{dashes, stars, " ***           ERROR              ***", stars, stars}));
  EXPECT_EQ(fiocom.nfin, 1);  // set before the output count was refused

  EXPECT_EQ(run_end_status([] { initfio(-1, 0, 0); }), exit_stopped_by_program);
}

TEST_F(DataFiles, OpeningAndClosingAnOutputSlot) {
  initfio(1, 2, 0);
  screen();
  const std::string expl = "extracted si-sh output" + std::string(13, ' ');
  type({"sish.txt"});  // the chooser
  opefou(2, expl, 0);
  EXPECT_TRUE(fiocom.iopou(2));
  EXPECT_TRUE(units().is_open(22));
  EXPECT_EQ(fiocom.oufnam(2), edit::pad("sish.txt", 40));
  Lines lines = screen_lines();
  const Lines opening = {dashes, " OPENING OUTPUT FILE  2", dashes};
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), opening);
  EXPECT_TRUE(has(lines, " OPENING extracted si-sh output FILE"));
  const Lines after_open =
      listing(slot_listing(1, "", "", false, 11),
              join({slot_listing(1, "", "", false, 21), slot_listing(2, expl, "sish.txt", true, 22)}));
  EXPECT_EQ(Lines(lines.end() - static_cast<long>(after_open.size()), lines.end()), after_open);

  // Opening it again is reported and does not reach the opener.
  opefou(2, expl, 0);
  lines = screen_lines();
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), (Lines{dashes, " OUTPUT FILE  2 ALREADY OPENED !", dashes}));
  EXPECT_FALSE(has(lines, " OPENING extracted si-sh output FILE"));

  clofou(2, 0);
  EXPECT_FALSE(fiocom.iopou(2));
  EXPECT_FALSE(units().is_open(22));
  lines = screen_lines();
  EXPECT_EQ(lines[1], " OUTPUT FILE " + edit::pad("sish.txt", 40) + " CLOSED");
  EXPECT_TRUE(has(lines, "     filename = " + edit::pad("sish.txt", 40)));  // the name stays
  EXPECT_TRUE(has(lines, "       opened : F"));

  clofou(2, 0);
  EXPECT_EQ(screen_lines()[1], " OUTPUT FILE " + edit::pad("sish.txt", 40) + " ALREADY CLOSED !");

  // A second opening starts from the name last used.
  // The file exists now: the opener asks again; the command file ends and
  // the keyboard answers.
  command_file("\n");
  iocom.lwito(2) = true;
  type({"", "other.txt"});
  opefou(2, expl, 0);
  lines = screen_lines();
  EXPECT_TRUE(has(lines, " Default = sish.txt"));
  EXPECT_TRUE(has(lines, " COULD NOT OPEN FILE " + edit::pad("sish.txt", 40)));
  EXPECT_EQ(fiocom.oufnam(2), edit::pad("other.txt", 40));
}

TEST_F(DataFiles, IndexOutsideTheTableOnlyLists) {
  initfio(1, 2, 0);
  screen();
  opefou(3, "table", 0);
  EXPECT_EQ(screen_lines(), fresh_listing);
  clofin(0, 0);
  EXPECT_EQ(screen_lines(), fresh_listing);
}

TEST_F(DataFiles, InputSlotOpensSilentlyAndCutsItsExplanation) {
  initfio(1, 2, 0);
  write_file("cat.txt", "x\n");
  fiocom.infnam(1) = edit::pad("cat.txt", 40);
  screen();
  const std::string long_expl = "an explanation that goes on for more than forty characters";
  opefin(1, long_expl, 1);
  EXPECT_TRUE(fiocom.iopin(1));
  EXPECT_EQ(fiocom.infexpl(1), long_expl.substr(0, 40));
  const Lines lines = screen_lines();
  EXPECT_EQ(lines[1], " OPENING  INPUT FILE  1");
  EXPECT_TRUE(has(lines, "  explanation : " + long_expl.substr(0, 40)));
  clofin(1, 0);
  EXPECT_EQ(screen_lines()[1], " INPUT FILE " + edit::pad("cat.txt", 40) + " CLOSED");
}

TEST_F(DataFiles, TracesShowOnlyAtTheHighestOutputLevel) {
  initfio(1, 2, 0);
  iocom.lwito(3) = true;
  screen();
  listfio(0);
  const Lines lines = screen_lines();
  EXPECT_EQ(lines[1], " @ subroutine  listfio    ");
  EXPECT_EQ(lines[2], " @ version 1.00 on 25-03-94  ");
  EXPECT_EQ(lines[lines.size() - 2], " @ exiting listfio    ");
}

}  // namespace
}  // namespace dorvix
