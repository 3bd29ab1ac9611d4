// What a toolkit's chooser returns, put into the form the dialog logic
// expects of every platform.
#pragma once

#include <string>

namespace canopex {

// `path` with "." and `extension` added when its file name has no extension,
// as the Windows file chooser adds its default extension; unchanged when
// the extension is empty or the path names no file.
std::string WithDefaultExtension(std::string path, const std::string& extension);

// A POSIX folder path without trailing slashes; the root stays "/".
std::string FolderWithoutTrailingSeparator(std::string path);

}  // namespace canopex
