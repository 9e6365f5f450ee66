#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace mirvane {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinInt64 = std::numeric_limits<std::int64_t>::min();

struct ValueCase {
  std::string_view text;
  double value;
};

void ExpectLeadingValues(const std::vector<ValueCase>& cases) {
  for (const ValueCase& c : cases) {
    EXPECT_EQ(LeadingNumberValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(NumbersTest, LeadingNumberValueReadsDecimalNumbers) {
  ExpectLeadingValues({
      {"", 0},
      {"abc", 0},
      {"0", 0},
      {"00012", 12},
      {"-3", -3},
      {"+4", 4},
      {"12.5", 12.5},
      {".5", 0.5},
      {"-.5", -0.5},
      {"5.", 5},
      {"0.1", 0.1},  // read exactly as the nearest double
      {"123456789012345678", 123456789012345678.0},
  });
}

TEST(NumbersTest, LeadingNumberValueStopsAtTheFirstCharacterThatDoesNotFit) {
  ExpectLeadingValues({
      {"9a7", 9},
      {"7x", 7},
      {"1.2.3", 1.2},
      {"1,000", 1},
      {"12 34", 12},
      {"- 5", 0},  // the sign must touch the digits
      {"--5", 0},
      {".", 0},
      {"-", 0},
      {"e5", 0},
  });
}

TEST(NumbersTest, LeadingNumberValueSkipsLeadingBlanks) {
  ExpectLeadingValues({
      {"   42", 42},
      {"\t\n 42", 42},
      {"  12.5e1x", 125},
      {" \n-8", -8},
  });
}

TEST(NumbersTest, LeadingNumberValueReadsExponents) {
  ExpectLeadingValues({
      {"1e3", 1000},
      {"1E+3", 1000},
      {"2.5e-1", 0.25},
      {"1d2", 100},
      {"1D-2", 0.01},
      {"-1.5E2", -150},
      {"1e", 1},  // a mark without digits adds nothing
      {"1e+", 1},
      {"1ex", 1},
      {"3e2.5", 300},
      {"1e400", kInfinity},
      {"-1e400", -kInfinity},
      {"1e-400", 0},
      {"0e999999999999999999999", 0},
      {"1e999999999999999999999", kInfinity},
      {"0.000000000000000000000000000001e30", 1},
  });
}

TEST(NumbersTest, LeadingNumberValueReadsHexadecimalAndOctal) {
  ExpectLeadingValues({
      {"&H1F", 31},
      {"&h1f", 31},
      {"&O17", 15},
      {"&o17", 15},
      {"&17", 15},
      {"  &H10", 16},
      {"&H1Fz", 31},
      {"&18", 1},  // 8 is no octal digit
      {"&O9", 0},
      {"&H", 0},
      {"&", 0},
      {"&HG", 0},
      {"&X1", 0},
  });
}

TEST(NumbersTest, LeadingNumberValueReadsPrefixedNumbersAsTwosComplement) {
  ExpectLeadingValues({
      {"&H7FFF", 32767},
      {"&H8000", -32768},
      {"&HFFFF", -1},
      {"&O177777", -1},
      {"&H0000FFFF", -1},  // the value decides, not the number of digits
      {"&H10000", 65536},
      {"&H7FFFFFFF", 2147483647},
      {"&H80000000", -2147483648.0},
      {"&HFFFFFFFF", -1},
      {"&H100000000", 4294967296.0},
  });
}

TEST(NumbersTest, RoundHalfEvenRoundsHalvesToTheEvenNeighbour) {
  struct Case {
    double value;
    double rounded;
  };
  const std::vector<Case> cases = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {85.5, 86},
      {86.5, 86},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {1.4, 1},
      {1.6, 2},
      {-1.6, -2},
      {-1.4, -1},
      {0.49999999999999994, 0},  // the largest double below one half
      {4503599627370495.5, 4503599627370496.0},
      {1e300, 1e300},
      {kInfinity, kInfinity},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
  }
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

TEST(NumbersTest, WholeNumberRoundsAndClamps) {
  struct Case {
    double value;
    std::int64_t whole;
  };
  const std::vector<Case> cases = {
      {0, 0},
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-2.6, -3},
      {1e30, kMaxInt64},
      {-1e30, kMinInt64},
      {kInfinity, kMaxInt64},
      {-kInfinity, kMinInt64},
      {9223372036854775808.0, kMaxInt64},   // 2^63, one past the largest
      {-9223372036854775808.0, kMinInt64},  // -2^63 itself fits
      {9223372036854774784.0, 9223372036854774784},  // the largest double below 2^63
      {std::nan(""), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeNumber(c.value), c.whole) << c.value;
  }
}

TEST(NumbersTest, NumberTextWritesPlainDecimals) {
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(7), "7");
  EXPECT_EQ(NumberText(-7), "-7");
  EXPECT_EQ(NumberText(1000000), "1000000");
  EXPECT_EQ(NumberText(kMaxInt64), "9223372036854775807");
  EXPECT_EQ(NumberText(kMinInt64), "-9223372036854775808");
}

TEST(NumbersTest, NumberTextReadsBackAsTheSameNumber) {
  for (const std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{12345},
                               std::int64_t{-9007199254740992}, std::int64_t{9007199254740992}}) {
    EXPECT_EQ(WholeNumber(LeadingNumberValue(NumberText(n))), n);
  }
}

}  // namespace
}  // namespace mirvane
