// Where the fields of a tree line stand in the report, and the text that
// marks a cut list header. Read from and written back to the settings file.
#pragma once

#include <cstdint>
#include <string>

#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace canopex {

// A field's 0-based first column and its length in characters.
struct ColumnRange {
  std::int32_t start;
  std::int32_t length;
};

struct TreeListLayout {
  ColumnRange tree_id{settings::kTreeIdStart.fallback, settings::kTreeIdLen.fallback};
  ColumnRange species{settings::kSpeciesStart.fallback, settings::kSpeciesLen.fallback};
  ColumnRange tpa{settings::kTpaStart.fallback, settings::kTpaLen.fallback};
  ColumnRange diameter{settings::kDiamStart.fallback, settings::kDiamLen.fallback};
  ColumnRange height{settings::kHeightStart.fallback, settings::kHeightLen.fallback};
  ColumnRange crown_ratio{settings::kCrownRatioStart.fallback, settings::kCrownRatioLen.fallback};
  std::string cut_list_indicator = settings::kCutListIndicator.fallback;
};

// Reads the twelve layout integers in table order, then the cut list
// indicator with every apostrophe removed.
TreeListLayout ReadTreeListLayout(SettingsStore& store);

// Writes the twelve layout integers in table order, then the indicator
// enclosed in apostrophes, so blanks at its ends survive a read. Failed
// writes are not reported.
void WriteTreeListLayout(SettingsStore& store, const TreeListLayout& layout);

}  // namespace canopex
