#include "app/app_icon_wx.h"

#include <wx/image.h>
#include <wx/imagbmp.h>
#include <wx/mstream.h>

#include "app/canopex_icon_data.h"

namespace canopex {

wxIconBundle ProgramIcons() {
  if (wxImage::FindHandler(wxBITMAP_TYPE_ICO) == nullptr) wxImage::AddHandler(new wxICOHandler);
  wxMemoryInputStream stream(kCanopexIconData, sizeof kCanopexIconData);
  return wxIconBundle(stream, wxBITMAP_TYPE_ICO);
}

}  // namespace canopex
