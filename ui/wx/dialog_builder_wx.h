// Builds a wx dialog's controls from a layout table in dialog units, as the
// Windows dialog manager builds them from a template.
#pragma once

#include <wx/dialog.h>
#include <wx/font.h>
#include <wx/icon.h>

#include "ui/dialog_layout.h"

namespace canopex {

// The pixels of one dialog unit's grid: a quarter of `base.x` across and an
// eighth of `base.y` down, rounded as Windows rounds (MulDiv).
class DialogUnits {
 public:
  explicit DialogUnits(wxSize base) : base_(base) {}
  int X(int units) const;
  int Y(int units) const;
  wxRect Rect(const DialogControl& control) const;
  wxSize ClientSize(const DialogLayout& layout) const;

 private:
  wxSize base_;
};

// The base Windows derives from a dialog's font: the mean width of the 52
// letters, rounded, and the font's height.
DialogUnits DialogUnitsOf(const wxFont& font);

struct DialogFonts {
  wxFont text;        // every control's font, and the one dialog units come from
  wxFont step_label;  // the bold numbered steps
};

// The desktop's font for dialogs, and its bold form for the step labels.
DialogFonts DesktopDialogFonts();

// Sets the caption and client size and creates every control of `layout`
// with its id, text and rectangle. Buttons raise wxEVT_BUTTON with their
// ids; `icon` fills the icon controls.
void BuildDialog(wxDialog& dialog, const DialogLayout& layout, const DialogFonts& fonts,
                 const DialogUnits& units, const wxIcon& icon = wxNullIcon);

// GTK's fonts are larger for their dialog units than Windows' dialog font,
// so some texts would not fit their controls. This builds the dialog as
// BuildDialog does, keeping `units`, in the largest font from the size of
// `fonts` down to 70% of it, in half-point steps, at which every text fits
// its control; in the smallest when none does. Returns the fonts used.
DialogFonts BuildDialogInFittingFonts(wxDialog& dialog, const DialogLayout& layout,
                                      const DialogFonts& fonts, const DialogUnits& units,
                                      const wxIcon& icon = wxNullIcon);

// Whether every control's text fits within the control.
bool EveryTextFits(const wxWindow& dialog);

}  // namespace canopex
