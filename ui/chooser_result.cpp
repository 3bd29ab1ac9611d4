#include "ui/chooser_result.h"

#include "util/file_system.h"
#include "util/path_names.h"

namespace canopex {

std::string WithDefaultExtension(std::string path, const std::string& extension) {
  const std::string name = FileNameOf(path, PathStyle::Posix);
  if (!extension.empty() && !name.empty() && name.find('.') == std::string::npos) {
    path += "." + extension;
  }
  return path;
}

std::optional<std::string> SettleSavePath(
    const std::string& initial_path, const std::string& extension, bool overwrite_prompt,
    const std::function<std::optional<std::string>(const std::string&)>& show,
    const std::function<bool(const std::string&)>& confirm_replace) {
  std::string opened_on = initial_path;
  for (;;) {
    const std::optional<std::string> chosen = show(opened_on);
    if (!chosen) return std::nullopt;
    std::string path = WithDefaultExtension(*chosen, extension);
    if (path == *chosen || !overwrite_prompt || !PathExists(path) || confirm_replace(path)) {
      return path;
    }
    opened_on = std::move(path);
  }
}

std::string FolderWithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace canopex
