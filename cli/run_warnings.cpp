#include "cli/run_warnings.h"

#include "util/number_format.h"

namespace canopex {

std::vector<std::string> RunWarnings(const RunFacts& facts) {
  std::vector<std::string> warnings;
  const RunFindings& findings = facts.findings;
  if (!facts.settings_existed) {
    warnings.push_back("settings file " + facts.settings_path +
                       " did not exist: it is created with the default layout and options");
  }
  if (facts.succeeded && facts.counts.cut_lists > 0 && facts.counts.trees == 0) {
    warnings.push_back(Counted(facts.counts.cut_lists, "cut list", "cut lists") +
                       " found but no tree kept: do the columns of section [TreeList] in " +
                       facts.settings_path + " fit the report?");
  }
  if (findings.lines_without_number > 0) {
    warnings.push_back(
        Counted(findings.lines_without_number, "tree line holds", "tree lines hold") +
        " no number in the TPA or diameter column (the first is line " +
        std::to_string(findings.first_line_without_number) +
        " of the report): such a TPA counts as zero, such a diameter as 0");
  }
  if (findings.unended_last_line > 0) {
    warnings.push_back("the report's last line (line " + std::to_string(findings.unended_last_line) +
                       ") has no line end: the report may be cut off");
  }
  if (findings.automatic_compression && !facts.compress) {
    const RunFindings::AutomaticCompression& switched = *findings.automatic_compression;
    warnings.push_back("cut list " + std::to_string(switched.cut_list) + " (stand: " + switched.stand +
                       ", year: " + switched.year + ") kept " + std::to_string(switched.trees) +
                       " trees, more than " + std::to_string(kAutomaticCompressionTrees) +
                       ": it and every later cut list are written "
                       "compressed despite --no-compress");
  }
  for (const std::string& path : findings.rewritten_stand_files) {
    warnings.push_back("stand file " + path +
                       " was written again by a later cut list of the same stand and year, "
                       "whose rows replaced the earlier ones");
  }
  return warnings;
}

}  // namespace canopex
