// The settings store over the Windows profile functions.
#pragma once

#include <string>

#include "settings/settings_store.h"

namespace canopex {

class ProfileStore final : public SettingsStore {
 public:
  // `path` must be absolute: the profile functions look for a bare name in
  // the Windows folder.
  explicit ProfileStore(std::string path) : path_(std::move(path)) {}

  std::string ReadSettingString(const std::string& section, const std::string& key,
                                const std::string& fallback) override;
  std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                              std::int32_t fallback) override;
  bool WriteSettingString(const std::string& section, const std::string& key,
                          const std::string& value) override;

 private:
  std::string path_;
};

}  // namespace canopex
