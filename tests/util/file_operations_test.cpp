// The guarded file operations (util/output_file.h, util/file_system.h and the
// converter's DiskFileOperations) where a conversion case cannot reach:
// other names of the report, links, pipes, modes, a failed replacement.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "conversion/file_operations.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/file_system.h"
#include "util/output_file.h"
#include "util/stdio_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace canopex {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;

// The identity of the file at `path`, as the converter takes it from the open report.
FileIdentity IdentityOfPath(const std::string& path) {
  StdioFile file(std::fopen(path.c_str(), "rb"));
  return IdentityOfOpenFile(file.get());
}

void MakeReadOnly(const std::string& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

TEST(OutputFile, TheGuardedFileIsNeverWrittenEmptiedOrDeleted) {
  testing::TempFolder temp;
  const std::string report = temp / "report.trl";
  testing::WriteFileBytes(report, "report");
  const FileIdentity guarded = IdentityOfPath(report);
  ASSERT_TRUE(guarded.known);
  std::vector<std::string> names = {report};
#ifndef _WIN32
  fs::create_hard_link(report, temp / "hard.txt");
  names.push_back(temp / "hard.txt");
#endif
  DiskFileOperations files;
  for (const std::string& name : names) {
    EXPECT_FALSE(files.Append(name, "x", guarded)) << name;
    EXPECT_FALSE(files.Overwrite(name, "x", guarded)) << name;
    EXPECT_FALSE(files.Remove(name, guarded)) << name;
  }
  EXPECT_EQ(FileBytes(report), "report");
  // Another file opens; its sole owner, moved, closes it once.
  OutputFile file = OutputFile::Open(temp / "other.txt", OutputFile::Mode::Append, guarded);
  OutputFile owner = std::move(file);
  EXPECT_TRUE(!file.is_open() && owner.Write("x") && owner.Close() && !owner.Close());
#ifndef _WIN32
  // A path is checked again at the first append after its removal: a link
  // to the report may have taken its place.
  const std::string stand = temp / "stand.txt";
  EXPECT_TRUE(files.Append(stand, "a", guarded));
  ASSERT_TRUE(files.Remove(stand, guarded));
  fs::create_symlink(report, stand);
  EXPECT_FALSE(files.Append(stand, "x", guarded));
  EXPECT_EQ(FileBytes(report), "report");
#endif
}

TEST(RemoveReplaceableFile, SaysWhetherAFileIsStillThere) {
  testing::TempFolder temp;
  testing::WriteFileBytes(temp / "report.trl", "report");
  const FileIdentity guarded = IdentityOfPath(temp / "report.trl");
  testing::WriteFileBytes(temp / "read-only.txt", "kept");
  MakeReadOnly(temp / "read-only.txt");
  fs::create_directory(temp / "folder");
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((temp / "pipe").c_str(), 0600), 0);
  fs::create_symlink(temp / "read-only.txt", temp / "link.txt");
  fs::create_symlink(temp / "folder", temp / "folder-link.txt");
  fs::create_symlink("/dev/null", temp / "device-link.txt");
  fs::create_symlink(temp / "nowhere", temp / "dangling-link.txt");
#endif
  const struct {
    const char* name; bool removed, there;  // the result; still there afterwards
  } cases[] = {
      {"folder", true, true}, {"report.trl", false, true}, {"read-only.txt", false, true},
#ifndef _WIN32
      {"pipe", true, true},   {"link.txt", true, false},  // the link goes, not its file
      {"folder-link.txt", false, true}, {"device-link.txt", false, true},
      {"dangling-link.txt", true, false},
#endif
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveReplaceableFile(temp / c.name, guarded), c.removed) << c.name;
    EXPECT_EQ(fs::exists(fs::symlink_status(temp / c.name)), c.there) << c.name;
  }
  EXPECT_EQ(FileBytes(temp / "read-only.txt"), "kept");
}

TEST(ReplaceFileContents, KeepsReadOnlyFilesAndModesFollowsLinksAndFailsWhole) {
  testing::TempFolder temp;
  const std::string locked = temp / "locked.ini";
  testing::WriteFileBytes(locked, "keep");
  MakeReadOnly(locked);
  EXPECT_FALSE(ReplaceFileContents(locked, "lost")) << "read-only, also for root";
  EXPECT_EQ(FileBytes(locked), "keep");
#ifndef _WIN32
  const std::string real = temp / "real.ini";
  testing::WriteFileBytes(real, "old");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::create_symlink(real, temp / "link.ini");
  ASSERT_TRUE(ReplaceFileContents(temp / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(temp / "link.ini"));
  EXPECT_EQ(FileBytes(real), "new");
  struct stat status;
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  fs::create_symlink(temp / "nowhere", temp / "dangling.ini");
  EXPECT_FALSE(ReplaceFileContents(temp / "dangling.ini", "x"));
  EXPECT_TRUE(fs::is_symlink(temp / "dangling.ini"));

  // The temporary file is named after the file plus 7 characters: past the
  // longest file name the system takes, so that it cannot be made.
  const std::string long_name = temp / (std::string(250, 's') + ".ini");
  testing::WriteFileBytes(long_name, "whole");
  EXPECT_FALSE(ReplaceFileContents(long_name, "lost"));
  EXPECT_EQ(FileBytes(long_name), "whole");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 5)
      << "nothing left beside the files";

  // Opened plainly, a pipe without a writer would block for ever.
  ASSERT_EQ(::mkfifo((temp / "pipe").c_str(), 0600), 0);
  std::string contents;
  EXPECT_FALSE(ReadWholeFile(temp / "pipe", contents));
#endif
}

}  // namespace
}  // namespace canopex
