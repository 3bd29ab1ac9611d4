// Diagnostic dumps of the trees of a compressed cut list around the
// height-class step, written beside the stand file when DumpTreeLists is set.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "conversion/tree_record.h"
#include "settings/settings_store.h"

namespace canopex {

// Whether dumps are written. The setting is read the first time it is asked
// for and then held: a later edit takes effect only at the next program
// start. One switch serves the whole program run (ProcessDumpSwitch).
class DumpSwitch {
 public:
  bool IsOn(SettingsStore& settings);

 private:
  int value_ = -1;  // not read yet
};

DumpSwitch& ProcessDumpSwitch();

// "<folder><stand>y<year>_tree_<pass>.txt": the cut list table before (pass
// 1) or after (pass 2) the height-class step.
std::string CutListDumpPath(std::string_view folder, std::string_view stand,
                            std::string_view year, int pass);

// "<folder><stand>y<year>_trsd.txt": the small trees before the step.
std::string SmallTreeDumpPath(std::string_view folder, std::string_view stand,
                              std::string_view year);

// The dump of `records`: one line per record, CR LF ended, the tree row with
// crown ratio followed by the diameter class and the height class as
// unsigned 16-bit numbers.
std::string DumpText(std::span<const TreeRecord> records, std::string_view stand,
                     std::string_view year);

}  // namespace canopex
