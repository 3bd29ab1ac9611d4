#include "conversion/report_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/report_reader_model.h"
#include "support/temp_folder.h"

namespace canopex {
namespace {

using testing::ModelReads;
using testing::Read;


// Reads until two empty lines in a row at the end (and at most 100000 reads).
std::vector<Read> ReadAll(ReportReader& reader) {
  std::vector<Read> reads;
  for (int i = 0; i < 100000; ++i) {
    const std::string line(reader.ReadReportLine());
    reads.push_back({line, reader.AtEnd()});
    if (line.empty() && reader.AtEnd()) break;
  }
  return reads;
}

std::vector<Read> ReadFromMemory(const std::string& text) {
  ReportReader reader(text);
  return ReadAll(reader);
}

std::vector<Read> ReadFromFile(const std::string& text) {
  testing::TempFolder temp;
  testing::WriteFileBytes(temp / "report.trl", text);
  std::optional<ReportReader> reader = OpenReport(temp / "report.trl");
  if (!reader) {
    ADD_FAILURE() << "cannot open the report";
    return {};
  }
  return ReadAll(*reader);
}

TEST(ReadReportLine, AppliesTheLineRules) {
  const std::string x254(254, 'x');
  const std::string x255(255, 'x');
  const struct {
    const char* what;
    std::string text;
    std::vector<Read> reads;
  } cases[] = {
      {"LF lines", "a\nb\n", {{"a\n", false}, {"b\n", false}, {"", true}}},
      {"last line without LF sets the end at once", "a\nb", {{"a\n", false}, {"b", true}, {"", true}}},
      {"CR LF becomes LF", "a\r\nb\r\n", {{"a\n", false}, {"b\n", false}, {"", true}}},
      {"lone CR is a character", "a\rb\n", {{"a\rb\n", false}, {"", true}}},
      {"only the CR before the LF goes", "a\r\r\n", {{"a\r\n", false}, {"", true}}},
      {"CR at the very end stays", "a\r", {{"a\r", true}, {"", true}}},
      {"empty report", "", {{"", true}}},
      {"long line in pieces", std::string(300, 'y') + "\n",
       {{std::string(255, 'y'), false}, {std::string(45, 'y') + "\n", false}, {"", true}}},
      {"the dropped CR does not count", x254 + "\r\n", {{x254 + "\n", false}, {"", true}}},
      {"LF after 255 characters is a line of its own", x255 + "\r\n",
       {{x255, false}, {"\n", false}, {"", true}}},
      {"255 characters at the end do not reach the end", x255,
       {{x255, false}, {"", true}}},
      {"lone CR counts", x254 + "\ry\n", {{x254 + "\r", false}, {"y\n", false}, {"", true}}},
      {"a CR looked past at the end does not end the read", x254 + "\r",
       {{x254 + "\r", false}, {"", true}}},
      {"text up to NUL", std::string("ab\0cd\nef\n", 9),
       {{"ab", false}, {"ef\n", false}, {"", true}}},
      {"line starting with NUL is empty but not the end", std::string("\0abc\nz\n", 7),
       {{"", false}, {"z\n", false}, {"", true}}},
      {"0x1A is an ordinary byte", "a\x1A b\n\x1A", {{"a\x1A b\n", false}, {"\x1A", true}, {"", true}}},
      {"form feed lines", "\f\n\fPAGE 2\r\n", {{"\f\n", false}, {"\fPAGE 2\n", false}, {"", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadFromMemory(c.text), c.reads);
    EXPECT_EQ(ReadFromFile(c.text), c.reads);
    EXPECT_EQ(ModelReads(c.text), c.reads) << "the model itself";
  }
}

TEST(ReadReportLine, FileReadsAgreeWithTheModelAcrossBufferBoundaries) {
  // Lines of random length over an alphabet rich in line ends, long enough to
  // cross the reader's 64 KiB chunks many times.
  std::mt19937 random(20261206);
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\n', '\0', '\f', '\x1A'};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<int> run(0, 400);
  std::string text;
  while (text.size() < 300000) {
    text.append(static_cast<std::size_t>(run(random)), 'x');
    text += alphabet[pick(random)];
  }
  // A CR LF pair split exactly at the first chunk boundary.
  text[65535] = '\r';
  text[65536] = '\n';
  const std::vector<Read> expected = ModelReads(text);
  EXPECT_EQ(ReadFromFile(text), expected);
  EXPECT_EQ(ReadFromMemory(text), expected);
}

TEST(ReadReportLine, ReportsWithoutAnyLFEndTheirLinesWithCR) {
  const std::string x70000(70000, 'x');
  const struct {
    const char* what;
    std::string text;
    std::vector<Read> reads;
  } cases[] = {
      {"CR-only lines", "a\rb\r", {{"a\n", false}, {"b\n", false}, {"", true}}},
      {"last line without line end", "a\rb", {{"a\n", false}, {"b", true}, {"", true}}},
      {"blank lines", "a\r\r\fb\r", {{"a\n", false}, {"\n", false}, {"\fb\n", false}, {"", true}}},
      {"long line in pieces", std::string(300, 'y') + "\rz",
       {{std::string(255, 'y'), false}, {std::string(45, 'y') + "\n", false}, {"z", true},
        {"", true}}},
      // Only the first 64 KiB decide: an LF further on makes no difference.
      {"an LF after the first chunk", "a\r" + x70000 + "\n",
       {{"a\n", false}, {x70000.substr(0, 255), false}}},
      // Otherwise a lone CR stays a character.
      {"a CR only at the very end", "a\r", {{"a\r", true}, {"", true}}},
      {"an LF in the first chunk", "a\rb\nc\r", {{"a\rb\n", false}, {"c\r", true}, {"", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Read> from_memory = ReadFromMemory(c.text);
    std::vector<Read> from_file = ReadFromFile(c.text);
    from_memory.resize(std::min(from_memory.size(), c.reads.size()));
    from_file.resize(std::min(from_file.size(), c.reads.size()));
    EXPECT_EQ(from_memory, c.reads);
    EXPECT_EQ(from_file, c.reads);
  }
}

#ifndef _WIN32
TEST(ReadReportLine, TellsAFailedReadFromTheEnd) {
  testing::TempFolder temp;
  // A folder opens as a stream on Linux, but every read fails.
  ReportReader reader(StdioFile(std::fopen(temp.path().c_str(), "rb")));
  EXPECT_EQ(reader.ReadReportLine(), "");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_TRUE(reader.ReadFailed());
}
#endif

TEST(OpenReport, RefusesWhatIsNoReadableFile) {
  testing::TempFolder temp;
  EXPECT_FALSE(OpenReport(temp / "missing.trl"));
  EXPECT_FALSE(OpenReport(temp.path().string()));
  EXPECT_FALSE(OpenReport(""));
}

TEST(SkipHeadingLines, NeedsThreeNonEmptyReads) {
  ReportReader complete("h1\n\nh3\ntree\n");
  EXPECT_TRUE(complete.SkipHeadingLines()) << "a blank line is a non-empty read";
  EXPECT_EQ(complete.ReadReportLine(), "tree\n");

  ReportReader short_report("h1\nh2\n");
  EXPECT_FALSE(short_report.SkipHeadingLines());

  ReportReader nul_line(std::string("h1\n\0\nh3\n", 8));
  EXPECT_FALSE(nul_line.SkipHeadingLines());
}

TEST(CheckContinuationPage, DecidesWhetherTheCutListGoesOn) {
  using O = ContinuationOutcome;
  const std::string cut_page = "STAND: 0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST\n";
  const std::string headings = "h1\nh2\nh3\n";
  const struct {
    const char* what;
    std::string page;  // what follows the form feed line
    O outcome;
    std::string handed_back;
    std::string next_read;  // the line read after the check
  } cases[] = {
      {"same stand and year", "SYLVAX PAGE 3\n" + cut_page + headings + "tree\n", O::Continue, "",
       "tree\n"},
      {"no year after the label passes",
       "title\nSTAND: 0042 YEAR:  COMPLETE CUT  LIST\n" + headings + "tree\n", O::Continue, "",
       "tree\n"},
      {"year read as a number", "title\nSTAND: 0042 YEAR: 1998.0 COMPLETE CUT  LIST\n" + headings,
       O::Continue, "", ""},
      {"another stand", "title\nSTAND: 0107 YEAR: 1998 COMPLETE CUT  LIST\n" + headings,
       O::NewHeader, "STAND: 0107 YEAR: 1998 COMPLETE CUT  LIST\n", "h1\n"},
      {"another year", "title\nSTAND: 0042 YEAR: 2003 COMPLETE CUT  LIST\n", O::NewHeader,
       "STAND: 0042 YEAR: 2003 COMPLETE CUT  LIST\n", ""},
      {"without the label the year is cut from position 4",
       "title\nPAGE 0042 COMPLETE CUT  LIST\n", O::NewHeader, "PAGE 0042 COMPLETE CUT  LIST\n",
       ""},
      {"same stand and year, another table",
       "title\nSTAND: 0042 YEAR: 1998 RESIDUAL TREE LIST\n" + headings, O::EndOfCutList, "",
       "h1\n"},
      {"continuing page without headings", "title\n" + cut_page + "h1\nh2\n", O::HeadingsMissing,
       "", ""},
      {"end after the form feed", "", O::EndOfCutList, "", ""},
      {"end after one line", "title\n", O::EndOfCutList, "", ""},
      {"NUL line after the form feed", std::string("\0\n", 2) + cut_page, O::UnexpectedEnd, "",
       cut_page},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReportReader reader(c.page);
    const ContinuationResult result = reader.CheckContinuationPage("0042", 1998);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.handed_back_line, c.handed_back);
    EXPECT_EQ(reader.ReadReportLine(), c.next_read);
  }
}

}  // namespace
}  // namespace canopex
