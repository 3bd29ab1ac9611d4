#include "ui/wx/dialog_builder_wx.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcscreen.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdint>

#include "ui/wx/gtk_widgets.h"
#include "ui/wx/wx_text.h"

namespace canopex {
namespace {

// a * b / c rounded half away from zero, as Windows' MulDiv.
int MulDiv(int a, int b, int c) {
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

wxWindow* CreateControl(wxDialog& dialog, const DialogControl& c, const DialogFonts& fonts,
                        const wxRect& rect, const wxIcon& icon) {
  const wxString text = ToWxText(c.text);
  const int id = c.id < 0 ? wxID_ANY : c.id;
  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::StepLabel: {
      auto* label = new wxStaticText(&dialog, id, text, rect.GetPosition(), rect.GetSize(),
                                     wxST_NO_AUTORESIZE);
      label->SetFont(c.kind == ControlKind::StepLabel ? fonts.step_label : fonts.text);
      // Shown as they are: no label of the layout has a mnemonic, and a
      // result or error text may hold an "&" (in a path, say).
      label->SetLabelText(text);
      WrapLabelWords(*label);
      UseWindowsTabStops(*label);
      return label;
    }
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit:
      return new wxTextCtrl(&dialog, id, text, rect.GetPosition(), rect.GetSize(),
                            c.kind == ControlKind::ReadOnlyEdit ? wxTE_READONLY : 0);
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
      auto* button = new wxButton(&dialog, id, text, rect.GetPosition(), rect.GetSize());
      if (c.kind == ControlKind::DefaultButton) button->SetDefault();
      return button;
    }
    case ControlKind::CheckBox:
      return new wxCheckBox(&dialog, id, text, rect.GetPosition(), rect.GetSize());
    case ControlKind::Icon: {
      // An icon control shows the icon at its own size from the top left.
      const wxSize size = icon.IsOk() ? icon.GetSize() : rect.GetSize();
      return new wxStaticBitmap(&dialog, id, icon, rect.GetPosition(), size);
    }
  }
  return nullptr;
}

}  // namespace

DialogFonts DesktopDialogFonts() {
  DialogFonts fonts;
  fonts.text = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  fonts.step_label = fonts.text.Bold();
  return fonts;
}

int DialogUnits::X(int units) const { return MulDiv(units, base_.x, 4); }
int DialogUnits::Y(int units) const { return MulDiv(units, base_.y, 8); }

wxRect DialogUnits::Rect(const DialogControl& c) const {
  return wxRect(X(c.x), Y(c.y), X(c.width), Y(c.height));
}

wxSize DialogUnits::ClientSize(const DialogLayout& layout) const {
  return wxSize(X(layout.width), Y(layout.height));
}

DialogUnits DialogUnitsOf(const wxFont& font) {
  wxScreenDC dc;
  dc.SetFont(font);
  wxCoord width = 0, height = 0;
  dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height);
  return DialogUnits(wxSize((width / 26 + 1) / 2, height));
}

void BuildDialog(wxDialog& dialog, const DialogLayout& layout, const DialogFonts& fonts,
                 const DialogUnits& units, const wxIcon& icon) {
  dialog.SetTitle(ToWxText(layout.caption));
  dialog.SetFont(fonts.text);
  dialog.SetClientSize(units.ClientSize(layout));
  for (const DialogControl& control : layout.controls) {
    CreateControl(dialog, control, fonts, units.Rect(control), icon);
  }
}

bool EveryTextFits(const wxWindow& dialog) {
  for (wxWindow* control : dialog.GetChildren()) {
    if (!TextFitsItsBox(*control)) return false;
  }
  return true;
}

DialogFonts BuildDialogInFittingFonts(wxDialog& dialog, const DialogLayout& layout,
                                      const DialogFonts& fonts, const DialogUnits& units,
                                      const wxIcon& icon) {
  constexpr double kStep = 0.5, kSmallestShare = 0.7;
  const double largest = fonts.text.GetFractionalPointSize();
  DialogFonts tried = fonts;
  for (double size = largest;; size -= kStep) {
    tried.text.SetFractionalPointSize(size);
    tried.step_label.SetFractionalPointSize(size);
    // Fresh controls: GTK measures a changed font only after its next frame.
    dialog.DestroyChildren();
    BuildDialog(dialog, layout, tried, units, icon);
    if (size - kStep < largest * kSmallestShare || EveryTextFits(dialog)) return tried;
  }
}

}  // namespace canopex
