// What the main dialog's logic needs of a window system: the handful of
// operations on its controls, message boxes, the wait cursor and the modal
// choosers. The Win32 and the wx front ends implement it; tests record it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "resources/resource.h"

namespace canopex {

// The controls of the main dialog that its logic touches.
enum class Control : int {
  InputFile = IDC_INPUT_FILE,
  OutputFolder = IDC_OUTPUT_FOLDER,
  OutputFile = IDC_OUTPUT_FILE,
  MinDiameter = IDC_MIN_DIAMETER,
  Run = IDC_RUN,
  Results = IDC_RESULTS,
  ErrorMessages = IDC_ERROR_MESSAGES,
  CreateSubFolder = IDC_CREATE_SUB_FOLDER,
  Compress = IDC_COMPRESS,
};

// Flags of a chooser, with the values of the Windows common dialogs' OFN_
// flags so that the Win32 front end hands them on unchanged.
namespace chooser_flags {
inline constexpr std::uint32_t kOverwritePrompt = 0x0002;
inline constexpr std::uint32_t kHideReadOnly = 0x0004;
inline constexpr std::uint32_t kEnableHook = 0x0020;
inline constexpr std::uint32_t kEnableTemplate = 0x0040;
inline constexpr std::uint32_t kPathMustExist = 0x0800;
}  // namespace chooser_flags

enum class ChooserKind { OpenFile, SaveFile, Folder };

// Everything one Browse hands to its chooser, which is modal over the main
// dialog, its owner.
struct ChooserRequest {
  ChooserKind kind = ChooserKind::OpenFile;
  std::string default_extension;
  // The current path (or "x" for the folder chooser, whose result is the
  // folder joined with this name).
  std::string initial_file_name;
  std::uint32_t flags = 0;
  // Entries separated by "|", ending in "||"; empty for none.
  std::string filter;
  // Empty: the platform's own title.
  std::string title;
  std::string initial_directory;
  // A dialog template added below the standard controls; 0 for none.
  int extra_template = 0;
};

class DialogPlatform {
 public:
  virtual ~DialogPlatform() = default;

  virtual void SetControlText(Control control, const std::string& text) = 0;
  virtual std::string ControlText(Control control) = 0;
  virtual void EnableControl(Control control, bool enabled) = 0;
  virtual void SetChecked(Control control, bool checked) = 0;
  virtual bool IsChecked(Control control) = 0;
  virtual void ShowControl(Control control, bool shown) = 0;

  // A modal message box with an OK button, the exclamation icon and the
  // program's name as title; returns when the user has closed it.
  virtual void ShowMessage(const std::string& text) = 0;

  // The wait cursor, shown from Begin to End (see WaitCursor).
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // A run converts on the window's own thread. Between its cut lists the
  // window repaints through PaintDuringRun, which handles paint requests
  // only and leaves the user's input queued; at its end
  // DiscardQueuedInput drops the mouse and keyboard input queued meanwhile,
  // so that nothing clicked or typed while the window was busy is acted on.
  virtual void PaintDuringRun() = 0;
  virtual void DiscardQueuedInput() = 0;

  // Runs a modal chooser. Returns the chosen full path (for a folder
  // chooser: the chosen folder, without a trailing separator), or nothing
  // when the user cancelled.
  virtual std::optional<std::string> Choose(const ChooserRequest& request) = 0;

  // Makes `path` the process's current folder, as a chooser opens there;
  // failure is of no consequence and not reported.
  virtual void ChangeCurrentDirectory(const std::string& path) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(DialogPlatform& platform) : platform_(platform) {
    platform_.BeginWaitCursor();
  }
  ~WaitCursor() { platform_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DialogPlatform& platform_;
};

}  // namespace canopex
