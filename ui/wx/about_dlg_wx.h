// The About box of the Linux program: template 100's layout, the program's
// version information from the build, the host name and the system's name
// and release.
#pragma once

#include <wx/dialog.h>

#include <string>

#include "ui/about_text.h"
#include "ui/wx/dialog_builder_wx.h"

namespace canopex {

// The version information the build gives the program; what the Windows
// program reads from its version resource.
VersionDetails BuildVersionDetails();

// The host name; empty when the system cannot say.
std::string HostName();

// The system's name and release, as "uname -sr" prints them.
std::string SystemNameAndRelease();

class CAboutDlg final : public wxDialog {
 public:
  CAboutDlg(wxWindow* owner, const DialogFonts& fonts, const DialogUnits& units,
            const wxIcon& icon);
};

}  // namespace canopex
