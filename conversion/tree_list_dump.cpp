#include "conversion/tree_list_dump.h"

#include <cstdint>

#include "conversion/stand_lines.h"
#include "settings/setting_keys.h"
#include "util/number_format.h"

namespace canopex {

bool DumpSwitch::IsOn(SettingsStore& settings) {
  if (value_ == -1) value_ = ReadSetting(settings, settings::kDumpTreeLists);
  return value_ != 0;
}

DumpSwitch& ProcessDumpSwitch() {
  static DumpSwitch process_switch;
  return process_switch;
}

namespace {

std::string DumpPathStart(std::string_view folder, std::string_view stand, std::string_view year) {
  std::string path;
  path.append(folder).append(stand).append("y").append(year);
  return path;
}

}  // namespace

std::string CutListDumpPath(std::string_view folder, std::string_view stand,
                            std::string_view year, int pass) {
  std::string path = DumpPathStart(folder, stand, year) + "_tree_";
  AppendInteger(path, pass);
  return path + ".txt";
}

std::string SmallTreeDumpPath(std::string_view folder, std::string_view stand,
                              std::string_view year) {
  return DumpPathStart(folder, stand, year) + "_trsd.txt";
}

std::string DumpText(std::span<const TreeRecord> records, std::string_view stand,
                     std::string_view year) {
  std::string text;
  for (const TreeRecord& record : records) {
    text += TreeRowLine(stand, year, record, true);
    text += '\t';
    AppendInteger(text, static_cast<std::uint16_t>(record.diameter_class));
    text += '\t';
    AppendInteger(text, static_cast<std::uint16_t>(record.height_class));
    text += "\r\n";
  }
  return text;
}

}  // namespace canopex
