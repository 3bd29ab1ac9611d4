// The real Win32 windows, in process: the main dialog made from its
// template and driven with messages, the choosers and the About box.
// Needs a display (the test runs under Wine on a virtual X screen).
#include "app/main_window_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <utility>

#include "app/step_label_font_win.h"
#include "resources/resource.h"
#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "ui/dialog_layout.h"
#include "ui/win/about_dlg_win.h"
#include "ui/win/computer_name_win.h"
#include "util/path_names.h"

namespace canopex {
namespace {

using testing::CutList;
using testing::TreeLine;

constexpr char kProgramName[] = "CanopexUnderTest";

// The text of a window, or of its child `id`.
std::string Text(HWND window, int id = 0) {
  if (id != 0) window = GetDlgItem(window, id);
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// Handles the messages posted so far, as the dialog's modal loop would.
void PumpMessages(HWND dialog) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// While `code` waits in a modal loop, a thread timer looks for the shown
// top-level window titled `title` and, once it is there, acts on it (which
// closes it).
struct Watch {
  std::string title;
  std::function<void(HWND)> act;
  bool busy = false;
};
Watch* watch = nullptr;
void CALLBACK LookForTheWindow(HWND, UINT, UINT_PTR, DWORD) {
  if (watch == nullptr || watch->busy) return;
  HWND found = FindWindowA(nullptr, watch->title.c_str());
  if (found == nullptr || !IsWindowVisible(found)) return;
  watch->busy = true;
  watch->act(found);
  watch->busy = false;
}
void WhileModal(std::string title, std::function<void(HWND)> act,
                const std::function<void()>& code) {
  Watch current{std::move(title), std::move(act)};
  watch = &current;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForTheWindow);
  code();
  KillTimer(nullptr, timer);
  watch = nullptr;
}

// The Results field's text at each of its repaints, kept by its window
// procedure while `painted_results` is set.
std::vector<std::string>* painted_results = nullptr;
WNDPROC static_procedure = nullptr;
LRESULT CALLBACK KeepPaintedText(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT && painted_results != nullptr) painted_results->push_back(Text(label));
  return CallWindowProcA(static_procedure, label, message, wparam, lparam);
}

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
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(name, "Edit") == 0) {
    return style & ES_READONLY ? ControlKind::ReadOnlyEdit : ControlKind::Edit;
  }
  if (lstrcmpiA(name, "Static") == 0) {
    return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::Icon : ControlKind::Label;
  }
  if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return ControlKind::DefaultButton;
  return (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? ControlKind::CheckBox : ControlKind::Button;
}

// Whether a static text shows whole within its box, in its own font, as
// the control lays it out (no text of the table holds an "&").
bool ShowsWhole(HWND label) {
  RECT box;
  GetClientRect(label, &box);
  RECT needed = {0, 0, box.right, 0};
  HDC dc = GetDC(label);
  HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  DrawTextA(dc, Text(label).c_str(), -1, &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
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
  EXPECT_EQ(Text(dialog), layout.caption);
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
      const bool step = c.kind == ControlKind::StepLabel;
      EXPECT_EQ(font.lfWeight, step ? FW_BOLD : dialog_font.lfWeight);
      EXPECT_STREQ(font.lfFaceName, step ? "MS Sans Serif" : dialog_font.lfFaceName);
    }
    if (KindOf(child) == ControlKind::Label) {
      EXPECT_TRUE(ShowsWhole(child)) << Text(child);
    }
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ReadOnlyEdit &&
        c.kind != ControlKind::Icon && c.id != IDC_ABOUT_TEXT) {
      EXPECT_EQ(Text(child), c.text);
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
  // The statics that show data show "&" as it is.
  for (const int data : {IDC_RESULTS, IDC_ERROR_MESSAGES}) {
    EXPECT_NE(GetWindowLongA(GetDlgItem(dialog, data), GWL_STYLE) & SS_NOPREFIX, 0) << data;
  }
  {
    SCOPED_TRACE("main dialog");
    ExpectWindowIsTheTable(dialog, MainDialogLayout());
  }
  CAboutDlg about(GetModuleHandleA(nullptr));
  {
    SCOPED_TRACE("About box");
    ExpectWindowIsTheTable(about.CreateModeless(nullptr), AboutBoxLayout());
  }
  // A child of the main dialog, as of the chooser: made after the main walk.
  ModalDialog hint(GetModuleHandleA(nullptr), IDD_SELECT_FOLDER);
  SCOPED_TRACE("folder chooser's hint");
  ExpectWindowIsTheTable(hint.CreateModeless(dialog), FolderHintLayout());
}

TEST_F(MainWindowTest, ExitEscapeAndTheCloseBoxClose) {
  const std::function<void(HWND)> closers[] = {
      [](HWND dialog) { Click(dialog, IDCANCEL); },
      // Escape on the focused field, as the dialog's loop hands it on.
      [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_MIN_DIAMETER), WM_KEYDOWN, VK_ESCAPE, 0); },
      [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); },
      [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (std::size_t i = 0; i < std::size(closers); ++i) {
    HWND dialog = Open("");
    closers[i](dialog);
    PumpMessages(dialog);
    EXPECT_FALSE(IsWindow(dialog)) << "closer " << i;
  }
}

// The system menu's last entry opens the About box (the command's low four
// bits are the system's own), which tells the version from the program's
// resource, the computer's name and the Windows folder.
TEST_F(MainWindowTest, SystemMenuOpensTheAboutBox) {
  HWND dialog = Open("");
  HMENU menu = GetSystemMenu(dialog, FALSE);
  EXPECT_EQ(GetMenuItemID(menu, GetMenuItemCount(menu) - 1), static_cast<UINT>(IDM_ABOUTBOX));
  std::string about_text;
  WhileModal("About Canopex", [&](HWND box) {
    about_text = Text(box, IDC_ABOUT_TEXT);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }, [&] { SendMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0); });
  char windows_folder[MAX_PATH] = {};
  GetWindowsDirectoryA(windows_folder, MAX_PATH);
  EXPECT_EQ(about_text, "Canopex: tree list reports to stand files\n\nProgram version: " CANOPEX_VERSION
                        " \n\nThe Canopex developers\n\nCopyright (C) 2026 The Canopex developers\n\n" +
                            GetComputerNameText() + "\n" + windows_folder);
}

// A run's message comes in a box over the window, with the program's name
// and the exclamation icon, and then in the error field. A run of many
// report chunks repaints the window as it goes, the results field showing
// its progress, and drops the input queued meanwhile: a
// click on Run and an Escape, posted before the run as a user's would queue
// during it, would otherwise start a second run and close the window once
// the dialog's loop got them. The results and the entry read are the
// controls'.
TEST_F(MainWindowTest, RunShowsItsMessagesPaintsAndDropsItsInput) {
  const std::string report = temp_ / "stands.trl", out = temp_ / "out";
  CreateDirectoryA(out.c_str(), nullptr);
  HWND dialog = Open("InputFile=" + report + "\r\nOutputDir=" + out + "\r\n");
  std::vector<std::string> shown;
  WhileModal(kProgramName, [&](HWND box) {
    shown.push_back(Text(box, 0xFFFF));
    EXPECT_FALSE(IsWindowEnabled(dialog));
    // 0x440: Wine's id of a message box's icon.
    EXPECT_EQ(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0),
              reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_EXCLAMATION)));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }, [&] { Click(dialog, IDC_RUN); });
  const std::string error = "Cannot open the file: \n" + report;
  EXPECT_EQ(shown, std::vector<std::string>{error});
  EXPECT_EQ(Text(dialog, IDC_ERROR_MESSAGES), "Error Messages:\n\t" + error);

  // Two cut lists of 300 KB each: 2000 trees kept, 2000 below the minimum.
  std::vector<std::string> trees(2000, TreeLine(1, "DF", "10.0", "12.0", "60.0"));
  trees.resize(4000, TreeLine(2, "WH", "10.0", "8.0", "40.0"));
  testing::WriteFileBytes(report, CutList("0042", "1998", trees) + CutList("0107", "2003", trees));
  SetDlgItemTextA(dialog, IDC_MIN_DIAMETER, " 9 ");
  HWND run = GetDlgItem(dialog, IDC_RUN), label = GetDlgItem(dialog, IDC_RESULTS);
  ShowWindow(dialog, SW_SHOW);
  PumpMessages(dialog);
  InvalidateRect(label, nullptr, TRUE);
  PostMessageA(run, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(run, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  PostMessageA(GetDlgItem(dialog, IDC_MIN_DIAMETER), WM_KEYDOWN, VK_ESCAPE, 0);
  std::vector<std::string> painted;
  painted_results = &painted;
  static_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepPaintedText)));
  Click(dialog, IDC_RUN);
  painted_results = nullptr;
  RECT invalid;
  EXPECT_FALSE(GetUpdateRect(label, &invalid, FALSE));
  EXPECT_FALSE(painted.empty());
  for (const std::string& text : painted) {
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(Results:\n\tRunning: \d+% read, \d+ cut lists?, \d+ trees?)")))
        << text;
  }
  EXPECT_EQ(Text(dialog, IDC_RESULTS),
            "Results:\n\tCut list count:\t2\t\tTrees ignored -- TPA zero:\t\t0\n"
            "\tTrees count:\t4000\t\tTrees ignored -- diameter too small:\t4000\n");
  EXPECT_EQ(store_->ReadSettingString("Setup", "MinDiam", ""), "9");
  const std::string stand_file = JoinPath(out, "0107_2003.txt");
  ASSERT_TRUE(DeleteFileA(stand_file.c_str()));
  PumpMessages(dialog);
  EXPECT_EQ(GetFileAttributesA(stand_file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(IsWindow(dialog));
}

// The remembered entries reach the real controls (the sub-folder option
// checked but never shown), and Enter does nothing. Each Browse opens its
// chooser over the disabled main window; the folder chooser hides the file
// controls and says Select. What the user confirms shows in the field (the
// save chooser adds "txt", the folder chooser gives the folder), a cancel
// keeps the path, and Run and Clear follow the enable rule.
TEST_F(MainWindowTest, EntriesButtonsAndChoosersAsAUserUsesThem) {
  const std::string folder = temp_.path().string(), input = temp_ / "in.trl", base = temp_ / "all";
  HWND dialog = Open("InputFile=" + input + "\r\nOutputDir=" + folder + "\r\nCreateDir=1\r\n");
  HWND run = GetDlgItem(dialog, IDC_RUN);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMPRESS), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CREATE_SUB_FOLDER), BST_CHECKED);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_CREATE_SUB_FOLDER)));
  EXPECT_TRUE(IsWindowEnabled(run));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindow(dialog));
  const struct {
    int browse, field;
    const char* title;
    const char* filter;  // the filter box's text; nullptr: hidden
    const char* typed;   // into the file name box before OK; nullptr: Cancel
    std::string shown;
  } cases[] = {
      {IDC_BROWSE_INPUT, IDC_INPUT_FILE, "Select Sylvax Input File", "Sylvax Tree List (*.trl)",
       nullptr, input},
      {IDC_BROWSE_OUTPUT_FILE, IDC_OUTPUT_FILE, "Save As", "Stand Text File (*.txt)", base.c_str(),
       base + ".txt"},
      {IDC_BROWSE_OUTPUT_FOLDER, IDC_OUTPUT_FOLDER, "Select Folder", nullptr, "", folder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    bool acted = false;
    WhileModal(c.title, [&](HWND chooser) {
      if (c.filter == nullptr) {
        // Hidden by posted messages: wait for them.
        if (IsWindowVisible(GetDlgItem(chooser, 0x47C))) return;
        for (const int hidden : {0x480, 0x47C, 0x470, 0x441, 0x442}) {
          EXPECT_FALSE(IsWindowVisible(GetDlgItem(chooser, hidden))) << hidden;
        }
        EXPECT_EQ(Text(chooser, IDOK), "Select");
      } else {
        EXPECT_EQ(Text(chooser, 0x470), c.filter);
      }
      acted = true;
      EXPECT_FALSE(IsWindowEnabled(dialog));
      if (c.typed != nullptr && *c.typed != '\0') {
        SendMessageA(chooser, CDM_SETCONTROLTEXT, 0x47C, reinterpret_cast<LPARAM>(c.typed));
      }
      PostMessageA(chooser, WM_COMMAND, c.typed != nullptr ? IDOK : IDCANCEL, 0);
    }, [&] { Click(dialog, c.browse); });
    EXPECT_TRUE(acted);
    // Wine may give back a folder's name in another case.
    EXPECT_EQ(lstrcmpiA(Text(dialog, c.field).c_str(), c.shown.c_str()), 0) << Text(dialog, c.field);
  }
  EXPECT_FALSE(IsWindowEnabled(run));  // both targets set
  Click(dialog, IDC_CLEAR_OUTPUT_FOLDER);
  EXPECT_EQ(Text(dialog, IDC_OUTPUT_FOLDER), "");
  EXPECT_TRUE(IsWindowEnabled(run));
}

}  // namespace
}  // namespace canopex
