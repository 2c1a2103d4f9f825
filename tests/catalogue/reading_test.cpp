// Reading catalogues through the program: the report, each extraction test,
// hemisphere letters, unreadable and blank lines, a full store, real files.

#include <gtest/gtest.h>

#include "dialogue/dialogue_helpers.hpp"
#include "generated_catalogue.hpp"
#include "numbers/edit.hpp"
#include "real_data.hpp"
#include "support/pipe_writer.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;

const std::string dash_rule = " " + std::string(43, '-');

std::string padded(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

// Positions at and around the bounds 33..34 N, 117..116 W, 5..10 km.
const std::string location_catalogue =
    hash_line(11, 33.0, -117.0, 5.0, 10, 45, 90) + "\n" + hash_line(12, 34.0, -116.0, 10.0, 10, 45, 90) + "\n" +
    hash_line(13, 34.00001, -115.99999, 10.001, 10, 45, 90) + "\n" +
    hash_line(14, 32.99999, -117.00001, 4.999, 10, 45, 90) + "\n" + hash_line(15, 33.5, -116.5, 7.5, 10, 45, 90) + "\n";

// An FPFIT line at 12 30.00 and 118 15.00, its letters blank.
std::string fpfit_line_at_12_118() {
  std::string l =
      "19970101 0224  6.90 36 30.64 121  4.92   5.53   1.40 22  79  0.0 0.05  0.3  0.7  C 135 45   0  0.02  16  0.37 "
      "0.54 0.06  30 43 50    30124752";
  l.replace(19, 3, " 12");
  l.replace(23, 5, "30.00");
  l.replace(28, 4, " 118");
  l.replace(33, 5, "15.00");
  return l;
}

ProgramRun read_and_list(const TempDir& dir, const std::string& name, const std::string& text,
                         const std::string& choice, const Lines& criteria, const Lines& more = {}) {
  write_file(dir / name, text);
  // The Return after the listing closes its warning box when the store is
  // empty; the top menu passes over it otherwise.
  return run_dorvix(dir, script({read_script(choice, name, criteria), more, {"1100", "", "9999"}}));
}

TEST(Reading, ReportsWhatItReadAndKept) {
  TempDir dir;
  const ProgramRun run = read_and_list(dir, "loc.hash", location_catalogue, "1001", {});
  EXPECT_EQ(run.status, 0);
  const Lines want{dash_rule,
                   " Input file: " + padded("loc.hash", 40),
                   " Could store up to :  60000 data",
                   " Data type ID      =      2",
                   " No test => retain all data",
                   dash_rule,
                   " |  Parameter |       Read |   Retained |",
                   dash_rule,
                   " | Nb of data |          5 |          5 |",
                   " | Long  maxi |   -116.000 |   -116.000 |",
                   " | Long  mini |   -117.000 |   -117.000 |",
                   " | Lat   maxi |     34.000 |     34.000 |",
                   " | Lat   mini |     33.000 |     33.000 |",
                   " | Depth maxi |     10.001 |     10.001 |",
                   " | Depth mini |      4.999 |      4.999 |"};
  EXPECT_TRUE(has_block(run.lines, want));
  EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), "   Currently stored :      5"), run.lines.end());
  EXPECT_EQ(listed_rows(run.lines)[4], " | 2010-06- |  34. | -117. |              15 |");
}

struct Extraction {
  const char* name;
  Lines criteria;
  std::vector<long long> kept;
};

TEST(Reading, LocationBoundsIncludeTheirEnds) {
  const Extraction cases[] = {
      {"latitude", {"10", "y", "100", "y", "110", "33", "34"}, {11, 12, 15}},
      {"longitude", {"10", "y", "200", "y", "210", "-117", "-116"}, {11, 12, 15}},
      {"depth", {"10", "y", "300", "y", "310", "5", "10"}, {11, 12, 15}},
      {"general switch off", {"100", "y", "110", "33", "34"}, {11, 12, 13, 14, 15}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    EXPECT_EQ(listed_ids(read_and_list(dir, "loc.hash", location_catalogue, "1001", c.criteria).lines), c.kept)
        << c.name;
  }
}

TEST(Reading, PolygonsKeepTheirInsideAndBoundary) {
  // (longitude, latitude): inside, on two sides, a corner, outside, and in
  // the triangle opposite the default one on the sphere, which its
  // clockwise corners would keep if they were not taken anticlockwise.
  std::string cat;
  const double points[][2] = {{20, 20}, {30, 0}, {0, 30}, {0, 0}, {30, -20}, {-160, -20}};
  for (int k = 0; k < 6; ++k) cat += hash_line(21 + k, points[k][1], points[k][0], 5.0, 10, 45, 90) + "\n";
  const Lines counter_clockwise{"10", "y", "250", "y", "252", "ccw.txt"};
  const Extraction cases[] = {
      {"great circles, file", counter_clockwise, {21, 22, 23, 24}},
      {"lat-long, file", counter_clockwise, {21, 22, 23, 24}},
      {"default clockwise, taken anticlockwise, great circles", {"10", "y", "250", "y"}, {21, 22, 23, 24}},
      {"default clockwise, taken anticlockwise, lat-long", {"10", "y", "250", "y", "251", "n"}, {21, 22, 23, 24}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const bool lat_long = std::string(c.name).find("lat-long") != std::string::npos;
    write_file(dir / "ccw.txt", lat_long ? "3 2\n0 0\n60 0\n0 60\n" : "3 1\n0 0\n60 0\n0 60\n");
    const ProgramRun run = read_and_list(dir, "poly.hash", cat, "1001", c.criteria);
    EXPECT_EQ(listed_ids(run.lines), c.kept) << c.name;
    const std::string bounds =
        lat_long ? " |     Bounds |   straight |      lines |" : " |     Bounds |      great |    circles |";
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), bounds), run.lines.end()) << c.name;
  }
}

TEST(Reading, RakeIntervalsLookAtOneOrBothPlanes) {
  // Plane 1 (strike, dip, rake) and the rake of plane 2: (0,60,150) 33.7;
  // (0,80,10) 169.8; (0,45,90) 90; (0,45,-90) -90; (30,70,-30) -157.2.
  const std::string cat = hash_line(1, 34, -117, 5, 0, 60, 150) + "\n" + hash_line(2, 34, -117, 5, 0, 80, 10) + "\n" +
                          hash_line(3, 34, -117, 5, 0, 45, 90) + "\n" + hash_line(4, 34, -117, 5, 0, 45, -90) + "\n" +
                          hash_line(5, 34, -117, 5, 30, 70, -30) + "\n";
  const Lines interval1{"10", "y", "500", "y", "510", "0", "90"};
  auto with = [&](const Lines& more) {
    Lines l = interval1;
    l.insert(l.end(), more.begin(), more.end());
    return l;
  };
  const Extraction cases[] = {
      {"1 OR 2", interval1, {1, 2, 3}},
      {"1 AND 2", with({"501", "y"}), {3}},
      {"intervals 1 and 3", with({"540", "y", "550", "-180", "-150"}), {1, 2, 3, 5}},
      {"1 AND 2 over intervals 1 and 3", with({"501", "y", "540", "y", "550", "100", "180"}), {1, 2, 3}},
      {"interval 2 without interval 1", {"10", "y", "520", "y", "530", "-180", "-150"}, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const ProgramRun run = read_and_list(dir, "rake.hash", cat, "1001", c.criteria);
    EXPECT_EQ(listed_ids(run.lines), c.kept) << c.name;
  }
  TempDir dir;
  const ProgramRun run = read_and_list(dir, "rake.hash", cat, "1001", cases[2].criteria);
  const Lines want{" |  Rake test |     Planes |     1 OR 2 |", " |  Rake int1 |      0.000 |     90.000 |",
                   " |  Rake int3 |   -180.000 |   -150.000 |", dash_rule};
  EXPECT_EQ(section(run.lines, want[0], dash_rule), want);
  // Interval 2 alone: the menu and the report say that no rake test runs.
  TempDir alone;
  const ProgramRun none = read_and_list(alone, "rake.hash", cat, "1001", cases[4].criteria);
  EXPECT_TRUE(has_block(none.lines, {" rake maxi interval 2.........530 -150.000", " test rake interval 3.........540 F",
                                     " no rake test while interval 1 is off", " " + std::string(32, '-')}));
  const Lines report{" |  Rake test |       none |   int1 off |", dash_rule};
  EXPECT_EQ(section(none.lines, report[0], dash_rule), report);
}

TEST(Reading, FpfitHemisphereLettersSignThePosition) {
  // 12 30.00 and 118 15.00 with the letters of columns 23 and 33.
  const std::string base = fpfit_line_at_12_118();
  const char letters[][2] = {{' ', ' '}, {'N', 'W'}, {'n', 'w'}, {'S', 'E'}, {'s', 'e'}, {'X', 'Y'}};
  std::string cat;
  for (int k = 0; k < 6; ++k) {
    std::string line = base;
    line[22] = letters[k][0];
    line[32] = letters[k][1];
    line.replace(131, 10, "        3" + std::to_string(k + 1));
    cat += line + "\n";
  }
  TempDir dir;
  const ProgramRun run = read_and_list(dir, "letters.fpfit", cat, "1000", {}, {"", ""});
  const Lines rows = listed_rows(run.lines);
  const Lines want{" | 1997-01- |  13. | -118. |              31 |", " | 1997-01- |  13. | -118. |              32 |",
                   " | 1997-01- |  13. | -118. |              33 |", " | 1997-01- | -13. |  118. |              34 |",
                   " | 1997-01- | -13. |  118. |              35 |", " | 1997-01- |  13. |  118. |              36 |"};
  EXPECT_EQ(rows, want);
  const Lines box{" latitude  degrees   =       12.000",
                  " latitude  minutes   =       30.000",
                  " latitude hemisphere = X",
                  " longitude degrees   =      118.000",
                  " longitude minutes   =       15.000",
                  " longitude direction = Y",
                  " " + std::string(27, '-'),
                  " latitude hemisphere",
                  " should be S or blank",
                  " => LATITUDE NEEDS TO BE CORRECTED",
                  " => Assuming = North",
                  " ===> HIT RETURN TO CONTINUE"};
  EXPECT_EQ(section(run.lines, box[0], box.back()), box);
  EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), " => Assuming = East"), run.lines.end());
}

// The box of a line that does not read names the line in the file (blank
// lines counted), the field, its columns and what they hold.
TEST(Reading, AnUnreadableLineIsNamedByItsFieldColumnsAndText) {
  std::string hash = hash_line(42, 34, -117, 5, 0, 45, 90);
  hash.replace(24, 8, " M0176B3");  // a CMT event name for the identifier
  std::string fpfit = fpfit_line_at_12_118();
  fpfit.replace(47, 5, " 1.4O");  // the letter O for a zero in the magnitude
  std::string utf8 = fpfit_line_at_12_118();
  utf8.replace(131, 10, "  M0176\xC3\xA9 ");  // an accented letter: two bytes
  const struct Case {
    std::string choice, cat;
    int iread;    // the mechanism's number among the lines read
    Lines named;  // the box's lines after the file's name
  } cases[] = {
      {"1001", hash_line(41, 34, -117, 5, 0, 45, 90) + "\n\n" + hash + "\n", 2,
       {"   CANNOT READ LINE #      3", "   FIELD:   event identifier (integer)", "   COLUMNS: 25-32",
        "   TEXT:    ' M0176B3'"}},
      {"1000", fpfit + "\n", 1,
       {"   CANNOT READ LINE #      1", "   FIELD:   magnitude (decimal)", "   COLUMNS: 48-52", "   TEXT:    ' 1.4O'"}},
      {"1000", fpfit_line_at_12_118() + "\n" + utf8 + "\n", 2,
       {"   CANNOT READ LINE #      2", "   FIELD:   event identifier (integer)", "   COLUMNS: 132-141",
        "   TEXT:    '  M0176?? '"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cat);
    TempDir dir;
    // The box's pause, then the default answer (close), then leave the menu.
    const ProgramRun run = read_and_list(dir, "bad.cat", c.cat, c.choice, {}, {"", "", "99"});
    const Lines box = join({error_head("fpsreadex1"),
                            {"   WHILE READING      " + std::to_string(c.iread) + " th DATA",
                             "   IN FILE: " + padded("bad.cat", 40)},
                            c.named,
                            {" " + std::string(32, '-'), "   Try again on same file ......1",
                             "   close that file .............2", " ===> HIT RETURN TO CONTINUE"}});
    EXPECT_TRUE(has_block(run.lines, box));
    EXPECT_EQ(run.status, 0);
  }
}

TEST(Reading, AnUnreadableLineStopsTheReadAndEmptiesTheStore) {
  std::string bad = hash_line(42, 34, -117, 5, 0, 45, 90);
  bad.replace(24, 2, "ab");
  const std::string cat = hash_line(41, 34, -117, 5, 0, 45, 90) + "\n" + bad + "\n";
  TempDir dir;
  // The box's pause, then the default answer (close), then leave the menu.
  const ProgramRun run = read_and_list(dir, "bad.hash", cat, "1001", {}, {"", "", "99"});
  const Lines box{"   WHILE READING      2 th DATA", "   IN FILE: " + padded("bad.hash", 40)};
  EXPECT_TRUE(has_block(run.lines, box));
  EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), " INPUT FILE " + padded("bad.hash", 40) + " CLOSED"),
            run.lines.end());
  EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), " DATA TYPE ID =      0"), run.lines.end());
  EXPECT_EQ(run.status, 0);

  // Rewinding keeps the file open: the next read starts from its first line.
  TempDir again;
  const ProgramRun rewound = read_and_list(again, "bad.hash", cat, "1001", {}, {"", "1", "1001", "", "2", "99"});
  EXPECT_NE(
      std::find(rewound.lines.begin(), rewound.lines.end(), " input file  " + padded("bad.hash", 40) + "  rewound"),
      rewound.lines.end());
  EXPECT_EQ(std::count(rewound.lines.begin(), rewound.lines.end(), box[0]), 2);

  // A pipe's lines read are gone: the second try is refused, the file
  // closed, and the next read asks for a file.
  TempDir piped;
  PipeWriter writer(piped / "bad.hash", cat);
  write_file(piped / "good.hash", hash_line(43, 34, -117, 5, 0, 45, 90) + "\n");
  const ProgramRun refused =
      run_dorvix(piped, script({read_script("1001", "bad.hash"), {"", "1", "", "1001", "good.hash", "1100", "", "9999"}}));
  EXPECT_TRUE(has_block(refused.lines, join({{"   IN FILE: " + padded("bad.hash", 40)},
                                             {"   IS A PIPE: THE LINES READ ARE GONE",
                                              "   ==> CANNOT BE READ AGAIN, CLOSING IT", " ===> HIT RETURN TO CONTINUE",
                                              " " + std::string(43, '*'), dash_rule,
                                              " INPUT FILE " + padded("bad.hash", 40) + " CLOSED"}})));
  EXPECT_FALSE(has_block(refused.lines, {" input file  " + padded("bad.hash", 40) + "  rewound"}));
  EXPECT_EQ(listed_ids(refused.lines), std::vector<long long>{43});
}

TEST(Reading, BlankLinesAreNoRecordsAndShortLinesArePadded) {
  const std::string one = hash_line(51, 34, -117, 5, 0, 45, 90);
  std::string shorter = hash_line(52, 34, -117, 5, 0, 45, 90);
  shorter.resize(112);  // no quality letter
  TempDir dir;
  // The Return closes the box that counts the short line.
  const ProgramRun run =
      read_and_list(dir, "blank.hash", one + "\n\n   \n\t\n" + shorter + "\n \t\n", "1001", {}, {""});
  EXPECT_EQ(listed_ids(run.lines), (std::vector<long long>{51, 52}));
  EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), " | Nb of data |          2 |          2 |"),
            run.lines.end());
  EXPECT_TRUE(has_block(run.lines, {" LINES ENDING AFTER THE MECHANISM  =      1",
                                    " FIRST OF THEM IS LINE NUMBER      =      5"}));
}

// A real line of each layout, then the same line cut at every length from
// one column short of whole down to one column (the last line of a file
// cut anywhere). Cut before the end of its rake, a line holds no
// mechanism: it is left out; cut after it, it is read with blanks and
// counted. Written back, every mechanism kept is the whole line's.
TEST(Reading, LinesEndingBeforeTheMechanismAreLeftOutAndShortLinesCounted) {
  struct Case {
    const char* choice;
    std::string line;
    std::size_t rake_end;  // last column of the rake field
    std::size_t mechanism;  // first column of the strike field
    std::size_t width;      // of a whole line
  } cases[] = {{"1001", real_data_lines("scedc_hash_2018.hash")[0], 82, 70, 114},
               {"1000", real_data_lines("fpfit_usgs_example_hinv_ncal1997.fpfit")[1], 93, 84, 141}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    ASSERT_EQ(c.line.size(), c.width);
    std::string cat = c.line + "\n";
    for (std::size_t n = c.width - 1; n >= 1; --n) cat += c.line.substr(0, n) + "\n";
    TempDir dir;
    write_file(dir / "cut.cat", cat);
    const ProgramRun run =
        run_dorvix(dir, script({read_script(c.choice, "cut.cat"), {"", "1200", c.choice, "out.cat", "", "99", "9999"}}));
    EXPECT_EQ(run.status, 0);
    // Line k + 1 of the file holds width - k columns.
    const std::size_t kept = 1 + c.width - c.rake_end;
    const Lines box{" LINES ENDING BEFORE THE MECHANISM =     " + edit::i(static_cast<int>(c.rake_end - 1), 2),
                    " FIRST OF THEM IS LINE NUMBER      =    " + edit::i(static_cast<int>(kept + 1), 3),
                    " STRIKE, DIP AND RAKE END IN COLUMN " + std::to_string(c.rake_end),
                    " => THESE LINES WERE LEFT OUT",
                    " LINES ENDING AFTER THE MECHANISM  =     " + edit::i(static_cast<int>(kept - 1), 2),
                    " FIRST OF THEM IS LINE NUMBER      =      2",
                    " A WHOLE LINE ENDS IN COLUMN " + std::to_string(c.width),
                    " => MISSING COLUMNS WERE READ AS BLANKS",
                    " ===> HIT RETURN TO CONTINUE"};
    EXPECT_EQ(section(run.lines, box[0], box.back()), box);
    EXPECT_TRUE(has(run.lines, " | Nb of data |         " + edit::i(static_cast<int>(kept), 2) + " |         " +
                                   edit::i(static_cast<int>(kept), 2) + " |"));
    const Lines written = split_lines(read_file(dir / "out.cat"));
    EXPECT_EQ(written.size(), kept);
    const std::string mechanism = c.line.substr(c.mechanism - 1, c.rake_end - c.mechanism + 1);
    for (const std::string& w : written) EXPECT_EQ(w.substr(c.mechanism - 1, mechanism.size()), mechanism) << w;
  }
}

// A full store keeps 60000 mechanisms; the warning comes only when a line
// of data is left unread, not after a file of exactly 60000 (blank lines
// after them are no data).
TEST(Reading, AFullStoreKeeps60000AndWarnsOfDataLeft) {
  CatalogueGenerator gen(2010);
  const std::string more = gen.catalogue(CatalogueLayout::fpfit, 60001);
  const std::string full = more.substr(0, more.size() - 142);
  for (const auto& [cat, warns] : {std::pair{more, true}, std::pair{full + "   \n\n", false}}) {
    SCOPED_TRACE(warns);
    TempDir dir;
    write_file(dir / "big.fpfit", cat);
    Lines after{"1200", "1000", "out.fpfit", "", "99", "9999"};
    if (warns) after.insert(after.begin(), "");
    const ProgramRun run = run_dorvix(dir, script({read_script("1000", "big.fpfit"), after}));
    EXPECT_EQ(run.status, 0);
    const auto has = [&](const std::string& line) {
      return std::find(run.lines.begin(), run.lines.end(), line) != run.lines.end();
    };
    EXPECT_TRUE(has(" | Nb of data |      60000 |      60000 |"));
    EXPECT_EQ(has(" data may not have been fully read"), warns);
    EXPECT_TRUE(same_text(read_file(dir / "out.fpfit"), full));
  }
}

TEST(Reading, PublishedFpfitLettersAndLayout) {
  // The 1970 example writes lower-case n and w; the Alaska one a digit
  // where west is blank.
  TempDir dir;
  write_file(dir / "h71.fpfit", read_file(real_data_dir() / "fpfit_usgs_example_h71_ncal1970.fpfit"));
  const ProgramRun run = read_and_list(dir, "h71.fpfit", read_file(dir / "h71.fpfit"), "1000", {});
  EXPECT_EQ(listed_rows(run.lines)[0], " | 1970-01- |  37. | -121. |               0 |");
  write_file(dir / "ell.fpfit", read_file(real_data_dir() / "fpfit_usgs_example_ell_alaska1996.fpfit"));
  const ProgramRun ell = read_and_list(dir, "ell.fpfit", read_file(dir / "ell.fpfit"), "1000", {});
  EXPECT_EQ(listed_rows(ell.lines)[0], " | 1996-12- |  59. | -155. |               0 |");
}

}  // namespace
}  // namespace dorvix
