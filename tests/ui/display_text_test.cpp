#include "ui/display_text.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

TEST(DisplayTextTest, ValidUtf8KeepsGoodTextAndReplacesEachBadByte) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  const struct {
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"Stand 42\tCut list", "Stand 42\tCut list"},
      {"Sch\xC3\xB6nbuch \xE2\x82\xAC \xF0\x9F\x8C\xB2",
       "Sch\xC3\xB6nbuch \xE2\x82\xAC \xF0\x9F\x8C\xB2"},
      // A Latin-1 byte of a report's stand name.
      {"Sch\xF6nbuch", "Sch" + r + "nbuch"},
      // A lead byte without its continuation, at the end and before ASCII.
      {"ab\xC3", "ab" + r},
      {"\xE2\x82x", r + r + "x"},
      // Overlong forms, a surrogate, above U+10FFFF, lone continuation bytes.
      {"\xC0\xAF", r + r},
      {"\xE0\x80\xAF", r + r + r},
      {"\xED\xA0\x80", r + r + r},
      {"\xF4\x90\x80\x80", r + r + r + r},
      {"\x80\xBF", r + r},
      // A NUL stays a NUL: it is valid UTF-8.
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidUtf8(c.bytes), c.expected) << "input: " << c.bytes;
  }
}

}  // namespace
}  // namespace canopex
