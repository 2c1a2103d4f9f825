#include "console/fixed_fields.hpp"

#include <cstdint>

#include "console/number_parse.hpp"

namespace dorvix {

namespace {

std::string_view columns(std::string_view line, int col, int width) {
  const auto start = static_cast<std::size_t>(col > 0 ? col - 1 : 0);
  if (start >= line.size() || width <= 0) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The characters of a field without its blanks, in a small buffer with
// room for an implied decimal point, leading zeros and an exponent letter.
class Squeezed {
 public:
  static constexpr std::size_t room = 96;
  // False when the field holds more characters than the buffer takes (no
  // number is that long).
  bool take(std::string_view field) {
    for (char c : field) {
      if (c == ' ') continue;
      if (n_ >= room / 2) return false;
      s_[n_++] = c;
    }
    return true;
  }
  std::size_t size() const { return n_; }
  char operator[](std::size_t k) const { return s_[k]; }
  std::string_view view() const { return {s_, n_}; }
  void insert(std::size_t at, std::size_t count, char c) {
    for (std::size_t k = n_; k-- > at;) s_[k + count] = s_[k];
    for (std::size_t k = 0; k < count; ++k) s_[at + k] = c;
    n_ += count;
  }

 private:
  char s_[room];
  std::size_t n_ = 0;
};

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

// The usual real field: its digits M (taken as an integer) below 2**24.
// With k its decimals, M and 10**k (k <= 10) are exact single-precision
// values, so the one division M / 10**k is correctly rounded, as the
// general reader's result is. Returns false, leaving the field to the
// general reader, for anything else.
bool short_decimal(std::string_view field, int decimals, real& value) {
  static constexpr real powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  const UsualField f(field);
  // Blank, a lone sign or point: the general reader decides.
  if (!f.usual || f.digits == 0 || f.m >= (1u << 24)) return false;
  const int k = f.point ? f.after_point : decimals;
  if (k < 0 || k > 10) return false;
  const real v = static_cast<real>(static_cast<std::uint32_t>(f.m)) / powers[k];
  value = f.negative ? -v : v;
  return true;
}

}  // namespace

std::string field_text(std::string_view line, int col, int width) {
  std::string s(columns(line, col, width));
  if (width > 0) s.resize(static_cast<std::size_t>(width), ' ');
  return s;
}

namespace {

// An integer field by the general route: squeezed and read as an item.
[[gnu::noinline]] bool read_field_int_general(std::string_view line, int col, int width, int& value) {
  Squeezed s;
  if (!s.take(columns(line, col, width))) return false;
  if (s.size() == 0) {
    value = 0;
    return true;
  }
  return parse_int(s.view(), value);
}

}  // namespace

bool read_field_int(std::string_view line, int col, int width, int& value) {
  // The usual field: blanks, an optional sign and at most 9 digits, which
  // cannot overflow.
  if (const UsualField f(columns(line, col, width)); f.usual && !f.point && f.digits <= 9 && (f.digits > 0 || !f.sign)) {
    const auto v = static_cast<int>(f.m);
    value = f.negative ? -v : v;
    return true;
  }
  return read_field_int_general(line, col, width, value);
}

bool read_field_real(std::string_view line, int col, int width, int decimals, real& value) {
  return short_decimal(columns(line, col, width), decimals, value) ||
         read_field_real_general(line, col, width, decimals, value);
}

bool read_field_real_general(std::string_view line, int col, int width, int decimals, real& value) {
  Squeezed s;
  if (!s.take(columns(line, col, width))) return false;
  if (s.size() == 0) {
    value = 0.0f;
    return true;
  }
  const std::string_view v = s.view();
  if (v == "+" || v == "-") return false;
  // An exponent may also be written as a bare sign after the digits: 1.5-3.
  std::size_t mantissa_end = v.find_first_of("eEdD");
  if (mantissa_end == std::string_view::npos) {
    const std::size_t sign = v.find_first_of("+-", 1);
    if (sign != std::string_view::npos) {
      s.insert(sign, 1, 'E');
      mantissa_end = sign;
    } else {
      mantissa_end = s.size();
    }
  }
  if (s.view().find('.') == std::string_view::npos && decimals > 0) {
    // Implied decimal point: the last `decimals` digits of the mantissa.
    const std::size_t first_digit = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    for (std::size_t k = first_digit; k < mantissa_end; ++k) {
      if (!is_digit(s[k])) return false;
    }
    const std::size_t nd = mantissa_end - first_digit;
    const auto ud = static_cast<std::size_t>(decimals);
    if (ud > Squeezed::room / 2 - 2) return false;
    if (nd < ud) {
      s.insert(first_digit, ud - nd, '0');
      mantissa_end += ud - nd;
    }
    s.insert(mantissa_end - ud, 1, '.');
  }
  return parse_real(s.view(), value);
}

}  // namespace dorvix
