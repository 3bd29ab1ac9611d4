// canopex-convert: converts a tree list report into stand files from the
// command line, with the same converter and settings file as the window.
// Messages the window would show in a box go to standard error as they
// happen, each led by "canopex-convert: REPORT: "; then come the warnings,
// and the run's four counts end standard output (standard error when the
// stand file itself goes to standard output).
//
// Exit status: 0 the run succeeded; 1 the run failed; 2 a usage error, a
// refused minimum diameter or an output folder that cannot be created (then
// nothing is converted and the settings file is untouched); 3 the run
// succeeded with warnings and --strict was given.
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/json_summary.h"
#include "cli/report_console.h"
#include "cli/run_warnings.h"
#include "conversion/minimum_diameter.h"
#include "conversion/tree_list_converter.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "util/directory_chain.h"
#include "util/file_system.h"
#include "util/path_names.h"
#include "util/standard_streams.h"
#include "util/text.h"

namespace canopex {
namespace {

constexpr int kRunFailed = 1;
constexpr int kUsageError = 2;
constexpr int kWarningsWhenStrict = 3;

// The name of standard output (and, as REPORT, of standard input).
constexpr char kStandardStream[] = "-";

struct Options {
  std::string report;
  std::string output_file;
  std::string output_dir;
  std::string min_diam = "1";
  std::string settings;
  bool no_compress = false;
  bool sub_folder = false;
  bool quiet = false;
  bool json = false;
  bool strict = false;
};

// The single stand file on standard output.
class StandardOutputStandFile final : public StandStream {
 public:
  StreamWrite WriteLine(std::string_view line) override { return WriteToStandardOutput(line); }
};

int UsageError(const std::string& text) {
  std::fprintf(stderr, "canopex-convert: %s\nRun with --help for more information.\n",
               text.c_str());
  return kUsageError;
}

// Creates `folder` with its missing parents; the chain is walked on the
// absolute path, so that the missing first folders of a relative path are
// created too.
bool EnsureFolder(const std::string& folder) {
  return folder.empty() || PathExists(folder) || CreateDirectoryChain(AbsolutePathOf(folder));
}

// The folder a run writes into, which the command line creates when
// missing, as a script expects: the folder of -d (with its sub-folder), or
// the one that holds the file of -o.
std::string FolderToWriteInto(const std::string& output_path, bool single_file) {
  if (!single_file) return output_path;
  std::string folder = FolderOf(output_path);
  while (folder.size() > RootPathLength(kNativePathStyle) &&
         IsPathSeparator(folder.back(), kNativePathStyle)) {
    folder.pop_back();
  }
  return folder;
}

std::string CountsText(const RunCounts& counts) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Cut list count: %ld\nTrees count: %ld\nTrees ignored -- TPA zero: %ld\n"
                "Trees ignored -- diameter too small: %ld\n",
                static_cast<long>(counts.cut_lists), static_cast<long>(counts.trees),
                static_cast<long>(counts.tpa_zero), static_cast<long>(counts.below_diameter));
  return text;
}

int Run(const Options& options) {
  PrepareStandardStreams();
  const bool to_standard_output = NamesStandardOutput(options.output_file);
  ReportConsole console(options.report, !options.quiet && IsTerminal(stderr));

  std::string min_diam = options.min_diam;
  Trim(min_diam);
  const std::optional<double> minimum_diameter = ReadMinimumDiameter(min_diam);
  if (!minimum_diameter) {
    console.ShowMessage(kInvalidMinimumDiameterMessage);
    return kUsageError;
  }

  const bool single_file = !options.output_file.empty();
  std::string output_path = single_file ? options.output_file : options.output_dir;
  if (!single_file && options.sub_folder) {
    output_path = JoinPath(output_path, FileNameOf(options.report));
  }
  const std::string folder =
      to_standard_output ? std::string() : FolderToWriteInto(output_path, single_file);
  if (!EnsureFolder(folder)) {
    console.ShowMessage("Failed to create directory:\n\n" + folder);
    return kUsageError;
  }
  if (to_standard_output) WriteStandardOutputAsBytes();

  // Absolute, as the profile functions look for a bare name in the Windows
  // folder.
  const std::string settings_path =
      options.settings.empty() ? DefaultSettingsPath("canopex") : AbsolutePathOf(options.settings);
  const bool settings_existed = options.settings.empty() || PathExists(settings_path);
  const std::unique_ptr<SettingsStore> settings = OpenSettingsStore(settings_path);

  StandardOutputStandFile standard_output;
  RunCounts counts;
  RunFindings findings;
  bool succeeded = false;
  bool stand_stream_closed = false;
  {
    // The converter writes the settings file as it ends, before anything
    // below can fail.
    TreeListConverter converter(*settings, console, options.report, single_file, output_path,
                                true, !options.no_compress);
    converter.SetMinimumDiameter(*minimum_diameter);
    converter.AllowReportStreams();
    converter.ReportProgressTo(console);
    if (to_standard_output) converter.WriteStandFileTo(standard_output);
    succeeded = converter.Convert();
    counts = converter.counts();
    findings = converter.findings();
    stand_stream_closed = converter.stand_stream_closed();
  }
  console.EraseProgress();
  // Whoever read the stand file has gone (`| head`): nothing more to say.
  if (stand_stream_closed) return 0;

  if (!succeeded && counts.error != console.last_shown()) console.ShowMessage(counts.error);
  const std::vector<std::string> warnings =
      RunWarnings({counts, findings, options.settings.empty() ? settings_path : options.settings,
                   settings_existed, !options.no_compress, succeeded});
  int status = 0;
  if (!succeeded) {
    status = kRunFailed;
  } else if (options.strict && !warnings.empty()) {
    status = kWarningsWhenStrict;
  }

  std::string summary;
  if (options.json) {
    summary = JsonSummary({options.report, counts, warnings, findings.stand_files, status});
  } else if (!options.quiet) {
    for (const std::string& warning : warnings) console.ShowWarning(warning);
    summary = CountsText(counts);
  }
  if (to_standard_output) {
    console.Print(summary);
  } else if (!summary.empty()) {
    const StreamWrite written = WriteToStandardOutput(summary);
    if (written == StreamWrite::Closed) return 0;
    if (written == StreamWrite::Failed) {
      console.ShowMessage("Error writing the counts to standard output");
      status = kRunFailed;
    }
  }
  return status;
}

}  // namespace
}  // namespace canopex

int main(int argc, char** argv) {
  CLI::App app{"Converts the cut lists of a Sylvax tree list report into tab-separated stand "
               "files.",
               "canopex-convert"};
  // Options are written alike everywhere; "/x" is always a path, never an
  // option (CLI11 would read it as one on Windows).
  app.allow_windows_style_options(false);
  canopex::Options options;
  CLI::Option* output_file =
      app.add_option("-o,--output-file", options.output_file,
                     "Write every stand into FILE (single-file mode; its folder is created when "
                     "missing); - writes to standard output, and the counts then go to "
                     "standard error")
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
  app.add_flag("-q,--quiet", options.quiet,
               "Print no counts, no warnings and no progress; failures are still reported");
  app.add_flag("--json", options.json,
               "Print one JSON object instead of the counts: the report, the four counts, the "
               "error text, the warnings and the stand files written");
  app.add_flag("--strict", options.strict, "End a run with warnings with exit status 3");
  app.add_option("REPORT", options.report,
                 "The tree list report (.trl); - reads it from standard input, and a named "
                 "pipe may be given too")
      ->required();
  app.set_version_flag("--version", "canopex-convert " CANOPEX_VERSION);
  app.footer(
      "Exit status: 0 the run succeeded, 1 the run failed, 2 a usage error (nothing converted), "
      "3 the run succeeded with warnings and --strict was given.\n"
      "Warnings (standard error, \"canopex-convert: REPORT: warning: ...\") tell of results that "
      "are most likely not what was meant.\n\n"
      "Examples:\n"
      "  canopex-convert stand7.trl -d stands          one file per stand and year in stands/\n"
      "  canopex-convert -q stand7.trl -o - | head     the rows on standard output\n"
      "  gzip -dc stand7.trl.gz | canopex-convert - -o stands/all.txt\n"
      "  canopex-convert --json --strict stand7.trl -o all.txt   one JSON line; exit 3 on warnings");

  app.failure_message([](const CLI::App*, const CLI::Error& error) {
    return std::string("canopex-convert: ") + error.what() +
           "\nRun with --help for more information.\n";
  });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : canopex::kUsageError;
  }
  if (options.sub_folder && options.report == canopex::kStandardStream) {
    return canopex::UsageError("--sub-folder needs a report file; standard input has no name");
  }
  if (output_file->count() + output_dir->count() != 1) {
    return canopex::UsageError("give exactly one of --output-file and --output-dir");
  }
  if (options.output_file.empty() && options.output_dir.empty()) {
    return canopex::UsageError("the output path is empty");
  }
  return canopex::Run(options);
}
