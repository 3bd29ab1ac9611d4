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
  bool Append(const std::string& path, std::string_view bytes,
              const FileIdentity& guarded) override {
    return OpenWriteClose(path, OutputFile::Mode::Append, bytes, guarded);
  }
  bool Overwrite(const std::string& path, std::string_view bytes,
                 const FileIdentity& guarded) override {
    return OpenWriteClose(path, OutputFile::Mode::Overwrite, bytes, guarded);
  }
  bool Remove(const std::string& path, const FileIdentity& guarded) override {
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
  bool OpenWriteClose(const std::string& path, OutputFile::Mode mode, std::string_view bytes,
                      const FileIdentity& guarded) {
    OutputFile file = Open(path, mode, guarded);
    if (!file.is_open()) return false;
    const bool written = Write(file, bytes);
    return Close(file) && written;
  }
};

}  // namespace canopex
