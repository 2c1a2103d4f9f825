// The column-file reader driven as the map's point menu drives it, on real
// epicentre lists and on small files that hold every kind of record.

#include <gtest/gtest.h>

#include <optional>

#include "column_fixture.hpp"
#include "support/pipe_writer.hpp"

namespace dorvix::testing {
namespace {

std::filesystem::path real_file(const std::string& name) { return std::filesystem::path(DORVIX_REAL_DATA_DIR) / name; }

const std::string pause = " ===> HIT RETURN TO CONTINUE";

TEST_F(ColumnFileTest, RealEpicentreListsReadBitForBitAsAnIndependentDecimalReadGivesThem) {
  struct Case {
    const char* file;
    const char* hex;
    SetupMode mode;
  };
  for (const Case c : {Case{"sed_switzerland_points.txt", "sed_switzerland_points.hex", setup::menu_from_passed},
                       Case{"sed_switzerland_points_variant.txt", "sed_switzerland_points.hex",
                            setup::menu_from_passed},
                       Case{"gcmt_m7plus_points.txt", "gcmt_m7plus_points.hex", setup::menu_from_passed},
                       Case{"scedc_hash_2018_points.txt", "scedc_hash_2018_points.hex", setup::passed}}) {
    SCOPED_TRACE(c.file);
    fresh();
    const std::string path = real_file(c.file).string();
    ASSERT_EQ(read(path, {path, "", "", "", ""}, c.mode), 0);
    const auto want = hex_values(real_file(c.hex));
    const int n = std::min<int>(static_cast<int>(want.size()), array_lines);
    ASSERT_EQ(nread, n);
    for (int k = 0; k < n; ++k) {
      ASSERT_EQ(bits_of(xp[k]), want[k][0]) << "longitude of row " << k + 1;
      ASSERT_EQ(bits_of(yp[k]), want[k][1]) << "latitude of row " << k + 1;
    }
    if (n < array_lines) {
      EXPECT_EQ(xp[n], untouched);
    }
    EXPECT_FALSE(units().is_open(column_unit));
    EXPECT_EQ(out.find("MORE THAN ONE LINE"), std::string::npos);
    if (want.size() > array_lines) {
      // 1200 points: the first 1000 are kept, with the warning, and the
      // silent report's three columns overflow.
      EXPECT_TRUE(shows({" The array size has been reached", " ==> the data may not have been fully read",
                         " ==> rows left unread: 200"}));
      EXPECT_TRUE(shows({" Stored   2 variables and *** lines"}));
    }
  }
}

// The records of small files: the values stored, the rows left alone, and
// the warning on records that took numbers from more than one line.
TEST_F(ColumnFileTest, RecordsOfSmallFilesAndTheWarningOnRecordsSplitOverLines) {
  struct Case {
    std::string data;
    std::vector<std::array<real, 2>> stored;
    std::vector<std::string> warning;  // the box's message lines; none: no box
  };
  const std::string split = " RECORDS TAKEN FROM MORE THAN ONE LINE:     1";
  const std::string first = " FIRST OF THEM: RECORD NB             :     2";
  const std::string check = " ==> EACH RECORD IS   2 NUMBERS: CHECK THE FILE";
  // One row more than the array holds, and a blank line after it.
  std::string rows;
  std::vector<std::array<real, 2>> first_rows;
  for (int k = 1; k <= array_lines + 1; ++k) {
    rows += std::to_string(k) + " 46\n";
    if (k <= array_lines) first_rows.push_back({static_cast<real>(k), 46});
  }
  const std::vector<Case> cases = {
      {"1 2\n3 4\n5 6\n", {{1, 2}, {3, 4}, {5, 6}}, {}},
      {"1.5e1 -2\n\n \t\n3,4\r\n", {{15, -2}, {3, 4}}, {}},
      {"1 2\n3\n4 5 6\n", {{1, 2}, {3, 4}}, {split, first, check, pause}},
      {"1 2\n3\n4 5\n6 7\n", {{1, 2}, {3, 4}, {6, 7}}, {split, first, check, pause}},
      {"1 2\n3 4\n5\n", {{1, 2}, {3, 4}}, {" INCOMPLETE LAST RECORD DROPPED", check, pause}},
      // Files shorter than the four lines shown are readable.
      {"7.5 46.2\n", {{7.5f, 46.2f}}, {}},
      {"", {}, {}},
      {rows + "\n",
       first_rows,
       {" The array size has been reached", " ==> the data may not have been fully read", " ==> rows left unread: 1",
        pause}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data.substr(0, 40));
    fresh();
    const auto p = file("points.txt", "'Stations'\n'lon' 'lat'\n" + c.data);
    ASSERT_EQ(read(p, {p, "", "", "", "", "", ""}), 0);
    ASSERT_EQ(nread, static_cast<int>(c.stored.size()));
    for (std::size_t k = 0; k < c.stored.size(); ++k) {
      EXPECT_EQ(xp[k], c.stored[k][0]);
      EXPECT_EQ(yp[k], c.stored[k][1]);
    }
    for (std::size_t k = c.stored.size(); k < array_lines; ++k) {
      ASSERT_EQ(xp[k], untouched);
      ASSERT_EQ(yp[k], untouched);
    }
    const bool boxed = out.find("subroutine getfreal          ///") != std::string::npos;
    EXPECT_EQ(boxed, !c.warning.empty());
    if (!c.warning.empty()) {
      EXPECT_TRUE(shows(c.warning));
    }
    EXPECT_EQ(out.find("WHILE READING HEADER LINES"), std::string::npos);
  }
}

// A record that cannot be read: its number, the retry menu, and giving up.
// The records before it stay in the array; nread keeps the caller's value.
TEST_F(ColumnFileTest, ARecordWithoutANumberIsAReadErrorNamingItsRecord) {
  for (const std::string bad : {"7.9 word", "nan 46.0", "8.1 inf", "1e40 46.3", "8.1,,", "10.0 / 3"}) {
    SCOPED_TRACE(bad);
    fresh();
    const auto p = file("points.txt", "'Stations'\n'lon' 'lat'\n7.5, 46.2\n8.0 46.5\n" + bad + "\n9 47\n");
    nread = 77;
    ASSERT_EQ(read(p, {p, "", "", "", "", "", "99"}), 1);
    EXPECT_EQ(nread, 77);
    EXPECT_EQ(xp[1], 8.0f);
    EXPECT_EQ(yp[1], 46.5f);
    EXPECT_EQ(xp[2], untouched);
    EXPECT_TRUE(shows({" WHILE READING   3 th DATA LINE", " IN FILE: " + p, " input file " + p + " rewound"}));
    EXPECT_TRUE(shows({" WHILE READING DATA", " IN FILE: " + p, " ------------------------------",
                       " Try again on same file ......1", " New file ....................0",
                       " Exit .......................99", pause}));
    EXPECT_TRUE(shows({" input file " + p + " closed"}));
    EXPECT_FALSE(units().is_open(column_unit));
  }
}

// Each way out of the reader; only a second try on the same file keeps it
// open (its header is shown again from the first line), a pipe's too. A
// new file after a pipe is read from its own first line.
TEST_F(ColumnFileTest, EveryWayOutClosesTheFileButTryingTheSameFileAgain) {
  const auto good = file("good.txt", "'Stations'\n'lon' 'lat'\n7.5 46.2\n");
  const auto titled = file("titled.txt", "'Stations'\n'lon' 'lat'\n");
  const auto one_line = file("one.txt", "'Stations'\n");
  const auto one_pipe = (dir / "one_pipe.txt").string();
  const auto title_pipe = (dir / "t_pipe.txt").string();
  const auto blasts_pipe = (dir / "b_pipe.txt").string();
  struct Case {
    std::string name;
    std::vector<std::string> answers;
    int ierr;
    int nread;
    std::vector<std::string> lines;
    std::string piped = {};      // the first answer names a pipe that sends this
    std::string new_piped = {};  // the new file is blasts_pipe, which sends this
  };
  const auto same_file_again = [](const std::string& name) {
    return std::vector<std::string>{" input file " + name + " rewound",
                                    " @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
                                    " @ subroutine showfhead1 ",
                                    " @==========================================",
                                    "          DISPLAYING FILE HEADER            ",
                                    " OF FILE: " + name,
                                    " -------------------------------------------",
                                    " ==>Line nb:   1 = Header: Title ===========",
                                    " 'Stations'"};
  };
  const std::vector<Case> cases = {
      {"title and names only", {titled, "", "", "", "", ""}, 0, 0, {" Actually read   :     0 lines"}},
      {"confirmation 99",
       {good, "", "", "", "99"},
       1,
       -1,
       {" @ subroutine readreal6  ", " @" + std::string(42, '='), " READ AND EXIT ..................1000",
        " EXIT WITHOUT READING .............99", " " + std::string(43, '@'), " " + std::string(42, '.'),
        " Enter your choice", " or return for default value", " Default =         1000",
        " New value =            99", " " + std::string(42, '.'), " " + std::string(43, '@'),
        " @ subroutine readreal6  ", " @" + std::string(42, '='), " EXITING WITHOUT READING DATA FILE",
        " input file " + good + " closed", " " + std::string(43, '@')}},
      // The retry lines follow the answer's echo without an error head;
      // an answer they do not offer brings them back.
      {"confirmation 5, retry 7, give up",
       {good, "", "", "", "5", "", "7", "", "99"},
       1,
       -1,
       {" " + std::string(42, '.'), " IN FILE: " + good, " " + std::string(30, '-'), " Try again on same file ......1",
        " New file ....................0", " Exit .......................99", " ===> HIT RETURN TO CONTINUE",
        " " + std::string(43, '*'), " " + std::string(42, '.'), " Enter your choice", " or return for default value",
        " Default =            0", " New value =             7", " " + std::string(42, '.'), " IN FILE: " + good}},
      {"incomplete header, give up",
       {one_line, "", "", "", "99"},
       1,
       -1,
       {" WHILE READING HEADER LINES", " IN FILE: " + one_line}},
      {"incomplete header, new file",
       {one_line, "", "", "", "0", good, "", "", "", ""},
       0,
       1,
       {" input file " + one_line + " closed"}},
      // Return at the retry menu: a new file.
      {"incomplete header, Return",
       {one_line, "", "", "", "", good, "", "", "", ""},
       0,
       1,
       {" Enter your choice", " or return for default value", " Default =            0"}},
      {"incomplete header, same file again", {one_line, "", "", "", "1", "", "", "", "99"}, 1, -1,
       same_file_again(one_line)},
      {"incomplete header, same pipe again", {one_pipe, "", "", "", "1", "", "", "", "99"}, 1, -1,
       same_file_again(one_pipe), "'Stations'\n"},
      // A new pipe on the unit is read from its own first line: nothing of
      // the lines kept from the first pipe comes back.
      {"incomplete header from a pipe, a new pipe",
       {title_pipe, "", "", "", "0", blasts_pipe, "", "", "", ""},
       0,
       1,
       {" ==>Line nb:   1 = Header: Title ===========", " 'Blasts'", " ==>Line nb:   2 = Header: Column names ====",
        " 'lon' 'lat'", " ==>Line nb:   3 = Data ====================", " 7.5 46.2"},
       "'Stations'\n",
       "'Blasts'\n'lon' 'lat'\n7.5 46.2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fresh();
    std::optional<PipeWriter> writer;
    if (!c.piped.empty()) writer.emplace(c.answers.front(), c.piped);
    std::optional<PipeWriter> new_writer;
    if (!c.new_piped.empty()) new_writer.emplace(blasts_pipe, c.new_piped);
    EXPECT_EQ(read(c.answers.front(), c.answers), c.ierr);
    EXPECT_EQ(nread, c.nread);
    EXPECT_TRUE(shows(c.lines));
    EXPECT_FALSE(units().is_open(column_unit));
  }
}

}  // namespace
}  // namespace dorvix::testing
