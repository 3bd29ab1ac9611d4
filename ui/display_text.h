// Texts for a window system that wants UTF-8. The core's texts are bytes
// (a report's stand names may be Latin-1 or a Windows code page); shown as
// they are they would be refused whole, so bad bytes are replaced instead.
#pragma once

#include <string>
#include <string_view>

namespace canopex {

// `bytes` with every byte that is not part of a valid UTF-8 sequence
// replaced by U+FFFD; valid text comes back unchanged.
std::string ValidUtf8(std::string_view bytes);

}  // namespace canopex
