#include "util/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "util/safe_divide.h"

namespace canopex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct DecimalCase {
  const char* text;
  double value;
  std::size_t used;
};

const DecimalCase kDecimalCases[] = {
    {"12.5", 12.5, 4},
    {"   12.5  ", 12.5, 7},
    {"\t\v\f\r\n7", 7, 6},
    {"+4", 4, 2},
    {"-3.25", -3.25, 5},
    {".5", 0.5, 2},
    {"5.", 5, 2},
    {"1e3", 1000, 3},
    {"1.5E-2", 0.015, 6},
    {"2e+2x", 200, 4},
    {"1e", 1, 1},    // an exponent without digits is not part of the number
    {"1e+", 1, 1},
    {"12.5.3", 12.5, 4},
    {"5a", 5, 1},
    {"0.000", 0, 5},
    {"", 0, 0},
    {"   ", 0, 0},
    {".", 0, 0},
    {"+", 0, 0},
    {"-.", 0, 0},
    {"abc", 0, 0},
    {"inf", 0, 0},
    {"INFINITY", 0, 0},
    {"nan", 0, 0},
    {"0x1A", 0, 1},  // hexadecimal is not read: the 0 only
    {"1,5", 1, 1},   // a decimal comma ends the number
    {"1e999", kInf, 5},
    {"-1e999", -kInf, 6},
    {"1e-999", 0, 6},
    {"0.0000000001e-999", 0, 17},
    {"123456789012345678901234567890e300", kInf, 34},
    {"1e99999999999999999999", kInf, 22},
};

TEST(ReadDecimal, ReadsTheStrictDecimalSyntax) {
  for (const DecimalCase& c : kDecimalCases) {
    SCOPED_TRACE(c.text);
    std::size_t used = 99;
    EXPECT_EQ(ReadDecimal(c.text, &used), c.value);
    EXPECT_EQ(used, c.used);
  }
}

TEST(ReadDecimal, RoundsCorrectly) {
  EXPECT_EQ(ReadDecimal("0.1"), 0.1);
  EXPECT_EQ(ReadDecimal("5.51"), 5.51);
  EXPECT_EQ(ReadDecimal("179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368"),
            std::numeric_limits<double>::max());
}

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
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"1998", 1998},         {"  1998\n", 1998},     {"+42", 42},
      {"-17x", -17},          {"19.98", 19},          {"abc", 0},
      {"", 0},                {"-", 0},               {"2147483647", 2147483647},
      {"2147483648", std::numeric_limits<std::int32_t>::max()},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"-2147483649", std::numeric_limits<std::int32_t>::min()},
      {"99999999999999999999999999", std::numeric_limits<std::int32_t>::max()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadInteger(c.text), c.value);
  }
}

// Restores the process locale when a test has switched it.
class LocaleGuard {
 public:
  LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST(ReadDecimal, IgnoresALocaleWithDecimalComma) {
  LocaleGuard guard;
  const char* const names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                               "German_Germany.1252", "de-DE"};
  bool switched = false;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  for (const DecimalCase& c : kDecimalCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadDecimal(c.text), c.value);
  }
}

// A diameter class is floor(diameter + 0.49). On 32-bit x86 with the x87
// unit's 80-bit registers 5.51 + 0.49 stays below 6; the build must use
// double precision throughout so that every build files trees alike.
TEST(DoublePrecision, DiameterClassBoundaries) {
  const struct {
    const char* diameter;
    double diameter_class;
  } cases[] = {
      {"5.50", 5}, {"5.51", 6}, {"0.51", 1}, {"0.50", 0}, {"9.51", 10}, {"12.51", 13},
      {"19.51", 20}, {"2.51", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.diameter);
    volatile double offset = 0.49;  // keep the sum out of the compiler's constant folding
    EXPECT_EQ(std::floor(ReadDecimal(c.diameter) + offset), c.diameter_class);
  }
}

TEST(SafeDivide, GivesZeroForAZeroDivisor) {
  EXPECT_EQ(SafeDivide(5, 0), 0);
  EXPECT_EQ(SafeDivide(0, 4), 0);
  EXPECT_EQ(SafeDivide(3, 4), 0.75);
  EXPECT_EQ(SafeDivide(-3, -0.0), 0);
  EXPECT_TRUE(std::isinf(SafeDivide(1e308, 1e-308)));
}

}  // namespace
}  // namespace canopex
