// Where a program keeps its settings file unless told otherwise. One rule for
// the window and for canopex-convert, so that both read the same layout.
#pragma once

#include <string>
#include <string_view>

namespace canopex {

enum class SettingsPlacement {
  // "<application name>.ini" beside the executable: a portable program that
  // carries its settings along (always so on Windows).
  kBesideExecutable,
  // "canopex.ini" in the user's configuration folder: for a program
  // installed where users may not write, such as /usr/bin.
  kUserConfiguration,
};

// The placement this build was made for (the CANOPEX_SETTINGS_IN_USER_CONFIG
// build option).
SettingsPlacement BuiltInSettingsPlacement();

// The user's Canopex settings file by the XDG rule:
// "$XDG_CONFIG_HOME/canopex/canopex.ini" when that variable holds an
// absolute path, else "$HOME/.config/canopex/canopex.ini" when HOME does;
// empty when neither is usable. Null stands for an unset variable.
std::string UserConfigurationSettingsPath(const char* xdg_config_home, const char* home);

// The default settings file of the program named `application_name` (the
// executable's name without extension) for `placement`. For the user's
// configuration folder the variables are read from the environment and the
// folder is created when missing; when no folder can be found the file falls
// back to beside the executable. Creating the folder may fail: the settings
// store then reads defaults and its writes fail, as for any unwritable file.
std::string DefaultSettingsPath(std::string_view application_name,
                                SettingsPlacement placement = BuiltInSettingsPlacement());

}  // namespace canopex
