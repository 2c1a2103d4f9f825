// The writer's menu, its listing and a write that fails.

#include "catalogue/catalogue_writer.hpp"

#include <gtest/gtest.h>

#include "catalogue/store.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

class Writer : public DialogueTest {
 protected:
  void SetUp() override {
    DialogueTest::SetUp();
    initfio(1, 2, 0);
    fpsblk.ndata = 0;
    fpsblk.itype = itype_empty;
    screen();
  }
  void TearDown() override {
    fpsblk.ndata = 0;
    fpsblk.itype = itype_empty;
    DialogueTest::TearDown();
  }
  // One HASH mechanism at 43.6 N, 120.2 W.
  static void store_one() {
    fpsblk.itype = itype_hash;
    fpsblk.ndata = 1;
    fpsblk.rlat1[0] = 43.6f;
    fpsblk.rlong1[0] = -120.2f;
    fpsblk.id1[0] = 123456;
    fpsblk.cdate1[0].assign("2010-06-01");
  }
};

TEST_F(Writer, MenuOffersTheLayoutsOfTheDataType) {
  store_one();
  type({"99"});
  fpswrite1(1, setup::menu_from_passed);
  const std::string blank40(40, ' ');
  const Lines want = join({menu_head("fpswrite1"),
                           {rule_of('-'), " Maximum nb of stored data=  60000", " Current nb of stored data=      1",
                            " Current data type        =      2", " OPEN  DATA OUTPUT FILE .......12 " + blank40,
                            " CLOSE DATA OUTPUT FILE .......22 " + blank40, rule_of('-'),
                            " WRITE DATA TO OUTPUT FILE IN FORMAT:", "  HASH ......................1001",
                            "  Tabulated HASH order ......2001", " LIST DATA TO SCREEN ........1100", rule_of('-'),
                            " HELP ........................900", " EXIT .........................99", rule_of('@')}});
  EXPECT_EQ(head_of(screen_lines(), want.size()), want);
}

TEST_F(Writer, ListsTheStoreUnderItsOwnHead) {
  store_one();
  type({"1100", "99"});
  fpswrite1(1, setup::menu_from_passed);
  const std::string frame = " |" + std::string(43, '-') + "|";
  const Lines want = join({menu_head("fpswrite1"),
                           {frame, " |               EXTRACTED DATA              |", frame,
                            " |   date   |  lat |  long |     ID          |", frame,
                            " | 2010-06- |  44. | -120. |          123456 |", frame}});
  const Lines l = screen_lines();
  EXPECT_NE(std::search(l.begin(), l.end(), want.begin(), want.end()), l.end());
}

// A device that takes no write (as a full disk) stands for the file.
TEST_F(Writer, AFailedWriteIsReportedAndClosesTheFile) {
  store_one();
  type({"/dev/full"});
  opefou(1, "HASH output", 0);
  screen();
  type({"1001", "", "99"});
  fpswrite1(1, setup::menu_from_passed);
  const Lines l = screen_lines();
  const Lines box{"   WHILE WRITING DATA", "   IN FILE: /dev/full" + std::string(31, ' '), "   closing the file"};
  EXPECT_NE(std::search(l.begin(), l.end(), box.begin(), box.end()), l.end());
  EXPECT_TRUE(has(l, " FILE /dev/full" + std::string(31, ' ') + " IS CLOSED"));
  EXPECT_FALSE(has(l, " WRITING COMPLETED"));
  EXPECT_FALSE(fiocom.iopou(1));
}

}  // namespace
}  // namespace dorvix
