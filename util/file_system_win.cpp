#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <vector>

#include "util/file_system.h"
#include "util/scoped_handle_win.h"

namespace canopex {

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateOneDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::string ExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string AbsolutePathOf(const std::string& path) {
  if (path.empty()) return path;
  const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::vector<char> buffer(needed);
  const DWORD length = GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  return std::string(buffer.data(), length);
}

StdioFile OpenRegularFileForReading(const std::string& path) {
  // Only disk files: a device name such as CON would wait for keyboard input.
  ScopedHandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid() || GetFileType(handle.get()) != FILE_TYPE_DISK) return {};
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY | _O_BINARY);
  if (fd < 0) return {};
  handle.release();  // the descriptor owns the handle now
  std::FILE* stream = _fdopen(fd, "rb");
  if (stream == nullptr) _close(fd);
  return StdioFile(stream);
}

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }
  const std::string temporary = path + ".new";
  {
    ScopedHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    const bool ok = WriteAll(file.get(), contents.data(), contents.size()) && FlushFileBuffers(file.get());
    if (!file.Close() || !ok) {
      DeleteFileA(temporary.c_str());
      return false;
    }
  }
  // ReplaceFileA keeps the old file's attributes and security; a new file is
  // simply moved into place.
  const bool moved =
      exists ? ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
             : MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (!moved) DeleteFileA(temporary.c_str());
  return moved;
}

}  // namespace canopex
