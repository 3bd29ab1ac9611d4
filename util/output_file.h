// Writing the files a conversion produces: one line appended at a time,
// whole files replaced, and the delete before a file is written afresh. Each
// operation guards one file, the run's input, which it never writes, empties
// or deletes, however it is named (another spelling, a link).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace canopex {

// Which file on which volume: equal identities mean one file.
struct FileIdentity {
  bool known = false;
  std::uint64_t volume = 0;
  std::uint64_t index = 0;

  bool Matches(const FileIdentity& other) const {
    return known && other.known && volume == other.volume && index == other.index;
  }
};

// The identity of an open stream's file; unknown when the system cannot say.
FileIdentity IdentityOfOpenFile(std::FILE* file);

// Opens `path` for appending (creating it when missing), writes `bytes` and
// closes it again. True only when every byte was written and the file closed
// without error. Fails without writing when the file is `guarded`.
bool AppendToFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded);

// Creates `path` or empties it, writes `bytes` and closes it. Same result
// rules as AppendToFile; the guarded file is neither emptied nor written.
bool OverwriteFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded);

// Deletes the file at `path` so that it can be written afresh, when it is a
// regular file (other than the guarded one) or a symbolic link, which is
// removed itself. A folder, device or pipe is left in place. Failure to
// delete is not reported: the write that follows succeeds or fails on its own.
void RemoveReplaceableFile(const std::string& path, const FileIdentity& guarded);

}  // namespace canopex
