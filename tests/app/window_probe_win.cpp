// window-probe: lets a test script find and read the controls of a running
// Windows program, so that it can click them with the X server's tools.
//   window-probe center TITLE ID   screen position of control ID's centre
//   window-probe rect TITLE ID     its rectangle: left top width height
//   window-probe text TITLE ID     text of control ID (0: the window's own)
//   window-probe about TITLE       chooses the system menu's About entry
// Exit status 0 on success, 1 when the window or control is not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/resource.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: window-probe center|rect|text|about TITLE [ID]\n");
    return 2;
  }
  const std::string command = argv[1];
  // A window not shown yet is not there for the user: a click would miss it.
  HWND window = FindWindowA(nullptr, argv[2]);
  if (window == nullptr || !IsWindowVisible(window)) return 1;
  if (command == "about") {
    PostMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    return 0;
  }
  if (argc < 4) return 2;
  const int id = std::atoi(argv[3]);
  HWND control = id == 0 ? window : GetDlgItem(window, id);
  RECT rect;
  if (control == nullptr || !GetWindowRect(control, &rect)) return 1;
  if (command == "center") {
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  } else if (command == "rect") {
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
  } else if (command == "text") {
    char text[4096] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::fputs(text, stdout);
  } else {
    return 2;
  }
  return 0;
}
