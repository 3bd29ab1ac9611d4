// Tells a script where the Linux program's controls are, so that it can
// click them as a user would. GTK draws every control into its window's one
// X window, so the script cannot find them itself; the probe lays out the
// dialog with the same fonts and table as the program on the same display.
// Usage: window-probe-wx center ID   prints "X Y", the control's centre in
//                                      the window's client area
//        window-probe-wx point X Y   the same for a point in dialog units
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/dialog_layout.h"
#include "ui/wx/dialog_builder_wx.h"

namespace {

// wx opens the display and reads the desktop's settings for its application.
class ProbeApp final : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(ProbeApp);

int main(int argc, char** argv) {
  wxInitializer wx(argc, argv);
  if (!wx.IsOk() || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "window-probe-wx: wx could not start\n");
    return 1;
  }
  const canopex::DialogUnits units = canopex::DialogUnitsOf(canopex::DesktopDialogFonts().text);
  if (argc == 4 && std::strcmp(argv[1], "point") == 0) {
    std::printf("%d %d\n", units.X(std::atoi(argv[2])), units.Y(std::atoi(argv[3])));
    return 0;
  }
  for (const canopex::DialogControl& control : canopex::MainDialogLayout().controls) {
    if (argc != 3 || std::strcmp(argv[1], "center") != 0 || control.id != std::atoi(argv[2])) continue;
    const wxRect rect = units.Rect(control);
    std::printf("%d %d\n", rect.x + rect.width / 2, rect.y + rect.height / 2);
    return 0;
  }
  std::fprintf(stderr, "usage: window-probe-wx center ID | point X Y (no such control?)\n");
  return 1;
}
