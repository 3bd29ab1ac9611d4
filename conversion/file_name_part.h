// Whether a text from the report may become part of a file name.
#pragma once

#include <string_view>

namespace canopex {

// False when `text` holds any of < > : " / \ | ? * or a byte below 0x20,
// which would make an invalid Windows name or lead out of the output folder
// ("..\x", "../x", "C:x"). The same rule on every platform, so a report
// converts alike everywhere.
constexpr bool IsAllowedInFileName(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    switch (c) {
      case '<': case '>': case ':': case '"': case '/': case '\\': case '|': case '?': case '*':
        return false;
      default:
        break;
    }
  }
  return true;
}

}  // namespace canopex
