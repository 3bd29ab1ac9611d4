#include "util/directory_chain.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "util/file_system.h"

namespace canopex {
namespace {

// Folders in memory, with every creation attempt recorded.
class FakeFolders final : public DirectoryOperations {
 public:
  FakeFolders(std::initializer_list<std::string> existing, PathStyle style)
      : folders_(existing), style_(style) {}

  bool Exists(const std::string& path) override { return folders_.count(path) > 0; }
  bool Create(const std::string& path) override {
    attempts.push_back(path);
    // The system splits at either slash on Windows; roots and names with
    // wildcards cannot be created.
    const std::size_t last =
        path.find_last_of(style_ == PathStyle::Windows ? "\\/" : "/");
    const bool drive = path.size() >= 2 && path[1] == ':';
    const bool parent_there = last == std::string::npos || last == 0 ||
                              (drive && last == 2) || folders_.count(path.substr(0, last)) > 0;
    const bool is_root = drive && path.size() <= 3;
    if (Exists(path) || !parent_there || is_root || path.find('?') != std::string::npos) {
      return false;
    }
    folders_.insert(path);
    return true;
  }

  std::vector<std::string> attempts;

 private:
  std::set<std::string> folders_;
  PathStyle style_;
};

struct ChainCase {
  const char* what;
  std::initializer_list<std::string> existing;
  std::string path;
  bool succeeds;
  std::vector<std::string> attempts;
};

TEST(CreateDirectoryChain, FollowsTheWindowsWalk) {
  const std::string eleven_deep = R"(D:\1\2\3\4\5\6\7\8\9\10\11)";
  const std::string ten_deep = R"(D:\1\2\3\4\5\6\7\8\9\10)";
  const ChainCase cases[] = {
      {"direct child", {R"(D:\Out)"}, R"(D:\Out\a)", true, {R"(D:\Out\a)"}},
      {"two missing levels",
       {R"(D:\Out)"},
       R"(D:\Out\a\b)",
       true,
       {R"(D:\Out\a\b)", R"(D:\Out\a)", R"(D:\Out\a\b)"}},
      {"existing folder fails after one retry",
       {R"(D:\Out)", R"(D:\Out\a)", R"(D:\Out\a\b)"},
       R"(D:\Out\a\b)",
       false,
       {R"(D:\Out\a\b)", R"(D:\Out\a\b)"}},
      {"relative name without backslash", {}, "newfolder?", false, {"newfolder?"}},
      {"drive root", {}, R"(Q:\)", false, {R"(Q:\)"}},
      {"ten missing levels are created",
       {},
       ten_deep,
       true,
       {ten_deep, R"(D:\1)", R"(D:\1\2)", R"(D:\1\2\3)", R"(D:\1\2\3\4)", R"(D:\1\2\3\4\5)",
        R"(D:\1\2\3\4\5\6)", R"(D:\1\2\3\4\5\6\7)", R"(D:\1\2\3\4\5\6\7\8)",
        R"(D:\1\2\3\4\5\6\7\8\9)", ten_deep}},
      // The walk stops after ten tails; the first creation then lacks its parent.
      {"eleven missing levels create nothing",
       {},
       eleven_deep,
       false,
       {eleven_deep, R"(D:\1\2)"}},
      {"path at the length limit", {R"(D:\Out)"}, R"(D:\Out\)" + std::string(253, 'x'), false, {}},
      {"forward slashes are no levels", {R"(D:\Out)"}, "D:\\Out\\a/b", false,
       {"D:\\Out\\a/b", "D:\\Out\\a/b"}},
  };
  for (const ChainCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolders folders(c.existing, PathStyle::Windows);
    EXPECT_EQ(CreateDirectoryChain(c.path, folders, PathStyle::Windows), c.succeeds);
    EXPECT_EQ(folders.attempts, c.attempts);
  }
}

TEST(CreateDirectoryChain, PosixPathsWalkUpToTheRoot) {
  FakeFolders folders({"/srv"}, PathStyle::Posix);
  EXPECT_TRUE(CreateDirectoryChain("/srv/a/b", folders, PathStyle::Posix));
  EXPECT_EQ(folders.attempts, (std::vector<std::string>{"/srv/a/b", "/srv/a", "/srv/a/b"}));

  FakeFolders empty({}, PathStyle::Posix);
  EXPECT_TRUE(CreateDirectoryChain("/x/y", empty, PathStyle::Posix));
  EXPECT_EQ(empty.attempts, (std::vector<std::string>{"/x/y", "/x", "/x/y"}));
}

TEST(CreateDirectoryChain, CreatesRealFolders) {
  testing::TempFolder temp;
  const char sep = PathSeparator(kNativePathStyle);
  const std::string deep = temp / "a" + sep + "b" + sep + "c";
  EXPECT_TRUE(CreateDirectoryChain(deep));
  EXPECT_TRUE(PathExists(deep));
  EXPECT_FALSE(CreateDirectoryChain(deep)) << "an existing folder is not created again";

  const std::string file = temp / "file";
  std::FILE* f = std::fopen(file.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_FALSE(CreateDirectoryChain(file + sep + "below")) << "a file is in the way";
}

}  // namespace
}  // namespace canopex
