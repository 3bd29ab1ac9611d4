// A dialog made from a template in the program's resources, with `this`
// kept in the window so that messages reach the object's handlers. Runs
// modally (the program) or modeless (tests that drive it with messages).
#pragma once

#include <windows.h>

namespace canopex {

class ModalDialog {
 public:
  ModalDialog(HINSTANCE instance, int template_id)
      : instance_(instance), template_id_(template_id) {}
  virtual ~ModalDialog();
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Runs the dialog until it ends; returns the code it ended with, or -1
  // when it could not be made.
  INT_PTR RunModal(HWND owner);
  // Makes the dialog and returns at once; Close destroys it. Null on
  // failure.
  HWND CreateModeless(HWND owner);

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }

 protected:
  // The dialog's handler of `message`; returns what a dialog procedure
  // returns (FALSE: not handled). The default handles nothing.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // WM_INITDIALOG; TRUE lets the system set the keyboard focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Ends the dialog with `code` (modal) or destroys it (modeless).
  void Close(INT_PTR code);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HINSTANCE instance_;
  int template_id_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace canopex
