#include "ui/win/file_version_info_win.h"

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

namespace canopex {

bool FileVersionInfo::Load(const std::string& file_name) {
  block_ = {};
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file_name.c_str(), &handle);
  if (size == 0) return false;
  std::vector<unsigned char> block(static_cast<std::size_t>(size) + 1, 0);
  if (!GetFileVersionInfoA(file_name.c_str(), handle, size, block.data())) return false;
  block_ = std::move(block);
  return true;
}

bool FileVersionInfo::GetVersionNumbers(std::uint16_t& first, std::uint16_t& second,
                                        std::uint16_t* third, std::uint16_t* fourth) const {
  if (block_.empty()) return false;
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block_.data(), "\\", &found, &length) || found == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  // Copied out: nothing promises the pointer is aligned for the struct.
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, found, sizeof fixed);
  first = HIWORD(fixed.dwProductVersionMS);
  second = LOWORD(fixed.dwProductVersionMS);
  if (third != nullptr) *third = HIWORD(fixed.dwProductVersionLS);
  if (fourth != nullptr) *fourth = LOWORD(fixed.dwProductVersionLS);
  return true;
}

bool FileVersionInfo::GetStringValue(const std::string& name, std::string& value) const {
  if (block_.empty()) return false;
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation", &found, &length) ||
      found == nullptr || length < 2 * sizeof(std::uint16_t)) {
    return false;
  }
  std::uint16_t translation[2];  // language, code page
  std::memcpy(translation, found, sizeof translation);
  char table[9];
  std::snprintf(table, sizeof table, "%04x%04x", static_cast<unsigned>(translation[0]),
                static_cast<unsigned>(translation[1]));
  const std::string path = std::string("\\StringFileInfo\\") + table + "\\" + name;

  found = nullptr;
  length = 0;
  if (!VerQueryValueA(block_.data(), path.c_str(), &found, &length) || found == nullptr) {
    return false;
  }
  // `length` counts characters and may or may not include the final NUL:
  // stop at the first NUL and never read past it.
  const char* text = static_cast<const char*>(found);
  const void* nul = std::memchr(text, '\0', length);
  value.assign(text, nul != nullptr ? static_cast<const char*>(nul) - text : length);
  return true;
}

VersionDetails ReadVersionDetails(const std::string& file_name) {
  VersionDetails details;
  FileVersionInfo info;
  info.Load(file_name);
  std::uint16_t numbers[4];
  if (info.GetVersionNumbers(numbers[0], numbers[1], &numbers[2], &numbers[3])) {
    for (int i = 0; i < 4; ++i) details.product_version[i] = numbers[i];
  }
  info.GetFileDescription(details.description);
  info.GetCompanyName(details.company);
  info.GetLegalCopyright(details.copyright);
  info.GetSpecialBuild(details.special_build);
  return details;
}

}  // namespace canopex
