// The main dialog's window on wx: template 102 built in code, its events,
// the About entry of its context menu and the CanopexDlg logic behind it.
#pragma once

#include <wx/dialog.h>
#include <wx/icon.h>
#include <wx/menu.h>

#include <memory>

#include <string>

#include "settings/settings_store.h"
#include "ui/canopex_dlg.h"
#include "ui/wx/dialog_builder_wx.h"
#include "ui/wx/wx_dialog_platform.h"

namespace canopex {

class MainWindow final : public wxDialog {
 public:
  // Reads the remembered entries from `settings`, which must outlive the
  // window; `program_name` titles its message boxes.
  MainWindow(SettingsStore& settings, const DialogFonts& fonts, const DialogUnits& units,
             const wxIconBundle& icons, std::string program_name);

  // The dialog's context menu: its one item opens the About box.
  static std::unique_ptr<wxMenu> CreateContextMenu();

  // The fonts the controls were built in, fitted to their texts.
  const DialogFonts& fonts() const { return fonts_; }

 private:
  // Opens the About box, as the context menu's item does.
  void ShowAboutBox();
  void OnButton(wxCommandEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);

  DialogFonts fonts_;
  DialogUnits units_;
  wxIcon icon_;
  WxDialogPlatform platform_;
  CanopexDlg dialog_;
};

}  // namespace canopex
