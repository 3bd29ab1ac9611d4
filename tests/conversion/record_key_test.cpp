#include "conversion/record_key.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "conversion/tree_record.h"

namespace canopex {
namespace {

TEST(RecordKey, DiameterClassBoundariesAndExtremes) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double diameter;
    std::int16_t expected;
  } cases[] = {
      {5.50, 5},   {5.51, 6},   {9.50, 9},   {9.51, 10},  {11.6, 12}, {12.5, 12},
      {12.51, 13}, {0.0, 0},    {0.50, 0},   {0.51, 1},   {-0.3, 0},  {-0.6, -1},
      {32767.0, 32767},
      {32768.0, -32768},          // low 16 bits, read as signed
      {65536.0 + 9.0, 9},
      {2147483647.0, -1},         // the largest class in range: 0x7FFFFFFF
      {2147483648.0, 0},          // beyond the 32-bit range
      {-2147483648.0, 0},         // 0x80000000: low 16 bits are 0
      {-2147483649.6, 0},
      {1e300, 0},  {-1e300, 0},   {inf, 0},    {-inf, 0},   {std::nan(""), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DiameterClassOf(c.diameter), c.expected) << c.diameter;
  }
}

TEST(RecordKey, KeysArePrintedWithTheFixedWidths) {
  EXPECT_EQ(MakeRecordKey("DF", 6, 0.0, 12), "DF_006_00000.0_0000012");
  EXPECT_EQ(MakeRecordKey("PP", 7, 45.25, 3), "PP_007_00045.2_0000003");
  EXPECT_EQ(MakeRecordKey("WH", 1234, 0.0, 12345678), "WH_1234_00000.0_12345678");
  EXPECT_EQ(MakeRecordKey("RA", -5, -1.5, 0), "RA_-05_-0001.5_0000000");
  EXPECT_EQ(MakeRecordKey("", 0, 0.0, 0), "_000_00000.0_0000000");
}

TEST(RecordKey, TablesOrderKeysByteWiseAndTreeNumbersAsNumbers) {
  // "AB" before "A": '_' follows the capitals. Classes by number up to 999;
  // heights of small trees, then report order, also past seven digits.
  // Bytes above 0x7F come last.
  RecordTable table;
  const struct {
    const char* species;
    std::int16_t diameter_class;
    double height;
    std::int32_t tree;
  } inserted[] = {
      {"A", 5, 0.0, 0},    {"AB", 12, 0.0, 1},   {"DF", 12, 0.0, 2}, {"DF", 5, 0.0, 3},
      {"DF", 6, 0.0, 4},   {"DF", 5, 0.0, 5},    {"\xC9T", 1, 0.0, 6},
      {"PP", 7, 35.0, 7},  {"PP", 7, 25.0, 8},   {"PP", 7, 9.5, 9},
      {"WH", 3, 0.0, 10000000}, {"WH", 3, 0.0, 9999999}, {"WH", 3, 0.0, 10000001},
  };
  for (const auto& r : inserted) {
    TreeRecord record;
    record.key = MakeRecordKey(r.species, r.diameter_class, r.height, r.tree);
    record.tree_id = std::to_string(r.tree);
    table.Insert(record);
  }
  std::string order;
  for (const TreeRecord& record : table.InKeyOrder()) order += record.tree_id + " ";
  EXPECT_EQ(order, "1 0 3 5 4 2 9 8 7 9999999 10000000 10000001 6 ");
}

}  // namespace
}  // namespace canopex
