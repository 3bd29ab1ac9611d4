// Canopex.exe: the Windows program. It takes no command-line arguments.
#include <windows.h>

#include "app/canopex_app_win.h"

namespace {

// The program's one application object, made before WinMain as the step
// labels' font lives as long as the program.
canopex::CanopexApp the_app;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  the_app.InitInstance(instance);
  return the_app.ExitInstance();
}
