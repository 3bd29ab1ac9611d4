// Path conventions. The product's path rules are Windows rules (drive
// designators, backslash, a 260-character limit); on other systems they are
// mapped onto the native conventions. The string functions take the style as
// a parameter so the Windows rules can be exercised on every platform.
#pragma once

#include <cstddef>

namespace canopex {

enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The separator that joins a folder and a name.
constexpr char PathSeparator(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

// Windows accepts both slashes when splitting a path; POSIX only the slash
// (a backslash is an ordinary character in a POSIX file name).
constexpr bool IsPathSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::Windows && c == '\\');
}

// The length at which a path is too long: MAX_PATH on Windows, PATH_MAX on
// Linux.
constexpr std::size_t PathLengthLimit(PathStyle style) {
  return style == PathStyle::Windows ? 260 : 4096;
}

// A working path this short is treated as the top of a folder chain: a drive
// root such as "C:\" on Windows, "/" on POSIX.
constexpr std::size_t RootPathLength(PathStyle style) {
  return style == PathStyle::Windows ? 3 : 1;
}

}  // namespace canopex
