// A plain model of how ReportReader delivers lines, for tests and the fuzz
// target to compare the reader with: the rules written out, not the code.
#pragma once

#include <ostream>
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

// Shows a read with its control characters escaped, for test failures.
inline std::ostream& operator<<(std::ostream& out, const Read& read) {
  out << '"';
  for (char c : read.line) {
    if (c == '\n') out << "\\n";
    else if (c == '\r') out << "\\r";
    else if (static_cast<unsigned char>(c) < 0x20) out << "\\x" << std::hex << +c << std::dec;
    else out << c;
  }
  return out << '"' << (read.at_end ? " (end)" : "");
}

// Old Macintosh line ends: the first 64 KiB hold no LF, but a CR with more
// text after it.
inline bool HasCrLineEnds(std::string_view raw) {
  const std::string_view first = raw.substr(0, 1 << 16);
  const std::size_t cr = first.find('\r');
  return first.find('\n') == first.npos && cr != first.npos && cr + 1 < first.size();
}

// With old Macintosh line ends each CR reads as an LF, otherwise each CR
// before an LF is dropped; then come pieces of up to kMaxReportLineLength
// characters ending after an LF, each cut at its first NUL; the read that
// meets the end sets the end state. Ends with the first empty read at the
// end (which may be a last line of NULs). `cr_line_ends` says which line
// ends the report has.
inline std::vector<Read> ModelReads(std::string_view raw, bool cr_line_ends) {
  std::string text;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && cr_line_ends) {
      text += '\n';
      continue;
    }
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  std::vector<Read> reads;
  std::size_t at = 0;
  for (;;) {
    std::string piece;
    bool hit_end = false;
    while (piece.size() < kMaxReportLineLength) {
      if (at == text.size()) {
        hit_end = true;
        break;
      }
      piece += text[at++];
      if (piece.back() == '\n') break;
    }
    reads.push_back({piece.substr(0, piece.find('\0')), hit_end});
    if (reads.back().line.empty() && hit_end) return reads;
  }
}

// The same, with the line ends decided by the report's own start.
inline std::vector<Read> ModelReads(std::string_view raw) {
  return ModelReads(raw, HasCrLineEnds(raw));
}

}  // namespace canopex::testing
