// Fuzz target: a whole conversion. Ten option bytes (see SettingsFor and the
// entry point), then the report, converted from a fresh folder into another.
// Nothing is made outside the output folder, which holds plain files of whole
// lines; the report stays as it was, even among the stand files; Convert fails
// exactly when the run has an error text, the last message shown (none for a
// report that is no tree list), after at most one other; the counts add up to
// no more than the report has bytes and are in the settings afterwards, with
// the layout the run read; a single stand file starts with its header line,
// then has one row per kept tree (at most that many when compressed).
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "conversion/stand_lines.h"
#include "conversion/tree_list_converter.h"
#include "conversion/tree_list_layout.h"
#include "fuzz_support.h"
#include "settings/ini_store.h"
#include "settings/setting_keys.h"

namespace {

namespace fs = std::filesystem;
using canopex::fuzz::Escaped;

// Byte 0: flags. Byte 1: the minimum diameter (low three bits), whether the
// report lies among the stand files (bit 3: named as the stand file of stand
// "a" and year "1", or in single-file mode as the stand file itself) and the
// indicator (high nibble). Bytes 2 and 3: the height-class diameters (0: not
// written). Bytes 4 to 9: one nibble per layout integer, with kPerturbLayout.
constexpr std::size_t kOptionBytes = 10;
enum : std::uint8_t { kCompress = 1, kSingleFile = 2, kAutoCompress = 4, kCrownRatio = 8 };
enum : std::uint8_t { kDump = 16, kSettingsFile = 32, kNoHeightClasses = 64, kPerturbLayout = 128 };
constexpr double kMinimumDiameters[] = {1.0, 0.0, 2.5, 6.0, -1.0, 5.51, HUGE_VAL, NAN};
// CutListIndicator as written in the settings file; none for the first.
constexpr const char* kIndicators[] = {
    "", "'COMPLETE CUT  LIST'", "''", "CUT", "' LIST '", "COMPLETE CUT LIST", "STAND:", "YEAR:",
    "'", "'\f'", "TREE", "T'S", "\"COMPLETE CUT  LIST\"", "a", "-", "'COMPLETE CUT  LIST '"};

std::string SettingsFor(const std::uint8_t* option) {
  std::string text = "[Setup]\n";
  const auto add = [&text](const char* key, std::int64_t value) {
    text.append(key).append("=" + std::to_string(value) + "\n");
  };
  if (option[0] & kCrownRatio) add("OutputCrownRatio", 1);
  if (option[0] & kNoHeightClasses) add("TreeHtClasses", 0);
  for (const int i : {2, 3}) {
    // Large magnitudes scaled up, so that the low 16 bits differ from the value.
    const int value = static_cast<std::int8_t>(option[i]);
    const char* key = i == 2 ? "TreeHtClassesMinDBH" : "TreeHtClassesMaxDBH";
    if (value != 0) add(key, std::abs(value) > 100 ? value * 1000 + 7 : value);
  }
  if (option[0] & kDump) add("DumpTreeLists", 1);
  text += "[TreeList]\n";
  using namespace canopex::settings;
  const canopex::IntSetting layout[] = {kTreeIdStart, kTreeIdLen, kSpeciesStart,    kSpeciesLen,
                                        kTpaStart,    kTpaLen,    kDiamStart,       kDiamLen,
                                        kHeightStart, kHeightLen, kCrownRatioStart, kCrownRatioLen};
  // Small steps around each default, or one of the extremes.
  constexpr std::int64_t kExtremes[] = {0, -1, INT32_MAX, INT32_MIN};
  for (std::size_t i = 0; (option[0] & kPerturbLayout) && i < std::size(layout); ++i) {
    const int nibble = option[4 + i / 2] >> (i % 2 * 4) & 0x0F;
    add(layout[i].key, nibble < 12 ? layout[i].fallback + nibble - 6 : kExtremes[nibble - 12]);
  }
  const char* indicator = kIndicators[option[1] >> 4];
  if (*indicator != '\0') text.append("CutListIndicator=").append(indicator).append("\n");
  return text;
}

// The layout the settings give, written out.
std::string LayoutText(canopex::SettingsStore& settings) {
  canopex::MemorySettingsStore text;
  canopex::WriteTreeListLayout(text, canopex::ReadTreeListLayout(settings));
  return text.text();
}

struct RecordedMessages final : canopex::MessageSink {
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kOptionBytes) return 0;
  const std::uint8_t flags = data[0];
  const bool single_file = flags & kSingleFile, among_stands = data[1] & 8;
  const std::string report(reinterpret_cast<const char*>(data + kOptionBytes), size - kOptionBytes);
  const fs::path run = canopex::fuzz::TempFolder() / "run", input = run / "in";
  const fs::path output = run / "out", settings_path = input / "canopex.ini";
  const fs::path report_path = among_stands ? output / "a_1.txt" : input / "report.trl";
  const fs::path stand_file = among_stands ? report_path : output / "stands.txt";
  fs::remove_all(run);
  for (const fs::path& folder : {input, output}) fs::create_directories(folder);
  canopex::fuzz::WriteFileBytes(report_path, report);
  const std::string settings_text = SettingsFor(data);
  if (flags & kSettingsFile) canopex::fuzz::WriteFileBytes(settings_path, settings_text);
  canopex::IniFileStore file_store(settings_path.string());
  canopex::MemorySettingsStore memory_store(settings_text);
  canopex::SettingsStore& settings = flags & kSettingsFile
                                         ? static_cast<canopex::SettingsStore&>(file_store)
                                         : memory_store;
  const std::string layout_read = LayoutText(settings);

  RecordedMessages messages;
  canopex::DumpSwitch dump_switch;
  std::optional<canopex::TreeListConverter> converter(
      std::in_place, settings, messages, report_path.string(), single_file,
      (single_file ? stand_file : output).string(), flags & kAutoCompress,
      flags & kCompress);
  converter->UseDumpSwitch(dump_switch);
  converter->SetMinimumDiameter(kMinimumDiameters[data[1] & 7]);
  const std::size_t early = messages.shown.size();
  const bool succeeded = converter->Convert();
  const canopex::RunCounts counts = converter->counts();
  converter.reset();  // it stores the layout and the results as it ends
  const std::size_t shown = messages.shown.size() - early;
  FUZZ_CHECK(succeeded == counts.error.empty() && early <= 1 &&
                 (counts.error == canopex::kNotATreeListMessage
                      ? shown == 0 && counts.cut_lists == 0
                      : (shown == 0) == counts.error.empty() &&
                            (shown == 0 || messages.shown.back() == counts.error)),
             std::to_string(shown) + " messages, error \"" + Escaped(counts.error) + "\"");
  const std::int64_t lines =
      std::int64_t{counts.cut_lists} + counts.trees + counts.tpa_zero + counts.below_diameter;
  FUZZ_CHECK(lines <= static_cast<std::int64_t>(report.size()),
             std::to_string(lines) + " lines counted");

  FUZZ_CHECK(canopex::fuzz::FileBytes(report_path) == report, "the report was changed");
  // The whole process folder: a name with ".." could lead out of the run's.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(run.parent_path())) {
    const fs::path& path = entry.path();
    if (path == run || path == input || path == output || path == report_path) continue;
    if (path == settings_path) continue;
    const fs::path relative = path.lexically_relative(output);
    const std::string bytes = entry.is_regular_file() ? canopex::fuzz::FileBytes(path) : "";
    FUZZ_CHECK(!relative.empty() && *relative.begin() != ".." && entry.is_regular_file() &&
                   !entry.is_symlink() && (bytes.empty() || bytes.ends_with("\r\n")),
               "outside the output folder or no plain file of lines: " + Escaped(path.string()));
  }
  if (single_file && !among_stands && fs::exists(stand_file)) {
    const std::string bytes = canopex::fuzz::FileBytes(stand_file);
    const auto rows = std::count(bytes.begin(), bytes.end(), '\n') - 1;  // fields hold no LF
    const bool row_per_tree =
        !(flags & kCompress) &&
        (!(flags & kAutoCompress) || counts.trees <= canopex::kAutomaticCompressionTrees);
    FUZZ_CHECK(bytes.starts_with(canopex::StandHeaderLine(flags & kCrownRatio) + "\r\n") &&
                   (row_per_tree ? rows == counts.trees : rows <= counts.trees),
               std::to_string(rows) + " rows for " + std::to_string(counts.trees) + " trees");
  }

  using namespace canopex::settings;
  FUZZ_CHECK(LayoutText(settings) == layout_read &&
                 canopex::ReadSetting(settings, kCutListCount) == counts.cut_lists &&
                 canopex::ReadSetting(settings, kTreesCount) == counts.trees &&
                 canopex::ReadSetting(settings, kTreesTPAZeroCount) == counts.tpa_zero &&
                 canopex::ReadSetting(settings, kTreesBelowDiamCount) == counts.below_diameter &&
                 canopex::ReadSetting(settings, kErrMessage).empty() == counts.error.empty(),
             "the settings do not hold the layout read and the run's results");
  return 0;
}
