// The parts of output_file.h that need no platform call of their own.
#include "util/output_file.h"

namespace canopex {
namespace {

bool WriteAndClose(OutputFile file, std::string_view bytes) {
  if (!file.is_open()) return false;
  const bool written = file.Write(bytes);
  return file.Close() && written;
}

}  // namespace

bool AppendToFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  return WriteAndClose(OutputFile::Open(path, OutputFile::Mode::Append, guarded), bytes);
}

bool OverwriteFile(const std::string& path, std::string_view bytes, const FileIdentity& guarded) {
  return WriteAndClose(OutputFile::Open(path, OutputFile::Mode::Overwrite, guarded), bytes);
}

}  // namespace canopex
