// DialogPlatform over a wx dialog, wx's message boxes and the GTK file and
// folder choosers.
#pragma once

#include <wx/dialog.h>

#include <string>

#include "ui/dialog_platform.h"

namespace canopex {

class WxDialogPlatform final : public DialogPlatform {
 public:
  // `dialog` holds the controls and owns the choosers and message boxes;
  // `program_name` titles the message boxes.
  WxDialogPlatform(wxDialog& dialog, std::string program_name)
      : dialog_(dialog), program_name_(std::move(program_name)) {}

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
  wxWindow* Item(Control control) const;
  std::optional<std::string> ChooseFile(const ChooserRequest& request);
  std::optional<std::string> ChooseFolder(const ChooserRequest& request);

  wxDialog& dialog_;
  std::string program_name_;
  int wait_depth_ = 0;
};

}  // namespace canopex
