// canopex-read-floor: reads a report the way the converter does, in 64 KiB
// chunks with fread, and only counts its LF bytes. No conversion can read a
// report faster than this, so it is the floor conversion times are set
// against. Prints the count.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "conversion/report_reader.h"
#include "util/stdio_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: canopex-read-floor REPORT\n");
    return 2;
  }
  canopex::StdioFile file(std::fopen(argv[1], "rb"));
  if (!file.is_open()) {
    std::perror(argv[1]);
    return 1;
  }
  std::vector<char> chunk(canopex::kReportChunkSize);
  unsigned long long line_feeds = 0;
  std::size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
    line_feeds += static_cast<unsigned long long>(
        std::count(chunk.data(), chunk.data() + got, '\n'));
  }
  if (std::ferror(file.get())) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%llu\n", line_feeds);
  return 0;
}
