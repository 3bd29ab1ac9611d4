// The bold font of the main dialog's four numbered step labels.
#pragma once

#include <windows.h>

namespace canopex {

// Sole owner of a GDI font: move-only, deletes it in its destructor.
class ScopedFont {
 public:
  explicit ScopedFont(HFONT font = nullptr) : font_(font) {}
  ~ScopedFont() {
    if (font_ != nullptr) DeleteObject(font_);
  }
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;
  ScopedFont(ScopedFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
  ScopedFont& operator=(ScopedFont&& other) noexcept {
    if (this != &other) {
      if (font_ != nullptr) DeleteObject(font_);
      font_ = other.font_;
      other.font_ = nullptr;
    }
    return *this;
  }
  HFONT get() const { return font_; }

 private:
  HFONT font_;
};

// Bold 8-point "MS Sans Serif" for the screen; holds no font when the system
// cannot make it (the labels then keep the system's default font).
ScopedFont CreateStepLabelFont();

}  // namespace canopex
