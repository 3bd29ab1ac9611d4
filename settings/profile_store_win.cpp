#include "settings/profile_store_win.h"

#include <windows.h>

#include "settings/ini_document.h"

namespace canopex {

std::string ProfileStore::ReadSettingString(const std::string& section, const std::string& key,
                                            const std::string& fallback) {
  char buffer[kMaxSettingLength + 1];
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                buffer, sizeof buffer, path_.c_str());
  return std::string(buffer, length);
}

std::int32_t ProfileStore::ReadSettingInt(const std::string& section, const std::string& key,
                                          std::int32_t fallback) {
  return static_cast<std::int32_t>(
      GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, path_.c_str()));
}

bool ProfileStore::WriteSettingString(const std::string& section, const std::string& key,
                                      const std::string& value) {
  if (!IsSingleLine(section) || !IsSingleLine(key) || !IsSingleLine(value)) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) !=
         0;
}

}  // namespace canopex
