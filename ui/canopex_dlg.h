// CanopexDlg: the main dialog's values and handlers, written once for every
// window system. It reaches its window only through a DialogPlatform, so the
// same code runs in the Win32 and the wx program and under tests.
//
// The dialog holds the three paths, the minimum diameter text and the two
// flags. The paths change only through Browse and Clear (their fields are
// read-only); the minimum diameter text and the flags are read back from
// their controls by Run.
#pragma once

#include <string>

#include "settings/settings_store.h"
#include "ui/dialog_platform.h"

namespace canopex {

// The three choosers of the dialog, as the handlers build them.
ChooserRequest InputFileChooser(const std::string& current_path);
ChooserRequest OutputFileChooser(const std::string& current_path);
ChooserRequest OutputFolderChooser(const std::string& current_folder);

class CanopexDlg {
 public:
  // Reads the remembered entries from the Setup section. Both references
  // must outlive the dialog; the platform is not used before
  // InitializeControls.
  CanopexDlg(SettingsStore& settings, DialogPlatform& platform);

  CanopexDlg(const CanopexDlg&) = delete;
  CanopexDlg& operator=(const CanopexDlg&) = delete;

  // Puts the values into the controls, hides the sub-folder check box and
  // applies UpdateControlStates; called once the window's controls exist.
  void InitializeControls();

  // Run: checks the minimum diameter, prepares the output folder, converts
  // the report, shows the counts and remembers the entries.
  void OnRun();

  // Runs the handler of the dialog's button `id` (a Browse, a Clear or Run).
  // False for any other id, which the window handles itself (Exit).
  bool OnButton(int id);

  void OnBrowseInput();
  void OnBrowseOutputFile();
  void OnBrowseOutputFolder();
  void OnClearOutputFile();
  void OnClearOutputFolder();

  // Enables Run only when the input file and exactly one output target are
  // set; the sub-folder option only with an input file and a folder, and
  // unchecks it when the single output file is set beside the input.
  void UpdateControlStates();

  const std::string& input_file_path() const { return input_file_path_; }
  const std::string& output_folder_path() const { return output_folder_path_; }
  const std::string& output_file_path() const { return output_file_path_; }
  const std::string& min_diameter_text() const { return min_diameter_text_; }
  bool compress() const { return compress_; }
  bool create_sub_folder() const { return create_sub_folder_; }

 private:
  // Runs a file chooser and, when the user confirms, stores the result in
  // `path` and shows it in `control`.
  void BrowseFile(const ChooserRequest& request, std::string& path, Control control);
  void SetPath(std::string& path, Control control, std::string value);
  void RememberEntries();

  SettingsStore& settings_;
  DialogPlatform& platform_;

  std::string input_file_path_;
  std::string output_folder_path_;
  std::string output_file_path_;
  std::string min_diameter_text_;
  bool compress_ = true;
  bool create_sub_folder_ = false;
};

}  // namespace canopex
