// The minimum diameter as the user types it: checked and read alike by the
// window and the command line.
#pragma once

#include <optional>
#include <string_view>

namespace canopex {

inline constexpr char kInvalidMinimumDiameterMessage[] = "The minimum diameter entry is invalid";

// The value of a trimmed minimum diameter text, or nothing when the text
// begins with anything but a digit or a point ("-1", "abc", "+3"). The value
// is the longest leading number (digits, optional point and fraction,
// optional exponent): "2.5" gives 2.5, "5a" gives 5, "" and "." give 0, and
// 0 turns the diameter check off.
std::optional<double> ReadMinimumDiameter(std::string_view trimmed_text);

}  // namespace canopex
