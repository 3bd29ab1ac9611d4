// Reading a tree list report line by line, and the reads that walk the
// structure of a cut list: its heading lines and its page breaks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "util/stdio_file.h"

namespace canopex {

// One read delivers at most this many characters; longer lines come in
// pieces, each handled as a line of its own.
inline constexpr std::size_t kMaxReportLineLength = 255;

// A report file is read in chunks of this size.
inline constexpr std::size_t kReportChunkSize = 1 << 16;

enum class ContinuationOutcome {
  Continue,         // the cut list goes on; tree lines follow
  NewHeader,        // another page: examine `handed_back_line` next
  EndOfCutList,     // the cut list has ended
  HeadingsMissing,  // a continuing page without its three heading lines
  UnexpectedEnd,    // an empty read before the report's end (a NUL-led line, a failed read)
};

struct ContinuationResult {
  ContinuationOutcome outcome;
  std::string handed_back_line;  // only with NewHeader
};

class ReportReader {
 public:
  // Reads from an open stream, which should be in binary mode: the reader
  // applies the text rules itself, alike on every platform.
  explicit ReportReader(StdioFile file);
  // Reads a report held in memory.
  explicit ReportReader(std::string text);

  ReportReader(ReportReader&&) noexcept = default;
  ReportReader& operator=(ReportReader&&) noexcept = default;

  // The next line: up to and including its LF, at most 255 characters, cut
  // at its first NUL byte. A CR directly before an LF is dropped and never
  // counts; 0x1A is an ordinary byte. A report whose first 64 KiB hold no LF
  // but a CR with more text after it has old Macintosh line ends: there each
  // CR ends its line and reads as an LF. An empty result means the end of the
  // report, a failed read, or a line that begins with NUL; AtEnd() and
  // ReadFailed() tell which. The view is valid until the next read.
  std::string_view ReadReportLine();

  // The end-of-file state as fgets leaves it: set by the read that met the
  // end of the report, also when that read still delivered a last line.
  bool AtEnd() const { return at_end_; }
  // True once reading failed for a reason other than the end of the report.
  bool ReadFailed() const { return failed_; }

  // Skips the three heading lines below a cut list's page header; false at
  // the first empty read.
  bool SkipHeadingLines();

  // Called right after a form feed line inside a cut list of `stand` and
  // `year_number`: decides whether the next page continues it.
  ContinuationResult CheckContinuationPage(std::string_view stand, std::int32_t year_number);

  // Closes the report; later reads deliver empty lines.
  void Close();

  // The report line (counted from 1) of the last read; the pieces of a long
  // line share its number.
  std::int64_t line_number() const { return line_number_; }
  // Bytes of the report delivered by the reads so far.
  std::uint64_t bytes_read() const { return bytes_fetched_ - (end_ - position_); }
  // The number of the report's last line when it has no line end and holds
  // more than white space (a report cut off mid-line); 0 otherwise, and
  // until the read that meets the end.
  std::int64_t unended_last_line() const { return unended_last_line_; }

  // Called after each chunk the reader takes from its file, where a long
  // run can tell how far it has come.
  void CallAfterEachChunk(std::function<void()> call) { after_chunk_ = std::move(call); }

 private:
  bool Refill();

  StdioFile file_;
  std::string buffer_;        // the report text, or the current chunk of the file
  std::size_t end_ = 0;       // bytes of `buffer_` that hold data
  std::size_t position_ = 0;
  bool at_end_ = false;
  bool failed_ = false;
  bool read_any_ = false;      // the file's first chunk has been read
  bool cr_line_ends_ = false;  // decided by the first chunk
  std::uint64_t bytes_fetched_ = 0;
  std::int64_t lines_ended_ = 0;
  std::int64_t line_number_ = 0;
  std::int64_t unended_last_line_ = 0;
  std::function<void()> after_chunk_;
  char line_[kMaxReportLineLength + 1] = {};
};

// Opens the report at `path` for reading; nothing when it cannot be opened
// (missing, not a regular file, no permission).
std::optional<ReportReader> OpenReport(const std::string& path);

}  // namespace canopex
