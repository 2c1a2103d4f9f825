#include "console/edit.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace dorvix::edit {

namespace {

void stars(std::string& out, int w) {
  if (w > 0) out.append(static_cast<std::size_t>(w), '*');
}

// Decimal digits of an unsigned 128-bit value (no leading zeros, "0" for
// 0), written backwards so that they end just before `end`; returns their
// count (at most 39).
int put_digits(unsigned __int128 n, char* end) {
  char* p = end;
  while (n > ~0ULL) {  // 128-bit division only while the value needs it
    *--p = static_cast<char>('0' + static_cast<int>(n % 10));
    n /= 10;
  }
  // Two digits at a time from a table of the pairs 00..99.
  static constexpr char pairs[] =
      "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
      "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";
  auto small = static_cast<unsigned long long>(n);
  while (small >= 100) {
    const auto k = static_cast<std::size_t>(small % 100) * 2;
    small /= 100;
    *--p = pairs[k + 1];
    *--p = pairs[k];
  }
  if (small >= 10) {
    const auto k = static_cast<std::size_t>(small) * 2;
    *--p = pairs[k + 1];
    *--p = pairs[k];
  } else {
    *--p = static_cast<char>('0' + static_cast<int>(small));
  }
  return static_cast<int>(end - p);
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
  const int n = std::snprintf(buf.data(), buf.size(), "%.1080f", a);
  const std::string_view s(buf.data(), static_cast<std::size_t>(n));
  const auto dot = s.find('.');
  int_digits.assign(s.substr(0, dot));
  auto frac = s.substr(dot + 1);
  while (!frac.empty() && frac.back() == '0') frac.remove_suffix(1);
  frac_digits.assign(frac);
}

// The digits of round(a * 10**d), halves away from zero, for finite a >= 0
// and d >= 0. Exact: the rounding looks at the exact binary value, so a
// float that is exactly a half (0.125 to two decimals) rounds up, while
// one a little below a half (2.675f) rounds down.
//
// The usual case is done in 128-bit integers: a * 10**d = mant * 5**d *
// 2**shift with a 53-bit mantissa. The digits are written backwards ending
// just before `end` (room for 39 of them) and their count returned; 0 is
// returned when the value is out of reach of the integers.
int scaled_round_fast(double a, int d, char* end) {
  if (a == 0.0) {
    end[-1] = '0';
    return 1;
  }
  // A single-precision value (24-bit mantissa) times 10**d, d <= 12, needs
  // at most 24 + 28 bits: the double product is exact, and so are its
  // whole part and fraction.
  static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
  if (d <= 12 && static_cast<double>(static_cast<float>(a)) == a) {
    const double x = a * powers[d];
    if (x < 9.0e15) {
      auto n = static_cast<unsigned long long>(x);  // the whole part
      if (x - static_cast<double>(n) >= 0.5) ++n;
      return put_digits(n, end);
    }
  }
  int e = 0;
  const double m = std::frexp(a, &e);  // a = m * 2**e, 0.5 <= m < 1
  const auto mant = static_cast<unsigned long long>(std::ldexp(m, 53));
  const int shift = e - 53 + d;
  if (d > 30 || shift > 0) return 0;
  unsigned __int128 n = mant;
  for (int k = 0; k < d; ++k) n *= 5;  // < 2**53 * 5**30 < 2**123
  const int k = -shift;
  if (k >= 127) {
    n = 0;
  } else if (k > 0) {
    const unsigned __int128 one = 1;
    const unsigned __int128 q = n >> k;
    const unsigned __int128 r = n & ((one << k) - 1);
    n = r >= (one << (k - 1)) ? q + 1 : q;
  }
  return put_digits(n, end);
}

// The same from the exact decimal expansion, for any finite a >= 0.
std::string scaled_round(double a, int d) {
  char buf[40];
  if (const int len = scaled_round_fast(a, d, buf + 40); len > 0) return std::string(buf + 40 - len, buf + 40);
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

}  // namespace

void i(std::string& out, long long v, int w) { i(out, v, w, 1); }

void i(std::string& out, long long v, int w, int m) {
  const bool neg = v < 0;
  const unsigned long long mag = neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  if (mag == 0 && m == 0) {
    right_align(out, {}, w);
    return;
  }
  constexpr int room = 64;
  if (m > room - 2) m = room - 2;
  char buf[room];
  char* const end = buf + room;
  int len = put_digits(mag, end);
  while (len < m) end[-++len] = '0';
  if (neg) end[-++len] = '-';
  right_align(out, std::string_view(end - len, static_cast<std::size_t>(len)), w);
}

void f(std::string& out, double v, int w, int d) {
  if (!std::isfinite(v)) {
    stars(out, w > 0 ? w : 1);  // a value with no number to show
    return;
  }
  if (d < 0) d = 0;
  const bool neg = std::signbit(v);
  // The digits of the value scaled by 10**d: on the stack when they fit.
  char buf[40];
  std::string long_digits;
  std::string_view digits;
  if (const int len = scaled_round_fast(std::fabs(v), d, buf + 40); len > 0) {
    digits = std::string_view(buf + 40 - len, static_cast<std::size_t>(len));
  } else {
    long_digits = scaled_round(std::fabs(v), d);
    digits = long_digits;
  }
  // Field: [-]int.frac, with at least one integer digit and d decimals.
  const auto ud = static_cast<std::size_t>(d);
  const std::size_t int_len = digits.size() > ud ? digits.size() - ud : 1;
  const std::size_t lead_zeros = digits.size() > ud ? 0 : ud + 1 - digits.size();
  std::string_view all = digits;
  const bool zero_int = int_len == 1 && (lead_zeros > 0 || all[0] == '0');
  // The leading zero of "0.dd" is optional: it goes when the field is full.
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
  std::size_t pos = 0;  // position in the padded digit string
  const std::size_t padded = lead_zeros + all.size();
  auto digit_at = [&](std::size_t k) { return k < lead_zeros ? '0' : all[k - lead_zeros]; };
  for (; pos < padded - ud; ++pos) {
    if (!(drop_zero && pos == 0)) out.push_back(digit_at(pos));
  }
  out.push_back('.');
  for (; pos < padded; ++pos) out.push_back(digit_at(pos));
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
