// Sole owner of a POSIX file descriptor: move-only, closes it in its
// destructor.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <utility>

#include "util/stdio_file.h"

namespace canopex {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.release();
    }
    return *this;
  }

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // False when it was not open or close reported an error (for a written
  // file: data may not have reached the disk).
  bool Close() {
    if (fd_ < 0) return false;
    return ::close(release()) == 0;
  }

 private:
  int fd_;
};

// Writes all of `size` bytes, retrying after interruptions and short writes.
bool WriteAll(int fd, const char* data, std::size_t size);

// A binary read stream over `fd`, in blocking mode (it may have been opened
// with O_NONBLOCK, so that the open itself could not wait); the stream owns
// the descriptor. Not open on failure, and `fd` is then closed.
StdioFile BlockingReadStream(FileDescriptor fd);

}  // namespace canopex
