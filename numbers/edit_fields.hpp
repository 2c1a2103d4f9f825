#pragma once
// The in-place editors of edit.hpp, Iw and Fw.d over the blanks of a
// field, written out here so that a caller's constant widths and decimals
// reach them (a catalogue line edits some thirty fields at known places),
// and the free form of Fw.2 that every coordinate of the plot file takes.
// Values beyond their integer routes go to the general route of edit.cpp.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace dorvix::edit {

namespace field_detail {

// Two digits at a time from a table of the pairs 00..99.
inline constexpr char digit_pairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

inline constexpr unsigned long long powers_of_ten[20] = {1ULL,
                                                  10ULL,
                                                  100ULL,
                                                  1000ULL,
                                                  10000ULL,
                                                  100000ULL,
                                                  1000000ULL,
                                                  10000000ULL,
                                                  100000000ULL,
                                                  1000000000ULL,
                                                  10000000000ULL,
                                                  100000000000ULL,
                                                  1000000000000ULL,
                                                  10000000000000ULL,
                                                  100000000000000ULL,
                                                  1000000000000000ULL,
                                                  10000000000000000ULL,
                                                  100000000000000000ULL,
                                                  1000000000000000000ULL,
                                                  10000000000000000000ULL};

// The last `count` digits of n (leading zeros kept) written backwards
// before `end`; returns what stands before them, n / 10**count.
template <class Unsigned>
inline Unsigned write_digits_padded(Unsigned n, int count, char* end) {
  char* p = end;
  for (; count >= 2; count -= 2) {
    const auto k = static_cast<std::size_t>(n % 100) * 2;
    n /= 100;
    *--p = digit_pairs[k + 1];
    *--p = digit_pairs[k];
  }
  if (count == 1) {
    *--p = static_cast<char>('0' + static_cast<int>(n % 10));
    n /= 10;
  }
  return n;
}

// The digits of n written backwards from `p`, going no further down than
// `limit`. Returns where they begin, or nullptr when they do not fit.
// Values below 2**32 are taken in 32-bit arithmetic, which divides faster.
template <class Unsigned>
inline char* digits_down_to(Unsigned n, char* p, const char* limit) {
  while (n >= 100) {
    if (p - limit < 2) return nullptr;
    const auto k = static_cast<std::size_t>(n % 100) * 2;
    n /= 100;
    *--p = digit_pairs[k + 1];
    *--p = digit_pairs[k];
  }
  if (n >= 10) {
    if (p - limit < 2) return nullptr;
    const auto k = static_cast<std::size_t>(n) * 2;
    *--p = digit_pairs[k + 1];
    *--p = digit_pairs[k];
  } else {
    if (p == limit) return nullptr;
    *--p = static_cast<char>('0' + static_cast<int>(n));
  }
  return p;
}

inline char* digits_down_to_any(unsigned long long n, char* p, const char* limit) {
  return n <= 0xFFFFFFFFULL ? digits_down_to(static_cast<std::uint32_t>(n), p, limit) : digits_down_to(n, p, limit);
}

// Iw.m of v over the blanks of exactly w >= 1 columns at `field`, written
// from its last column backwards. False when the text is wider (the field
// then holds part of it).
inline bool integer_field(char* field, long long v, int w, int m) {
  if (m > w) return false;  // at least m digits
  const bool neg = v < 0;
  const unsigned long long mag = neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  char* const end = field + w;
  char* p = end;
  if (mag != 0 || m != 0) {  // Iw.0 shows no digit for zero
    p = digits_down_to_any(mag, p, field);
    if (p == nullptr) return false;
    while (end - p < m) *--p = '0';
  }
  if (neg) {
    if (p == field) return false;
    *--p = '-';
  }
  return true;
}

// The same over the blanks of exactly w >= 1 columns at `field`, written
// from its last column backwards. False when the text is wider (the field
// then holds part of it). D is the number of decimals when known to the
// compiler, else -1; the decimals and the whole part are then two
// independent chains of constant divisions.
template <int D>
inline bool fixed_field(char* field, unsigned long long n, bool neg, int w, int d) {
  if constexpr (D >= 0) d = D;
  if (d + 1 > w) return false;  // the point and the decimals at least
  char* const end = field + w;
  char* p = end - d;
  unsigned long long whole = 0;
  if constexpr (D >= 0) {
    whole = n / powers_of_ten[D];
    write_digits_padded(static_cast<std::uint32_t>(n % powers_of_ten[D]), D, end);
  } else {
    whole = write_digits_padded(n, d, end);
  }
  *--p = '.';
  if (whole == 0) {
    // The leading zero of "0.dd" is optional: it goes when the field is full.
    if (p - field >= (neg ? 2 : 1)) {
      *--p = '0';
    } else if (d == 0) {
      return false;
    }
  } else {
    p = digits_down_to_any(whole, p, field);
    if (p == nullptr) return false;
  }
  if (neg) {
    if (p == field) return false;
    *--p = '-';
  }
  return true;
}

inline bool fixed_field_of(char* field, unsigned long long n, bool neg, int w, int d) {
  switch (d) {
    case 0: return fixed_field<0>(field, n, neg, w, d);
    case 1: return fixed_field<1>(field, n, neg, w, d);
    case 2: return fixed_field<2>(field, n, neg, w, d);
    case 3: return fixed_field<3>(field, n, neg, w, d);
    case 4: return fixed_field<4>(field, n, neg, w, d);
    case 5: return fixed_field<5>(field, n, neg, w, d);
    default: return fixed_field<-1>(field, n, neg, w, d);
  }
}

// round(|v| * 10**d) of a single-precision value, d <= 10, at once and in
// integers: |v| = m * 2**e exactly, with the 24-bit m, so that
// |v| * 10**d = (m * 10**d) * 2**e, whose product has at most 24 + 34
// bits; a negative e shifts it right, rounding the half bit up (away from
// zero). False for an infinity or NaN, or a value whose scaled digits pass
// 64 bits (the general route then decides).
inline bool scaled_single(float v, int d, unsigned long long& n) {
  if (d > 10) return false;
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  const auto biased = static_cast<int>((bits >> 23) & 0xFF);
  if (biased == 0xFF) return false;
  const std::uint64_t m = (bits & 0x7FFFFFu) | (biased != 0 ? 0x800000u : 0u);
  const int e = (biased != 0 ? biased : 1) - 150;
  const std::uint64_t x = m * powers_of_ten[d];  // below 2**58
  if (e >= 0) {
    if (x != 0 && e > 64 - static_cast<int>(std::bit_width(x))) return false;
    n = x << e;
  } else if (e > -64) {
    n = (x + (std::uint64_t{1} << (-e - 1))) >> -e;
  } else {
    n = e == -64 ? x >> 63 : 0;  // below one half, or (x >= 2**63) at least a half
  }
  return true;
}

// Below this a double's step is at most one half, so that every k + 1/2
// is a double.
inline constexpr double quick_scaled_reach = 0x1p52;

// The same of a double-precision value, d <= 19: |v| = m * 2**e with the
// 53-bit m, and m * 10**d (at most 53 + 64 bits) in a 128-bit integer.
// The usual case takes |v| * 10**d rounded to double precision (10**d,
// d <= 9, is exact): below quick_scaled_reach, k + 1/2 is a double, so the
// rounding can bring the product onto a half but never across one; a
// product whose fraction is not exactly one half rounds as the exact
// product does, and one on a half goes the exact way.
inline bool scaled_double(double v, int d, unsigned long long& n) {
  if (d > 19) return false;
  if (d <= 9) {
    const double y = std::fabs(v) * static_cast<double>(powers_of_ten[d]);
    if (y < quick_scaled_reach) {  // false for NaN
      const auto whole = static_cast<std::uint64_t>(y);
      const double fraction = y - static_cast<double>(whole);
      if (fraction != 0.5) {
        n = whole + (fraction > 0.5 ? 1u : 0u);
        return true;
      }
    }
  }
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0x7FF) return false;
  constexpr std::uint64_t hidden = std::uint64_t{1} << 52;
  const std::uint64_t m = (bits & (hidden - 1)) | (biased != 0 ? hidden : 0);
  const int e = (biased != 0 ? biased : 1) - 1075;
  const unsigned __int128 x = static_cast<unsigned __int128>(m) * powers_of_ten[d];  // below 2**117
  unsigned __int128 scaled = 0;
  if (e >= 0) {
    if (e > 63 || (x >> (64 - e)) != 0) return false;
    scaled = x << e;
  } else if (e > -118) {
    scaled = (x + (static_cast<unsigned __int128>(1) << (-e - 1))) >> -e;
  }  // else below one half: 0
  if (scaled > ~0ULL) return false;
  n = static_cast<unsigned long long>(scaled);
  return true;
}

// Fw.d in place for the values beyond the integer routes above, and Fw.d
// with no field for those beyond the two-decimal route below (edit.cpp).
bool f_field_beyond(char* field, double v, int w, int d);
char* f_free_scaled(char* out, float v, int d);

// Below this magnitude a single-precision value takes the two-decimal
// route: |v| * 100 then stays below 2**32.
inline constexpr float two_decimal_reach = 1.0e7f;

// round(|v| * 100) of a single-precision |v| < two_decimal_reach, halves
// away from zero. The product of a 24-bit mantissa and 100 (7 bits) is
// exact in double, and so are its whole part and fraction: the rounding
// looks at the exact binary value, as the general route does.
inline std::uint32_t hundredths(float a) {
  const double x = static_cast<double>(a) * 100.0;
  const auto whole = static_cast<std::uint32_t>(x);
  return whole + (x - static_cast<double>(whole) >= 0.5 ? 1u : 0u);
}

// The whole parts 0 to 999 followed by the point ("7.", "42.", "283."),
// in four characters each (the rest of a short one is left over), and
// their lengths with the point: the whole part of a coordinate in points
// is written in one move, whatever its number of digits.
struct WholeParts {
  char text[1000][4];
  unsigned char length[1000];
};
inline constexpr WholeParts whole_parts = [] {
  WholeParts t{};
  for (unsigned w = 0; w < 1000; ++w) {
    const unsigned digits = w < 10 ? 1 : w < 100 ? 2 : 3;
    unsigned rest = w;
    for (unsigned k = digits; k > 0; --k) {
      t.text[w][k - 1] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    }
    t.text[w][digits] = '.';
    t.length[w] = static_cast<unsigned char>(digits + 1);
  }
  return t;
}();

// The text of Fw.2 with no field from n = round(|v| * 100) and the sign,
// at `out`; returns its end. The whole part is written forwards.
inline char* two_decimals_free(char* out, std::uint32_t n, bool neg) {
  *out = '-';
  out += neg ? 1 : 0;
  const std::uint32_t whole = n / 100;
  const std::size_t cents = static_cast<std::size_t>(n - whole * 100) * 2;
  char* p = out;
  if (whole < 1000) {
    std::memcpy(p, whole_parts.text[whole], 4);
    p += whole_parts.length[whole];
  } else {
    int count = 4;
    while (count < 10 && whole >= powers_of_ten[count]) ++count;
    p += count;
    write_digits_padded(whole, count, p);
    *p++ = '.';
  }
  std::memcpy(p, digit_pairs + cents, 2);
  return p + 2;
}

}  // namespace field_detail

inline bool i_field(char* field, long long v, int w, int m) {
  if (field_detail::integer_field(field, v, w, m)) return true;
  std::memset(field, '*', static_cast<std::size_t>(w));
  return false;
}

inline void a_field(char* field, std::string_view s, int w) {
  const auto width = static_cast<std::size_t>(w > 0 ? w : 0);
  if (s.size() >= width) {
    std::memcpy(field, s.data(), width);
  } else {
    std::memcpy(field + (width - s.size()), s.data(), s.size());
  }
}

namespace field_detail {

inline bool scaled_either(float v, int d, unsigned long long& n) { return scaled_single(v, d, n); }
inline bool scaled_either(double v, int d, unsigned long long& n) { return scaled_double(v, d, n); }

// Fw.d in place of a value of either precision.
template <typename Real>
inline bool f_field_of(char* field, Real v, int w, int d) {
  if (d < 0) d = 0;
  unsigned long long n = 0;
  if (!scaled_either(v, d, n)) return f_field_beyond(field, v, w, d);
  if (fixed_field_of(field, n, std::signbit(v), w, d)) return true;
  std::memset(field, '*', static_cast<std::size_t>(w));
  return false;
}

}  // namespace field_detail

inline bool f_field(char* field, double v, int w, int d) { return field_detail::f_field_of(field, v, w, d); }
inline bool f_field(char* field, float v, int w, int d) { return field_detail::f_field_of(field, v, w, d); }

inline char* f_free(char* out, float v, int d) {
  if (d == 2) {
    const float a = std::fabs(v);
    if (a < field_detail::two_decimal_reach) {  // false for NaN too
      return field_detail::two_decimals_free(out, field_detail::hundredths(a), std::signbit(v));
    }
  }
  return field_detail::f_free_scaled(out, v, d);
}

}  // namespace dorvix::edit
