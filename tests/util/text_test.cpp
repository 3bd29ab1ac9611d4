#include "util/text.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

TEST(Trim, RemovesTheSixWhiteSpaceCharactersAtBothEnds) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"  12.5  ", "12.5"},
      {"\t\n\v\f\r x \r\f\v\n\t", "x"},
      {"a b", "a b"},
      {"   ", ""},
      {"", ""},
      {"\xA0x\xA0", "\xA0x\xA0"},  // a no-break space is no white space here
      {std::string("\0x", 2), std::string("\0x", 2)},
      {"\x1A", "\x1A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = c.text;
    Trim(text);
    EXPECT_EQ(text, c.trimmed);
    EXPECT_EQ(TrimmedView(c.text), c.trimmed);
  }
}

}  // namespace
}  // namespace canopex
