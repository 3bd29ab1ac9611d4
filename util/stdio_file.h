// Sole owner of a C stdio stream: move-only, closes in its destructor.
#pragma once

#include <cstdio>
#include <utility>

namespace canopex {

class StdioFile {
 public:
  StdioFile() = default;
  // Takes ownership of `file`, which may be null.
  explicit StdioFile(std::FILE* file) : file_(file) {}
  ~StdioFile() { Close(); }

  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;
  StdioFile(StdioFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}
  StdioFile& operator=(StdioFile&& other) noexcept {
    if (this != &other) {
      Close();
      file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
  }

  bool is_open() const { return file_ != nullptr; }
  std::FILE* get() const { return file_; }

  // Closes the stream; false when it was not open or fclose reported an error
  // (for a written file: data may not have reached the disk).
  bool Close() {
    if (file_ == nullptr) return false;
    return std::fclose(std::exchange(file_, nullptr)) == 0;
  }

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace canopex
