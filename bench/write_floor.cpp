// canopex-write-floor: writes the stand files of a conversion again, one
// line at a time, each with its own open, append and close, as the stand
// file format requires of the converter (a spreadsheet or another program
// may hold the file between rows). Everything is read into memory first, so
// the timed run is the writing alone: the floor of a conversion's writes.
//
// Usage: canopex-write-floor SOURCE_FOLDER TARGET_FOLDER
// Every regular file of SOURCE_FOLDER, in name order, is written to
// TARGET_FOLDER under the same name. A file already in TARGET_FOLDER is an
// error, as the appends would add to it. Exit status 0, or 1 with a message
// on any failed call, 2 on a usage error.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "util/file_descriptor_posix.h"
#include "util/file_system.h"

namespace {

namespace fs = std::filesystem;

struct LoadedFile {
  std::string name;
  std::string bytes;
  std::vector<std::size_t> line_ends;  // one past each line's LF (or the end)
};

bool Fail(const std::string& what, const std::string& path, int error) {
  std::fprintf(stderr, "canopex-write-floor: %s %s: %s\n", what.c_str(), path.c_str(),
               std::strerror(error));
  return false;
}

// The regular files of `folder` with their lines, sorted by name.
bool LoadFolder(const fs::path& folder, std::vector<LoadedFile>& files) {
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  if (error) return Fail("cannot list", folder.string(), error.value());
  for (; entry != fs::directory_iterator(); entry.increment(error)) {
    if (error) return Fail("cannot list", folder.string(), error.value());
    if (!entry->is_regular_file(error)) continue;
    LoadedFile& file = files.emplace_back();
    file.name = entry->path().filename().string();
    if (!canopex::ReadWholeFile(entry->path().string(), file.bytes)) {
      return Fail("cannot read", entry->path().string(), errno);
    }
    for (std::size_t at = 0; at < file.bytes.size();) {
      const std::size_t lf = file.bytes.find('\n', at);
      at = lf == std::string::npos ? file.bytes.size() : lf + 1;
      file.line_ends.push_back(at);
    }
  }
  if (error) return Fail("cannot list", folder.string(), error.value());
  std::sort(files.begin(), files.end(),
            [](const LoadedFile& a, const LoadedFile& b) { return a.name < b.name; });
  return true;
}

// One line as the converter appends a row: open, write all of it, close.
bool AppendLine(const std::string& path, const char* data, std::size_t size) {
  canopex::FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
  if (!fd.valid()) return Fail("cannot open", path, errno);
  if (!canopex::WriteAll(fd.get(), data, size)) return Fail("cannot write", path, errno);
  if (!fd.Close()) return Fail("cannot close", path, errno);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Usage: canopex-write-floor SOURCE_FOLDER TARGET_FOLDER\n");
    return 2;
  }
  const fs::path source = argv[1];
  const fs::path target = argv[2];

  const auto load_start = std::chrono::steady_clock::now();
  std::vector<LoadedFile> files;
  if (!LoadFolder(source, files)) return 1;
  const auto load_time = std::chrono::steady_clock::now() - load_start;

  std::error_code error;
  fs::create_directories(target, error);
  if (error) {
    Fail("cannot create", target.string(), error.value());
    return 1;
  }

  unsigned long long lines = 0;
  unsigned long long bytes = 0;
  for (const LoadedFile& file : files) {
    const std::string path = (target / file.name).string();
    struct stat status;
    if (::lstat(path.c_str(), &status) == 0) {
      std::fprintf(stderr, "canopex-write-floor: %s is already there\n", path.c_str());
      return 1;
    }
    if (errno != ENOENT) {
      Fail("cannot look at", path, errno);
      return 1;
    }
    std::size_t start = 0;
    for (const std::size_t end : file.line_ends) {
      if (!AppendLine(path, file.bytes.data() + start, end - start)) return 1;
      start = end;
      ++lines;
    }
    bytes += file.bytes.size();
  }

  // Microseconds printed as milliseconds with integers, the same in every
  // locale.
  const long long load_us =
      std::chrono::duration_cast<std::chrono::microseconds>(load_time).count();
  std::printf("Load: %zu files, %llu bytes in %lld.%03lld ms\n", files.size(), bytes,
              load_us / 1000, load_us % 1000);
  std::printf("Written: %llu lines to %zu files\n", lines, files.size());
  return 0;
}
