// The reader's echo of the lines it reads and keeps, its report of the
// tests in force, and its warning about moment-tensor tests.

#include "catalogue/catalogue_reader.hpp"

#include <gtest/gtest.h>

#include "catalogue/extraction_criteria.hpp"
#include "catalogue/store.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;

class Reader : public DialogueTest {
 protected:
  void SetUp() override {
    DialogueTest::SetUp();
    initfio(1, 2, 0);
    fpsreadex1(1, setup::initialise);
    // The middle line lies south of 34 N.
    write_file("three.hash", hash_line(1, 34.5, -117, 5, 0, 45, 90) + "\n" + hash_line(2, 33.5, -117, 5, 0, 45, 90) +
                                 "\n" + hash_line(3, 34.5, -116, 5, 0, 45, 90) + "\n");
    screen();
  }
  // The reader's menu with these answers before the read of three.hash.
  Lines read_with(const Lines& before, const Lines& after = {}) {
    std::string text;
    for (const auto& a : before) text += a + "\n";
    text += "1001\nthree.hash\n";
    for (const auto& a : after) text += a + "\n";
    type_raw(text);
    fpsreadex1(1, setup::menu_from_passed);
    return screen_lines();
  }
};

const Lines counter_head{" ---------------------", " |      data nb      |", " |-------------------|",
                         " | reading | storing |", " |-------------------|"};
const Lines latitude_test{"100", "10", "y", "100", "y", "110", "34", "90", "99"};

TEST_F(Reader, BothEchoesShowEveryLineRead) {
  Lines answers{"4", "y", "5", "y"};
  answers.insert(answers.end(), latitude_test.begin(), latitude_test.end());
  const Lines l = read_with(answers);
  EXPECT_TRUE(has_block(l, join({counter_head,
                                 {" |       1 |       1 |", " |       2 |       2 |", " |       3 |       2 |",
                                  " " + std::string(43, '-')}})));
  EXPECT_EQ(fpsblk.ndata, 2);
  EXPECT_EQ(fpsblk.id1[1], 3);
}

TEST_F(Reader, SelectedEchoShowsTheLinesKept) {
  Lines answers{"5", "y"};
  answers.insert(answers.end(), latitude_test.begin(), latitude_test.end());
  const Lines l = read_with(answers);
  EXPECT_TRUE(has_block(l, join({counter_head, {" |       1 |       1 |", " |       3 |       2 |"}})));
  EXPECT_TRUE(has(l, " READING IN HASH FILE: three.hash" + std::string(30, ' ')));
}

TEST_F(Reader, ReportListsTheTestsInForce) {
  const Lines l = read_with({"100", "10", "y", "100", "y", "200", "y", "300", "y", "250", "y", "600", "y", "99"}, {""});
  const Lines tests{" |   Test on: |       Mini |       Maxi |", " " + std::string(43, '-'),
                    " |    Polygon |          1 |          3 |", " |     Bounds |      great |    circles |",
                    " |  Latitude  |    -90.000 |     90.000 |", " |  Longitude |   -180.000 |    180.000 |",
                    " |  Depth     |      0.000 |     50.000 |"};
  EXPECT_TRUE(has_block(l, tests));
  // No moment tensor in these catalogues: a warning, and the read goes on.
  EXPECT_TRUE(has_block(l, {" Data type ID =      2", " NO FROHLICH TESTS WITH THESE DATA"}));
  // The default triangle (its corners taken anticlockwise) lies off
  // California: nothing is kept.
  EXPECT_TRUE(has(l, " | Nb of data |          3 |          0 |"));
  EXPECT_TRUE(has(l, " | Lat   mini |     33.500 |  10000.000 |"));
}

}  // namespace
}  // namespace dorvix
