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
  // Deletes a regular file or link before the file is written afresh; false
  // when one is still there, so that a write would add to its old contents.
  virtual bool Remove(const std::string& path, const FileIdentity& guarded) = 0;
};

// The real disk. Append and Overwrite go through the steps below, one call
// each, so that a test can make an open, a write or a close fail on real files
// (tests/conversion/faulty_file_operations.h).
class DiskFileOperations : public FileOperations {
 public:
  // The first append to a path checks which file it opened; the appends
  // after it to the same path do not, until the path is removed or
  // overwritten: the file they reach is the one checked (only this run
  // writes there), and the check would cost about a third of each append.
  bool Append(const std::string& path, std::string_view bytes,
              const FileIdentity& guarded) override {
    const bool checked = path == checked_path_;
    if (!checked) checked_path_.clear();
    OutputFile file =
        Open(path, OutputFile::Mode::Append, checked ? FileIdentity{} : guarded);
    if (!file.is_open()) return false;
    if (!checked) checked_path_ = path;
    return WriteAndClose(file, bytes);
  }
  bool Overwrite(const std::string& path, std::string_view bytes,
                 const FileIdentity& guarded) override {
    if (path == checked_path_) checked_path_.clear();
    OutputFile file = Open(path, OutputFile::Mode::Overwrite, guarded);
    return file.is_open() && WriteAndClose(file, bytes);
  }
  bool Remove(const std::string& path, const FileIdentity& guarded) override {
    if (path == checked_path_) checked_path_.clear();
    return RemoveReplaceableFile(path, guarded);
  }

 protected:
  virtual OutputFile Open(const std::string& path, OutputFile::Mode mode,
                          const FileIdentity& guarded) {
    return OutputFile::Open(path, mode, guarded);
  }
  virtual bool Write(OutputFile& file, std::string_view bytes) { return file.Write(bytes); }
  virtual bool Close(OutputFile& file) { return file.Close(); }

 private:
  bool WriteAndClose(OutputFile& file, std::string_view bytes) {
    const bool written = Write(file, bytes);
    return Close(file) && written;
  }

  std::string checked_path_;
};

}  // namespace canopex
