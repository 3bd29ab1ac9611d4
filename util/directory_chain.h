// Creation of a folder together with missing folders above it.
#pragma once

#include <string>

#include "util/path_style.h"

namespace canopex {

// The two file system operations the chain needs, as a seam for tests.
class DirectoryOperations {
 public:
  virtual ~DirectoryOperations() = default;
  virtual bool Exists(const std::string& path) = 0;
  // Creates one folder; fails when it exists or its parent is missing.
  virtual bool Create(const std::string& path) = 0;
};

// Creates the folder `path` and up to nine missing folders above it (ten
// levels in all). Returns true on success. Fails without creating anything
// for a path at the length limit, for a top-level path that cannot be created
// and for more than ten missing levels; fails at once when a creation fails,
// leaving folders created before it in place. Shows no message itself.
// A folder that exists already is a failure: callers test PathExists first.
bool CreateDirectoryChain(const std::string& path);
bool CreateDirectoryChain(const std::string& path, DirectoryOperations& operations,
                          PathStyle style);

}  // namespace canopex
