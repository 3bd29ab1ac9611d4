// The diameter class of a tree and the key that orders the kept trees.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace canopex {

// The 1-inch class of a diameter: floor(diameter + 0.49) in double
// precision, so 5.50 is class 5 and 5.51 class 6. Within the 32-bit signed
// range the low 16 bits are kept as a signed number; outside it, and for
// NaN, the class is 0.
std::int16_t DiameterClassOf(double diameter);

// The record key, as "%s_%03hd_%07.1f_%07ld" prints species, diameter class,
// `number` (0.0, or the height of a small tree) and the tree number. Byte-wise
// order of keys is species, then class, then number, then report order, for
// species texts of equal length.
std::string MakeRecordKey(std::string_view species, std::int16_t diameter_class, double number,
                          std::int32_t tree_number);

// Whether the key's tree number has more than seven digits (tree 10,000,000
// on).
bool HasLongTreeNumber(std::string_view key);

// The order of record keys once tree numbers outgrow seven digits: byte-wise
// up to the tree number, then the tree number as a number, so that report
// order holds past tree 9,999,999. (Until then tables keep plain byte order.)
bool RecordKeyLess(std::string_view a, std::string_view b);

}  // namespace canopex
