// Fuzz target: the input is a report. ReportReader must deliver the reads of
// its model (tests/support/report_reader_model.h) and end: from memory, from a
// file, and from a file where filler lines put the end of the first 64 KiB
// chunk in the middle of the report, where a line or a CR LF pair may be split.
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

// Reads until the first empty read at the end, or one read past the model's
// (a hang, say), and compares the reads with the model's.
void CheckReads(canopex::ReportReader& reader, const std::vector<Read>& model,
                const std::string& source) {
  std::vector<Read> reads;
  do {
    const std::string_view line = reader.ReadReportLine();
    FUZZ_CHECK(!reader.ReadFailed(), source + ": a read failed");
    reads.push_back({std::string(line), reader.AtEnd()});
  } while ((!reads.back().line.empty() || !reads.back().at_end) && reads.size() <= model.size());
  const auto [read, expected] =
      std::mismatch(reads.begin(), reads.end(), model.begin(), model.end());
  FUZZ_CHECK(read == reads.end() && expected == model.end(),
             source + " read " + std::to_string(read - reads.begin()) + ": " + Shown(read, reads) +
                 ", model: " + Shown(expected, model));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<Read> model = canopex::testing::ModelReads(text);
  canopex::ReportReader memory_reader{std::string(text)};
  CheckReads(memory_reader, model, "memory");
  // Behind filler lines, whose LFs rule out old Macintosh line ends, the
  // report reads as it would after an LF.
  std::vector<Read> behind_filler = canopex::testing::ModelReads("\n" + text);
  behind_filler.erase(behind_filler.begin());

  const std::filesystem::path path = canopex::fuzz::TempFolder() / "report.trl";
  const std::size_t middle =
      canopex::kReportChunkSize - std::min(size / 2, canopex::kReportChunkSize);
  for (const std::size_t filler : {std::size_t{0}, middle}) {
    std::string bytes;  // lines of 100 bytes, the last maybe shorter
    for (std::size_t at = 0; at < filler; at += 100) {
      bytes.append(std::min<std::size_t>(100, filler - at) - 1, 'x') += '\n';
    }
    canopex::fuzz::WriteFileBytes(path, bytes + text);
    canopex::ReportReader reader = canopex::OpenReport(path.string()).value();
    for (std::size_t at = 0; at < filler; at += 100) {
      const std::string_view line = reader.ReadReportLine();
      FUZZ_CHECK(line == bytes.substr(at, std::min<std::size_t>(100, filler - at)),
                 "a filler line read as \"" + Escaped(line) + "\"");
    }
    CheckReads(reader, filler == 0 ? model : behind_filler, filler ? "behind filler" : "file");
  }
  return 0;
}
