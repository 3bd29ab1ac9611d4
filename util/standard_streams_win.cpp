#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "util/scoped_handle_win.h"
#include "util/standard_streams.h"

namespace canopex {
namespace {

// Disk files and pipes; a device such as CON is refused, as it would wait
// for keyboard input.
bool DeliversFiniteStream(HANDLE handle) {
  const DWORD type = GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

StdioFile StreamOfDescriptor(int fd) {
  if (fd < 0) return {};
  _setmode(fd, _O_BINARY);
  std::FILE* stream = _fdopen(fd, "rb");
  if (stream == nullptr) _close(fd);
  return StdioFile(stream);
}

}  // namespace

StdioFile OpenReportStream(const std::string& path) {
  if (path == "-") {
    // Whatever the caller made standard input (NUL, the console) is read,
    // as other programs read it.
    return StreamOfDescriptor(_dup(_fileno(stdin)));
  }
  ScopedHandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid() || !DeliversFiniteStream(handle.get())) return {};
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY);
  if (fd < 0) return {};
  handle.release();  // the descriptor owns the handle now
  return StreamOfDescriptor(fd);
}

bool NamesStandardOutput(const std::string& path) { return path == "-"; }

std::uint64_t SizeOfOpenFile(std::FILE* file) {
  if (file == nullptr) return 0;
  const intptr_t handle = _get_osfhandle(_fileno(file));
  LARGE_INTEGER size;
  if (handle == -1 || GetFileType(reinterpret_cast<HANDLE>(handle)) != FILE_TYPE_DISK ||
      !GetFileSizeEx(reinterpret_cast<HANDLE>(handle), &size)) {
    return 0;
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

StreamWrite WriteToStandardOutput(std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
    SetLastError(ERROR_SUCCESS);
    const int written = _write(_fileno(stdout), bytes.data(), chunk);
    // The C library reports a pipe without reader as EINVAL or EPIPE; the
    // system's own error says it (Wine gives ERROR_PIPE_NOT_CONNECTED).
    const DWORD error = GetLastError();
    if (written < 0 && (errno == EPIPE || error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE ||
                        error == ERROR_PIPE_NOT_CONNECTED)) {
      return StreamWrite::Closed;
    }
    if (written <= 0) return StreamWrite::Failed;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return StreamWrite::Written;
}

void PrepareStandardStreams() {}

void WriteStandardOutputAsBytes() { _setmode(_fileno(stdout), _O_BINARY); }

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

}  // namespace canopex
