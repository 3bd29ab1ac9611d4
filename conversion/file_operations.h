// The converter's writes to the disk. Each call guards the run's input file:
// it is never written, emptied or deleted (see util/output_file.h).
#pragma once

#include <string>
#include <string_view>

#include "util/output_file.h"

namespace canopex {

class DiskFileOperations {
 public:
  // Appends `bytes` with one open, write and close; true when all of it was
  // written and the file closed. The first append to a path checks which
  // file it opened; the appends after it to the same path do not, until the
  // path is removed or overwritten: the file they reach is the one checked
  // (only this run writes there), and the check would cost about a third of
  // each append.
  bool Append(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
    const bool checked = path == checked_path_;
    if (!checked) checked_path_.clear();
    OutputFile file =
        OutputFile::Open(path, OutputFile::Mode::Append, checked ? FileIdentity{} : guarded);
    if (!file.is_open()) return false;
    if (!checked) checked_path_ = path;
    return WriteAndClose(file, bytes);
  }
  // Creates or empties the file and writes `bytes`; true as for Append.
  bool Overwrite(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
    if (path == checked_path_) checked_path_.clear();
    OutputFile file = OutputFile::Open(path, OutputFile::Mode::Overwrite, guarded);
    return file.is_open() && WriteAndClose(file, bytes);
  }
  // Deletes a regular file or link before the file is written afresh; false
  // when one is still there, so that a write would add to its old contents.
  bool Remove(const std::string& path, const FileIdentity& guarded) {
    if (path == checked_path_) checked_path_.clear();
    return RemoveReplaceableFile(path, guarded);
  }

 private:
  static bool WriteAndClose(OutputFile& file, std::string_view bytes) {
    const bool written = file.Write(bytes);
    return file.Close() && written;
  }

  std::string checked_path_;
};

}  // namespace canopex
