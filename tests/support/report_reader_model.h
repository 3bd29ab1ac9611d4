// A plain model of how ReportReader delivers lines, for the fuzz target (and
// tests) to compare the reader with: the rules written out, not the code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/report_reader.h"

namespace canopex::testing {

// One read: the line delivered, and whether the reader was at its end after.
struct Read {
  std::string line;
  bool at_end;
  bool operator==(const Read&) const = default;
};

// With old Macintosh line ends (the first chunk holds no LF, but a CR with
// more text after it) each CR reads as an LF, otherwise each CR before an LF
// is dropped; then come pieces of up to kMaxReportLineLength characters
// ending after an LF, each cut at its first NUL; a piece that stops at the
// end sets the end state. The reads end with the first empty one at the end
// (which may be a last line of NULs).
inline std::vector<Read> ModelReads(std::string_view raw) {
  const std::string_view first = raw.substr(0, kReportChunkSize);
  const std::size_t first_cr = first.find('\r');
  const bool cr_line_ends =
      first.find('\n') == first.npos && first_cr != first.npos && first_cr + 1 < first.size();
  std::string text;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && cr_line_ends) text += '\n';
    else if (raw[i] != '\r' || i + 1 == raw.size() || raw[i + 1] != '\n') text += raw[i];
  }
  std::vector<Read> reads;
  for (std::size_t at = 0;;) {
    std::string piece;
    while (piece.size() < kMaxReportLineLength && at < text.size() && !piece.ends_with('\n')) {
      piece += text[at++];
    }
    const bool at_end = piece.size() < kMaxReportLineLength && !piece.ends_with('\n');
    reads.push_back({piece.substr(0, piece.find('\0')), at_end});
    if (reads.back().line.empty() && at_end) return reads;
  }
}

}  // namespace canopex::testing
