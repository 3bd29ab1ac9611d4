#include "ui/win/win32_dialog_platform.h"

#include "ui/folder_choice.h"
#include "ui/win/file_dialog_win.h"

namespace canopex {
namespace {

static_assert(chooser_flags::kOverwritePrompt == OFN_OVERWRITEPROMPT);
static_assert(chooser_flags::kHideReadOnly == OFN_HIDEREADONLY);
static_assert(chooser_flags::kEnableHook == OFN_ENABLEHOOK);
static_assert(chooser_flags::kEnableTemplate == OFN_ENABLETEMPLATE);
static_assert(chooser_flags::kPathMustExist == OFN_PATHMUSTEXIST);

bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

// Bounds for the message loops below: a window that never validates itself
// would be handed WM_PAINT for ever.
constexpr int kMaxMessagesAtOnce = 10000;

// The keyboard and mouse messages, in the client and the frame.
constexpr UINT kInputMessageRanges[][2] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
};

}  // namespace

void Win32DialogPlatform::SetControlText(Control control, const std::string& text) {
  SetWindowTextA(Item(control), text.c_str());
}

std::string Win32DialogPlatform::ControlText(Control control) {
  HWND item = Item(control);
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(item, text.data(), length + 1)));
  return text;
}

void Win32DialogPlatform::EnableControl(Control control, bool enabled) {
  EnableWindow(Item(control), enabled ? TRUE : FALSE);
}

void Win32DialogPlatform::SetChecked(Control control, bool checked) {
  CheckDlgButton(dialog_, static_cast<int>(control), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogPlatform::IsChecked(Control control) {
  return IsDlgButtonChecked(dialog_, static_cast<int>(control)) == BST_CHECKED;
}

void Win32DialogPlatform::ShowControl(Control control, bool shown) {
  ShowWindow(Item(control), shown ? SW_SHOW : SW_HIDE);
}

void Win32DialogPlatform::ShowMessage(const std::string& text) {
  MessageBoxA(dialog_, text.c_str(), program_name_.c_str(), MB_OK | MB_ICONEXCLAMATION);
  // The box showed the arrow; a run goes on waiting.
  if (wait_depth_ > 0) SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void Win32DialogPlatform::BeginWaitCursor() {
  HCURSOR before = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  if (wait_depth_++ == 0) cursor_before_wait_ = before;
}

void Win32DialogPlatform::EndWaitCursor() {
  if (wait_depth_ > 0 && --wait_depth_ == 0) SetCursor(cursor_before_wait_);
}

void Win32DialogPlatform::PaintDuringRun() {
  MSG message;
  for (int i = 0; i < kMaxMessagesAtOnce &&
                  PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT);
       ++i) {
    DispatchMessageA(&message);
  }
}

void Win32DialogPlatform::DiscardQueuedInput() {
  MSG message;
  for (const auto& range : kInputMessageRanges) {
    for (int i = 0; i < kMaxMessagesAtOnce &&
                    PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE);
         ++i) {
    }
  }
}

std::optional<std::string> Win32DialogPlatform::Choose(const ChooserRequest& request) {
  if (request.kind == ChooserKind::Folder) {
    CDirDialog dialog(true, request.default_extension.c_str(),
                      request.initial_file_name.c_str(), request.flags,
                      request.filter.c_str(), dialog_);
    OPENFILENAMEA& record = dialog.record();
    record.hInstance = instance_;
    record.lpTemplateName = MAKEINTRESOURCEA(request.extra_template);
    record.lpstrTitle = request.title.c_str();
    record.lpstrInitialDir = request.initial_directory.c_str();
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return FolderOfChooserResult(dialog.GetPathName(), IsSystemLeadByte);
  }

  FileDialog dialog(request.kind == ChooserKind::OpenFile, request.default_extension.c_str(),
                    request.initial_file_name.c_str(), request.flags, request.filter.c_str(),
                    dialog_);
  OPENFILENAMEA& record = dialog.record();
  if (!request.title.empty()) record.lpstrTitle = request.title.c_str();
  // The current path is both the proposed name and the folder to open in.
  record.lpstrInitialDir = dialog.file_name_buffer();
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return dialog.GetPathName();
}

void Win32DialogPlatform::ChangeCurrentDirectory(const std::string& path) {
  SetCurrentDirectoryA(path.c_str());
}

}  // namespace canopex
