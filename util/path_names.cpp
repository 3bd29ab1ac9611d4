#include "util/path_names.h"

namespace canopex {
namespace {

bool HasDrive(std::string_view path, PathStyle style) {
  return style == PathStyle::Windows && path.size() >= 2 && path[1] == ':';
}

// Index just past the last separator, or the start of the path after its
// drive when there is none.
std::size_t FileNameStart(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1], style)) return i;
  }
  return HasDrive(path, style) ? 2 : 0;
}

}  // namespace

std::string FileNameOf(std::string_view path, PathStyle style) {
  return std::string(path.substr(FileNameStart(path, style)));
}

std::string ApplicationNameOf(std::string_view executable_path, PathStyle style) {
  std::string name = FileNameOf(executable_path, style);
  const std::size_t point = name.rfind('.');
  if (point != std::string::npos) name.erase(point);
  return name;
}

std::string FolderOf(std::string_view path, PathStyle style) {
  return std::string(path.substr(0, FileNameStart(path, style)));
}

void EnsureTrailingBackslash(std::string& path, PathStyle style) {
  const char separator = PathSeparator(style);
  if (!path.empty() && path.size() < PathLengthLimit(style) && path.back() != separator) {
    path += separator;
  }
}

std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style) {
  std::string joined(folder);
  EnsureTrailingBackslash(joined, style);
  joined += name;
  return joined;
}

std::string ExecutableFolderOf(std::string_view executable_path, PathStyle style) {
  const std::size_t last = executable_path.rfind(PathSeparator(style));
  if (last == std::string_view::npos) return {};
  return std::string(executable_path.substr(0, last + 1));
}

}  // namespace canopex
