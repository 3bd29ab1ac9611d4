// The settings store: the four operations through which every part of
// Canopex reads and writes its settings file. Each call goes to the file
// itself; nothing is cached between calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace canopex {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The text of `key` in `section`, without surrounding white space and one
  // pair of matching quotes, at most 4095 characters. A missing file,
  // section or key gives `fallback`; a key with an empty value gives "".
  virtual std::string ReadSettingString(const std::string& section, const std::string& key,
                                        const std::string& fallback) = 0;

  // The integer value of `key`: an optional sign and the leading decimal
  // digits, the rest ignored, taken modulo 2^32. A missing or empty value
  // gives `fallback`; one without digits gives 0.
  virtual std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                                      std::int32_t fallback) = 0;

  // Sets `key` in `section` to `value`, creating the file, section and key
  // as needed and leaving every other line of the file as it was. A value,
  // section or key holding a CR or LF is refused, as it would split the
  // entry. Returns true when the value was stored.
  virtual bool WriteSettingString(const std::string& section, const std::string& key,
                                  const std::string& value) = 0;

  // Writes `value` as plain decimal text (as printf "%d" does).
  bool WriteSettingInt(const std::string& section, const std::string& key, std::int32_t value);
};

// The store over the settings file at `path`: the system's profile functions
// on Windows, the portable INI file store elsewhere.
std::unique_ptr<SettingsStore> OpenSettingsStore(const std::string& path);

// True when `text` may stand in an entry: it holds no CR or LF.
bool IsSingleLine(std::string_view text);

}  // namespace canopex
