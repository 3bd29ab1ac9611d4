// Small-tree height classes: with compression chosen by the user, each small
// diameter class (by default 6 to 9) is split into three height classes,
// shortest trees first, by thirds counted over the whole run.
#pragma once

#include <array>
#include <cstdint>

#include "conversion/tree_record.h"
#include "settings/settings_store.h"

namespace canopex {

// Shown when the parameters in the settings file are faulty; ends in a blank.
inline constexpr char kHeightClassParameterMessage[] =
    "There is an error in the small diameter height class parameters. ";

// Which diameter classes get height classes in this run.
struct HeightClassTable {
  bool on = false;
  std::int16_t smallest = 0;
  std::int16_t largest = 0;

  bool IsSmallTree(std::int16_t diameter_class) const {
    return on && smallest <= diameter_class && diameter_class <= largest;
  }
};

struct HeightClassSetup {
  HeightClassTable table;
  bool faulty = false;  // the parameters were refused; `table` is off
};

// Reads TreeHtClasses, TreeHtClassesMinDBH and TreeHtClassesMaxDBH (the two
// classes as the low 16 bits of the integers read) and checks them: with the
// feature on, 1 <= smallest <= largest <= 19 must hold, or the feature is off
// and `faulty` is set.
HeightClassSetup ReadHeightClassSetup(SettingsStore& settings);

// Counts per diameter class 0 to 19, kept over all cut lists of a run.
class HeightClassTally {
 public:
  static constexpr int kClassCount = 20;

  void Clear() { rows_ = {}; }

  // Counts one tree put into the small-tree table.
  void CountSmallTree(std::int16_t diameter_class);

  // Gives every record of `small_trees`, in key order, height class 1, 2 or
  // 3 (the first third of its diameter class's small trees of the run so far
  // get 1, the next third 2, the rest 3, counting what earlier cut lists
  // were given) and inserts a copy of it into `cut_list`. `small_trees`
  // keeps its records unchanged.
  void AssignHeightClasses(RecordTable& small_trees, RecordTable& cut_list);

  struct Row {
    std::int32_t small_trees = 0;
    std::int32_t third = 0;
    std::array<std::int32_t, 3> given{};  // trees given height class 1, 2, 3
  };
  const Row& row(int diameter_class) const { return rows_[diameter_class]; }

 private:
  static bool InRange(std::int16_t diameter_class) {
    return diameter_class >= 0 && diameter_class < kClassCount;
  }

  std::array<Row, kClassCount> rows_{};
};

}  // namespace canopex
