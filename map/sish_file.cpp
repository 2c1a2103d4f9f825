// Lines of the Si-Sh file.

#include "map/sish_file.hpp"

#include <cmath>
#include <cstdlib>

#include "catalogue/angles.hpp"
#include "console/edit.hpp"

namespace dorvix {

namespace {

// Width of the SHmax fold, degrees: an axis and its opposite are one
// direction.
constexpr real half_turn_degrees = 180.0f;

// Fw.d of an angle in degrees whose range is a half-open turn: a value
// that rounds to the excluded end `from` is written as the included end
// `to`, the same direction (an SHmax of 179.96 as 0.0, an azimuth of
// -179.96 as 180.0).
void folded_field(std::string& line, double v, int w, int d, double from, double to) {
  const std::string field = edit::f(v, w, d);
  line += field == edit::f(from, w, d) ? edit::f(to, w, d) : field;
}

}  // namespace

std::string sish_header() {
  struct Column {
    std::string_view title;
    int width;
  };
  static constexpr Column columns[] = {
      {"Date", 10},  {"Time", 10},  {"Latitude", 6}, {"Longitude", 7}, {"Depth", 5},  {"Strike", 5},
      {"Dip", 4},    {"Rake", 5},   {"S1_azi", 6},   {"S1_plg", 5},    {"S2_azi", 6}, {"S2_plg", 5},
      {"S3_azi", 6}, {"S3_plg", 5}, {"Sv", 2},       {"AzSHmx", 6},
  };
  std::string line;
  for (const Column& c : columns) {
    line += ' ';
    edit::a(line, c.title, c.width);
  }
  return line;
}

std::string sish_row(const SishRow& r) {
  std::string line = " ";
  edit::a(line, r.date, 10);
  line += ' ';
  edit::a(line, r.time, 10);
  const auto field = [&line](double v, int w, int d) {
    line += ' ';
    edit::f(line, v, w, d);
  };
  field(r.lat, 6, 2);
  field(r.lon, 7, 2);
  field(r.depth, 5, 1);
  field(r.strike, 5, 0);
  field(r.dip, 4, 0);
  field(r.rake, 5, 0);
  for (std::size_t k = 0; k < 3; ++k) {
    line += ' ';
    folded_field(line, deg(r.az[k]), 6, 1, -half_turn_degrees, half_turn_degrees);
    field(deg(r.pl[k]), 5, 1);
  }
  line += ' ';
  edit::i(line, std::abs(r.isv), 1);
  line += "  ";
  // Adding zero turns a folded -0.0 into 0.0.
  folded_field(line, std::fmod(deg(r.azsh), half_turn_degrees) + 0.0f, 6, 1, half_turn_degrees, 0.0);
  return line;
}

}  // namespace dorvix
