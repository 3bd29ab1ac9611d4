// RecordTable hands its records out in key order, each whole, whatever order
// they came in; it is reused from one cut list to the next.
#include "conversion/tree_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace canopex {
namespace {

std::string KeyOf(int number) {
  char key[16];
  std::snprintf(key, sizeof key, "DF_%07d", number);
  return key;
}

TEST(RecordTable, HandsOutEveryRecordWholeInKeyOrder) {
  std::mt19937 random(7);
  RecordTable table;
  for (const int count : {0, 1, 2, 3, 17, 1000, 5}) {
    SCOPED_TRACE(count);
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    std::shuffle(numbers.begin(), numbers.end(), random);
    table.Clear();
    for (const int number : numbers) {
      TreeRecord record;
      record.key = KeyOf(number);
      record.tree_id = std::to_string(number);
      record.species = "species of a name too long to be kept in place " + record.tree_id;
      table.Insert(std::move(record));
    }
    const auto sorted = table.InKeyOrder();
    ASSERT_EQ(sorted.size(), numbers.size());
    for (int at = 0; at < count; ++at) {
      EXPECT_EQ(sorted[at].key, KeyOf(at));
      EXPECT_EQ(sorted[at].tree_id, std::to_string(at));
      EXPECT_EQ(sorted[at].species,
                "species of a name too long to be kept in place " + std::to_string(at));
    }
  }
}

}  // namespace
}  // namespace canopex
