// The converter's writes to the disk, behind one interface so that tests can
// make any of them fail at a chosen moment. Each call guards the run's input
// file: it is never written, emptied or deleted (see util/output_file.h).
#pragma once

#include <string>
#include <string_view>

#include "util/output_file.h"

namespace canopex {

class FileOperations {
 public:
  virtual ~FileOperations() = default;
  // Appends `bytes` with one open, write and close; true when all of it was
  // written and the file closed.
  virtual bool Append(const std::string& path, std::string_view bytes,
                      const FileIdentity& guarded) = 0;
  // Creates or empties the file and writes `bytes`; true as for Append.
  virtual bool Overwrite(const std::string& path, std::string_view bytes,
                         const FileIdentity& guarded) = 0;
  // Deletes a regular file or link before the file is written afresh.
  virtual void Remove(const std::string& path, const FileIdentity& guarded) = 0;
};

// The real disk.
class DiskFileOperations final : public FileOperations {
 public:
  bool Append(const std::string& path, std::string_view bytes,
              const FileIdentity& guarded) override {
    return AppendToFile(path, bytes, guarded);
  }
  bool Overwrite(const std::string& path, std::string_view bytes,
                 const FileIdentity& guarded) override {
    return OverwriteFile(path, bytes, guarded);
  }
  void Remove(const std::string& path, const FileIdentity& guarded) override {
    RemoveReplaceableFile(path, guarded);
  }
};

}  // namespace canopex
