// The real Win32 windows, in process: the main dialog made from its
// template and driven with messages, the folder chooser and the About box.
// Needs a display (the test runs under Wine on a virtual X screen).
#include "app/main_window_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "app/step_label_font_win.h"
#include "modal_watcher.h"
#include "resources/resource.h"
#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "ui/dialog_layout.h"
#include "ui/win/about_dlg_win.h"
#include "ui/win/computer_name_win.h"
#include "ui/win/win32_dialog_platform.h"
#include "util/path_names.h"

namespace canopex {
namespace {

using testing::ModalWatcher;

constexpr char kProgramName[] = "CanopexUnderTest";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (!text.empty() && text.back() == '\n') lines.push_back("");
  return lines;
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font = {};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  GetObjectA(handle, sizeof font, &font);
  return font;
}

// Wine may give back the folder's name in another case.
std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

BOOL CALLBACK IconControl(HWND child, LPARAM data) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HICON*>(data) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

// The icon that a message box shows: the one of its icon control.
HICON IconOf(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, IconControl, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

// Handles the messages posted so far, as a message loop would.
void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class MainWindowTest : public ::testing::Test {
 protected:
  HWND Open(const std::string& setup) {
    store_.emplace("[Setup]\r\n" + setup);
    window_.emplace(GetModuleHandleA(nullptr), *store_, font_.get(), kProgramName);
    HWND hwnd = window_->CreateModeless(nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
  }

  testing::TempFolder temp_;
  ScopedFont font_ = CreateStepLabelFont();
  std::optional<MemorySettingsStore> store_;
  std::optional<MainWindow> window_;
};

// What a control of the layout table is, as the dialog manager made it.
ControlKind KindOf(HWND control) {
  char class_name[16] = {};
  GetClassNameA(control, class_name, sizeof class_name);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(class_name, "Edit") == 0) {
    return (style & ES_READONLY) != 0 ? ControlKind::ReadOnlyEdit : ControlKind::Edit;
  }
  if (lstrcmpiA(class_name, "Static") == 0) {
    return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::Icon : ControlKind::Label;
  }
  switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON: return ControlKind::DefaultButton;
    case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
    default: return ControlKind::Button;
  }
}

// Whether a static text shows whole within its box, in its own font, as
// the control lays it out.
bool ShowsWhole(HWND label) {
  const std::string text = ModalWatcher::Text(label);
  const LONG style = GetWindowLongA(label, GWL_STYLE);
  RECT box;
  GetClientRect(label, &box);
  RECT needed = {0, 0, box.right, 0};
  HDC dc = GetDC(label);
  HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  DrawTextA(dc, text.c_str(), -1, &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
  SelectObject(dc, before);
  ReleaseDC(label, dc);
  return needed.bottom <= box.bottom && needed.right <= box.right;
}

// The window made from a template is the layout table that the Linux
// program builds its windows from: caption, size and every control, in
// order. Texts the program fills in are left aside, and an icon control
// takes the icon's size and shows no text. Step labels are bold, the rest
// keeps the dialog's font, and every label shows whole.
void ExpectWindowIsTheTable(HWND dialog, const DialogLayout& layout) {
  EXPECT_EQ(ModalWatcher::Text(dialog), layout.caption);
  RECT size = {0, 0, layout.width, layout.height}, client;
  MapDialogRect(dialog, &size);
  GetClientRect(dialog, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(size.right, size.bottom));
  std::size_t i = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT), ++i) {
    ASSERT_LT(i, layout.controls.size());
    const DialogControl& c = layout.controls[i];
    SCOPED_TRACE(::testing::Message() << "control " << i << " \"" << c.text << "\"");
    EXPECT_EQ(GetDlgCtrlID(child), c.id);
    EXPECT_EQ(KindOf(child), c.kind == ControlKind::StepLabel ? ControlKind::Label : c.kind);
    if (c.kind != ControlKind::Icon) {
      const LOGFONTA font = FontOf(child), dialog_font = FontOf(dialog);
      const bool step = c.id == IDC_STEP1_LABEL || c.id == IDC_STEP2_LABEL ||
                        c.id == IDC_STEP3_LABEL || c.id == IDC_STEP4_LABEL;
      EXPECT_EQ(font.lfWeight, step ? FW_BOLD : dialog_font.lfWeight);
      EXPECT_STREQ(font.lfFaceName, step ? "MS Sans Serif" : dialog_font.lfFaceName);
    }
    if (KindOf(child) == ControlKind::Label) {
      EXPECT_TRUE(ShowsWhole(child)) << ModalWatcher::Text(child);
    }
    const bool filled = c.kind == ControlKind::Edit || c.kind == ControlKind::ReadOnlyEdit ||
                        c.kind == ControlKind::Icon || c.id == IDC_ABOUT_TEXT;
    if (!filled) {
      EXPECT_EQ(ModalWatcher::Text(child), c.text);
    }
    // Position and size are each mapped from dialog units, as the template's.
    RECT expected = {c.x, c.y, c.width, c.height}, actual;
    MapDialogRect(dialog, &expected);
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(std::pair(actual.left, actual.top), std::pair(expected.left, expected.top));
    if (c.kind != ControlKind::Icon) {
      EXPECT_EQ(std::pair(actual.right - actual.left, actual.bottom - actual.top),
                std::pair(expected.right, expected.bottom));
    }
  }
  EXPECT_EQ(i, layout.controls.size());
}

TEST_F(MainWindowTest, WindowsAreTheLayoutTables) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  {
    SCOPED_TRACE("main dialog");
    ExpectWindowIsTheTable(dialog, MainDialogLayout());
  }
  // The statics that show data show "&" as it is.
  for (const int data : {IDC_RESULTS, IDC_ERROR_MESSAGES}) {
    EXPECT_NE(GetWindowLongA(GetDlgItem(dialog, data), GWL_STYLE) & SS_NOPREFIX, 0) << data;
  }
  CAboutDlg about(GetModuleHandleA(nullptr));
  {
    SCOPED_TRACE("About box");
    ExpectWindowIsTheTable(about.CreateModeless(nullptr), AboutBoxLayout());
  }
  ModalDialog hint(GetModuleHandleA(nullptr), IDD_SELECT_FOLDER);
  SCOPED_TRACE("folder chooser's hint");
  ExpectWindowIsTheTable(hint.CreateModeless(dialog), FolderHintLayout());
}

// The remembered entries through the real controls; the buttons reach
// their handlers, Enter does nothing and Exit closes.
TEST_F(MainWindowTest, ControlsShowTheEntriesAndButtonsReachTheirHandlers) {
  HWND dialog = Open("InputFile=C:\\in.trl\r\nOutputDir=C:\\Out\r\nMinDiam=2.5\r\n"
                     "CreateDir=1\r\nCompress=0\r\n");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_INPUT_FILE), "C:\\in.trl");
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_OUTPUT_FOLDER), "C:\\Out");
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_MIN_DIAMETER), "2.5");
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMPRESS), BST_CHECKED);
  // The sub-folder option is checked from the settings file but never shown.
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CREATE_SUB_FOLDER), BST_CHECKED);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_CREATE_SUB_FOLDER)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_COMPRESS)));
  EXPECT_NE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_RUN)));
  Click(dialog, IDC_CLEAR_OUTPUT_FOLDER);
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_OUTPUT_FOLDER), "");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_RUN)));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindow(dialog));
  Click(dialog, IDCANCEL);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MainWindowTest, SystemMenuEndsWithTheAboutEntry) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  HMENU menu = GetSystemMenu(dialog, FALSE);
  ASSERT_NE(menu, nullptr);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  EXPECT_NE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
  char text[64] = {};
  GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, kAboutMenuText);

  // Choosing it opens the About box (the command's low four bits are the
  // system's own); other commands keep their usual meaning.
  std::string about_text;
  {
    ModalWatcher watcher("About Canopex", [&](HWND box) {
      about_text = ModalWatcher::Text(box, IDC_ABOUT_TEXT);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    EXPECT_EQ(watcher.times_fired(), 1);
  }
  EXPECT_NE(about_text.find("Program version: "), std::string::npos);
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MainWindowTest, EscapeAndTheCloseBoxClose) {
  for (const UINT message : {WM_CLOSE, WM_KEYDOWN}) {
    HWND dialog = Open("");
    ASSERT_NE(dialog, nullptr);
    if (message == WM_KEYDOWN) {
      // Escape as the dialog manager sees it, on the focused control.
      MSG key{GetDlgItem(dialog, IDC_MIN_DIAMETER), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
      IsDialogMessageA(dialog, &key);
    } else {
      SendMessageA(dialog, WM_CLOSE, 0, 0);
    }
    PumpMessages();
    EXPECT_FALSE(IsWindow(dialog)) << message;
  }
}

TEST_F(MainWindowTest, RunConvertsAndShowsItsMessagesInBoxes) {
  const std::string report = temp_ / "stand7.trl";
  const std::string out = temp_ / "out";
  CreateDirectoryA(out.c_str(), nullptr);
  HWND dialog = Open("InputFile=" + report + "\r\nOutputDir=" + out + "\r\n");
  ASSERT_NE(dialog, nullptr);

  // The report is missing: the converter's message comes in a box with the
  // program's name and the exclamation icon, and then in the error field.
  std::vector<std::string> shown;
  {
    ModalWatcher watcher(kProgramName, [&](HWND box) {
      shown.push_back(ModalWatcher::Text(box, 0xFFFF));
      EXPECT_EQ(IconOf(box), LoadIconA(nullptr, IDI_EXCLAMATION));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(dialog, IDC_RUN);
  }
  EXPECT_EQ(shown, std::vector<std::string>{"Cannot open the file: \n" + report});
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_ERROR_MESSAGES),
            "Error Messages:\n\tCannot open the file: \n" + report);

  testing::WriteFileBytes(report, testing::CutList("0042", "1998",
                                                   {testing::TreeLine(1, "DF", "10.0", "12.0", "60.0"),
                                                    testing::TreeLine(2, "WH", "0.0", "8.0", "40.0")}));
  SetDlgItemTextA(dialog, IDC_MIN_DIAMETER, " 1 ");
  Click(dialog, IDC_RUN);
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_RESULTS),
            "Results:\n\tCut list count:\t1\t\tTrees ignored -- TPA zero:\t\t1\n"
            "\tTrees count:\t1\t\tTrees ignored -- diameter too small:\t0\n");
  EXPECT_EQ(ModalWatcher::Text(dialog, IDC_MIN_DIAMETER), " 1 ");
  EXPECT_TRUE(testing::FileBytes(JoinPath(out, "0042_1998.txt")).size() > 0);
  EXPECT_EQ(store_->ReadSettingString("Setup", "MinDiam", ""), "1");
}

// A control that, when painted, posts a click on Run and an Escape, as a
// user acting on the busy window would.
class ClickerDuringPaint {
 public:
  ClickerDuringPaint(HWND control, HWND run, HWND field) : run_(run), field_(field) {
    SetPropA(control, kProp, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  }
  int paints = 0;

 private:
  static constexpr char kProp[] = "ClickerDuringPaint";
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = static_cast<ClickerDuringPaint*>(GetPropA(window, kProp));
    if (message == WM_PAINT && self->paints++ == 0) {
      PostMessageA(self->run_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
      PostMessageA(self->run_, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
      PostMessageA(self->field_, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return CallWindowProcA(self->previous_, window, message, w, l);
  }

  HWND run_;
  HWND field_;
  WNDPROC previous_ = nullptr;
};

TEST_F(MainWindowTest, TheWindowPaintsDuringARunAndDropsItsInput) {
  const std::string report = temp_ / "stands.trl";
  const std::vector<std::string> trees = {testing::TreeLine(1, "DF", "10.0", "12.0", "60.0")};
  testing::WriteFileBytes(report, testing::CutList("0042", "1998", trees) +
                                      testing::CutList("0107", "2003", trees));
  const std::string out = temp_ / "out";
  CreateDirectoryA(out.c_str(), nullptr);
  HWND dialog = Open("InputFile=" + report + "\r\nOutputDir=" + out + "\r\n");
  ASSERT_NE(dialog, nullptr);
  HWND label = GetDlgItem(dialog, IDC_RESULTS);
  ClickerDuringPaint clicker(label, GetDlgItem(dialog, IDC_RUN),
                             GetDlgItem(dialog, IDC_MIN_DIAMETER));
  ShowWindow(dialog, SW_SHOW);
  PumpMessages();
  clicker.paints = 0;

  // Painting is due when Run starts; the click and the Escape are posted
  // while the run paints.
  InvalidateRect(label, nullptr, TRUE);
  Click(dialog, IDC_RUN);
  EXPECT_GE(clicker.paints, 1);
  RECT invalid;
  EXPECT_FALSE(GetUpdateRect(label, &invalid, FALSE));
  const std::string stand_file = JoinPath(out, "0107_2003.txt");
  ASSERT_TRUE(DeleteFileA(stand_file.c_str()));

  // Handled now, the queued click would start a second run and the Escape
  // would close the window, as in the program's modal loop.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  EXPECT_EQ(GetFileAttributesA(stand_file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(IsWindow(dialog));
  DestroyWindow(dialog);
}

TEST_F(MainWindowTest, FolderChooserHidesTheFileControlsAndReturnsTheFolder) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  Win32DialogPlatform platform(GetModuleHandleA(nullptr), kProgramName);
  platform.Attach(dialog);
  const std::string folder = temp_.path().string();

  bool checked = false;
  ModalWatcher watcher("Select Folder", [&](HWND chooser) {
    // The hidden controls are hidden by posted messages: wait for them.
    if (IsWindowVisible(GetDlgItem(chooser, 0x47C))) return;
    checked = true;
    for (const int hidden : {0x480, 0x47C, 0x470, 0x441, 0x442}) {
      HWND control = GetDlgItem(chooser, hidden);
      if (control != nullptr) {
        EXPECT_FALSE(IsWindowVisible(control)) << hidden;
      }
    }
    EXPECT_EQ(ModalWatcher::Text(chooser, IDOK), "Select");
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  });
  SetCurrentDirectoryA(folder.c_str());
  const std::optional<std::string> chosen = platform.Choose(OutputFolderChooser(folder));
  EXPECT_TRUE(checked);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(Upper(*chosen), Upper(folder));
}

TEST_F(MainWindowTest, FileChoosersShowTheirFiltersAndAddTheExtension) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  Win32DialogPlatform platform(GetModuleHandleA(nullptr), kProgramName);
  platform.Attach(dialog);

  // The input chooser shows the current path and the report filter first;
  // cancelling gives nothing. Each chooser is modal: the main window is
  // disabled while it is open.
  const std::string report = temp_ / "in.trl";
  std::string filter;
  std::string file_name;
  {
    ModalWatcher watcher("Select Sylvax Input File", [&](HWND chooser) {
      EXPECT_FALSE(IsWindowEnabled(dialog));
      filter = ModalWatcher::Text(chooser, 0x470);
      char name[MAX_PATH] = {};
      SendMessageA(chooser, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
      file_name = name;
      PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(platform.Choose(InputFileChooser(report)), std::nullopt);
    EXPECT_EQ(watcher.times_fired(), 1);
  }
  EXPECT_EQ(filter, "Sylvax Tree List (*.trl)");
  EXPECT_EQ(file_name, "in.trl");

  // The save chooser has the platform's own title and adds "txt".
  char title[64] = {};
  const std::string base = temp_ / "all";
  {
    ModalWatcher watcher("Save As", [&](HWND chooser) {
      EXPECT_FALSE(IsWindowEnabled(dialog));
      filter = ModalWatcher::Text(chooser, 0x470);
      GetWindowTextA(chooser, title, sizeof title);
      SendMessageA(chooser, CDM_SETCONTROLTEXT, 0x47C, reinterpret_cast<LPARAM>(base.c_str()));
      PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> chosen = platform.Choose(OutputFileChooser(""));
    EXPECT_EQ(watcher.times_fired(), 1);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(Upper(*chosen), Upper(base + ".txt"));
  }
  EXPECT_EQ(filter, "Stand Text File (*.txt)");
}

TEST(AboutBox, ShowsVersionComputerAndWindowsFolder) {
  CAboutDlg about(GetModuleHandleA(nullptr));
  HWND box = about.CreateModeless(nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ModalWatcher::Text(box), "About Canopex");
  const std::vector<std::string> lines = Lines(ModalWatcher::Text(box, IDC_ABOUT_TEXT));
  ASSERT_EQ(lines.size(), 10u);
  char windows_folder[MAX_PATH] = {};
  GetWindowsDirectoryA(windows_folder, MAX_PATH);
  EXPECT_EQ(lines[0], "Canopex: tree list reports to stand files");
  EXPECT_EQ(lines[2], "Program version: " CANOPEX_VERSION " ");
  EXPECT_EQ(lines[4], "The Canopex developers");
  EXPECT_EQ(lines[6], "Copyright (C) 2026 The Canopex developers");
  EXPECT_EQ(lines[8], GetComputerNameText());
  EXPECT_FALSE(lines[8].empty());
  EXPECT_EQ(lines[9], windows_folder);
  for (const int empty : {1, 3, 5, 7}) EXPECT_EQ(lines[empty], "") << empty;
}

}  // namespace
}  // namespace canopex
