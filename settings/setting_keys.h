// Every entry of the settings file, with its section and default, in one
// place. The Results entries are only ever written; their default is unused.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings_store.h"

namespace canopex {

struct TextSetting {
  const char* section;
  const char* key;
  const char* fallback;
};

struct IntSetting {
  const char* section;
  const char* key;
  std::int32_t fallback;
};

namespace settings {

inline constexpr char kSetup[] = "Setup";
inline constexpr char kTreeList[] = "TreeList";
inline constexpr char kResults[] = "Results";

// Setup: the dialog's remembered entries, written by each Run.
inline constexpr TextSetting kInputFile{kSetup, "InputFile", ""};
inline constexpr TextSetting kOutputDir{kSetup, "OutputDir", ""};
inline constexpr TextSetting kOutputFile{kSetup, "OutputFile", ""};
inline constexpr TextSetting kMinDiam{kSetup, "MinDiam", "1"};
inline constexpr IntSetting kCompress{kSetup, "Compress", 0};
inline constexpr IntSetting kCreateDir{kSetup, "CreateDir", 0};

// Setup: options only a hand edit sets; the program never writes them.
inline constexpr IntSetting kOutputCrownRatio{kSetup, "OutputCrownRatio", 0};
inline constexpr IntSetting kTreeHtClasses{kSetup, "TreeHtClasses", 1};
inline constexpr IntSetting kTreeHtClassesMinDBH{kSetup, "TreeHtClassesMinDBH", 6};
inline constexpr IntSetting kTreeHtClassesMaxDBH{kSetup, "TreeHtClassesMaxDBH", 9};
inline constexpr IntSetting kDumpTreeLists{kSetup, "DumpTreeLists", 0};

// TreeList: the column layout of the report, in the order it is read and
// written.
inline constexpr IntSetting kTreeIdStart{kTreeList, "TreeId_Start", 0};
inline constexpr IntSetting kTreeIdLen{kTreeList, "TreeId_Len", 8};
inline constexpr IntSetting kSpeciesStart{kTreeList, "Species_Start", 14};
inline constexpr IntSetting kSpeciesLen{kTreeList, "Species_Len", 2};
inline constexpr IntSetting kTpaStart{kTreeList, "TPA_Start", 30};
inline constexpr IntSetting kTpaLen{kTreeList, "TPA_Len", 8};
inline constexpr IntSetting kDiamStart{kTreeList, "Diam_Start", 48};
inline constexpr IntSetting kDiamLen{kTreeList, "Diam_Len", 5};
inline constexpr IntSetting kHeightStart{kTreeList, "Height_Start", 60};
inline constexpr IntSetting kHeightLen{kTreeList, "Height_Len", 5};
inline constexpr IntSetting kCrownRatioStart{kTreeList, "CrownRatio_Start", 71};
inline constexpr IntSetting kCrownRatioLen{kTreeList, "CrownRatio_Len", 2};
// Two blanks between CUT and LIST.
inline constexpr TextSetting kCutListIndicator{kTreeList, "CutListIndicator",
                                               "COMPLETE CUT  LIST"};

// Results: the counts and error text of the last run.
inline constexpr IntSetting kCutListCount{kResults, "CutListCount", 0};
inline constexpr IntSetting kTreesCount{kResults, "TreesCount", 0};
inline constexpr IntSetting kTreesTPAZeroCount{kResults, "TreesTPAZeroCount", 0};
inline constexpr IntSetting kTreesBelowDiamCount{kResults, "TreesBelowDiamCount", 0};
inline constexpr TextSetting kErrMessage{kResults, "ErrMessage", ""};

}  // namespace settings

// Reads and writes of a table entry, with its own section, key and default.
inline std::string ReadSetting(SettingsStore& store, const TextSetting& setting) {
  return store.ReadSettingString(setting.section, setting.key, setting.fallback);
}
inline std::int32_t ReadSetting(SettingsStore& store, const IntSetting& setting) {
  return store.ReadSettingInt(setting.section, setting.key, setting.fallback);
}
inline bool WriteSetting(SettingsStore& store, const TextSetting& setting,
                         const std::string& value) {
  return store.WriteSettingString(setting.section, setting.key, value);
}
inline bool WriteSetting(SettingsStore& store, const IntSetting& setting, std::int32_t value) {
  return store.WriteSettingInt(setting.section, setting.key, value);
}

}  // namespace canopex
