#include "console/fixed_fields.hpp"

#include "console/number_parse.hpp"

namespace dorvix {

namespace {

std::string_view columns(std::string_view line, int col, int width) {
  const auto start = static_cast<std::size_t>(col > 0 ? col - 1 : 0);
  if (start >= line.size() || width <= 0) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

// The field without its blanks.
std::string squeezed(std::string_view line, int col, int width) {
  std::string s;
  for (char c : columns(line, col, width)) {
    if (c != ' ') s.push_back(c);
  }
  return s;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string field_text(std::string_view line, int col, int width) {
  std::string s(columns(line, col, width));
  if (width > 0) s.resize(static_cast<std::size_t>(width), ' ');
  return s;
}

bool read_field_int(std::string_view line, int col, int width, int& value) {
  const std::string s = squeezed(line, col, width);
  if (s.empty()) {
    value = 0;
    return true;
  }
  return parse_int(s, value);
}

bool read_field_real(std::string_view line, int col, int width, int decimals, real& value) {
  std::string s = squeezed(line, col, width);
  if (s.empty() || s == "+" || s == "-") {
    value = 0.0f;
    return s.empty();
  }
  // An exponent may also be written as a bare sign after the digits: 1.5-3.
  std::size_t mantissa_end = s.find_first_of("eEdD");
  if (mantissa_end == std::string::npos) {
    const std::size_t sign = s.find_first_of("+-", 1);
    if (sign != std::string::npos) {
      s.insert(sign, 1, 'E');
      mantissa_end = sign;
    } else {
      mantissa_end = s.size();
    }
  }
  if (s.find('.') == std::string::npos && decimals > 0) {
    // Implied decimal point: the last `decimals` digits of the mantissa.
    std::size_t first_digit = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    for (std::size_t k = first_digit; k < mantissa_end; ++k) {
      if (!is_digit(s[k])) return false;
    }
    const auto nd = mantissa_end - first_digit;
    const auto ud = static_cast<std::size_t>(decimals);
    if (nd < ud) {
      s.insert(first_digit, ud - nd, '0');
      mantissa_end += ud - nd;
    }
    s.insert(mantissa_end - ud, 1, '.');
  }
  return parse_real(s, value);
}

}  // namespace dorvix
