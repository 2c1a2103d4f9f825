// The dialogues of the column-file reader, line by line: the title and
// name lines, the header display and its set-up, the column dialogue.

#include <gtest/gtest.h>

#include "colfile/header_dialogue.hpp"
#include "colfile/header_lines.hpp"
#include "column_fixture.hpp"

namespace dorvix::testing {
namespace {

const std::string at_rule = " " + std::string(43, '@');
const std::string pause = " ===> HIT RETURN TO CONTINUE";

// The head of a warning box of the routine named in `framed`.
std::vector<std::string> warning_head(const std::string& framed) {
  return {" " + std::string(43, '/'), framed, " ///               WARNING               ///", " " + std::string(43, '/')};
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class DialogueTest : public ColumnFileTest {
 protected:
  std::string open(const std::string& text) {
    path = file("header.txt", text);
    units().open(column_unit, path, FileStatus::old_file);
    return path;
  }
  std::string path;
};

TEST_F(DialogueTest, TitleAndColumnNamesCutToTheirFieldsAndTheBoxesWithoutTheirLines) {
  open("  'Title of the data set'\n  'header1'   'header2'   'header3'\n'abcdefghijkl' 'b'\n");
  std::string title(20, ' ');
  int ierr = -1;
  getftitle1(ierr, title, path, column_unit, 1, 0);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(title, "Title of the data se");
  EXPECT_EQ(screen_lines(), (std::vector<std::string>{at_rule, " @ subroutine getftitle1 ",
                                                      " @==========================================",
                                                      " Input file name: " + path,
                                                      " Read title from header: Title of the data se",
                                                      " INPUT FILE " + path + " IS REWOUND", at_rule}));

  // Two of the three names of line 2; a twelve-character name of line 3
  // keeps eleven. A name beyond those read is left alone.
  std::vector<std::string> names(99, "kept");
  getfnamcol(ierr, names, 2, path, column_unit, 2, 0);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(names[0], "header1    ");
  EXPECT_EQ(names[1], "header2    ");
  EXPECT_EQ(names[2], "kept");
  const auto listed = screen_lines();
  EXPECT_EQ(std::vector<std::string>(listed.begin() + 3, listed.end() - 1),
            (std::vector<std::string>{" Input file name  : " + path, " Name of column   1 header1",
                                      " Name of column   2 header2", " INPUT FILE " + path + " IS REWOUND"}));
  getfnamcol(ierr, names, 2, path, column_unit, 3, 1);
  EXPECT_EQ(names[0], "abcdefghijk");
  EXPECT_EQ(names[1], "b          ");
  screen();

  type({""});
  getftitle1(ierr, title, path, column_unit, 0, 0);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(title, "Untitled            ");
  EXPECT_EQ(screen_lines(), (warning_head(" ///        subroutine getftitle1        ///") +
                                std::vector<std::string>{" Input file name  : " + path, " Title line nb =   0",
                                                         " ==> NOT ATTEMPTING TO READ TITLE",
                                                         " Title set to default: Untitled",
                                                         " INPUT FILE " + path + " UNTOUCHED", pause,
                                                         " " + std::string(43, '/')}));

  // Without a name line every name read takes its default.
  type({""});
  getfnamcol(ierr, names, 2, path, column_unit, 0, 0);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(names[0], "File.col.1 ");
  EXPECT_EQ(names[1], "File.col.2 ");
  EXPECT_EQ(names[2], "kept");
  out = screen();
  EXPECT_TRUE(shows({" Column headers line nb =   0", " ==> NOT ATTEMPTING TO READ HEADERS", " ==> Headers set to defaults:",
                     " Name of column   1 File.col.1", " Name of column   2 File.col.2", pause}));
}

TEST_F(DialogueTest, HeaderDisplayLabelsEachLineAndCutsLongLinesInHundreds) {
  const std::string long_line = std::string(99, 'a') + "b" + std::string(99, 'c') + "d" + std::string(49, 'e') + "f";
  open("'T' 'a' 'b'\n" + long_line + "\n1 2\n");
  int ierr = -1;
  showfhead1(ierr, path, column_unit, 3, 1, 1, 1);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(screen_lines(),
            (std::vector<std::string>{at_rule, " @ subroutine showfhead1 ", " @==========================================",
                                      "          DISPLAYING FILE HEADER            ", " OF FILE: " + path,
                                      " -------------------------------------------",
                                      " ==>Line nb:   1 = Header: Title ===========",
                                      " ==>Line nb:   1 = Header: Column names ====", " 'T' 'a' 'b'",
                                      " ==>Line nb:   2 = Data ====================", " " + long_line.substr(0, 100),
                                      " " + long_line.substr(100, 100), " " + long_line.substr(200),
                                      " ==>Line nb:   3 = Data ====================", " 1 2",
                                      " ===========================================",
                                      " ==> FILE " + path + " IS REWOUND", at_rule}));
}

// A title line beyond the header is reset before the menu; the number of
// header lines is taken from 0 upward; a column-name line left beyond the
// header by a shorter one is offered as the last header line.
TEST_F(DialogueTest, HeaderSetUpResetsATitleBeyondTheHeaderAndRefusesANegativeHeader) {
  open("'T'\n'a' 'b'\n1 2\n3 4\n");
  type({"", "110", "-1", "", "1", "130", "", "900", ""});
  int ierr = -1, ndisp = 4, iskip = 2, ititle = 3, iheader = 2;
  sfheader1(ierr, ndisp, iskip, ititle, iheader, path, column_unit, 0);
  out = screen();
  EXPECT_TRUE(shows((warning_head(" ///        subroutine sfheader1         ///") +
                     std::vector<std::string>{" ititle =   3 > iskip =   2", " ===> RESET ititle =   0", pause})));
  EXPECT_EQ(out.find("= Header: Title"), std::string::npos);
  EXPECT_TRUE(shows({" Enter Number of dataless lines to skip", " inside  [0,9999]"}));
  EXPECT_TRUE(shows({" Number of dataless lines to skip =           -1", " outside [0,9999]"}));
  EXPECT_TRUE(shows({" Enter line number to read column headers", " inside  [0,1]",
                     " ==> 2 IS OUTSIDE THE RANGE: DEFAULT SET TO 1", " or return for default value",
                     " Default =            1", " New value =             1"}));
  const std::string dashes = " " + std::string(43, '-');
  const std::vector<std::string> head = {at_rule, " @ subroutine sfheader1  ", " @" + std::string(42, '=')};
  EXPECT_TRUE(shows(head + std::vector<std::string>{
                               "             FILE HEADER SET UP             ", dashes,
                               " nb of lines to display in dialog.100   4", " nb of header lines without data .110   1",
                               " line nb to read title ...........120   0", " line nb to read column header....130   2",
                               " HELP ............................900", " SET UP IS OK, EXIT AND PROCEED ...99", at_rule}));
  EXPECT_TRUE(shows(head + std::vector<std::string>{"           ACCEPTABLE FILE FORMAT           ",
                                                    dashes,
                                                    " Default file header",
                                                    " line nb content",
                                                    dashes,
                                                    " 1   'Title of the data set'",
                                                    " 2   'header1'   'header2'   'header3'",
                                                    " 3       65.3           5         6.3",
                                                    dashes,
                                                    " line nb for title  = 0 => do not read title",
                                                    " line nb for header = 0 => do not read header",
                                                    dashes,
                                                    " numerical data are read in",
                                                    " free format",
                                                    "   => they can be separated by tabs or spaces",
                                                    " ",
                                                    " character strings are read in",
                                                    " free format",
                                                    "   => they must be enclosed within quotes",
                                                    "      as above. If not, do not read them.",
                                                    at_rule}));
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(iskip, 1);
  EXPECT_EQ(ititle, 0);
  EXPECT_EQ(iheader, 1);
  EXPECT_EQ(readrealsetup.iskip, 1);
  EXPECT_EQ(readrealsetup.ititle, 0);
}

// The point menu's column dialogue changes only the file column of a
// variable; file column 3 makes records of three numbers.
TEST_F(DialogueTest, ColumnDialogueOfThePointMenuChangesOnlyTheFileColumn) {
  const auto p = file("points.txt", "'T'\n'lon' 'lat' 'depth'\n1 2 3\n4 5 6\n7 8\n9\n");
  ASSERT_EQ(read(p, {p, "", "2", "3", "", "", ""}), 0);
  EXPECT_TRUE(shows({" Modifying correspondance", "  Variable name  = Y-lat", "  Array col nb   =   2",
                     "  Array col name = lat", "  File col nb    =   2", "  File col name  = lat",
                     " " + std::string(42, '.'), " Enter New file column nb", " inside  [1,99]"}));
  EXPECT_EQ(out.find("New variable name"), std::string::npos);
  EXPECT_EQ(out.find("New array column nb"), std::string::npos);
  EXPECT_TRUE(shows({" Can read up to       :  99", " Planning to read     :   3"}));
  EXPECT_TRUE(shows({" | 1|X-long    | 1|lon       | 1|lon       | 1", " | 2|Y-lat     | 2|depth     | 3|depth     | 2"}));
  ASSERT_EQ(nread, 3);
  EXPECT_EQ(xp[0], 1);
  EXPECT_EQ(yp[0], 3);
  EXPECT_EQ(xp[1], 4);
  EXPECT_EQ(yp[1], 6);
  EXPECT_EQ(xp[2], 7);
  EXPECT_EQ(yp[2], 9);
}

}  // namespace
}  // namespace dorvix::testing
