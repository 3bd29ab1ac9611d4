// The few file system operations the core needs, implemented once per
// platform (file_system_win.cpp, file_system_posix.cpp).
#pragma once

#include <string>

#include "util/stdio_file.h"

namespace canopex {

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);

// Creates one folder. Fails when it exists already or its parent is missing.
bool CreateOneDirectory(const std::string& path);

// The full path of the running executable; empty when the system cannot say.
std::string ExecutablePath();

// `path` made absolute against the current folder; unchanged when it is
// absolute already or the current folder cannot be found.
std::string AbsolutePathOf(const std::string& path);

// The running executable's folder followed by `name`. The folder is found on
// the first call that succeeds and cached for the rest of the program run.
std::string PathBesideExecutable(const std::string& name);

// Opens a regular file for reading in binary mode. Anything else (a folder,
// a pipe, a device) is refused before it could block or fail half-way; the
// result is then not open.
StdioFile OpenRegularFileForReading(const std::string& path);

// Reads a whole regular file into `contents`. False, with `contents` empty,
// when the file is missing, is not a regular file or cannot be read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the contents of the file at `path` without ever leaving it
// truncated: the new contents are written beside it and renamed over it, so a
// failure leaves the old file as it was. A symbolic link is followed to the
// real file, and the file's permissions are kept. A file that may not be
// written (read-only) is left alone and the call fails. Creates the file when
// it is missing. Returns true when the new contents are in place.
bool ReplaceFileContents(const std::string& path, const std::string& contents);

}  // namespace canopex
