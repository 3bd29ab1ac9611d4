#include "ui/win/modal_dialog_win.h"

namespace canopex {

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
