#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/file_system.h"
#include "util/path_names.h"

namespace canopex {
namespace {

TEST(SettingsLocation, UserConfigurationFollowsTheXdgRule) {
  struct Case {
    const char* xdg_config_home;
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {"/srv/cfg", "/home/ann", "/srv/cfg/canopex/canopex.ini"},
      {"/srv/cfg/", "/home/ann", "/srv/cfg/canopex/canopex.ini"},
      {"/", "/home/ann", "/canopex/canopex.ini"},
      // Unset, empty or relative: the variable is passed over for HOME.
      {nullptr, "/home/ann", "/home/ann/.config/canopex/canopex.ini"},
      {"", "/home/ann/", "/home/ann/.config/canopex/canopex.ini"},
      {"cfg", "/home/ann", "/home/ann/.config/canopex/canopex.ini"},
      {"~/cfg", "/", "/.config/canopex/canopex.ini"},
      // No usable folder at all.
      {nullptr, nullptr, ""},
      {"", "", ""},
      {"cfg", "home/ann", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UserConfigurationSettingsPath(c.xdg_config_home, c.home), c.expected)
        << "XDG_CONFIG_HOME=" << (c.xdg_config_home ? c.xdg_config_home : "(unset)")
        << " HOME=" << (c.home ? c.home : "(unset)");
  }
}

TEST(SettingsLocation, PortableProgramKeepsItsSettingsBesideItself) {
  const std::string path = DefaultSettingsPath("Canopex", SettingsPlacement::kBesideExecutable);
  EXPECT_EQ(FolderOf(path), FolderOf(ExecutablePath()));
  EXPECT_EQ(FileNameOf(path), "Canopex.ini");
}

#ifndef _WIN32

// Sets an environment variable (null: unsets it) for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const char* value) {
    if (value) {
      ::setenv(name_, value, 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SettingsLocation, UserConfigurationFolderIsCreatedWhenMissing) {
  testing::TempFolder home;
  ScopedVariable xdg("XDG_CONFIG_HOME", nullptr);
  ScopedVariable home_variable("HOME", home.path().c_str());

  const std::string path = DefaultSettingsPath("canopex", SettingsPlacement::kUserConfiguration);
  EXPECT_EQ(path, home / ".config/canopex/canopex.ini");
  EXPECT_TRUE(std::filesystem::is_directory(home / ".config/canopex"));

  // Deeper missing folders under XDG_CONFIG_HOME are made too; an existing
  // settings file there is kept as it is.
  ScopedVariable xdg_set("XDG_CONFIG_HOME", (home / "a/b").c_str());
  const std::string deeper = DefaultSettingsPath("Canopex", SettingsPlacement::kUserConfiguration);
  EXPECT_EQ(deeper, home / "a/b/canopex/canopex.ini");
  testing::WriteFileBytes(deeper, "[Setup]\r\nMinDiam=2\r\n");
  EXPECT_EQ(DefaultSettingsPath("canopex", SettingsPlacement::kUserConfiguration), deeper);
  EXPECT_EQ(testing::FileBytes(deeper), "[Setup]\r\nMinDiam=2\r\n");
}

TEST(SettingsLocation, UserConfigurationFallsBackBesideTheExecutable) {
  ScopedVariable xdg("XDG_CONFIG_HOME", "relative/cfg");
  ScopedVariable home("HOME", nullptr);
  EXPECT_EQ(DefaultSettingsPath("canopex", SettingsPlacement::kUserConfiguration),
            DefaultSettingsPath("canopex", SettingsPlacement::kBesideExecutable));
}

TEST(SettingsLocation, FolderThatCannotBeMadeStillNamesTheFile) {
  // ~/.config is a file: the folder cannot be made, and the settings store
  // will read defaults from a path that does not exist rather than from
  // somewhere unexpected.
  testing::TempFolder home;
  testing::WriteFileBytes(home / ".config", "not a folder");
  ScopedVariable xdg("XDG_CONFIG_HOME", nullptr);
  ScopedVariable home_variable("HOME", home.path().c_str());
  EXPECT_EQ(DefaultSettingsPath("canopex", SettingsPlacement::kUserConfiguration),
            home / ".config/canopex/canopex.ini");
  EXPECT_EQ(testing::FileBytes(home / ".config"), "not a folder");
}

#endif

}  // namespace
}  // namespace canopex
