// The warnings of one canopex-convert run: what the run did that is no
// error but is most likely not what was meant. Each is one line of text
// without the "warning: " lead.
#pragma once

#include <string>
#include <vector>

#include "conversion/tree_list_converter.h"

namespace canopex {

struct RunFacts {
  const RunCounts& counts;
  const RunFindings& findings;
  std::string settings_path;     // the settings file in use, as named
  bool settings_existed = true;  // false when -s named a file that did not exist
  bool compress = false;         // compression was asked for
  bool succeeded = false;        // the run ended without an error
};

std::vector<std::string> RunWarnings(const RunFacts& facts);

}  // namespace canopex
