#include "util/path_names.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

// The Windows rows hold on every build; the native ones are also met by the
// conversion cases and the installed programs.
TEST(PathNames, SplitsIntoFolderAndFileName) {
  const struct {
    PathStyle style; const char *path, *folder, *file_name, *application_name;  // no extension
  } cases[] = {
      {kWin, R"(C:\Data\stand7.trl)", R"(C:\Data\)", "stand7.trl", "stand7"},
      {kWin, R"(D:\old.data\list)", R"(D:\old.data\)", "list", "list"},
      {kWin, "C:/Data/stand.v2.exe", "C:/Data/", "stand.v2.exe", "stand.v2"},
      {kWin, R"(C:\Data\)", R"(C:\Data\)", "", ""},      {kWin, "", "", "", ""},
      {kWin, "stand7.trl", "", "stand7.trl", "stand7"},  {kWin, "C:x.trl", "C:", "x.trl", "x"},
      {kWin, R"(\\server\share\a.trl)", R"(\\server\share\)", "a.trl", "a"},
      {kPosix, R"(/data/odd\name.trl)", "/data/", R"(odd\name.trl)", R"(odd\name)"},
      {kPosix, "C:stand7.trl", "", "C:stand7.trl", "C:stand7"},  // no drives
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(c.path, c.style), c.folder);
    EXPECT_EQ(FileNameOf(c.path, c.style), c.file_name);
    EXPECT_EQ(ApplicationNameOf(c.path, c.style), c.application_name);
  }
}

TEST(PathNames, JoinAddsOneSeparatorOnlyWhenNeeded) {
  const std::string long_folder(259, 'a'), limit_folder(260, 'a'), posix_limit(4096, 'a');
  const struct {
    PathStyle style; std::string folder; const char* name; std::string joined;
  } cases[] = {
      {kWin, R"(D:\Out)", "x.txt", R"(D:\Out\x.txt)"},  {kWin, R"(D:\Out\)", "x", R"(D:\Out\x)"},
      {kWin, "", "x.txt", "x.txt"},                      {kWin, "C:", "x.txt", R"(C:\x.txt)"},
      {kWin, "D:/Out/", "x.txt", "D:/Out/\\x.txt"},  // only a backslash counts as the end
      {kWin, long_folder, "x", long_folder + "\\x"},
      {kWin, limit_folder, "x", limit_folder + "x"},  // at the limit nothing is added
      {kPosix, R"(\out)", "x.txt", R"(\out/x.txt)"},     {kPosix, "/out/", "x", "/out/x"},
      {kPosix, posix_limit, "x", posix_limit + "x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder.substr(0, 20));
    EXPECT_EQ(JoinPath(c.folder, c.name, c.style), c.joined);
  }
}

TEST(PathNames, ExecutableFolderIsCutAfterTheLastOwnSeparator) {
  EXPECT_EQ(ExecutableFolderOf(R"(C:\Tools\Canopex.exe)", kWin), R"(C:\Tools\)");
  EXPECT_EQ(ExecutableFolderOf("C:/Tools/Canopex.exe", kWin), "");
  EXPECT_EQ(ExecutableFolderOf("/opt/canopex/bin/canopex", kPosix), "/opt/canopex/bin/");
  EXPECT_EQ(ExecutableFolderOf(R"(odd\canopex)", kPosix), "");
}

}  // namespace
}  // namespace canopex
