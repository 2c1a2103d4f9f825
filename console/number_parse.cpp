#include "console/number_parse.hpp"

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

// Room for the text of a number item; no number is that long.
constexpr std::size_t room = 128;

// Checks the shape of a real item and builds, at `text`, the text
// std::from_chars understands: no leading '+', 'e' for the exponent.
// Returns its length, or 0 for an item that is no real.
std::size_t real_text(std::string_view item, char* text) {
  if (item.size() >= room) return 0;
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
  if (mantissa_digits == 0) return 0;
  if (k < item.size()) {
    const char c = item[k];
    if (c != 'e' && c != 'E' && c != 'd' && c != 'D') return 0;
    ++k;
    text[n++] = 'e';
    if (k < item.size() && (item[k] == '+' || item[k] == '-')) text[n++] = item[k++];
    if (k == item.size()) return 0;
    for (; k < item.size(); ++k) {
      if (!is_digit(item[k])) return 0;
      text[n++] = item[k];
    }
  }
  return n;
}

}  // namespace

bool parse_real(std::string_view item, real& value) {
  char text[room];
  const std::size_t n = real_text(item, text);
  if (n == 0) return false;
  real v = 0.0f;
  const auto [ptr, ec] = std::from_chars(text, text + n, v);
  if (ptr != text + n) return false;
  if (ec == std::errc::result_out_of_range) {
    // Too large is unreadable; too small is zero (or a subnormal).
    text[n] = '\0';
    const double d = std::strtod(text, nullptr);
    if (!std::isfinite(d) || std::fabs(d) > 1.0) return false;
    v = static_cast<real>(d);
  } else if (ec != std::errc()) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

bool parse_real(std::string_view item, double& value) {
  char text[room];
  const std::size_t n = real_text(item, text);
  if (n == 0) return false;
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(text, text + n, v);
  if (ptr != text + n) return false;
  if (ec == std::errc::result_out_of_range) {
    // Too large is unreadable; too small is zero (or a subnormal).
    text[n] = '\0';
    v = std::strtod(text, nullptr);
    if (!(std::fabs(v) <= 1.0)) return false;
  } else if (ec != std::errc()) {
    return false;
  }
  // Within the single-precision range, as a single-precision item: the
  // geometry takes the value in single precision too.
  if (!(std::fabs(v) <= static_cast<double>(std::numeric_limits<real>::max()))) return false;
  value = v;
  return true;
}

}  // namespace dorvix
