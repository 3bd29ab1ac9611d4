#include "conversion/report_line.h"

#include <gtest/gtest.h>

#include <string>

namespace canopex {
namespace {

constexpr const char* kIndicator = "COMPLETE CUT  LIST";

TEST(IsCutListHeader, NeedsTheIndicatorAndThreeCharacters) {
  const struct {
    std::string line;
    std::string indicator;
    bool header;
  } cases[] = {
      {"STAND: 0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST\n", kIndicator, true},
      {"COMPLETE CUT  LIST", kIndicator, true},
      {"STAND: 0042 YEAR: 1998 COMPLETE CUT LIST\n", kIndicator, false},  // one blank
      {"stand: 0042 year: 1998 complete cut  list\n", kIndicator, false},  // case matters
      {"COMPLETE CUT  LIS", kIndicator, false},
      {"X\n", "", false},  // two characters are never a header
      {"XY\n", "", true},  // an empty indicator is in every line
      {"", "", false},
      {"\fPAGE 2 CUT\n", "CUT", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(IsCutListHeader(c.line, c.indicator), c.header);
  }
}

TEST(CutToken, SkipsTheFirstBlankAndStopsAtTheSecond) {
  const struct {
    std::string line;
    std::size_t start;
    std::string token;
  } cases[] = {
      {"STAND: 0042 PLOT", 6, "0042"},
      {"STAND:  0042 PLOT", 6, ""},         // two blanks: empty
      {"STAND:0042 PLOT 3", 6, "0042PLOT"},  // no blank after the colon
      {"YEAR: 1998\n", 5, "1998"},           // the line end is no part of a token
      {"YEAR: 1998\r\n", 5, "1998"},
      {"YEAR: 1998\r\r\n", 5, "1998"},
      {"YEAR: 1998\r", 5, "1998"},           // a last line ending in CR
      {"YEAR: 19\r98\n", 5, "19\r98"},       // a CR inside the line stays
      {"K: a\tb c\n", 2, "a\tb"},            // a tab is part of a token
      {"abc", 3, ""},
      {"abc", 99, ""},
      {"\n", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(CutToken(c.line, c.start), c.token);
  }
}

TEST(ParseCutListHeader, TakesStandAndYear) {
  const struct {
    std::string line;
    std::string stand;
    std::string year;
    std::int32_t year_number;
    std::string file_name;
  } cases[] = {
      {"STAND: 0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST\n", "0042", "1998", 1998,
       "0042_1998.txt"},
      {"STAND:  0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST\n", "", "", 0, ""},
      {"STAND:0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST\n", "0042PLOT", "1998", 1998,
       "0042PLOT_1998.txt"},
      {"COMPLETE CUT  LIST  STAND: 0042 YEAR: 1998\n", "0042", "1998", 1998, "0042_1998.txt"},
      {"COMPLETE CUT  LIST  STAND: 0042 YEAR: 1998\r\n", "0042", "1998", 1998, "0042_1998.txt"},
      {"STAND: 0042 YEAR:  1998 COMPLETE CUT  LIST\n", "0042", "", 0, ""},
      {"STAND: 0042 YEAR: 98ab COMPLETE CUT  LIST\n", "0042", "98ab", 98, "0042_98ab.txt"},
      {"STAND: 0042 YEAR: -5 COMPLETE CUT  LIST\n", "0042", "-5", -5, "0042_-5.txt"},
      // Without "YEAR:" the year is cut from position 4, without a colon the
      // stand from position 0.
      {"STAND: 0042 1998 COMPLETE CUT  LIST\n", "0042", "D:0042", 0, "0042_D:0042.txt"},
      {"AB 12 CD COMPLETE CUT  LIST\n", "AB12", "2CD", 2, "AB12_2CD.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const CutListHeader header = ParseCutListHeader(c.line);
    EXPECT_EQ(header.stand, c.stand);
    EXPECT_EQ(header.year, c.year);
    EXPECT_EQ(header.year_number, c.year_number);
    EXPECT_EQ(header.file_name, c.file_name);
  }
}

struct FieldsCase {
  const char* what;
  std::string line;
  TreeListLayout layout;
  std::vector<std::string> fields;  // tree id, species, TPA, diameter, height, crown ratio
};

TreeListLayout Layout(ColumnRange tree_id, ColumnRange species, ColumnRange tpa,
                      ColumnRange diameter, ColumnRange height, ColumnRange crown_ratio) {
  TreeListLayout layout;
  layout.tree_id = tree_id;
  layout.species = species;
  layout.tpa = tpa;
  layout.diameter = diameter;
  layout.height = height;
  layout.crown_ratio = crown_ratio;
  return layout;
}

TEST(CutTreeFields, CutsByTheLayoutAndTrims) {
  //                         1111111111222222222233333333334444444444555555555566666666667777
  //               01234567890123456789012345678901234567890123456789012345678901234567890123
  const std::string full = "      17      DF                12.500            8.3        52.1      45\n";
  const FieldsCase cases[] = {
      {"default layout", full, TreeListLayout{}, {"17", "DF", "12.500", "8.3", "52.1", "45"}},
      {"short line", "      17      DF                12.5  \n", TreeListLayout{},
       {"17", "DF", "12.5", "", "", ""}},
      {"blank line", "\n", TreeListLayout{}, {"", "", "", "", "", ""}},
      {"empty line", "", TreeListLayout{}, {"", "", "", "", "", ""}},
      {"negative start and length count as 0",
       "ABCDEF\n", Layout({-5, 3}, {2, -1}, {0, 0}, {4, 100}, {6, 1}, {7, 1}),
       {"ABC", "", "", "EF", "", ""}},
      {"wide columns are not capped",
       "1234567890123 SPECIES-NAME-LONG 1\n",
       Layout({0, 13}, {14, 17}, {32, 1}, {0, 0}, {0, 0}, {0, 0}),
       {"1234567890123", "SPECIES-NAME-LONG", "1", "", "", ""}},
      {"tabs and other white space trimmed", "\t 7 \v\f\r\n",
       Layout({0, 9}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}), {"7", "", "", "", "", ""}},
  };
  for (const FieldsCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TreeFieldTexts f = CutTreeFields(c.line, c.layout);
    const std::vector<std::string> fields = {std::string(f.tree_id),  std::string(f.species),
                                             std::string(f.tpa),      std::string(f.diameter),
                                             std::string(f.height),   std::string(f.crown_ratio)};
    EXPECT_EQ(fields, c.fields);
  }
}

}  // namespace
}  // namespace canopex
