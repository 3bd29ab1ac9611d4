#include "conversion/progress_text.h"

#include <cinttypes>
#include <cstdio>

#include "util/number_format.h"

namespace canopex {

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
