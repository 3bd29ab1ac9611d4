// Acts on a modal window while the code under test waits in its modal loop:
// a thread timer looks for a shown top-level window with the given title
// and, once it is there, runs the action on it (which closes it).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace canopex::testing {

class ModalWatcher {
 public:
  ModalWatcher(std::string title, std::function<void(HWND)> action)
      : title_(std::move(title)), action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, OnTimer);
  }
  ~ModalWatcher() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  // The text of a window, or of its child `id`.
  static std::string Text(HWND window, int id = 0) {
    if (id != 0) window = GetDlgItem(window, id);
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalWatcher* watcher = current_;
    if (watcher == nullptr || watcher->busy_) return;
    HWND found = FindWindowA(nullptr, watcher->title_.c_str());
    if (found == nullptr || !IsWindowVisible(found)) return;
    watcher->busy_ = true;
    watcher->action_(found);
    watcher->busy_ = false;
  }

  static inline ModalWatcher* current_ = nullptr;
  std::string title_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

}  // namespace canopex::testing
