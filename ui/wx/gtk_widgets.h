// The few things wx does not reach in the GTK widgets beneath it.
#pragma once

#include <wx/dirdlg.h>
#include <wx/stattext.h>
#include <wx/window.h>

#include <string>

namespace canopex {

// Lets a label break its text into lines at word boundaries within its
// width, as a Windows static text does, without changing the text itself.
void WrapLabelWords(wxStaticText& label);

// Expands the label's tabs as a Windows static text does, at every eight
// average character widths of its font, so that the columns of a text laid
// out with tabs line up as on Windows (GTK's own stops are eight blanks).
void UseWindowsTabStops(wxStaticText& label);

// Whether the control's text, as GTK lays it out in the control's font, fits
// within the control's size: a label's wrapped lines within its height (and
// its longest word within its width), a button's or check box's one line
// within its width. Controls without a text of their own always fit.
bool TextFitsItsBox(wxWindow& control);

// Puts `hint` below the folder chooser's own controls and names its accept
// button `accept_label` (with a mnemonic). Does nothing where the dialog is
// not GTK's own file chooser.
void AdaptFolderChooser(wxDirDialog& dialog, const std::string& hint,
                        const std::string& accept_label);

// Drops the keyboard, mouse and touch events waiting in GDK's queue and in
// the display connection, and keeps every other event, in order.
void DropQueuedUserInput();

}  // namespace canopex
