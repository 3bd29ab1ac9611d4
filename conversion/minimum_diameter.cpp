#include "conversion/minimum_diameter.h"

#include "util/number_text.h"

namespace canopex {

std::optional<double> ReadMinimumDiameter(std::string_view trimmed_text) {
  if (!trimmed_text.empty()) {
    const char first = trimmed_text.front();
    if (first != '.' && (first < '0' || first > '9')) return std::nullopt;
  }
  return ReadDecimal(trimmed_text);
}

}  // namespace canopex
