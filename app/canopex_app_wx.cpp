#include "app/canopex_app_wx.h"

#include <memory>
#include <string>

#include "app/app_icon_wx.h"
#include "app/main_window_wx.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "util/file_system.h"
#include "util/path_names.h"

namespace canopex {

bool CanopexApp::OnInit() {
  // No command line: wxApp::OnInit would parse it and refuse arguments.
  return true;
}

int CanopexApp::OnRun() {
  const std::string application_name = ApplicationNameOf(ExecutablePath());
  const std::string settings_path = DefaultSettingsPath(application_name);
  const std::unique_ptr<SettingsStore> settings = OpenSettingsStore(settings_path);

  const DialogFonts fonts = DesktopDialogFonts();
  MainWindow window(*settings, fonts, DialogUnitsOf(fonts.text), ProgramIcons(),
                    application_name);
  window.ShowModal();
  return 0;
}

}  // namespace canopex
