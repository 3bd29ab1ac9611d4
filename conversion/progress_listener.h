// Told by the converter as a run goes on. The window converts on its own
// thread, so this is where it gets to repaint itself during a long run; the
// command line updates its progress line here.
#pragma once

#include <cstdint>

namespace canopex {

// How far a run has come.
struct RunProgress {
  std::uint64_t bytes_read = 0;
  std::uint64_t report_size = 0;  // 0 when unknown (a report read from a pipe)
  std::int32_t cut_lists = 0;
  std::int32_t trees = 0;
};

class ProgressListener {
 public:
  virtual ~ProgressListener() = default;
  // Called after each chunk of the report is read and at the end of each
  // cut list (written, or failed), often: a listener that shows something
  // decides itself how often it is worth it.
  virtual void Advanced(const RunProgress& progress) = 0;
};

}  // namespace canopex
