#include "settings/settings_store.h"

#include <charconv>

namespace canopex {

bool SettingsStore::WriteSettingInt(const std::string& section, const std::string& key,
                                    std::int32_t value) {
  char text[16];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return WriteSettingString(section, key, std::string(text, result.ptr));
}

bool IsSingleLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace canopex
