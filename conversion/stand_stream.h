// A single stand file that is a stream rather than a file on disk (standard
// output on the command line): lines are only ever added to it, each whole,
// and nothing is deleted first.
#pragma once

#include <string_view>

#include "util/standard_streams.h"

namespace canopex {

class StandStream {
 public:
  virtual ~StandStream() = default;
  // Writes one line with its line end. Closed means the reader has gone:
  // the run then ends at once, quietly.
  virtual StreamWrite WriteLine(std::string_view line) = 0;
};

}  // namespace canopex
