// Fuzz target: a whole conversion. The first bytes of the input choose the
// options and the layout (see Options); the rest is the report, written into
// a fresh folder and converted into another. Besides crashes, hangs and
// sanitizer reports this checks what must hold for any report:
// - nothing is created outside the output folder, and the report is left
//   byte for byte as it was, also when it lies among the stand files or is
//   the stand file;
// - Convert fails exactly when the run has an error text, every error but
//   "not a tree list" is shown as it happens, and the counts are
//   non-negative and no more than the report has lines;
// - every stand or dump file ends with a whole line, and the single stand
//   file starts with the header line, then one row per kept tree (at most
//   that many when compressed);
// - the settings afterwards hold the layout the run read and its counts.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/height_classes.h"
#include "conversion/stand_lines.h"
#include "conversion/tree_list_converter.h"
#include "conversion/tree_list_layout.h"
#include "fuzz_support.h"
#include "settings/ini_store.h"
#include "settings/setting_keys.h"
#include "util/number_format.h"

namespace {

namespace fs = std::filesystem;
using canopex::fuzz::Escaped;

// Bytes before the report.
constexpr std::size_t kOptionBytes = 10;

// byte 0: flags; byte 1: minimum diameter (low three bits), whether the
// report lies among the stand files (bit 3: in the output folder, named
// as the stand file of stand "a" and year "1", or in single-file mode the
// stand file itself) and indicator (high nibble); bytes 2 and 3: the
// height-class diameters; bytes 4 to 9: one nibble per layout integer, used
// with kPerturbLayout.
enum Flag : std::uint8_t {
  kCompress = 1 << 0,
  kSingleFile = 1 << 1,
  kAutomaticCompression = 1 << 2,
  kCrownRatio = 1 << 3,
  kDump = 1 << 4,
  kSettingsFile = 1 << 5,  // an IniFileStore over a file instead of memory
  kHeightClassesOff = 1 << 6,
  kPerturbLayout = 1 << 7,
};

constexpr std::array<double, 8> kMinimumDiameters = {
    1.0, 0.0, 2.5, 6.0, -1.0, 5.51, std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN()};
constexpr std::uint8_t kReportAmongStands = 1 << 3;

// The CutListIndicator values as written in the settings file; the first,
// empty, writes none (the default applies).
constexpr std::array<const char*, 16> kIndicators = {
    "",
    "'COMPLETE CUT  LIST'",
    "''",
    "CUT",
    "' LIST '",
    "COMPLETE CUT LIST",
    "STAND:",
    "YEAR:",
    "'",
    "'\f'",
    "TREE",
    "T'S",
    "\"COMPLETE CUT  LIST\"",
    "a",
    "-",
    "'COMPLETE CUT  LIST '",
};

const std::array<canopex::IntSetting, 12> kLayoutKeys = {
    canopex::settings::kTreeIdStart,     canopex::settings::kTreeIdLen,
    canopex::settings::kSpeciesStart,    canopex::settings::kSpeciesLen,
    canopex::settings::kTpaStart,        canopex::settings::kTpaLen,
    canopex::settings::kDiamStart,       canopex::settings::kDiamLen,
    canopex::settings::kHeightStart,     canopex::settings::kHeightLen,
    canopex::settings::kCrownRatioStart, canopex::settings::kCrownRatioLen};

// A layout integer from its default and a nibble: small steps around the
// default, or one of the extremes.
std::int64_t LayoutValue(std::int32_t fallback, std::uint8_t nibble) {
  switch (nibble) {
    case 12: return 0;
    case 13: return -1;
    case 14: return std::numeric_limits<std::int32_t>::max();
    case 15: return std::numeric_limits<std::int32_t>::min();
    default: return static_cast<std::int64_t>(fallback) + nibble - 6;
  }
}

// A height-class diameter from a signed byte; large magnitudes are scaled up
// so that the low 16 bits differ from the value.
std::int64_t HeightClassValue(std::uint8_t byte) {
  const auto value = static_cast<std::int8_t>(byte);
  return (value > 100 || value < -100) ? static_cast<std::int64_t>(value) * 1000 + 7 : value;
}

struct Options {
  std::uint8_t flags = 0;
  double minimum_diameter = 1.0;
  bool report_among_stands = false;
  std::string settings_text;
};

void AppendSetting(std::string& text, const char* key, std::int64_t value) {
  text.append(key).append("=");
  canopex::AppendInteger(text, value);
  text += '\n';
}

Options ReadOptions(canopex::fuzz::ChoiceReader& input) {
  Options options;
  options.flags = input.Byte();
  const std::uint8_t choices = input.Byte();
  options.minimum_diameter = kMinimumDiameters[choices & 0x07];
  options.report_among_stands = (choices & kReportAmongStands) != 0;
  const std::uint8_t minimum_class = input.Byte();
  const std::uint8_t maximum_class = input.Byte();
  const std::string_view nibbles = input.Bytes(6);

  std::string& text = options.settings_text;
  text = "[Setup]\n";
  if (options.flags & kCrownRatio) AppendSetting(text, "OutputCrownRatio", 1);
  if (options.flags & kHeightClassesOff) AppendSetting(text, "TreeHtClasses", 0);
  if (minimum_class != 0) {
    AppendSetting(text, "TreeHtClassesMinDBH", HeightClassValue(minimum_class));
  }
  if (maximum_class != 0) {
    AppendSetting(text, "TreeHtClassesMaxDBH", HeightClassValue(maximum_class));
  }
  if (options.flags & kDump) AppendSetting(text, "DumpTreeLists", 1);
  text += "[TreeList]\n";
  if (options.flags & kPerturbLayout) {
    for (std::size_t i = 0; i < kLayoutKeys.size(); ++i) {
      const auto byte =
          static_cast<std::uint8_t>(i / 2 < nibbles.size() ? nibbles[i / 2] : '\0');
      const std::uint8_t nibble = (i % 2 == 0) ? byte & 0x0F : byte >> 4;
      AppendSetting(text, kLayoutKeys[i].key, LayoutValue(kLayoutKeys[i].fallback, nibble));
    }
  }
  const char* indicator = kIndicators[choices >> 4];
  if (*indicator != '\0') text.append("CutListIndicator=").append(indicator).append("\n");
  return options;
}

class RecordedMessages final : public canopex::MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

bool LayoutsEqual(const canopex::TreeListLayout& a, const canopex::TreeListLayout& b) {
  const auto same = [](const canopex::ColumnRange& x, const canopex::ColumnRange& y) {
    return x.start == y.start && x.length == y.length;
  };
  return same(a.tree_id, b.tree_id) && same(a.species, b.species) && same(a.tpa, b.tpa) &&
         same(a.diameter, b.diameter) && same(a.height, b.height) &&
         same(a.crown_ratio, b.crown_ratio) && a.cut_list_indicator == b.cut_list_indicator;
}

// The folders and files of one run, below the process's temporary folder.
struct RunFolders {
  explicit RunFolders(bool report_among_stands)
      : report(report_among_stands ? output / "a_1.txt" : input / "report.trl"),
        stand_file(report_among_stands ? report : output / "stands.txt") {}

  fs::path root = canopex::fuzz::ProcessTempFolder::Path();
  fs::path run = root / "run";
  fs::path input = run / "in";
  fs::path output = run / "out";
  fs::path settings = input / "canopex.ini";
  fs::path report;
  fs::path stand_file;  // in single-file mode
};

bool IsWithin(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

// Everything below the process's folder must be one of the run's own files
// or in the output folder, which holds plain files only, each empty or
// ending in CR LF.
void CheckFilesLeft(const RunFolders& folders) {
  std::error_code error;
  for (fs::recursive_directory_iterator it(folders.root, error), end; it != end;
       it.increment(error)) {
    FUZZ_CHECK(!error, "cannot walk " + folders.root.string() + ": " + error.message());
    const fs::path& path = it->path();
    if (path == folders.run || path == folders.input || path == folders.output ||
        path == folders.report || path == folders.settings) {
      continue;
    }
    FUZZ_CHECK(IsWithin(path, folders.output),
               "a file outside the output folder: " + Escaped(path.string()));
    FUZZ_CHECK(it->is_regular_file(error) && !it->is_symlink(error),
               "not a plain file: " + Escaped(path.string()));
    const std::string bytes = canopex::fuzz::FileBytes(path);
    FUZZ_CHECK(bytes.empty() || bytes.ends_with("\r\n"),
               "a file without a whole last line: " + Escaped(path.string()));
  }
  FUZZ_CHECK(!error, "cannot walk " + folders.root.string() + ": " + error.message());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kOptionBytes) return 0;
  canopex::fuzz::ChoiceReader input(data, size);
  const Options options = ReadOptions(input);
  const std::string report(input.Rest());
  const bool single_file = (options.flags & kSingleFile) != 0;
  const bool crown_ratio = (options.flags & kCrownRatio) != 0;

  const RunFolders folders(options.report_among_stands);
  std::error_code error;
  fs::remove_all(folders.run, error);
  fs::create_directories(folders.input);
  fs::create_directories(folders.output);
  canopex::fuzz::WriteFileBytes(folders.report, report);

  std::unique_ptr<canopex::SettingsStore> settings;
  if (options.flags & kSettingsFile) {
    canopex::fuzz::WriteFileBytes(folders.settings, options.settings_text);
    settings = std::make_unique<canopex::IniFileStore>(folders.settings.string());
  } else {
    settings = std::make_unique<canopex::MemorySettingsStore>(options.settings_text);
  }
  const canopex::TreeListLayout layout_read = canopex::ReadTreeListLayout(*settings);

  RecordedMessages messages;
  canopex::DumpSwitch dump_switch;
  canopex::RunCounts counts;
  std::size_t construction_messages = 0;
  {
    canopex::TreeListConverter converter(
        *settings, messages, folders.report.string(), single_file,
        (single_file ? folders.stand_file : folders.output).string(),
        (options.flags & kAutomaticCompression) != 0, (options.flags & kCompress) != 0);
    converter.UseDumpSwitch(dump_switch);
    converter.SetMinimumDiameter(options.minimum_diameter);
    construction_messages = messages.shown.size();
    const bool succeeded = converter.Convert();
    counts = converter.counts();
    FUZZ_CHECK(succeeded == counts.error.empty(), "Convert gave " + std::to_string(succeeded) +
                                                      " with the error text \"" +
                                                      Escaped(counts.error) + "\"");
  }

  FUZZ_CHECK(construction_messages <= 1, "more than one message before Convert");
  FUZZ_CHECK(counts.cut_lists >= 0 && counts.trees >= 0 && counts.tpa_zero >= 0 &&
                 counts.below_diameter >= 0,
             "a negative count");
  const std::int64_t lines_counted = static_cast<std::int64_t>(counts.cut_lists) + counts.trees +
                                     counts.tpa_zero + counts.below_diameter;
  FUZZ_CHECK(lines_counted <= static_cast<std::int64_t>(report.size()),
             "more lines counted than the report has bytes");
  const std::size_t run_messages = messages.shown.size() - construction_messages;
  if (counts.error == canopex::kNotATreeListMessage) {
    FUZZ_CHECK(run_messages == 0 && counts.cut_lists == 0, "a tree list that is none");
  } else {
    FUZZ_CHECK((run_messages == 0) == counts.error.empty(),
               "error text \"" + Escaped(counts.error) + "\" after " +
                   std::to_string(run_messages) + " messages");
    FUZZ_CHECK(run_messages == 0 || messages.shown.back() == counts.error,
               "the last message \"" + Escaped(messages.shown.back()) +
                   "\" is not the error text \"" + Escaped(counts.error) + "\"");
  }

  FUZZ_CHECK(canopex::fuzz::FileBytes(folders.report) == report, "the report was changed");
  CheckFilesLeft(folders);
  if (single_file && !options.report_among_stands && fs::exists(folders.stand_file)) {
    const std::string bytes = canopex::fuzz::FileBytes(folders.stand_file);
    const std::string header = canopex::StandHeaderLine(crown_ratio) + "\r\n";
    FUZZ_CHECK(bytes.starts_with(header), "the stand file does not start with its header line");
    // One row per kept tree, unless compressed (fields hold no LF, and no CR
    // at their ends).
    std::int64_t rows = -1;
    for (std::size_t at = bytes.find("\r\n"); at != bytes.npos; at = bytes.find("\r\n", at + 2)) {
      ++rows;
    }
    const bool rows_per_tree = (options.flags & kCompress) == 0 &&
                               ((options.flags & kAutomaticCompression) == 0 ||
                                counts.trees <= canopex::kAutomaticCompressionTrees);
    FUZZ_CHECK(rows_per_tree ? rows == counts.trees : rows <= counts.trees,
               std::to_string(rows) + " rows for " + std::to_string(counts.trees) + " trees");
  }

  FUZZ_CHECK(LayoutsEqual(canopex::ReadTreeListLayout(*settings), layout_read),
             "the layout written back differs from the one read");
  namespace keys = canopex::settings;
  FUZZ_CHECK(canopex::ReadSetting(*settings, keys::kCutListCount) == counts.cut_lists &&
                 canopex::ReadSetting(*settings, keys::kTreesCount) == counts.trees &&
                 canopex::ReadSetting(*settings, keys::kTreesTPAZeroCount) == counts.tpa_zero &&
                 canopex::ReadSetting(*settings, keys::kTreesBelowDiamCount) ==
                     counts.below_diameter,
             "the settings do not hold the run's counts");
  FUZZ_CHECK(canopex::ReadSetting(*settings, keys::kErrMessage).empty() == counts.error.empty(),
             "the settings do not hold the run's error text");

  fs::remove_all(folders.run, error);
  return 0;
}
