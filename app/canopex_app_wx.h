// The Linux program's application object: it finds the settings file beside
// the executable and runs the main dialog modally; the program ends when the
// dialog closes.
#pragma once

#include <wx/app.h>

namespace canopex {

class CanopexApp final : public wxApp {
 public:
  bool OnInit() override;
  // Runs the main dialog instead of a main loop of its own.
  int OnRun() override;
};

}  // namespace canopex
