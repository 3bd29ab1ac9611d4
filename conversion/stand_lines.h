// The lines of a stand file, without their line end: the column header line,
// tree rows and compressed rows. Rows begin with an apostrophe before the
// stand text; fields are separated by one tab, nothing is quoted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/tree_record.h"

namespace canopex {

// "StandId", "StandYear", "TreeId", "Species", "Diameter", "Height", "TPA",
// and "CrownRatio" only with the crown ratio column on.
std::string StandHeaderLine(bool crown_ratio_column);

// One kept tree, its texts unchanged.
std::string TreeRowLine(std::string_view stand, std::string_view year, const TreeRecord& record,
                        bool crown_ratio_column);

// The sums of one group of the compressed walk.
struct ClassRowValues {
  std::string_view species;
  std::int16_t diameter_class = 0;
  double tpa_sum = 0.0;
  double height_sum = 0.0;        // height x TPA, summed
  double crown_ratio_sum = 0.0;   // crown ratio x TPA, summed
};

// One compressed row: "0" as tree id, the class as a whole number, then the
// TPA-weighted mean height ("%6.1f"), the TPA sum ("%10.3f") and, with the
// crown ratio column on, the weighted mean crown ratio ("%3.0f"). Means are
// 0 when the TPA sum is 0.
std::string ClassRowLine(std::string_view stand, std::string_view year,
                         const ClassRowValues& values, bool crown_ratio_column);

}  // namespace canopex
