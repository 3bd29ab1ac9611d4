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

namespace {

// The length of the tree number that ends a key: seven digits after "_" in
// nearly every key, otherwise every digit at the end. (Any rule that depends
// on the key alone keeps the order strict for the sort.)
std::size_t TreeNumberLength(std::string_view key) {
  constexpr std::size_t kPadded = 7;
  if (key.size() > kPadded && key[key.size() - kPadded - 1] == '_') return kPadded;
  std::size_t length = 0;
  while (length < key.size() && key[key.size() - 1 - length] >= '0' &&
         key[key.size() - 1 - length] <= '9') {
    ++length;
  }
  return length;
}

}  // namespace

bool HasLongTreeNumber(std::string_view key) { return TreeNumberLength(key) > 7; }

bool RecordKeyLess(std::string_view a, std::string_view b) {
  const std::size_t a_digits = TreeNumberLength(a);
  const std::size_t b_digits = TreeNumberLength(b);
  const std::size_t a_head = a.size() - a_digits, b_head = b.size() - b_digits;
  const int heads = a.substr(0, a_head).compare(b.substr(0, b_head));
  if (heads != 0) return heads < 0;
  // Tree numbers are padded to seven digits: a longer one is larger.
  if (a_digits != b_digits) return a_digits < b_digits;
  return a.substr(a_head) < b.substr(b_head);
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
