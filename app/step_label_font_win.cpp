#include "app/step_label_font_win.h"

#include <cstdlib>
#include <cstring>

namespace canopex {

ScopedFont CreateStepLabelFont() {
  LOGFONTA font = {};
  font.lfWeight = FW_BOLD;
  std::strcpy(font.lfFaceName, "MS Sans Serif");
  // 8 points (80 tenths) in pixels of the screen, truncated as the
  // dialog's own point fonts are.
  HDC screen = GetDC(nullptr);
  const int pixels = GetDeviceCaps(screen, LOGPIXELSY) * 80 / 720;
  ReleaseDC(nullptr, screen);
  font.lfHeight = -std::abs(pixels);
  return ScopedFont(CreateFontIndirectA(&font));
}

}  // namespace canopex
