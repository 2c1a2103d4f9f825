#pragma once
// Column files read as the map's point menu reads them: two variables,
// "X-long" and "Y-lat", from file columns 1 and 2 into the two columns of
// a 1000-line array, header layout 4, 2, 1, 2, only the file columns
// changeable, answers from the in-memory keyboard.

#include <array>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "colfile/column_layout.hpp"
#include "colfile/column_reader.hpp"
#include "dialogue/console_units.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/real.hpp"
#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

inline constexpr int column_unit = 12;
inline constexpr int array_lines = 1000;
// What the cells hold before a read: a read must leave unread cells so.
inline constexpr real untouched = -999.0f;

class ColumnFileTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    fresh();
  }

  // As at the start of a test, for each row of a table of cases.
  void fresh() {
    units().close_all();
    iocom = IoCom{};
    readrealsetup = ReadRealSetup{};
    xp.fill(untouched);
    yp.fill(untouched);
    nread = -1;
    out.clear();
  }

  // A file in the test's folder; `text` is written as it stands.
  std::string file(const std::string& name, const std::string& text) {
    const auto p = dir / name;
    write_file(p, text);
    return p.string();
  }

  // One call of the reader in `mode` (menus when even) with `answers` on
  // the keyboard; the screen is kept in `out`.
  int read(const std::string& path, const std::vector<std::string>& answers,
           SetupMode mode = setup::menu_from_passed) {
    std::string script;
    for (const auto& a : answers) script += a + "\n";
    type_raw(script);
    std::string read_title(20, ' ');
    std::string fname = edit_name(path);
    std::array<int, 2> jcola{1, 2}, jfcola{1, 2};
    std::array<std::string, 2> namvara{"X-long    ", "Y-lat     "};
    std::array<std::string, 2> namrcol{std::string(10, ' '), std::string(10, ' ')};
    int ierr = -1;
    HeaderLayout layout{.ndisp = 4, .iskip = 2, .ititle = 1, .iheader = 2};
    const std::array<std::span<real>, 2> columns{std::span<real>(xp), std::span<real>(yp)};
    ColumnArray data{.rdat = columns,
                     .jcola = jcola,
                     .jfcola = jfcola,
                     .namvara = namvara,
                     .nvar = 2,
                     .namrcol = namrcol,
                     .ncolused = 0,
                     .nread = nread};
    try {
      readreal6(ierr, read_title, fname, "long-lat data input", column_unit, layout, data, 1, mode);
      nread = data.nread;
    } catch (const RunEnded&) {
      nread = data.nread;
      out = screen();
      ADD_FAILURE() << "the run ended; the screen was:\n" << out;
      return -1;
    }
    title = read_title;
    out = screen();
    return ierr;
  }

  static std::string edit_name(const std::string& path) {
    std::string name = path;
    name.resize(std::max<std::size_t>(40, path.size()), ' ');
    return name;
  }

  // True when the screen holds these lines one after the other.
  ::testing::AssertionResult shows(const std::vector<std::string>& want) const {
    const auto all = split_lines(out);
    for (std::size_t k = 0; k + want.size() <= all.size(); ++k) {
      if (std::equal(want.begin(), want.end(), all.begin() + static_cast<std::ptrdiff_t>(k))) {
        return ::testing::AssertionSuccess();
      }
    }
    return ::testing::AssertionFailure() << "lines not shown together; screen was:\n" << out;
  }

  TempDir dir;
  std::array<real, array_lines> xp{}, yp{};
  int nread = -1;
  std::string title;
  std::string out;
};

inline std::uint32_t bits_of(real x) {
  std::uint32_t b = 0;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// The binary32 longitudes and latitudes of a real column file as the
// conversion script computed them, one pair a row.
inline std::vector<std::array<std::uint32_t, 2>> hex_values(const std::filesystem::path& p) {
  std::ifstream in(p);
  EXPECT_TRUE(in.is_open()) << "missing " << p;
  std::vector<std::array<std::uint32_t, 2>> rows;
  std::string lon, lat;
  while (in >> lon >> lat) {
    rows.push_back({static_cast<std::uint32_t>(std::stoul(lon, nullptr, 16)),
                    static_cast<std::uint32_t>(std::stoul(lat, nullptr, 16))});
  }
  return rows;
}

}  // namespace dorvix::testing
