// The main dialog's and the About box's controls as the Windows resource
// script places them, in dialog units, for front ends that build their
// windows in code. Kept equal to resources/canopex.rc by a test.
#pragma once

#include <span>

namespace canopex {

enum class ControlKind {
  Label,          // static text
  StepLabel,      // static text in the bold step label font
  Edit,           // single-line text field the user types into
  ReadOnlyEdit,   // single-line text field that only the program fills
  Button,
  CheckBox,
  Icon,           // the program's icon
  DefaultButton,  // the button that Enter presses
};

// One control: its id (-1 for a label the program never touches), what it
// is, its text and its rectangle in dialog units.
struct DialogControl {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;
};

struct DialogLayout {
  const char* caption;
  int width, height;  // client area, in dialog units
  std::span<const DialogControl> controls;  // in tab order
};

// Template 102, the main dialog.
const DialogLayout& MainDialogLayout();

// Template 100, the About box.
const DialogLayout& AboutBoxLayout();

// Template 129: the hint line below the folder chooser's own controls.
const DialogLayout& FolderHintLayout();

// String 101, the menu item that opens the About box.
inline constexpr char kAboutMenuText[] = "&About Canopex...";

}  // namespace canopex
