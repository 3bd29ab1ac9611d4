#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/file_descriptor_posix.h"
#include "util/output_file.h"

namespace canopex {
namespace {

FileIdentity IdentityOf(const struct stat& status) {
  return {true, static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// Opens `path` for writing, creating it when missing. O_NONBLOCK keeps the
// open of a pipe without reader from waiting for ever. Not open when the
// file is the guarded one. `status` receives what the descriptor refers to.
FileDescriptor OpenForWriting(const std::string& path, int flags, const FileIdentity& guarded,
                              struct stat& status) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | flags, 0666));
  if (!fd.valid()) return fd;
  if (::fstat(fd.get(), &status) != 0 || guarded.Matches(IdentityOf(status))) {
    return FileDescriptor(-1);
  }
  return fd;
}

}  // namespace

FileIdentity IdentityOfOpenFile(std::FILE* file) {
  struct stat status;
  if (file == nullptr || ::fstat(::fileno(file), &status) != 0) return {};
  return IdentityOf(status);
}

bool AppendToFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  struct stat status;
  FileDescriptor fd = OpenForWriting(path, O_APPEND, guarded, status);
  if (!fd.valid()) return false;
  const bool written = WriteAll(fd.get(), bytes.data(), bytes.size());
  return fd.Close() && written;
}

bool OverwriteFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  // Emptied only after the identity check, never by O_TRUNC at the open.
  struct stat status;
  FileDescriptor fd = OpenForWriting(path, 0, guarded, status);
  if (!fd.valid()) return false;
  if (S_ISREG(status.st_mode) && ::ftruncate(fd.get(), 0) != 0) return false;
  const bool written = WriteAll(fd.get(), bytes.data(), bytes.size());
  return fd.Close() && written;
}

void RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) return;
  if (S_ISLNK(status.st_mode) || (S_ISREG(status.st_mode) && !guarded.Matches(IdentityOf(status)))) {
    ::unlink(path.c_str());
  }
}

}  // namespace canopex
