#include "ui/win/modal_dialog_win.h"

#include <algorithm>

namespace canopex {
namespace {

// Centres a top-level dialog over its owner, or on the screen's work area
// when it has none, as users expect a dialog to open.
void CenterOverOwner(HWND dialog) {
  if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) != 0) return;
  RECT area;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  } else {
    GetWindowRect(owner, &area);
  }
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  // Never above the screen's top, where the title bar could not be reached.
  const int top = (std::max)(0L, area.top + (area.bottom - area.top - height) / 2);
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ModalDialog::~ModalDialog() {
  if (hwnd_ != nullptr && !modal_) DestroyWindow(hwnd_);
}

INT_PTR ModalDialog::RunModal(HWND owner) {
  modal_ = true;
  return DialogBoxParamA(instance_, MAKEINTRESOURCEA(template_id_), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND ModalDialog::CreateModeless(HWND owner) {
  modal_ = false;
  return CreateDialogParamA(instance_, MAKEINTRESOURCEA(template_id_), owner, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

void ModalDialog::Close(INT_PTR code) {
  if (modal_) {
    EndDialog(hwnd_, code);
  } else {
    DestroyWindow(hwnd_);
  }
}

INT_PTR ModalDialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK ModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ModalDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<ModalDialog*>(lparam);
    dialog->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
    CenterOverOwner(hwnd);
    return dialog->OnInitDialog();
  }
  dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    dialog->hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    return FALSE;
  }
  return dialog->HandleMessage(message, wparam, lparam);
}

}  // namespace canopex
