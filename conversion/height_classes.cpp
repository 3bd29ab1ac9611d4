#include "conversion/height_classes.h"

#include "settings/setting_keys.h"

namespace canopex {

HeightClassSetup ReadHeightClassSetup(SettingsStore& settings) {
  HeightClassSetup setup;
  setup.table.on = ReadSetting(settings, settings::kTreeHtClasses) != 0;
  setup.table.smallest =
      static_cast<std::int16_t>(ReadSetting(settings, settings::kTreeHtClassesMinDBH));
  setup.table.largest =
      static_cast<std::int16_t>(ReadSetting(settings, settings::kTreeHtClassesMaxDBH));
  const HeightClassTable& table = setup.table;
  if (table.on && (table.smallest <= 0 || table.largest <= 0 || table.smallest > table.largest ||
                   table.largest >= HeightClassTally::kClassCount)) {
    setup.faulty = true;
    setup.table.on = false;
  }
  return setup;
}

void HeightClassTally::CountSmallTree(std::int16_t diameter_class) {
  if (InRange(diameter_class)) ++rows_[diameter_class].small_trees;
}

void HeightClassTally::AssignHeightClasses(RecordTable& small_trees, RecordTable& cut_list) {
  for (Row& row : rows_) row.third = row.small_trees / 3;
  for (const TreeRecord& record : small_trees.InKeyOrder()) {
    TreeRecord copy = record;
    copy.height_class = 3;
    if (InRange(record.diameter_class)) {
      Row& row = rows_[record.diameter_class];
      int index = 0;
      while (index < 2 && row.given[index] >= row.third) ++index;
      ++row.given[index];
      copy.height_class = static_cast<std::int16_t>(index + 1);
    }
    cut_list.Insert(std::move(copy));
  }
}

}  // namespace canopex
