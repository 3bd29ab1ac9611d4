// Fuzz target: the input is a tree list report. ReportReader must deliver
// the lines its header promises (at most 255 characters up to and including
// an LF, a CR before an LF dropped or, with old Macintosh line ends, each CR
// read as an LF, cut at NUL) alike from memory and from a file, also where
// the file's first 64 KiB chunk ends inside the report, set the end state
// with the read that meets the end, and end; the page walk (heading lines,
// continuation pages) must end too, without a crash, hang or sanitizer
// report.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/report_line.h"
#include "conversion/report_reader.h"
#include "fuzz_support.h"
#include "tests/support/report_reader_model.h"

namespace {

using canopex::fuzz::Escaped;
using canopex::testing::HasCrLineEnds;
using canopex::testing::ModelReads;
using canopex::testing::Read;

std::string Describe(const std::vector<Read>& reads) {
  std::string text;
  for (const Read& read : reads) {
    text += "  \"" + Escaped(read.line) + (read.at_end ? "\" (end)\n" : "\"\n");
  }
  return text;
}

// Reads until the first empty read at the end. Every read but the last
// consumes at least one byte, so more reads than bytes is a hang.
std::vector<Read> ReadAll(canopex::ReportReader& reader, std::size_t size) {
  std::vector<Read> reads;
  for (;;) {
    const std::string_view line = reader.ReadReportLine();
    FUZZ_CHECK(line.size() <= canopex::kMaxReportLineLength, Escaped(line));
    FUZZ_CHECK(!reader.ReadFailed(), "a read failed");
    reads.push_back({std::string(line), reader.AtEnd()});
    if (line.empty() && reader.AtEnd()) return reads;
    FUZZ_CHECK(reads.size() <= size + 1, "the reads do not end:\n" + Describe(reads));
  }
}

// The converter's walk over pages: headers, their heading lines and the
// continuation checks at each form feed, with stand and year of the last
// header. Only ending and the outcome's hand-back are checked here; what the
// walk finds is the conversion target's business.
void WalkPages(std::string_view text) {
  canopex::ReportReader reader{std::string(text)};
  canopex::CutListHeader header;
  std::optional<std::string> pending;
  for (std::size_t calls = 0;; ++calls) {
    // A handed-back line is looked at without a read; every other step reads.
    FUZZ_CHECK(calls <= 2 * text.size() + 4, "the page walk does not end");
    std::string held;
    std::string_view line;
    if (pending) {
      held = std::move(*pending);
      pending.reset();
      line = held;
    } else {
      line = reader.ReadReportLine();
    }
    if (line.empty()) {
      if (reader.AtEnd()) break;
      continue;
    }
    if (line.front() == '\f' && !header.stand.empty()) {
      canopex::ContinuationResult page =
          reader.CheckContinuationPage(header.stand, header.year_number);
      const bool new_header = page.outcome == canopex::ContinuationOutcome::NewHeader;
      FUZZ_CHECK(new_header != page.handed_back_line.empty(), "hand-back with the wrong outcome");
      if (new_header) pending = std::move(page.handed_back_line);
      continue;
    }
    if (canopex::IsCutListHeader(line, canopex::kCutListPageTitle)) {
      header = canopex::ParseCutListHeader(line);
      if (!reader.SkipHeadingLines()) header = {};
    }
  }
  reader.Close();
  FUZZ_CHECK(reader.ReadReportLine().empty(), "a closed reader still delivers lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<Read> expected = ModelReads(text, HasCrLineEnds(text));

  canopex::ReportReader memory_reader{std::string(text)};
  const std::vector<Read> from_memory = ReadAll(memory_reader, size);
  FUZZ_CHECK(from_memory == expected,
             "memory reads:\n" + Describe(from_memory) + "expected:\n" + Describe(expected));

  const std::filesystem::path path = canopex::fuzz::ProcessTempFolder::Path() / "report.trl";
  canopex::fuzz::WriteFileBytes(path, text);
  std::optional<canopex::ReportReader> file_reader = canopex::OpenReport(path.string());
  FUZZ_CHECK(file_reader.has_value(), "cannot open " + path.string());
  const std::vector<Read> from_file = ReadAll(*file_reader, size);
  FUZZ_CHECK(from_file == from_memory,
             "file reads:\n" + Describe(from_file) + "memory reads:\n" + Describe(from_memory));

  // The same report behind filler lines that end 64 KiB less half its
  // length into the file, so that the reader's first chunk of a file (64 KiB)
  // ends in its middle, where a CR LF pair may be split. The filler's LFs
  // rule out old Macintosh line ends.
  const std::size_t filler_size = (std::size_t{1} << 16) - size / 2;
  std::string padded;
  padded.reserve(filler_size + size);
  while (padded.size() < filler_size) {
    const std::size_t line = std::min<std::size_t>(100, filler_size - padded.size());
    padded.append(line - 1, 'x').append("\n");
  }
  padded += text;
  canopex::fuzz::WriteFileBytes(path, padded);
  std::optional<canopex::ReportReader> padded_reader = canopex::OpenReport(path.string());
  FUZZ_CHECK(padded_reader.has_value(), "cannot open " + path.string());
  for (std::size_t at = 0; at < filler_size;) {
    const std::string_view line = padded_reader->ReadReportLine();
    FUZZ_CHECK(line == std::string_view(padded).substr(at, line.size()) && line.ends_with('\n') &&
                   !padded_reader->AtEnd(),
               "a filler line read as \"" + Escaped(line) + "\"");
    at += line.size();
  }
  const std::vector<Read> behind_filler = ReadAll(*padded_reader, size);
  const std::vector<Read> expected_behind_filler = ModelReads(text, false);
  FUZZ_CHECK(behind_filler == expected_behind_filler,
             "reads behind the filler:\n" + Describe(behind_filler) + "expected:\n" +
                 Describe(expected_behind_filler));

  WalkPages(text);
  return 0;
}
