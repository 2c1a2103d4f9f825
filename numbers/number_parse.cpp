#include "numbers/number_parse.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace dorvix {

namespace {
bool is_digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool parse_int(std::string_view item, int& value) {
  if (item.empty()) return false;
  std::size_t k = 0;
  if (item[0] == '+' || item[0] == '-') k = 1;
  if (k == item.size()) return false;
  for (std::size_t j = k; j < item.size(); ++j) {
    if (!is_digit(item[j])) return false;
  }
  // from_chars takes no leading '+'.
  if (item[0] == '+') item.remove_prefix(1);
  int v = 0;
  const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
  if (ec != std::errc() || ptr != item.data() + item.size()) return false;
  value = v;
  return true;
}

namespace {

// A real item in the precision of Real, refused beyond the single-precision
// range whatever the precision: every real is also computed with in single
// precision.
template <typename Real>
bool parse_in(std::string_view item, Real& value) {
  // Check the shape and build, on the stack, the text std::from_chars
  // understands: no leading '+', 'e' for the exponent.
  constexpr std::size_t room = 128;
  if (item.size() >= room) return false;  // no number is that long
  char text[room];
  std::size_t n = 0;
  std::size_t k = 0;
  if (k < item.size() && (item[k] == '+' || item[k] == '-')) {
    if (item[k] == '-') text[n++] = '-';
    ++k;
  }
  int mantissa_digits = 0;
  bool point = false;
  for (; k < item.size(); ++k) {
    const char c = item[k];
    if (is_digit(c)) {
      ++mantissa_digits;
      text[n++] = c;
    } else if (c == '.' && !point) {
      point = true;
      text[n++] = c;
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return false;
  if (k < item.size()) {
    const char c = item[k];
    if (c != 'e' && c != 'E' && c != 'd' && c != 'D') return false;
    ++k;
    text[n++] = 'e';
    if (k < item.size() && (item[k] == '+' || item[k] == '-')) text[n++] = item[k++];
    if (k == item.size()) return false;
    for (; k < item.size(); ++k) {
      if (!is_digit(item[k])) return false;
      text[n++] = item[k];
    }
  }
  Real v = 0;
  const auto [ptr, ec] = std::from_chars(text, text + n, v);
  if (ptr != text + n) return false;
  if (ec == std::errc::result_out_of_range) {
    // Too large is unreadable; too small is zero (or a subnormal).
    text[n] = '\0';
    const double d = std::strtod(text, nullptr);
    if (!std::isfinite(d) || std::fabs(d) > 1.0) return false;
    v = static_cast<Real>(d);
  } else if (ec != std::errc()) {
    return false;
  }
  if (!(std::fabs(v) <= std::numeric_limits<real>::max())) return false;
  value = v;
  return true;
}

}  // namespace

bool parse_real(std::string_view item, real& value) { return parse_in(item, value); }
bool parse_real(std::string_view item, double& value) { return parse_in(item, value); }

}  // namespace dorvix
