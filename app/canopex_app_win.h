// The application object: start-up and exit of the Windows program.
#pragma once

#include <windows.h>

#include <string>

#include "app/step_label_font_win.h"

namespace canopex {

class CanopexApp {
 public:
  // Makes the step labels' font.
  CanopexApp();

  // Fixes the settings file path, initialises the common controls and runs
  // the main dialog until the user closes it. Returns FALSE: the program
  // then ends.
  BOOL InitInstance(HINSTANCE instance);
  // Frees the font; returns the program's exit code.
  int ExitInstance();

 private:
  ScopedFont step_label_font_;
  std::string settings_path_;
};

}  // namespace canopex
