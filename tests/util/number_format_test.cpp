#include "util/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace canopex {
namespace {

std::string Fixed(double value, int width, int precision, bool zero_pad = false) {
  std::string out;
  AppendFixed(out, value, width, precision, zero_pad);
  return out;
}

std::string Integer(long long value, int width = 0, bool zero_pad = false) {
  std::string out;
  AppendInteger(out, value, width, zero_pad);
  return out;
}

TEST(NumberFormat, FixedMatchesTheCFormats) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int width, precision;
    bool zero_pad;
    const char* expected;
  } cases[] = {
      {64.25, 6, 1, false, "  64.2"},       // exact tie: to even
      {64.35, 6, 1, false, "  64.3"},       // 64.35 is just below in binary
      {0.0, 6, 1, false, "   0.0"},
      {12.5, 10, 3, false, "    12.500"},
      {45.4, 3, 0, false, " 45"},
      {2.5, 3, 0, false, "  2"},            // tie to even
      {3.5, 3, 0, false, "  4"},
      {1234.5, 3, 0, false, "1234"},        // wider than the width: not cut
      {65.0, 7, 1, true, "00065.0"},        // the key's "%07.1f"
      {-12.5, 7, 1, true, "-0012.5"},
      {-0.0, 7, 1, true, "-0000.0"},
      {123456.75, 7, 1, true, "123456.8"},
      {inf, 6, 1, false, "   inf"},
      {-inf, 6, 1, false, "  -inf"},
      {inf, 7, 1, true, "    inf"},         // zeros never pad inf
      {std::nan(""), 6, 1, false, "   nan"},
      {-std::nan(""), 3, 0, false, "nan"},  // NaN never shows a sign
      {0.0 * inf, 6, 1, false, "   nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Fixed(c.value, c.width, c.precision, c.zero_pad), c.expected)
        << c.value << " width " << c.width << " precision " << c.precision;
  }
}

TEST(NumberFormat, FixedAgreesWithPrintfOnRandomValues) {
  // The test program runs in the "C" locale, so printf is the reference.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> magnitude(-8.0, 8.0);
  char expected[512];
  for (int i = 0; i < 20000; ++i) {
    const double value = std::pow(10.0, magnitude(random)) * (i % 2 ? -1.0 : 1.0);
    for (int precision : {0, 1, 3}) {
      std::snprintf(expected, sizeof expected, "%10.*f", precision, value);
      ASSERT_EQ(Fixed(value, 10, precision), expected) << value;
    }
    // Values with few decimals hit exact ties.
    const double tie = std::round(value * 1000.0) / 1000.0;
    std::snprintf(expected, sizeof expected, "%6.1f", tie);
    ASSERT_EQ(Fixed(tie, 6, 1), expected) << tie;
  }
}

TEST(NumberFormat, FixedIgnoresTheProcessLocale) {
  // A locale with a decimal comma, when the system has one.
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (german == nullptr) german = std::setlocale(LC_NUMERIC, "German_Germany.1252");
  if (german == nullptr) GTEST_SKIP() << "no locale with a decimal comma on this system";
  const std::string formatted = Fixed(64.84, 6, 1);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(formatted, "  64.8");
}

TEST(NumberFormat, IntegersWithWidthAndZeros) {
  const struct {
    long long value;
    int width;
    bool zero_pad;
    const char* expected;
  } cases[] = {
      {5, 0, false, "5"},          {5, 3, true, "005"},       {-5, 3, true, "-05"},
      {1234, 3, true, "1234"},     {12, 7, true, "0000012"},  {-32768, 3, true, "-32768"},
      {7, 4, false, "   7"},       {0, 0, false, "0"},        {65535, 0, false, "65535"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Integer(c.value, c.width, c.zero_pad), c.expected) << c.value;
  }
}

}  // namespace
}  // namespace canopex
