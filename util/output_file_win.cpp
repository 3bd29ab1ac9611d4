#include <windows.h>

#include <io.h>

#include "util/output_file.h"
#include "util/scoped_handle_win.h"

namespace canopex {
namespace {

FileIdentity IdentityOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(handle, &information)) return {};
  return {true, information.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
              information.nFileIndexLow};
}

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

FileIdentity IdentityOfOpenFile(std::FILE* file) {
  if (file == nullptr) return {};
  const intptr_t handle = _get_osfhandle(_fileno(file));
  if (handle == -1) return {};
  return IdentityOfHandle(reinterpret_cast<HANDLE>(handle));
}

OutputFile OutputFile::Open(const std::string& path, Mode mode, const FileIdentity& guarded) {
  // Appending: FILE_APPEND_DATA without FILE_WRITE_DATA, so every write goes
  // to the end. Overwriting: emptied only after the identity check, never by
  // CREATE_ALWAYS.
  const DWORD access = mode == Mode::Append ? FILE_APPEND_DATA | SYNCHRONIZE : GENERIC_WRITE;
  ScopedHandle file(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || (guarded.known && guarded.Matches(IdentityOfHandle(file.get())))) {
    return {};
  }
  if (mode == Mode::Overwrite && GetFileType(file.get()) == FILE_TYPE_DISK &&
      !SetEndOfFile(file.get())) {
    return {};
  }
  const HANDLE handle = file.get();
  file.release();
  return OutputFile(reinterpret_cast<std::intptr_t>(handle));
}

bool OutputFile::Write(std::string_view bytes) {
  return is_open() && WriteAll(HandleOf(handle_), bytes.data(), bytes.size());
}

bool OutputFile::Close() {
  if (!is_open()) return false;
  ScopedHandle file(HandleOf(handle_));
  handle_ = kNone;
  return file.Close();
}

bool RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return true;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    // A regular file: look at which one it is before deleting it.
    ScopedHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || guarded.Matches(IdentityOfHandle(file.get()))) return false;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return true;
  }
  return DeleteFileA(path.c_str()) != 0;
}

}  // namespace canopex
