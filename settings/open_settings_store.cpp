#include "settings/settings_store.h"

#ifdef _WIN32
#include "settings/profile_store_win.h"
#else
#include "settings/ini_store.h"
#endif

namespace canopex {

std::unique_ptr<SettingsStore> OpenSettingsStore(const std::string& path) {
#ifdef _WIN32
  return std::make_unique<ProfileStore>(path);
#else
  return std::make_unique<IniFileStore>(path);
#endif
}

}  // namespace canopex
