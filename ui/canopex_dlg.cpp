#include "ui/canopex_dlg.h"

#include <chrono>
#include <cstdio>
#include <optional>

#include "conversion/message_sink.h"
#include "conversion/minimum_diameter.h"
#include "conversion/progress_listener.h"
#include "conversion/progress_text.h"
#include "conversion/tree_list_converter.h"
#include "settings/setting_keys.h"
#include "util/directory_chain.h"
#include "util/file_system.h"
#include "util/path_names.h"
#include "util/text.h"

namespace canopex {
namespace {

constexpr char kInputFilter[] = "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*.*||";
constexpr char kOutputFilter[] = "Stand Text File (*.txt)|*.txt|All Files (*.*)|*.*||";

// The converter's messages become the platform's message boxes.
class PlatformMessages final : public MessageSink {
 public:
  explicit PlatformMessages(DialogPlatform& platform) : platform_(platform) {}
  void ShowMessage(const std::string& text) override { platform_.ShowMessage(text); }

 private:
  DialogPlatform& platform_;
};

std::string RunningText(const RunProgress& progress) {
  return "Results:\n\tRunning: " + ProgressText(progress);
}

// Shows the run's progress in the results field and lets the window repaint:
// at the first news of the run, then at most every kRepaintInterval, as
// painting after each of thousands of small cut lists would cost more than
// the conversion.
class RunPainter final : public ProgressListener {
 public:
  explicit RunPainter(DialogPlatform& platform) : platform_(platform) {}
  void Advanced(const RunProgress& progress) override {
    const auto now = std::chrono::steady_clock::now();
    if (painted_ && now - last_paint_ < kRepaintInterval) return;
    platform_.SetControlText(Control::Results, RunningText(progress));
    platform_.PaintDuringRun();
    painted_ = true;
    last_paint_ = now;
  }

 private:
  static constexpr std::chrono::milliseconds kRepaintInterval{40};
  DialogPlatform& platform_;
  bool painted_ = false;
  std::chrono::steady_clock::time_point last_paint_;
};

// Drops the input queued during a run once everything else of it is done.
class InputDiscarder {
 public:
  explicit InputDiscarder(DialogPlatform& platform) : platform_(platform) {}
  ~InputDiscarder() { platform_.DiscardQueuedInput(); }
  InputDiscarder(const InputDiscarder&) = delete;
  InputDiscarder& operator=(const InputDiscarder&) = delete;

 private:
  DialogPlatform& platform_;
};

std::string ResultsText(const RunCounts& counts) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Results:\n\tCut list count:\t%ld\t\tTrees ignored -- TPA zero:\t\t%ld\n"
                "\tTrees count:\t%ld\t\tTrees ignored -- diameter too small:\t%ld\n",
                static_cast<long>(counts.cut_lists), static_cast<long>(counts.tpa_zero),
                static_cast<long>(counts.trees), static_cast<long>(counts.below_diameter));
  return text;
}

}  // namespace

ChooserRequest InputFileChooser(const std::string& current_path) {
  ChooserRequest request;
  request.kind = ChooserKind::OpenFile;
  request.default_extension = "trl";
  request.initial_file_name = current_path;
  request.flags = chooser_flags::kOverwritePrompt | chooser_flags::kHideReadOnly |
                  chooser_flags::kPathMustExist;
  request.filter = kInputFilter;
  request.title = "Select Sylvax Input File";
  request.initial_directory = current_path;
  return request;
}

ChooserRequest OutputFileChooser(const std::string& current_path) {
  ChooserRequest request;
  request.kind = ChooserKind::SaveFile;
  request.default_extension = "txt";
  request.initial_file_name = current_path;
  request.flags = chooser_flags::kOverwritePrompt | chooser_flags::kHideReadOnly;
  request.filter = kOutputFilter;
  request.initial_directory = current_path;
  return request;
}

ChooserRequest OutputFolderChooser(const std::string& current_folder) {
  ChooserRequest request;
  request.kind = ChooserKind::Folder;
  request.initial_file_name = "x";
  request.flags = chooser_flags::kOverwritePrompt | chooser_flags::kHideReadOnly |
                  chooser_flags::kEnableHook | chooser_flags::kEnableTemplate |
                  chooser_flags::kPathMustExist;
  request.title = "Select Folder";
  request.initial_directory = current_folder;
  request.extra_template = IDD_SELECT_FOLDER;
  return request;
}

CanopexDlg::CanopexDlg(SettingsStore& settings, DialogPlatform& platform)
    : settings_(settings), platform_(platform) {
  input_file_path_ = ReadSetting(settings_, settings::kInputFile);
  output_folder_path_ = ReadSetting(settings_, settings::kOutputDir);
  output_file_path_ = ReadSetting(settings_, settings::kOutputFile);
  min_diameter_text_ = ReadSetting(settings_, settings::kMinDiam);
  create_sub_folder_ = ReadSetting(settings_, settings::kCreateDir) != 0;
  // A saved 0 (no diameter check) comes back as the usual 1 at the next
  // start; "0.0" or "00" stay as they are.
  if (min_diameter_text_ == "0") min_diameter_text_ = "1";
  // Compress starts checked at every start, whatever the last run saved.
  compress_ = true;
}

void CanopexDlg::InitializeControls() {
  platform_.SetControlText(Control::InputFile, input_file_path_);
  platform_.SetControlText(Control::OutputFolder, output_folder_path_);
  platform_.SetControlText(Control::OutputFile, output_file_path_);
  platform_.SetControlText(Control::MinDiameter, min_diameter_text_);
  platform_.SetChecked(Control::Compress, compress_);
  platform_.SetChecked(Control::CreateSubFolder, create_sub_folder_);
  // The sub-folder option is set only by hand in the settings file.
  platform_.ShowControl(Control::CreateSubFolder, false);
  UpdateControlStates();
}

void CanopexDlg::OnRun() {
  // The converter is declared before the cursor so that the cursor is
  // restored before the converter's end writes the settings file; its
  // message sink and painter outlive it, and the queued input is dropped
  // last.
  InputDiscarder input_discarder(platform_);
  PlatformMessages messages(platform_);
  RunPainter painter(platform_);
  std::optional<TreeListConverter> converter;
  WaitCursor wait_cursor(platform_);

  min_diameter_text_ = platform_.ControlText(Control::MinDiameter);
  Trim(min_diameter_text_);
  const std::optional<double> minimum_diameter = ReadMinimumDiameter(min_diameter_text_);
  if (!minimum_diameter) {
    platform_.ShowMessage(kInvalidMinimumDiameterMessage);
    return;
  }

  compress_ = platform_.IsChecked(Control::Compress);
  create_sub_folder_ = platform_.IsChecked(Control::CreateSubFolder);

  bool single_file = false;
  std::string output_path;
  if (!output_file_path_.empty()) {
    single_file = true;
    output_path = output_file_path_;
  }
  if (!output_folder_path_.empty()) {
    single_file = false;
    output_path = output_folder_path_;
  }

  if (!single_file && create_sub_folder_) {
    output_path = JoinPath(output_path, FileNameOf(input_file_path_));
    if (!PathExists(output_path) && !CreateDirectoryChain(output_path)) {
      platform_.ShowMessage("Failed to create directory:\n\n" + output_path);
      return;
    }
  }

  converter.emplace(settings_, messages, input_file_path_, single_file, output_path, true,
                    compress_);
  converter->SetMinimumDiameter(*minimum_diameter);
  converter->ReportProgressTo(painter);
  const bool succeeded = converter->Convert();

  const RunCounts& counts = converter->counts();
  platform_.SetControlText(Control::Results, ResultsText(counts));
  if (!succeeded) {
    platform_.SetControlText(Control::ErrorMessages, "Error Messages:\n\t" + counts.error);
  }
  RememberEntries();
}

void CanopexDlg::RememberEntries() {
  WriteSetting(settings_, settings::kInputFile, input_file_path_);
  WriteSetting(settings_, settings::kOutputDir, output_folder_path_);
  WriteSetting(settings_, settings::kOutputFile, output_file_path_);
  WriteSetting(settings_, settings::kMinDiam, min_diameter_text_);
  WriteSetting(settings_, settings::kCompress, compress_ ? 1 : 0);
  WriteSetting(settings_, settings::kCreateDir, create_sub_folder_ ? 1 : 0);
}

void CanopexDlg::SetPath(std::string& path, Control control, std::string value) {
  path = std::move(value);
  platform_.SetControlText(control, path);
}

bool CanopexDlg::OnButton(int id) {
  switch (id) {
    case IDC_BROWSE_INPUT: OnBrowseInput(); return true;
    case IDC_BROWSE_OUTPUT_FOLDER: OnBrowseOutputFolder(); return true;
    case IDC_BROWSE_OUTPUT_FILE: OnBrowseOutputFile(); return true;
    case IDC_CLEAR_OUTPUT_FOLDER: OnClearOutputFolder(); return true;
    case IDC_CLEAR_OUTPUT_FILE: OnClearOutputFile(); return true;
    case IDC_RUN: OnRun(); return true;
    default: return false;
  }
}

void CanopexDlg::BrowseFile(const ChooserRequest& request, std::string& path, Control control) {
  // The chooser opens in the folder of the current path when it names one;
  // it normally names a file, and then the change fails harmlessly.
  if (!request.initial_directory.empty()) {
    platform_.ChangeCurrentDirectory(request.initial_directory);
  }
  if (std::optional<std::string> chosen = platform_.Choose(request)) {
    SetPath(path, control, std::move(*chosen));
  }
  UpdateControlStates();
}

void CanopexDlg::OnBrowseInput() {
  BrowseFile(InputFileChooser(input_file_path_), input_file_path_, Control::InputFile);
}

void CanopexDlg::OnBrowseOutputFile() {
  BrowseFile(OutputFileChooser(output_file_path_), output_file_path_, Control::OutputFile);
}

void CanopexDlg::OnBrowseOutputFolder() {
  BrowseFile(OutputFolderChooser(output_folder_path_), output_folder_path_,
             Control::OutputFolder);
}

void CanopexDlg::OnClearOutputFile() {
  SetPath(output_file_path_, Control::OutputFile, {});
  UpdateControlStates();
}

void CanopexDlg::OnClearOutputFolder() {
  SetPath(output_folder_path_, Control::OutputFolder, {});
  UpdateControlStates();
}

void CanopexDlg::UpdateControlStates() {
  const bool has_input = !input_file_path_.empty();
  const bool has_folder = !output_folder_path_.empty();
  const bool has_file = !output_file_path_.empty();
  if (has_input && has_file) platform_.SetChecked(Control::CreateSubFolder, false);
  platform_.EnableControl(Control::CreateSubFolder, has_input && has_folder);
  platform_.EnableControl(Control::Run, has_input && (has_folder != has_file));
}

}  // namespace canopex
