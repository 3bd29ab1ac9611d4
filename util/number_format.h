// Printing numbers as the C formats "%*.*f" and "%*d" print them in the "C"
// locale, whatever locale the process runs in (a GTK program runs in the
// user's, which may use a decimal comma). Alike in every build.
#pragma once

#include <string>

namespace canopex {

// Appends `value` with `precision` decimals, right-aligned in `width`
// characters: padded with blanks, or with zeros after the sign when
// `zero_pad` is set ("%07.1f"). Rounds as glibc does, to the nearest and
// exact ties to even ("%6.1f" of 64.25 is "  64.2"). Infinity prints as
// "inf" or "-inf" and NaN always as "nan", both padded with blanks.
void AppendFixed(std::string& out, double value, int width, int precision, bool zero_pad = false);

// Appends `value` in decimal, right-aligned in `width` characters, padded
// with blanks or, when `zero_pad` is set, with zeros after the sign ("%03hd").
void AppendInteger(std::string& out, long long value, int width = 0, bool zero_pad = false);

// `count` and the noun that fits it: "1 cut list", "2 cut lists".
std::string Counted(long long count, const char* singular, const char* plural);

}  // namespace canopex
