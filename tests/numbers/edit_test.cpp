#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <random>
#include <limits>
#include <string>
#include <vector>

#include "numbers/edit.hpp"

namespace dorvix {
namespace {

struct IntCase {
  long long v;
  int w, m;
  const char* want;
};

TEST(NumberEditing, IntegerFields) {
  const IntCase cases[] = {
      {7, 3, 1, "  7"},     {-7, 3, 1, " -7"},      {123, 3, 1, "123"},  {1234, 3, 1, "***"},
      {-12, 2, 1, "**"},    {5, 4, 3, " 005"},     {-5, 5, 3, " -005"}, {0, 3, 0, "   "},
      {42, 0, 1, "42"},     {-2147483648LL, 11, 1, "-2147483648"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(edit::i(c.v, c.w, c.m), c.want) << c.v << " I" << c.w << "." << c.m;
  }
}

struct RealCase {
  double v;
  int w, d;
  const char* want;
};

TEST(NumberEditing, FixedPointRoundsHalfAwayOnTheExactValue) {
  const RealCase cases[] = {
      {0.125f, 5, 2, " 0.13"},    // exactly a half: away from zero
      {-0.125f, 6, 2, " -0.13"},
      {2.675f, 5, 2, " 2.67"},    // the float lies below 2.675
      {0.5f, 4, 2, "0.50"},
      {0.5f, 3, 2, ".50"},        // optional leading zero dropped
      {-0.5f, 4, 2, "-.50"},
      {-0.001f, 5, 2, "-0.00"},   // sign kept
      {999.996f, 6, 2, "******"}, // rounds up to 1000.00
      {12.5f, 4, 0, " 13."},
      {3.14159274f, 0, 3, "3.142"},
      {1.0e20, 8, 1, "********"},
      {123456789.0f, 12, 1, " 123456792.0"},
      {0.0, 6, 3, " 0.000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(edit::f(c.v, c.w, c.d), c.want) << c.v << " F" << c.w << "." << c.d;
  }
}

TEST(NumberEditing, ExponentAndGeneralForms) {
  const RealCase e_cases[] = {
      {1234.5f, 12, 4, "  0.1235E+04"},
      {-0.000123f, 11, 3, " -0.123E-03"},
      {0.0, 10, 3, " 0.000E+00"},
      {9.9999f, 10, 3, " 0.100E+02"},
      {1.0e-120, 10, 3, " 0.100-119"},
  };
  for (const auto& c : e_cases) EXPECT_EQ(edit::e(c.v, c.w, c.d), c.want) << c.v;
  const RealCase g_cases[] = {
      {2.5f, 12, 6, " 2.50000    "},
      {-1000.0f, 12, 6, "-1000.00    "},
      {0.1f, 12, 6, "0.100000    "},
      {123456.0f, 12, 6, " 123456.    "},
      {1.0e7f, 12, 6, "0.100000E+08"},
      {0.015f, 12, 6, "0.150000E-01"},
      {999999.5, 12, 6, "0.100000E+07"},  // rounds out of the fixed range
      {5.0f, 20, 1, "              5.    "},
      {1500.0f, 20, 1, "             0.2E+04"},
  };
  for (const auto& c : g_cases) EXPECT_EQ(edit::g(c.v, c.w, c.d), c.want) << c.v;
}

TEST(NumberEditing, ValuesWithoutANumberFillTheFieldWithAsterisks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(edit::f(nan, 6, 2), "******");
  EXPECT_EQ(edit::e(-inf, 10, 3), "**********");
  EXPECT_EQ(edit::g(inf, 12, 6), "************");
  EXPECT_EQ(edit::f(nan, 0, 2), "*");
}

TEST(NumberEditing, LogicalAndTextFields) {
  EXPECT_EQ(edit::l(true, 2), " T");
  EXPECT_EQ(edit::l(false, 1), "F");
  EXPECT_EQ(edit::a("abc", 5), "  abc");
  EXPECT_EQ(edit::a("abcdef", 4), "abcd");
  EXPECT_EQ(edit::pad("abc", 5), "abc  ");
  EXPECT_EQ(edit::pad("abcdef", 4), "abcd");
  // In place, over the blanks of the field.
  std::string field(5, ' ');
  edit::a_field(field.data(), "abc", 5);
  EXPECT_EQ(field, "  abc");
  edit::a_field(field.data(), "vwxyz12", 5);
  EXPECT_EQ(field, "vwxyz");
}

TEST(NumberEditing, AppendingFormsBuildOneLine) {
  std::string line = " x=";
  edit::f(line, 1.5f, 6, 2);
  edit::x(line, 2);
  edit::i(line, -3, 3);
  EXPECT_EQ(line, " x=  1.50   -3");
}

TEST(NumberEditing, DigitCounts) {
  EXPECT_EQ(edit::digits(0), 1);
  EXPECT_EQ(edit::digits(999999), 6);
  EXPECT_EQ(edit::digits(10000000), 8);
  EXPECT_EQ(edit::digits(-1), 2);
  EXPECT_EQ(edit::digits(-2147483648LL), 11);
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// The reference of the real forms: the exact decimal expansion of a
// double, |v| = m * 2**e with a 53-bit m, worked out in nine-digit limbs
// (m times 2**e for e >= 0, else m times 5**-e, whose last -e digits are
// the fraction), then rounded half away from zero by hand and laid out by
// the Fortran rules.
struct Exact {
  bool neg = false;
  std::string whole;     // no leading zero, "0" below one
  std::string fraction;  // every digit of the fraction
};

Exact exact(double v) {
  Exact x;
  x.neg = std::signbit(v);
  int e = 0;
  const double mantissa = std::frexp(std::fabs(v), &e);
  const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
  e -= 53;
  constexpr std::uint64_t base = 1'000'000'000;
  std::vector<std::uint64_t> limbs{m % base, m / base};
  const auto times = [&](std::uint64_t k) {
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
      const std::uint64_t p = limb * k + carry;
      limb = p % base;
      carry = p / base;
    }
    for (; carry != 0; carry /= base) limbs.push_back(carry % base);
  };
  for (int k = e; k > 0; k -= 32) times(std::uint64_t{1} << std::min(k, 32));
  for (int k = -e; k > 0; k -= 13) times(static_cast<std::uint64_t>(std::pow(5.0, std::min(k, 13))));
  std::string digits;
  for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
    char nine[16];
    std::snprintf(nine, sizeof nine, "%09llu", static_cast<unsigned long long>(*limb));
    digits += nine;
  }
  const std::size_t point = e < 0 ? static_cast<std::size_t>(-e) : 0;
  if (digits.size() <= point) digits.insert(0, point + 1 - digits.size(), '0');
  const std::size_t whole = digits.size() - point;
  x.fraction = digits.substr(whole);
  const auto nz = digits.find_first_not_of('0');
  x.whole = nz < whole ? digits.substr(nz, whole - nz) : "0";
  return x;
}

// The first n digits (zeros after the last), rounded half away from zero
// by the digits beyond them; true when the carry made one digit more.
bool keep_rounded(std::string& digits, std::size_t n) {
  const bool up = digits.size() > n && digits[n] >= '5';
  digits.resize(n, '0');
  if (!up) return false;
  std::size_t k = n;
  while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
  if (k == 0) {
    digits.insert(0, "1");
    return true;
  }
  ++digits[k - 1];
  return false;
}

// The text right-aligned in w columns (w = 0: the text alone); when too
// wide, without its optional leading zero ("0." after the sign), else
// asterisks.
std::string laid_out(std::string text, int w) {
  if (w == 0) return text;
  const auto uw = static_cast<std::size_t>(w);
  const std::size_t zero = text[0] == '-' ? 1 : 0;
  if (text.size() > uw && text.compare(zero, 2, "0.") == 0 && text.size() > zero + 2) text.erase(zero, 1);
  if (text.size() > uw) return std::string(uw, '*');
  return std::string(uw - text.size(), ' ') + text;
}

std::string reference_fixed(const Exact& x, int w, int d) {
  const auto ud = static_cast<std::size_t>(d);
  std::string digits = x.whole + x.fraction;
  keep_rounded(digits, x.whole.size() + ud);
  std::string whole = digits.substr(0, digits.size() - ud);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  return laid_out((x.neg ? "-" : "") + whole + "." + digits.substr(digits.size() - ud), w);
}
std::string reference_fixed(double v, int w, int d) {
  if (!std::isfinite(v)) return std::string(static_cast<std::size_t>(w > 0 ? w : 1), '*');
  return reference_fixed(exact(v), w, std::max(d, 0));
}

// d significant digits and the exponent x of 0.digits * 10**x.
void significant_digits(const Exact& v, int d, std::string& digits, int& x) {
  const std::string all = v.whole + v.fraction;
  const auto first = all.find_first_not_of('0');
  digits = first == std::string::npos ? std::string() : all.substr(first);
  x = first == std::string::npos ? 0 : static_cast<int>(v.whole.size()) - static_cast<int>(first);
  if (keep_rounded(digits, static_cast<std::size_t>(d))) {
    digits.pop_back();
    ++x;
  }
}

std::string reference_exponent(const Exact& v, int w, int d) {
  std::string digits;
  int x = 0;
  significant_digits(v, d, digits, x);
  char exponent[8];
  std::snprintf(exponent, sizeof exponent, std::abs(x) > 99 ? "%+04d" : "E%+03d", x);
  return laid_out((v.neg ? "-0." : "0.") + digits + exponent, w);
}

std::string reference_general(const Exact& v, int w, int d) {
  std::string digits;
  int x = 0;
  significant_digits(v, d, digits, x);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  if (zero || (x >= 0 && x <= d)) return reference_fixed(v, w > 0 ? w - 4 : 0, zero ? d - 1 : d - x) + "    ";
  return reference_exponent(v, w, d);
}

TEST(NumberEditing, FixedPointMatchesTheExactExpansionOverManyValues) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> exponent(-30, 40);
  std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFF);
  for (int n = 0; n < 50000; ++n) {
    // Random mantissas over a wide range of magnitudes, and exact halves.
    float v = std::ldexp(static_cast<float>(bits(random)), exponent(random) - 24);
    if (n % 5 == 0) v = static_cast<float>(bits(random) % 100000) / 8.0f;
    if (n % 2 == 1) v = -v;
    const int d = n % 10;
    ASSERT_EQ(edit::f(v, 0, d), reference_fixed(v, 0, d)) << v << " to " << d << " decimals";
  }
}

// From 2**52 to the largest double a value has no binary fraction: the
// F, E and G forms and the general route against the exact expansion, in
// worked cases and in a million editions of seeded values (mantissas at
// every exponent, the powers of ten and their neighbours, exact halves of
// the last significant digit, single-precision values), with every number
// of decimals or digits up to 20, in no field, a wide one and one just
// fitting or just too narrow.
TEST(NumberEditing, RealFormsMatchTheExactExpansionUpToTheLargestDoubles) {
  const double largest = std::numeric_limits<double>::max();
  const RealCase f_cases[] = {
      {4503599627370496.0, 0, 9, "4503599627370496.000000000"},
      {1.0e17, 0, 3, "100000000000000000.000"},
      {6.0e20, 0, 0, "600000000000000000000."},
      {-6.0e20, 25, 0, "  -600000000000000000000."},
      {std::numeric_limits<float>::max(), 42, 1, " 340282346638528859811704183484516925440.0"},
      {largest, 0, 0,
       "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687817154045895"
       "35143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551339423045832"
       "36903222948165808559332123348274797826204144723168738177180919299881250404026184124858368."},
  };
  for (const auto& c : f_cases) {
    EXPECT_EQ(edit::f(c.v, c.w, c.d), c.want) << c.v << " F" << c.w << "." << c.d;
    std::string route;
    edit::f_general(route, c.v, c.w, c.d);
    EXPECT_EQ(route, c.want) << c.v << " F" << c.w << "." << c.d << " by the general route";
  }
  const RealCase e_cases[] = {
      {4503599627370496.0, 0, 20, "0.45035996273704960000E+16"},
      {1.0e17, 30, 20, "    0.10000000000000000000E+18"},
      {-largest, 0, 20, "-0.17976931348623157081+309"},
      {largest, 25, 20, ".17976931348623157081+309"},
      {2.5e21, 0, 1, "0.3E+22"},  // exactly a half: away from zero
      {-2.5e21, 8, 1, "-0.3E+22"},
  };
  for (const auto& c : e_cases) EXPECT_EQ(edit::e(c.v, c.w, c.d), c.want) << c.v << " E" << c.w << "." << c.d;
  const RealCase g_cases[] = {
      {4503599627370496.0, 30, 20, "     4503599627370496.0000    "},
      {1.0e17, 0, 20, "100000000000000000.00    "},
      {6.0e20, 30, 20, "    0.60000000000000000000E+21"},
  };
  for (const auto& c : g_cases) EXPECT_EQ(edit::g(c.v, c.w, c.d), c.want) << c.v << " G" << c.w << "." << c.d;

  std::mt19937_64 random(52);
  std::uniform_int_distribution<std::uint64_t> mantissa(std::uint64_t{1} << 52, (std::uint64_t{1} << 53) - 1);
  std::uniform_int_distribution<int> exponent(0, 971);
  std::uniform_int_distribution<int> small(0, 1'000'000);
  for (int n = 0; n < 250'000; ++n) {  // each value in four editions
    double v = 0;
    int d = n % 21;
    switch (n % 5) {
      case 0: v = std::ldexp(static_cast<double>(mantissa(random)), exponent(random)); break;
      case 1: v = std::ldexp(static_cast<double>(mantissa(random)), exponent(random) % 12); break;  // below 2**64
      case 2: {  // a power of ten from 10**16 and its neighbours
        v = std::pow(10.0, 16 + small(random) % 293);
        for (int k = small(random) % 5 - 2; k != 0; k += k < 0 ? 1 : -1) v = std::nextafter(v, k < 0 ? 0.0 : largest);
        break;
      }
      case 3: {  // q * 10**j with q * 5**j below 2**53, exact: E at one digit fewer than q's is a half
        const int j = 10 + small(random) % 12;
        const auto bound = static_cast<std::uint64_t>(std::ldexp(1.0, 53) / std::pow(5.0, j)) / 10;
        const std::uint64_t q = 10 * (mantissa(random) % bound) + 5;
        v = static_cast<double>(q) * std::pow(10.0, j);
        d = std::max(static_cast<int>(std::to_string(q).size()) - 1, 1);
        break;
      }
      case 4: {
        const float single = std::ldexp(static_cast<float>(small(random) | 0x800000), 29 + small(random) % 76);
        v = single;
        break;
      }
    }
    if (n % 2 == 1) v = -v;
    const Exact x = exact(v);
    const int digits = std::max(d, 1);
    // No field, a wide one, and the width of the text with 0 to 2 columns less.
    const auto width = [&](const std::string& text) {
      const int k = (n / 5) % 5;
      return k == 0 ? 0 : k == 1 ? 400 : static_cast<int>(text.size()) - (k - 2);
    };
    const int fw = width(reference_fixed(x, 0, d));
    const std::string fixed = reference_fixed(x, fw, d);
    ASSERT_EQ(edit::f(v, fw, d), fixed) << std::setprecision(17) << v << " F" << fw << "." << d;
    std::string route;
    edit::f_general(route, v, fw, d);
    ASSERT_EQ(route, fixed) << std::setprecision(17) << v << " F" << fw << "." << d << " by the general route";
    const int ew = width(reference_exponent(x, 0, digits));
    ASSERT_EQ(edit::e(v, ew, digits), reference_exponent(x, ew, digits))
        << std::setprecision(17) << v << " E" << ew << "." << digits;
    const int gw = std::max(width(reference_general(x, 0, digits)), 0);
    ASSERT_EQ(edit::g(v, gw, digits), reference_general(x, gw, digits))
        << std::setprecision(17) << v << " G" << gw << "." << digits;
  }
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// Fw.d by its quick routes (a text, a field in place, the free form of
// the plot numbers) and by the general route against the exact decimal
// expansion, for the field shapes the catalogue lines and the plot file
// use, over a million seeded values: exact halves, the 2**24 boundary,
// negative zero, the edges of overflow, values with no number, values
// from 2**52 to the largest single-precision one; in place, each also in
// double precision and beside it.
TEST(NumberEditing, QuickFixedPointRoutesMatchTheExactExpansion) {
  struct Shape {
    int w, d;
  };
  // HASH and FPFIT reals, the Si-Sh rows and the map's listing, then the
  // plot file's numbers (no field).
  const Shape shapes[] = {{6, 3}, {9, 5}, {10, 5}, {7, 3}, {5, 2}, {6, 2}, {7, 2}, {5, 1},
                          {4, 2}, {5, 0}, {4, 0}, {6, 1}, {8, 1}, {0, 2}, {0, 1}, {0, 0}};
  constexpr int per_shape = 1'000'000 / static_cast<int>(std::size(shapes)) + 1;
  std::mt19937 random(16);
  std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFF);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (const Shape& s : shapes) {
    const float room = s.w > 0 ? std::pow(10.0f, static_cast<float>(s.w - s.d - 1)) : 1.0e6f;
    const float step = std::pow(10.0f, static_cast<float>(-s.d));
    for (int n = 0; n < per_shape; ++n) {
      float v = 0;
      switch (n % 9) {
        case 0: v = (2 * unit(random) - 1) * room; break;  // anywhere in the field
        case 1: v = static_cast<float>(bits(random) | 1) / static_cast<float>(1 << (s.d + 1)); break;  // exact halves
        case 2: v = static_cast<float>((1 << 24) + static_cast<int>(bits(random) % 7) - 3) * step; break;
        case 3: v = std::ldexp(static_cast<float>(bits(random)), static_cast<int>(bits(random) % 70) - 60); break;
        case 4: v = -std::ldexp(static_cast<float>(bits(random) % 64), -static_cast<int>(bits(random) % 40)); break;  // -0 too
        case 5: v = room + static_cast<float>(static_cast<int>(bits(random) % 9) - 4) * step * 0.25f; break;  // overflow edge
        case 6: v = std::nextafter((static_cast<float>(bits(random) % 100000) + 0.5f) * step, n % 16 < 8 ? 0.0f : 1e9f); break;
        case 7: v = n % 64 == 7 ? std::numeric_limits<float>::quiet_NaN() : -std::numeric_limits<float>::infinity(); break;
        case 8: v = std::ldexp(static_cast<float>(bits(random) | 0x800000), 29 + static_cast<int>(bits(random) % 76)); break;
      }
      if (n % 2 == 1) v = -v;
      std::string want = reference_fixed(v, s.w, s.d);
      ASSERT_EQ(edit::f(v, s.w, s.d), want) << v << " F" << s.w << "." << s.d;
      std::string route;
      edit::f_general(route, v, s.w, s.d);
      ASSERT_EQ(route, want) << v << " F" << s.w << "." << s.d << " by the general route";
      if (s.w > 0) {
        std::string field(static_cast<std::size_t>(s.w), ' ');
        const bool fits = edit::f_field(field.data(), v, s.w, s.d);
        ASSERT_EQ(field, want) << v << " F" << s.w << "." << s.d << " in place";
        ASSERT_EQ(fits, want[0] != '*') << v;
        // In double precision: the value, or its neighbour a double's step
        // below or above (beside an exact half).
        const double fine = n % 3 == 0 ? v : std::nextafter(static_cast<double>(v), n % 3 == 1 ? 0.0 : 1e300);
        want = reference_fixed(fine, s.w, s.d);
        field.assign(field.size(), ' ');
        ASSERT_EQ(edit::f_field(field.data(), fine, s.w, s.d), want[0] != '*') << fine;
        ASSERT_EQ(field, want) << std::setprecision(17) << fine << " F" << s.w << "." << s.d << " in place";
      } else {
        char text[edit::free_room(2)];
        ASSERT_EQ(std::string(text, edit::f_free(text, v, s.d)), want) << v << " to " << s.d << " decimals";
      }
    }
  }
}

// The free form with two decimals, which every coordinate of the plot
// file takes (the double product of the value and 100), against the
// exact decimal expansion, over a million seeded values: anywhere below
// the reach of the route and just beyond it, exact halves of a hundredth
// and their neighbours, carries into a new integer digit, tiny values and
// negative zero, and values with no number.
TEST(NumberEditing, TwoDecimalFreeFormMatchesTheExactExpansion) {
  std::mt19937 random(13);
  std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFF);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  constexpr float reach = 1.0e7f;
  for (int n = 0; n < 1'000'000; ++n) {
    float v = 0;
    switch (n % 8) {
      case 0: v = unit(random) * 1000.0f; break;  // a coordinate on a sheet
      case 1: v = unit(random) * reach; break;
      case 2: v = static_cast<float>(bits(random) | 1) / 8.0f; break;  // x.x25 and x.x75: exact halves
      case 3: v = std::nextafter(static_cast<float>(bits(random) | 1) / 8.0f, n % 16 < 8 ? 0.0f : 1e9f); break;
      case 4: {  // around a carry: 9.995, 99.995, ...
        const float p = std::pow(10.0f, static_cast<float>(bits(random) % 7));
        v = std::nextafter(p - 0.005f, static_cast<float>(bits(random) % 3) * p);
        break;
      }
      case 5: {  // around the reach of the route
        v = reach;
        for (auto k = bits(random) % 6; k > 0; --k) v = std::nextafter(v, n % 16 < 8 ? 0.0f : 2 * reach);
        break;
      }
      case 6: v = std::ldexp(static_cast<float>(bits(random)), -static_cast<int>(bits(random) % 160)); break;
      case 7: v = n % 64 == 7 ? std::numeric_limits<float>::quiet_NaN() : n % 64 == 15 ? std::numeric_limits<float>::infinity() : -0.0f; break;
    }
    if (n % 2 == 1) v = -v;
    const std::string want = reference_fixed(v, 0, 2);
    char text[edit::free_room(2)];
    ASSERT_EQ(std::string(text, edit::f_free(text, v, 2)), want) << v;
  }
}

// Iw.m edited in place and appended, against the C library's %.*lld
// (at least m digits; no digit for zero when m is 0) right-aligned, for
// the integer fields of the catalogue lines, the Si-Sh rows and the map's
// listing, the date texts and the page numbers, over a million seeded
// values.
TEST(NumberEditing, IntegerFieldsMatchTheCLibrary) {
  struct Shape {
    int w, m;
  };
  const Shape shapes[] = {{4, 1}, {2, 1}, {2, 2}, {8, 1}, {10, 1}, {3, 1}, {0, 1}, {11, 1}, {4, 0}, {3, 3}, {1, 1}, {7, 1}};
  constexpr int per_shape = 1'000'000 / static_cast<int>(std::size(shapes)) + 1;
  std::mt19937 random(17);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (const Shape& s : shapes) {
    for (int n = 0; n < per_shape; ++n) {
      long long v = 0;
      switch (n % 4) {
        case 0: v = static_cast<std::int32_t>(bits(random)); break;
        case 1: v = static_cast<long long>(bits(random) % 2000) - 1000; break;
        case 2: {  // around the powers of ten, where the digits change
          const auto k = static_cast<int>(bits(random) % 11);
          v = static_cast<long long>(std::pow(10.0, k)) + static_cast<int>(bits(random) % 3) - 1;
          break;
        }
        case 3: v = n % 12 == 3 ? std::numeric_limits<std::int32_t>::min() : 0; break;
      }
      if (n % 2 == 1) v = -v;
      char digits[32];
      const int len = std::snprintf(digits, sizeof digits, "%.*lld", s.m, v);
      std::string want(digits, static_cast<std::size_t>(len));
      if (s.w > 0) want = len > s.w ? std::string(static_cast<std::size_t>(s.w), '*') : std::string(static_cast<std::size_t>(s.w - len), ' ') + want;
      ASSERT_EQ(edit::i(v, s.w, s.m), want) << v << " I" << s.w << "." << s.m;
      if (s.w > 0) {
        std::string field(static_cast<std::size_t>(s.w), ' ');
        ASSERT_EQ(edit::i_field(field.data(), v, s.w, s.m), want[0] != '*') << v;
        ASSERT_EQ(field, want) << v << " I" << s.w << "." << s.m << " in place";
      }
    }
  }
}

}  // namespace
}  // namespace dorvix
