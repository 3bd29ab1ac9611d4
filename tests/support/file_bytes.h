// Whole files as bytes, for tests that set up or check files on disk.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace canopex::testing {

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The file's bytes; empty when it cannot be read.
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace canopex::testing
