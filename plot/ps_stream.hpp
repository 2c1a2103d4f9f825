#pragma once
// The PostScript text of the plot file: one record per line, written
// straight into the buffer of the plot file's unit, and the number and
// string forms every record uses.

#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "dialogue/routine_header.hpp"
#include "files/unit_file.hpp"
#include "numbers/edit.hpp"
#include "numbers/real.hpp"

namespace dorvix::ps {

// The plot file, for records written straight into its buffer; nullptr
// when it is not open.
UnitFile* file();

// Writes one record (the end of line is added), straight into the plot
// file's buffer, or that of `out` (nullptr: nothing). Nothing when no plot
// file is open.
void record(std::string_view text);
void record(UnitFile* out, std::string_view text);

// The end of a point record: its operator (with its leading blank) and
// the end of line, kept in a block of fixed size so that each record
// copies it in one move.
struct RecordEnd {
  static constexpr std::size_t room = 16;
  char text[room] = {};
  std::size_t size = 0;
  constexpr explicit RecordEnd(std::string_view op) {
    // Every operator fits (its table checks it); a longer one would be cut.
    for (; size < op.size() && size + 1 < room; ++size) text[size] = op[size];
    text[size++] = '\n';
  }
};

// The record "x y" and the operator of a point of a path, at `p`, which
// has room for point_room characters; returns the end of the record.
inline char* point_text(char* p, real x, real y, const RecordEnd& end);

// Points of a path whose records need no test a point: every coordinate
// has a value and lies within a million points of the origin (short of the
// writable range), so that its number takes at most ten characters.
inline constexpr real plain_reach = 999999.0f;
bool plain_points(std::span<const real> x, std::span<const real> y, std::size_t n);
// The record of a plain point, as point_text writes it, at `p`, which has
// room for plain_point_room characters: two numbers of at most ten
// characters, the blank between them and the end, copied in one block.
inline constexpr std::size_t plain_point_room = 2 * 10 + 1 + RecordEnd::room;
inline char* plain_point_text(char* p, real x, real y, const RecordEnd& end);

// Clips a point into the writable range, plus or minus 9.9E7 points on
// each axis, writing the limits back. The points reset are counted until
// report_clipped() shows them in one warning box, headed by the routine
// `h` that reset the first of them: the first value reset on each axis
// ("x in meters =" and "==> reset to xmax =", the same for y) and the
// number of points reset. The path writers report once a path, when it is
// stroked or ends, and a text or a lone move at once, so that a line far
// off the sheet asks for one Return, not one a point; while a
// ResetReportBatch (plot/device.hpp) lives, the report waits for its end.
void clip_counted(real& x, real& y, const Header& h);
inline void clip(real& x, real& y, const Header& h) {
  constexpr real limit = 9.9e7f;  // max_ps_coordinate of the device
  if (x > limit || x < -limit || y > limit || y < -limit) clip_counted(x, y, h);
}
void report_clipped();
// The number of points reset and not yet reported.
int points_reset();

// A coordinate, line width or leading in points: fixed point with two
// decimals in its shortest form ("283.50", "0.50", "-12.30"), within ten
// characters: from 1.0E7 points on (1.0E6 for negative values) the
// decimals give way to the integer digits. A value with no number to show
// is written as 0 (callers never pass one).
void number(std::string& line, real v);
// The same at `out`, which has room for number_room characters; returns
// the end of the number. Every record's numbers are written by it.
inline char* number(char* out, real v);
inline constexpr std::size_t number_room = 48;
// Room of a point record.
inline constexpr std::size_t point_room = 2 * number_room + 1 + RecordEnd::room;
static_assert(point_room <= UnitFile::max_room);

// A colour component given in percent, as a fraction of 1, right-aligned in
// 6 columns with 3 decimals (" 0.500").
void fraction(std::string& line, real percent);

// The red, green and blue of colour table entry `index` as three
// fractions, each followed by a blank (" 0.500  0.000  0.000 "), edited
// anew.
void rgb(std::string& line, int index);
// The same text, rgb_size characters, edited once for the entry's present
// components and kept (plot/colour.cpp).
inline constexpr std::size_t rgb_size = 21;
std::string_view rgb_text(int index);

// Makes `index` the current colour (plt2blk.icurcol) while colour plotting
// is on and it is not the current colour already; true when its colour
// record must then be written (an index within the table).
bool colour_change(int index);

// A page number as a blank and three places ("   2"); a number too large
// for three places keeps all its digits.
void page_number(std::string& line, int page);

// The page comment "%%Page:" with the page number twice: its text, and
// the record.
std::string page_comment(int page);
void page_record(int page);

// The body of a PostScript string: "(", ")" and "\" get a backslash, bytes
// outside the printable ASCII range are written as three-digit octal
// escapes; the result is the same text to the interpreter.
void string_body(std::string& line, std::string_view text);

// A font size in whole points: the size truncated, at least 1 (a font
// scaled to 0 would draw nothing and make some interpreters fail).
int font_points(real txtsize);

namespace detail {
// Numbers of a million points and more, and those with no number to show.
char* wide_number(char* out, real v);
}  // namespace detail

inline char* number(char* out, real v) {
  // Every number on a sheet: below a million points (rounding margin
  // included) the two decimals always fit.
  if (v < 999999.0f && v > -999999.0f) return edit::f_free(out, v, 2);
  return detail::wide_number(out, v);
}

inline char* point_text(char* p, real x, real y, const RecordEnd& end) {
  p = number(p, x);
  *p++ = ' ';
  p = number(p, y);
  std::memcpy(p, end.text, RecordEnd::room);
  return p + end.size;
}

inline char* plain_point_text(char* p, real x, real y, const RecordEnd& end) {
  // number() of a value within plain_reach, without its test.
  p = edit::f_free(p, x, 2);
  *p++ = ' ';
  p = edit::f_free(p, y, 2);
  std::memcpy(p, end.text, RecordEnd::room);
  return p + end.size;
}

}  // namespace dorvix::ps
