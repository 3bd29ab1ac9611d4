// canopex-convert: converts a tree list report into stand files from the
// command line, with the same converter and settings file as the window.
// Messages the window would show in a box go to standard error as they
// happen; standard output ends with the run's four counts.
//
// Exit status: 0 the run succeeded; 1 the run failed; 2 a usage error, a
// refused minimum diameter or a sub-folder that cannot be created (then
// nothing is converted and the settings file is untouched).
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "conversion/minimum_diameter.h"
#include "conversion/tree_list_converter.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "util/directory_chain.h"
#include "util/file_system.h"
#include "util/path_names.h"
#include "util/text.h"

namespace {

constexpr int kRunFailed = 1;
constexpr int kUsageError = 2;

// Prints each message to standard error and remembers the last one.
class StandardErrorMessages final : public canopex::MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    last_shown_ = text;
  }
  const std::string& last_shown() const { return last_shown_; }

 private:
  std::string last_shown_;
};

struct Options {
  std::string report;
  std::string output_file;
  std::string output_dir;
  std::string min_diam = "1";
  std::string settings;
  bool no_compress = false;
  bool sub_folder = false;
};

int UsageError(const std::string& text) {
  std::fprintf(stderr, "canopex-convert: %s\nRun with --help for more information.\n",
               text.c_str());
  return kUsageError;
}

int Run(const Options& options) {
  std::string min_diam = options.min_diam;
  canopex::Trim(min_diam);
  const std::optional<double> minimum_diameter = canopex::ReadMinimumDiameter(min_diam);
  if (!minimum_diameter) {
    std::fprintf(stderr, "%s\n", canopex::kInvalidMinimumDiameterMessage);
    return kUsageError;
  }

  const bool single_file = !options.output_file.empty();
  std::string output_path = single_file ? options.output_file : options.output_dir;
  // Folder mode creates the folder (and the sub-folder) when missing, as a
  // script expects of an output folder named on the command line.
  if (!single_file) {
    if (options.sub_folder) {
      output_path = canopex::JoinPath(output_path, canopex::FileNameOf(options.report));
    }
    // The chain is walked on the absolute path, so that the missing first
    // folders of a relative path are created too.
    if (!canopex::PathExists(output_path) &&
        !canopex::CreateDirectoryChain(canopex::AbsolutePathOf(output_path))) {
      std::fprintf(stderr, "Failed to create directory:\n\n%s\n", output_path.c_str());
      return kUsageError;
    }
  }

  // Absolute, as the profile functions look for a bare name in the Windows
  // folder.
  const std::string settings_path = options.settings.empty()
                                        ? canopex::DefaultSettingsPath("canopex")
                                        : canopex::AbsolutePathOf(options.settings);
  const std::unique_ptr<canopex::SettingsStore> settings =
      canopex::OpenSettingsStore(settings_path);
  StandardErrorMessages messages;
  canopex::TreeListConverter converter(*settings, messages, options.report, single_file,
                                       output_path, true, !options.no_compress);
  converter.SetMinimumDiameter(*minimum_diameter);
  const bool succeeded = converter.Convert();

  const canopex::RunCounts& counts = converter.counts();
  if (!succeeded && counts.error != messages.last_shown()) {
    std::fprintf(stderr, "%s\n", counts.error.c_str());
  }
  std::printf("Cut list count: %ld\nTrees count: %ld\nTrees ignored -- TPA zero: %ld\n"
              "Trees ignored -- diameter too small: %ld\n",
              static_cast<long>(counts.cut_lists), static_cast<long>(counts.trees),
              static_cast<long>(counts.tpa_zero), static_cast<long>(counts.below_diameter));
  return succeeded ? 0 : kRunFailed;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Converts the cut lists of a Sylvax tree list report into tab-separated stand "
               "files.",
               "canopex-convert"};
  // Options are written alike everywhere; "/x" is always a path, never an
  // option (CLI11 would read it as one on Windows).
  app.allow_windows_style_options(false);
  Options options;
  CLI::Option* output_file = app.add_option("-o,--output-file", options.output_file,
                                            "Write every stand into FILE (single-file mode)")
                                 ->type_name("FILE");
  CLI::Option* output_dir = app.add_option("-d,--output-dir", options.output_dir,
                                           "Write one file per stand and year into DIR (created when missing)")
                                ->type_name("DIR");
  output_file->excludes(output_dir);
  app.add_option("-m,--min-diam", options.min_diam,
                 "Minimum diameter; trees below it are ignored, 0 turns the check off")
      ->type_name("TEXT")
      ->capture_default_str();
  app.add_flag("--no-compress", options.no_compress,
               "Write one row per tree (cut lists of more than 300 kept trees, and every cut "
               "list after one, are still compressed)");
  app.add_flag("--sub-folder", options.sub_folder,
               "With -d: write into DIR/<report file name>, created when missing")
      ->excludes(output_file);
  const bool user_configuration =
      canopex::BuiltInSettingsPlacement() == canopex::SettingsPlacement::kUserConfiguration;
  app.add_option("-s,--settings", options.settings,
                 std::string("Settings file with the report layout and the hand-set options "
                             "(default: ") +
                     (user_configuration ? "$XDG_CONFIG_HOME/canopex/canopex.ini, else "
                                           "~/.config/canopex/canopex.ini)"
                                         : "canopex.ini beside the program)"))
      ->type_name("FILE");
  app.add_option("REPORT", options.report, "The tree list report (.trl)")->required();
  app.set_version_flag("--version", "canopex-convert " CANOPEX_VERSION);
  app.footer(
      "Exit status: 0 the run succeeded, 1 the run failed, 2 a usage error (nothing converted).");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : kUsageError;
  }
  if (output_file->count() + output_dir->count() != 1) {
    return UsageError("give exactly one of --output-file and --output-dir");
  }
  if (options.output_file.empty() && options.output_dir.empty()) {
    return UsageError("the output path is empty");
  }
  return Run(options);
}
