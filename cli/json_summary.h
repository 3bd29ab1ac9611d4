// The --json summary of one canopex-convert run: one JSON object on one
// line, for scripts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/tree_list_converter.h"

namespace canopex {

struct RunSummary {
  std::string report;  // as given
  const RunCounts& counts;
  std::vector<std::string> warnings;
  std::vector<std::string> stand_files;
  int exit_status = 0;
};

// {"report":...,"cut_lists":N,"trees":N,"tpa_zero":N,"below_diameter":N,
//  "error":"...","warnings":[...],"stand_files":[...],"exit_status":N}
// followed by a line end.
std::string JsonSummary(const RunSummary& summary);

// `text` as a JSON string with its quotes. Texts are bytes: valid UTF-8 is
// kept, and every other byte above 0x7F is read as Latin-1, so that the
// result is always valid JSON.
std::string JsonString(std::string_view text);

}  // namespace canopex
