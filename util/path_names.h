// Splitting and joining of path texts. Pure string functions: they never touch
// the file system, and an empty path gives empty parts.
#pragma once

#include <string>
#include <string_view>

#include "util/path_style.h"

namespace canopex {

// The file name with its extension: "stand7.trl" for "C:\Data\stand7.trl";
// empty for a path that ends in a separator.
std::string FileNameOf(std::string_view path, PathStyle style = kNativePathStyle);

// The file name without its extension: the program's name for an
// executable's path ("Canopex" for "C:\Tools\Canopex.exe"), which names its
// settings file and titles its message boxes.
std::string ApplicationNameOf(std::string_view executable_path,
                              PathStyle style = kNativePathStyle);

// The drive and folder part with its trailing separator: "C:\Data\" for
// "C:\Data\stand7.trl"; empty for a bare file name. Drives exist only in the
// Windows style.
std::string FolderOf(std::string_view path, PathStyle style = kNativePathStyle);

// Appends the separator to `path` unless it is empty, already ends with the
// separator, or is at or above the platform's path length limit.
void EnsureTrailingBackslash(std::string& path, PathStyle style = kNativePathStyle);

// `folder`, a separator when EnsureTrailingBackslash adds one, then `name`.
// An empty folder gives the name alone; "C:" gives "C:\name".
std::string JoinPath(std::string_view folder, std::string_view name,
                     PathStyle style = kNativePathStyle);

// The folder of an executable's full path, cut after its last separator
// ("C:\Tools\" for "C:\Tools\Canopex.exe"); empty when there is no separator.
// Only the style's own separator counts, as the module path always uses it.
std::string ExecutableFolderOf(std::string_view executable_path,
                               PathStyle style = kNativePathStyle);

}  // namespace canopex
