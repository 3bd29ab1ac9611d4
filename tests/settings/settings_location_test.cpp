#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace canopex {
namespace {

// The edges of the rule; the package check runs the programs with each variable set.
TEST(SettingsLocation, UserConfigurationFollowsTheXdgRule) {
  const struct {
    const char *xdg_config_home, *home, *expected;
  } cases[] = {
      {"/srv/cfg", "/home/ann", "/srv/cfg/canopex/canopex.ini"},
      {"/srv/cfg/", "/home/ann", "/srv/cfg/canopex/canopex.ini"},
      {"/", "/home/ann", "/canopex/canopex.ini"},  {"~/cfg", "/", "/.config/canopex/canopex.ini"},
      // Unset, empty or relative: the variable is passed over for HOME.
      {nullptr, "/home/ann", "/home/ann/.config/canopex/canopex.ini"},
      {"", "/home/ann/", "/home/ann/.config/canopex/canopex.ini"},
      // No usable folder at all.
      {nullptr, nullptr, ""}, {"", "", ""}, {"cfg", "home/ann", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserConfigurationSettingsPath(c.xdg_config_home, c.home), c.expected)
        << "XDG_CONFIG_HOME=" << (c.xdg_config_home ? c.xdg_config_home : "(unset)")
        << " HOME=" << (c.home ? c.home : "(unset)");
  }
}

#ifndef _WIN32
// ~/.config is a file, then HOME is unset: the store reads defaults from a
// path that does not exist, then beside the program, rather than elsewhere.
TEST(SettingsLocation, ABlockedOrMissingHomeMovesTheFileNowhereUnexpected) {
  testing::TempFolder temp;
  testing::WriteFileBytes(temp / ".config", "not a folder");
  const char* home = std::getenv("HOME");
  const bool had_home = home != nullptr;
  const std::string saved_home = had_home ? home : "";
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", temp.path().c_str(), 1);
  const auto user = SettingsPlacement::kUserConfiguration;
  const std::string blocked = DefaultSettingsPath("canopex", user);
  ::unsetenv("HOME");
  const std::string homeless = DefaultSettingsPath("canopex", user);
  if (had_home) ::setenv("HOME", saved_home.c_str(), 1);  // XDG_CONFIG_HOME stays unset
  EXPECT_EQ(blocked, temp / ".config/canopex/canopex.ini");
  EXPECT_EQ(homeless, DefaultSettingsPath("canopex", SettingsPlacement::kBesideExecutable));
}
#endif

}  // namespace
}  // namespace canopex
