// Reading and printing numbers: against from_chars and printf, and in a
// locale with a decimal comma.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "util/number_format.h"
#include "util/number_text.h"

namespace canopex {
namespace {

using namespace std::string_view_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectTheStrictDecimalSyntax() {
  const struct {
    std::string_view text; double value; std::size_t used;
  } cases[] = {
      {"12.5", 12.5, 4},      {"   12.5  ", 12.5, 7},  {"\t\v\f\r\n7", 7, 6},  {"+4", 4, 2},
      {"-3.25", -3.25, 5},    {".5", 0.5, 2},          {"5.", 5, 2},          {"1e3", 1000, 3},
      {"1.5E-2", 0.015, 6},   {"2e+2x", 200, 4},       {"1e", 1, 1},          {"1e+", 1, 1},
      {"12.5.3", 12.5, 4},    {"5a", 5, 1},            {"0.000", 0, 5},       {"", 0, 0},
      {"   ", 0, 0},          {".", 0, 0},             {"+", 0, 0},           {"-.", 0, 0},
      {"abc", 0, 0},          {"inf", 0, 0},           {"INFINITY", 0, 0},    {"nan", 0, 0},
      {"0x1A", 0, 1},         {"1,5", 1, 1},           {"1e999", kInf, 5},    {"-1e999", -kInf, 6},
      {"1e-999", 0, 6},       {"0.0000000001e-999", 0, 17},
      {"123456789012345678901234567890e300", kInf, 34},   {"1e99999999999999999999", kInf, 22},
      {"1797693134862315708145274237317043567981e269", std::numeric_limits<double>::max(), 44},
      // Only the six white space characters are skipped, whatever the locale.
      {"\xA0" "5", 0, 0},     {"\x1A" "5", 0, 0},      {"\0" "5"sv, 0, 0},
  };
  for (const auto& c : cases) {
    std::size_t used = 99;
    EXPECT_EQ(ReadDecimal(c.text, &used), c.value) << c.text;
    EXPECT_EQ(used, c.used) << c.text;
  }
}

TEST(ReadDecimal, ReadsTheStrictDecimalSyntax) { ExpectTheStrictDecimalSyntax(); }

// Decimals of up to 17 digits with the point anywhere, from a fixed seed:
// each reads as the nearest double, as from_chars gives it.
TEST(ReadDecimal, ReadsEveryShortDecimalAsItsNearestDouble) {
  std::uint64_t state = 12345;
  const auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return state >> 33;
  };
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    const std::size_t digits = 1 + next() % 17;
    for (std::size_t d = 0; d < digits; ++d) text += static_cast<char>('0' + next() % 10);
    text.insert(next() % (digits + 1), 1, '.');
    double expected = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(ReadDecimal(text), expected) << text;
    ASSERT_EQ(ReadDecimal("-" + text), -expected) << text;
  }
  EXPECT_TRUE(std::signbit(ReadDecimal("-0.0")));
}

TEST(ReadInteger, ReadsDigitsAndSaturates) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"  1998\n", 1998}, {"+42", 42}, {"-17x", -17}, {"19.98", 19}, {"abc", 0}, {"-", 0},
      {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN}, {"99999999999999999999999999", INT32_MAX},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadInteger(text), value) << text;
}

std::string Fixed(double value, int width, int precision, bool zero_pad = false) {
  std::string out;
  AppendFixed(out, value, width, precision, zero_pad);
  return out;
}

// The test program runs in the "C" locale, so printf is the reference.
TEST(NumberFormat, AgreesWithPrintf) {
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
  for (int value : {0, 7, -5, 1234, -32768, 65535}) {
    for (int width : {0, 3, 7}) {
      std::string zeros, blanks;
      AppendInteger(zeros, value, width, true);
      AppendInteger(blanks, value, width);
      std::snprintf(expected, sizeof expected, "%0*d", width, value);
      EXPECT_EQ(zeros, expected);
      std::snprintf(expected, sizeof expected, "%*d", width, value);
      EXPECT_EQ(blanks, expected);
    }
  }
}

// Where the C formats differ between libraries: zeros and signs.
TEST(NumberFormat, ZerosPadOnlyNumbersAndNanHasNoSign) {
  EXPECT_EQ(Fixed(65.0, 7, 1, true) + Fixed(-0.0, 7, 1, true) + Fixed(kInf, 7, 1, true) +
                Fixed(-kInf, 6, 1) + Fixed(std::nan(""), 6, 1) + Fixed(-std::nan(""), 6, 0, true),
            "00065.0-0000.0    inf  -inf   nan   nan");
}

// A GTK program runs in the user's locale, which may use a decimal comma.
TEST(Numbers, IgnoreALocaleWithDecimalComma) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252")) {
    GTEST_SKIP() << "no locale with a decimal comma on this machine";
  }
  ExpectTheStrictDecimalSyntax();
  const std::string printed = Fixed(64.84, 6, 1) + Fixed(-12.5, 7, 1, true);
  std::string integer;
  AppendInteger(integer, 12345, 7);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(printed + integer, "  64.8-0012.5  12345");
}

}  // namespace
}  // namespace canopex
