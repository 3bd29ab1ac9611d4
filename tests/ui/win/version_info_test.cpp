// FileVersionInfo against this program's own version resource
// (version_test.rc) and against files that have none.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "ui/win/file_version_info_win.h"

namespace canopex {
namespace {

// Written into every output before a lookup that must fail, to see it untouched.
constexpr std::uint16_t kUntouchedNumber = 0xBEEF;
const std::string kUntouchedText = "(untouched)";

std::string OwnProgram() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

using StringGetter = std::function<bool(const FileVersionInfo&, std::string&)>;

StringGetter Named(const std::string& name) {
  return [name](const FileVersionInfo& info, std::string& value) {
    return info.GetStringValue(name, value);
  };
}

struct NamedGetter {
  const char* what;
  StringGetter get;
};

// Every way to ask for a text, for the tests that expect them all to fail.
std::vector<NamedGetter> AllGetters() {
  return {
      {"GetCompanyName", &FileVersionInfo::GetCompanyName},
      {"GetFileDescription", &FileVersionInfo::GetFileDescription},
      {"GetLegalCopyright", &FileVersionInfo::GetLegalCopyright},
      {"GetSpecialBuild", &FileVersionInfo::GetSpecialBuild},
      {"ProductVersion", Named("ProductVersion")},
  };
}

// Every lookup of `info` fails and leaves its outputs as they were.
void ExpectNoLookupSucceeds(const FileVersionInfo& info, const std::string& what) {
  std::uint16_t numbers[4] = {kUntouchedNumber, kUntouchedNumber, kUntouchedNumber,
                              kUntouchedNumber};
  EXPECT_FALSE(info.GetVersionNumbers(numbers[0], numbers[1], &numbers[2], &numbers[3]))
      << what;
  for (const std::uint16_t number : numbers) EXPECT_EQ(number, kUntouchedNumber) << what;
  for (const auto& getter : AllGetters()) {
    std::string value = kUntouchedText;
    EXPECT_FALSE(getter.get(info, value)) << what << ", " << getter.what;
    EXPECT_EQ(value, kUntouchedText) << what << ", " << getter.what;
  }
}

TEST(FileVersionInfo, ReadsTheProductVersionNotTheFileVersion) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));

  std::uint16_t numbers[4] = {};
  ASSERT_TRUE(info.GetVersionNumbers(numbers[0], numbers[1], &numbers[2], &numbers[3]));
  EXPECT_EQ((std::array{numbers[0], numbers[1], numbers[2], numbers[3]}),
            (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
}

TEST(FileVersionInfo, TheLastTwoVersionNumbersMayBeLeftOut) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  struct Case {
    bool third;
    bool fourth;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
    SCOPED_TRACE(::testing::Message() << "third " << c.third << ", fourth " << c.fourth);
    std::uint16_t first = 0, second = 0, third = kUntouchedNumber, fourth = kUntouchedNumber;
    ASSERT_TRUE(info.GetVersionNumbers(first, second, c.third ? &third : nullptr,
                                       c.fourth ? &fourth : nullptr));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(third, c.third ? 3 : kUntouchedNumber);
    EXPECT_EQ(fourth, c.fourth ? 4 : kUntouchedNumber);
  }
}

// The lengths the lookups return count the final NUL, which the texts must
// not keep.
TEST(FileVersionInfo, ReadsTheTextsOfTheFirstTranslation) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  struct Case {
    const char* what;
    StringGetter get;
    const char* expected;
  };
  const Case cases[] = {
      // Not the second table's company or description.
      {"GetCompanyName", &FileVersionInfo::GetCompanyName, "Birch & Larch Test Forestry"},
      {"GetFileDescription", &FileVersionInfo::GetFileDescription, "Canopex interface tests"},
      // The trailing blank is kept.
      {"GetLegalCopyright", &FileVersionInfo::GetLegalCopyright,
       "Copyright (C) 2024 Test Holder. "},
      {"GetSpecialBuild", &FileVersionInfo::GetSpecialBuild, "Test build for the version reader"},
      {"ProductVersion", Named("ProductVersion"), "1.2.3.4"},
      {"InternalName", Named("InternalName"), "win_ui_tests"},
  };
  for (const Case& c : cases) {
    std::string value = kUntouchedText;
    EXPECT_TRUE(c.get(info, value)) << c.what;
    EXPECT_EQ(value, c.expected) << c.what;
  }
}

TEST(FileVersionInfo, AMissingTextFailsAndLeavesTheOutputUntouched) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  // "Comments" is only in the second translation's table.
  for (const char* name : {"Comments", "NoSuchField", "CompanyNam", "CompanyName2"}) {
    std::string value = kUntouchedText;
    EXPECT_FALSE(info.GetStringValue(name, value)) << name;
    EXPECT_EQ(value, kUntouchedText) << name;
  }
}

TEST(FileVersionInfo, FilesWithoutAVersionResourceFailEveryLookup) {
  testing::TempFolder temp;
  struct Case {
    const char* what;
    std::string path;
  };
  const Case cases[] = {
      {"a text file", temp / "report.trl"},
      {"an empty file", temp / "empty.exe"},
      {"a file that only starts like a program", temp / "stub.exe"},
      {"a missing file", temp / "missing.exe"},
      {"a folder", temp / "folder"},
  };
  testing::WriteFileBytes(cases[0].path, "Stand 1\r\nTree 1  12.5  18.0\r\n");
  testing::WriteFileBytes(cases[1].path, "");
  testing::WriteFileBytes(cases[2].path, std::string("MZ") + std::string(200, '\0'));
  std::filesystem::create_directory(cases[4].path);

  for (const Case& c : cases) {
    FileVersionInfo info;
    EXPECT_FALSE(info.Load(c.path)) << c.what;
    ExpectNoLookupSucceeds(info, c.what);

    const VersionDetails details = ReadVersionDetails(c.path);
    EXPECT_EQ(details.description, "") << c.what;
    EXPECT_EQ(details.company, "") << c.what;
    EXPECT_EQ(details.copyright, "") << c.what;
    EXPECT_EQ(details.special_build, "") << c.what;
    EXPECT_EQ(details.product_version, (std::array<std::uint16_t, 4>{1, 0, 0, 0})) << c.what;
  }
}

TEST(FileVersionInfo, NothingIsHeldBeforeALoadOrAfterAFailedOne) {
  ExpectNoLookupSucceeds(FileVersionInfo(), "never loaded");

  testing::TempFolder temp;
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  EXPECT_FALSE(info.Load(temp / "missing.exe"));
  ExpectNoLookupSucceeds(info, "after a failed load");
}

TEST(FileVersionInfo, ReadVersionDetailsTakesTheAboutBoxFields) {
  const VersionDetails details = ReadVersionDetails(OwnProgram());
  EXPECT_EQ(details.description, "Canopex interface tests");
  EXPECT_EQ(details.company, "Birch & Larch Test Forestry");
  EXPECT_EQ(details.copyright, "Copyright (C) 2024 Test Holder. ");
  EXPECT_EQ(details.special_build, "Test build for the version reader");
  EXPECT_EQ(details.product_version, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace canopex
