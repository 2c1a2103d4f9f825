#include "numbers/edit.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>

namespace dorvix::edit {

namespace {

using namespace field_detail;

void stars(std::string& out, int w) {
  if (w > 0) out.append(static_cast<std::size_t>(w), '*');
}

// Number of decimal digits of n (1 for 0): log10 from the bit length,
// corrected by one comparison.
int digit_count(unsigned long long n) {
  if (n < 10) return 1;  // the usual sizes first: coordinates, angles, counts
  if (n < 100) return 2;
  if (n < 1000) return 3;
  if (n < 10000) return 4;
  n |= 1;  // 0 has one digit, as 1 has; no power of ten above 1 is odd
  const int t = static_cast<int>(std::bit_width(n) * 1233) >> 12;  // 1233 / 4096 ~ log10(2)
  return t + (n >= powers_of_ten[t] ? 1 : 0);
}

// The digits of n written backwards, the last one just before `end`.
void write_digits(unsigned long long n, char* end) {
  char* p = end;
  while (n >= 100) {
    const auto k = static_cast<std::size_t>(n % 100) * 2;
    n /= 100;
    *--p = digit_pairs[k + 1];
    *--p = digit_pairs[k];
  }
  if (n >= 10) {
    const auto k = static_cast<std::size_t>(n) * 2;
    *--p = digit_pairs[k + 1];
    *--p = digit_pairs[k];
  } else {
    *--p = static_cast<char>('0' + static_cast<int>(n));
  }
}

// Adds one unit in the last place of a digit string.
void increment(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] == '9') {
      digits[k] = '0';
    } else {
      ++digits[k];
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

// Exact decimal expansion of a finite a >= 0: integer digits and every
// fractional digit (a double has at most 1074 of them).
void exact_expansion(double a, std::string& int_digits, std::string& frac_digits) {
  static thread_local std::string buf(1500, '\0');
  // As many decimals as the value has binary fraction digits (a =
  // m * 2**(e - 53) with a 53-bit m), which is where the expansion ends.
  int e = 0;
  std::frexp(a, &e);
  const int decimals = std::clamp(53 - e, 0, 1080);
  const int n = std::snprintf(buf.data(), buf.size(), "%.*f", decimals, a);
  const std::string_view s(buf.data(), static_cast<std::size_t>(n));
  // From 2**52 upwards a value has no binary fraction digit: no decimals
  // are asked for and the text has no point.
  const auto dot = s.find('.');
  int_digits.assign(s.substr(0, dot));
  auto frac = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
  while (!frac.empty() && frac.back() == '0') frac.remove_suffix(1);
  frac_digits.assign(frac);
}

// The digits of round(a * 10**d) for any finite a >= 0, from the exact
// decimal expansion.
std::string scaled_round_digits(double a, int d) {
  std::string int_digits, frac_digits;
  exact_expansion(a, int_digits, frac_digits);
  const auto ud = static_cast<std::size_t>(d);
  std::string digits = int_digits + frac_digits.substr(0, std::min(ud, frac_digits.size()));
  if (frac_digits.size() < ud) digits.append(ud - frac_digits.size(), '0');
  if (frac_digits.size() > ud && frac_digits[ud] >= '5') increment(digits);
  const auto nz = digits.find_first_not_of('0');
  return nz == std::string::npos ? "0" : digits.substr(nz);
}

// d significant digits of finite a > 0, rounded half away from zero, and
// the decimal exponent x such that a ~ 0.digits * 10**x.
void significant(double a, int d, std::string& digits, int& x) {
  std::string int_digits, frac_digits;
  exact_expansion(a, int_digits, frac_digits);
  std::string all;
  if (int_digits != "0") {
    all = int_digits + frac_digits;
    x = static_cast<int>(int_digits.size());
  } else {
    const auto nz = frac_digits.find_first_not_of('0');
    all = frac_digits.substr(nz);
    x = -static_cast<int>(nz);
  }
  const auto ud = static_cast<std::size_t>(d);
  digits = all.substr(0, std::min(ud, all.size()));
  if (digits.size() < ud) digits.append(ud - digits.size(), '0');
  if (all.size() > ud && all[ud] >= '5') {
    increment(digits);
    if (digits.size() > ud) {  // 9.99 -> 10.0
      digits.pop_back();
      ++x;
    }
  }
}

void right_align(std::string& out, std::string_view field, int w) {
  if (w == 0) {
    out.append(field);
    return;
  }
  if (static_cast<int>(field.size()) > w) {
    stars(out, w);
    return;
  }
  out.append(static_cast<std::size_t>(w) - field.size(), ' ');
  out.append(field);
}

// The longest text of the integer routes: a sign, 20 integer digits, the
// point and 19 decimals, or a sign and 62 digits of Iw.m.
constexpr int int_room = 64;

// Iw.m of v at `out` with no field (w = 0): the text alone. Returns its
// length.
int integer_free(char* out, long long v, int m) {
  const bool neg = v < 0;
  const unsigned long long mag = neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  if (m > int_room - 2) m = int_room - 2;
  const int count = mag == 0 && m == 0 ? 0 : digit_count(mag);  // Iw.0 shows no digit for zero
  const int size = (count > m ? count : m) + (neg ? 1 : 0);
  char* const end = out + size;
  char* p = end;
  if (count > 0) {
    write_digits(mag, p);
    p -= count;
  }
  while (end - p < m) *--p = '0';
  if (neg) *--p = '-';
  return size;
}

// The text of Fw.d with no field (w = 0) from its scaled value
// n = round(|v| * 10**d) and sign, at `out`. Returns its length. D is the
// number of decimals when known to the compiler (its divisions then become
// multiplications), else -1.
template <int D>
int fixed_free(char* out, unsigned long long n, bool neg, int d) {
  if constexpr (D >= 0) d = D;
  const unsigned long long scale = powers_of_ten[D >= 0 ? D : d];
  const unsigned long long whole = n / scale;
  const unsigned long long fraction = n % scale;
  const int int_digits = digit_count(whole);
  const int size = (neg ? 1 : 0) + int_digits + 1 + d;
  char* const end = out + size;
  char* p = end - d;
  write_digits_padded(fraction, d, end);
  *--p = '.';
  write_digits(whole, p);
  p -= int_digits;
  if (neg) *--p = '-';
  return size;
}

int fixed_free_of(char* out, unsigned long long n, bool neg, int d) {
  switch (d) {
    case 1: return fixed_free<1>(out, n, neg, d);
    case 2: return fixed_free<2>(out, n, neg, d);
    case 3: return fixed_free<3>(out, n, neg, d);
    default: return fixed_free<-1>(out, n, neg, d);
  }
}

// round(|v| * 10**d) of v by the quickest integer route that reaches it;
// false for a value with no number, or beyond the integer routes.
[[gnu::always_inline]] inline bool scaled(float v, int d, unsigned long long& n) {
  return scaled_single(v, d, n) || scaled_double(v, d, n);
}
[[gnu::always_inline]] inline bool scaled(double v, int d, unsigned long long& n) { return scaled_double(v, d, n); }

}  // namespace

void f_general(std::string& out, double v, int w, int d) {
  if (!std::isfinite(v)) {
    stars(out, w > 0 ? w : 1);  // a value with no number to show
    return;
  }
  if (d < 0) d = 0;
  const bool neg = std::signbit(v);
  const std::string all = scaled_round_digits(std::fabs(v), d);
  // Field: [-]int.frac, with at least one integer digit and d decimals.
  const auto ud = static_cast<std::size_t>(d);
  const std::size_t int_len = all.size() > ud ? all.size() - ud : 1;
  const std::size_t lead_zeros = all.size() > ud ? 0 : ud + 1 - all.size();
  const bool zero_int = int_len == 1 && (lead_zeros > 0 || all[0] == '0');
  const std::size_t full = (neg ? 1 : 0) + int_len + 1 + ud;
  const bool drop_zero = w > 0 && static_cast<int>(full) > w && zero_int && d > 0;
  const std::size_t size = full - (drop_zero ? 1 : 0);
  if (w > 0 && static_cast<int>(size) > w) {
    stars(out, w);
    return;
  }
  if (w > 0) out.append(static_cast<std::size_t>(w) - size, ' ');
  if (neg) out.push_back('-');
  // Integer part then fraction, from the digits padded on the left with
  // lead_zeros zeros.
  const std::size_t padded = lead_zeros + all.size();
  auto digit_at = [&](std::size_t k) { return k < lead_zeros ? '0' : all[k - lead_zeros]; };
  std::size_t pos = 0;  // position in the padded digit string
  for (; pos < padded - ud; ++pos) {
    if (!(drop_zero && pos == 0)) out.push_back(digit_at(pos));
  }
  out.push_back('.');
  for (; pos < padded; ++pos) out.push_back(digit_at(pos));
}

void i(std::string& out, long long v, int w) { i(out, v, w, 1); }

void i(std::string& out, long long v, int w, int m) {
  if (w > 0) {
    const std::size_t at = out.size();
    out.append(static_cast<std::size_t>(w), ' ');
    i_field(out.data() + at, v, w, m);
    return;
  }
  char buf[int_room];
  out.append(buf, static_cast<std::size_t>(integer_free(buf, v, m)));
}

void f(std::string& out, double v, int w, int d) {
  if (w > 0) {
    const std::size_t at = out.size();
    out.append(static_cast<std::size_t>(w), ' ');
    f_field(out.data() + at, v, w, d);
    return;
  }
  if (d < 0) d = 0;
  unsigned long long n = 0;
  if (scaled(v, d, n)) {
    char buf[int_room];
    out.append(buf, static_cast<std::size_t>(fixed_free_of(buf, n, std::signbit(v), d)));
  } else {
    f_general(out, v, 0, d);
  }
}

bool field_detail::f_field_beyond(char* field, double v, int w, int d) {
  if (d < 0) d = 0;
  unsigned long long n = 0;
  if (scaled(v, d, n)) {
    if (fixed_field_of(field, n, std::signbit(v), w, d)) return true;
  } else if (std::isfinite(v)) {
    std::string text;
    f_general(text, v, w, d);
    std::memcpy(field, text.data(), static_cast<std::size_t>(w));
    return text.front() != '*';
  }
  std::memset(field, '*', static_cast<std::size_t>(w));
  return false;
}

char* field_detail::f_free_scaled(char* out, float v, int d) {
  if (d < 0) d = 0;
  unsigned long long n = 0;
  if (scaled(v, d, n)) return out + fixed_free_of(out, n, std::signbit(v), d);
  // No number: "*".
  std::string text;
  f_general(text, v, 0, d);
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

void e(std::string& out, double v, int w, int d) {
  if (!std::isfinite(v)) {
    stars(out, w > 0 ? w : 1);  // a value with no number to show
    return;
  }
  if (d < 1) d = 1;
  const bool neg = std::signbit(v);
  std::string digits;
  int x = 0;
  if (v == 0.0) {
    digits.assign(static_cast<std::size_t>(d), '0');
  } else {
    significant(std::fabs(v), d, digits, x);
  }
  // E+ee, or +eee without the E beyond two exponent digits.
  char exponent[8];
  const int ax = x < 0 ? -x : x;
  std::snprintf(exponent, sizeof exponent, ax <= 99 ? "E%c%02d" : "%c%03d", x < 0 ? '-' : '+', ax);
  std::string field;
  if (neg) field.push_back('-');
  field += "0.";
  field += digits;
  field += exponent;
  if (w > 0 && static_cast<int>(field.size()) > w) field.erase(neg ? 1 : 0, 1);
  right_align(out, field, w);
}

void g(std::string& out, double v, int w, int d) {
  if (!std::isfinite(v)) {
    stars(out, w > 0 ? w : 1);  // a value with no number to show
    return;
  }
  if (d < 1) d = 1;
  const double a = std::fabs(v);
  constexpr int trailing_blanks = 4;
  if (a == 0.0) {
    f(out, v, w > 0 ? w - trailing_blanks : 0, d - 1);
    x(out, trailing_blanks);
    return;
  }
  // Fixed form when the value, rounded to d significant digits, lies in
  // [0.1, 10**d): then s digits stand before the point and d-s after it.
  std::string digits;
  int s = 0;
  significant(a, d, digits, s);
  if (s >= 0 && s <= d) {
    f(out, v, w > 0 ? w - trailing_blanks : 0, d - s);
    x(out, trailing_blanks);
  } else {
    e(out, v, w, d);
  }
}

void l(std::string& out, bool v, int w) {
  if (w > 1) x(out, w - 1);
  out.push_back(v ? 'T' : 'F');
}

void a(std::string& out, std::string_view s, int w) {
  if (static_cast<int>(s.size()) >= w) {
    out.append(s.substr(0, static_cast<std::size_t>(w)));
  } else {
    x(out, w - static_cast<int>(s.size()));
    out.append(s);
  }
}

void x(std::string& out, int n) {
  if (n > 0) out.append(static_cast<std::size_t>(n), ' ');
}

std::string i(long long v, int w) {
  std::string s;
  i(s, v, w);
  return s;
}
std::string i(long long v, int w, int m) {
  std::string s;
  i(s, v, w, m);
  return s;
}
std::string f(double v, int w, int d) {
  std::string s;
  f(s, v, w, d);
  return s;
}
std::string e(double v, int w, int d) {
  std::string s;
  e(s, v, w, d);
  return s;
}
std::string g(double v, int w, int d) {
  std::string s;
  g(s, v, w, d);
  return s;
}
std::string l(bool v, int w) {
  std::string s;
  l(s, v, w);
  return s;
}
std::string a(std::string_view s, int w) {
  std::string r;
  a(r, s, w);
  return r;
}

std::string pad(std::string_view s, std::size_t w) {
  std::string r(s.substr(0, std::min(w, s.size())));
  r.resize(w, ' ');
  return r;
}

int digits(long long v) {
  int n = v < 0 ? 2 : 1;
  unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  while (mag >= 10) {
    mag /= 10;
    ++n;
  }
  return n;
}

}  // namespace dorvix::edit
