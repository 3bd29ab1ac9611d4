// Between the core's byte strings and wxString. Texts are shown as UTF-8
// with bad bytes replaced (never refused whole, which would leave a box
// empty); paths go through the file name converter so that any name the
// file system holds comes back byte for byte.
#pragma once

#include <wx/string.h>

#include <string>

#include "ui/display_text.h"

namespace canopex {

inline wxString ToWxText(const std::string& bytes) {
  return wxString::FromUTF8(ValidUtf8(bytes));
}

inline std::string FromWxText(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

inline wxString ToWxPath(const std::string& path) {
  return wxString(path.c_str(), *wxConvFileName);
}

inline std::string FromWxPath(const wxString& path) {
  const wxCharBuffer bytes = path.fn_str();
  return bytes.data() != nullptr ? std::string(bytes.data()) : std::string();
}

}  // namespace canopex
