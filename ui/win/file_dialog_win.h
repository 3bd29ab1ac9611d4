// The common file dialogs through a small class of our own: FileDialog over
// GetOpenFileNameA / GetSaveFileNameA, and CDirDialog, a file dialog that
// chooses a folder.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace canopex {

class FileDialog {
 public:
  // `filter` lists entries separated by "|" and ends in "||" (null or empty:
  // no filter). The dialog always gets OFN_EXPLORER and OFN_ENABLEHOOK, and
  // is resizable unless it carries a template of its own. `file_name` is cut
  // to the 259 characters that fit the dialog's buffer.
  FileDialog(bool open, const char* default_extension, const char* file_name, DWORD flags,
             const char* filter, HWND parent);
  virtual ~FileDialog() = default;
  FileDialog(const FileDialog&) = delete;
  FileDialog& operator=(const FileDialog&) = delete;

  // The dialog's record, to adjust before DoModal (instance, template,
  // title, initial folder). Text pointers must outlive DoModal.
  OPENFILENAMEA& record() { return record_; }
  // The dialog's file name buffer (MAX_PATH characters).
  char* file_name_buffer() { return file_name_; }

  // IDOK when the user confirmed, IDCANCEL otherwise (also when the dialog
  // failed to open).
  INT_PTR DoModal();
  // The full path the user confirmed.
  std::string GetPathName() const { return file_name_; }

 protected:
  // WM_INITDIALOG of the dialog's child window (the template's, or an empty
  // one the system makes); the standard dialog is its parent.
  virtual BOOL OnInitDialog(HWND child);

 private:
  static UINT_PTR CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  bool open_;
  std::string default_extension_;
  std::string filter_;  // "|" turned into NULs
  char file_name_[MAX_PATH] = {};
  OPENFILENAMEA record_ = {};
};

// A file dialog that picks a folder: it hides the file name and type
// controls and captions its OK button "Select". Its result is the chosen
// folder joined with the hidden file name.
class CDirDialog : public FileDialog {
 public:
  using FileDialog::FileDialog;

 protected:
  BOOL OnInitDialog(HWND child) override;
};

}  // namespace canopex
