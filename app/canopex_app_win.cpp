#include "app/canopex_app_win.h"

#include <commctrl.h>

#include "app/main_window_win.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "util/file_system.h"
#include "util/path_names.h"

namespace canopex {

CanopexApp::CanopexApp() : step_label_font_(CreateStepLabelFont()) {}

BOOL CanopexApp::InitInstance(HINSTANCE instance) {
  const std::string application_name = ApplicationNameOf(ExecutablePath());
  settings_path_ = DefaultSettingsPath(application_name);
  InitCommonControls();

  const std::unique_ptr<SettingsStore> settings = OpenSettingsStore(settings_path_);
  MainWindow window(instance, *settings, step_label_font_.get(), application_name);
  window.RunModal(nullptr);
  return FALSE;
}

int CanopexApp::ExitInstance() {
  step_label_font_ = ScopedFont();
  return 0;
}

}  // namespace canopex
