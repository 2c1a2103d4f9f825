// Writing the store through the program: round trips in both layouts, the
// two tables byte for byte, refused layouts, overflowing fields.

#include <gtest/gtest.h>

#include <algorithm>

#include "files/stops.hpp"
#include "generated_catalogue.hpp"
#include "real_data.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;

std::string padded(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

// Reads `input` in the layout of `read_choice`, then writes it with
// `write_choice` into `output` (closed by the default answer).
ProgramRun read_and_write(const TempDir& dir, const std::string& read_choice, const std::string& input,
                          const std::string& write_choice, const std::string& output, const Lines& more = {}) {
  Lines writing{"1200", write_choice, output};
  writing.insert(writing.end(), more.begin(), more.end());
  writing.insert(writing.end(), {"", "99", "9999"});
  return run_dorvix(dir, script({read_script(read_choice, input), writing}));
}

// The lines of a file after its first `heading` lines.
std::string after_lines(const std::string& text, int heading) {
  std::size_t at = 0;
  for (int k = 0; k < heading; ++k) at = text.find('\n', at) + 1;
  return text.substr(at);
}

// Catalogues read and written back, as lines and as a table, then the
// lines written read and written again: a catalogue in the writer's own
// form comes back byte for byte, and one in another form (the FPFIT
// examples: hours without their zero, lower-case and digit letters) as it
// was written the first time. The GCMT catalogue in the HASH layout holds
// longitudes beyond 128 degrees with five decimals.
TEST(Writing, CataloguesReadAndWrittenBackAreByteIdentical) {
  CatalogueGenerator gen(7);
  std::string gcmt;
  for (const CsvRow& r : real_data_table("gcmt_m7plus_fm.csv")) {
    gcmt += hash_line(1, r.number(3), r.number(4), r.number(5), static_cast<int>(r.number(7)),
                      static_cast<int>(r.number(8)), static_cast<int>(r.number(9))) +
            "\n";
  }
  const auto real = [](const char* name) { return read_file(real_data_dir() / name); };
  const struct {
    const char* name;
    std::string text;
    bool fpfit, as_written;
  } cases[] = {{"generated FPFIT", gen.catalogue(CatalogueLayout::fpfit, 500), true, true},
               {"generated HASH", gen.catalogue(CatalogueLayout::hash, 500), false, true},
               {"SCEDC", real("scedc_hash_2018.hash"), false, true},
               {"GCMT", gcmt, false, true},
               {"hinv", real("fpfit_usgs_example_hinv_ncal1997.fpfit"), true, false},
               {"h71", real("fpfit_usgs_example_h71_ncal1970.fpfit"), true, false},
               {"ell", real("fpfit_usgs_example_ell_alaska1996.fpfit"), true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "cat", c.text);
    // Read `from`, write its lines into `to` and its table into `to`.tab.
    const auto round = [&](const std::string& from, const std::string& to) {
      return run_dorvix(dir, script({read_script(c.fpfit ? "1000" : "1001", from),
                                     {"1200", c.fpfit ? "1000" : "1001", to, "", c.fpfit ? "2000" : "2001",
                                      to + ".tab", "", "99", "9999"}}));
    };
    const ProgramRun run = round("cat", "once");
    EXPECT_EQ(run.status, 0);
    round("once", "twice");
    const std::string once = read_file(dir / "once");
    EXPECT_TRUE(same_text(read_file(dir / "twice"), once));
    EXPECT_TRUE(same_text(after_lines(read_file(dir / "twice.tab"), 1), after_lines(read_file(dir / "once.tab"), 1)));
    if (c.as_written) {
      EXPECT_TRUE(same_text(once, c.text));
    }
    if (!c.fpfit) {
      // A HASH row is its line with a TAB for each one-column separator.
      std::string rows = after_lines(read_file(dir / "once.tab"), 2);
      std::replace(rows.begin(), rows.end(), '\t', ' ');
      EXPECT_TRUE(same_text(rows, once));
    }
    if (c.name == std::string("SCEDC")) {
      EXPECT_TRUE(has_block(run.lines, {" WRITING COMPLETED", " NUMBER OF SAVED DATA =   6091",
                                        " FILE " + padded("once", 40) + " IS STILL OPEN", " " + std::string(43, '-'),
                                        " ..........................................", " close output file ?"}));
    }
  }
}

TEST(Writing, AWriteCutShortKeepsOnlyWholeLines) {
  TempDir dir;
  const std::string scedc = read_file(real_data_dir() / "scedc_hash_2018.hash");
  write_file(dir / "scedc.hash", scedc);
  // The file-size limit of `ulimit -f 100` (100 KiB), far below the
  // catalogue: the write fails part way, as on a full disk, and the run
  // goes on to its quit, whose status tells that a file is incomplete.
  // The box says why, and counts what the file keeps, as it closes the
  // file, before the table of files.
  const ProgramRun run =
      run_dorvix(dir, script({read_script("1001", "scedc.hash"), {"1200", "1001", "out.hash", "", "99", "9999"}}),
                 100 << 10);
  EXPECT_EQ(run.status, exit_file_incomplete);
  const std::size_t line_size = 115;
  EXPECT_TRUE(same_text(read_file(dir / "out.hash"), scedc.substr(0, 890 * line_size)));
  EXPECT_TRUE(has_block(run.lines, {"   WHILE WRITING DATA", "   IN FILE: " + padded("out.hash", 40)}));
  EXPECT_TRUE(has_block(run.lines, {"   closing the file", "   FILE TOO LARGE", "   THE FILE KEEPS    890 COMPLETE LINES",
                                    "   NUMBER OF SAVED DATA =    890 OF   6091"}));
  EXPECT_TRUE(has_block(run.lines, {" FILE " + padded("out.hash", 40) + " IS CLOSED"}));
}

TEST(Writing, TablesAreTabSeparatedUnderQuotedTitles) {
  TempDir dir;
  const std::string hinv = read_file(real_data_dir() / "fpfit_usgs_example_hinv_ncal1997.fpfit");
  write_file(dir / "hinv.fpfit", hinv.substr(0, 142));
  read_and_write(dir, "1000", "hinv.fpfit", "2000", "fpfit.tab");
  const std::string fpfit_titles =
      " 'Year'\t'Month'\t'Day'\t'Hour'\t'mn'\t'seconds'\t'latitude(\xA1)'\t'hemis'\t'latitude(')'\t"
      "'longitude(\xA1)'\t'hemis'\t'longitude(')'\t'depth'\t'magn'\t'#PS'\t'azgap'\t'dist'\t'RMStt'\t'Eh'\t'Ev'\t"
      "'Magtype'\t'Dip_dir'\t'Dip'\t'Rake'\t'misfit1'\t'#picks'\t'misfit2'\t'stndist'\t'ratio_p'\t'Estrike'\t"
      "'Edip'\t'Erake'\t'Cvgc'\t'mult'\t'ID'\n";
  const std::string fpfit_row =
      "1997\t 1\t 1\t 2\t24\t  6.90\t 36\t \t30.64\t 121\t \t 4.92\t   5.53\t 1.40\t 22\t  79\t  0.0\t 0.05\t  0.3\t"
      "  0.7\tC\t135\t45\t   0\t0.02\t 16\t 0.37\t0.54\t0.06\t30\t43\t50\t \t \t  30124752\n";
  EXPECT_EQ(read_file(dir / "fpfit.tab"), " '" + padded("fpfit.tab", 40) + "'\n" + fpfit_titles + fpfit_row);

  // A HASH row is its line with a TAB for each one-column separator.
  CatalogueGenerator gen(3);
  const std::string line = gen.line(CatalogueLayout::hash);
  write_file(dir / "one.hash", line + "\n");
  read_and_write(dir, "1001", "one.hash", "2001", "hash.tab");
  std::string row = line;
  for (int col : {5, 8, 11, 14, 17, 24, 33, 43, 54, 62, 69, 74, 78, 83, 87, 91, 96, 102, 107, 113}) row[col - 1] = '\t';
  const std::string hash_titles =
      " 'Year'\t'Month'\t'Day'\t'Hour'\t'mn'\t'seconds'\t'ID'\t'latitude'\t'longitude'\t'depth'\t'magn'\t'Strike'\t"
      "'Dip'\t'Rake'\t'RMS_p1'\t'RMS_p2'\t'#_P'\t'misfit_P'\t'#_S/P'\t'misfit_S/P'\t'qual'\n";
  EXPECT_EQ(read_file(dir / "hash.tab"), " '" + padded("hash.tab", 40) + "'\n" + hash_titles + row + "\n");
}

TEST(Writing, ARefusedLayoutTouchesNoFile) {
  TempDir dir;
  write_file(dir / "hinv.fpfit", read_file(real_data_dir() / "fpfit_usgs_example_hinv_ncal1997.fpfit"));
  write_file(dir / "kept.hash", "precious\n");
  // HASH layouts for FPFIT data, and 3000, which selects no layout.
  const ProgramRun run = run_dorvix(
      dir, script({read_script("1000", "hinv.fpfit"), {"1200", "1001", "", "2001", "", "3000", "", "99", "9999"}}));
  EXPECT_EQ(read_file(dir / "kept.hash"), "precious\n");
  const auto& l = run.lines;
  EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind(" Choose", 0) == 0; }), 1);
  const Lines box{" DATA TYPE ID   =      1",
                  " FORMAT COMMAND =   1001",
                  " NO WRITING PROCEDURE FOR THIS",
                  " FORMAT - DATA TYPE COMBINATION",
                  " ==> NO ACTION",
                  " OUTPUT FILE HAS NOT BEEN WRITTEN",
                  " ====> DATA ARE UNSAVED",
                  " ===> HIT RETURN TO CONTINUE"};
  EXPECT_TRUE(has_block(l, box));
  EXPECT_EQ(std::count(l.begin(), l.end(), " NO WRITING PROCEDURE FOR THIS"), 3);

  // With the empty store nothing can be written.
  TempDir empty;
  const ProgramRun none = run_dorvix(empty, {"", "1200", "1000", "", "99", "9999"});
  EXPECT_TRUE(has_block(none.lines, {" DATA TYPE ID   =      0", " FORMAT COMMAND =   1000"}));
  EXPECT_TRUE(has_block(none.lines, {" -------------------------------------------", " CANNOT WRITE THIS DATA TYPE",
                                     " LIST DATA TO SCREEN ........1100"}));
  EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST(Writing, LinesWithFieldsTooWideAreCountedAfterWriting) {
  TempDir dir;
  std::string line = read_file(real_data_dir() / "fpfit_usgs_example_hinv_ncal1997.fpfit").substr(0, 141);
  line.replace(13, 6, "9999.9");  // seconds, 6 columns with 2 decimals
  write_file(dir / "wide.fpfit", line + "\n" + line + "\n");
  const ProgramRun run = read_and_write(dir, "1000", "wide.fpfit", "1000", "wide.out", {""});
  const Lines box{" LINES WITH A FIELD TOO WIDE  =      2", " FIRST OF THEM IS DATA NUMBER =      1",
                  " SUCH FIELDS ARE WRITTEN AS ASTERISKS", " => THESE LINES DO NOT READ BACK",
                  " ===> HIT RETURN TO CONTINUE"};
  EXPECT_TRUE(has_block(run.lines, box));
  EXPECT_EQ(read_file(dir / "wide.out").substr(13, 6), "******");
}

}  // namespace
}  // namespace dorvix
