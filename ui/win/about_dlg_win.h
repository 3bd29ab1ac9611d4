// The About box: the program's version information, the computer's name and
// the Windows folder, read afresh each time it opens.
#pragma once

#include "ui/win/modal_dialog_win.h"

namespace canopex {

class CAboutDlg final : public ModalDialog {
 public:
  explicit CAboutDlg(HINSTANCE instance);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace canopex
