#include "conversion/minimum_diameter.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

TEST(MinimumDiameter, AcceptedTextsAndTheirValues) {
  const struct {
    const char* text;
    double value;
  } accepted[] = {{"1", 1.0},  {"2.5", 2.5}, {"", 0.0},   {".", 0.0},      {"5a", 5.0},
                  {"0", 0.0},  {".5", 0.5},  {"1e1", 10}, {"1e", 1.0},     {"007", 7.0},
                  {"3,5", 3.0}};
  for (const auto& c : accepted) {
    const std::optional<double> value = ReadMinimumDiameter(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
  for (const char* refused : {"-1", "abc", "+3", ",5", "\t1"}) {
    EXPECT_FALSE(ReadMinimumDiameter(refused).has_value()) << refused;
  }
}

}  // namespace
}  // namespace canopex
