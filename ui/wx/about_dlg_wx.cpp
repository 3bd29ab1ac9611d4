#include "ui/wx/about_dlg_wx.h"

#include <sys/utsname.h>
#include <unistd.h>
#include <wx/button.h>
#include <wx/stattext.h>

#include <climits>

#include "resources/resource.h"
#include "resources/version_info.h"
#include "ui/wx/wx_text.h"

namespace canopex {

VersionDetails BuildVersionDetails() {
  VersionDetails details;
  details.description = CANOPEX_FILE_DESCRIPTION;
  details.company = CANOPEX_COMPANY_NAME;
  details.copyright = CANOPEX_LEGAL_COPYRIGHT;
  details.product_version = {CANOPEX_VERSION_MAJOR, CANOPEX_VERSION_MINOR,
                             CANOPEX_VERSION_PATCH, CANOPEX_VERSION_TWEAK};
  return details;
}

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string SystemNameAndRelease() {
  utsname system{};
  if (uname(&system) != 0) return {};
  return std::string(system.sysname) + " " + system.release;
}

CAboutDlg::CAboutDlg(wxWindow* owner, const DialogFonts& fonts, const DialogUnits& units,
                     const wxIcon& icon)
    : wxDialog(owner, wxID_ANY, wxString()) {
  // The fonts are the main window's, already fitted to the dialogs' texts.
  BuildDialog(*this, AboutBoxLayout(), fonts, units, icon);
  if (wxWindow* text = FindWindow(IDC_ABOUT_TEXT)) {
    static_cast<wxStaticText*>(text)->SetLabelText(
        ToWxText(AboutText(BuildVersionDetails(), HostName(), SystemNameAndRelease())));
  }
  // OK (id 1, as in the template), Escape and the close box end the box.
  constexpr int kOkId = 1;
  SetAffirmativeId(kOkId);
  SetEscapeId(kOkId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); }, kOkId);
  CentreOnParent();
}

}  // namespace canopex
