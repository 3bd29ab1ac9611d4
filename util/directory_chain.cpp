#include "util/directory_chain.h"

#include <vector>

#include "util/file_system.h"

namespace canopex {
namespace {

constexpr std::size_t kMaxMissingLevels = 10;

class NativeDirectoryOperations final : public DirectoryOperations {
 public:
  bool Exists(const std::string& path) override { return PathExists(path); }
  bool Create(const std::string& path) override { return CreateOneDirectory(path); }
};

}  // namespace

bool CreateDirectoryChain(const std::string& path) {
  NativeDirectoryOperations native;
  return CreateDirectoryChain(path, native, kNativePathStyle);
}

bool CreateDirectoryChain(const std::string& path, DirectoryOperations& operations,
                          PathStyle style) {
  if (path.size() >= PathLengthLimit(style)) return false;
  if (operations.Create(path)) return true;

  std::string working = path;
  const std::size_t root_length = RootPathLength(style);
  if (working.size() <= root_length) return false;

  // Walk upwards until an existing folder (or the top) is found, remembering
  // the cut-off tails; only the style's own separator divides levels here.
  const char separator = PathSeparator(style);
  std::vector<std::string> tails;
  for (;;) {
    const std::size_t last = working.rfind(separator);
    if (last == std::string::npos) break;
    tails.push_back(working.substr(last));
    working.erase(last);
    if (operations.Exists(working)) break;
    if (tails.size() == kMaxMissingLevels) break;
    if (working.size() <= root_length) break;
  }
  if (tails.empty()) return false;

  for (auto tail = tails.rbegin(); tail != tails.rend(); ++tail) {
    working += *tail;
    if (!operations.Create(working)) return false;
  }
  return true;
}

}  // namespace canopex
