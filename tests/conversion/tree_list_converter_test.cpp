// The converter's decisions that the end-to-end cases cannot reach: writes
// that fail at a chosen line, what is deleted, and what reaches the
// settings file. Files are kept in memory; only the report is on disk.
#include "conversion/tree_list_converter.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "util/path_names.h"

namespace canopex {
namespace {

using testing::CutList;
using testing::TreeLine;

class RecordedMessages final : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Files in memory. Appends numbered in `failing_appends` (0-based, over the
// whole run) fail.
class MemoryFiles final : public FileOperations {
 public:
  bool Append(const std::string& path, std::string_view bytes, const FileIdentity&) override {
    if (failing_appends.count(appends++) != 0) return false;
    files[path].append(bytes);
    return true;
  }
  bool Overwrite(const std::string& path, std::string_view bytes, const FileIdentity&) override {
    files[path] = std::string(bytes);
    return true;
  }
  bool Remove(const std::string& path, const FileIdentity&) override {
    removed.push_back(path);
    files.erase(path);
    return true;
  }

  std::map<std::string, std::string> files;
  std::vector<std::string> removed;
  std::set<int> failing_appends;
  int appends = 0;
};

// Notes how many appends had been made at each end of a cut list.
class AppendsAtEachCutListEnd final : public ProgressListener {
 public:
  explicit AppendsAtEachCutListEnd(const MemoryFiles& files) : files_(files) {}
  void CutListEnded() override { appends.push_back(files_.appends); }
  std::vector<int> appends;

 private:
  const MemoryFiles& files_;
};

// A file in the output folder "out", as the converter names it.
std::string Out(const std::string& name) { return JoinPath("out", name); }

const std::vector<std::string> kThreeTrees = {TreeLine(1, "DF", "10.0", "12.0", "60.0"),
                                              TreeLine(2, "WH", "5.0", "8.0", "40.0"),
                                              TreeLine(3, "DF", "2.0", "14.0", "70.0")};

class ConverterTest : public ::testing::Test {
 protected:
  // Converts `report` and keeps the converter's results.
  bool Convert(const std::string& report, bool single_file, bool compress,
               const std::string& output = "out") {
    testing::WriteFileBytes(report_path_, report);
    TreeListConverter converter(settings_, messages_, report_path_, single_file, output, true,
                                compress);
    converter.UseFileOperations(files_);
    converter.UseDumpSwitch(dump_switch_);
    converter.ReportProgressTo(progress_);
    const bool succeeded = converter.Convert();
    counts_ = converter.counts();
    return succeeded;
  }

  testing::TempFolder temp_;
  const std::string report_path_ = temp_ / "report.trl";
  MemorySettingsStore settings_;
  RecordedMessages messages_;
  MemoryFiles files_;
  DumpSwitch dump_switch_;
  AppendsAtEachCutListEnd progress_{files_};
  RunCounts counts_;
};

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

TEST_F(ConverterTest, AFailedTreeRowSkipsTheRestOfItsCutListOnly) {
  files_.failing_appends = {2};  // header, first row, then the second row fails
  EXPECT_FALSE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                       false, false));
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{"Error writing to stand file: \n\n " + Out("0042_1998.txt")});
  EXPECT_EQ(counts_.error, messages_.shown.back());
  EXPECT_EQ(files_.files[Out("0042_1998.txt")],
            "StandId\tStandYear\tTreeId\tSpecies\tDiameter\tHeight\tTPA\r\n"
            "'0042\t1998\t1\tDF\t12.0\t60.0\t10.0\r\n");
  EXPECT_EQ(LineCount(files_.files[Out("0107_2003.txt")]), 4u);
  EXPECT_EQ(counts_.cut_lists, 2);
  EXPECT_EQ(counts_.trees, 6);
  // Told after each cut list's rows, the failed one included.
  EXPECT_EQ(progress_.appends, (std::vector<int>{3, 7}));
}

TEST_F(ConverterTest, AFailedHeaderLineEndsTheRun) {
  files_.failing_appends = {0};
  EXPECT_FALSE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                       false, false));
  EXPECT_EQ(messages_.shown.size(), 1u);
  EXPECT_TRUE(files_.files.empty());
  EXPECT_EQ(counts_.cut_lists, 1);
  EXPECT_EQ(counts_.trees, 0);
  EXPECT_TRUE(progress_.appends.empty());
}

TEST_F(ConverterTest, AFailedCompressedRowIsTriedAgainByTheClosingRow) {
  // Groups DF 12, DF 14, WH 8: header is append 0, DF 12 is 1, DF 14 is 2.
  files_.failing_appends = {2};
  EXPECT_FALSE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                       false, true));
  EXPECT_EQ(messages_.shown.size(), 1u);
  // The retry wrote DF 14; WH 8 is missing; the run went on.
  const std::string& first = files_.files[Out("0042_1998.txt")];
  EXPECT_EQ(LineCount(first), 3u);
  EXPECT_NE(first.find("\tDF\t14\t"), std::string::npos);
  EXPECT_EQ(first.find("\tWH\t"), std::string::npos);
  EXPECT_EQ(LineCount(files_.files[Out("0107_2003.txt")]), 4u);
}

TEST_F(ConverterTest, AFailedRetryOfACompressedRowEndsTheRun) {
  files_.failing_appends = {2, 3};
  EXPECT_FALSE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                       false, true));
  EXPECT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0], messages_.shown[1]);
  EXPECT_EQ(files_.files.count(Out("0107_2003.txt")), 0u);
  EXPECT_EQ(counts_.cut_lists, 1);
}

TEST_F(ConverterTest, SingleFileModeDeletesOnceAndWritesOneHeader) {
  EXPECT_TRUE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                      true, false, "all.txt"));
  EXPECT_EQ(files_.removed, std::vector<std::string>{"all.txt"});
  EXPECT_EQ(LineCount(files_.files["all.txt"]), 7u);
  EXPECT_EQ(files_.files["all.txt"].find("StandId", 1), std::string::npos);
}

TEST_F(ConverterTest, FolderModeDeletesEachStandFileBeforeWritingIt) {
  files_.files[Out("0042_1998.txt")] = "an older run\r\n";
  EXPECT_TRUE(Convert(CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees),
                      false, false));
  EXPECT_EQ(files_.removed,
            (std::vector<std::string>{Out("0042_1998.txt"), Out("0107_2003.txt")}));
  EXPECT_EQ(files_.files[Out("0042_1998.txt")].find("an older run"), std::string::npos);
}

TEST_F(ConverterTest, ANameThatWouldLeaveTheFolderIsRefusedWithoutDeletingAnything) {
  for (const char* stand : {"../x", "..\\x", "C:x", "a*b", "a\x01"}) {
    files_ = MemoryFiles();
    messages_.shown.clear();
    EXPECT_FALSE(Convert(CutList(stand, "1998", kThreeTrees), false, true)) << stand;
    EXPECT_TRUE(files_.removed.empty()) << stand;
    EXPECT_TRUE(files_.files.empty()) << stand;
    EXPECT_EQ(messages_.shown,
              std::vector<std::string>{"Error writing to stand file: \n\n " +
                                       Out(std::string(stand) + "_1998.txt")});
  }
  // In single-file mode the name is the user's: such a stand is written.
  files_ = MemoryFiles();
  EXPECT_TRUE(Convert(CutList("../x", "1998", kThreeTrees), true, false, "all.txt"));
  EXPECT_NE(files_.files["all.txt"].find("'../x\t1998\t"), std::string::npos);
}

TEST_F(ConverterTest, DumpsFollowTheirSwitchAndSkipRefusedNames) {
  settings_.WriteSettingInt("Setup", "DumpTreeLists", 1);
  EXPECT_TRUE(Convert(CutList("0042", "1998", kThreeTrees), true, true, Out("all.txt")));
  EXPECT_EQ(files_.files.count(Out("0042y1998_tree_1.txt")), 1u);
  EXPECT_EQ(files_.files.count(Out("0042y1998_trsd.txt")), 1u);
  // WH 8.0 is class 8: a small tree, given class 3 as the only one.
  EXPECT_EQ(files_.files[Out("0042y1998_trsd.txt")],
            "'0042\t1998\t2\tWH\t8.0\t40.0\t5.0\t50\t8\t0\r\n");
  EXPECT_NE(files_.files[Out("0042y1998_tree_2.txt")].find("\t8\t3\r\n"), std::string::npos);

  files_ = MemoryFiles();
  EXPECT_TRUE(Convert(CutList("a|b", "1998", kThreeTrees), true, true, Out("all.txt")));
  EXPECT_EQ(files_.files.size(), 1u);  // the stand file only

  // The switch was read at the first dump and is held.
  settings_.WriteSettingInt("Setup", "DumpTreeLists", 0);
  files_ = MemoryFiles();
  EXPECT_TRUE(Convert(CutList("0107", "2003", kThreeTrees), true, true, Out("all.txt")));
  EXPECT_EQ(files_.files.size(), 4u);
}

TEST_F(ConverterTest, HeightClassParametersAreCheckedOnlyWhenCompressing) {
  settings_.WriteSettingInt("Setup", "TreeHtClassesMaxDBH", 20);
  { TreeListConverter converter(settings_, messages_, report_path_, true, "x", true, false); }
  EXPECT_TRUE(messages_.shown.empty());
  { TreeListConverter converter(settings_, messages_, report_path_, true, "x", true, true); }
  EXPECT_EQ(messages_.shown, std::vector<std::string>{kHeightClassParameterMessage});
}

TEST_F(ConverterTest, TheSettingsFileGetsTheLayoutAndTheResults) {
  settings_ = MemorySettingsStore(
      "[Setup]\nOutputCrownRatio=1\nown option=kept\n[TreeList]\nCutListIndicator=CUT'S LIST\n");
  {
    TreeListConverter converter(settings_, messages_, temp_ / "missing.trl", false, "out", true,
                                true);
    EXPECT_FALSE(converter.Convert());
    EXPECT_EQ(converter.counts().error, "Cannot open the file: \n" + (temp_ / "missing.trl"));
  }
  const std::string& text = settings_.text();
  EXPECT_NE(text.find("own option=kept\n"), std::string::npos);
  EXPECT_NE(text.find("CutListIndicator='CUTS LIST'\n"), std::string::npos);
  EXPECT_NE(text.find("Diam_Len=5\n"), std::string::npos);
  EXPECT_NE(text.find("CutListCount=0\n"), std::string::npos);
  // The line break of the message becomes a blank.
  EXPECT_NE(text.find("ErrMessage=Cannot open the file:  " + (temp_ / "missing.trl") + "\n"),
            std::string::npos);
}

TEST_F(ConverterTest, ARunWithoutCutListsFailsWithoutAMessage) {
  EXPECT_FALSE(Convert("no cut list here\r\n\f\r\nnor here\r\n", true, false, "all.txt"));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(counts_.error, kNotATreeListMessage);
  EXPECT_TRUE(files_.removed.empty());
}

TEST_F(ConverterTest, ALineBeginningWithNulOutsideACutListIsSkipped) {
  // It reads as empty, but the report goes on.
  const std::string nul_line("\0 notes\r\n", 10);
  const std::string summary_page = "\fSTAND SUMMARY\r\n\r\nALL STANDS\r\n" + nul_line;
  EXPECT_TRUE(Convert("SYLVAX\r\n" + nul_line + CutList("0042", "1998", kThreeTrees) +
                          summary_page + CutList("0107", "2003", kThreeTrees),
                      false, false));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(counts_.cut_lists, 2);
  EXPECT_EQ(LineCount(files_.files[Out("0042_1998.txt")]), 4u);
  EXPECT_EQ(LineCount(files_.files[Out("0107_2003.txt")]), 4u);
}

TEST_F(ConverterTest, AReportWithCarriageReturnLineEndsConvertsAsOneWithCRLF) {
  std::string report = CutList("0042", "1998", kThreeTrees) + CutList("0107", "2003", kThreeTrees);
  EXPECT_TRUE(Convert(report, false, false));
  const std::map<std::string, std::string> with_crlf = files_.files;

  for (std::size_t at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at)) {
    report.erase(at + 1, 1);
  }
  files_ = MemoryFiles();
  EXPECT_TRUE(Convert(report, false, false));
  EXPECT_EQ(files_.files, with_crlf);
  EXPECT_EQ(counts_.trees, 6);
}

#ifdef __linux__
TEST_F(ConverterTest, AReadErrorIsAFailure) {
  // A regular file whose reads fail: its offset 0 is never mapped.
  TreeListConverter converter(settings_, messages_, "/proc/self/mem", true, "all.txt", true,
                              false);
  converter.UseFileOperations(files_);
  EXPECT_FALSE(converter.Convert());
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Cannot read the file: \n/proc/self/mem"});
  EXPECT_EQ(converter.counts().error, messages_.shown.back());
}
#endif

TEST_F(ConverterTest, AutomaticCompressionStartsAbove300KeptTreesAndStaysOn) {
  std::vector<std::string> trees;
  for (int i = 1; i <= 300; ++i) trees.push_back(TreeLine(i, "DF", "1.0", "12.0", "60.0"));
  std::vector<std::string> dropped = trees;
  dropped.push_back(TreeLine(301, "DF", "0.0", "12.0", "60.0"));  // TPA zero
  std::vector<std::string> kept = trees;
  kept.push_back(TreeLine(301, "DF", "1.0", "12.0", "60.0"));
  EXPECT_TRUE(Convert(CutList("0100", "2001", dropped) + CutList("0200", "2001", kept) +
                          CutList("0300", "2001", kThreeTrees),
                      false, false));
  EXPECT_EQ(LineCount(files_.files[Out("0100_2001.txt")]), 301u);
  EXPECT_EQ(files_.files[Out("0200_2001.txt")],
            "StandId\tStandYear\tTreeId\tSpecies\tDiameter\tHeight\tTPA\r\n"
            "'0200\t2001\t0\tDF\t12\t  60.0\t   301.000\r\n");
  EXPECT_EQ(LineCount(files_.files[Out("0300_2001.txt")]), 4u);
  EXPECT_NE(files_.files[Out("0300_2001.txt")].find("'0300\t2001\t0\tDF\t12\t"),
            std::string::npos);
  EXPECT_EQ(counts_.tpa_zero, 1);
}

}  // namespace
}  // namespace canopex
