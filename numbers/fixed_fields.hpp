#pragma once
// Fields of fixed-column lines (catalogue lines, line files), read the way a
// Fortran formatted read with blanks ignored reads them:
//  - columns count from 1; a line shorter than the field reads as if padded
//    with blanks;
//  - blanks inside a numeric field are ignored and an all-blank field reads 0;
//  - a real written without a decimal point takes its last `decimals` digits
//    as decimals ("  1234" read with 2 decimals is 12.34);
//  - an integer field must hold an integer;
//  - NaN, infinities and overflow are unreadable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// The characters of columns [col, col + width), padded with blanks.
std::string field_text(std::string_view line, int col, int width);

// True when the line ends before column `col`: it holds nothing but blanks
// and tabs from that column on, so that a field starting there is not
// written at all (where reading it gives 0, as a blank field reads). A
// record cut short is told by its last field.
bool ends_before(std::string_view line, int col);

inline bool read_field_int(std::string_view line, int col, int width, int& value);
inline bool read_field_real(std::string_view line, int col, int width, int decimals, real& value);
// The same in double precision, for a field whose decimals a
// single-precision value cannot hold (a longitude of five decimals).
inline bool read_field_real(std::string_view line, int col, int width, int decimals, double& value);
// The same by the general route alone (the field squeezed and read as a
// number item). The readers above take a short route, written out below so
// that a caller's constant columns reach it, for the usual field, and give
// the same value.
bool read_field_int_general(std::string_view line, int col, int width, int& value);
bool read_field_real_general(std::string_view line, int col, int width, int decimals, real& value);
bool read_field_real_general(std::string_view line, int col, int width, int decimals, double& value);

namespace fixed_fields_detail {

inline std::string_view columns(std::string_view line, int col, int width) {
  const auto start = static_cast<std::size_t>(col > 0 ? col - 1 : 0);
  if (start >= line.size() || width <= 0) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

// The usual numeric field, read in its parts one after the other:
// blanks, a sign, digits, a point and digits, blanks. Each part is a
// short loop of its own, so that the branches of one field are few and
// mostly foreseen. Anything else (a blank between digits, an exponent)
// leaves the field to the general reader.
struct UsualField {
  std::uint64_t m = 0;  // the digits as an integer (exact while digits <= 19)
  int digits = 0;       // digits, leading zeros included
  int after_point = 0;  // digits after the point
  bool negative = false, point = false, sign = false;
  bool usual = false;  // nothing else in the field

  explicit UsualField(std::string_view field) {
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p != end && *p == ' ') ++p;
    if (p != end && (*p == '-' || *p == '+')) {
      sign = true;
      negative = *p == '-';
      ++p;
    }
    const char* const first = p;
    std::uint64_t v = 0;
    while (p != end && static_cast<unsigned>(*p - '0') < 10) v = v * 10 + static_cast<unsigned>(*p++ - '0');
    if (p != end && *p == '.') {
      point = true;
      const char* const decimals = ++p;
      while (p != end && static_cast<unsigned>(*p - '0') < 10) v = v * 10 + static_cast<unsigned>(*p++ - '0');
      after_point = static_cast<int>(p - decimals);
    }
    digits = static_cast<int>(p - first) - (point ? 1 : 0);
    while (p != end && *p == ' ') ++p;
    usual = p == end && digits <= 19;
    m = v;
  }
};

}  // namespace fixed_fields_detail

inline bool read_field_int(std::string_view line, int col, int width, int& value) {
  // The usual field: blanks, an optional sign and at most 9 digits, which
  // cannot overflow.
  const fixed_fields_detail::UsualField f(fixed_fields_detail::columns(line, col, width));
  if (f.usual && !f.point && f.digits <= 9 && (f.digits > 0 || !f.sign)) {
    const auto v = static_cast<int>(f.m);
    value = f.negative ? -v : v;
    return true;
  }
  return read_field_int_general(line, col, width, value);
}

inline bool read_field_real(std::string_view line, int col, int width, int decimals, real& value) {
  // The usual field: its digits M (taken as an integer) below 2**24. With k
  // its decimals, M and 10**k (k <= 10) are exact single-precision values,
  // so the one division M / 10**k is correctly rounded, as the general
  // reader's result is. A blank field, a lone sign or point, and anything
  // else go to the general reader.
  static constexpr real powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  const fixed_fields_detail::UsualField f(fixed_fields_detail::columns(line, col, width));
  const int k = f.point ? f.after_point : decimals;
  if (f.usual && f.digits > 0 && f.m < (1u << 24) && k >= 0 && k <= 10) {
    const real v = static_cast<real>(static_cast<std::uint32_t>(f.m)) / powers[k];
    value = f.negative ? -v : v;
    return true;
  }
  return read_field_real_general(line, col, width, decimals, value);
}

inline bool read_field_real(std::string_view line, int col, int width, int decimals, double& value) {
  // The usual field: its digits M below 2**53. M and 10**k (k <= 22) are
  // exact double-precision values, so the one division is correctly
  // rounded.
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const fixed_fields_detail::UsualField f(fixed_fields_detail::columns(line, col, width));
  const int k = f.point ? f.after_point : decimals;
  if (f.usual && f.digits > 0 && f.m < (std::uint64_t{1} << 53) && k >= 0 && k <= 22) {
    const double v = static_cast<double>(f.m) / powers[k];
    value = f.negative ? -v : v;
    return true;
  }
  return read_field_real_general(line, col, width, decimals, value);
}

}  // namespace dorvix
