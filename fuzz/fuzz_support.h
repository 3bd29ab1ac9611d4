// What the fuzz targets share: a check that aborts (so that libFuzzer and
// the replayer both report it as a crash, with the input that caused it), a
// temporary folder for the whole process, whole-file reads and writes, and a
// reader that takes choices from the front of the input.
#pragma once

#include <stdlib.h>  // mkdtemp

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace canopex::fuzz {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line,
                                     const std::string& detail) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", file, line, condition, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// Aborts with `detail` (an expression giving a std::string) when `condition`
// is false.
#define FUZZ_CHECK(condition, detail)                                                  \
  do {                                                                                 \
    if (!(condition)) ::canopex::fuzz::CheckFailed(#condition, __FILE__, __LINE__, (detail)); \
  } while (false)

// `text` with control bytes written as escapes, for check messages.
inline std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

// A folder of its own under the system's temporary folder (TMPDIR), made at
// the first call and removed with its contents when the process ends
// normally. After a crash it stays, with the files the failing input left.
class ProcessTempFolder {
 public:
  static const std::filesystem::path& Path() {
    static ProcessTempFolder folder;
    return folder.path_;
  }

 private:
  ProcessTempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "canopex-fuzz-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
      std::fprintf(stderr, "cannot create a temporary folder in %s\n", name.c_str());
      std::abort();
    }
    path_ = name;
  }
  ~ProcessTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::filesystem::path path_;
};

inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  FUZZ_CHECK(out.good(), "cannot write " + path.string());
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Takes choices from the front of the fuzzer's input; past its end every
// byte reads as 0.
class ChoiceReader {
 public:
  ChoiceReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // The next `count` bytes, fewer when the input ends first.
  std::string_view Bytes(std::size_t count) {
    count = count < size_ - at_ ? count : size_ - at_;
    const std::string_view bytes(reinterpret_cast<const char*>(data_ + at_), count);
    at_ += count;
    return bytes;
  }
  std::string_view Rest() { return Bytes(size_ - at_); }
  bool AtEnd() const { return at_ == size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace canopex::fuzz
