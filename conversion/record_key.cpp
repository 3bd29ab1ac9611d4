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

bool RecordKeyLess(std::string_view a, std::string_view b) {
  const std::size_t a_cut = a.rfind('_');
  const std::size_t b_cut = b.rfind('_');
  // A key without "_" is no record key: it orders byte-wise.
  if (a_cut == std::string_view::npos || b_cut == std::string_view::npos) return a < b;
  const std::string_view a_head = a.substr(0, a_cut);
  const std::string_view b_head = b.substr(0, b_cut);
  if (a_head != b_head) return a_head < b_head;
  // Tree numbers are unsigned digits padded to at least seven: a longer one
  // is larger.
  const std::string_view a_number = a.substr(a_cut + 1);
  const std::string_view b_number = b.substr(b_cut + 1);
  if (a_number.size() != b_number.size()) return a_number.size() < b_number.size();
  return a_number < b_number;
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
