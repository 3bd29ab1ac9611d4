// The Linux program's entry point: wx creates the one application object.
#include <wx/app.h>

#include "app/canopex_app_wx.h"

wxIMPLEMENT_APP(canopex::CanopexApp);
