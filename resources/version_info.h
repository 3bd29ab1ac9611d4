// The texts of the program's version information, shared by the Windows
// version resource and the Linux program's About box. Plain #defines, as the
// resource compiler reads this file too. The version numbers come from the
// build (CANOPEX_VERSION_MAJOR ... CANOPEX_VERSION_TWEAK).
#pragma once

#define CANOPEX_PRODUCT_NAME "Canopex"
#define CANOPEX_FILE_DESCRIPTION "Canopex: tree list reports to stand files"
#define CANOPEX_COMPANY_NAME "The Canopex developers"
#define CANOPEX_LEGAL_COPYRIGHT "Copyright (C) 2026 The Canopex developers"
