#include "util/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/file_operations.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/stdio_file.h"

namespace canopex {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::WriteFileBytes;

// The converter's open, write and close of a whole line or dump.
bool AppendToFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  return DiskFileOperations().Append(path, bytes, guarded);
}
bool OverwriteFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  return DiskFileOperations().Overwrite(path, bytes, guarded);
}

// The identity of the file at `path`, as the converter takes it from the
// open report.
FileIdentity IdentityOfPath(const std::string& path) {
  StdioFile file(std::fopen(path.c_str(), "rb"));
  return IdentityOfOpenFile(file.get());
}

TEST(OutputFile, AppendCreatesAndAppends) {
  testing::TempFolder temp;
  const std::string path = temp / "stand.txt";
  EXPECT_TRUE(AppendToFile(path, "a\r\n", {}));
  EXPECT_TRUE(AppendToFile(path, "b\r\n", {}));
  EXPECT_EQ(FileBytes(path), "a\r\nb\r\n");
}

TEST(OutputFile, OverwriteReplacesTheContents) {
  testing::TempFolder temp;
  const std::string path = temp / "dump.txt";
  WriteFileBytes(path, "old contents, longer");
  EXPECT_TRUE(OverwriteFile(path, "new", {}));
  EXPECT_EQ(FileBytes(path), "new");
  EXPECT_TRUE(OverwriteFile(temp / "fresh.txt", "", {}));
  EXPECT_TRUE(fs::exists(temp.path() / "fresh.txt"));
}

TEST(OutputFile, WritesFailOnFoldersAndMissingFolders) {
  testing::TempFolder temp;
  fs::create_directory(temp.path() / "folder");
  for (const std::string& path : {temp / "folder", temp / "missing/stand.txt"}) {
    EXPECT_FALSE(AppendToFile(path, "a", {})) << path;
    EXPECT_FALSE(OverwriteFile(path, "a", {})) << path;
  }
}

TEST(OutputFile, TheGuardedFileIsNeverWrittenEmptiedOrDeleted) {
  testing::TempFolder temp;
  const std::string report = temp / "report.trl";
  WriteFileBytes(report, "report");
  const FileIdentity guarded = IdentityOfPath(report);
  ASSERT_TRUE(guarded.known);

  std::vector<std::string> names = {report};
#ifndef _WIN32
  // The same file under other names.
  fs::create_hard_link(report, temp.path() / "hard.txt");
  fs::create_symlink(report, temp.path() / "soft.txt");
  names.push_back(temp / "hard.txt");
  names.push_back(temp / "soft.txt");
#endif
  for (const std::string& name : names) {
    EXPECT_FALSE(AppendToFile(name, "x", guarded)) << name;
    EXPECT_FALSE(OverwriteFile(name, "x", guarded)) << name;
  }
  RemoveReplaceableFile(report, guarded);
  EXPECT_EQ(FileBytes(report), "report");
#ifndef _WIN32
  RemoveReplaceableFile(temp / "hard.txt", guarded);
  EXPECT_TRUE(fs::exists(temp.path() / "hard.txt"));
  // A link is removed itself; the report behind it stays.
  RemoveReplaceableFile(temp / "soft.txt", guarded);
  EXPECT_FALSE(fs::is_symlink(temp.path() / "soft.txt"));
  EXPECT_EQ(FileBytes(report), "report");
#endif
  // Other files are written as usual.
  EXPECT_TRUE(AppendToFile(temp / "other.txt", "x", guarded));
}

#ifndef _WIN32
TEST(OutputFile, APathIsCheckedAgainAtTheFirstAppendAfterItsRemoval) {
  testing::TempFolder temp;
  const std::string report = temp / "report.trl";
  WriteFileBytes(report, "report");
  const FileIdentity guarded = IdentityOfPath(report);
  const std::string stand = temp / "stand.txt";
  DiskFileOperations files;
  EXPECT_TRUE(files.Append(stand, "a", guarded));
  EXPECT_TRUE(files.Append(stand, "b", guarded));
  EXPECT_EQ(FileBytes(stand), "ab");
  ASSERT_TRUE(files.Remove(stand, guarded));
  fs::create_symlink(report, stand);
  EXPECT_FALSE(files.Append(stand, "x", guarded));
  EXPECT_EQ(FileBytes(report), "report");
}
#endif

TEST(OutputFile, RemoveTakesOnlyRegularFiles) {
  testing::TempFolder temp;
  WriteFileBytes(temp / "stand.txt", "old");
  fs::create_directory(temp.path() / "empty folder");
  RemoveReplaceableFile(temp / "stand.txt", {});
  RemoveReplaceableFile(temp / "empty folder", {});
  RemoveReplaceableFile(temp / "missing.txt", {});
  EXPECT_FALSE(fs::exists(temp.path() / "stand.txt"));
  EXPECT_TRUE(fs::is_directory(temp.path() / "empty folder"));
}

TEST(OutputFile, TheStepsOneByOne) {
  testing::TempFolder temp;
  const std::string path = temp / "stand.txt";
  OutputFile file = OutputFile::Open(path, OutputFile::Mode::Append, {});
  ASSERT_TRUE(file.is_open());
  EXPECT_TRUE(file.Write("a\r\n"));
  OutputFile moved = std::move(file);
  EXPECT_FALSE(file.is_open());
  EXPECT_FALSE(file.Write("lost")) << "a moved-from file writes nothing";
  EXPECT_TRUE(moved.Write("b\r\n"));
  EXPECT_TRUE(moved.Close());
  EXPECT_FALSE(moved.Close()) << "closed once only";
  EXPECT_FALSE(moved.Write("c"));
  EXPECT_EQ(FileBytes(path), "a\r\nb\r\n");

  {
    OutputFile overwrite = OutputFile::Open(path, OutputFile::Mode::Overwrite, {});
    EXPECT_TRUE(overwrite.Write("new"));
  }  // closed by its destructor
  EXPECT_EQ(FileBytes(path), "new");
  EXPECT_FALSE(OutputFile::Open(temp / "missing/stand.txt", OutputFile::Mode::Append, {}).is_open());
}

TEST(OutputFile, RemoveSaysWhetherAFileIsStillThere) {
  testing::TempFolder temp;
  WriteFileBytes(temp / "report.trl", "report");
  const FileIdentity guarded = IdentityOfPath(temp / "report.trl");
  WriteFileBytes(temp / "stand.txt", "old");
  WriteFileBytes(temp / "read-only.txt", "kept");
  fs::permissions(temp.path() / "read-only.txt",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  fs::create_directory(temp.path() / "folder");
#ifndef _WIN32
  fs::create_symlink(temp.path() / "read-only.txt", temp.path() / "link.txt");
  fs::create_symlink(temp.path() / "folder", temp.path() / "folder-link.txt");
  fs::create_symlink(temp.path() / "nowhere", temp.path() / "dangling-link.txt");
#endif
  const struct {
    const char* name;
    bool removed;  // the result
    bool there;    // still there afterwards
  } cases[] = {
      {"missing.txt", true, false},    {"stand.txt", true, false},
      {"folder", true, true},          {"read-only.txt", false, true},
      {"report.trl", false, true},
#ifndef _WIN32
      {"link.txt", true, false},  // the link goes, not the file behind it
      {"folder-link.txt", false, true},
      {"dangling-link.txt", true, false},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RemoveReplaceableFile(temp / c.name, guarded), c.removed);
    EXPECT_EQ(fs::exists(fs::symlink_status(temp.path() / c.name)), c.there);
  }
  EXPECT_EQ(FileBytes(temp / "read-only.txt"), "kept");
  fs::permissions(temp.path() / "read-only.txt", fs::perms::owner_write, fs::perm_options::add);
}

#ifndef _WIN32
TEST(OutputFile, AFullDiskIsAFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(AppendToFile("/dev/full", "a line\r\n", {}));
  EXPECT_FALSE(OverwriteFile("/dev/full", "a dump\r\n", {}));
  // A device is never deleted, not even by root.
  RemoveReplaceableFile("/dev/full", {});
  EXPECT_TRUE(fs::exists("/dev/full"));
}
#endif

}  // namespace
}  // namespace canopex
