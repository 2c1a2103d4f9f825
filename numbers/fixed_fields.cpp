#include "numbers/fixed_fields.hpp"

#include <cstdint>

#include "numbers/number_parse.hpp"

namespace dorvix {

namespace {

using fixed_fields_detail::columns;

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

}  // namespace

std::string field_text(std::string_view line, int col, int width) {
  std::string s(columns(line, col, width));
  if (width > 0) s.resize(static_cast<std::size_t>(width), ' ');
  return s;
}

bool ends_before(std::string_view line, int col) {
  const auto start = static_cast<std::size_t>(col > 0 ? col - 1 : 0);
  return start >= line.size() || line.find_first_not_of(" \t", start) == std::string_view::npos;
}

bool read_field_int_general(std::string_view line, int col, int width, int& value) {
  Squeezed s;
  if (!s.take(columns(line, col, width))) return false;
  if (s.size() == 0) {
    value = 0;
    return true;
  }
  return parse_int(s.view(), value);
}

namespace {

template <typename Real>
bool real_general(std::string_view line, int col, int width, int decimals, Real& value) {
  Squeezed s;
  if (!s.take(columns(line, col, width))) return false;
  if (s.size() == 0) {
    value = 0;
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

}  // namespace

bool read_field_real_general(std::string_view line, int col, int width, int decimals, real& value) {
  return real_general(line, col, width, decimals, value);
}
bool read_field_real_general(std::string_view line, int col, int width, int decimals, double& value) {
  return real_general(line, col, width, decimals, value);
}

}  // namespace dorvix
