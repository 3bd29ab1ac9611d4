// The main dialog's decisions, driven through a recording platform: what the
// controls show, what Run converts and remembers, and what Browse and Clear
// change. Conversions are real, on reports in a temporary folder.
#include "ui/canopex_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "recording_platform.h"
#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "util/path_names.h"
#include "util/text.h"

namespace canopex {
namespace {

using testing::CutList;
using testing::RecordingPlatform;
using testing::TreeLine;

// A settings store in memory that logs every write into the platform's event
// log, so that tests see when each entry is written.
class LoggingStore final : public SettingsStore {
 public:
  LoggingStore(std::string text, std::vector<std::string>& events)
      : store_(std::move(text)), events_(events) {}
  std::string ReadSettingString(const std::string& section, const std::string& key,
                                const std::string& fallback) override {
    return store_.ReadSettingString(section, key, fallback);
  }
  std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                              std::int32_t fallback) override {
    return store_.ReadSettingInt(section, key, fallback);
  }
  bool WriteSettingString(const std::string& section, const std::string& key,
                          const std::string& value) override {
    events_.push_back("write " + section + "/" + key);
    return store_.WriteSettingString(section, key, value);
  }
  const std::string& text() const { return store_.text(); }

 private:
  MemorySettingsStore store_;
  std::vector<std::string>& events_;
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

std::ptrdiff_t IndexOf(const std::vector<std::string>& events, const std::string& event) {
  const auto found = std::find(events.begin(), events.end(), event);
  return found == events.end() ? -1 : found - events.begin();
}

class CanopexDlgTest : public ::testing::Test {
 protected:
  // Starts the dialog over `ini` as the program does.
  CanopexDlg& Start(const std::string& ini) {
    store_.emplace(ini, platform_.events);
    dialog_.emplace(*store_, platform_);
    dialog_->InitializeControls();
    return *dialog_;
  }
  std::string Setting(const std::string& section, const std::string& key) {
    return store_->ReadSettingString(section, key, "<missing>");
  }

  testing::TempFolder temp_;
  const std::string report_ = temp_ / "stand7.trl";
  const std::string out_ = temp_ / "out";
  RecordingPlatform platform_;
  std::optional<LoggingStore> store_;
  std::optional<CanopexDlg> dialog_;
};

TEST_F(CanopexDlgTest, StartShowsTheRememberedEntries) {
  struct Case {
    const char* setup;
    const char* min_diameter_shown;
    bool sub_folder_checked;
  };
  const Case cases[] = {
      {"", "1", false},
      {"MinDiam=0\n", "1", false},  // a saved 0 comes back as 1
      {"MinDiam=0.0\n", "0.0", false},
      {"MinDiam=00\n", "00", false},
      {"MinDiam=\n", "", false},
      {"MinDiam= 2.5 \nCompress=0\n", "2.5", false},  // Compress starts on regardless
      {"CreateDir=1\nOutputDir=D\nInputFile=I\n", "1", true},
      {"CreateDir=1\nOutputFile=F\nInputFile=I\n", "1", false},  // unchecked beside a file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup);
    platform_ = RecordingPlatform();
    Start(Ini(c.setup));
    EXPECT_EQ(platform_.texts[Control::MinDiameter], c.min_diameter_shown);
    EXPECT_TRUE(platform_.checked[Control::Compress]);
    EXPECT_EQ(platform_.checked[Control::CreateSubFolder], c.sub_folder_checked);
    EXPECT_FALSE(platform_.shown.at(Control::CreateSubFolder));
  }
  EXPECT_EQ(platform_.texts[Control::InputFile], "I");
  EXPECT_EQ(platform_.texts[Control::OutputFolder], "");
  EXPECT_EQ(platform_.texts[Control::OutputFile], "F");
}

TEST_F(CanopexDlgTest, RunNeedsTheInputAndExactlyOneTarget) {
  struct Case {
    const char* setup;
    bool sub_folder_enabled;
    bool run_enabled;
    bool unchecks;
  };
  const Case cases[] = {
      {"", false, false, false},
      {"OutputDir=D\nOutputFile=F\n", false, false, false},
      {"InputFile=I\n", false, false, false},
      {"InputFile=I\nOutputDir=D\n", true, true, false},
      {"InputFile=I\nOutputFile=F\n", false, true, true},
      {"InputFile=I\nOutputDir=D\nOutputFile=F\n", true, false, true},
  };
  for (const Case& c : cases) {
    for (const bool checked : {false, true}) {
      SCOPED_TRACE(std::string(c.setup) + (checked ? " checked" : ""));
      platform_ = RecordingPlatform();
      Start(Ini(std::string(c.setup) + "CreateDir=" + (checked ? "1" : "0") + "\n"));
      EXPECT_EQ(platform_.enabled.at(Control::CreateSubFolder), c.sub_folder_enabled);
      EXPECT_EQ(platform_.enabled.at(Control::Run), c.run_enabled);
      EXPECT_EQ(platform_.checked[Control::CreateSubFolder], checked && !c.unchecks);
    }
  }
}

TEST_F(CanopexDlgTest, MinimumDiameterEntries) {
  struct Case {
    const char* typed;
    bool refused;
    int below_diameter;  // trees below the diameter the run used
    const char* saved;
  };
  const Case cases[] = {
      {" 2.5\t", false, 2, "2.5"}, {"", false, 0, ""},  {"5a", false, 3, "5a"},
      {"0", false, 0, "0"},        {".", false, 0, "."}, {"1", false, 0, "1"},
      {"-1", true, 0, nullptr},    {"abc", true, 0, nullptr}, {"+3", true, 0, nullptr},
  };
  testing::WriteFileBytes(report_, kReport);
  const std::string ini = Ini("InputFile=" + report_ + "\nOutputDir=" + out_ + "\n");
  std::filesystem::create_directory(out_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    platform_ = RecordingPlatform();
    Start(ini);
    platform_.texts[Control::MinDiameter] = c.typed;
    dialog_->OnRun();
    if (c.refused) {
      EXPECT_EQ(platform_.messages, std::vector<std::string>{"The minimum diameter entry is invalid"});
      EXPECT_EQ(store_->text(), ini);
      EXPECT_EQ(platform_.texts.count(Control::Results), 0u);
    } else {
      EXPECT_TRUE(platform_.messages.empty());
      EXPECT_EQ(platform_.texts[Control::Results], ResultsText(1, 5 - c.below_diameter, 1, c.below_diameter));
      EXPECT_EQ(Setting("Setup", "MinDiam"), c.saved);
    }
    // The field keeps the text as typed; the dialog holds it trimmed.
    EXPECT_EQ(platform_.texts[Control::MinDiameter], c.typed);
    EXPECT_EQ(dialog_->min_diameter_text(), std::string(TrimmedView(c.typed)));
  }
}

TEST_F(CanopexDlgTest, ZeroIsSavedAndComesBackAsOne) {
  testing::WriteFileBytes(report_, kReport);
  Start(Ini("InputFile=" + report_ + "\nOutputFile=" + (temp_ / "all.txt") + "\n"));
  platform_.texts[Control::MinDiameter] = "0";
  dialog_->OnRun();
  EXPECT_EQ(Setting("Setup", "MinDiam"), "0");

  const std::string saved = store_->text();
  Start(saved);
  EXPECT_EQ(platform_.texts[Control::MinDiameter], "1");
}

TEST_F(CanopexDlgTest, RunRemembersTheEntriesAndRestoresTheCursorFirst) {
  testing::WriteFileBytes(report_, kReport);
  std::filesystem::create_directory(out_);
  Start(Ini("InputFile=" + report_ + "\nOutputDir=" + out_ + "\nCompress=1\nCreateDir=0\n"));
  platform_.checked[Control::Compress] = false;
  platform_.texts[Control::MinDiameter] = "2";
  platform_.events.clear();
  dialog_->OnRun();

  EXPECT_EQ(Setting("Setup", "InputFile"), report_);
  EXPECT_EQ(Setting("Setup", "OutputDir"), out_);
  EXPECT_EQ(Setting("Setup", "OutputFile"), "");
  EXPECT_EQ(Setting("Setup", "MinDiam"), "2");
  EXPECT_EQ(Setting("Setup", "Compress"), "0");
  EXPECT_EQ(Setting("Setup", "CreateDir"), "0");
  EXPECT_EQ(Setting("Results", "TreesCount"), "4");
  EXPECT_TRUE(std::filesystem::exists(JoinPath(out_, "0042_1998.txt")));

  // Setup is written inside the wait; the converter's end writes Results
  // after the cursor is back.
  const auto& events = platform_.events;
  EXPECT_EQ(events.front(), "wait cursor on");
  EXPECT_LT(IndexOf(events, "write Setup/CreateDir"), IndexOf(events, "wait cursor off"));
  EXPECT_LT(IndexOf(events, "wait cursor off"), IndexOf(events, "write Results/ErrMessage"));
  EXPECT_EQ(platform_.wait_cursors, 0);
  // The window repaints after the cut list, inside the wait, and the input
  // queued during the run is dropped once all of it is done.
  EXPECT_GT(IndexOf(events, "paint"), IndexOf(events, "wait cursor on"));
  EXPECT_LT(IndexOf(events, "paint"), IndexOf(events, "write Setup/InputFile"));
  EXPECT_EQ(events.back(), "discard input");
}

TEST_F(CanopexDlgTest, TheFolderWinsWhenBothTargetsAreSet) {
  testing::WriteFileBytes(report_, kReport);
  std::filesystem::create_directory(out_);
  const std::string single = temp_ / "all.txt";
  Start(Ini("InputFile=" + report_ + "\nOutputDir=" + out_ + "\nOutputFile=" + single + "\n"));
  EXPECT_FALSE(platform_.enabled.at(Control::Run));
  dialog_->OnRun();
  EXPECT_TRUE(std::filesystem::exists(JoinPath(out_, "0042_1998.txt")));
  EXPECT_FALSE(std::filesystem::exists(single));
  EXPECT_EQ(Setting("Setup", "OutputFile"), single);
}

TEST_F(CanopexDlgTest, SubFolderIsCreatedOnceAndReused) {
  testing::WriteFileBytes(report_, kReport);
  // The output folder and two folders above it are missing.
  const std::string folder = JoinPath(JoinPath(out_, "a"), "b");
  Start(Ini("InputFile=" + report_ + "\nOutputDir=" + folder + "\nCreateDir=1\n"));
  for (int run = 0; run < 2; ++run) {
    dialog_->OnRun();
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(
        JoinPath(JoinPath(folder, "stand7.trl"), "0042_1998.txt")));
    EXPECT_EQ(platform_.texts[Control::Results], ResultsText(1, 5, 1, 0));
  }
  // The chosen folder is remembered, not the sub-folder.
  EXPECT_EQ(Setting("Setup", "OutputDir"), folder);
  EXPECT_EQ(Setting("Setup", "CreateDir"), "1");
}

TEST_F(CanopexDlgTest, SubFolderThatCannotBeCreatedStopsTheRun) {
  testing::WriteFileBytes(report_, kReport);
  const std::string blocker = temp_ / "blocker";
  testing::WriteFileBytes(blocker, "a file where the output folder should be");
  const std::string ini = Ini("InputFile=" + report_ + "\nOutputDir=" + blocker + "\nCreateDir=1\n");
  Start(ini);
  platform_.checked[Control::Compress] = false;
  dialog_->OnRun();
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>{"Failed to create directory:\n\n" + JoinPath(blocker, "stand7.trl")});
  EXPECT_EQ(store_->text(), ini);
  EXPECT_EQ(platform_.texts.count(Control::Results), 0u);
  // The flags read from the controls stay in the dialog.
  EXPECT_FALSE(dialog_->compress());
  EXPECT_TRUE(dialog_->create_sub_folder());
  EXPECT_EQ(platform_.wait_cursors, 0);
}

TEST_F(CanopexDlgTest, ErrorFieldKeepsTheLastFailure) {
  const std::string single = temp_ / "all.txt";
  Start(Ini("InputFile=" + report_ + "\nOutputFile=" + single + "\n"));
  dialog_->OnRun();  // the report does not exist yet
  const std::string error = "Cannot open the file: \n" + report_;
  EXPECT_EQ(platform_.messages, std::vector<std::string>{error});
  EXPECT_EQ(platform_.texts[Control::ErrorMessages], "Error Messages:\n\t" + error);
  EXPECT_EQ(platform_.texts[Control::Results], ResultsText(0, 0, 0, 0));
  // A failed run is remembered all the same.
  EXPECT_EQ(Setting("Setup", "InputFile"), report_);
  EXPECT_EQ(Setting("Results", "ErrMessage"), "Cannot open the file:  " + report_);

  testing::WriteFileBytes(report_, kReport);
  dialog_->OnRun();
  EXPECT_EQ(platform_.texts[Control::Results], ResultsText(1, 5, 1, 0));
  EXPECT_EQ(platform_.texts[Control::ErrorMessages], "Error Messages:\n\t" + error);
  EXPECT_EQ(Setting("Results", "ErrMessage"), "");
}

TEST_F(CanopexDlgTest, ChoosersGetTheirParameters) {
  Start(Ini("InputFile=C:\\Data\\in.trl\nOutputFile=C:\\Data\\all.txt\nOutputDir=D:\\Out\n"));
  dialog_->OnBrowseInput();
  dialog_->OnBrowseOutputFile();
  dialog_->OnBrowseOutputFolder();
  ASSERT_EQ(platform_.requests.size(), 3u);

  struct Expected {
    ChooserKind kind;
    const char* extension;
    const char* file_name;
    std::uint32_t flags;
    const char* filter;
    const char* title;
    const char* directory;
    int extra_template;
  };
  const Expected expected[] = {
      {ChooserKind::OpenFile, "trl", "C:\\Data\\in.trl", 0x806,
       "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*.*||", "Select Sylvax Input File",
       "C:\\Data\\in.trl", 0},
      {ChooserKind::SaveFile, "txt", "C:\\Data\\all.txt", 0x6,
       "Stand Text File (*.txt)|*.txt|All Files (*.*)|*.*||", "", "C:\\Data\\all.txt", 0},
      {ChooserKind::Folder, "", "x", 0x866, "", "Select Folder", "D:\\Out", 129},
  };
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const ChooserRequest& r = platform_.requests[i];
    const Expected& e = expected[i];
    EXPECT_EQ(r.kind, e.kind);
    EXPECT_EQ(r.default_extension, e.extension);
    EXPECT_EQ(r.initial_file_name, e.file_name);
    EXPECT_EQ(r.flags, e.flags);
    EXPECT_EQ(r.filter, e.filter);
    EXPECT_EQ(r.title, e.title);
    EXPECT_EQ(r.initial_directory, e.directory);
    EXPECT_EQ(r.extra_template, e.extra_template);
  }
  // Each chooser opens in the current path; cancelling changed nothing.
  EXPECT_EQ(platform_.directory_changes,
            (std::vector<std::string>{"C:\\Data\\in.trl", "C:\\Data\\all.txt", "D:\\Out"}));
  EXPECT_EQ(dialog_->input_file_path(), "C:\\Data\\in.trl");
  EXPECT_EQ(dialog_->output_folder_path(), "D:\\Out");
}

TEST_F(CanopexDlgTest, BrowseAndClearChangeThePaths) {
  Start("");
  platform_.answers = {std::nullopt, "/data/in.trl", "/data/all.txt", "/out", std::nullopt};
  dialog_->OnBrowseInput();  // cancelled
  EXPECT_EQ(dialog_->input_file_path(), "");
  EXPECT_TRUE(platform_.directory_changes.empty());  // an empty path changes nothing

  dialog_->OnBrowseInput();
  EXPECT_EQ(platform_.texts[Control::InputFile], "/data/in.trl");
  EXPECT_FALSE(platform_.enabled.at(Control::Run));

  dialog_->OnBrowseOutputFile();
  EXPECT_EQ(platform_.texts[Control::OutputFile], "/data/all.txt");
  EXPECT_TRUE(platform_.enabled.at(Control::Run));

  dialog_->OnBrowseOutputFolder();
  EXPECT_EQ(platform_.texts[Control::OutputFolder], "/out");
  EXPECT_FALSE(platform_.enabled.at(Control::Run));  // two targets

  dialog_->OnBrowseOutputFolder();  // cancelled: the folder stays
  EXPECT_EQ(dialog_->output_folder_path(), "/out");

  dialog_->OnClearOutputFile();
  EXPECT_EQ(dialog_->output_file_path(), "");
  EXPECT_EQ(platform_.texts[Control::OutputFile], "");
  EXPECT_TRUE(platform_.enabled.at(Control::Run));

  dialog_->OnClearOutputFolder();
  EXPECT_EQ(platform_.texts[Control::OutputFolder], "");
  EXPECT_FALSE(platform_.enabled.at(Control::Run));
  EXPECT_EQ(dialog_->input_file_path(), "/data/in.trl");
  EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(CanopexDlgTest, EachButtonIdReachesItsHandler) {
  Start("");
  const std::string all = temp_ / "all.txt";
  platform_.answers = {report_, out_, all};

  EXPECT_TRUE(dialog_->OnButton(IDC_BROWSE_INPUT));
  EXPECT_EQ(dialog_->input_file_path(), report_);
  EXPECT_TRUE(dialog_->OnButton(IDC_BROWSE_OUTPUT_FOLDER));
  EXPECT_EQ(dialog_->output_folder_path(), out_);
  EXPECT_TRUE(dialog_->OnButton(IDC_BROWSE_OUTPUT_FILE));
  EXPECT_EQ(dialog_->output_file_path(), all);
  EXPECT_TRUE(dialog_->OnButton(IDC_CLEAR_OUTPUT_FILE));
  EXPECT_EQ(dialog_->output_file_path(), "");
  // The report does not exist: Run says so and shows the counts.
  EXPECT_TRUE(dialog_->OnButton(IDC_RUN));
  EXPECT_EQ(platform_.messages.size(), 1U);
  EXPECT_EQ(platform_.texts[Control::Results].rfind("Results:\n", 0), 0U);
  EXPECT_TRUE(dialog_->OnButton(IDC_CLEAR_OUTPUT_FOLDER));
  EXPECT_EQ(dialog_->output_folder_path(), "");

  // Enter (IDOK, 1), Exit (IDCANCEL, 2) and the fields are the window's
  // business.
  const std::size_t events = platform_.events.size();
  for (const int id : {1, 2, IDC_INPUT_FILE, IDC_COMPRESS, 0}) {
    EXPECT_FALSE(dialog_->OnButton(id)) << id;
  }
  EXPECT_EQ(platform_.events.size(), events);
  EXPECT_EQ(platform_.requests.size(), 3U);
}

}  // namespace
}  // namespace canopex
