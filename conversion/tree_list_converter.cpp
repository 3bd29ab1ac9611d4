#include "conversion/tree_list_converter.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "conversion/class_rows.h"
#include "conversion/file_name_part.h"
#include "conversion/record_key.h"
#include "conversion/report_line.h"
#include "conversion/stand_lines.h"
#include "settings/setting_keys.h"
#include "util/file_system.h"
#include "util/number_format.h"
#include "util/number_text.h"
#include "util/path_names.h"
#include "util/standard_streams.h"

namespace canopex {
namespace {

// Counts stop at the 32-bit limit instead of overflowing.
void CountUp(std::int32_t& count) {
  if (count < std::numeric_limits<std::int32_t>::max()) ++count;
}

// "<text>stand: <stand>, year: <year>", the tail of several messages.
std::string WithStandAndYear(std::string text, std::string_view stand, std::string_view year) {
  text.append("stand: ").append(stand).append(", year: ").append(year);
  return text;
}

// The error text as one settings line: each CR and LF becomes a blank.
std::string OnOneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

TreeListConverter::TreeListConverter(SettingsStore& settings, MessageSink& messages,
                                     std::string input_path, bool single_file,
                                     std::string output_path, bool automatic_compression,
                                     bool compress)
    : settings_(settings), messages_(messages) {
  LoadLayout();
  input_path_ = std::move(input_path);
  single_file_ = single_file;
  (single_file ? output_file_path_ : output_folder_) = std::move(output_path);
  automatic_compression_ = automatic_compression;
  compress_ = compress;
  crown_ratio_output_ = ReadSetting(settings_, settings::kOutputCrownRatio) != 0;
  if (compress_) {
    const HeightClassSetup setup = ReadHeightClassSetup(settings_);
    height_classes_ = setup.table;
    if (setup.faulty) messages_.ShowMessage(kHeightClassParameterMessage);
  }
}

TreeListConverter::~TreeListConverter() { StoreLayoutAndResults(); }

void TreeListConverter::LoadLayout() {
  counts_ = RunCounts{};
  findings_ = RunFindings{};
  begun_stand_files_.clear();
  layout_ = ReadTreeListLayout(settings_);
  cut_list_table_.Clear();
  small_tree_table_.Clear();
  tally_.Clear();
}

void TreeListConverter::StoreLayoutAndResults() {
  WriteTreeListLayout(settings_, layout_);
  WriteSetting(settings_, settings::kCutListCount, counts_.cut_lists);
  WriteSetting(settings_, settings::kTreesCount, counts_.trees);
  WriteSetting(settings_, settings::kTreesTPAZeroCount, counts_.tpa_zero);
  WriteSetting(settings_, settings::kTreesBelowDiamCount, counts_.below_diameter);
  WriteSetting(settings_, settings::kErrMessage, OnOneLine(counts_.error));
}

void TreeListConverter::ReportError(std::string text) {
  counts_.error = std::move(text);
  messages_.ShowMessage(counts_.error);
}

bool TreeListConverter::Convert() {
  if (!output_folder_.empty()) EnsureTrailingBackslash(output_folder_);
  LoadLayout();
  compress_on_ = false;
  first_header_pending_ = true;
  pending_line_.reset();
  stream_closed_ = false;

  StdioFile file =
      report_streams_ ? OpenReportStream(input_path_) : OpenRegularFileForReading(input_path_);
  if (!file.is_open()) {
    ReportError("Cannot open the file: \n" + input_path_);
    return false;
  }
  input_identity_ = IdentityOfOpenFile(file.get());
  report_size_ = SizeOfOpenFile(file.get());
  ReportReader reader(std::move(file));
  if (progress_ != nullptr) reader.CallAfterEachChunk([this, &reader] { TellProgress(reader); });

  State state = State::SeekHeader;
  // A closed output stream ends the run at once: nobody reads the rest.
  while (state != State::Finish && !stream_closed_) {
    switch (state) {
      case State::SeekHeader:
        state = SeekHeader(reader);
        break;
      case State::ReadRecords:
        state = ReadRecords(reader);
        break;
      case State::EndCutList:
        state = EndCutList(reader);
        break;
      case State::Finish:
        break;
    }
  }

  findings_.unended_last_line = reader.unended_last_line();
  reader.Close();
  if (counts_.error.empty() && counts_.cut_lists == 0) counts_.error = kNotATreeListMessage;
  return counts_.error.empty();
}

TreeListConverter::State TreeListConverter::SeekHeader(ReportReader& reader) {
  std::string pending;
  std::string_view line;
  if (pending_line_) {
    pending = std::move(*pending_line_);
    pending_line_.reset();
    line = pending;
  } else {
    line = reader.ReadReportLine();
  }
  if (line.empty()) {
    // A failed read is no end of the report: the run must not pass for
    // complete.
    if (reader.ReadFailed()) ReportError("Cannot read the file: \n" + input_path_);
    // Nor is a line that begins with NUL, which reads as empty: the cut lists
    // after it are still to be found.
    if (!reader.AtEnd() && !reader.ReadFailed()) return State::SeekHeader;
    return State::Finish;
  }
  if (!IsCutListHeader(line, layout_.cut_list_indicator)) {
    return reader.AtEnd() ? State::Finish : State::SeekHeader;
  }
  return OpenCutList(reader, line);
}

TreeListConverter::State TreeListConverter::OpenCutList(ReportReader& reader,
                                                        std::string_view header_line) {
  cut_list_ = CutList{};
  CountUp(counts_.cut_lists);
  cut_list_table_.Clear();
  small_tree_table_.Clear();

  CutListHeader header = ParseCutListHeader(header_line);
  if (header.file_name.empty()) {
    std::string text = "Unable to parse stand or year for file name, cut list#: ";
    AppendInteger(text, counts_.cut_lists);
    ReportError(std::move(text));
    return State::Finish;
  }
  cut_list_.stand = std::move(header.stand);
  cut_list_.year = std::move(header.year);
  cut_list_.year_number = header.year_number;
  cut_list_.names_files =
      IsAllowedInFileName(cut_list_.stand) && IsAllowedInFileName(cut_list_.year);

  if (!reader.SkipHeadingLines()) {
    ReportError(WithStandAndYear("Invalid header format, ", cut_list_.stand, cut_list_.year));
    return State::Finish;
  }
  return PrepareOutput(header.file_name) ? State::ReadRecords : State::Finish;
}

bool TreeListConverter::PrepareOutput(const std::string& file_name) {
  if (!single_file_) {
    output_file_path_ = output_folder_ + file_name;
    // A stand file that cannot be deleted would get the rows after its old
    // ones: it fails as a write would.
    if (cut_list_.names_files && !files_.Remove(output_file_path_, input_identity_)) {
      ReportWriteError();
      return false;
    }
    NoteStandFileBegun();
    return AppendStandLine(StandHeaderLine(crown_ratio_output_));
  }
  if (!first_header_pending_) return true;
  // A stream has nothing to delete: it only ever gets lines added.
  if (stand_stream_ == nullptr && !files_.Remove(output_file_path_, input_identity_)) {
    ReportWriteError();
    return false;
  }
  first_header_pending_ = false;
  NoteStandFileBegun();
  return AppendStandLine(StandHeaderLine(crown_ratio_output_));
}

void TreeListConverter::NoteStandFileBegun() {
  if (!single_file_ && !cut_list_.names_files) return;
  if (begun_stand_files_.insert(output_file_path_).second) {
    findings_.stand_files.push_back(output_file_path_);
    return;
  }
  std::vector<std::string>& rewritten = findings_.rewritten_stand_files;
  if (std::find(rewritten.begin(), rewritten.end(), output_file_path_) == rewritten.end()) {
    rewritten.push_back(output_file_path_);
  }
}

TreeListConverter::State TreeListConverter::ReadRecords(ReportReader& reader) {
  for (;;) {
    const std::string_view line = reader.ReadReportLine();
    if (line.empty()) {
      if (!reader.AtEnd()) ReportUnexpectedEnd();
      return State::EndCutList;
    }
    if (line.front() != '\f') {
      AddTreeLine(line, reader.line_number());
      continue;
    }
    ContinuationResult page = reader.CheckContinuationPage(cut_list_.stand, cut_list_.year_number);
    switch (page.outcome) {
      case ContinuationOutcome::Continue:
        continue;
      case ContinuationOutcome::NewHeader:
        pending_line_ = std::move(page.handed_back_line);
        return State::EndCutList;
      case ContinuationOutcome::EndOfCutList:
        return State::EndCutList;
      case ContinuationOutcome::UnexpectedEnd:
        ReportUnexpectedEnd();
        return State::EndCutList;
      case ContinuationOutcome::HeadingsMissing:
        ReportError(WithStandAndYear("Invalid header format, continuing page, ", cut_list_.stand,
                                     cut_list_.year));
        return State::EndCutList;
    }
  }
}

void TreeListConverter::ReportUnexpectedEnd() {
  ReportError(WithStandAndYear("Unexpected end to cut list, ", cut_list_.stand, cut_list_.year));
}

void TreeListConverter::AddTreeLine(std::string_view line, std::int64_t line_number) {
  const TreeFieldTexts fields = CutTreeFields(line, layout_);
  std::size_t tpa_digits = 0;
  std::size_t diameter_digits = 0;
  const double tpa = ReadDecimal(fields.tpa, &tpa_digits);
  const double diameter = ReadDecimal(fields.diameter, &diameter_digits);
  // A blank line between tree lines is no tree; any other line without a
  // number where one belongs suggests columns that do not fit the report.
  if ((tpa_digits == 0 || diameter_digits == 0) && !IsBlankLine(line)) {
    if (findings_.lines_without_number == 0) findings_.first_line_without_number = line_number;
    CountUp(findings_.lines_without_number);
  }
  if (tpa == 0.0) {
    CountUp(counts_.tpa_zero);
    return;
  }
  if (minimum_diameter_ > 0.0 && diameter < minimum_diameter_) {
    CountUp(counts_.below_diameter);
    return;
  }

  TreeRecord record;
  record.diameter_class = DiameterClassOf(diameter);
  record.tree_id = fields.tree_id;
  record.species = fields.species;
  record.diameter = fields.diameter;
  record.height = fields.height;
  record.tpa = fields.tpa;
  record.crown_ratio = fields.crown_ratio;
  if (height_classes_.IsSmallTree(record.diameter_class)) {
    record.key = MakeRecordKey(record.species, record.diameter_class, ReadDecimal(record.height),
                               counts_.trees);
    tally_.CountSmallTree(record.diameter_class);
    small_tree_table_.Insert(std::move(record));
  } else {
    record.key = MakeRecordKey(record.species, record.diameter_class, 0.0, counts_.trees);
    cut_list_table_.Insert(std::move(record));
  }
  CountUp(counts_.trees);
  ++cut_list_.kept_trees;
}

TreeListConverter::State TreeListConverter::EndCutList(ReportReader& reader) {
  if (compress_) compress_on_ = true;
  if (!compress_on_ && automatic_compression_ &&
      cut_list_.kept_trees > kAutomaticCompressionTrees) {
    compress_on_ = true;
    findings_.automatic_compression = RunFindings::AutomaticCompression{
        counts_.cut_lists, cut_list_.stand, cut_list_.year, cut_list_.kept_trees};
  }
  if (!compress_on_) {
    WriteTreeRows();
  } else {
    if (height_classes_.on) {
      DumpCutListTable(1);
      DumpSmallTreeTable();
      tally_.AssignHeightClasses(small_tree_table_, cut_list_table_);
      DumpCutListTable(2);
    }
    const bool closed = WriteClassRows(
        cut_list_table_.InKeyOrder(), cut_list_.stand, cut_list_.year, crown_ratio_output_,
        [this](const std::string& line) { return AppendStandLine(line); });
    if (!closed) return State::Finish;
  }
  TellProgress(reader);
  // A page header handed back by the last page is examined even when it was
  // the report's last line.
  return reader.AtEnd() && !pending_line_ ? State::Finish : State::SeekHeader;
}

void TreeListConverter::WriteTreeRows() {
  for (const TreeRecord& record : cut_list_table_.InKeyOrder()) {
    // After a failed row the rest of this cut list is skipped; the run goes on.
    if (!AppendStandLine(
            TreeRowLine(cut_list_.stand, cut_list_.year, record, crown_ratio_output_))) {
      return;
    }
  }
}

bool TreeListConverter::AppendStandLine(std::string line) {
  line += "\r\n";
  if (stand_stream_ != nullptr) {
    const StreamWrite written = stand_stream_->WriteLine(line);
    if (written == StreamWrite::Written) return true;
    if (written == StreamWrite::Closed) {
      stream_closed_ = true;
      return false;
    }
    ReportWriteError();
    return false;
  }
  // In folder mode the report named the file; a refused name fails as an
  // open would.
  const bool may_open = single_file_ || cut_list_.names_files;
  if (may_open && files_.Append(output_file_path_, line, input_identity_)) return true;
  ReportWriteError();
  return false;
}

void TreeListConverter::TellProgress(const ReportReader& reader) {
  if (progress_ == nullptr) return;
  progress_->Advanced(
      RunProgress{reader.bytes_read(), report_size_, counts_.cut_lists, counts_.trees});
}

void TreeListConverter::ReportWriteError() {
  ReportError("Error writing to stand file: \n\n " + output_file_path_);
}

void TreeListConverter::DumpCutListTable(int pass) {
  DumpTable(CutListDumpPath(FolderOf(output_file_path_), cut_list_.stand, cut_list_.year, pass),
            cut_list_table_);
}

void TreeListConverter::DumpSmallTreeTable() {
  DumpTable(SmallTreeDumpPath(FolderOf(output_file_path_), cut_list_.stand, cut_list_.year),
            small_tree_table_);
}

void TreeListConverter::DumpTable(const std::string& path, RecordTable& table) {
  if (!dump_switch_->IsOn(settings_)) return;
  if (!cut_list_.names_files) return;
  // A dump that cannot be written is skipped without a word.
  files_.Overwrite(path, DumpText(table.InKeyOrder(), cut_list_.stand, cut_list_.year),
                    input_identity_);
}

}  // namespace canopex
