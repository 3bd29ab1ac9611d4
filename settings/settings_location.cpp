#include "settings/settings_location.h"

#include <cstdlib>

#include "util/directory_chain.h"
#include "util/file_system.h"

namespace canopex {
namespace {

// The XDG rule ignores relative paths: they would depend on the current folder.
bool IsUsableFolder(const char* value) { return value != nullptr && value[0] == '/'; }

}  // namespace

SettingsPlacement BuiltInSettingsPlacement() {
#if defined(CANOPEX_SETTINGS_IN_USER_CONFIG) && !defined(_WIN32)
  return SettingsPlacement::kUserConfiguration;
#else
  return SettingsPlacement::kBesideExecutable;
#endif
}

std::string UserConfigurationSettingsPath(const char* xdg_config_home, const char* home) {
  std::string folder;
  if (IsUsableFolder(xdg_config_home)) {
    folder = xdg_config_home;
  } else if (IsUsableFolder(home)) {
    folder = home;
    if (folder.back() != '/') folder += '/';
    folder += ".config";
  } else {
    return {};
  }
  if (folder.back() != '/') folder += '/';
  return folder + "canopex/canopex.ini";
}

std::string DefaultSettingsPath(std::string_view application_name, SettingsPlacement placement) {
  if (placement == SettingsPlacement::kUserConfiguration) {
    const std::string path =
        UserConfigurationSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!path.empty()) {
      const std::string folder = path.substr(0, path.rfind('/'));
      if (!PathExists(folder)) CreateDirectoryChain(folder);
      return path;
    }
  }
  return PathBesideExecutable(std::string(application_name) + ".ini");
}

}  // namespace canopex
