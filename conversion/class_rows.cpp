#include "conversion/class_rows.h"

#include "conversion/stand_lines.h"
#include "util/number_text.h"

namespace canopex {
namespace {

// The group the walk is building.
struct ClassGroup {
  bool open = false;
  std::int16_t height_class = 0;
  ClassRowValues values;

  bool Holds(const TreeRecord& record) const {
    return open && record.diameter_class == values.diameter_class &&
           record.species == values.species && record.height_class == height_class;
  }
};

}  // namespace

bool WriteClassRows(std::span<const TreeRecord> records, std::string_view stand,
                    std::string_view year, bool crown_ratio_column,
                    const AppendLineFunction& append_line) {
  ClassGroup group;
  const auto write_group = [&] {
    return append_line(ClassRowLine(stand, year, group.values, crown_ratio_column));
  };
  for (const TreeRecord& record : records) {
    if (!group.Holds(record)) {
      if (group.open) {
        if (!write_group()) break;
        group.values.tpa_sum = group.values.height_sum = group.values.crown_ratio_sum = 0.0;
      }
      group.open = true;
      group.values.species = record.species;
      group.values.diameter_class = record.diameter_class;
      group.height_class = record.height_class;
    }
    const double tpa = ReadDecimal(record.tpa);
    group.values.tpa_sum += tpa;
    group.values.height_sum += ReadDecimal(record.height) * tpa;
    group.values.crown_ratio_sum += ReadDecimal(record.crown_ratio) * tpa;
  }
  return !group.open || write_group();
}

}  // namespace canopex
