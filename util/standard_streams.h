// What the command line needs beyond files on disk: a report read from
// standard input or a pipe, a stand file written to standard output, and
// whether standard error is a terminal (for the progress line). The window
// never uses these: it reads regular files only, so that it cannot hang.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "util/stdio_file.h"

namespace canopex {

// Opens a report for reading in binary mode: "-" is standard input, read
// whatever it is (but a folder); any other path may name a regular file or
// a pipe (a named pipe, /dev/stdin), and waits for a named pipe's writer. A
// folder or a device that may never end (/dev/zero) is refused; the result
// is then not open.
StdioFile OpenReportStream(const std::string& path);

// The size of an open regular file; 0 for a pipe or when the system cannot
// say.
std::uint64_t SizeOfOpenFile(std::FILE* file);

// Whether `path` names standard output: "-", and on Linux also its names in
// the file system (/dev/stdout, /dev/fd/1, /proc/self/fd/1), which must never
// be deleted and made anew as a stand file is.
bool NamesStandardOutput(const std::string& path);

enum class StreamWrite {
  Written,  // every byte
  Failed,   // a write error (a full disk, /dev/full)
  Closed,   // the reader has gone (a closed pipe)
};

// Writes `bytes` to standard output at once, unbuffered: a line is never
// left half-written behind a buffer.
StreamWrite WriteToStandardOutput(std::string_view bytes);

// A closed pipe becomes a write result (Closed) instead of a signal that
// ends the program at once.
void PrepareStandardStreams();

// Standard output writes bytes unchanged: no CR is added before an LF on
// Windows.
void WriteStandardOutputAsBytes();

bool IsTerminal(std::FILE* stream);

}  // namespace canopex
