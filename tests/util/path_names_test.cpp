#include "util/path_names.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

struct SplitCase {
  PathStyle style;
  const char* path;
  const char* file_name;
  const char* folder;
};

TEST(PathNames, SplitsIntoFolderAndFileName) {
  const SplitCase cases[] = {
      {kWin, R"(C:\Data\stand7.trl)", "stand7.trl", R"(C:\Data\)"},
      {kWin, R"(D:\old.data\list)", "list", R"(D:\old.data\)"},
      {kWin, "C:/Data/stand7.trl", "stand7.trl", "C:/Data/"},  // forward slash splits too
      {kWin, R"(C:\Data\)", "", R"(C:\Data\)"},
      {kWin, "stand7.trl", "stand7.trl", ""},
      {kWin, "C:stand7.trl", "stand7.trl", "C:"},
      {kWin, R"(\\server\share\a.trl)", "a.trl", R"(\\server\share\)"},
      {kWin, "", "", ""},
      {kPosix, "/data/stand7.trl", "stand7.trl", "/data/"},
      {kPosix, R"(/data/odd\name.trl)", R"(odd\name.trl)", "/data/"},  // backslash is a character
      {kPosix, "C:stand7.trl", "C:stand7.trl", ""},                    // no drives
      {kPosix, "/", "", "/"},
      {kPosix, "stand7.trl", "stand7.trl", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNameOf(c.path, c.style), c.file_name);
    EXPECT_EQ(FolderOf(c.path, c.style), c.folder);
  }
}

TEST(PathNames, ApplicationNameIsTheFileNameWithoutExtension) {
  const SplitCase cases[] = {
      {kWin, R"(C:\Tools\Canopex.exe)", "Canopex", nullptr},
      {kWin, R"(C:\old.tools\Canopex)", "Canopex", nullptr},
      {kWin, R"(C:\Tools\Canopex.v2.exe)", "Canopex.v2", nullptr},
      {kPosix, "/usr/bin/canopex", "canopex", nullptr},
      {kPosix, "", "", nullptr},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ApplicationNameOf(c.path, c.style), c.file_name);
  }
}

struct JoinCase {
  PathStyle style;
  std::string folder;
  const char* name;
  std::string joined;
};

TEST(PathNames, JoinAddsOneSeparatorOnlyWhenNeeded) {
  const std::string long_folder(259, 'a');
  const std::string limit_folder(260, 'a');
  const std::string posix_limit_folder(4096, 'a');
  const JoinCase cases[] = {
      {kWin, R"(D:\Out)", "stand7.trl", R"(D:\Out\stand7.trl)"},
      {kWin, R"(D:\Out\)", "stand7.trl", R"(D:\Out\stand7.trl)"},
      {kWin, "", "stand7.trl", "stand7.trl"},
      {kWin, "C:", "x.txt", R"(C:\x.txt)"},
      {kWin, "D:/Out/", "x.txt", "D:/Out/\\x.txt"},  // only a backslash counts as the end
      {kWin, long_folder, "x", long_folder + "\\x"},
      {kWin, limit_folder, "x", limit_folder + "x"},  // at the limit nothing is added
      {kPosix, "/out", "x.txt", "/out/x.txt"},
      {kPosix, "/out/", "x.txt", "/out/x.txt"},
      {kPosix, R"(\out)", "x.txt", R"(\out/x.txt)"},
      {kPosix, posix_limit_folder, "x", posix_limit_folder + "x"},
  };
  for (const JoinCase& c : cases) {
    SCOPED_TRACE(c.folder.substr(0, 20));
    EXPECT_EQ(JoinPath(c.folder, c.name, c.style), c.joined);
    std::string ensured = c.folder;
    EnsureTrailingBackslash(ensured, c.style);
    EXPECT_EQ(ensured + c.name, c.joined);
  }
}

TEST(PathNames, ExecutableFolderIsCutAfterTheLastSeparator) {
  EXPECT_EQ(ExecutableFolderOf(R"(C:\Tools\Canopex.exe)", kWin), R"(C:\Tools\)");
  EXPECT_EQ(ExecutableFolderOf("Canopex.exe", kWin), "");
  EXPECT_EQ(ExecutableFolderOf("/opt/canopex/bin/canopex", kPosix), "/opt/canopex/bin/");
  EXPECT_EQ(ExecutableFolderOf("/canopex", kPosix), "/");
  EXPECT_EQ(ExecutableFolderOf(R"(odd\canopex)", kPosix), "");
}

}  // namespace
}  // namespace canopex
