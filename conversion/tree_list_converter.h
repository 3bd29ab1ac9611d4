// TreeListConverter turns one tree list report into stand files: it finds
// each cut list, drops trees with a zero TPA or below the minimum diameter,
// and writes the kept trees one row each or compressed into one row per
// species and diameter class (with small-tree height classes when the user
// chose compression).
//
// A converter serves one run: build it, set the minimum diameter, call
// Convert once, read the counts, destroy it. Its destruction writes the
// layout and the run's results into the settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/file_operations.h"
#include "conversion/height_classes.h"
#include "conversion/message_sink.h"
#include "conversion/progress_listener.h"
#include "conversion/report_reader.h"
#include "conversion/stand_stream.h"
#include "conversion/tree_list_dump.h"
#include "conversion/tree_list_layout.h"
#include "conversion/tree_record.h"
#include "settings/settings_store.h"
#include "util/output_file.h"

namespace canopex {

// What a run found, and its last error message (empty when none).
struct RunCounts {
  std::int32_t cut_lists = 0;
  std::int32_t trees = 0;
  std::int32_t tpa_zero = 0;
  std::int32_t below_diameter = 0;
  std::string error;
};

// What a run noticed that is no error but may mean the result is not what
// was meant; the command line turns it into warnings.
struct RunFindings {
  // Tree lines (not blank) whose TPA or diameter text holds no number.
  std::int32_t lines_without_number = 0;
  std::int64_t first_line_without_number = 0;
  // The report's last line when it has no line end; 0 when it has one.
  std::int64_t unended_last_line = 0;
  // The cut list that switched automatic compression on, when the run was
  // not asked to compress.
  struct AutomaticCompression {
    std::int32_t cut_list = 0;
    std::string stand;
    std::string year;
    std::int64_t trees = 0;
  };
  std::optional<AutomaticCompression> automatic_compression;
  // Stand files written, each once, in the order they were begun.
  std::vector<std::string> stand_files;
  // Stand files (folder mode) begun afresh by a later cut list of the same
  // stand and year, which replaced the earlier one's rows.
  std::vector<std::string> rewritten_stand_files;
};

// The error text of a run that found no cut list; it is not shown as a
// message on its own.
inline constexpr char kNotATreeListMessage[] =
    "The input file does not appear to be an Sylvax tree list file.";

// Cut lists keeping more than this many trees are compressed (with automatic
// compression on), and so is every later cut list of the run.
inline constexpr std::int32_t kAutomaticCompressionTrees = 300;

class TreeListConverter {
 public:
  // `output_path` is the stand file in single-file mode and the folder that
  // receives one file per cut list otherwise. Reads the layout and the
  // hand-set options from `settings`; with `compress` on it also reads the
  // height-class parameters and shows a message through `messages` when they
  // are faulty. `settings` and `messages` must outlive the converter.
  TreeListConverter(SettingsStore& settings, MessageSink& messages, std::string input_path,
                    bool single_file, std::string output_path, bool automatic_compression,
                    bool compress);
  // Writes the layout to TreeList and the counts and error text to Results.
  virtual ~TreeListConverter();

  TreeListConverter(const TreeListConverter&) = delete;
  TreeListConverter& operator=(const TreeListConverter&) = delete;

  // Trees whose diameter reads below this are dropped; 0 or less drops none.
  void SetMinimumDiameter(double minimum_diameter) { minimum_diameter_ = minimum_diameter; }

  // Converts the report. Every error is shown through the message sink as it
  // happens and becomes the error text; true when the run ended without one.
  bool Convert();

  const RunCounts& counts() const { return counts_; }
  const RunFindings& findings() const { return findings_; }
  // The stand stream's reader went away, which ended the run early.
  bool stand_stream_closed() const { return stream_closed_; }

  // Tells `listener` how the run goes on; it must outlive the converter.
  void ReportProgressTo(ProgressListener& listener) { progress_ = &listener; }

  // The report may also be standard input ("-") or a pipe (see
  // OpenReportStream); without this call only a regular file is read.
  void AllowReportStreams() { report_streams_ = true; }

  // In single-file mode: every line goes to `stream` instead of the output
  // file, which then only names it in messages. It must outlive the
  // converter.
  void WriteStandFileTo(StandStream& stream) { stand_stream_ = &stream; }

  // A seam for tests: a dump switch of their own instead of the
  // process-wide one. It must outlive the converter.
  void UseDumpSwitch(DumpSwitch& dump_switch) { dump_switch_ = &dump_switch; }

 private:
  enum class State { SeekHeader, ReadRecords, EndCutList, Finish };

  // The cut list being read.
  struct CutList {
    std::string stand;
    std::string year;
    std::int32_t year_number = 0;
    std::int64_t kept_trees = 0;
    // Stand and year may make a file name: they cannot lead out of the
    // output folder or make an invalid name.
    bool names_files = false;
  };

  void LoadLayout();
  void StoreLayoutAndResults();

  State SeekHeader(ReportReader& reader);
  State OpenCutList(ReportReader& reader, std::string_view header_line);
  bool PrepareOutput(const std::string& file_name);
  State ReadRecords(ReportReader& reader);
  void AddTreeLine(std::string_view line, std::int64_t line_number);
  State EndCutList(ReportReader& reader);
  void WriteTreeRows();

  bool AppendStandLine(std::string line);
  void DumpCutListTable(int pass);
  void DumpSmallTreeTable();
  void DumpTable(const std::string& path, RecordTable& table);
  void ReportError(std::string text);
  void ReportUnexpectedEnd();
  void ReportWriteError();
  void TellProgress(const ReportReader& reader);
  void NoteStandFileBegun();

  SettingsStore& settings_;
  MessageSink& messages_;
  DiskFileOperations files_;
  DumpSwitch* dump_switch_ = &ProcessDumpSwitch();
  ProgressListener* progress_ = nullptr;
  StandStream* stand_stream_ = nullptr;
  bool report_streams_ = false;

  std::string input_path_;
  std::string output_file_path_;
  std::string output_folder_;
  bool single_file_ = false;
  RunCounts counts_;
  RunFindings findings_;
  double minimum_diameter_ = 0.0;
  bool automatic_compression_ = false;
  bool compress_ = false;
  bool crown_ratio_output_ = false;
  HeightClassTable height_classes_;
  HeightClassTally tally_;
  TreeListLayout layout_;
  RecordTable cut_list_table_;
  RecordTable small_tree_table_;

  // Run state.
  FileIdentity input_identity_;
  std::uint64_t report_size_ = 0;
  std::set<std::string> begun_stand_files_;
  bool stream_closed_ = false;
  bool compress_on_ = false;
  bool first_header_pending_ = true;
  std::optional<std::string> pending_line_;
  CutList cut_list_;
};

}  // namespace canopex
