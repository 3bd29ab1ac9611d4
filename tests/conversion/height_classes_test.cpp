#include "conversion/height_classes.h"

#include <gtest/gtest.h>

#include <vector>

#include "conversion/record_key.h"
#include "settings/ini_store.h"

namespace canopex {
namespace {

TEST(HeightClasses, ParameterCheck) {
  const struct {
    const char* setup;
    bool on, faulty;
    std::int16_t smallest, largest;
  } cases[] = {
      {"", true, false, 6, 9},
      {"TreeHtClassesMaxDBH=19", true, false, 6, 19},
      {"TreeHtClassesMaxDBH=20", false, true, 6, 20},
      {"TreeHtClassesMinDBH=0", false, true, 0, 9},
      {"TreeHtClassesMinDBH=-3", false, true, -3, 9},
      {"TreeHtClassesMaxDBH=0", false, true, 6, 0},
      {"TreeHtClassesMinDBH=10", false, true, 10, 9},
      {"TreeHtClassesMinDBH=8\nTreeHtClassesMaxDBH=8", true, false, 8, 8},
      {"TreeHtClassesMaxDBH=65535", false, true, 6, -1},  // low 16 bits
      {"TreeHtClassesMaxDBH=65545", true, false, 6, 9},
      {"TreeHtClasses=0\nTreeHtClassesMaxDBH=20", false, false, 6, 20},
  };
  for (const auto& c : cases) {
    MemorySettingsStore settings(std::string("[Setup]\n") + c.setup + "\n");
    const HeightClassSetup setup = ReadHeightClassSetup(settings);
    EXPECT_EQ(setup.table.on, c.on) << c.setup;
    EXPECT_EQ(setup.faulty, c.faulty) << c.setup;
    EXPECT_EQ(setup.table.smallest, c.smallest) << c.setup;
    EXPECT_EQ(setup.table.largest, c.largest) << c.setup;
  }
}

TEST(HeightClasses, SmallTreesAreTheClassesInRange) {
  const HeightClassTable table{true, 6, 9};
  EXPECT_FALSE(table.IsSmallTree(DiameterClassOf(5.50)));
  EXPECT_TRUE(table.IsSmallTree(DiameterClassOf(5.51)));
  EXPECT_TRUE(table.IsSmallTree(DiameterClassOf(9.50)));
  EXPECT_FALSE(table.IsSmallTree(DiameterClassOf(9.51)));
  EXPECT_FALSE((HeightClassTable{false, 6, 9}.IsSmallTree(7)));
}

// Files trees into the small-tree table as the converter does, then assigns
// height classes. Returns the height classes in key order.
class SmallTreeRun {
 public:
  std::vector<int> CutList(const std::vector<std::pair<const char*, double>>& trees,
                           std::int16_t diameter_class = 7) {
    RecordTable small_trees;
    RecordTable cut_list;
    for (const auto& [species, height] : trees) {
      TreeRecord record;
      record.species = species;
      record.diameter_class = diameter_class;
      record.key = MakeRecordKey(species, diameter_class, height, next_tree_++);
      tally_.CountSmallTree(diameter_class);
      small_trees.Insert(record);
    }
    tally_.AssignHeightClasses(small_trees, cut_list);
    EXPECT_EQ(cut_list.size(), trees.size());
    for (const TreeRecord& record : small_trees.InKeyOrder()) EXPECT_EQ(record.height_class, 0);
    std::vector<int> classes;
    for (const TreeRecord& record : cut_list.InKeyOrder()) classes.push_back(record.height_class);
    return classes;
  }
  const HeightClassTally& tally() const { return tally_; }

 private:
  HeightClassTally tally_;
  std::int32_t next_tree_ = 0;
};

TEST(HeightClasses, ThirdsOfOneCutListFromTheShortestTreeUp) {
  const std::vector<std::vector<int>> expected = {
      {3}, {3, 3}, {1, 2, 3}, {1, 2, 3, 3}, {1, 2, 3, 3, 3}, {1, 1, 2, 2, 3, 3},
      {1, 1, 2, 2, 3, 3, 3}};
  for (std::size_t n = 1; n <= expected.size(); ++n) {
    std::vector<std::pair<const char*, double>> trees;
    // Heights in falling report order: the key sorts them upwards.
    for (std::size_t i = 0; i < n; ++i) trees.emplace_back("DF", 50.0 - 5.0 * i);
    EXPECT_EQ(SmallTreeRun().CutList(trees), expected[n - 1]) << n << " trees";
  }
}

TEST(HeightClasses, ThirdsBelongToTheDiameterClassNotTheSpecies) {
  SmallTreeRun run;
  // DF 20, 30 get class 1; DF 40 and PP 25 class 2; PP 35 and 45 class 3.
  EXPECT_EQ(run.CutList({{"PP", 45}, {"DF", 20}, {"PP", 25}, {"DF", 40}, {"PP", 35}, {"DF", 30}}),
            (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST(HeightClasses, TheTallyRunsOnOverTheCutListsOfARun) {
  SmallTreeRun run;
  EXPECT_EQ(run.CutList({{"DF", 20}, {"DF", 30}}, 6), (std::vector<int>{3, 3}));
  // 9 small trees in all: a third is 3; class 1 and 2 still have 3 places.
  EXPECT_EQ(run.CutList({{"DF", 10}, {"DF", 11}, {"DF", 12}, {"DF", 13}, {"DF", 14}, {"DF", 15},
                         {"DF", 16}},
                        6),
            (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
  const HeightClassTally::Row& row = run.tally().row(6);
  EXPECT_EQ(row.small_trees, 9);
  EXPECT_EQ(row.third, 3);
  EXPECT_EQ(row.given, (std::array<std::int32_t, 3>{3, 3, 3}));
}

}  // namespace
}  // namespace canopex
