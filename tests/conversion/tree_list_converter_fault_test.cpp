// What a run does when the disk fails it part-way, on real files: the user
// sees the stand file named in a message and the run fails; what was
// written before stays, and the report and the settings file's own lines are
// never touched. Each run is compared with a fault-free run of the same
// report.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "conversion/tree_list_converter.h"
#include "faulty_file_operations.h"
#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "util/path_names.h"

namespace canopex {
namespace {

namespace fs = std::filesystem;
using testing::CutList;
using testing::FaultScript;
using testing::FileBytes;
using testing::TreeLine;
using Step = FaultScript::Step;

class RecordedMessages final : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Two cut lists of four trees. In folder mode appends 1-5 are 0042_1998.txt
// (header, four rows) and 6-10 are 0107_2003.txt; in single-file mode append
// 1 is the header, 2-5 the first cut list's rows, 6-9 the second's.
std::string TwoCutLists() {
  const std::vector<std::string> trees = {
      TreeLine(1, "DF", "10.0", "12.0", "60.0"), TreeLine(2, "DF", "5.0", "14.0", "40.0"),
      TreeLine(3, "WH", "2.0", "16.0", "70.0"), TreeLine(4, "WH", "1.0", "18.0", "80.0")};
  return CutList("0042", "1998", trees) + CutList("0107", "2003", trees);
}

constexpr char kFirst[] = "0042_1998.txt";
constexpr char kSecond[] = "0107_2003.txt";
constexpr char kSingle[] = "all.txt";

// Hand-set options and lines of the user's own, which every run must keep.
const std::vector<std::string> kHandMadeLines = {
    "[Setup]", "TreeHtClasses=1", "DumpTreeLists=0", "CreateDir=1", "; my notes",
    "[Mine]",  "Unknown=kept"};

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// `lines` picks lines of `reference` by index: "0134".
std::vector<std::string> Pick(const std::vector<std::string>& reference, const std::string& lines) {
  std::vector<std::string> picked;
  for (const char index : lines) picked.push_back(reference.at(index - '0'));
  return picked;
}

class ConverterFaultTest : public ::testing::Test {
 protected:
  ConverterFaultTest() {
    testing::WriteFileBytes(report_, TwoCutLists());
    std::string settings;
    for (const std::string& line : kHandMadeLines) settings += line + "\n";
    testing::WriteFileBytes(settings_path_, settings);
    fs::create_directory(temp_.path() / "out");
  }

  // Converts the report into `output` (the folder, or the single file) with
  // tree rows; true when the run succeeded.
  bool Convert(bool single_file, const std::string& output, FileOperations* files) {
    IniFileStore settings(settings_path_);
    TreeListConverter converter(settings, messages_, report_, single_file, output, true, false);
    if (files != nullptr) converter.UseFileOperations(*files);
    const bool succeeded = converter.Convert();
    counts_ = converter.counts();
    return succeeded;
  }

  // The lines of the stand file `name` that a fault-free run writes.
  std::vector<std::string> ReferenceLines(bool single_file, const std::string& name) {
    testing::TempFolder reference;
    RecordedMessages quiet;
    IniFileStore settings(reference / "canopex.ini");
    const std::string output = single_file ? reference / name : reference.path().string();
    TreeListConverter converter(settings, quiet, report_, single_file, output, true, false);
    EXPECT_TRUE(converter.Convert());
    return LinesOf(FileBytes(single_file ? output : JoinPath(output, name)));
  }

  // Nothing that is not the run's to change has changed.
  void ExpectReportAndSettingsKept() {
    EXPECT_EQ(FileBytes(report_), TwoCutLists());
    const std::string settings = FileBytes(settings_path_);
    for (const std::string& line : kHandMadeLines) {
      EXPECT_NE(settings.find(line + "\n"), std::string::npos) << line;
    }
    EXPECT_NE(settings.find("ErrMessage=Error writing to stand file:"), std::string::npos);
  }

  std::string Out(const std::string& name) const { return JoinPath(temp_ / "out", name); }
  std::string WriteError(const std::string& path) const {
    return "Error writing to stand file: \n\n " + path;
  }

  testing::TempFolder temp_;
  const std::string report_ = temp_ / "report.trl";
  const std::string settings_path_ = temp_ / "canopex.ini";
  RecordedMessages messages_;
  RunCounts counts_;
};

struct StandFile {
  const char* name;
  const char* lines;  // the fault-free file's lines it holds, by index; nullptr: no file
};

FaultScript StepFails(Step step, int append) {
  FaultScript script;
  script.failing_step = step;
  script.failing_append = append;
  return script;
}

FaultScript ReadOnlyFrom(int append) {
  FaultScript script;
  script.read_only_from = append;
  return script;
}

struct FaultCase {
  const char* what;
  bool single_file;
  FaultScript script;  // read_only_path is filled in below
  const char* read_only_name;
  std::vector<const char*> failed_files;  // named by the messages, in order
  std::int32_t cut_lists;                 // found before the run ended
  std::vector<StandFile> files;
};

TEST_F(ConverterFaultTest, AFailingStepFailsTheRunAndKeepsWhatWasWritten) {
  const FaultCase cases[] = {
      {"the write of the second cut list's third row", false, StepFails(Step::Write, 9), nullptr,
       {kSecond}, 2, {{kFirst, "01234"}, {kSecond, "012"}}},
      // The rest of a cut list is skipped; the next one is written.
      {"the write of the first cut list's third row", false, StepFails(Step::Write, 4), nullptr,
       {kFirst}, 2, {{kFirst, "012"}, {kSecond, "01234"}}},
      {"the write of the third row of a single file", true, StepFails(Step::Write, 4), nullptr,
       {kSingle}, 2, {{kSingle, "0125678"}}},
      // A stand file whose header line fails ends the run.
      {"the open of the second stand file's header", false, StepFails(Step::Open, 6), nullptr,
       {kSecond}, 2, {{kFirst, "01234"}, {kSecond, nullptr}}},
      {"the open of the third row", false, StepFails(Step::Open, 4), nullptr, {kFirst}, 2,
       {{kFirst, "012"}, {kSecond, "01234"}}},
      // A failed close comes after the row reached the file.
      {"the close of the third row", false, StepFails(Step::Close, 4), nullptr, {kFirst}, 2,
       {{kFirst, "0123"}, {kSecond, "01234"}}},
      {"the close of the second stand file's header", false, StepFails(Step::Close, 6), nullptr,
       {kSecond}, 2, {{kFirst, "01234"}, {kSecond, "0"}}},
      {"the single file read-only from the second cut list on", true,
       ReadOnlyFrom(6), kSingle, {kSingle}, 2, {{kSingle, "01234"}}},
      {"the second stand file read-only from its header on", false, ReadOnlyFrom(6),
       kSecond, {kSecond}, 2, {{kFirst, "01234"}, {kSecond, nullptr}}},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(temp_.path() / "out");
    fs::create_directory(temp_.path() / "out");
    fs::remove(temp_.path() / kSingle);
    messages_.shown.clear();

    const auto path_of = [&](const std::string& name) {
      return c.single_file ? temp_ / name : Out(name);
    };
    FaultScript script = c.script;
    if (c.read_only_name != nullptr) script.read_only_path = path_of(c.read_only_name);
    testing::FaultyFileOperations files(script);
    EXPECT_FALSE(Convert(c.single_file, c.single_file ? temp_ / kSingle : temp_ / "out", &files));

    std::vector<std::string> expected_messages;
    for (const char* name : c.failed_files) expected_messages.push_back(WriteError(path_of(name)));
    EXPECT_EQ(messages_.shown, expected_messages);
    EXPECT_EQ(counts_.error, expected_messages.back());
    EXPECT_EQ(counts_.cut_lists, c.cut_lists);
    for (const StandFile& file : c.files) {
      SCOPED_TRACE(file.name);
      if (file.lines == nullptr) {
        EXPECT_FALSE(fs::exists(path_of(file.name)));
      } else {
        EXPECT_EQ(LinesOf(FileBytes(path_of(file.name))),
                  Pick(ReferenceLines(c.single_file, file.name), file.lines));
      }
    }
    ExpectReportAndSettingsKept();
  }
}

TEST_F(ConverterFaultTest, AnOutputFolderThatDisappearsFailsEveryLaterStandFile) {
  const struct {
    const char* what;
    int gone_at;
    std::vector<const char*> failed_files;
  } cases[] = {
      {"between the cut lists", 6, {kSecond}},
      // The first cut list's remaining rows fail, then the second's header.
      {"inside the first cut list", 3, {kFirst, kSecond}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::create_directory(temp_.path() / "out");
    messages_.shown.clear();
    FaultScript script;
    script.folder_gone_at = c.gone_at;
    script.gone_folder = temp_ / "out";
    testing::FaultyFileOperations files(script);
    EXPECT_FALSE(Convert(false, temp_ / "out", &files));

    std::vector<std::string> expected_messages;
    for (const char* name : c.failed_files) expected_messages.push_back(WriteError(Out(name)));
    EXPECT_EQ(messages_.shown, expected_messages);
    EXPECT_EQ(counts_.cut_lists, 2);
    // The run never makes the folder again, nor a file elsewhere.
    EXPECT_FALSE(fs::exists(temp_.path() / "out"));
    EXPECT_EQ(std::distance(fs::directory_iterator(temp_.path()), fs::directory_iterator()), 2)
        << "only the report and the settings file";
    ExpectReportAndSettingsKept();
  }
}

TEST_F(ConverterFaultTest, AStandFileThatCannotBeDeletedIsLeftAsItWasAndFailsTheRun) {
  // Appending to it would put the new rows after the old ones.
  const std::string earlier = "rows of an earlier run\r\n";
  const struct {
    const char* what;
    bool single_file;
    const char* planted;  // the stand file an earlier run left
    std::int32_t cut_lists;
    std::vector<StandFile> written;
  } cases[] = {
      {"folder mode", false, kSecond, 2, {{kFirst, "01234"}}},
      {"single-file mode", true, kSingle, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(temp_.path() / "out");
    fs::create_directory(temp_.path() / "out");
    messages_.shown.clear();
    const auto path_of = [&](const std::string& name) {
      return c.single_file ? temp_ / name : Out(name);
    };
    testing::WriteFileBytes(path_of(c.planted), earlier);

    FaultScript script;
    script.removes_fail = true;
    testing::FaultyFileOperations files(script);
    EXPECT_FALSE(Convert(c.single_file, c.single_file ? temp_ / kSingle : temp_ / "out", &files));

    EXPECT_EQ(messages_.shown, std::vector<std::string>{WriteError(path_of(c.planted))});
    EXPECT_EQ(counts_.cut_lists, c.cut_lists);
    EXPECT_EQ(FileBytes(path_of(c.planted)), earlier);
    for (const StandFile& file : c.written) {
      EXPECT_EQ(LinesOf(FileBytes(path_of(file.name))),
                Pick(ReferenceLines(c.single_file, file.name), file.lines));
    }
    ExpectReportAndSettingsKept();
  }
}

TEST_F(ConverterFaultTest, AFaultFreeRunThroughTheStepsWritesWhatTheDiskDoes) {
  testing::FaultyFileOperations files{FaultScript{}};
  EXPECT_TRUE(Convert(false, temp_ / "out", &files));
  EXPECT_EQ(files.appends(), 10);
  EXPECT_TRUE(messages_.shown.empty());
  for (const char* name : {kFirst, kSecond}) {
    EXPECT_EQ(LinesOf(FileBytes(Out(name))), ReferenceLines(false, name)) << name;
  }
}

}  // namespace
}  // namespace canopex
