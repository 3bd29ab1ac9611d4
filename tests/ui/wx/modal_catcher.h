// Catches every modal dialog a test's code opens (message boxes, choosers,
// the About box) before it is shown, hands it to the test and answers for
// the user with the returned id.
#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <functional>

namespace canopex::testing {

class ModalCatcher final : public wxModalDialogHook {
 public:
  using Answer = std::function<int(wxDialog&)>;

  explicit ModalCatcher(Answer answer) : answer_(std::move(answer)) { Register(); }
  ~ModalCatcher() override { Unregister(); }

  int caught() const { return caught_; }

 protected:
  int Enter(wxDialog* dialog) override {
    ++caught_;
    return answer_(*dialog);
  }
  void Exit(wxDialog*) override {}

 private:
  Answer answer_;
  int caught_ = 0;
};

}  // namespace canopex::testing
