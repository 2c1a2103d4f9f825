#pragma once
// A drawing test: a plot test whose curve-parameter records start fresh
// too, with helpers to read boxes and records.

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "plot/draw.hpp"
#include "support/plot_fixture.hpp"
#include "support/transcript.hpp"

namespace dorvix::testing {

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

// The closing rule of a menu frame.
inline const std::string menu_tail = " " + std::string(43, '@');

using Point = std::pair<double, double>;

// A path of the Compressed dialect as drawn: its points in order.
struct Path {
  std::vector<Point> points;
  std::string end;  // "sk", or the polygon end ("cp", "cp gs" ...)
};

inline std::vector<Path> paths_of(const Lines& lines) {
  std::vector<Path> paths;
  for (const std::string& l : lines) {
    if (l == "np") {
      paths.emplace_back();
      continue;
    }
    if (paths.empty()) continue;
    std::istringstream in(l);
    double x = 0, y = 0;
    std::string op;
    if (in >> x >> y >> op && (op == "M" || op == "L")) {
      paths.back().points.emplace_back(x, y);
    } else if (paths.back().end.empty()) {
      paths.back().end = l;
    }
  }
  return paths;
}

// The point of the move that places the text record starting with `text`.
inline Point text_anchor(const Lines& lines, const std::string& text) {
  const auto t = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(text, 0) == 0; });
  auto m = std::make_reverse_iterator(t);
  m = std::find_if(m, lines.rend(), [](const std::string& l) { return l.size() > 2 && l.ends_with(" M"); });
  Point p{-1e9, -1e9};
  if (m != lines.rend()) std::istringstream(*m) >> p.first >> p.second;
  return p;
}

// The centre of a drawn symbol: the middle of its points' extent.
inline Point centre(const Path& p) {
  auto [xmin, xmax] = std::minmax_element(p.points.begin(), p.points.end());
  auto [ymin, ymax] = std::minmax_element(p.points.begin(), p.points.end(),
                                          [](const Point& a, const Point& b) { return a.second < b.second; });
  return {(xmin->first + xmax->first) / 2, (ymin->second + ymax->second) / 2};
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

// A drawing test on a plot in the Compressed dialect whose subplot 1 maps
// a user unit to one point (1/28.35 cm), origin at the corner of the page.
class PointsTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    open_plot(1);
    int s = 1;
    ssubplot(s, setup::passed);
    real x0 = 0, y0 = 0, xx = 1 / 28.35f, xy = 0, yx = 0, yy = 1 / 28.35f;
    sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
    drawn();
  }
  std::vector<Path> paths() { return paths_of(drawn()); }
};

}  // namespace dorvix::testing
