#include "conversion/progress_text.h"

#include <cinttypes>
#include <cstdio>

namespace canopex {
namespace {

// "1 cut list", "2 cut lists".
std::string Counted(std::int32_t count, const char* singular, const char* plural) {
  char text[48];
  std::snprintf(text, sizeof text, "%ld %s", static_cast<long>(count),
                count == 1 ? singular : plural);
  return text;
}

}  // namespace

std::string ProgressText(const RunProgress& progress) {
  char read[48];
  if (progress.report_size > 0) {
    const std::uint64_t read_bytes =
        progress.bytes_read < progress.report_size ? progress.bytes_read : progress.report_size;
    // Integer arithmetic: no rounding up to 100% before the end, and no
    // overflow for any size a disk holds.
    const std::uint64_t percent = progress.report_size >= UINT64_MAX / 100
                                      ? read_bytes / (progress.report_size / 100)
                                      : read_bytes * 100 / progress.report_size;
    std::snprintf(read, sizeof read, "%" PRIu64 "%% read", percent);
  } else {
    const std::uint64_t tenths = progress.bytes_read / 100000;
    std::snprintf(read, sizeof read, "%" PRIu64 ".%" PRIu64 " MB read", tenths / 10, tenths % 10);
  }
  return std::string(read) + ", " + Counted(progress.cut_lists, "cut list", "cut lists") + ", " +
         Counted(progress.trees, "tree", "trees");
}

}  // namespace canopex
