// The number and string forms of the PostScript records.

#include <gtest/gtest.h>

#include <limits>

#include "plot/ps_stream.hpp"

namespace dorvix {
namespace {

TEST(PsNumbers, ShortestFixedFormWithTwoDecimalsInTenCharacters) {
  struct Case {
    real v;
    const char* want;
  } cases[] = {
      {283.5f, "283.50"},          {0.5f, "0.50"},           {-0.5f, "-0.50"},       {-12.3f, "-12.30"},
      {0.0f, "0.00"},              {0.567f, "0.57"},         {0.994f, "0.99"},       {0.996f, "1.00"},
      {9999999.0f, "9999999.00"},  {1.0e7f, "10000000."},    {9.9e7f, "99000000."},  {-999999.0f, "-999999.00"},
      {-1.0e6f, "-1000000.0"},     {-9.9e7f, "-99000000."},
  };
  for (const auto& c : cases) {
    std::string line;
    ps::number(line, c.v);
    EXPECT_EQ(line, c.want) << c.v;
    EXPECT_LE(line.size(), 10u);
  }
  std::string line;
  ps::number(line, std::numeric_limits<real>::quiet_NaN());
  EXPECT_EQ(line, "0.00");
}

TEST(PsNumbers, ColourFractionsAndPageNumbers) {
  std::string line;
  ps::fraction(line, 50.0f);
  ps::fraction(line, 100.0f);
  ps::fraction(line, 80.0f);
  EXPECT_EQ(line, " 0.500 1.000 0.800");
  line.clear();
  ps::page_number(line, 7);
  ps::page_number(line, 1234);
  EXPECT_EQ(line, "   7 1234");
  EXPECT_EQ(ps::font_points(0.4f), 1);
  EXPECT_EQ(ps::font_points(14.175f), 14);
  EXPECT_EQ(ps::font_points(std::numeric_limits<real>::quiet_NaN()), 1);
}

TEST(PsStrings, EscapesKeepTheTextForTheInterpreter) {
  std::string line;
  ps::string_body(line, std::string("()\\ok\n\0\xff", 8));
  EXPECT_EQ(line, "\\(\\)\\\\ok\\012\\000\\377");
}

}  // namespace
}  // namespace dorvix
