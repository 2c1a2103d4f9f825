#include "dialogue/number_writers.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "dialogue_helpers.hpp"

namespace dorvix {
namespace {

using namespace testing;

using NumberWriters = ConsoleTest;

const std::string star43 = rule_of('*');

// The written characters and the rest of the text, which must be blank.
void expect_text(const std::string& ctext, int nchar, const std::string& want, const std::string& what) {
  ASSERT_GE(nchar, 0) << what;
  EXPECT_EQ(ctext.substr(0, static_cast<std::size_t>(nchar)), want) << what;
  EXPECT_EQ(ctext.find_first_not_of(' ', static_cast<std::size_t>(nchar)), std::string::npos) << what;
}

TEST_F(NumberWriters, IntegersInTheirShortestForm) {
  struct Case {
    int ival, nmax;
    const char* want;
  } cases[] = {
      {-7, 5, "-7"},
      {0, 10, "0"},
      {9, 1, "9"},
      {12345, 5, "12345"},
      {-100, 4, "-100"},
      {std::numeric_limits<int>::min(), 11, "-2147483648"},
      {2147483647, 12, "2147483647"},
  };
  for (const auto& c : cases) {
    std::string ctext(12, '#');
    int nchar = -1;
    intg2char(ctext, nchar, c.nmax, c.ival);
    expect_text(ctext, nchar, c.want, std::to_string(c.ival));
    carinm2(ctext, nchar, c.nmax, c.ival);
    expect_text(ctext, nchar, c.want, "carinm2 " + std::to_string(c.ival));
  }
  EXPECT_EQ(screen(), "");  // no box
}

TEST_F(NumberWriters, IntegerOverflowFillsOnlyTheRoomWithNines) {
  std::string ctext = "abcdefgh";
  int nchar = 0;
  intg2char(ctext, nchar, 3, 1234);
  EXPECT_EQ(ctext, "999defgh");
  EXPECT_EQ(nchar, 3);
  const Lines want = join({
      error_head("intg2char"),
      {" Cannot write integer =                 1234", " with only                     3 digits",
       " ==> NEED LONGER CHARACTER STRING", " ==> fill with 9 and set nchar =                    3",
       " ===> HIT RETURN TO CONTINUE", star43},
  });
  EXPECT_EQ(screen_lines(), want);

  // One column fewer than the number needs is an overflow.
  ctext = std::string(10, ' ');
  intg2char(ctext, nchar, 4, -100);
  EXPECT_EQ(ctext.substr(0, 4), "-100");
  intg2char(ctext, nchar, 3, -100);
  EXPECT_EQ(ctext.substr(0, 3), "999");
}

TEST_F(NumberWriters, WritersNeverWritePastTheirText) {
  std::string ctext(4, ' ');
  int nchar = 0;
  intg2char(ctext, nchar, 20, 123456);  // room beyond the text
  EXPECT_EQ(ctext, "9999");
  EXPECT_EQ(nchar, 4);
  real2charf1(ctext, nchar, 2, 20, real(123.25));
  EXPECT_EQ(ctext, "9999");
  EXPECT_EQ(nchar, 4);
  intg2char(ctext, nchar, -3, 5);  // no room at all
  EXPECT_EQ(nchar, 0);
  EXPECT_EQ(ctext, "9999");
  careafmpn(ctext, 8, 2, real(1.5));  // a field wider than the text
  EXPECT_EQ(ctext, "X   ");
  careaempn(ctext, 9, 2, real(1.5));
  EXPECT_EQ(ctext, "X   ");
  std::string empty;
  intg2char(empty, nchar, 5, 42);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(nchar, 0);
}

TEST_F(NumberWriters, RealsInTheirShortestFixedPointForm) {
  struct Case {
    real x;
    int ndec, nmax;
    const char* want;
  } cases[] = {
      // The worked results.
      {3.14159f, 2, 10, "3.14"},
      {-12.5f, 1, 10, "-12.5"},
      {9.996f, 2, 10, "10.00"},
      {9.991f, 2, 10, " 9.99"},
      {-0.25f, 2, 10, "-0.25"},
      {47.2f, 0, 10, "47."},
      {123.456f, 2, 5, " 123."},
      // Edge cases.
      {0.0f, 2, 10, "0.00"},
      {-1.0f, 2, 10, "-1.00"},
      {1000.0f, 0, 10, "1000."},
      {-1.25f, 1, 10, "-1.3"},
      {283.465f, 2, 10, "283.46"},  // the float lies below the half
      {0.5f, 3, 10, "0.500"},
      {47.2f, -2, 10, "47."},  // no decimals asked for below none
      {1.0e19f, 1, 30, " 9999999980506447872.0"},  // beyond 2**52 every digit is whole
      {-3.0e38f, 2, 50, "-300000000549775575777803994281145270272.00"},
  };
  for (const auto& c : cases) {
    std::string ctext(48, '#');
    int nchar = -1;
    real2charf1(ctext, nchar, c.ndec, c.nmax, c.x);
    expect_text(ctext, nchar, c.want, std::to_string(c.x));
  }
  // No room for the integer part: nines over the room, the rest untouched.
  std::string ctext(6, '#');
  int nchar = 0;
  real2charf1(ctext, nchar, 1, 4, real(12345.6));
  EXPECT_EQ(ctext, "9999##");
  EXPECT_EQ(nchar, 4);
}

TEST_F(NumberWriters, RealWithNoRoomForItsIntegerPartIsReported) {
  std::string ctext(10, ' ');
  int nchar = 0;
  real2charf1(ctext, nchar, 1, 4, real(12345.6));
  const Lines lines = screen_lines();
  EXPECT_EQ(lines[9], " Cannot write real =                    12345.59961");
  EXPECT_EQ(lines[10], " with only                     4 digits");
  EXPECT_EQ(lines[12], " ==> fill with 9 and set nchar =                    4");
}

TEST_F(NumberWriters, RealsWithoutANumberTakeTheReportedPath) {
  const real values[] = {std::numeric_limits<real>::quiet_NaN(), std::numeric_limits<real>::infinity(),
                         -std::numeric_limits<real>::infinity()};
  for (real x : values) {
    std::string ctext(12, '#');
    int nchar = 0;
    real2charf1(ctext, nchar, 2, 10, x);
    EXPECT_EQ(nchar, 7);  // 4 assumed integer places, the point, 2 decimals
    expect_text(ctext, nchar, "*******", std::to_string(x));
    const Lines lines = screen_lines();
    const Lines want = join({
        error_head("real2charf1"),
        {" Cannot get size of real = " + std::string(30, '*'), " set n before =                    4",
         " set nchar =                    7", " Watch for NaN or +/-Inf in output ?", " ===> HIT RETURN TO CONTINUE",
         star43},
    });
    EXPECT_EQ(lines, want);

    // Too little room for the assumed places: nines.
    real2charf1(ctext, nchar, 2, 5, x);
    EXPECT_EQ(ctext.substr(0, 5), "99999");
    screen();
  }
}

TEST_F(NumberWriters, PrimitivesRefuseImpossibleLayouts) {
  struct Case {
    bool fixed;
    int m, n;
  } refused[] = {{true, 5, 5},  {true, 0, 0},  {true, 100, 2}, {true, 4, -1},
                 {false, 6, 0}, {false, 9, 3}, {false, 100, 2}};
  for (const auto& c : refused) {
    std::string ctext(120, '#');
    if (c.fixed) {
      careafmpn(ctext, c.m, c.n, real(1.5));
    } else {
      careaempn(ctext, c.m, c.n, real(1.5));
    }
    EXPECT_EQ(ctext, "X" + std::string(119, ' ')) << c.m << "." << c.n;
    const Lines lines = screen_lines();
    EXPECT_TRUE(has(lines, c.fixed ? " fm.n is not a valid format" : " em.n is not a valid format"));
    EXPECT_TRUE(has(lines, "  ===> fill with X"));
  }
  std::string ctext(10, '#');
  careafmpn(ctext, 5, 0, real(3.0));
  EXPECT_EQ(ctext, "   3.     ");
  careaempn(ctext, 9, 2, real(-12345678.0));
  EXPECT_EQ(ctext, "-0.12E+08 ");
  careaempn(ctext, 7, 0, real(0.5));
  EXPECT_EQ(ctext.substr(0, 7), "0.5E+00");
  careafmpn(ctext, 3, 1, real(123.0));
  EXPECT_EQ(ctext.substr(0, 3), "***");
  EXPECT_EQ(screen(), "");
}

TEST_F(NumberWriters, FixedWidthLayoutsByMagnitude) {
  struct Case {
    int m;
    real x;
    const char* want;
  } cases[] = {
      // The worked results.
      {8, 0.0f, " 0.00000"},
      {8, 0.5f, " 0.50000"},
      {8, 123456.7f, " 123457."},
      {8, 12345678.0f, " 0.1E+08"},
      {8, 1.0e-6f, " 0.1E-05"},
      {10, -2.5f, "-2.5000000"},
      // Edge cases.
      {8, 0.05f, " 0.05000"},
      {8, 1234567.0f, "1234567."},
      {8, -1234567.0f, "********"},  // m - 1 integer places and a sign
      {9, 1.0e-4f, " 0.000100"},
      {9, 2.5e-5f, " 0.000025"},  // log10 truncated toward zero: -4
      {9, 2.5e-6f, " 0.25E-05"},
      {9, 1.5f, " 1.500000"},
      {3, 7.0f, " 7."},
  };
  for (const auto& c : cases) {
    std::string ctext(12, '#');
    caream(ctext, c.m, c.x);
    EXPECT_EQ(ctext, c.want + std::string(12 - static_cast<std::size_t>(c.m), ' ')) << c.m << " " << c.x;
  }
  EXPECT_EQ(screen(), "");
}

TEST_F(NumberWriters, FixedWidthReportsWithoutPause) {
  const std::string stars = " " + std::string(27, '*');
  std::string ctext(6, '#');
  caream(ctext, 2, real(1.0));
  EXPECT_EQ(ctext, "X     ");
  EXPECT_EQ(screen_lines(), (Lines{stars, " *** ERROR in caream     ***", " *** m =            2 need m >            2",
                                   " *** => fill with X      ***", stars}));
  caream(ctext, 6, real(1234567.0));
  EXPECT_TRUE(has(screen_lines(), " *** m =            6 1+log10(x) >            7"));
  caream(ctext, 6, real(2.0e-7));
  EXPECT_TRUE(has(screen_lines(), " *** m =            6 log10(x) <           -6"));
  EXPECT_EQ(ctext, "X     ");

  // Values without a number: reported the same way, never undefined.
  caream(ctext, 6, std::numeric_limits<real>::quiet_NaN());
  EXPECT_EQ(ctext, "X     ");
  EXPECT_TRUE(has(screen_lines(), " *** m =            6 x is not a finite number"));
  caream(ctext, 6, -std::numeric_limits<real>::infinity());
  EXPECT_EQ(ctext, "X     ");
}

}  // namespace
}  // namespace dorvix
