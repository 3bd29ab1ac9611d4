// FileVersionInfo and the About box's text against this program's own
// version resource (version_test.rc) and against a file that has none.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "ui/win/file_version_info_win.h"

namespace canopex {
namespace {

// Written into every output before a lookup, to see what it left untouched.
constexpr std::uint16_t kUntouched = 0xBEEF;
const std::string kUntouchedText = "(untouched)";

std::string OwnProgram() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

// The product version (not the file version, 9.8.7.6) and the texts of the
// first translation's table (the second has another company and the only
// "Comments"), without the final NUL that the lookups count, make the About
// box's text. The third and fourth numbers are each left out when not asked
// for.
TEST(FileVersionInfo, ReadsTheProductVersionAndTheFirstTranslation) {
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  std::array<std::uint16_t, 4> n = {kUntouched, kUntouched, kUntouched, kUntouched};
  ASSERT_TRUE(info.GetVersionNumbers(n[0], n[1], &n[2], nullptr));
  EXPECT_EQ(n, (std::array<std::uint16_t, 4>{1, 2, 3, kUntouched}));
  n = {kUntouched, kUntouched, kUntouched, kUntouched};
  ASSERT_TRUE(info.GetVersionNumbers(n[0], n[1], nullptr, &n[3]));
  EXPECT_EQ(n, (std::array<std::uint16_t, 4>{1, 2, kUntouched, 4}));
  std::string value = kUntouchedText;
  EXPECT_FALSE(info.GetStringValue("Comments", value));
  EXPECT_EQ(value, kUntouchedText);
  EXPECT_EQ(AboutText(ReadVersionDetails(OwnProgram()), "HOST", "C:\\windows"),
            "Canopex interface tests\n\nProgram version: 1.2.3.4 \n\n"
            "Birch & Larch Test Forestry\n\n"
            "Copyright (C) 2024 Test Holder. Test build for the version reader\n\n"
            "HOST\nC:\\windows");
}

// Without a version resource (and after a failed load dropped what an
// earlier one read) every lookup fails; the About box shows empty lines and
// version 1.0.0.0.
TEST(FileVersionInfo, NothingIsHeldWithoutAVersionResource) {
  testing::TempFolder temp;
  const std::string report = temp / "report.trl";
  testing::WriteFileBytes(report, "Stand 1\r\nTree 1  12.5  18.0\r\n");
  FileVersionInfo info;
  ASSERT_TRUE(info.Load(OwnProgram()));
  EXPECT_FALSE(info.Load(report));
  std::uint16_t first = 0, second = 0;
  std::string value;
  EXPECT_FALSE(info.GetVersionNumbers(first, second) || info.GetCompanyName(value));
  EXPECT_EQ(AboutText(ReadVersionDetails(report), "", ""),
            "\n\nProgram version: 1.0.0.0 \n\n\n\n\n\n\n");
}

}  // namespace
}  // namespace canopex
