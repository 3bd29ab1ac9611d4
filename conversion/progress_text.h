// The one-line progress text that both windows and the command line show
// during a run: "42% read, 3 cut lists, 1250 trees".
#pragma once

#include <string>

#include "conversion/progress_listener.h"

namespace canopex {

// The part read is a whole percent of the report's size, or, for a report
// of unknown size, the megabytes read ("12.5 MB read").
std::string ProgressText(const RunProgress& progress);

}  // namespace canopex
