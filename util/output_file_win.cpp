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

// Opens `path` with `access`, creating it when missing. Not open when the
// file is the guarded one.
ScopedHandle OpenForWriting(const std::string& path, DWORD access, const FileIdentity& guarded) {
  ScopedHandle file(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid() && guarded.Matches(IdentityOfHandle(file.get()))) file.Close();
  return file;
}

}  // namespace

FileIdentity IdentityOfOpenFile(std::FILE* file) {
  if (file == nullptr) return {};
  const intptr_t handle = _get_osfhandle(_fileno(file));
  if (handle == -1) return {};
  return IdentityOfHandle(reinterpret_cast<HANDLE>(handle));
}

bool AppendToFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end.
  ScopedHandle file = OpenForWriting(path, FILE_APPEND_DATA | SYNCHRONIZE, guarded);
  if (!file.valid()) return false;
  const bool written = WriteAll(file.get(), bytes.data(), bytes.size());
  return file.Close() && written;
}

bool OverwriteFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  // Emptied only after the identity check, never by CREATE_ALWAYS.
  ScopedHandle file = OpenForWriting(path, GENERIC_WRITE, guarded);
  if (!file.valid()) return false;
  if (GetFileType(file.get()) == FILE_TYPE_DISK && !SetEndOfFile(file.get())) return false;
  const bool written = WriteAll(file.get(), bytes.data(), bytes.size());
  return file.Close() && written;
}

void RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    // A regular file: look at which one it is before deleting it.
    ScopedHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK ||
        guarded.Matches(IdentityOfHandle(file.get()))) {
      return;
    }
  }
  DeleteFileA(path.c_str());
}

}  // namespace canopex
