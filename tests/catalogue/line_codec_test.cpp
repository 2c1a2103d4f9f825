#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "catalogue/line_codec.hpp"
#include "numbers/fixed_fields.hpp"
#include "real_data.hpp"
#include "support/tools.hpp"

namespace dorvix {
namespace {

using testing::real_data_lines;
using testing::real_data_table;

// Store records live on the heap: one is some ten megabytes.
std::unique_ptr<FpsBlk> new_store() { return std::make_unique<FpsBlk>(); }

// A line of `length` blanks with texts placed at their first columns.
struct Placed {
  int col;
  std::string text;
};
std::string line_with(int length, std::initializer_list<Placed> fields) {
  std::string line(static_cast<std::size_t>(length), ' ');
  for (const Placed& f : fields) line.replace(static_cast<std::size_t>(f.col - 1), f.text.size(), f.text);
  return line;
}

// One slot of the store as its named values (characters by their codes),
// every field a line may fill: a record read from a line is checked as a
// whole against the record expected.
using Record = std::map<std::string, double>;
Record slot_of(const FpsBlk& b, std::size_t k) {
  return {{"iyear1", b.iyear1[k]},   {"imonth1", b.imonth1[k]},    {"iday1", b.iday1[k]},
          {"ihour1", b.ihour1[k]},   {"imn1", b.imn1[k]},          {"sec1", b.sec1[k]},
          {"id1", b.id1[k]},         {"rlat1", b.rlat1[k]},        {"rlong1", b.rlong1[k]},
          {"depth1", b.depth1[k]},   {"rmag1", b.rmag1[k]},        {"isp1", b.isp1[k]},
          {"azgap1", b.azgap1[k]},   {"dnst1", b.dnst1[k]},        {"rmstt", b.rmstt[k]},
          {"exy1", b.exy1[k]},       {"ez1", b.ez1[k]},            {"cmtyp1", b.cmtyp1[k]},
          {"strike", b.strike1[0][k]}, {"dip", b.dip1[0][k]},      {"rake", b.rake1[0][k]},
          {"strike2", b.strike1[1][k]}, {"dip2", b.dip1[1][k]},    {"rake2", b.rake1[1][k]},
          {"qual1", b.qual1[k]},     {"ipick1", b.ipick1[k]},      {"qual2", b.qual2[k]},
          {"qual3", b.qual3[k]},     {"ratio1", b.ratio1[k]},      {"ipick2", b.ipick2[k]},
          {"estrike1", b.estrike1[k]}, {"edip1", b.edip1[k]},      {"erake1", b.erake1[k]},
          {"cflag1", b.cflag1[k]},   {"cflag2", b.cflag2[k]}};
}
// `before` with the values named in `changed`, each of them a field.
Record with(Record before, const Record& changed) {
  for (const auto& [name, value] : changed) before.at(name) = value;
  return before;
}

// A well-formed FPFIT line as the writer builds it.
const std::string fpfit_line =
    "19970101 0224  6.90 36 30.64 121  4.92   5.53   1.40 22  79  0.0 0.05  0.3  0.7  C 135 45   0  0.02  16  "
    "0.37 0.54 0.06  30 43 50    30124752";
const std::string hash_line =
    "2018  1  1  1 35 34.060 37844303  34.03450 -117.59883   4.110  3.090  134  84 -175  14  15   61  0.00   75  "
    "1.00 A";

// --- The tables -------------------------------------------------------------

TEST(LineLayouts, FieldsTileTheLineInColumnOrder) {
  for (const LineLayout* layout : {&fpfit_layout, &hash_layout}) {
    int next_col = 1, number = 0;
    for (const LineField& f : layout->fields) {
      EXPECT_EQ(f.number, ++number);
      EXPECT_GE(f.col, next_col) << "field " << f.number << " overlaps";
      EXPECT_GT(f.width, 0);
      if (f.read == FieldKind::character) {
        EXPECT_EQ(f.width, 1);
      }
      // Integer store fields are read and written as integers.
      if (std::holds_alternative<IntColumn>(f.store)) {
        EXPECT_EQ(f.read, FieldKind::integer) << f.number;
        EXPECT_EQ(f.write, FieldKind::integer) << f.number;
      }
      next_col = f.col + f.width;
    }
    EXPECT_EQ(next_col - 1, layout->length);
  }
  EXPECT_EQ(fpfit_layout.fields.size(), 35u);
  EXPECT_EQ(hash_layout.fields.size(), 21u);
  // HASH fields are separated by exactly one column: its table row is the
  // line with TABs for separators.
  for (std::size_t k = 1; k < hash_layout.fields.size(); ++k) {
    const LineField& a = hash_layout.fields[k - 1];
    EXPECT_EQ(hash_layout.fields[k].col, a.col + a.width + 1) << k;
  }
}

// The manual's account of a layout (docs/file_layouts.md): the example
// line of the code block after `mention` (its third line, under two
// rulers) and the rows of the table after it, each as its trimmed cells.
struct ReadmeLayout {
  std::string example;
  std::vector<std::vector<std::string>> rows;
};
ReadmeLayout readme_layout(const std::string& page, const std::string& mention) {
  ReadmeLayout r;
  std::istringstream in(page.substr(page.find(mention)));
  int block_lines = 0;
  bool in_table = false;
  for (std::string line; std::getline(in, line);) {
    if (r.example.empty() && line.rfind("    ", 0) == 0 && ++block_lines == 3) r.example = line.substr(4);
    if (line.rfind("| Columns", 0) == 0) {
      in_table = true;
    } else if (in_table && line.rfind("|---", 0) != 0) {
      if (line.rfind('|', 0) != 0) break;
      std::vector<std::string> cells;
      std::istringstream row(line.substr(1));
      for (std::string cell; std::getline(row, cell, '|');) {
        cell.erase(0, cell.find_first_not_of(' '));
        cell.erase(cell.find_last_not_of(' ') + 1);
        cells.push_back(cell);
      }
      r.rows.push_back(cells);
    }
  }
  return r;
}

// The manual's tables of the layouts (docs/file_layouts.md, which the
// README links) give each field as the reader takes it (columns, width,
// kind, the name its error box uses), and its example lines are the real
// files' and read as the tables say.
TEST(LineLayouts, TheReadmesTablesAndExamplesAreTheLayouts) {
  const std::string page =
      testing::read_file(std::filesystem::path(DORVIX_SOURCE_DIR) / "docs" / "file_layouts.md");
  const struct {
    const LineLayout& layout;
    std::string mention, file;
  } cases[] = {{fpfit_layout, "An FPFIT line has", "fpfit_usgs_example_hinv_ncal1997.fpfit"},
               {hash_layout, "A HASH line has", "scedc_hash_2018.hash"}};
  auto holds = [](const LineField& f) -> std::string {
    if (f.read == FieldKind::integer) return "integer";
    if (f.read == FieldKind::character) return "character";
    return "decimal, " + std::to_string(f.decimals) + (f.decimals == 1 ? " decimal" : " decimals");
  };
  auto names = [](const std::string& cell, std::string_view name) {
    for (const char* after : {"", ", ", ": ", " (", " of "}) {
      const std::string named = std::string(name) + after;
      if (cell == named || (*after != '\0' && cell.rfind(named, 0) == 0)) return true;
    }
    return false;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mention);
    const ReadmeLayout r = readme_layout(page, c.mention);
    EXPECT_EQ(r.example, real_data_lines(c.file).at(0));
    ASSERT_EQ(r.rows.size(), c.layout.fields.size());
    for (const LineField& f : c.layout.fields) {
      const std::vector<std::string>& row = r.rows[static_cast<std::size_t>(f.number - 1)];
      ASSERT_EQ(row.size(), 5u) << f.number;
      const std::string last = std::to_string(f.col + f.width - 1);
      EXPECT_EQ(row[0], f.width == 1 ? last : std::to_string(f.col) + "\u2013" + last) << f.number;
      EXPECT_EQ(row[1], std::to_string(f.width)) << f.number;
      EXPECT_EQ(row[2], holds(f)) << f.number;
      EXPECT_TRUE(names(row[3], f.name)) << row[3] << " for " << f.name;
      std::string here = field_text(r.example, f.col, f.width);
      here.erase(0, here.find_first_not_of(' '));
      EXPECT_EQ(row[4], here.empty() ? "blank" : here.substr(0, here.find_last_not_of(' ') + 1)) << f.number;
    }
    const auto blk = new_store();
    EXPECT_EQ(read_catalogue_line(c.layout.id, r.example, *blk, 0).status, LineStatus::read);
  }
}

// --- Reading ------------------------------------------------------------------

// Each layout's line fills its own fields and leaves every other field of
// the slot as it was.
TEST(CatalogueLines, EachLayoutFillsItsStoreFieldsAndNoOthers) {
  struct Case {
    Layout layout;
    const std::string& line;
    std::size_t slot;
    Record changed;
  };
  const Case cases[] = {
      {Layout::fpfit, fpfit_line, 0,
       {{"iyear1", 1997},      {"imonth1", 1},        {"iday1", 1},
        {"ihour1", 2},         {"imn1", 24},          {"sec1", 6.90f},
        {"rlat1", 36.0 + 30.64 / 60.0},               {"rlong1", -(121.0 + 4.92 / 60.0)},
        {"depth1", 5.53f},     {"rmag1", 1.40f},      {"isp1", 22},
        {"azgap1", 79.0f},     {"dnst1", 0.0f},       {"rmstt", 0.05f},
        {"exy1", 0.3f},        {"ez1", 0.7f},         {"cmtyp1", 'C'},
        {"strike", 45.0f},  // dip direction 135
        {"dip", 45.0f},        {"rake", 0.0f},        {"qual1", 0.02f},
        {"ipick1", 16},        {"qual2", 0.37f},      {"qual3", 0.54f},
        {"ratio1", 0.06f},     {"estrike1", 30.0f},   {"edip1", 43.0f},
        {"erake1", 50.0f},     {"cflag1", ' '},       {"cflag2", ' '},
        {"id1", 30124752}}},
      {Layout::hash, hash_line, 3,
       {{"iyear1", 2018},      {"imonth1", 1},        {"iday1", 1},
        {"ihour1", 1},         {"imn1", 35},          {"sec1", 34.06f},
        {"id1", 37844303},     {"rlat1", 34.0345},    {"rlong1", -117.59883},
        {"depth1", 4.11f},     {"rmag1", 3.09f},      {"strike", 134.0f},
        {"dip", 84.0f},        {"rake", -175.0f},     {"qual1", 14.0f},
        {"qual2", 15.0f},      {"ipick1", 61},        {"qual3", 0.0f},
        {"ipick2", 75},        {"ratio1", 1.0f},      {"cflag1", 'A'}}},
  };
  for (const Case& c : cases) {
    // Fields of the other layout hold values before the read.
    auto blk = new_store();
    blk->isp1[c.slot] = 77;
    blk->azgap1[c.slot] = 77;
    blk->cflag2[c.slot] = '*';
    blk->estrike1[c.slot] = 9;
    const Record before = slot_of(*blk, c.slot);
    const LineRead r = read_catalogue_line(c.layout, c.line, *blk, c.slot);
    ASSERT_EQ(r.status, LineStatus::read) << c.line;
    EXPECT_FALSE(r.unknown_hemisphere || r.unknown_direction);
    EXPECT_EQ(slot_of(*blk, c.slot), with(before, c.changed)) << c.line;
  }
}

TEST(CatalogueLines, NumericFieldsIgnoreBlanksAndImplyDecimals) {
  struct Case {
    std::string degrees, minutes;  // columns 20-22 and 24-28
    double latitude;
  };
  const Case cases[] = {
      {" 34", "     ", 34.0}, {"34.", "     ", 34.0}, {"3 4", "     ", 34.0},
      {"  5", "     ", 5.0},  {"5  ", "     ", 5.0},  {" 5 ", "     ", 5.0},
      {"   ", " 1234", 12.34 / 60.0}, {"   ", "12.34", 12.34 / 60.0}, {"   ", "1234 ", 12.34 / 60.0},
      {"3.4", "     ", 3.4},
  };
  auto blk = new_store();
  for (const Case& c : cases) {
    const std::string line = line_with(141, {{20, c.degrees}, {24, c.minutes}, {33, "E"}});
    ASSERT_EQ(read_catalogue_line(Layout::fpfit, line, *blk, 0).status, LineStatus::read) << c.degrees;
    EXPECT_EQ(blk->rlat1[0], c.latitude) << "'" << c.degrees << "' '" << c.minutes << "'";
  }
}

TEST(CatalogueLines, BlankUncertaintiesReadAsZero) {
  auto blk = new_store();
  blk->estrike1[0] = blk->edip1[0] = blk->erake1[0] = 9;
  std::string line = fpfit_line;
  line.replace(121, 8, 8, ' ');  // columns 122-129
  ASSERT_EQ(read_catalogue_line(Layout::fpfit, line, *blk, 0).status, LineStatus::read);
  EXPECT_EQ(blk->estrike1[0], 0.0f);
  EXPECT_EQ(blk->edip1[0], 0.0f);
  EXPECT_EQ(blk->erake1[0], 0.0f);
}

TEST(CatalogueLines, HemisphereLettersSignThePosition) {
  struct Case {
    char hemisphere, direction;
    float lat, lon;
    bool lat_warning, lon_warning;
  };
  // Degrees 12, minutes 30.00; degrees 118, minutes 15.00.
  const Case cases[] = {
      {'S', ' ', -12.5f, -118.25f, false, false}, {' ', 'E', 12.5f, 118.25f, false, false},
      {'s', 'e', -12.5f, 118.25f, false, false},  {'N', 'W', 12.5f, -118.25f, false, false},
      {'n', 'w', 12.5f, -118.25f, false, false},  {'X', 'x', 12.5f, 118.25f, true, true},
      {'E', 'S', 12.5f, 118.25f, true, true},
      // A character that is not a letter counts as blank, as FPFIT writes it.
      {'\t', '5', 12.5f, -118.25f, false, false},  {'9', '*', 12.5f, -118.25f, false, false},
  };
  auto blk = new_store();
  for (const Case& c : cases) {
    const std::string line = line_with(141, {{20, " 12"}, {23, std::string(1, c.hemisphere)}, {24, "30.00"},
                                             {29, " 118"}, {33, std::string(1, c.direction)}, {34, "15.00"}});
    const LineRead r = read_catalogue_line(Layout::fpfit, line, *blk, 0);
    ASSERT_EQ(r.status, LineStatus::read);
    EXPECT_EQ(blk->rlat1[0], c.lat) << c.hemisphere;
    EXPECT_EQ(blk->rlong1[0], c.lon) << c.direction;
    EXPECT_EQ(r.unknown_hemisphere, c.lat_warning) << c.hemisphere;
    EXPECT_EQ(r.unknown_direction, c.lon_warning) << c.direction;
    EXPECT_EQ(r.position.hemisphere, c.hemisphere);
    EXPECT_EQ(r.position.direction, c.direction);
    EXPECT_EQ(r.position.lat_degrees, 12.0f);
    EXPECT_EQ(r.position.lat_minutes, 30.0f);
    EXPECT_EQ(r.position.lon_degrees, 118.0f);
    EXPECT_EQ(r.position.lon_minutes, 15.0f);
  }
  // The reader's examples: 43 30.00 S and 3 15.00 with each letter.
  const std::pair<char, float> longitudes[] = {{' ', -3.25f}, {'E', 3.25f}, {'W', -3.25f}};
  for (const auto& [letter, lon] : longitudes) {
    const std::string line = line_with(
        141, {{20, " 43"}, {23, "S"}, {24, "30.00"}, {29, "   3"}, {33, std::string(1, letter)}, {34, "15.00"}});
    ASSERT_EQ(read_catalogue_line(Layout::fpfit, line, *blk, 0).status, LineStatus::read);
    EXPECT_EQ(blk->rlat1[0], -43.5f);
    EXPECT_EQ(blk->rlong1[0], lon) << letter;
  }
}

TEST(CatalogueLines, DipDirectionBecomesTheStrikeWithoutReduction) {
  auto blk = new_store();
  for (const auto& [text, strike] : {std::pair{" 45", -45.0f}, {"390", 300.0f}, {"  0", -90.0f}, {"135", 45.0f}}) {
    ASSERT_EQ(read_catalogue_line(Layout::fpfit, line_with(141, {{84, text}}), *blk, 0).status, LineStatus::read);
    EXPECT_EQ(blk->strike1[0][0], strike) << text;
  }
}

TEST(CatalogueLines, UnreadableFieldIsNamedAndTheSlotKept) {
  struct Case {
    Layout layout;
    int col;
    std::string text;
    int field;
  };
  const Case cases[] = {
      {Layout::fpfit, 5, "1a", 2},      {Layout::fpfit, 14, " 6.9.0", 6}, {Layout::fpfit, 20, " N ", 7},
      {Layout::fpfit, 132, "9999999999", 35}, {Layout::fpfit, 132, "  1.5e3   ", 35},
      {Layout::fpfit, 101, "1.0", 26},  {Layout::hash, 25, "3784430x", 7}, {Layout::hash, 70, "13.5", 12},
      {Layout::hash, 108, "  nan", 20}, {Layout::hash, 97, "  inf", 18},  {Layout::hash, 6, " +", 2},
  };
  auto blk = new_store();
  for (const Case& c : cases) {
    const std::string good = c.layout == Layout::fpfit ? fpfit_line : hash_line;
    std::string line = good;
    line.replace(static_cast<std::size_t>(c.col - 1), c.text.size(), c.text);
    blk->iyear1[5] = 1234;
    const LineRead r = read_catalogue_line(c.layout, line, *blk, 5);
    EXPECT_EQ(r.status, LineStatus::unreadable) << line;
    EXPECT_EQ(r.bad_field, c.field) << line;
    EXPECT_EQ(blk->iyear1[5], 1234) << line;
  }
  // "4." in the 2-column dip reads; 4.5 in a real field with 0 decimals too.
  std::string line = fpfit_line;
  line.replace(87, 2, "4.");
  line.replace(55, 4, " 4.5");
  ASSERT_EQ(read_catalogue_line(Layout::fpfit, line, *blk, 0).status, LineStatus::read);
  EXPECT_EQ(blk->dip1[0][0], 4.0f);
  EXPECT_EQ(blk->azgap1[0], 4.5f);
}

TEST(CatalogueLines, BlankAndShortLines) {
  auto blk = new_store();
  blk->iyear1[0] = 5;
  for (const std::string& line : {std::string(), std::string(141, ' '), std::string(3, ' '), std::string(" \t ")}) {
    EXPECT_TRUE(is_blank_line(line));
    EXPECT_EQ(read_catalogue_line(Layout::fpfit, line, *blk, 0).status, LineStatus::blank);
    EXPECT_EQ(read_catalogue_line(Layout::hash, line, *blk, 0).status, LineStatus::blank);
  }
  EXPECT_EQ(blk->iyear1[0], 5);
  EXPECT_FALSE(is_blank_line("     0"));

  // A line cut after the dip direction reads as if padded with blanks.
  const LineRead r = read_catalogue_line(Layout::fpfit, fpfit_line.substr(0, 86), *blk, 0);
  ASSERT_EQ(r.status, LineStatus::read);
  EXPECT_EQ(blk->strike1[0][0], 45.0f);
  EXPECT_EQ(blk->dip1[0][0], 0.0f);
  EXPECT_EQ(blk->id1[0], 0);
  EXPECT_EQ(blk->cflag1[0], ' ');
  ASSERT_EQ(read_catalogue_line(Layout::hash, hash_line.substr(0, 113), *blk, 0).status, LineStatus::read);
  EXPECT_EQ(blk->cflag1[0], ' ');
  EXPECT_EQ(blk->ratio1[0], 1.0f);
}

TEST(CatalogueLines, LastSlotOfTheStoreIsUsable) {
  auto blk = new_store();
  const std::size_t last = ndatmax - 1;
  ASSERT_EQ(read_catalogue_line(Layout::hash, hash_line, *blk, last).status, LineStatus::read);
  EXPECT_EQ(blk->id1[last], 37844303);
  EXPECT_EQ(blk->rake1[0][last], -175.0f);
  std::string out;
  write_catalogue_line(Layout::hash, *blk, last, out);
  EXPECT_EQ(out, hash_line);
}

// --- Writing ------------------------------------------------------------------

TEST(CatalogueLines, WellFormedLinesComeBackByteForByte) {
  // Every field also at its widest: the most digits its columns hold.
  const std::string widest_fpfit = line_with(
      141, {{1, "99991231 2359999.99999S59.999999 59.999999.99"}, {48, "99.999999999999.999.99999.9999.9"},
            {82, "Z"}, {84, "359"}, {88, "90-180"}, {96, "9.99"}, {101, "999"}, {105, "99.99"}, {111, "9.99"},
            {116, "9.99"}, {122, "99"}, {125, "99"}, {128, "99C*2147483647"}});
  const std::string widest_hash =
      "9999 12 31 23 59 99.999 99999999 999.99999 9999.99999 999.999 99.999 -359  90 -180 999 999 9999 99.99 9999 "
      "99.99 D";
  auto blk = new_store();
  std::string out;
  for (const auto& [layout, line] : {std::pair{Layout::fpfit, fpfit_line}, {Layout::hash, hash_line},
                                     {Layout::fpfit, widest_fpfit}, {Layout::hash, widest_hash}}) {
    ASSERT_EQ(read_catalogue_line(layout, line, *blk, 0).status, LineStatus::read);
    const LineWrite w = write_catalogue_line(layout, *blk, 0, out);
    EXPECT_FALSE(w.overflowed());
    EXPECT_EQ(out, line);
  }
}

TEST(CatalogueLines, MonthIsZeroFilledInFpfitAndBlankFilledInHash) {
  auto blk = new_store();
  blk->imonth1[0] = 3;
  std::string out;
  write_catalogue_line(Layout::fpfit, *blk, 0, out);
  EXPECT_EQ(out.substr(4, 2), "03");
  EXPECT_EQ(out.substr(0, 13), "   00300 0000");
  ASSERT_EQ(read_catalogue_line(Layout::fpfit, out, *blk, 1).status, LineStatus::read);
  EXPECT_EQ(blk->imonth1[1], 3);
  write_catalogue_line(Layout::hash, *blk, 0, out);
  EXPECT_EQ(out.substr(4, 3), "  3");
  ASSERT_EQ(read_catalogue_line(Layout::hash, out, *blk, 2).status, LineStatus::read);
  EXPECT_EQ(blk->imonth1[2], 3);
}

TEST(CatalogueLines, FpfitPositionAndAnglesAsWritten) {
  struct Case {
    float lat, lon, strike;
    std::string position;  // columns 20-38
    std::string dip_direction;
  };
  const Case cases[] = {
      {-0.5f, 0.0f, 300.0f, "  0S30.00   0E 0.00", "390"},
      {12.5f, -118.25f, -45.0f, " 12 30.00 118 15.00", " 45"},
      {-44.99999f, 3.25f, 12.5f, " 44S60.00   3E15.00", "103"},  // 102.5 away from zero
      {0.0f, -0.0f, -12.5f, "  0  0.00   0  0.00", " 78"},     // -0.0 is not below 0: east
  };
  auto blk = new_store();
  std::string out;
  for (const Case& c : cases) {
    blk->rlat1[0] = c.lat;
    blk->rlong1[0] = c.lon;
    blk->strike1[0][0] = c.strike;
    const LineWrite w = write_catalogue_line(Layout::fpfit, *blk, 0, out);
    EXPECT_FALSE(w.overflowed());
    std::string want_position = c.position;
    if (c.lon == 0.0f && std::signbit(c.lon)) want_position[13] = 'E';
    EXPECT_EQ(out.substr(19, 19), want_position) << c.lat << " " << c.lon;
    EXPECT_EQ(out.substr(83, 3), c.dip_direction) << c.strike;
  }
  // 44 degrees and 60.00 minutes read back as 45.
  blk->rlat1[0] = 44.99999f;
  write_catalogue_line(Layout::fpfit, *blk, 0, out);
  ASSERT_EQ(read_catalogue_line(Layout::fpfit, out, *blk, 1).status, LineStatus::read);
  EXPECT_EQ(blk->rlat1[1], 45.0f);
}

TEST(CatalogueLines, ValuesTooWideFillTheirFieldWithAsterisks) {
  auto blk = new_store();
  std::string out;
  EXPECT_FALSE(write_catalogue_line(Layout::hash, *blk, 0, out).overflowed());
  EXPECT_EQ(out.size(), 114u);
  blk->id1[0] = 123456789;
  blk->rmag1[0] = -12.5f;  // "-12.500" in 6 columns
  LineWrite w = write_catalogue_line(Layout::hash, *blk, 0, out);
  EXPECT_EQ(out.size(), 114u);
  EXPECT_EQ(w.overflows, 2);
  EXPECT_EQ(w.first_overflow, 7);
  EXPECT_EQ(out.substr(24, 8), "********");
  EXPECT_EQ(out.substr(62, 6), "******");
  EXPECT_EQ(read_catalogue_line(Layout::hash, out, *blk, 1).status, LineStatus::unreadable);

  blk->depth1[0] = 10000.0f;
  w = write_catalogue_line(Layout::fpfit, *blk, 0, out);
  EXPECT_EQ(out.size(), 141u);
  EXPECT_EQ(w.overflows, 2);  // depth, and the identifier fits
  EXPECT_EQ(w.first_overflow, 13);
  EXPECT_EQ(out.substr(38, 7), "*******");
  EXPECT_EQ(read_catalogue_line(Layout::fpfit, out, *blk, 1).bad_field, 13);

  // Values with no number to show are never written as such.
  blk->depth1[0] = 1;
  blk->rmag1[0] = std::nanf("");
  blk->rlat1[0] = std::numeric_limits<float>::infinity();
  blk->strike1[0][0] = 3e38f;
  w = write_catalogue_line(Layout::fpfit, *blk, 0, out);
  EXPECT_EQ(out.size(), 141u);
  EXPECT_EQ(out.substr(19, 3), "***");  // latitude degrees
  EXPECT_EQ(out.substr(23, 5), "*****");
  EXPECT_EQ(out.substr(47, 5), "*****");
  EXPECT_EQ(out.substr(83, 3), "***");
  EXPECT_EQ(w.overflows, 4);  // the identifier 123456789 fits the 10 FPFIT columns
  EXPECT_EQ(out.find("nan"), std::string::npos);
  EXPECT_EQ(out.find("inf"), std::string::npos);
}

TEST(CatalogueLines, WrittenValuesReadBackWithinTheirDecimals) {
  std::mt19937 gen(3);
  std::uniform_real_distribution<float> u(0.0f, 1.0f);
  auto blk = new_store();
  std::string out;
  for (int n = 0; n < 2000; ++n) {
    FpsBlk& b = *blk;
    b.iyear1[0] = 1900 + n % 200;
    b.imonth1[0] = 1 + n % 12;
    b.iday1[0] = 1 + n % 31;
    b.ihour1[0] = n % 24;
    b.imn1[0] = n % 60;
    b.sec1[0] = 59.99f * u(gen);
    b.id1[0] = n * 4999;
    b.rlat1[0] = 180.0f * u(gen) - 90.0f;
    b.rlong1[0] = 360.0f * u(gen) - 180.0f;
    b.depth1[0] = 700.0f * u(gen) - 3.0f;
    b.rmag1[0] = 9.0f * u(gen) - 1.0f;
    b.strike1[0][0] = std::round(360.0f * u(gen) - 90.0f);
    b.dip1[0][0] = std::round(90.0f * u(gen));
    b.rake1[0][0] = std::round(360.0f * u(gen) - 180.0f);
    b.qual1[0] = std::round(9.0f * u(gen));
    b.qual2[0] = std::round(99.0f * u(gen));
    b.qual3[0] = u(gen);
    b.ratio1[0] = u(gen);
    b.ipick1[0] = n % 999;
    b.ipick2[0] = n % 99;
    b.cflag1[0] = static_cast<char>('A' + n % 4);
    b.cflag2[0] = n % 2 ? '*' : ' ';
    b.cmtyp1[0] = 'L';
    for (Layout layout : {Layout::fpfit, Layout::hash}) {
      ASSERT_FALSE(write_catalogue_line(layout, b, 0, out).overflowed()) << out;
      ASSERT_EQ(read_catalogue_line(layout, out, b, 1).status, LineStatus::read) << out;
      // Each field read back as written, within half a step of its last
      // decimal (0: exactly).
      const float position_step = layout == Layout::fpfit ? 0.005f / 60.0f : 0.000005f;
      const std::pair<const char*, float> within[] = {
          {"iyear1", 0},   {"imonth1", 0}, {"iday1", 0},   {"ihour1", 0},
          {"imn1", 0},     {"id1", 0},     {"sec1", 0.005f + 1e-5f},
          {"rlat1", position_step + 2e-5f}, {"rlong1", position_step + 2e-5f},
          {"depth1", 0.005f + 1e-4f},      {"rmag1", 0.005f + 1e-5f},
          {"strike", 0},   {"dip", 0},     {"rake", 0},    {"qual1", 0},
          {"qual2", 0},    {"qual3", 0.005f + 1e-6f},      {"ratio1", 0.005f + 1e-6f},
          {"ipick1", 0},   {"cflag1", 0}};
      const Record written = slot_of(b, 0), read = slot_of(b, 1);
      for (const auto& [name, step] : within) {
        if (step == 0) {
          EXPECT_EQ(read.at(name), written.at(name)) << name << " " << out;
        } else {
          EXPECT_NEAR(read.at(name), written.at(name), step) << name << " " << out;
        }
      }
      // Written again, the line does not change.
      std::string again;
      write_catalogue_line(layout, b, 1, again);
      EXPECT_EQ(again, out);
    }
  }
}

// --- Tabulated rows ---------------------------------------------------------

TEST(CatalogueTables, TitleLines) {
  EXPECT_EQ(table_title_line(Layout::hash),
            " 'Year'\t'Month'\t'Day'\t'Hour'\t'mn'\t'seconds'\t'ID'\t'latitude'\t'longitude'\t'depth'\t'magn'\t"
            "'Strike'\t'Dip'\t'Rake'\t'RMS_p1'\t'RMS_p2'\t'#_P'\t'misfit_P'\t'#_S/P'\t'misfit_S/P'\t'qual'");
  EXPECT_EQ(table_title_line(Layout::fpfit),
            " 'Year'\t'Month'\t'Day'\t'Hour'\t'mn'\t'seconds'\t'latitude(\xA1)'\t'hemis'\t'latitude(')'\t"
            "'longitude(\xA1)'\t'hemis'\t'longitude(')'\t'depth'\t'magn'\t'#PS'\t'azgap'\t'dist'\t'RMStt'\t'Eh'\t"
            "'Ev'\t'Magtype'\t'Dip_dir'\t'Dip'\t'Rake'\t'misfit1'\t'#picks'\t'misfit2'\t'stndist'\t'ratio_p'\t"
            "'Estrike'\t'Edip'\t'Erake'\t'Cvgc'\t'mult'\t'ID'");
  EXPECT_EQ(std::string(fpfit_layout.fields[6].title).size(), 11u);
  EXPECT_EQ(std::string(fpfit_layout.fields[9].title).size(), 12u);
}

TEST(CatalogueTables, RowsKeepTheFieldWidths) {
  auto blk = new_store();
  std::string row;
  ASSERT_EQ(read_catalogue_line(Layout::fpfit, fpfit_line, *blk, 0).status, LineStatus::read);
  EXPECT_FALSE(write_table_row(Layout::fpfit, *blk, 0, row).overflowed());
  EXPECT_EQ(row,
            "1997\t 1\t 1\t 2\t24\t  6.90\t 36\t \t30.64\t 121\t \t 4.92\t   5.53\t 1.40\t 22\t  79\t  0.0\t 0.05\t"
            "  0.3\t  0.7\tC\t135\t45\t   0\t0.02\t 16\t 0.37\t0.54\t0.06\t30\t43\t50\t \t \t  30124752");
  // A HASH row is the HASH line with TABs for its separators.
  ASSERT_EQ(read_catalogue_line(Layout::hash, hash_line, *blk, 0).status, LineStatus::read);
  write_table_row(Layout::hash, *blk, 0, row);
  std::string want = hash_line;
  for (std::size_t k = 1; k < hash_layout.fields.size(); ++k) {
    want[static_cast<std::size_t>(hash_layout.fields[k].col - 2)] = '\t';
  }
  EXPECT_EQ(row, want);
  blk->id1[0] = -12345678;
  EXPECT_EQ(write_table_row(Layout::hash, *blk, 0, row).first_overflow, 7);
}

// --- Published catalogues ---------------------------------------------------

TEST(PublishedCatalogues, ScedcHashFileComesBackByteForByte) {
  const auto lines = real_data_lines("scedc_hash_2018.hash");
  const auto table = real_data_table("scedc_hash_2018_fm.csv");
  ASSERT_EQ(lines.size(), 6091u);
  ASSERT_EQ(table.size(), lines.size());
  auto blk = new_store();
  std::string out, row;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    ASSERT_EQ(read_catalogue_line(Layout::hash, lines[k], *blk, k).status, LineStatus::read) << lines[k];
    EXPECT_FALSE(write_catalogue_line(Layout::hash, *blk, k, out).overflowed());
    ASSERT_EQ(out, lines[k]);
    // The values are the published ones.
    ASSERT_EQ(std::to_string(blk->id1[k]), table[k][0]);
    ASSERT_EQ(blk->rlat1[k], std::stod(table[k][3])) << lines[k];
    ASSERT_EQ(blk->rlong1[k], std::stod(table[k][4])) << lines[k];
    ASSERT_EQ(blk->strike1[0][k], std::stof(table[k][7]));
    ASSERT_EQ(blk->dip1[0][k], std::stof(table[k][8]));
    ASSERT_EQ(blk->rake1[0][k], std::stof(table[k][9]));
    write_table_row(Layout::hash, *blk, k, row);
    std::replace(row.begin(), row.end(), '\t', ' ');
    ASSERT_EQ(row, lines[k]);
  }
}

TEST(PublishedCatalogues, FpfitExamplesGiveThePublishedPositionsAndPlanes) {
  const auto table = real_data_table("fpfit_usgs_examples_fm.csv");
  std::vector<std::pair<std::string, std::string>> lines;  // file prefix, line
  for (const auto& [file, prefix] : {std::pair{"fpfit_usgs_example_hinv_ncal1997.fpfit", "hinv"},
                                     {"fpfit_usgs_example_h71_ncal1970.fpfit", "h71"},
                                     {"fpfit_usgs_example_ell_alaska1996.fpfit", "ell"}}) {
    for (const auto& line : real_data_lines(file)) lines.emplace_back(prefix, line);
  }
  ASSERT_EQ(lines.size(), table.size());
  auto blk = new_store();
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const auto& [prefix, line] = lines[k];
    ASSERT_EQ(table[k][0].rfind(prefix, 0), 0u);
    const LineRead r = read_catalogue_line(Layout::fpfit, line, *blk, k);
    ASSERT_EQ(r.status, LineStatus::read) << line;
    EXPECT_FALSE(r.unknown_hemisphere) << line;  // N, n and blank are north
    // The Alaska file marks its west longitudes with a 5 in the letter
    // column: not a letter, so west without a warning.
    EXPECT_FALSE(r.unknown_direction) << line;
    const double lon = table[k].number(4);
    EXPECT_NEAR(blk->rlat1[k], table[k].number(3), 1e-4) << line;
    EXPECT_NEAR(blk->rlong1[k], lon, 1e-4) << line;
    EXPECT_EQ(std::fmod(blk->strike1[0][k] + 360.0f, 360.0f), table[k].number(7)) << line;
    EXPECT_EQ(blk->dip1[0][k], table[k].number(8));
    EXPECT_EQ(blk->rake1[0][k], table[k].number(9));
    EXPECT_NEAR(blk->depth1[k], table[k].number(5), 1e-5);
    EXPECT_NEAR(blk->rmag1[k], table[k].number(6), 1e-5);

    // Written, read and written again: the same line.
    EXPECT_FALSE(write_catalogue_line(Layout::fpfit, *blk, k, out).overflowed());
    ASSERT_EQ(read_catalogue_line(Layout::fpfit, out, *blk, 60).status, LineStatus::read);
    std::string again;
    write_catalogue_line(Layout::fpfit, *blk, 60, again);
    EXPECT_EQ(again, out);
    if (prefix == std::string("hinv")) {
      // Complete lines of the northern California file differ only by the
      // leading zero of a one-digit hour.
      std::string zero_filled = line;
      if (zero_filled[9] == ' ') zero_filled[9] = '0';
      EXPECT_EQ(out, zero_filled);
    }
  }
}

}  // namespace
}  // namespace dorvix
