#include "conversion/stand_lines.h"

#include <initializer_list>

#include "util/number_format.h"
#include "util/safe_divide.h"

namespace canopex {
namespace {

void AppendFields(std::string& line, std::initializer_list<std::string_view> fields) {
  for (std::string_view field : fields) {
    line += '\t';
    line.append(field);
  }
}

// The apostrophe, the stand text and the year text that begin every row.
std::string RowStart(std::string_view stand, std::string_view year) {
  std::string line;
  line.reserve(80);
  line += '\'';
  line.append(stand);
  AppendFields(line, {year});
  return line;
}

}  // namespace

std::string StandHeaderLine(bool crown_ratio_column) {
  std::string line = "StandId\tStandYear\tTreeId\tSpecies\tDiameter\tHeight\tTPA";
  if (crown_ratio_column) line += "\tCrownRatio";
  return line;
}

std::string TreeRowLine(std::string_view stand, std::string_view year, const TreeRecord& record,
                        bool crown_ratio_column) {
  std::string line = RowStart(stand, year);
  AppendFields(line, {record.tree_id, record.species, record.diameter, record.height, record.tpa});
  if (crown_ratio_column) AppendFields(line, {record.crown_ratio});
  return line;
}

std::string ClassRowLine(std::string_view stand, std::string_view year,
                         const ClassRowValues& values, bool crown_ratio_column) {
  std::string line = RowStart(stand, year);
  AppendFields(line, {"0", values.species});
  line += '\t';
  AppendInteger(line, values.diameter_class);
  line += '\t';
  AppendFixed(line, SafeDivide(values.height_sum, values.tpa_sum), 6, 1);
  line += '\t';
  AppendFixed(line, values.tpa_sum, 10, 3);
  if (crown_ratio_column) {
    line += '\t';
    AppendFixed(line, SafeDivide(values.crown_ratio_sum, values.tpa_sum), 3, 0);
  }
  return line;
}

}  // namespace canopex
