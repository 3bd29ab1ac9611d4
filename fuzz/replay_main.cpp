// The main of a fuzz target in the native builds: runs the target once on
// every file below the folders named on the command line. A missing folder is
// skipped (a target may have no regressions), but no input at all fails: a
// replay that ran nothing would pass.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[i])) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    const std::string bytes = canopex::fuzz::FileBytes(input);
    FUZZ_CHECK(bytes.size() == fs::file_size(input), "cannot read " + input.string());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
