#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "util/file_descriptor_posix.h"
#include "util/standard_streams.h"

namespace canopex {
namespace {

// Kinds of file whose reads come to an end: a terminal ends at Ctrl-D;
// other devices (/dev/zero, /dev/urandom) may never end.
bool DeliversFiniteStream(int fd, const struct stat& status) {
  return S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) ||
         (S_ISCHR(status.st_mode) && ::isatty(fd));
}

// `chosen_by_caller`: standard input, whatever the caller made it (as cat
// reads it); only a folder is refused.
StdioFile StreamOf(FileDescriptor fd, bool chosen_by_caller) {
  struct stat status;
  if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || S_ISDIR(status.st_mode) ||
      (!chosen_by_caller && !DeliversFiniteStream(fd.get(), status))) {
    return {};
  }
  return BlockingReadStream(std::move(fd));
}

}  // namespace

StdioFile OpenReportStream(const std::string& path) {
  if (path == "-") {
    return StreamOf(FileDescriptor(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)), true);
  }
  // A named pipe is opened waiting for its writer, as other readers do;
  // anything else without waiting (a device could block the open).
  struct stat status;
  const bool named_pipe = ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
  const int flags = O_RDONLY | O_CLOEXEC | (named_pipe ? 0 : O_NONBLOCK);
  return StreamOf(FileDescriptor(::open(path.c_str(), flags)), false);
}

bool NamesStandardOutput(const std::string& path) {
  return path == "-" || path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
}

std::uint64_t SizeOfOpenFile(std::FILE* file) {
  struct stat status;
  if (file == nullptr || ::fstat(::fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
    return 0;
  }
  return static_cast<std::uint64_t>(status.st_size);
}

StreamWrite WriteToStandardOutput(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EPIPE) return StreamWrite::Closed;
    if (written <= 0) return StreamWrite::Failed;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return StreamWrite::Written;
}

void PrepareStandardStreams() { ::signal(SIGPIPE, SIG_IGN); }

void WriteStandardOutputAsBytes() {}

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

}  // namespace canopex
