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

}  // namespace

FileIdentity IdentityOfOpenFile(std::FILE* file) {
  struct stat status;
  if (file == nullptr || ::fstat(::fileno(file), &status) != 0) return {};
  return IdentityOf(status);
}

OutputFile OutputFile::Open(const std::string& path, Mode mode, const FileIdentity& guarded) {
  // O_NONBLOCK keeps the open of a pipe without reader from waiting for ever.
  // An overwritten file is emptied only after the identity check, never by
  // O_TRUNC at the open.
  const int flags = mode == Mode::Append ? O_APPEND : 0;
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | flags, 0666));
  if (!fd.valid()) return {};
  if (guarded.known || mode == Mode::Overwrite) {
    struct stat status;
    if (::fstat(fd.get(), &status) != 0 || guarded.Matches(IdentityOf(status))) return {};
    if (mode == Mode::Overwrite && S_ISREG(status.st_mode) && ::ftruncate(fd.get(), 0) != 0) {
      return {};
    }
  }
  return OutputFile(fd.release());
}

bool OutputFile::Write(std::string_view bytes) {
  return is_open() && WriteAll(static_cast<int>(handle_), bytes.data(), bytes.size());
}

bool OutputFile::Close() {
  if (!is_open()) return false;
  FileDescriptor fd(static_cast<int>(handle_));
  handle_ = kNone;
  return fd.Close();
}

bool RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) return true;
  if (S_ISLNK(status.st_mode)) {
    // A link to a device, pipe or folder stays: deleting /dev/stdout would
    // take standard output from the whole machine. A link to a regular file,
    // or to nothing, goes itself.
    struct stat target;
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
  }
  if (!S_ISREG(status.st_mode)) return true;
  // A file without any write bit is read-only, also for root, as Windows
  // refuses to delete a read-only file.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return !guarded.Matches(IdentityOf(status)) && ::unlink(path.c_str()) == 0;
}

}  // namespace canopex
