#include "plot/ps_stream.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <ostream>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/psparams.hpp"

namespace dorvix::ps {

namespace {
// Room of a number in a record, as the driver has always written them.
constexpr int number_room_written = 10;
constexpr int number_decimals = 2;
// Half a unit of the last written decimal, and a little more, so that a
// value that rounds up to one more integer digit is counted with it.
constexpr double rounding_margin = 0.01 + 1.0e-7;
// The largest font size written (far beyond any sheet).
constexpr real max_font_points = 1.0e8f;
// Metres on paper per PostScript point, for the clipping messages.
constexpr real metres_per_point = 0.00035278f;
}  // namespace

static_assert(max_ps_coordinate == 9.9e7f, "the inline clip test uses the device's limit");

namespace {

// The points reset since the last report: the routine that reset the
// first, the first value reset on each axis with its limit, and the count.
struct ClipTally {
  int points = 0;
  Header header;
  bool x_reset = false, y_reset = false;
  real x_value = 0, x_limit = 0, y_value = 0, y_limit = 0;
};
ClipTally tally;
int open_batches = 0;  // ResetReportBatch objects alive

// Clips one coordinate; true when it was reset (value and limit kept in
// `value` and `limit`).
bool clip_one(real& v, real& value, real& limit) {
  const bool above = v > max_ps_coordinate;
  if (!above && !(v < -max_ps_coordinate)) return false;
  value = v;
  v = above ? max_ps_coordinate : -max_ps_coordinate;
  limit = v;
  return true;
}

void reset_lines(char axis, real value, real limit) {
  const std::string name(1, axis);
  say(name + " in meters = " + edit::g(value * metres_per_point, 10, 3));
  say("==> reset to " + name + (limit > 0 ? "max" : "min") + " = " + edit::g(limit * metres_per_point, 10, 3));
}

}  // namespace

void clip_counted(real& x, real& y, const Header& h) {
  real xv = 0, xl = 0, yv = 0, yl = 0;
  const bool xr = clip_one(x, xv, xl);
  const bool yr = clip_one(y, yv, yl);
  if (!xr && !yr) return;
  if (tally.points == 0) tally.header = h;
  ++tally.points;
  if (xr && !tally.x_reset) {
    tally.x_reset = true;
    tally.x_value = xv;
    tally.x_limit = xl;
  }
  if (yr && !tally.y_reset) {
    tally.y_reset = true;
    tally.y_value = yv;
    tally.y_limit = yl;
  }
}

int points_reset() { return tally.points; }

void report_clipped() {
  if (tally.points == 0 || open_batches > 0) return;
  const ClipTally t = tally;
  tally = {};
  // The run's end, which strokes an open path before the trailer, asks
  // for no Return and builds no box: memory may have run out.
  if (run_is_ending()) return;
  warninghead(t.header);
  if (t.x_reset) reset_lines('x', t.x_value, t.x_limit);
  if (t.y_reset) reset_lines('y', t.y_value, t.y_limit);
  ItemLine().text("POINTS RESET TO THE LIMITS:").integer(t.points, 6).write();
  warningtail00();
}

}  // namespace dorvix::ps

namespace dorvix {

ResetReportBatch::ResetReportBatch() { ++ps::open_batches; }
// A drawing that the run's end unwinds (a stop, an answer that ends the
// run) shows no box: the tally waits, and the run's end drops it.
ResetReportBatch::~ResetReportBatch() {
  if (--ps::open_batches == 0 && std::uncaught_exceptions() == 0) ps::report_clipped();
}

}  // namespace dorvix

namespace dorvix::ps {

UnitFile* file() { return units().output_file(psparams.ipsunit); }

void record(std::string_view text) { record(file(), text); }

void record(UnitFile* out, std::string_view text) {
  if (out == nullptr) return;
  if (text.size() >= UnitFile::max_room) {  // longer than a room of the buffer
    out->put(text.data(), text.size());
    out->put("\n", 1);
    return;
  }
  char* p = out->room(text.size() + 1);
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\n';
  out->commit(p + text.size() + 1);
}

char* detail::wide_number(char* out, real v) {
  static_assert(number_decimals == 2, "the quick route of number() writes two decimals");
  if (!std::isfinite(v)) v = 0;
  const double a = v;
  // Integer digits k and the characters needed with two decimals: the
  // digits, the point, the decimals and a minus sign. Below a million,
  // all of them fit.
  const double magnitude = a < 0 ? -a + rounding_margin : a + rounding_margin;
  int decimals = number_decimals;
  if (magnitude >= 1.0e6) {
    int k = 1;
    for (double p = 10.0; magnitude >= p && k < 40; p *= 10.0) ++k;
    const int sign = a < 0 ? 1 : 0;
    if (k + 1 + number_decimals + sign > number_room_written) decimals = number_room_written - k - 2;
    if (decimals < 0) decimals = 0;
  }
  static_assert(number_room >= edit::free_room(number_decimals));
  return edit::f_free(out, v, decimals);
}

bool plain_points(std::span<const real> x, std::span<const real> y, std::size_t n) {
  if (n > x.size() || n > y.size()) return false;
  // The largest magnitude as the bits of a value without its sign, which
  // order as the magnitudes do, infinity and the values that are not
  // numbers above all.
  static_assert(sizeof(real) == sizeof(std::uint32_t));
  std::uint32_t largest = 0;
  for (std::size_t i = 0; i < n; ++i) {
    largest = std::max(largest, std::bit_cast<std::uint32_t>(x[i]) & 0x7FFFFFFFu);
    largest = std::max(largest, std::bit_cast<std::uint32_t>(y[i]) & 0x7FFFFFFFu);
  }
  return largest < std::bit_cast<std::uint32_t>(plain_reach);
}

void number(std::string& line, real v) {
  char text[number_room];
  line.append(text, number(text, v));
}

void fraction(std::string& line, real percent) { edit::f(line, percent / real(100), 6, 3); }

void rgb(std::string& line, int index) {
  const auto k = static_cast<std::size_t>(index);
  for (real c : {plt2blk.red.at(k), plt2blk.green.at(k), plt2blk.blue.at(k)}) {
    fraction(line, c);
    line += ' ';
  }
}

void page_number(std::string& line, int page) {
  line += ' ';
  edit::i(line, page, page > 999 || page < -99 ? 0 : 3);
}

std::string page_comment(int page) {
  std::string line = "%%Page:";
  page_number(line, page);
  page_number(line, page);
  return line;
}

void page_record(int page) { record(page_comment(page)); }

void string_body(std::string& line, std::string_view text) {
  const auto as_is = [](unsigned char c) { return c >= 32 && c < 127 && c != '(' && c != ')' && c != '\\'; };
  for (std::size_t i = 0; i < text.size();) {
    // A run of characters written as they are, in one append.
    std::size_t end = i;
    while (end < text.size() && as_is(static_cast<unsigned char>(text[end]))) ++end;
    line.append(text, i, end - i);
    if (end == text.size()) return;
    i = end + 1;
    const char ch = text[end];
    const auto c = static_cast<unsigned char>(ch);
    if (c == '(' || c == ')' || c == '\\') {
      line += '\\';
      line += ch;
    } else {
      line += '\\';
      line += static_cast<char>('0' + ((c >> 6) & 7));
      line += static_cast<char>('0' + ((c >> 3) & 7));
      line += static_cast<char>('0' + (c & 7));
    }
  }
}

int font_points(real txtsize) {
  if (!(txtsize >= 1)) return 1;  // below 1 point, or no number
  if (txtsize > max_font_points) return static_cast<int>(max_font_points);
  return static_cast<int>(txtsize);
}

}  // namespace dorvix::ps
