#include "ui/chooser_result.h"

#include "util/path_names.h"

namespace canopex {

std::string WithDefaultExtension(std::string path, const std::string& extension) {
  const std::string name = FileNameOf(path, PathStyle::Posix);
  if (!extension.empty() && !name.empty() && name.find('.') == std::string::npos) {
    path += "." + extension;
  }
  return path;
}

std::string FolderWithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace canopex
