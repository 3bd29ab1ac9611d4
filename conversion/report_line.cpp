#include "conversion/report_line.h"

#include <algorithm>

#include "util/number_text.h"
#include "util/text.h"

namespace canopex {

std::string_view LineBody(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  // A CR that ends the very last line of a report (no LF after it) is a line
  // end as well.
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool IsBlankLine(std::string_view line) {
  const std::string_view text = TrimmedView(line);
  return text.empty() || text == "\x1a";
}

bool IsCutListHeader(std::string_view line, std::string_view indicator) {
  return line.size() >= 3 && line.find(indicator) != std::string_view::npos;
}

std::string CutToken(std::string_view line, std::size_t start) {
  const std::string_view body = LineBody(line);
  std::string token;
  bool blank_met = false;
  for (std::size_t at = start; at < body.size(); ++at) {
    const char c = body[at];
    if (c == ' ') {
      if (blank_met) break;
      blank_met = true;
      continue;
    }
    token += c;
  }
  return token;
}

std::size_t YearTokenStart(std::string_view line) {
  const std::size_t label = line.find(kYearLabel);
  // Without the label the position is that of a label found at -1.
  return label == std::string_view::npos ? kYearLabel.size() - 1 : label + kYearLabel.size();
}

std::string StandTokenOf(std::string_view line) {
  const std::size_t colon = line.find(':');
  return CutToken(line, colon == std::string_view::npos ? 0 : colon + 1);
}

CutListHeader ParseCutListHeader(std::string_view line) {
  CutListHeader header;
  header.stand = StandTokenOf(line);
  if (header.stand.empty()) return header;
  header.year = CutToken(line, YearTokenStart(line));
  if (header.year.empty()) return header;
  header.file_name = header.stand + "_" + header.year + ".txt";
  header.year_number = ReadInteger(header.year);
  return header;
}

namespace {

std::string_view CutField(std::string_view line, const ColumnRange& range) {
  const std::size_t start = static_cast<std::size_t>(std::max<std::int32_t>(range.start, 0));
  const std::size_t length = static_cast<std::size_t>(std::max<std::int32_t>(range.length, 0));
  if (start >= line.size()) return {};
  return TrimmedView(line.substr(start, length));
}

}  // namespace

TreeFieldTexts CutTreeFields(std::string_view line, const TreeListLayout& layout) {
  return {CutField(line, layout.tree_id),  CutField(line, layout.species),
          CutField(line, layout.tpa),      CutField(line, layout.diameter),
          CutField(line, layout.height),   CutField(line, layout.crown_ratio)};
}

}  // namespace canopex
