// Tree list report text for tests, in the default column layout.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace canopex::testing {

// One tree line: id, species, TPA, diameter, height; crown ratio 50.
inline std::string TreeLine(int id, const char* species, const char* tpa, const char* dbh,
                            const char* height) {
  char line[128];
  std::snprintf(line, sizeof line,
                "%8d      %-2s              %8s          %5s       %5s      50\r\n", id, species,
                tpa, dbh, height);
  return line;
}

// A cut list on a page of its own: a page break, one line, the header.
inline std::string CutList(const std::string& stand, const std::string& year,
                           const std::vector<std::string>& trees) {
  std::string text = "\fTREE LIST REPORT\r\nRUN 1\r\nSTAND: " + stand + " PLOT 1 YEAR: " + year +
                     " COMPLETE CUT  LIST\r\n" + "  heading 1\r\n  heading 2\r\n  heading 3\r\n";
  for (const std::string& tree : trees) text += tree;
  return text;
}

}  // namespace canopex::testing
