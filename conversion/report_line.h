// Operations on single lines of a tree list report: recognising and parsing
// a cut list header, cutting tokens, and cutting a tree line into its fields.
// A line is what ReportReader::ReadReportLine delivers: at most 255
// characters, its LF (if it has one) kept as the last character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/tree_list_layout.h"

namespace canopex {

// The page header text that every continuing page of a cut list carries,
// whatever the layout's indicator says. Two blanks between CUT and LIST.
inline constexpr std::string_view kCutListPageTitle = "COMPLETE CUT  LIST";

// The label before the year on header lines.
inline constexpr std::string_view kYearLabel = "YEAR:";

// The label before the stand on page headers.
inline constexpr std::string_view kStandLabel = "STAND:";

// The line without its line end: a trailing LF and any CRs directly before it.
std::string_view LineBody(std::string_view line);

// Whether a line holds nothing but white space, or the 0x1A that ends some
// old text files: no tree, no text.
bool IsBlankLine(std::string_view line);

// True when the line has at least 3 characters (its LF included) and holds
// `indicator` (byte-wise, case-sensitive). An empty indicator is in every line.
bool IsCutListHeader(std::string_view line, std::string_view indicator);

// The token that begins at `start`: every character up to the line's end,
// where the first blank met is skipped and the second blank ends the token.
// The line end is never part of a token. Empty when `start` is past the end.
std::string CutToken(std::string_view line, std::size_t start);

// Where the year token of a header line starts: just after the first
// "YEAR:", or at position 4 when there is none.
std::size_t YearTokenStart(std::string_view line);

// The stand token of a header line: the token after its first colon, or
// from position 0 when it has none.
std::string StandTokenOf(std::string_view line);

struct CutListHeader {
  std::string stand;      // the token after the first colon
  std::string year;       // the token after "YEAR:"
  std::int32_t year_number = 0;
  std::string file_name;  // "<stand>_<year>.txt"; empty when the header is unusable
};

// Takes stand and year out of a cut list header line. The year is only taken
// when a stand was found; the file name only when both were.
CutListHeader ParseCutListHeader(std::string_view line);

// The six fields of a tree line, each trimmed of white space. The views point
// into the line given to CutTreeFields.
struct TreeFieldTexts {
  std::string_view tree_id;
  std::string_view species;
  std::string_view tpa;
  std::string_view diameter;
  std::string_view height;
  std::string_view crown_ratio;
};

// Cuts a tree line by the layout's columns. A negative start or length counts
// as 0; columns past the end of the line give empty texts; a field that
// reaches past the end is shortened to what is there. Nothing is capped.
TreeFieldTexts CutTreeFields(std::string_view line, const TreeListLayout& layout);

}  // namespace canopex
