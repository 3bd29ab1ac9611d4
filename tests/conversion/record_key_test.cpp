// What no report of a test's size reaches: diameters far out of range, tree
// numbers past seven digits, and the in-place sort's cycles in many orders.
#include "conversion/record_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "conversion/tree_record.h"

namespace canopex {
namespace {

TEST(RecordKey, DiameterClassBoundariesAndExtremes) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double diameter;
    std::int16_t expected;
  } cases[] = {
      {5.50, 5},          {5.51, 6},        {9.51, 10},        {12.5, 12},       {-0.6, -1},
      {32768.0, -32768},  // low 16 bits, read as signed
      {2147483647.0, -1}, {2147483648.0, 0}, {-2147483649.6, 0}, {inf, 0}, {std::nan(""), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DiameterClassOf(c.diameter), c.expected) << c.diameter;
  }
}

TEST(RecordKey, TablesOrderKeysByteWiseAndTreeNumbersAsNumbers) {
  // "AB" before "A": '_' follows the capitals. Heights of small trees, then
  // report order, also past seven digits. Bytes above 0x7F come last.
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

TEST(RecordTable, HandsOutEveryRecordWholeInKeyOrderWhateverTheOrderIn) {
  std::mt19937 random(7);
  RecordTable table;  // reused, as from one cut list to the next
  for (const int count : {0, 1, 2, 3, 17, 1000, 5}) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    std::shuffle(numbers.begin(), numbers.end(), random);
    table.Clear();
    for (const int number : numbers) {
      TreeRecord record;
      record.key = MakeRecordKey("DF", 12, 0.0, number);
      record.tree_id = std::to_string(number);
      record.species = "a name too long to be kept in place " + record.tree_id;
      table.Insert(std::move(record));
    }
    const auto sorted = table.InKeyOrder();
    ASSERT_EQ(sorted.size(), numbers.size()) << count;
    for (int at = 0; at < count; ++at) {
      EXPECT_EQ(sorted[at].tree_id, std::to_string(at)) << count;
      EXPECT_EQ(sorted[at].species, "a name too long to be kept in place " + std::to_string(at));
    }
  }
}

}  // namespace
}  // namespace canopex
