#include "ui/file_filter.h"

#include <vector>

namespace canopex {

std::string WildcardOfFilter(std::string_view filter, bool posix_names) {
  std::vector<std::string_view> entries;
  for (std::size_t start = 0;;) {
    const std::size_t bar = filter.find('|', start);
    entries.push_back(filter.substr(start, bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  while (!entries.empty() && entries.back().empty()) entries.pop_back();

  std::string wildcard;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) wildcard += '|';
    const bool pattern = i % 2 == 1;
    wildcard += pattern && posix_names && entries[i] == "*.*" ? "*" : entries[i];
  }
  return wildcard;
}

}  // namespace canopex
