#include "app/main_window_win.h"

#include "resources/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win/about_dlg_win.h"

namespace canopex {

MainWindow::MainWindow(HINSTANCE instance, SettingsStore& settings, HFONT step_label_font,
                       std::string program_name)
    : ModalDialog(instance, IDD_CANOPEX_DIALOG),
      platform_(instance, std::move(program_name)),
      dialog_(settings, platform_),
      icon_(LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME))),
      step_label_font_(step_label_font) {}

BOOL MainWindow::OnInitDialog() {
  platform_.Attach(hwnd());
  AddAboutToSystemMenu();
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  for (const DialogControl& control : MainDialogLayout().controls) {
    if (control.kind != ControlKind::StepLabel) continue;
    SendDlgItemMessageA(hwnd(), control.id, WM_SETFONT,
                        reinterpret_cast<WPARAM>(step_label_font_), TRUE);
  }
  dialog_.InitializeControls();
  return TRUE;
}

void MainWindow::AddAboutToSystemMenu() {
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  if (menu == nullptr) return;
  char text[256] = {};
  if (LoadStringA(instance(), IDS_ABOUTBOX, text, sizeof text) <= 0) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

INT_PTR MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) return FALSE;
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
      CAboutDlg(instance()).RunModal(hwnd());
      return TRUE;
    case WM_PAINT:
      return PaintMinimized();
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    default:
      return FALSE;
  }
}

void MainWindow::OnCommand(int id) {
  if (dialog_.OnButton(id)) return;
  // Exit, Escape, the close box and the system menu's Close. Enter (IDOK)
  // never closes the dialog: no button is the default.
  if (id == IDCANCEL) Close(IDCANCEL);
}

bool MainWindow::PaintMinimized() {
  if (!IsIconic(hwnd())) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd(), &paint);
  SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int icon_width = GetSystemMetrics(SM_CXICON);
  const int icon_height = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(hwnd(), &client);
  DrawIcon(dc, (client.right - client.left - icon_width + 1) / 2,
           (client.bottom - client.top - icon_height + 1) / 2, icon_);
  EndPaint(hwnd(), &paint);
  return true;
}

}  // namespace canopex
