#include "settings/ini_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/setting_keys.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

namespace canopex {
namespace {

namespace fs = std::filesystem;

// New files get the platform's line ends.
std::string WithNativeLineEnds(std::string text) {
#ifdef _WIN32
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
    text.replace(at, 1, "\r\n");
  }
#endif
  return text;
}

TEST(IniFileStore, MissingFileGivesDefaultsAndIsCreatedByTheFirstWrite) {
  testing::TempFolder temp;
  IniFileStore store(temp / "canopex.ini");
  EXPECT_EQ(ReadSetting(store, settings::kMinDiam), "1");
  EXPECT_EQ(ReadSetting(store, settings::kTreeHtClassesMaxDBH), 9);
  EXPECT_FALSE(PathExists(store.path())) << "reading creates nothing";

  EXPECT_TRUE(WriteSetting(store, settings::kInputFile, "/data/stand 7.trl"));
  EXPECT_TRUE(WriteSetting(store, settings::kCompress, 1));
  EXPECT_TRUE(WriteSetting(store, settings::kTreesCount, -42));
  EXPECT_EQ(testing::FileBytes(store.path()),
            WithNativeLineEnds(
                "[Setup]\nInputFile=/data/stand 7.trl\nCompress=1\n\n[Results]\nTreesCount=-42\n"));
  EXPECT_EQ(ReadSetting(store, settings::kInputFile), "/data/stand 7.trl");
  EXPECT_EQ(ReadSetting(store, settings::kCompress), 1);
  EXPECT_EQ(ReadSetting(store, settings::kTreesCount), -42);
}

TEST(IniFileStore, HandMadeLinesSurviveEveryWrite) {
  testing::TempFolder temp;
  const std::string hand_made =
      "; Canopex settings, edited by hand\r\n"
      "[Setup]\r\n"
      "OutputCrownRatio = 1\r\n"
      "InputFile=old.trl\r\n"
      "\r\n"
      "# unknown=kept\r\n"
      "DumpTreeLists=1\r\n"
      "\r\n"
      "[Extra]\r\n"
      "Note=something of the user's\r\n";
  testing::WriteFileBytes(temp / "canopex.ini", hand_made);
  IniFileStore store(temp / "canopex.ini");
  EXPECT_TRUE(WriteSetting(store, settings::kInputFile, "new.trl"));
  EXPECT_TRUE(WriteSetting(store, settings::kMinDiam, "2.5"));
  EXPECT_TRUE(WriteSetting(store, settings::kErrMessage, ""));
  EXPECT_EQ(testing::FileBytes(store.path()),
            "; Canopex settings, edited by hand\r\n"
            "[Setup]\r\n"
            "OutputCrownRatio = 1\r\n"
            "InputFile=new.trl\r\n"
            "\r\n"
            "# unknown=kept\r\n"
            "DumpTreeLists=1\r\n"
            "MinDiam=2.5\r\n"
            "\r\n"
            "[Extra]\r\n"
            "Note=something of the user's\r\n"
            "\r\n"
            "[Results]\r\n"
            "ErrMessage=\r\n");
  EXPECT_EQ(ReadSetting(store, settings::kOutputCrownRatio), 1);
  EXPECT_EQ(ReadSetting(store, settings::kDumpTreeLists), 1);
}

TEST(IniFileStore, RefusedWritesLeaveTheFileAsItWas) {
  testing::TempFolder temp;
  const std::string before = "[Setup]\nInputFile=a.trl\n";
  testing::WriteFileBytes(temp / "canopex.ini", before);
  IniFileStore store(temp / "canopex.ini");
  EXPECT_FALSE(WriteSetting(store, settings::kErrMessage, "Cannot open the file: \nx"));
  EXPECT_FALSE(WriteSetting(store, settings::kInputFile, "a\r\n[Setup]\r\nMinDiam=0"));
  EXPECT_EQ(testing::FileBytes(store.path()), before);

  fs::permissions(store.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(WriteSetting(store, settings::kInputFile, "b.trl"));
  EXPECT_EQ(testing::FileBytes(store.path()), before);
  EXPECT_EQ(ReadSetting(store, settings::kInputFile), "a.trl") << "a read-only file is still read";
}

TEST(IniFileStore, AFolderInPlaceOfTheFileGivesDefaultsAndTakesNoWrites) {
  testing::TempFolder temp;
  fs::create_directory(temp.path() / "canopex.ini");
  IniFileStore store(temp / "canopex.ini");
  EXPECT_EQ(ReadSetting(store, settings::kCutListIndicator), "COMPLETE CUT  LIST");
  EXPECT_EQ(ReadSetting(store, settings::kDiamStart), 48);
  EXPECT_FALSE(WriteSetting(store, settings::kDiamStart, 50));
  EXPECT_TRUE(fs::is_directory(temp.path() / "canopex.ini"));
}

TEST(MemorySettingsStore, AppliesTheSameRulesWithoutADisk) {
  MemorySettingsStore store("[TreeList]\nTreeId_Len=12abc\nTPA_Len=\n");
  EXPECT_EQ(ReadSetting(store, settings::kTreeIdLen), 12);
  EXPECT_EQ(ReadSetting(store, settings::kTpaLen), 8) << "an empty value gives the default";
  EXPECT_TRUE(WriteSetting(store, settings::kTpaLen, 9));
  EXPECT_EQ(store.text(), "[TreeList]\nTreeId_Len=12abc\nTPA_Len=9\n");
}

}  // namespace
}  // namespace canopex
