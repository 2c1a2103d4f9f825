#pragma once
// A drawing test: a plot test whose curve-parameter records start fresh
// too, with helpers to read boxes and records.

#include <algorithm>
#include <string>
#include <vector>

#include "plot/draw.hpp"
#include "plot_fixture.hpp"

namespace dorvix::testing {

using Lines = std::vector<std::string>;

class DrawTest : public PlotTest {
 protected:
  void SetUp() override {
    PlotTest::SetUp();
    ptblock = PtBlock{};
    plevblock = PlevBlock{};
    pfixblock = PfixBlock{};
  }
  // The plot records written since the last call (or since the prolog).
  Lines drawn() {
    const Lines all = drawn_lines();
    if (seen_ > all.size()) seen_ = 0;  // a new plot file
    Lines fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

 private:
  std::size_t seen_ = 0;
};

// The head of a menu frame of a routine, and its closing rule.
inline Lines menu_head(const std::string& name) {
  std::string padded = name;
  padded.resize(std::max<std::size_t>(name.size(), 11), ' ');
  return {" " + std::string(43, '@'), " @ subroutine " + padded, " @" + std::string(42, '=')};
}
inline const std::string menu_tail = " " + std::string(43, '@');

// Lines joined in order.
inline Lines join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

inline long count_of(const Lines& lines, const std::string& line) {
  return std::count(lines.begin(), lines.end(), line);
}

inline bool contains(const Lines& lines, const std::string& line) { return count_of(lines, line) > 0; }

// The lines from the first that equals `from` up to the end.
inline Lines from_line(const Lines& lines, const std::string& from) {
  auto it = std::find(lines.begin(), lines.end(), from);
  return {it, lines.end()};
}

}  // namespace dorvix::testing
