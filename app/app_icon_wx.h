// The program's icon, from the same icon file as the Windows program's,
// built into the executable.
#pragma once

#include <wx/iconbndl.h>

namespace canopex {

// Every size of the icon; empty when it cannot be read.
wxIconBundle ProgramIcons();

}  // namespace canopex
