#include "ui/win/about_dlg_win.h"

#include <string>

#include "resources/resource.h"
#include "ui/about_text.h"
#include "ui/win/computer_name_win.h"
#include "ui/win/file_version_info_win.h"

namespace canopex {

CAboutDlg::CAboutDlg(HINSTANCE instance) : ModalDialog(instance, IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(instance(), buffer, MAX_PATH);
  const VersionDetails details = ReadVersionDetails(buffer);
  const std::string computer_name = GetComputerNameText();
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  const std::string windows_folder = length < MAX_PATH ? buffer : "";
  SetDlgItemTextA(hwnd(), IDC_ABOUT_TEXT, AboutText(details, computer_name, windows_folder).c_str());
  // The OK button is the default; no focus is asked for.
  return FALSE;
}

INT_PTR CAboutDlg::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    Close(LOWORD(wparam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace canopex
