// The main dialog's decisions, driven through a platform without a window:
// what the controls show at start, what Run converts and remembers, and
// what the buttons change. Conversions are real, on a report in a temporary
// folder.
#include "ui/canopex_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <utility>

#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "util/path_names.h"

namespace canopex {
namespace {

using testing::CutList;
using testing::TreeLine;

// Keeps each control's state, answers the next chooser with `answer` and
// records messages and changes of the current folder.
class RecordingPlatform final : public DialogPlatform {
 public:
  void SetControlText(Control c, const std::string& text) override { texts[c] = text; }
  std::string ControlText(Control c) override { return texts[c]; }
  void EnableControl(Control c, bool on) override { enabled[c] = on; }
  void SetChecked(Control c, bool on) override { checked[c] = on; }
  bool IsChecked(Control c) override { return checked[c]; }
  void ShowControl(Control c, bool on) override { shown[c] = on; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {
    if (on_wait_cursor_off) on_wait_cursor_off();
  }
  void PaintDuringRun() override {}
  void DiscardQueuedInput() override {}
  std::optional<std::string> Choose(const ChooserRequest&) override {
    return std::exchange(answer, std::nullopt);
  }
  void ChangeCurrentDirectory(const std::string& path) override {
    directory_changes.push_back(path);
  }

  std::map<Control, std::string> texts;
  std::map<Control, bool> enabled, checked, shown;
  std::vector<std::string> messages, directory_changes;
  std::function<void()> on_wait_cursor_off;
  std::optional<std::string> answer;  // nothing: the user cancels
};

// Diameters 1.0, 2.4, 2.6, 5.5 and 6.0, and one tree with a zero TPA.
const std::string kReport = CutList("0042", "1998",
                                    {TreeLine(1, "DF", "10.0", "1.0", "10.0"),
                                     TreeLine(2, "DF", "10.0", "2.4", "20.0"),
                                     TreeLine(3, "WH", "10.0", "2.6", "25.0"),
                                     TreeLine(4, "WH", "10.0", "5.5", "40.0"),
                                     TreeLine(5, "DF", "10.0", "6.0", "45.0"),
                                     TreeLine(6, "DF", "0.0", "9.0", "50.0")});

std::string ResultsText(int cut_lists, int trees, int tpa_zero, int below_diameter) {
  return "Results:\n\tCut list count:\t" + std::to_string(cut_lists) +
         "\t\tTrees ignored -- TPA zero:\t\t" + std::to_string(tpa_zero) +
         "\n\tTrees count:\t" + std::to_string(trees) +
         "\t\tTrees ignored -- diameter too small:\t" + std::to_string(below_diameter) + "\n";
}

std::string Ini(const std::string& setup_lines) { return "[Setup]\n" + setup_lines; }

class CanopexDlgTest : public ::testing::Test {
 protected:
  // Starts the dialog over `ini` as the program does, on a fresh platform.
  void Start(std::string ini) {
    platform_ = RecordingPlatform();
    store_.emplace(std::move(ini));
    dialog_.emplace(*store_, platform_);
    dialog_->InitializeControls();
  }
  std::string Setting(const std::string& key) {
    return store_->ReadSettingString("Setup", key, "<missing>");
  }

  testing::TempFolder temp_;
  const std::string report_ = temp_ / "stand7.trl";
  const std::string out_ = temp_ / "out";
  RecordingPlatform platform_;
  std::optional<MemorySettingsStore> store_;
  std::optional<CanopexDlg> dialog_;
};

// Run needs the input and exactly one target; the hidden sub-folder option
// is enabled with the input and a folder, and unchecked beside a single file.
TEST_F(CanopexDlgTest, StartShowsTheRememberedEntriesAndEnablesByThem) {
  const struct {
    const char* setup;
    const char* min_diameter_shown;
    bool sub_folder_checked, sub_folder_enabled, run_enabled;
  } cases[] = {
      {"", "1", false, false, false},
      // A saved 0 comes back as 1; Compress starts on whatever was saved.
      {"MinDiam=0\nCompress=0\n", "1", false, false, false},
      {"MinDiam=0.0\nOutputDir=D\n", "0.0", false, false, false},
      {"CreateDir=1\nOutputDir=D\nOutputFile=F\n", "1", true, false, false},
      {"CreateDir=1\nInputFile=I\n", "1", true, false, false},
      {"InputFile=I\nOutputDir=D\n", "1", false, true, true},
      {"CreateDir=1\nInputFile=I\nOutputDir=D\n", "1", true, true, true},
      {"CreateDir=1\nInputFile=I\nOutputFile=F\n", "1", false, false, true},
      {"CreateDir=1\nInputFile=I\nOutputDir=D\nOutputFile=F\n", "1", false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setup);
    Start(Ini(c.setup));
    EXPECT_EQ(platform_.texts[Control::MinDiameter], c.min_diameter_shown);
    EXPECT_TRUE(platform_.checked[Control::Compress]);
    EXPECT_EQ(platform_.checked[Control::CreateSubFolder], c.sub_folder_checked);
    EXPECT_EQ(platform_.enabled.at(Control::CreateSubFolder), c.sub_folder_enabled);
    EXPECT_EQ(platform_.enabled.at(Control::Run), c.run_enabled);
    EXPECT_FALSE(platform_.shown.at(Control::CreateSubFolder));
  }
  EXPECT_EQ(platform_.texts[Control::InputFile], "I");
  EXPECT_EQ(platform_.texts[Control::OutputFolder], "D");
  EXPECT_EQ(platform_.texts[Control::OutputFile], "F");
}

// With both targets chosen (Run is disabled then) the folder wins; all three
// paths and the entries as read from the controls (the diameter trimmed,
// while its field keeps it as typed) are saved, Setup inside the wait and
// Results once the cursor is back.
TEST_F(CanopexDlgTest, RunRemembersTheEntries) {
  testing::WriteFileBytes(report_, kReport);
  std::filesystem::create_directory(out_);
  const std::string single = temp_ / "all.txt";
  Start("");
  for (const auto& [id, path] : {std::pair{IDC_BROWSE_INPUT, report_},
                                 {IDC_BROWSE_OUTPUT_FOLDER, out_}, {IDC_BROWSE_OUTPUT_FILE, single}}) {
    platform_.answer = path;
    dialog_->OnButton(id);
  }
  platform_.checked[Control::Compress] = false;
  platform_.texts[Control::MinDiameter] = " 2.5\t";
  std::string at_cursor_off;
  platform_.on_wait_cursor_off = [&] { at_cursor_off = store_->text(); };
  dialog_->OnRun();

  EXPECT_TRUE(std::filesystem::exists(JoinPath(out_, "0042_1998.txt")));
  EXPECT_FALSE(std::filesystem::exists(single));
  EXPECT_EQ(platform_.texts[Control::Results], ResultsText(1, 3, 1, 2));
  EXPECT_EQ(platform_.texts[Control::MinDiameter], " 2.5\t");
  const std::pair<const char*, std::string> saved[] = {
      {"InputFile", report_}, {"OutputDir", out_}, {"OutputFile", single},
      {"MinDiam", "2.5"},     {"Compress", "0"},   {"CreateDir", "0"}};
  for (const auto& [key, value] : saved) EXPECT_EQ(Setting(key), value) << key;
  EXPECT_NE(at_cursor_off.find("CreateDir=0"), std::string::npos) << at_cursor_off;
  EXPECT_EQ(at_cursor_off.find("[Results]"), std::string::npos) << at_cursor_off;
}

// Run says why it cannot go on and stops, with nothing converted, shown or
// saved: for a diameter entry that is no number, and for a sub-folder that
// cannot be made (a file stands in the chosen folder's place).
TEST_F(CanopexDlgTest, RunStopsOnAnInvalidEntryOrASubFolderItCannotMake) {
  testing::WriteFileBytes(report_, kReport);
  testing::WriteFileBytes(out_, "a file where the output folder should be");
  const struct {
    const char* setup;
    const char* typed;
    std::string message;
  } cases[] = {
      {"", "-1", "The minimum diameter entry is invalid"},
      {"CreateDir=1\n", "1", "Failed to create directory:\n\n" + JoinPath(out_, "stand7.trl")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string ini = Ini("InputFile=" + report_ + "\nOutputDir=" + out_ + "\n" + c.setup);
    Start(ini);
    platform_.texts[Control::MinDiameter] = c.typed;
    dialog_->OnRun();
    EXPECT_EQ(platform_.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(store_->text(), ini);
    EXPECT_EQ(platform_.texts.count(Control::Results), 0u);
  }
}

// The sub-folder named after the report is made in the chosen folder (and
// the folders missing above it) once and then reused; the chosen folder is
// remembered, not the sub-folder. An empty diameter entry is no check.
TEST_F(CanopexDlgTest, SubFolderIsCreatedOnceAndReused) {
  testing::WriteFileBytes(report_, kReport);
  const std::string folder = JoinPath(JoinPath(out_, "a"), "b");
  Start(Ini("InputFile=" + report_ + "\nOutputDir=" + folder + "\nCreateDir=1\n"));
  platform_.texts[Control::MinDiameter] = "";
  for (int run = 0; run < 2; ++run) {
    dialog_->OnRun();
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(
        JoinPath(JoinPath(folder, "stand7.trl"), "0042_1998.txt")));
  }
  EXPECT_EQ(Setting("OutputDir"), folder);
  EXPECT_EQ(Setting("CreateDir"), "1");
  EXPECT_EQ(Setting("MinDiam"), "");
}

// A failed run shows its message in a box and in the error field, and is
// remembered all the same; the field keeps it through a run that succeeds.
TEST_F(CanopexDlgTest, ErrorFieldKeepsTheLastFailure) {
  Start(Ini("InputFile=" + report_ + "\nOutputFile=" + (temp_ / "all.txt") + "\n"));
  dialog_->OnRun();  // the report does not exist yet
  const std::string error = "Cannot open the file: \n" + report_;
  EXPECT_EQ(platform_.messages, std::vector<std::string>{error});
  EXPECT_EQ(platform_.texts[Control::ErrorMessages], "Error Messages:\n\t" + error);
  EXPECT_EQ(platform_.texts[Control::Results], ResultsText(0, 0, 0, 0));
  EXPECT_EQ(Setting("Compress"), "1");

  testing::WriteFileBytes(report_, kReport);
  dialog_->OnRun();
  EXPECT_EQ(platform_.texts[Control::Results], ResultsText(1, 5, 1, 0));
  EXPECT_EQ(platform_.texts[Control::ErrorMessages], "Error Messages:\n\t" + error);
}

// Each Browse opens its chooser in the current path (when there is one) and
// takes a confirmed path; Clear empties its path; both apply the enable rule.
TEST_F(CanopexDlgTest, BrowseAndClearButtons) {
  Start("");
  const struct {
    int id;
    std::optional<std::string> answer;  // nothing: cancelled
    Control field;
    const char* shown;
    bool run_enabled;
  } steps[] = {
      {IDC_BROWSE_INPUT, std::nullopt, Control::InputFile, "", false},
      {IDC_BROWSE_INPUT, "/data/in.trl", Control::InputFile, "/data/in.trl", false},
      {IDC_BROWSE_OUTPUT_FILE, "/data/all.txt", Control::OutputFile, "/data/all.txt", true},
      {IDC_BROWSE_OUTPUT_FOLDER, "/out", Control::OutputFolder, "/out", false},
      {IDC_BROWSE_OUTPUT_FOLDER, std::nullopt, Control::OutputFolder, "/out", false},
      {IDC_CLEAR_OUTPUT_FILE, std::nullopt, Control::OutputFile, "", true},
      {IDC_CLEAR_OUTPUT_FOLDER, std::nullopt, Control::OutputFolder, "", false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.id);
    platform_.answer = step.answer;
    EXPECT_TRUE(dialog_->OnButton(step.id));
    EXPECT_EQ(platform_.texts[step.field], step.shown);
    EXPECT_EQ(platform_.enabled.at(Control::Run), step.run_enabled);
  }
  EXPECT_EQ(platform_.directory_changes, std::vector<std::string>{"/out"});
  // Enter (IDOK, 1), Exit (IDCANCEL, 2) and the fields are the window's.
  for (const int id : {1, 2, IDC_INPUT_FILE, IDC_COMPRESS, 0}) {
    EXPECT_FALSE(dialog_->OnButton(id)) << id;
  }
}

}  // namespace
}  // namespace canopex
