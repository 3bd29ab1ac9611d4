// The folder chooser is a file dialog whose result is the chosen folder
// joined with a dummy file name ("D:\Out\x"); the folder is what precedes
// the last backslash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace canopex {

// Tells whether a byte starts a two-byte character of the system's code
// page (never, in a single-byte code page).
using LeadByteTest = bool (*)(unsigned char byte);

// The folder part of a folder chooser's result: the text before its last
// backslash, found by stepping over the text character by character (so the
// second byte of a two-byte character is never taken for a backslash).
// Nothing when there is no backslash or fewer than two characters precede
// it; a drive root ("C:\x") gives the drive alone ("C:").
std::optional<std::string> FolderOfChooserResult(std::string_view result,
                                                 LeadByteTest is_lead_byte);

}  // namespace canopex
