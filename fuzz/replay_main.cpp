// The main of a fuzz target built without libFuzzer: runs the target once on
// every file named on the command line or found in a folder named there (in
// name order, sub-folders included), so that the saved corpus and regression
// inputs run in every native build. A missing folder is skipped (a target
// may have no regressions yet); finding no input at all is a failure, as a
// test that ran nothing would pass for a good one. A failed check aborts
// inside the target.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& path) {
  std::error_code error;
  if (fs::is_regular_file(path, error)) return {path};
  std::vector<fs::path> inputs;
  if (!fs::is_directory(path, error)) return inputs;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path, error)) {
    if (entry.is_regular_file(error)) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& input : InputsIn(argv[i])) {
      std::ifstream in(input, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return 1;
      }
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  if (replayed == 0) {
    std::fprintf(stderr, "no input found\n");
    return 1;
  }
  return 0;
}
