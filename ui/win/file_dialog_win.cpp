#include "ui/win/file_dialog_win.h"

#include <dlgs.h>

#include <algorithm>
#include <cstring>

namespace canopex {

FileDialog::FileDialog(bool open, const char* default_extension, const char* file_name,
                       DWORD flags, const char* filter, HWND parent)
    : open_(open), default_extension_(default_extension ? default_extension : "") {
  if (filter != nullptr && *filter != '\0') {
    filter_ = filter;
    std::replace(filter_.begin(), filter_.end(), '|', '\0');
  }
  if (file_name != nullptr) {
    std::strncpy(file_name_, file_name, MAX_PATH - 1);
  }

  record_.lStructSize = sizeof record_;
  record_.hwndOwner = parent;
  record_.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  record_.nFilterIndex = 1;
  record_.lpstrFile = file_name_;
  record_.nMaxFile = MAX_PATH;
  record_.lpstrDefExt = default_extension_.empty() ? nullptr : default_extension_.c_str();
  record_.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
  // A dialog with a template of its own is not resizable: the template is
  // laid out for the standard size.
  if ((flags & OFN_ENABLETEMPLATE) != 0) record_.Flags &= ~OFN_ENABLESIZING;
  record_.lpfnHook = HookProc;
  record_.lCustData = reinterpret_cast<LPARAM>(this);
}

INT_PTR FileDialog::DoModal() {
  const BOOL confirmed = open_ ? GetOpenFileNameA(&record_) : GetSaveFileNameA(&record_);
  return confirmed ? IDOK : IDCANCEL;
}

BOOL FileDialog::OnInitDialog(HWND) { return TRUE; }

UINT_PTR CALLBACK FileDialog::HookProc(HWND hwnd, UINT message, WPARAM, LPARAM lparam) {
  if (message != WM_INITDIALOG) return 0;
  const auto* record = reinterpret_cast<const OPENFILENAMEA*>(lparam);
  auto* dialog = reinterpret_cast<FileDialog*>(record->lCustData);
  return dialog->OnInitDialog(hwnd);
}

BOOL CDirDialog::OnInitDialog(HWND child) {
  FileDialog::OnInitDialog(child);
  // Posted, not sent: the standard dialog is still being set up while its
  // child initialises.
  HWND dialog = GetParent(child);
  for (const int control : {edt1, cmb13, cmb1, stc2, stc3}) {
    PostMessageA(dialog, CDM_HIDECONTROL, control, 0);
  }
  static const char kSelect[] = "Select";
  PostMessageA(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(kSelect));
  return TRUE;
}

}  // namespace canopex
