#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "files/list_read.hpp"
#include "numbers/edit.hpp"
#include "numbers/fixed_fields.hpp"
#include "numbers/number_parse.hpp"
#include "support/tools.hpp"

namespace dorvix {
namespace {

TEST(NumberParse, IntegersAcceptOnlySignAndDigitsWithin32Bits) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"12", true, 12},   {"+7", true, 7},          {"-3", true, -3},          {"2147483647", true, 2147483647},
      {"1.5", false, 0},  {"abc", false, 0},       {"12x", false, 0},         {"", false, 0},
      {"-", false, 0},    {"2147483648", false, 0}, {"-2147483649", false, 0}, {"1e3", false, 0},
  };
  for (const auto& c : cases) {
    int v = -99;
    EXPECT_EQ(parse_int(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(NumberParse, RealsAcceptFortranFormsAndRefuseNonNumbers) {
  struct Case {
    const char* text;
    bool ok;
    float value;
  } cases[] = {
      {"2", true, 2.0f},      {"2.5", true, 2.5f},    {"-1.E3", true, -1000.0f}, {"1.5E-2", true, 0.015f},
      {"1.5d2", true, 150.0f}, {".5", true, 0.5f},    {"5.", true, 5.0f},        {"+3e+1", true, 30.0f},
      {"1e-50", true, 0.0f},  {"abc", false, 0},      {"nan", false, 0},         {"inf", false, 0},
      {"1e39", false, 0},     {"1.2.3", false, 0},    {"e5", false, 0},          {"1e", false, 0},
      {".", false, 0},        {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    real v = -99.0f;
    EXPECT_EQ(parse_real(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(FixedFields, NumericFieldsFollowTheBlankAndImpliedDecimalRules) {
  struct Case {
    const char* line;
    int col, width, decimals;
    bool ok;
    float value;
  } cases[] = {
      {"  1234", 1, 6, 2, true, 12.34f},   // implied decimals
      {"  12.5", 1, 6, 2, true, 12.5f},    // an explicit point wins
      {"      ", 1, 6, 2, true, 0.0f},     // blank field
      {"1 2 3 ", 1, 6, 0, true, 123.0f},   // blanks ignored
      {"   -5", 1, 5, 1, true, -0.5f},
      {"    5", 1, 5, 3, true, 0.005f},    // fewer digits than decimals
      {"abc", 1, 3, 0, false, 0.0f},
      {"12", 1, 6, 1, true, 1.2f},         // short line padded with blanks
      {"xx 7.25", 3, 5, 2, true, 7.25f},
      {"1.5E2", 1, 5, 1, true, 150.0f},
      {"15E2", 1, 4, 1, true, 150.0f},     // implied point in the mantissa
      {"1.5-3", 1, 5, 1, true, 0.0015f},   // exponent by its sign only
      {"  nan", 1, 5, 0, false, 0.0f},
  };
  for (const auto& c : cases) {
    real v = -99.0f;
    EXPECT_EQ(read_field_real(c.line, c.col, c.width, c.decimals, v), c.ok) << c.line;
    if (c.ok) {
      EXPECT_FLOAT_EQ(v, c.value) << c.line;
    }
  }
  int n = -1;
  EXPECT_TRUE(read_field_int("  4 2", 1, 5, n));
  EXPECT_EQ(n, 42);
  EXPECT_TRUE(read_field_int("", 3, 4, n));
  EXPECT_EQ(n, 0);
  EXPECT_FALSE(read_field_int(" 4.2", 1, 4, n));
  EXPECT_FALSE(read_field_int("99999999999", 1, 11, n));
  EXPECT_EQ(field_text("abc", 2, 4), "bc  ");
  EXPECT_EQ(field_text("abc", 9, 2), "  ");
  // A line cut short ends before its fields of nothing but blanks and tabs.
  EXPECT_TRUE(ends_before("11   19.1", 14) && ends_before("11   19.1  \t ", 14) && ends_before("abc", 4));
  EXPECT_FALSE(ends_before("11   19.1    4", 14) || ends_before("abc", 3) || ends_before("abc", 0));
}

TEST(ListRead, ValuesContinueOnFollowingLinesAndTheRestOfTheLastLineIsSkipped) {
  testing::TempDir dir;
  const auto file = dir / "values";
  testing::write_file(file, "3, 1.5\n\n  'two words'  7 extra\n 9\n");
  ASSERT_TRUE(units().open(33, file.string(), FileStatus::old_file));
  int n = 0, k = 0;
  real x = 0;
  std::string name;
  ListRead r(33);
  r >> n >> x >> name >> k;
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(n, 3);
  EXPECT_EQ(x, 1.5f);
  EXPECT_EQ(name, "two words");
  EXPECT_EQ(k, 7);
  int next = 0;
  ListRead r2(33);
  r2 >> next;  // "extra" was skipped with the rest of its line
  EXPECT_TRUE(r2.ok());
  EXPECT_EQ(next, 9);
  int more = 0;
  ListRead r3(33);
  r3 >> more;
  EXPECT_EQ(r3.status(), ReadResult::end_of_file);
  units().close(33);
}

TEST(ListRead, NullValuesSlashesRepeatsAndErrors) {
  int a = 1, b = 2, c = 3;
  auto r = ListRead::from_text("10,,30");
  r >> a >> b >> c;
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 2);  // null value: unchanged
  EXPECT_EQ(c, 30);

  a = 1, b = 2, c = 3;
  auto s = ListRead::from_text("4 / 5 6");
  s >> a >> b >> c;
  EXPECT_TRUE(s.ok());
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);

  real x = 0, y = 0, z = 0;
  auto t = ListRead::from_text("2*1.5 7");
  t >> x >> y >> z;
  EXPECT_TRUE(t.ok());
  EXPECT_EQ(x, 1.5f);
  EXPECT_EQ(y, 1.5f);
  EXPECT_EQ(z, 7.0f);

  auto u = ListRead::from_text("1 abc 3");
  u >> a >> b >> c;
  EXPECT_EQ(u.status(), ReadResult::error);

  auto v = ListRead::from_text("1.5");
  v >> a;  // a real where an integer is wanted
  EXPECT_EQ(v.status(), ReadResult::error);

  auto w = ListRead::from_text("1 2");
  w >> a >> b >> c;
  EXPECT_EQ(w.status(), ReadResult::end_of_file);

  std::string q;
  auto quoted = ListRead::from_text("'it''s', \"tab\tin\"");
  std::string q2;
  quoted >> q >> q2;
  EXPECT_EQ(q, "it's");
  EXPECT_EQ(q2, "tab\tin");

  auto nan = ListRead::from_text("nan");
  nan >> x;
  EXPECT_EQ(nan.status(), ReadResult::error);
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// Fields of every common shape read exactly as the C library reads the
// same number (a correctly rounded single-precision value).
TEST(FixedFields, DecimalFieldsReadAsCorrectlyRoundedSingles) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> mantissa(-99999999, 99999999);
  std::uniform_int_distribution<int> places(0, 9);
  char text[64];
  for (int n = 0; n < 20000; ++n) {
    const int m = mantissa(random) / (1 + n % 1000);
    const int d = places(random);
    std::snprintf(text, sizeof text, "%d", m < 0 ? -m : m);
    std::string digits = text;
    if (static_cast<int>(digits.size()) <= d) digits.insert(0, static_cast<std::size_t>(d + 1) - digits.size(), '0');
    const std::string with_point = (m < 0 ? "-" : "") + digits.substr(0, digits.size() - static_cast<std::size_t>(d)) +
                                   "." + digits.substr(digits.size() - static_cast<std::size_t>(d));
    const float want = std::strtof(with_point.c_str(), nullptr);
    real got = 0;
    ASSERT_TRUE(read_field_real("  " + with_point, 1, 2 + static_cast<int>(with_point.size()), 3, got)) << with_point;
    ASSERT_EQ(got, want) << with_point;
    // The same digits with the point implied by the field's decimals.
    const std::string implied = (m < 0 ? "-" : "") + digits;
    ASSERT_TRUE(read_field_real(implied, 1, static_cast<int>(implied.size()), d, got)) << implied;
    ASSERT_EQ(got, want) << implied << " with " << d << " decimals";
    ASSERT_EQ(std::signbit(got), std::signbit(want)) << with_point;
  }
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// The short decimal route of the fixed-column reader against its general
// route, for the real fields of both catalogue layouts, over a million
// seeded fields: written values, implied decimals, digits about 2**24,
// negative zero, blanks anywhere, leading zeros, long digit strings and
// text that is no number. Both read the same fields and give the same
// single-precision value, bit for bit.
TEST(FixedFields, ShortDecimalRouteMatchesTheGeneralRoute) {
  struct Shape {
    int w, d;
  };
  const Shape shapes[] = {{6, 3}, {9, 5}, {10, 5}, {7, 3}, {5, 2}, {6, 2}, {3, 0}, {4, 0}, {7, 2}, {5, 1}, {2, 0}, {4, 2}};
  constexpr int per_shape = 1'000'000 / static_cast<int>(std::size(shapes)) + 1;
  const std::string alphabet = "0123456789 +-.eEdD";
  std::mt19937 random(18);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (const Shape& s : shapes) {
    const auto w = static_cast<std::size_t>(s.w);
    for (int n = 0; n < per_shape; ++n) {
      std::string field;
      switch (n % 8) {
        case 0:  // as the writer edits it
          field = edit::f(static_cast<float>(static_cast<std::int32_t>(bits(random))) * 1e-7f *
                              std::pow(10.0f, static_cast<float>(s.w - s.d - 2)), s.w, s.d);
          break;
        case 1:  // digits only: implied decimals
          field = std::to_string(static_cast<std::int32_t>(bits(random)) % static_cast<std::int32_t>(std::pow(10, s.w - 1)));
          break;
        case 2: {  // the digits about 2**24, the point anywhere
          field = std::to_string((1 << 24) + static_cast<int>(bits(random) % 7) - 3);
          field.insert(bits(random) % (field.size() + 1), ".");
          if (bits(random) % 2 == 0) field.insert(0, "-");
          break;
        }
        case 3: {
          const char* zeros[] = {"-0", "-0.", "-.0", "-0.000", "+0", "0.0", "-000"};
          field = zeros[bits(random) % std::size(zeros)];
          break;
        }
        case 4:  // leading zeros, a sign
          field = std::string(bits(random) % 4, '0') + std::to_string(bits(random) % 1000) + "." +
                  std::to_string(bits(random) % 100);
          if (bits(random) % 2 == 0) field.insert(0, bits(random) % 2 == 0 ? "-" : "+");
          break;
        case 5:  // long digit strings
          field = std::to_string(bits(random)) + std::to_string(bits(random) % 1000);
          field.insert(bits(random) % field.size(), ".");
          break;
        default:  // anything of the alphabet
          for (std::size_t k = 0; k < w; ++k) field += alphabet[bits(random) % alphabet.size()];
          break;
      }
      // Blanks around it, or inside it now and then; then cut to the field.
      if (n % 3 == 0) field.insert(bits(random) % (field.size() + 1), 1, ' ');
      if (field.size() < w) field.insert(n % 2 == 0 ? 0 : field.size(), w - field.size(), ' ');
      field.resize(w, ' ');
      const std::string line = "#" + field + "#";
      real quick = 0, general = 0;
      const bool quick_reads = read_field_real(line, 2, s.w, s.d, quick);
      const bool general_reads = read_field_real_general(line, 2, s.w, s.d, general);
      ASSERT_EQ(quick_reads, general_reads) << "[" << field << "] " << s.d << " decimals";
      if (quick_reads) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(quick), std::bit_cast<std::uint32_t>(general))
            << "[" << field << "] " << s.d << " decimals: " << quick << " " << general;
      }
    }
  }
}

}  // namespace
}  // namespace dorvix
