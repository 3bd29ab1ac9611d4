// What the fuzz targets share: a check, escaping for its messages, a
// temporary folder for the process, whole-file reads and writes.
#pragma once

#include <stdlib.h>  // mkdtemp

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "tests/support/file_bytes.h"

// Aborts with `detail` (an expression giving a std::string) when `condition`
// is false, so that libFuzzer and the replayer both report the input.
#define FUZZ_CHECK(condition, detail)                                                       \
  ((condition) ? void() : (std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", __FILE__,  \
                                        __LINE__, #condition, std::string(detail).c_str()), \
                           std::abort()))

namespace canopex::fuzz {

// `text` with control bytes, bytes above ASCII and backslashes as \xNN, for messages.
inline std::string Escaped(std::string_view text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') out += static_cast<char>(c);
    else out.append({'\\', 'x', "0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]});
  }
  return out;
}

// A folder of the process's own under TMPDIR, made at the first call and removed when the
// process ends normally; after a crash it stays, with the files the failing input left.
inline const std::filesystem::path& TempFolder() {
  static const struct Folder {
    std::filesystem::path path;
    ~Folder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
  } folder{[] {
    std::string name = (std::filesystem::temp_directory_path() / "canopex-fuzz-XXXXXX").string();
    FUZZ_CHECK(::mkdtemp(name.data()) != nullptr, "cannot create " + name);
    return std::filesystem::path(name);
  }()};
  return folder.path;
}

inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  FUZZ_CHECK(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good(),
             "cannot write " + path.string());
}

// The file's bytes; empty when it cannot be read.
using testing::FileBytes;

}  // namespace canopex::fuzz
