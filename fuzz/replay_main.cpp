// A fuzz target's main in the native builds: runs it once on every file in the
// folders named (corpus, regressions; a missing one is skipped). No input at
// all fails: a replay that ran nothing would pass.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::filesystem::is_directory(argv[i])) continue;
    for (const auto& input : std::filesystem::directory_iterator(argv[i])) {
      const std::string bytes = canopex::fuzz::FileBytes(input.path());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  return replayed == 0 ? 1 : 0;
}
