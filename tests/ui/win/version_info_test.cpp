// FileVersionInfo and the About box's text against this program's own
// version resource (version_test.rc) and against files that have none.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "ui/win/file_version_info_win.h"

namespace canopex {
namespace {

// Written into every output before a lookup that must fail, to see it untouched.
constexpr std::uint16_t kUntouched = 0xBEEF;
const std::string kUntouchedText = "(untouched)";

std::string OwnProgram() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

// The product version (not the file version, 9.8.7.6), with the last two
// numbers asked for or left out.
TEST(FileVersionInfo, ReadsTheProductVersion) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  for (const auto& [third_wanted, fourth_wanted] : {std::pair{true, true}, {false, false},
                                                   {true, false}, {false, true}}) {
    SCOPED_TRACE(::testing::Message() << third_wanted << fourth_wanted);
    std::array<std::uint16_t, 4> n = {kUntouched, kUntouched, kUntouched, kUntouched};
    ASSERT_TRUE(info.GetVersionNumbers(n[0], n[1], third_wanted ? &n[2] : nullptr,
                                       fourth_wanted ? &n[3] : nullptr));
    EXPECT_EQ(n, (std::array<std::uint16_t, 4>{1, 2, third_wanted ? std::uint16_t{3} : kUntouched,
                                               fourth_wanted ? std::uint16_t{4} : kUntouched}));
  }
}

// The texts of the first translation's table (the second has another
// company and description, and the only "Comments"), without the final NUL
// that the lookups count, and the About box's text made of them.
TEST(FileVersionInfo, ReadsTheTextsOfTheFirstTranslation) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  const std::pair<const char*, const char*> cases[] = {
      {"CompanyName", "Birch & Larch Test Forestry"},
      {"LegalCopyright", "Copyright (C) 2024 Test Holder. "},
      {"InternalName", "win_ui_tests"},
      {"Comments", nullptr},
      {"CompanyNam", nullptr},
      {"CompanyName2", nullptr},
  };
  for (const auto& [name, expected] : cases) {
    std::string value = kUntouchedText;
    EXPECT_EQ(info.GetStringValue(name, value), expected != nullptr) << name;
    EXPECT_EQ(value, expected != nullptr ? expected : kUntouchedText) << name;
  }
  EXPECT_EQ(AboutText(ReadVersionDetails(OwnProgram()), "HOST", "C:\\windows"),
            "Canopex interface tests\n\nProgram version: 1.2.3.4 \n\n"
            "Birch & Larch Test Forestry\n\n"
            "Copyright (C) 2024 Test Holder. Test build for the version reader\n\n"
            "HOST\nC:\\windows");
}

// Every lookup fails and leaves its output as it was; the About box then
// shows empty lines and version 1.0.0.0.
void ExpectNothingHeld(const FileVersionInfo& info) {
  std::uint16_t n[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
  EXPECT_FALSE(info.GetVersionNumbers(n[0], n[1], &n[2], &n[3]));
  for (const std::uint16_t number : n) EXPECT_EQ(number, kUntouched);
  std::string value = kUntouchedText;
  EXPECT_FALSE(info.GetCompanyName(value) || info.GetFileDescription(value) ||
               info.GetLegalCopyright(value) || info.GetSpecialBuild(value) ||
               info.GetStringValue("ProductVersion", value));
  EXPECT_EQ(value, kUntouchedText);
}

TEST(FileVersionInfo, NothingIsHeldWithoutAVersionResource) {
  SCOPED_TRACE("never loaded");
  ExpectNothingHeld(FileVersionInfo());

  testing::TempFolder temp;
  const std::pair<const char*, std::string> cases[] = {
      {"a text file", temp / "report.trl"},
      {"an empty file", temp / "empty.exe"},
      {"a file that only starts like a program", temp / "stub.exe"},
      {"a missing file", temp / "missing.exe"},
      {"a folder", temp / "folder"},
  };
  testing::WriteFileBytes(cases[0].second, "Stand 1\r\nTree 1  12.5  18.0\r\n");
  testing::WriteFileBytes(cases[1].second, "");
  testing::WriteFileBytes(cases[2].second, std::string("MZ") + std::string(200, '\0'));
  std::filesystem::create_directory(cases[4].second);
  for (const auto& [what, path] : cases) {
    SCOPED_TRACE(what);
    // A failed load also drops what an earlier one read.
    FileVersionInfo info;
    ASSERT_TRUE(info.Load(OwnProgram()));
    EXPECT_FALSE(info.Load(path));
    ExpectNothingHeld(info);
    EXPECT_EQ(AboutText(ReadVersionDetails(path), "", ""),
              "\n\nProgram version: 1.0.0.0 \n\n\n\n\n\n\n");
  }
}

}  // namespace
}  // namespace canopex
