// The dialogues of the column-file reader, line by line: the title and
// name lines, the header display and its set-up, the column dialogue.

#include <gtest/gtest.h>

#include <algorithm>

#include "colfile/column_dialogue.hpp"
#include "colfile/header_dialogue.hpp"
#include "colfile/header_lines.hpp"
#include "column_fixture.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "support/transcript.hpp"

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
  int ierr = -1;
  HeaderLayout layout{.ndisp = 4, .iskip = 2, .ititle = 3, .iheader = 2};
  sfheader1(ierr, layout, path, column_unit, setup::menu_from_passed);
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
  EXPECT_EQ(layout.iskip, 1);
  EXPECT_EQ(layout.ititle, 0);
  EXPECT_EQ(layout.iheader, 1);
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

// The column dialogue on its own, in each way it starts and at each level
// of change, for a caller of three variables and two array columns: the
// runs of lines the screen shows, in order (or the whole screen), and the
// caller's values after it, as "nvar=..., jcola=..., jfcola=...,
// names=..., ncolused=..., nfcol=..., ierr=...". The set-up record holds
// five variables before each call; every call leaves the caller's values
// in it.
TEST_F(DialogueTest, ColumnDialogueInEveryModeAndLevelOfChange) {
  using Lines = std::vector<std::string>;
  struct Case {
    const char* what;
    std::string file;  // text of the file open on the unit; none: no file open
    bool being_written;  // the file is open for writing: nothing can be read from it
    SetupMode mode;
    int imodlev, nvar;
    std::array<int, 3> jcola, jfcola;
    Lines answers;
    std::vector<Lines> shown;
    bool whole;  // the runs are the whole screen
    std::string state;
  };
  const std::string header = (dir / "header.txt").string();
  const Lines error_head = {" " + std::string(43, '*'), " " + std::string(43, '*'), " ***" + std::string(37, ' ') + "***",
                            " ***        subroutine scol2var          ***", " ***" + std::string(37, ' ') + "***",
                            " ***                ERROR                ***", " ***" + std::string(37, ' ') + "***",
                            " " + std::string(43, '*'), " " + std::string(43, '*')};
  const Lines warning = warning_head(" ///        subroutine scol2var          ///");
  const std::string slashes = " " + std::string(43, '/');
  const Lines not_open_header = {" Input file is not opened", " ===> cannot read header", " ===> setting default header",
                                 pause, slashes};
  const Lines initialising = join({menu_head("scol2var"), {" INITIALIZING VARIABLES<->COLUMNS"}});
  const Lines not_yet_open = join({menu_head("scol2var"), {" Input file not yet open", " ===> initializing header"}});
  const std::vector<Case> cases = {
      {"the defaults announced, the array status listed, three variables asked for", "", false,
       setup::menu_from_defaults, 4, 2,
       {1, 2, 0}, {1, 2, 0}, {"300", "1", "200", "3", "99"},
       {initialising,
        {" Input file not yet open", " ===> initializing title = Untitled"},
        not_yet_open,
        {" Change nb of variables to read...200", " Change listing type .............300",
         " SET UP IS OK, EXIT AND PROCEED ...99"},
        {" |--|----------|---------------------------|", " | 1|Nodata.1  |", " | 2|Nodata.2  |"},
        {" Enter total nb of variables to store", " inside  [0,3]"},
        {" |--|----------|---------------------------|", " | 1|File.col.1|", " | 2|File.col.3|"},
        {" | 1|Variable.1| 1|File.col.1| 1|File.col.1| 1", " | 2|Variable.2| 2|File.col.3| 2|File.col.2| 2",
         " | 3|Variable.3| 2|File.col.3| 3|File.col.3| 3", " ------------------------------------------- |",
         " Command to modify correspondance <----------+"}},
       false,
       "nvar=3, jcola=1,2,2, jfcola=1,2,3, names=Variable.1,Variable.2,Variable.3, ncolused=2, nfcol=3, ierr=0"},
      {"the defaults silently", "", false, setup::initialise, 1, 2, {1, 2, 0}, {1, 2, 0}, {},
       {initialising, not_yet_open}, true,
       "nvar=0, jcola=, jfcola=, names=, ncolused=0, nfcol=0, ierr=0"},
      {"the stored set-up cut to the caller's three variables, an array column beyond its two", "", false,
       setup::stored, 1,
       0, {0, 0, 0}, {0, 0, 0}, {"", "", ""},
       {error_head,
        {" Currently set nvar =   5 variables", " Max nb of variables =   3", " ===> RESET nvar =   3", pause,
         " " + std::string(43, '*')},
        warning,
        {"                variable nb =   2", "     array col nb to store  =   3", " max array col nb available =   2",
         " =======> RESET file col nb =   2", pause, slashes},
        warning, not_open_header},
       true, "nvar=3, jcola=2,2,2, jfcola=1,2,3, names=Stored.1,Stored.2,Stored.3, ncolused=2, nfcol=3, ierr=0"},
      {"too many variables, columns out of range, each reset in its box; rows that cannot be changed", "", false,
       setup::menu_from_passed, 0, 4, {1, 5, 0}, {100, 2, 3}, {"", "", "", "", "", "", "99"},
       {{" Trying to set nvar =   4 variables", " Max nb of variables =   3", " ===> RESET nvar =   3", pause},
        {" Input file is not opened", " ===> cannot read title", " setting title = Untitled", pause},
        {"             variable nb =   1", "     file col nb to read = 100", " max file col nb to read =  99",
         " ====> RESET file col nb =   1", pause},
        {"                variable nb =   2", "     array col nb to store  =   5", " max array col nb available =   2",
         " =======> RESET file col nb =   2", pause},
        {"                variable nb =   3", "     array col nb to store  =   0", " max array col nb available =   2",
         " =======> RESET file col nb =   1", pause},
        not_open_header,
        {" | 1|X-long    | 1|File.col.3| 1|File.col.1|", " | 2|Y-lat     | 2|File.col.2| 2|File.col.2|",
         " | 3|Depth     | 1|File.col.3| 3|File.col.3|", " " + std::string(43, '-'),
         " Change listing type .............300"}},
       false, "nvar=3, jcola=1,2,1, jfcola=1,2,3, names=X-long,Y-lat,Depth, ncolused=2, nfcol=3, ierr=0"},
      {"a variable's array column and file column changed", "'T'\n'lon' 'lat' 'depth'\n1 2 3\n", false,
       setup::menu_from_passed, 2,
       2, {1, 2, 0}, {1, 2, 0}, {"1", "2", "3", "99"},
       {{" Input file name: " + header, " Title: T"},
        {" | 1|X-long    | 1|lon       | 1|lon       | 1", " | 2|Y-lat     | 2|lat       | 2|lat       | 2"},
        {" Modifying correspondance", "  Variable name  = X-long", "  Array col nb   =   1", "  Array col name = lon",
         "  File col nb    =   1", "  File col name  = lon"},
        {" Enter New array column nb", " inside  [1,2]"},
        {" Enter New file column nb", " inside  [1,99]"},
        {" Name of column   3 depth"},
        {" | 1|X-long    | 2|lat       | 3|depth     | 1", " | 2|Y-lat     | 2|lat       | 2|lat       | 2"}},
       false, "nvar=2, jcola=2,2, jfcola=3,2, names=X-long,Y-lat, ncolused=2, nfcol=3, ierr=0"},
      {"a name changed; more variables, the last one reset; fewer, the first one kept",
       "'T'\n'a' 'b' 'c'\n1 2 3\n", false, setup::menu_from_passed, 4, 2, {2, 1, 0}, {3, 1, 0},
       {"1", "Depth", "", "", "200", "3", "200", "1", "99"},
       {{" Change nb of variables to read...200"},
        {" Enter New variable name"},
        {" Enter total nb of variables to store", " inside  [0,3]", " or return for default value",
         " Default =            2"},
        {" | 1|Depth     | 2|c         | 3|c         | 1", " | 2|Variable.2| 2|c         | 2|b         | 2",
         " | 3|Variable.3| 2|c         | 3|c         | 3"},
        {" | 1|Depth     | 2|c         | 3|c         | 1", " ------------------------------------------- |"}},
       false, "nvar=1, jcola=2, jfcola=3, names=Depth, ncolused=2, nfcol=3, ierr=0"},
      {"an unknown mode reported, then taken as 1", "", false, SetupMode(7), 1, 1, {1, 2, 0}, {1, 2, 0}, {"n", ""},
       {{" inter =            7", " outside [            0 ,            5 ]", " Problem originated in :",
         " subroutine: scol2var"},
        {" UNRECOVERABLE ERROR =====> QUITTING ADVISED"},
        not_open_header},
       false, "nvar=1, jcola=1, jfcola=1, names=X-long, ncolused=1, nfcol=1, ierr=0"},
      {"column names that cannot be read: the defaults, in an error box", "'T'\n'a' 'b'\n", true, setup::passed, 1, 2,
       {1, 2, 0}, {1, 2, 0}, {"", ""},
       {{" WHILE SKIPPING   1 th LINE"},
        join({error_head, {" COULD NOT READ COLUMN HEADERS", " IN FILE: " + header, " ===> setting default header",
                           pause}})},
       false, "nvar=2, jcola=1,2, jfcola=1,2, names=X-long,Y-lat, ncolused=2, nfcol=2, ierr=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    ReadRealSetup& rs = readrealsetup;
    rs.nvar = 5;
    for (int v = 1; v <= 5; ++v) {
      rs.jcol[colfile::at(v)] = 3 - v % 2;
      rs.jfcol[colfile::at(v)] = v;
      rs.namvar[colfile::at(v)] = "Stored." + std::to_string(v);
    }
    if (!c.file.empty()) {
      path = file("header.txt", c.file);
      units().open(column_unit, path, c.being_written ? FileStatus::unknown : FileStatus::old_file);
    }
    std::array<int, 3> jcola = c.jcola, jfcola = c.jfcola;
    std::array<std::string, 3> namvara{"X-long    ", "Y-lat     ", "Depth     "};
    std::array<std::string, 2> namrcol{std::string(10, ' '), std::string(10, ' ')};
    int ierr = -1;
    ColumnArray data{
        .jcola = jcola, .jfcola = jfcola, .namvara = namvara, .nvar = c.nvar, .namrcol = namrcol, .ncolused = -1};
    std::string script;
    for (const std::string& a : c.answers) script += a + "\n";
    type_raw(script);
    scol2var2(ierr, data, edit_name(header), column_unit, c.imodlev, c.mode);
    const int nvar = data.nvar, ncolused = data.ncolused;
    out = screen();
    if (c.whole) {
      Lines all;
      for (const Lines& run : c.shown) all.insert(all.end(), run.begin(), run.end());
      EXPECT_EQ(split_lines(out), all);
    } else {
      std::size_t from = 0;
      const Lines screen_lines = split_lines(out);
      for (const Lines& run : c.shown) {
        const auto at = std::search(screen_lines.begin() + static_cast<std::ptrdiff_t>(from), screen_lines.end(),
                                    run.begin(), run.end());
        ASSERT_NE(at, screen_lines.end()) << "not shown next: " << run.front() << "\nscreen:\n" << out;
        from = static_cast<std::size_t>(at - screen_lines.begin()) + run.size();
      }
    }
    std::string state = "nvar=" + std::to_string(nvar), jc = ", jcola=", jf = ", jfcola=", names = ", names=";
    for (std::size_t v = 0; v < static_cast<std::size_t>(std::max(nvar, 0)); ++v) {
      const std::string comma = v > 0 ? "," : "";
      jc += comma + std::to_string(jcola[v]);
      jf += comma + std::to_string(jfcola[v]);
      names += comma + std::string(trimmed(namvara[v]));
      EXPECT_EQ(rs.jcol[v], jcola[v]) << v;
      EXPECT_EQ(rs.jfcol[v], jfcola[v]) << v;
      EXPECT_EQ(rs.namvar[v], edit::pad(namvara[v], column_name_width)) << v;
    }
    EXPECT_EQ(state + jc + jf + names + ", ncolused=" + std::to_string(ncolused) + ", nfcol=" +
                  std::to_string(rs.nfcol) + ", ierr=" + std::to_string(ierr),
              c.state);
    EXPECT_EQ(rs.nvar, nvar);
    if (c.mode == setup::initialise) {
      // The defaults of all 99 variables of the record, beyond the caller's.
      for (int v = 1; v <= max_variables; ++v) {
        EXPECT_EQ(rs.jfcol[colfile::at(v)], v);
        EXPECT_EQ(rs.jcol[colfile::at(v)], std::min(v, 2));
        EXPECT_EQ(rs.namvar[colfile::at(v)], edit::pad("Variable." + std::to_string(v), column_name_width));
      }
    }
  }
}

}  // namespace
}  // namespace dorvix::testing
