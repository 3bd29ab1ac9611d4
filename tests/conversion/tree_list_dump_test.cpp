#include "conversion/tree_list_dump.h"

#include <gtest/gtest.h>

#include "settings/ini_store.h"

namespace canopex {
namespace {

TEST(TreeListDump, FileNamesBesideTheStandFile) {
  EXPECT_EQ(CutListDumpPath("D:\\cruise\\", "0042", "1998", 1), "D:\\cruise\\0042y1998_tree_1.txt");
  EXPECT_EQ(CutListDumpPath("D:\\cruise\\", "0042", "1998", 2), "D:\\cruise\\0042y1998_tree_2.txt");
  EXPECT_EQ(SmallTreeDumpPath("D:\\cruise\\", "0042", "1998"), "D:\\cruise\\0042y1998_trsd.txt");
  EXPECT_EQ(SmallTreeDumpPath("", "7", "2003"), "7y2003_trsd.txt");
}

TEST(TreeListDump, OneLinePerRecordWithBothClassesUnsigned) {
  TreeRecord small;
  small.key = "DF_008_00045.0_0000007";
  small.diameter_class = 8;
  small.height_class = 3;
  small.tree_id = "7";
  small.species = "DF";
  small.diameter = "7.6";
  small.height = "45";
  small.tpa = "4.21";
  small.crown_ratio = "45";
  TreeRecord odd = small;
  odd.diameter_class = -1;
  odd.height_class = 0;
  odd.crown_ratio = "";
  const TreeRecord records[] = {small, odd};
  EXPECT_EQ(DumpText(records, "0042", "1998"),
            "'0042\t1998\t7\tDF\t7.6\t45\t4.21\t45\t8\t3\r\n"
            "'0042\t1998\t7\tDF\t7.6\t45\t4.21\t\t65535\t0\r\n");
  EXPECT_EQ(DumpText({}, "0042", "1998"), "");
}

TEST(TreeListDump, TheSwitchIsReadOnceAndThenHeld) {
  MemorySettingsStore settings("[Setup]\nDumpTreeLists=1\n");
  DumpSwitch dump_switch;
  EXPECT_TRUE(dump_switch.IsOn(settings));
  settings.WriteSettingInt("Setup", "DumpTreeLists", 0);
  EXPECT_TRUE(dump_switch.IsOn(settings));

  MemorySettingsStore off;
  DumpSwitch other;
  EXPECT_FALSE(other.IsOn(off));
  off.WriteSettingInt("Setup", "DumpTreeLists", 1);
  EXPECT_FALSE(other.IsOn(off));
}

}  // namespace
}  // namespace canopex
