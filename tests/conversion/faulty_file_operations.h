// The real disk with faults at chosen moments, for tests of what a run does
// when the disk lets it down. Appends are numbered from 1 over the whole run
// (in folder mode a cut list's header line is its first append); the script
// names the step of one append that fails, and from which append on the
// output folder is gone or a file refuses to open.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "conversion/file_operations.h"

namespace canopex::testing {

struct FaultScript {
  enum class Step { None, Open, Write, Close };

  // `failing_step` of append number `failing_append` fails. A failing open
  // or write leaves the file as it was; a failing close comes after the
  // bytes reached the file, as when the system reports a late write error.
  Step failing_step = Step::None;
  int failing_append = 0;
  // Every delete fails: a stand file already there stays.
  bool removes_fail = false;
  // Just before append number `folder_gone_at`, the folder `gone_folder` is
  // deleted with everything in it (0: never); the disk then fails on its own.
  int folder_gone_at = 0;
  std::string gone_folder;
  // From append number `read_only_from` on, every open of `read_only_path`
  // fails (0: never). Refused here, as root ignores a file's mode.
  int read_only_from = 0;
  std::string read_only_path;
};

class FaultyFileOperations final : public DiskFileOperations {
 public:
  explicit FaultyFileOperations(FaultScript script) : script_(std::move(script)) {}

  bool Append(const std::string& path, std::string_view bytes,
              const FileIdentity& guarded) override {
    current_append_ = ++appends_;
    if (appends_ == script_.folder_gone_at) std::filesystem::remove_all(script_.gone_folder);
    const bool appended = DiskFileOperations::Append(path, bytes, guarded);
    current_append_ = 0;
    return appended;
  }

  bool Remove(const std::string& path, const FileIdentity& guarded) override {
    if (!script_.removes_fail) return DiskFileOperations::Remove(path, guarded);
    // Nothing deleted: only a stand file that is there makes it a failure.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    return !std::filesystem::is_regular_file(status) && !std::filesystem::is_symlink(status);
  }

  int appends() const { return appends_; }

 protected:
  OutputFile Open(const std::string& path, OutputFile::Mode mode,
                  const FileIdentity& guarded) override {
    if (Fails(FaultScript::Step::Open)) return {};
    if (script_.read_only_from > 0 && appends_ >= script_.read_only_from &&
        path == script_.read_only_path) {
      return {};
    }
    return DiskFileOperations::Open(path, mode, guarded);
  }
  bool Write(OutputFile& file, std::string_view bytes) override {
    return !Fails(FaultScript::Step::Write) && DiskFileOperations::Write(file, bytes);
  }
  bool Close(OutputFile& file) override {
    const bool closed = DiskFileOperations::Close(file);
    return closed && !Fails(FaultScript::Step::Close);
  }

 private:
  // True for the scripted step of the scripted append (never for the steps
  // of an Overwrite).
  bool Fails(FaultScript::Step step) const {
    return step == script_.failing_step && current_append_ == script_.failing_append;
  }

  FaultScript script_;
  int appends_ = 0;
  int current_append_ = 0;  // the append in progress; 0 between appends
};

}  // namespace canopex::testing
