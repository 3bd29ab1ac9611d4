// Writing the files a conversion produces: one line appended at a time,
// whole files replaced, and the delete before a file is written afresh. Each
// operation guards one file, the run's input, which it never writes, empties
// or deletes, however it is named (another spelling, a link).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace canopex {

// Which file on which volume: equal identities mean one file.
struct FileIdentity {
  bool known = false;
  std::uint64_t volume = 0;
  std::uint64_t index = 0;

  bool Matches(const FileIdentity& other) const {
    return known && other.known && volume == other.volume && index == other.index;
  }
};

// The identity of an open stream's file; unknown when the system cannot say.
FileIdentity IdentityOfOpenFile(std::FILE* file);

// Sole owner of a file open for writing: move-only, closed by its destructor
// (which cannot report a failed close: call Close for that). The converter
// runs its three steps, open, write and close, once per line
// (DiskFileOperations in conversion/file_operations.h).
class OutputFile {
 public:
  enum class Mode {
    Append,     // every write goes to the end
    Overwrite,  // a regular file is emptied once it is open
  };

  // Opens `path` in `mode`, creating it when missing. The result is not open
  // when the file cannot be opened (or emptied), or when it is `guarded`,
  // which is then neither emptied nor written. An unknown `guarded` skips
  // the check.
  static OutputFile Open(const std::string& path, Mode mode, const FileIdentity& guarded);

  OutputFile() = default;
  ~OutputFile() { Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile(OutputFile&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  OutputFile& operator=(OutputFile&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = kNone;
    }
    return *this;
  }

  bool is_open() const { return handle_ != kNone; }
  // Writes all of `bytes`; false when the file is not open or any write
  // failed (part of the bytes may then be in the file).
  bool Write(std::string_view bytes);
  // Closes the file; false when it was not open or the system reported an
  // error (the data may not have reached the disk).
  bool Close();

 private:
  static constexpr std::intptr_t kNone = -1;
  explicit OutputFile(std::intptr_t handle) : handle_(handle) {}

  std::intptr_t handle_ = kNone;  // a descriptor on POSIX, a HANDLE on Windows
};

// Deletes the file at `path` so that it can be written afresh, when it is a
// regular file (other than the guarded one) or a symbolic link to a regular
// file or to nothing, which is removed itself. A read-only file (on POSIX:
// one without any write bit) is kept, as Windows keeps it, and so is a link
// to anything else (a device, a pipe, a folder). A folder, device or pipe
// itself is left in place for the write that follows to succeed or fail on
// its own. False when a regular file or link is still there afterwards
// (read-only, the guarded file, a link kept, or the delete failed): a write
// would add to the old contents or go where the link points.
bool RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded);

}  // namespace canopex
