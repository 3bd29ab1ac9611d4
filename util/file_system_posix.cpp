#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "util/file_descriptor_posix.h"
#include "util/file_system.h"

namespace canopex {
namespace {

// The real file behind `path` (following symbolic links); false for a
// dangling link, which is left alone rather than replaced by a file.
bool ResolveTarget(const std::string& path, std::string& target) {
  struct stat link_status;
  if (::lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) {
    target = path;
    return true;
  }
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return false;
  target = resolved;
  std::free(resolved);
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool PathExists(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

bool CreateOneDirectory(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0;
}

std::string ExecutablePath() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string AbsolutePathOf(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  char* folder = ::getcwd(nullptr, 0);
  if (folder == nullptr) return path;
  std::string absolute = folder;
  std::free(folder);
  if (absolute.back() != '/') absolute += '/';
  return absolute + path;
}

StdioFile OpenRegularFileForReading(const std::string& path) {
  // O_NONBLOCK keeps the open of a pipe without writer from waiting for ever.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return {};
  struct stat status;
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return BlockingReadStream(std::move(fd));
}

StdioFile BlockingReadStream(FileDescriptor fd) {
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return {};
  std::FILE* stream = ::fdopen(fd.get(), "rb");
  if (stream == nullptr) return {};
  fd.release();
  return StdioFile(stream);
}

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
  std::string target;
  if (!ResolveTarget(path, target)) return false;

  struct stat status;
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (exists) {
    if (!S_ISREG(status.st_mode)) return false;
    // Without any write bit the file is read-only, also for root, as a
    // read-only file is on Windows.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    if (::access(target.c_str(), W_OK) != 0) return false;
  }

  std::string temporary = target + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return false;
  const mode_t mode = exists ? (status.st_mode & 07777) : NewFileMode();
  bool ok = WriteAll(fd.get(), contents.data(), contents.size()) && ::fchmod(fd.get(), mode) == 0 &&
            ::fsync(fd.get()) == 0;
  if (ok && exists && (status.st_uid != ::geteuid() || status.st_gid != ::getegid())) {
    // Best effort: keep the owner when root rewrites somebody else's file.
    [[maybe_unused]] const int ignored = ::fchown(fd.get(), status.st_uid, status.st_gid);
  }
  ok = fd.Close() && ok;
  if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace canopex
