// The trimming rule shared by every part of Canopex.
#pragma once

#include <string>
#include <string_view>

namespace canopex {

// White space is the blank, tab, line feed, vertical tab, form feed and
// carriage return; nothing else, whatever the process locale says.
constexpr bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// `text` without leading and trailing white space. The byte-wise test is also
// right for the double-byte code pages: none of their trail bytes falls in
// the white space range.
constexpr std::string_view TrimmedView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsWhiteSpace(text[begin])) ++begin;
  while (end > begin && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Removes leading, then trailing white space from `text` in place.
inline void Trim(std::string& text) {
  const std::string_view trimmed = TrimmedView(text);
  const std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
  text.erase(begin + trimmed.size());
  text.erase(0, begin);
}

}  // namespace canopex
