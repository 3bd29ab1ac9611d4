#include "app/main_window_wx.h"

#include <wx/textctrl.h>

#include "resources/resource.h"
#include "ui/wx/about_dlg_wx.h"
#include "ui/wx/wx_text.h"

namespace canopex {
namespace {

// The Exit button's id, IDCANCEL in the template.
constexpr int kExitId = 2;

}  // namespace

MainWindow::MainWindow(SettingsStore& settings, const DialogFonts& fonts,
                       const DialogUnits& units, const wxIconBundle& icons,
                       std::string program_name)
    : wxDialog(nullptr, wxID_ANY, wxString()),
      fonts_(fonts),
      units_(units),
      icon_(icons.GetIcon(32, wxIconBundle::FALLBACK_NEAREST_LARGER)),
      platform_(*this, std::move(program_name)),
      dialog_(settings, platform_) {
  fonts_ = BuildDialogInFittingFonts(*this, MainDialogLayout(), fonts_, units_);
  SetIcons(icons);
  // Escape and the close box press Exit; no button is the default, so Enter
  // does nothing.
  SetEscapeId(kExitId);
  SetAffirmativeId(wxID_NONE);
  Bind(wxEVT_BUTTON, &MainWindow::OnButton, this);
  Bind(wxEVT_CONTEXT_MENU, &MainWindow::OnContextMenu, this);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowAboutBox(); }, IDM_ABOUTBOX);
  dialog_.InitializeControls();
  CentreOnScreen();
}

void MainWindow::ShowAboutBox() {
  CAboutDlg about(this, fonts_, units_, icon_);
  about.ShowModal();
}

void MainWindow::OnButton(wxCommandEvent& event) {
  if (dialog_.OnButton(event.GetId())) return;
  if (event.GetId() == kExitId) {
    EndModal(kExitId);
  } else {
    event.Skip();
  }
}

void MainWindow::OnContextMenu(wxContextMenuEvent& event) {
  // A text field keeps its own menu (cut, copy, paste).
  if (dynamic_cast<wxTextCtrl*>(event.GetEventObject()) != nullptr) {
    event.Skip();
    return;
  }
  const std::unique_ptr<wxMenu> menu = CreateContextMenu();
  PopupMenu(menu.get());
}

std::unique_ptr<wxMenu> MainWindow::CreateContextMenu() {
  auto menu = std::make_unique<wxMenu>();
  menu->Append(IDM_ABOUTBOX, ToWxText(kAboutMenuText));
  return menu;
}

}  // namespace canopex
