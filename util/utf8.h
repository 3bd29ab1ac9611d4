// Telling valid UTF-8 in texts that are bytes: a report's stand names may
// be UTF-8, Latin-1 or a Windows code page, and whoever wants UTF-8 (a GTK
// window, a JSON reader) must learn which bytes are not.
#pragma once

#include <cstddef>
#include <string_view>

namespace canopex {

// The length of the valid UTF-8 sequence at the start of `text` (1 for an
// ASCII byte), or 0 when there is none: a stray byte, an overlong form, a
// surrogate, a code point above U+10FFFF or a sequence cut short. `text`
// must not be empty.
std::size_t Utf8SequenceLength(std::string_view text);

}  // namespace canopex
