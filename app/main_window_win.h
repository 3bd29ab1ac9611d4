// The main dialog's window on Win32: template 102, its message handling and
// the CanopexDlg logic behind it.
#pragma once

#include <string>

#include "settings/settings_store.h"
#include "ui/canopex_dlg.h"
#include "ui/win/modal_dialog_win.h"
#include "ui/win/win32_dialog_platform.h"

namespace canopex {

class MainWindow final : public ModalDialog {
 public:
  // Reads the remembered entries from `settings` at once. `step_label_font`
  // (may be null) and `settings` must outlive the window; `program_name`
  // titles its message boxes.
  MainWindow(HINSTANCE instance, SettingsStore& settings, HFONT step_label_font,
             std::string program_name);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void AddAboutToSystemMenu();
  void OnCommand(int id);
  bool PaintMinimized();

  Win32DialogPlatform platform_;
  CanopexDlg dialog_;
  HICON icon_;
  HFONT step_label_font_;
};

}  // namespace canopex
