#include "util/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/path_names.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace canopex {
namespace {

namespace fs = std::filesystem;

TEST(FileSystem, PathExistsForFilesAndFolders) {
  testing::TempFolder temp;
  testing::WriteFileBytes(temp / "report.trl", "x");
  EXPECT_TRUE(PathExists(temp / "report.trl"));
  EXPECT_TRUE(PathExists(temp.path().string()));
  EXPECT_FALSE(PathExists(temp / "missing"));
  EXPECT_FALSE(PathExists(""));
}

TEST(FileSystem, CreateOneDirectoryNeedsTheParentAndANewName) {
  testing::TempFolder temp;
  EXPECT_TRUE(CreateOneDirectory(temp / "a"));
  EXPECT_FALSE(CreateOneDirectory(temp / "a"));
  EXPECT_FALSE(CreateOneDirectory(JoinPath(temp / "b", "c")));
  EXPECT_TRUE(fs::is_directory(temp.path() / "a"));
}

TEST(FileSystem, PathBesideExecutableIsInTheTestProgramsFolder) {
  const std::string beside = PathBesideExecutable("canopex.ini");
  EXPECT_EQ(FileNameOf(beside), "canopex.ini");
  EXPECT_EQ(FolderOf(beside), FolderOf(ExecutablePath()));
  EXPECT_TRUE(fs::path(beside).is_absolute()) << beside;
  EXPECT_TRUE(PathExists(ExecutablePath()));
}

TEST(FileSystem, ReadWholeFileReadsBytesAndRefusesFolders) {
  testing::TempFolder temp;
  const std::string bytes("a\r\nb\x1A\0c", 7);
  testing::WriteFileBytes(temp / "f", bytes);
  std::string contents = "stale";
  EXPECT_TRUE(ReadWholeFile(temp / "f", contents));
  EXPECT_EQ(contents, bytes);

  EXPECT_FALSE(ReadWholeFile(temp / "missing", contents));
  EXPECT_EQ(contents, "");
  EXPECT_FALSE(ReadWholeFile(temp.path().string(), contents));
  EXPECT_FALSE(OpenRegularFileForReading(temp.path().string()).is_open());
}

TEST(ReplaceFileContents, CreatesAndReplacesWholeFiles) {
  testing::TempFolder temp;
  const std::string path = temp / "canopex.ini";
  ASSERT_TRUE(ReplaceFileContents(path, "first"));
  EXPECT_EQ(testing::FileBytes(path), "first");
  ASSERT_TRUE(ReplaceFileContents(path, "second, longer"));
  EXPECT_EQ(testing::FileBytes(path), "second, longer");
  ASSERT_TRUE(ReplaceFileContents(path, ""));
  EXPECT_EQ(testing::FileBytes(path), "");
  // Nothing is left behind beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

TEST(ReplaceFileContents, LeavesFoldersAndReadOnlyFilesAlone) {
  testing::TempFolder temp;
  EXPECT_FALSE(ReplaceFileContents(temp.path().string(), "x"));

  const std::string locked = temp / "locked.ini";
  testing::WriteFileBytes(locked, "keep");
  fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(ReplaceFileContents(locked, "lost"));
  EXPECT_EQ(testing::FileBytes(locked), "keep");

  EXPECT_FALSE(ReplaceFileContents(JoinPath(temp / "missing-folder", "x.ini"), "x"));
}

#ifndef _WIN32
TEST(ReplaceFileContents, KeepsThePermissionsAndFollowsLinks) {
  testing::TempFolder temp;
  const std::string real = temp / "real.ini";
  testing::WriteFileBytes(real, "old");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const std::string link = temp / "link.ini";
  fs::create_symlink(real, link);

  ASSERT_TRUE(ReplaceFileContents(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link)) << "the link itself stays a link";
  EXPECT_EQ(testing::FileBytes(real), "new");
  struct stat status;
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  fs::create_symlink(temp / "nowhere", temp / "dangling.ini");
  EXPECT_FALSE(ReplaceFileContents(temp / "dangling.ini", "x"));
  EXPECT_TRUE(fs::is_symlink(temp.path() / "dangling.ini"));
}

TEST(FileSystem, PipesAreNotOpenedForReading) {
  testing::TempFolder temp;
  const std::string pipe = temp / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string contents;
  EXPECT_FALSE(ReadWholeFile(pipe, contents));  // would block for ever if opened plainly
}
#endif

}  // namespace
}  // namespace canopex
