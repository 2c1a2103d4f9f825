#pragma once
// The published catalogues of the real-data tests: where they are, and
// their comma-separated tables (one header line, then one row a mechanism).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dorvix::testing {

// The folder of the real catalogues: copies of published catalogues kept
// with the tests (see its PROVENANCE.md).
inline std::filesystem::path real_data_dir() { return DORVIX_REAL_DATA_DIR; }

// The lines of a real data file; fails the test when it is missing.
inline std::vector<std::string> real_data_lines(const std::string& name) {
  const auto path = real_data_dir() / name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.is_open()) << "missing real data file " << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One row of a mechanism table, split at the commas.
struct CsvRow {
  std::vector<std::string> cells;
  const std::string& operator[](std::size_t k) const { return cells.at(k); }
  double number(std::size_t k) const { return std::stod(cells.at(k)); }
};

// Rows of a mechanism table without its header line. Columns:
// 0 source_id, 1 date, 2 time, 3 lat, 4 lon, 5 depth_km, 6 mag,
// 7 strike1, 8 dip1, 9 rake1, 10 strike2, 11 dip2, 12 rake2, then axes.
inline std::vector<CsvRow> real_data_table(const std::string& name) {
  std::vector<CsvRow> rows;
  const auto lines = real_data_lines(name);
  for (std::size_t k = 1; k < lines.size(); ++k) {
    CsvRow row;
    std::stringstream cells(lines[k]);
    for (std::string cell; std::getline(cells, cell, ',');) row.cells.push_back(cell);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace dorvix::testing
