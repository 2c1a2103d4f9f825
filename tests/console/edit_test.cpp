#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <random>
#include <string>
#include <limits>

#include "console/edit.hpp"

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

// Reference: the exact decimal expansion of the value, rounded half away
// from zero at d decimals by hand.
std::string reference_fixed(float v, int d) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%.120f", std::fabs(static_cast<double>(v)));
  std::string s = buf;
  const auto dot = s.find('.');
  std::string digits = s.substr(0, dot) + s.substr(dot + 1, static_cast<std::size_t>(d));
  if (s[dot + 1 + static_cast<std::size_t>(d)] >= '5') {
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k == 0) {
      digits.insert(0, "1");
    } else {
      ++digits[k - 1];
    }
  }
  const std::size_t int_len = digits.size() - static_cast<std::size_t>(d);
  std::string out = std::signbit(v) ? "-" : "";
  out += digits.substr(0, int_len) + "." + digits.substr(int_len);
  return out;
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
    ASSERT_EQ(edit::f(v, 0, d), reference_fixed(v, d)) << v << " to " << d << " decimals";
  }
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// Fw.d by its quick routes (a text, a field in place, the free form of
// the plot numbers) against the general route (the exact decimal
// expansion), for the field shapes the catalogue lines and the plot file
// use, over a million seeded values: exact halves, the 2**24 boundary,
// negative zero, the edges of overflow, values with no number; in place,
// each also in double precision and beside it.
TEST(NumberEditing, QuickFixedPointRoutesMatchTheGeneralRoute) {
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
      switch (n % 8) {
        case 0: v = (2 * unit(random) - 1) * room; break;  // anywhere in the field
        case 1: v = static_cast<float>(bits(random) | 1) / static_cast<float>(1 << (s.d + 1)); break;  // exact halves
        case 2: v = static_cast<float>((1 << 24) + static_cast<int>(bits(random) % 7) - 3) * step; break;
        case 3: v = std::ldexp(static_cast<float>(bits(random)), static_cast<int>(bits(random) % 70) - 60); break;
        case 4: v = -std::ldexp(static_cast<float>(bits(random) % 64), -static_cast<int>(bits(random) % 40)); break;  // -0 too
        case 5: v = room + static_cast<float>(static_cast<int>(bits(random) % 9) - 4) * step * 0.25f; break;  // overflow edge
        case 6: v = std::nextafter((static_cast<float>(bits(random) % 100000) + 0.5f) * step, n % 16 < 8 ? 0.0f : 1e9f); break;
        case 7: v = n % 64 == 7 ? std::numeric_limits<float>::quiet_NaN() : -std::numeric_limits<float>::infinity(); break;
      }
      if (n % 2 == 1) v = -v;
      std::string general;
      edit::f_general(general, v, s.w, s.d);
      ASSERT_EQ(edit::f(v, s.w, s.d), general) << v << " F" << s.w << "." << s.d;
      if (s.w > 0) {
        std::string field(static_cast<std::size_t>(s.w), ' ');
        const bool fits = edit::f_field(field.data(), v, s.w, s.d);
        ASSERT_EQ(field, general) << v << " F" << s.w << "." << s.d << " in place";
        ASSERT_EQ(fits, general[0] != '*') << v;
        // In double precision: the value, or its neighbour a double's step
        // below or above (beside an exact half).
        const double fine = n % 3 == 0 ? v : std::nextafter(static_cast<double>(v), n % 3 == 1 ? 0.0 : 1e300);
        general.clear();
        edit::f_general(general, fine, s.w, s.d);
        field.assign(field.size(), ' ');
        ASSERT_EQ(edit::f_field(field.data(), fine, s.w, s.d), general[0] != '*') << fine;
        ASSERT_EQ(field, general) << std::setprecision(17) << fine << " F" << s.w << "." << s.d << " in place";
      } else {
        char text[edit::free_room(2)];
        ASSERT_EQ(std::string(text, edit::f_free(text, v, s.d)), general) << v << " to " << s.d << " decimals";
      }
    }
  }
}

// The free form with two decimals, which every coordinate of the plot
// file takes (the double product of the value and 100), against the
// general route, over a million seeded values: anywhere below the reach
// of the route and just beyond it, exact halves of a hundredth and their
// neighbours, carries into a new integer digit, tiny values and negative
// zero, and values with no number.
TEST(NumberEditing, TwoDecimalFreeFormMatchesTheGeneralRoute) {
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
    std::string general;
    edit::f_general(general, v, 0, 2);
    char text[edit::free_room(2)];
    ASSERT_EQ(std::string(text, edit::f_free(text, v, 2)), general) << v;
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
