// File type filters of the choosers, from the Windows form that the dialog
// logic writes ("Name|pattern|...|Name|pattern||") to the form of toolkits
// that take the pairs without the closing "||".
#pragma once

#include <string>
#include <string_view>

namespace canopex {

// The pairs of `filter` joined by "|", without the empty entries at its
// end. On POSIX a pattern "*.*" would miss names without a dot, so there it
// becomes "*", which is what "All Files" means.
std::string WildcardOfFilter(std::string_view filter, bool posix_names);

}  // namespace canopex
