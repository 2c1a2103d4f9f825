// Lines of the Si-Sh file.

#include "map/sish_file.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "geometry/angles.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

// Width of the SHmax fold, degrees: an axis and its opposite are one
// direction.
constexpr real half_turn_degrees = 180.0f;

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

void sish_row(char* line, const SishRow& r) {
  static const edit::FoldedField axis_azimuth(6, 1, -half_turn_degrees, half_turn_degrees);
  static const edit::FoldedField shmax_azimuth(6, 1, half_turn_degrees, 0.0);
  std::memset(line, ' ', sish_width);
  char* p = line + 1;
  // Each field after its blank.
  const auto text = [&p](std::string_view s, int w) {
    edit::a_field(p, s, w);
    p += w + 1;
  };
  const auto field = [&p](real v, int w, int d) {
    edit::f_field(p, v, w, d);
    p += w + 1;
  };
  text(r.date, 10);
  text(r.time, 10);
  field(r.lat, 6, 2);
  field(r.lon, 7, 2);
  field(r.depth, 5, 1);
  field(r.strike, 5, 0);
  field(r.dip, 4, 0);
  field(r.rake, 5, 0);
  for (std::size_t k = 0; k < 3; ++k) {
    axis_azimuth.write(p, deg(r.az[k]));
    p += 7;
    field(deg(r.pl[k]), 5, 1);
  }
  edit::i_field(p, std::abs(r.isv), 1);
  p += 3;
  // Adding zero turns a folded -0.0 into 0.0.
  shmax_azimuth.write(p, std::fmod(deg(r.azsh), half_turn_degrees) + 0.0f);
}

std::string sish_row(const SishRow& r) {
  std::string line(sish_width, ' ');
  sish_row(line.data(), r);
  return line;
}

}  // namespace dorvix
