#pragma once
// Runs of the real dorvix program for end-to-end tests: a script of answers
// on its standard input, in a temporary working directory, and helpers to
// build scripts and to read its console output.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/bounded_run.hpp"
#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

using Lines = std::vector<std::string>;

struct ProgramRun {
  int status = -1;  // exit status; 128 + the signal when one ended the run, as a shell gives it
  Lines lines;      // standard output and error
};

// Runs the program in `dir`, the answers typed one a line; a non-zero
// `file_size_limit` (bytes) limits the size of the files it writes.
// `program` is the one built unless another is named (an installed copy).
inline ProgramRun run_dorvix(const TempDir& dir, const Lines& answers, std::uintmax_t file_size_limit = 0,
                             const std::string& program = DORVIX_BINARY) {
  std::string input;
  for (const auto& a : answers) input += a + "\n";
  if (file_size_limit != 0) {
    const BoundedRun r = run_bounded(program, dir.path(), input, 300, std::size_t{1} << 28, file_size_limit);
    return {r.signal != 0 ? 128 + r.signal : r.status, split_lines(r.output)};
  }
  const CommandResult r = run_command("cd " + shell_quote(dir.path().string()) + " && " + shell_quote(program), input);
  return {r.status, split_lines(r.output)};
}

// The answers of one read through the reader's menu: the criteria menu
// with the given answers (when any), then the read of `file` in the layout
// of `choice` ("1000" FPFIT, "1001" HASH).
inline Lines read_script(const std::string& choice, const std::string& file, const Lines& criteria = {}) {
  Lines s{"1000"};
  if (!criteria.empty()) {
    s.push_back("100");
    s.insert(s.end(), criteria.begin(), criteria.end());
    s.push_back("99");
  }
  s.push_back(choice);
  s.push_back(file);
  return s;
}

// Script pieces joined, after the Return that closes the banner.
inline Lines script(std::initializer_list<Lines> parts) {
  Lines all{""};
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The lines from the first one equal to `first` (included) up to the next
// one equal to `last` (included); empty when `first` is missing.
inline Lines section(const Lines& lines, const std::string& first, const std::string& last, std::size_t from = 0) {
  const auto b = std::find(lines.begin() + static_cast<long>(from), lines.end(), first);
  if (b == lines.end()) return {};
  const auto e = std::find(b + 1, lines.end(), last);
  return Lines(b, e == lines.end() ? e : e + 1);
}

// True when `block` stands in `lines` as consecutive lines.
inline bool has_block(const Lines& lines, const Lines& block) {
  return std::search(lines.begin(), lines.end(), block.begin(), block.end()) != lines.end();
}

// The title row of a store listing by the main program.
inline const std::string listing_titles = " |   date   |  lat |  long |     label       |";

// The data rows of the last store listing.
inline Lines listed_rows(const Lines& lines) {
  const auto t = std::find(lines.rbegin(), lines.rend(), listing_titles);
  Lines rows;
  if (t == lines.rend()) return rows;
  for (auto it = t.base() + 1; it != lines.end() && it->rfind(" | ", 0) == 0; ++it) rows.push_back(*it);
  return rows;
}

// The identifiers of the last store listing.
inline std::vector<long long> listed_ids(const Lines& lines) {
  std::vector<long long> ids;
  for (const auto& row : listed_rows(lines)) ids.push_back(std::stoll(row.substr(29, 15)));
  return ids;
}

// A HASH catalogue line from its values (the layout's columns).
inline std::string hash_line(long long id, double lat, double lon, double depth, int strike, int dip, int rake) {
  char buf[160];
  std::snprintf(buf, sizeof buf,
                "2010  6  1  7  5 12.500 %8lld %9.5f %10.5f %7.3f  2.500 %4d %3d %4d  20  25   30  0.10   12  1.00 B",
                id, lat, lon, depth, strike, dip, rake);
  return buf;
}

}  // namespace dorvix::testing
