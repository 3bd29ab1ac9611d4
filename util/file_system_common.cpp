// The parts of file_system.h that need no platform call of their own.
#include <cstdio>

#include "util/file_system.h"
#include "util/path_names.h"

namespace canopex {

std::string PathBesideExecutable(const std::string& name) {
  // Cached once found; a failed look-up is tried again at the next call.
  static std::string executable_folder;
  if (executable_folder.empty()) executable_folder = ExecutableFolderOf(ExecutablePath());
  return executable_folder + name;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
  contents.clear();
  StdioFile file = OpenRegularFileForReading(path);
  if (!file.is_open()) return false;
  char buffer[1 << 14];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) contents.append(buffer, got);
  if (std::ferror(file.get())) {
    contents.clear();
    return false;
  }
  return true;
}

}  // namespace canopex
