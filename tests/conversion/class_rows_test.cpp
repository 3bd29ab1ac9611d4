#include "conversion/class_rows.h"

#include <gtest/gtest.h>

#include <vector>

#include "conversion/record_key.h"

namespace canopex {
namespace {

TreeRecord Tree(const char* species, const char* diameter, const char* height, const char* tpa,
                const char* crown_ratio, std::int16_t height_class = 0) {
  static std::int32_t number = 0;
  TreeRecord record;
  record.diameter_class = DiameterClassOf(std::stod(diameter));
  record.height_class = height_class;
  record.species = species;
  record.diameter = diameter;
  record.height = height;
  record.tpa = tpa;
  record.crown_ratio = crown_ratio;
  record.key = MakeRecordKey(species, record.diameter_class, 0.0, number++);
  return record;
}

// Runs the walk over `trees` in key order and collects the rows; the write
// numbered `failing` (0-based, counting tries) fails.
struct Walk {
  std::vector<std::string> rows;
  int tries = 0;
  bool result = false;

  Walk(std::vector<TreeRecord> trees, bool crown_ratio, std::vector<int> failing = {}) {
    RecordTable table;
    for (TreeRecord& tree : trees) table.Insert(std::move(tree));
    result = WriteClassRows(table.InKeyOrder(), "0042", "1998", crown_ratio,
                            [&](const std::string& line) {
                              const bool fails =
                                  std::find(failing.begin(), failing.end(), tries++) != failing.end();
                              if (!fails) rows.push_back(line);
                              return !fails;
                            });
  }
};

TEST(ClassRows, OneRowPerSpeciesClassAndHeightClassWithWeightedMeans) {
  const Walk walk({Tree("DF", "12.0", "20", "10", "40"), Tree("DF", "11.6", "40", "30", "60"),
                   Tree("DF", "12.51", "50", "1", "50"), Tree("DF", "5.0", "15", "2", "30"),
                   Tree("DF", "6.0", "18", "4", "20", 1), Tree("DF", "6.2", "22", "4", "20", 2),
                   Tree("A", "3", "10", "1.5", "33"), Tree("AB", "3", "11", "2.25", "44")},
                  true);
  EXPECT_TRUE(walk.result);
  const std::vector<std::string> expected = {
      "'0042\t1998\t0\tAB\t3\t  11.0\t     2.250\t 44",
      "'0042\t1998\t0\tA\t3\t  10.0\t     1.500\t 33",
      "'0042\t1998\t0\tDF\t5\t  15.0\t     2.000\t 30",
      "'0042\t1998\t0\tDF\t6\t  18.0\t     4.000\t 20",   // height class 1
      "'0042\t1998\t0\tDF\t6\t  22.0\t     4.000\t 20",   // height class 2
      "'0042\t1998\t0\tDF\t12\t  35.0\t    40.000\t 55",  // (20x10 + 40x30) / 40
      "'0042\t1998\t0\tDF\t13\t  50.0\t     1.000\t 50",
  };
  EXPECT_EQ(walk.rows, expected);
}

TEST(ClassRows, ZeroTpaSumGivesZeroMeansAndTextsThatAreNoNumbersCountZero) {
  const Walk walk({Tree("DF", "12", "20", "2.5", "40"), Tree("DF", "12", "60", "-2.5", "80"),
                   Tree("WH", "8", "n/a", "4", "x")},
                  true);
  const std::vector<std::string> expected = {
      "'0042\t1998\t0\tDF\t12\t   0.0\t     0.000\t  0",
      "'0042\t1998\t0\tWH\t8\t   0.0\t     4.000\t  0",
  };
  EXPECT_EQ(walk.rows, expected);
}

TEST(ClassRows, WithoutCrownRatioColumnRowsHaveSevenFields) {
  const Walk walk({Tree("DF", "12", "64.84", "12.5", "45")}, false);
  ASSERT_EQ(walk.rows.size(), 1u);
  EXPECT_EQ(walk.rows[0], "'0042\t1998\t0\tDF\t12\t  64.8\t    12.500");
}

TEST(ClassRows, AFailedRowIsTriedOnceMoreAndEndsTheWalk) {
  const std::vector<TreeRecord> trees = {Tree("DF", "5", "10", "1", "1"),
                                         Tree("DF", "6", "10", "1", "1"),
                                         Tree("DF", "7", "10", "1", "1")};
  {
    // The second group's row fails, then succeeds as the closing row; the
    // third group is never written.
    const Walk walk(trees, false, {1});
    EXPECT_TRUE(walk.result);
    EXPECT_EQ(walk.tries, 3);
    ASSERT_EQ(walk.rows.size(), 2u);
    EXPECT_NE(walk.rows[1].find("\tDF\t6\t"), std::string::npos);
  }
  {
    // Both tries fail: the walk reports it.
    const Walk walk(trees, false, {1, 2});
    EXPECT_FALSE(walk.result);
    EXPECT_EQ(walk.tries, 3);
    EXPECT_EQ(walk.rows.size(), 1u);
  }
  {
    // Only the closing row fails, once: that is the end of it.
    const Walk walk(trees, false, {2});
    EXPECT_FALSE(walk.result);
    EXPECT_EQ(walk.tries, 3);
  }
}

TEST(ClassRows, AnEmptyTableWritesNothing) {
  const Walk walk({}, true);
  EXPECT_TRUE(walk.result);
  EXPECT_EQ(walk.tries, 0);
}

}  // namespace
}  // namespace canopex
