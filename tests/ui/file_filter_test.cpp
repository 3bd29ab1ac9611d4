#include "ui/file_filter.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

TEST(FileFilterTest, WildcardOfFilterDropsTheEndAndMapsAllFilesOnPosix) {
  const struct {
    const char* filter;
    bool posix;
    const char* expected;
  } cases[] = {
      {"Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*.*||", true,
       "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*"},
      {"Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*.*||", false,
       "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*.*"},
      // Only a whole pattern "*.*" is mapped, never a name.
      {"*.*|*.*||", true, "*.*|*"},
      {"Text (*.txt)|*.txt;*.*|", true, "Text (*.txt)|*.txt;*.*"},
      {"", true, ""},
      {"||", true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardOfFilter(c.filter, c.posix), c.expected) << c.filter;
  }
}

}  // namespace
}  // namespace canopex
