#include "conversion/tree_list_layout.h"

#include <gtest/gtest.h>

#include "settings/ini_store.h"

namespace canopex {
namespace {

TEST(TreeListLayout, DefaultsWhenTheSettingsAreEmpty) {
  MemorySettingsStore store;
  const TreeListLayout layout = ReadTreeListLayout(store);
  EXPECT_EQ(layout.tree_id.start, 0);
  EXPECT_EQ(layout.tree_id.length, 8);
  EXPECT_EQ(layout.species.start, 14);
  EXPECT_EQ(layout.species.length, 2);
  EXPECT_EQ(layout.tpa.start, 30);
  EXPECT_EQ(layout.tpa.length, 8);
  EXPECT_EQ(layout.diameter.start, 48);
  EXPECT_EQ(layout.diameter.length, 5);
  EXPECT_EQ(layout.height.start, 60);
  EXPECT_EQ(layout.height.length, 5);
  EXPECT_EQ(layout.crown_ratio.start, 71);
  EXPECT_EQ(layout.crown_ratio.length, 2);
  EXPECT_EQ(layout.cut_list_indicator, "COMPLETE CUT  LIST");
}

TEST(TreeListLayout, IndicatorLosesEveryApostrophe) {
  const struct {
    const char* stored;
    const char* indicator;
  } cases[] = {
      {"'COMPLETE CUT  LIST'", "COMPLETE CUT  LIST"},
      {"COMPLETE CUT  LIST", "COMPLETE CUT  LIST"},
      {"' CUT LIST '", " CUT LIST "},  // blanks inside the apostrophes survive
      {"TREE'S CUT", "TREES CUT"},
      {"''''", ""},
      {"'", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    MemorySettingsStore store(std::string("[TreeList]\nCutListIndicator=") + c.stored + "\n");
    EXPECT_EQ(ReadTreeListLayout(store).cut_list_indicator, c.indicator);
  }
}

TEST(TreeListLayout, WrittenInTableOrderAndReadBack) {
  MemorySettingsStore store;
  TreeListLayout layout;
  layout.tree_id = {2, 10};
  layout.crown_ratio = {-1, 0};
  layout.cut_list_indicator = " CUT LIST ";
  WriteTreeListLayout(store, layout);
  EXPECT_EQ(store.text(),
            "[TreeList]\n"
            "TreeId_Start=2\nTreeId_Len=10\n"
            "Species_Start=14\nSpecies_Len=2\n"
            "TPA_Start=30\nTPA_Len=8\n"
            "Diam_Start=48\nDiam_Len=5\n"
            "Height_Start=60\nHeight_Len=5\n"
            "CrownRatio_Start=-1\nCrownRatio_Len=0\n"
            "CutListIndicator=' CUT LIST '\n");

  const TreeListLayout read = ReadTreeListLayout(store);
  EXPECT_EQ(read.tree_id.start, 2);
  EXPECT_EQ(read.tree_id.length, 10);
  EXPECT_EQ(read.crown_ratio.start, -1);
  EXPECT_EQ(read.cut_list_indicator, " CUT LIST ");
}

}  // namespace
}  // namespace canopex
