#include "conversion/tree_list_layout.h"

#include <algorithm>
#include <array>
#include <utility>

namespace canopex {
namespace {

// The layout's columns beside their keys, in the order of the settings file.
std::array<std::pair<ColumnRange TreeListLayout::*, std::pair<IntSetting, IntSetting>>, 6>
ColumnKeys() {
  using settings::kCrownRatioLen, settings::kCrownRatioStart, settings::kDiamLen,
      settings::kDiamStart, settings::kHeightLen, settings::kHeightStart, settings::kSpeciesLen,
      settings::kSpeciesStart, settings::kTpaLen, settings::kTpaStart, settings::kTreeIdLen,
      settings::kTreeIdStart;
  return {{{&TreeListLayout::tree_id, {kTreeIdStart, kTreeIdLen}},
           {&TreeListLayout::species, {kSpeciesStart, kSpeciesLen}},
           {&TreeListLayout::tpa, {kTpaStart, kTpaLen}},
           {&TreeListLayout::diameter, {kDiamStart, kDiamLen}},
           {&TreeListLayout::height, {kHeightStart, kHeightLen}},
           {&TreeListLayout::crown_ratio, {kCrownRatioStart, kCrownRatioLen}}}};
}

}  // namespace

TreeListLayout ReadTreeListLayout(SettingsStore& store) {
  TreeListLayout layout;
  for (const auto& [column, keys] : ColumnKeys()) {
    (layout.*column).start = ReadSetting(store, keys.first);
    (layout.*column).length = ReadSetting(store, keys.second);
  }
  std::string indicator = ReadSetting(store, settings::kCutListIndicator);
  indicator.erase(std::remove(indicator.begin(), indicator.end(), '\''), indicator.end());
  layout.cut_list_indicator = std::move(indicator);
  return layout;
}

void WriteTreeListLayout(SettingsStore& store, const TreeListLayout& layout) {
  for (const auto& [column, keys] : ColumnKeys()) {
    WriteSetting(store, keys.first, (layout.*column).start);
    WriteSetting(store, keys.second, (layout.*column).length);
  }
  WriteSetting(store, settings::kCutListIndicator, "'" + layout.cut_list_indicator + "'");
}

}  // namespace canopex
