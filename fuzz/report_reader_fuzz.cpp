// Fuzz target: the input is a report. ReportReader must deliver the lines of
// its model (tests/support/report_reader_model.h), set the end state with the
// read that meets the end, and end: from memory, from a file, and from a file
// where filler lines put the end of the first 64 KiB chunk in the middle of
// the report, where a line or a CR LF pair may be split.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/report_reader.h"
#include "fuzz_support.h"
#include "tests/support/report_reader_model.h"

namespace {

using canopex::fuzz::Escaped;
using canopex::testing::Read;

std::string Shown(std::vector<Read>::const_iterator read, const std::vector<Read>& reads) {
  if (read == reads.end()) return "none";
  return '"' + Escaped(read->line) + (read->at_end ? "\" (end)" : "\"");
}

// Reads until the first empty read at the end and compares the reads with the
// model's. Every read but the last takes a byte at least: more is a hang.
void CheckReads(canopex::ReportReader& reader, std::string_view bytes, const std::string& source) {
  std::vector<Read> reads;
  do {
    const std::string_view line = reader.ReadReportLine();
    FUZZ_CHECK(line.size() <= canopex::kMaxReportLineLength && !reader.ReadFailed() &&
                   reads.size() <= bytes.size(),
               source + " read " + std::to_string(reads.size()) + ": " + Escaped(line));
    reads.push_back({std::string(line), reader.AtEnd()});
  } while (!reads.back().line.empty() || !reads.back().at_end);
  const std::vector<Read> model = canopex::testing::ModelReads(bytes);
  const auto [read, expected] =
      std::mismatch(reads.begin(), reads.end(), model.begin(), model.end());
  FUZZ_CHECK(read == reads.end() && expected == model.end(),
             source + " read " + std::to_string(read - reads.begin()) + ": " + Shown(read, reads) +
                 ", model: " + Shown(expected, model));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  canopex::ReportReader memory_reader{std::string(text)};
  CheckReads(memory_reader, text, "memory");

  const std::filesystem::path path = canopex::fuzz::TempFolder() / "report.trl";
  const std::size_t middle =
      canopex::kReportChunkSize - std::min(size / 2, canopex::kReportChunkSize);
  for (const std::size_t filler : {std::size_t{0}, middle}) {
    std::string bytes;
    while (bytes.size() < filler) {
      bytes.append(std::min<std::size_t>(100, filler - bytes.size()) - 1, 'x') += '\n';
    }
    bytes += text;
    canopex::fuzz::WriteFileBytes(path, bytes);
    canopex::ReportReader reader = canopex::OpenReport(path.string()).value();
    CheckReads(reader, bytes, filler == 0 ? "file" : "file behind filler");
  }
  return 0;
}
