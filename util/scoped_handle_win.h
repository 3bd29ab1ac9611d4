// Sole owner of a Win32 file handle: move-only, closes it in its destructor.
#pragma once

#include <windows.h>

#include <cstddef>

namespace canopex {

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.handle_) { other.release(); }
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.release();
    }
    return *this;
  }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void release() { handle_ = INVALID_HANDLE_VALUE; }
  // False when it was not open or closing failed.
  bool Close() {
    if (!valid()) return false;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Writes all of `size` bytes; false at the first failed or empty write.
bool WriteAll(HANDLE file, const char* data, std::size_t size);

}  // namespace canopex
