#include "conversion/report_reader.h"

#include <algorithm>
#include <cstring>

#include "conversion/report_line.h"
#include "util/file_system.h"
#include "util/number_text.h"

namespace canopex {
namespace {

constexpr int kHeadingLineCount = 3;

// Whether the report's first chunk shows old Macintosh line ends: no LF at
// all, and a CR with more text after it.
bool HasCrLineEnds(std::string_view first_chunk) {
  if (first_chunk.find('\n') != std::string_view::npos) return false;
  const std::size_t cr = first_chunk.find('\r');
  return cr != std::string_view::npos && cr + 1 < first_chunk.size();
}

}  // namespace

ReportReader::ReportReader(StdioFile file) : file_(std::move(file)), buffer_(kReportChunkSize, '\0') {}

ReportReader::ReportReader(std::string text)
    : buffer_(std::move(text)),
      end_(buffer_.size()),
      cr_line_ends_(HasCrLineEnds(std::string_view(buffer_).substr(0, kReportChunkSize))),
      bytes_fetched_(end_) {}

bool ReportReader::Refill() {
  if (!file_.is_open()) return false;
  const bool first = !read_any_;
  read_any_ = true;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
  position_ = 0;
  bytes_fetched_ += end_;
  if (first) cr_line_ends_ = HasCrLineEnds(std::string_view(buffer_).substr(0, end_));
  if (end_ > 0) {
    if (after_chunk_) after_chunk_();
    return true;
  }
  if (std::ferror(file_.get())) failed_ = true;
  file_.Close();
  return false;
}

std::string_view ReportReader::ReadReportLine() {
  line_number_ = lines_ended_ + 1;
  std::size_t length = 0;
  while (length < kMaxReportLineLength) {
    if (position_ == end_ && !Refill()) {
      if (!failed_) at_end_ = true;
      break;
    }
    // Copy the run of ordinary bytes, then look at what stopped it.
    const char* run = buffer_.data() + position_;
    const std::size_t available =
        std::min(end_ - position_, kMaxReportLineLength - length);
    // memchr scans many bytes at a time; lines are short, so two passes
    // beat one loop over single bytes.
    const void* lf = std::memchr(run, '\n', available);
    std::size_t count = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - run)
                                      : available;
    if (const void* cr = std::memchr(run, '\r', count)) {
      count = static_cast<std::size_t>(static_cast<const char*>(cr) - run);
    }
    std::memcpy(line_ + length, run, count);
    length += count;
    position_ += count;
    if (count == available) continue;

    const char end = buffer_[position_++];
    if (end == '\n') {
      line_[length++] = '\n';
      break;
    }
    if (cr_line_ends_) {
      line_[length++] = '\n';
      break;
    }
    // A CR: dropped when an LF follows, an ordinary character otherwise.
    if (position_ == end_) Refill();
    if (position_ < end_ && buffer_[position_] == '\n') {
      ++position_;
      line_[length++] = '\n';
      break;
    }
    line_[length++] = '\r';
  }
  if (length > 0 && line_[length - 1] == '\n') {
    ++lines_ended_;
  } else if (at_end_ && !IsBlankLine(std::string_view(line_, length))) {
    unended_last_line_ = line_number_;
  }
  const void* nul = std::memchr(line_, '\0', length);
  if (nul != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(nul) - line_);
  return std::string_view(line_, length);
}

bool ReportReader::SkipHeadingLines() {
  for (int i = 0; i < kHeadingLineCount; ++i) {
    if (ReadReportLine().empty()) return false;
  }
  return true;
}

ContinuationResult ReportReader::CheckContinuationPage(std::string_view stand,
                                                       std::int32_t year_number) {
  // An empty read ends the cut list at the report's end; before it the line
  // is damaged, as it would be among the tree lines.
  const auto empty_read = [this] {
    return ContinuationResult{
        AtEnd() ? ContinuationOutcome::EndOfCutList : ContinuationOutcome::UnexpectedEnd, {}};
  };
  if (ReadReportLine().empty()) return empty_read();
  const std::string_view header = ReadReportLine();
  if (header.empty()) return empty_read();
  // A page header that names its stand names this one exactly: stand "3"
  // is no part of "YEAR: 2003", nor stand "1" of "STAND: 12".
  const bool same_stand = header.find(kStandLabel) != std::string_view::npos
                              ? StandTokenOf(header) == stand
                              : header.find(stand) != std::string_view::npos;
  if (!same_stand) return {ContinuationOutcome::NewHeader, std::string(header)};
  const std::string year = CutToken(header, YearTokenStart(header));
  if (!year.empty() && ReadInteger(year) != year_number) {
    return {ContinuationOutcome::NewHeader, std::string(header)};
  }
  if (header.find(kCutListPageTitle) == std::string_view::npos) {
    return {ContinuationOutcome::EndOfCutList, {}};
  }
  if (!SkipHeadingLines()) return {ContinuationOutcome::HeadingsMissing, {}};
  return {ContinuationOutcome::Continue, {}};
}

void ReportReader::Close() {
  file_.Close();
  end_ = 0;
  position_ = 0;
}

std::optional<ReportReader> OpenReport(const std::string& path) {
  StdioFile file = OpenRegularFileForReading(path);
  if (!file.is_open()) return std::nullopt;
  return ReportReader(std::move(file));
}

}  // namespace canopex
