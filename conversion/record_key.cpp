#include "conversion/record_key.h"

#include <cmath>

#include "util/number_format.h"

namespace canopex {

std::int16_t DiameterClassOf(double diameter) {
  const double whole = std::floor(diameter + 0.49);
  // Tested this way round so that NaN fails too.
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return 0;
  const auto low_bits = static_cast<std::uint16_t>(static_cast<std::int64_t>(whole) & 0xFFFF);
  return static_cast<std::int16_t>(low_bits);
}

std::string MakeRecordKey(std::string_view species, std::int16_t diameter_class, double number,
                          std::int32_t tree_number) {
  std::string key;
  key.reserve(species.size() + 24);
  key.append(species);
  key += '_';
  AppendInteger(key, diameter_class, 3, true);
  key += '_';
  AppendFixed(key, number, 7, 1, true);
  key += '_';
  AppendInteger(key, tree_number, 7, true);
  return key;
}

}  // namespace canopex
