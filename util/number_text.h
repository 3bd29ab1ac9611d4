// Reading numbers from report and dialog texts, independent of the process
// locale (a GTK program runs in the user's locale, which may use a decimal
// comma; the reports always use a point).
#pragma once

#include <cstdint>
#include <string_view>

namespace canopex {

// Reads the decimal number at the start of `text`: optional white space, an
// optional sign, digits with an optional point and fraction (".5" and "5."
// both count), then an optional exponent. Reading stops at the first
// character that does not fit; a text without a number reads as 0. There is
// no "inf", "nan" or hexadecimal form. A value too large for a double reads
// as infinity with its sign; one too small reads as 0.
// `used`, when given, receives the number of characters that formed the
// number (0 when there was none).
double ReadDecimal(std::string_view text, std::size_t* used = nullptr);

// Reads the decimal integer at the start of `text`: optional white space, an
// optional sign, digits; reading stops at the first other character and a
// text without digits reads as 0. Values beyond the 32-bit range saturate at
// its limits.
std::int32_t ReadInteger(std::string_view text);

}  // namespace canopex
