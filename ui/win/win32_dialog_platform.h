// DialogPlatform over a Win32 dialog window and the common file dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_platform.h"

namespace canopex {

class Win32DialogPlatform final : public DialogPlatform {
 public:
  // `instance` holds the folder chooser's template; `program_name` titles
  // the message boxes.
  Win32DialogPlatform(HINSTANCE instance, std::string program_name)
      : instance_(instance), program_name_(std::move(program_name)) {}

  // The dialog whose controls the operations reach; set once it exists.
  void Attach(HWND dialog) { dialog_ = dialog; }

  void SetControlText(Control control, const std::string& text) override;
  std::string ControlText(Control control) override;
  void EnableControl(Control control, bool enabled) override;
  void SetChecked(Control control, bool checked) override;
  bool IsChecked(Control control) override;
  void ShowControl(Control control, bool shown) override;
  void ShowMessage(const std::string& text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void PaintDuringRun() override;
  void DiscardQueuedInput() override;
  std::optional<std::string> Choose(const ChooserRequest& request) override;
  void ChangeCurrentDirectory(const std::string& path) override;

 private:
  HWND Item(Control control) const { return GetDlgItem(dialog_, static_cast<int>(control)); }

  HINSTANCE instance_;
  std::string program_name_;
  HWND dialog_ = nullptr;
  int wait_depth_ = 0;
  HCURSOR cursor_before_wait_ = nullptr;
};

}  // namespace canopex
