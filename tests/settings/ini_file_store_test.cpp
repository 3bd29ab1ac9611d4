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

// The entries a conversion run writes: the layout and the results.
void WriteAsARunDoes(SettingsStore& store) {
  for (const IntSetting& setting :
       {settings::kTreeIdStart, settings::kTreeIdLen, settings::kSpeciesStart,
        settings::kSpeciesLen, settings::kTpaStart, settings::kTpaLen, settings::kDiamStart,
        settings::kDiamLen, settings::kHeightStart, settings::kHeightLen,
        settings::kCrownRatioStart, settings::kCrownRatioLen, settings::kCutListCount,
        settings::kTreesCount, settings::kTreesTPAZeroCount, settings::kTreesBelowDiamCount}) {
    EXPECT_TRUE(WriteSetting(store, setting, 1)) << setting.key;
  }
  EXPECT_TRUE(WriteSetting(store, settings::kCutListIndicator, "'COMPLETE CUT  LIST'"));
  EXPECT_TRUE(WriteSetting(store, settings::kErrMessage, ""));
}

TEST(IniFileStore, OddFilesKeepEveryByteThroughARunsWrites) {
  using namespace std::string_literals;
  const std::string hand_set =
      "[Setup]\r\nOutputCrownRatio=1\r\nTreeHtClasses=0\r\nDumpTreeLists=0\r\nCreateDir=1\r\n";
  const std::string megabyte(1 << 20, 'v');
  const struct {
    const char* what;
    std::string text;  // without TreeList and Results, which the run writes
  } cases[] = {
      {"NUL and other control bytes",
       hand_set + "odd\0line=\0\x01\x02\x1a\r\n\0\r\n[Mine]\r\nK=v\0w\r\n"s},
      {"bytes that are no UTF-8", "\xEF\xBB\xBF" + hand_set + "\x80\xC3\x28\xFF=\xFE\r\n"},
      {"a value of one megabyte", hand_set + "Mine=" + megabyte + "\r\n[Mine]\r\nNote=kept\r\n"},
      {"a section of the same name twice", hand_set + "[Setup]\r\nOutputCrownRatio=0\r\n"},
      {"no line end at the end", hand_set + "Last=line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder temp;
    testing::WriteFileBytes(temp / "canopex.ini", c.text);
    IniFileStore store(temp / "canopex.ini");
    EXPECT_EQ(ReadSetting(store, settings::kOutputCrownRatio), 1);
    EXPECT_EQ(ReadSetting(store, settings::kTreeHtClasses), 0);
    WriteAsARunDoes(store);
    const std::string after = testing::FileBytes(store.path());
    EXPECT_EQ(after.substr(0, c.text.size()), c.text) << "the new entries go after every old byte";
    EXPECT_NE(after.find("[Results]"), std::string::npos);
    EXPECT_EQ(ReadSetting(store, settings::kCutListCount), 1);
    EXPECT_EQ(ReadSetting(store, settings::kCreateDir), 1);
  }
}

TEST(IniFileStore, AOneMegabyteValueIsReadCutAndReplacedWhole) {
  testing::TempFolder temp;
  const std::string megabyte(1 << 20, 'e');
  testing::WriteFileBytes(temp / "canopex.ini", "[Results]\nErrMessage=" + megabyte + "\nTreesCount=3\n");
  IniFileStore store(temp / "canopex.ini");
  EXPECT_EQ(ReadSetting(store, settings::kErrMessage), megabyte.substr(0, kMaxSettingLength));
  EXPECT_TRUE(WriteSetting(store, settings::kErrMessage, "short"));
  EXPECT_EQ(testing::FileBytes(store.path()), "[Results]\nErrMessage=short\nTreesCount=3\n");
}

#ifndef _WIN32
TEST(IniFileStore, AFileThatCannotGetItsTemporaryNeighbourStaysWhole) {
  // The temporary file is named after the settings file plus 7 characters:
  // past the longest file name the system takes, so it cannot be made, not
  // even by root.
  testing::TempFolder temp;
  const std::string name = std::string(250, 's') + ".ini";
  const std::string before = "[Setup]\nOutputCrownRatio=1\n; mine\n";
  testing::WriteFileBytes(temp / name, before);
  ASSERT_EQ(testing::FileBytes(temp / name), before);
  IniFileStore store(temp / name);
  EXPECT_FALSE(WriteSetting(store, settings::kCutListCount, 2));
  EXPECT_EQ(testing::FileBytes(store.path()), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1)
      << "nothing left beside it";
}
#endif

TEST(MemorySettingsStore, AppliesTheSameRulesWithoutADisk) {
  MemorySettingsStore store("[TreeList]\nTreeId_Len=12abc\nTPA_Len=\n");
  EXPECT_EQ(ReadSetting(store, settings::kTreeIdLen), 12);
  EXPECT_EQ(ReadSetting(store, settings::kTpaLen), 8) << "an empty value gives the default";
  EXPECT_TRUE(WriteSetting(store, settings::kTpaLen, 9));
  EXPECT_EQ(store.text(), "[TreeList]\nTreeId_Len=12abc\nTPA_Len=9\n");
}

}  // namespace
}  // namespace canopex
