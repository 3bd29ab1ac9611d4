// The Linux program's windows in process, on a virtual X screen: the main
// dialog built from the template's table, the platform operations reaching
// their controls, the modal boxes and choosers as the logic asks for them,
// the context menu and the About box. The logic's decisions are tested
// through CanopexDlg elsewhere.
#include "app/main_window_wx.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_icon_wx.h"
#include "resources/resource.h"
#include "settings/settings_store.h"
#include "support/temp_folder.h"
#include "tests/ui/wx/modal_catcher.h"
#include "ui/about_text.h"
#include "ui/canopex_dlg.h"
#include "ui/wx/about_dlg_wx.h"
#include "ui/wx/gtk_widgets.h"
#include "ui/wx/wx_dialog_platform.h"
#include "ui/wx/wx_text.h"

namespace canopex {
namespace {

using testing::ModalCatcher;
using testing::TempFolder;

constexpr char kProgramName[] = "canopex";
constexpr int kExitId = 2;

// A main window over a settings file of its own.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : settings_(OpenSettingsStore(folder_ / "canopex.ini")),
        fonts_(DesktopDialogFonts()),
        units_(DialogUnitsOf(fonts_.text)) {}

  // Shown, as modal boxes take only a shown window as their parent.
  std::unique_ptr<MainWindow> NewWindow() {
    auto window = std::make_unique<MainWindow>(*settings_, fonts_, units_, wxIconBundle(),
                                               kProgramName);
    window->Show();
    return window;
  }

  TempFolder folder_;
  std::unique_ptr<SettingsStore> settings_;
  DialogFonts fonts_;
  DialogUnits units_;
};

std::string Utf8(const wxString& text) { return FromWxText(text); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What a command prints on its first line, for values the test must not
// take from the code under test.
std::string FirstLineOf(const char* command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command, "r"), pclose);
  char line[512] = {};
  if (!pipe || fgets(line, sizeof line, pipe.get()) == nullptr) return {};
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

bool KindMatches(wxWindow* control, ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::StepLabel: return dynamic_cast<wxStaticText*>(control) != nullptr;
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit: {
      auto* field = dynamic_cast<wxTextCtrl*>(control);
      return field != nullptr && field->IsEditable() == (kind == ControlKind::Edit);
    }
    case ControlKind::Button:
    case ControlKind::DefaultButton: return dynamic_cast<wxButton*>(control) != nullptr;
    case ControlKind::CheckBox: return dynamic_cast<wxCheckBox*>(control) != nullptr;
    case ControlKind::Icon: return true;
  }
  return false;
}

TEST_F(MainWindowTest, BuildsEveryControlOfTheTemplateWhereItSays) {
  const auto window = NewWindow();
  EXPECT_EQ(Utf8(window->GetTitle()), "Canopex");
  EXPECT_EQ(window->GetClientSize(), wxSize(units_.X(523), units_.Y(318)));

  // The controls in the table's order, which is the tab order.
  const wxWindowList& children = window->GetChildren();
  ASSERT_EQ(children.size(), MainDialogLayout().controls.size());
  auto child = children.begin();
  for (const DialogControl& c : MainDialogLayout().controls) {
    wxWindow* control = *child++;
    SCOPED_TRACE(std::string("control ") + std::to_string(c.id) + " \"" + c.text + "\"");
    EXPECT_EQ(control->GetId(), c.id >= 0 ? c.id : control->GetId());
    EXPECT_TRUE(KindMatches(control, c.kind));
    EXPECT_EQ(control->GetRect(), units_.Rect(c));
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ReadOnlyEdit) {
      EXPECT_EQ(Utf8(control->GetLabel()), c.text);
    }
    const bool bold = control->GetFont().GetWeight() == wxFONTWEIGHT_BOLD;
    EXPECT_EQ(bold, c.kind == ControlKind::StepLabel);
    // GTK measures a text once the control has its font.
    EXPECT_TRUE(TextFitsItsBox(*control)) << "the text does not fit its box";
  }
  EXPECT_FALSE(window->FindWindow(IDC_CREATE_SUB_FOLDER)->IsShown());
  EXPECT_LE(window->fonts().text.GetFractionalPointSize(), fonts_.text.GetFractionalPointSize());
}

TEST_F(MainWindowTest, WindowCarriesTheProgramsIconInEachSize) {
  const auto window = std::make_unique<MainWindow>(*settings_, fonts_, units_, ProgramIcons(),
                                                   kProgramName);
  const wxIconBundle& icons = window->GetIcons();
  for (const int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    const wxIcon icon = icons.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetSize(), wxSize(size, size));
  }
}

// Texts are shown as they are ("&" too), bad UTF-8 bytes replaced.
TEST_F(MainWindowTest, PlatformOperationsReachTheirControls) {
  const auto window = NewWindow();
  WxDialogPlatform platform(*window, kProgramName);
  const std::string text = "Stand Sch\xF6nbuch & 42";
  const std::string shown = "Stand Sch\xEF\xBF\xBDnbuch & 42";
  for (const Control control :
       {Control::InputFile, Control::OutputFolder, Control::OutputFile, Control::MinDiameter,
        Control::Results, Control::ErrorMessages}) {
    SCOPED_TRACE(static_cast<int>(control));
    wxWindow* item = window->FindWindow(static_cast<int>(control));
    platform.SetControlText(control, text);
    auto* field = dynamic_cast<wxTextCtrl*>(item);
    EXPECT_EQ(Utf8(field != nullptr ? field->GetValue()
                                    : static_cast<wxStaticText*>(item)->GetLabelText()),
              shown);
    EXPECT_EQ(platform.ControlText(control), shown);
  }
  for (const Control control : {Control::Compress, Control::CreateSubFolder, Control::Run}) {
    SCOPED_TRACE(static_cast<int>(control));
    wxWindow* item = window->FindWindow(static_cast<int>(control));
    for (const bool on : {false, true}) {
      platform.EnableControl(control, on);
      EXPECT_EQ(item->IsEnabled(), on);
      platform.ShowControl(control, on);
      EXPECT_EQ(item->IsShown(), on);
      if (control == Control::Run) continue;
      platform.SetChecked(control, on);
      EXPECT_EQ(static_cast<wxCheckBox*>(item)->GetValue(), on);
      EXPECT_EQ(platform.IsChecked(control), on);
    }
  }

  EXPECT_FALSE(wxIsBusy());
  platform.BeginWaitCursor();
  EXPECT_TRUE(wxIsBusy());
  platform.EndWaitCursor();
  EXPECT_FALSE(wxIsBusy());
}

TEST_F(MainWindowTest, ResultsColumnsLineUpAtWindowsTabStops) {
  const auto window = NewWindow();
  WxDialogPlatform platform(*window, kProgramName);
  platform.SetControlText(Control::Results,
                          "Results:\n\tCut list count:\t3\t\tTrees ignored -- TPA zero:\t\t4\n"
                          "\tTrees count:\t44\t\tTrees ignored -- diameter too small:\t1\n");
  GtkWidget* label = window->FindWindow(IDC_RESULTS)->GetHandle();
  // Drawn once, as on the screen (the window's loop does not run here).
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1000, 200);
  cairo_t* context = cairo_create(surface);
  gboolean handled = FALSE;
  g_signal_emit_by_name(label, "draw", context, &handled);
  cairo_destroy(context);
  cairo_surface_destroy(surface);

  PangoLayout* layout = gtk_label_get_layout(GTK_LABEL(label));
  const std::string laid_out = pango_layout_get_text(layout);
  // Where the text that follows `before` starts, in Pango units.
  const auto x_after = [&](const char* before) {
    const std::size_t at = laid_out.find(before);
    EXPECT_NE(at, std::string::npos) << before;
    PangoRectangle position;
    pango_layout_index_to_pos(layout, static_cast<int>(at + std::strlen(before)), &position);
    return position.x;
  };
  EXPECT_EQ(x_after("count:\t"), x_after("Trees count:\t"));
  EXPECT_EQ(x_after("zero:\t\t"), x_after("small:\t"));
}

TEST_F(MainWindowTest, MessageBoxShowsEveryTextWithTitleAndIcon) {
  const auto window = NewWindow();
  WxDialogPlatform platform(*window, kProgramName);
  std::string message, caption;
  long style = 0;
  wxWindow* parent = nullptr;
  ModalCatcher catcher([&](wxDialog& dialog) {
    auto& box = dynamic_cast<wxMessageDialog&>(dialog);
    message = Utf8(box.GetMessage());
    caption = Utf8(box.GetTitle());
    style = box.GetMessageDialogStyle();
    parent = box.GetParent();
    return wxID_OK;
  });

  platform.ShowMessage("Cannot write stand file:\n\n/data/Sch\xF6nbuch_1998.txt");
  EXPECT_EQ(catcher.caught(), 1);
  EXPECT_EQ(message, "Cannot write stand file:\n\n/data/Sch\xEF\xBF\xBDnbuch_1998.txt");
  EXPECT_EQ(caption, kProgramName);
  EXPECT_EQ(style & (wxOK | wxCANCEL | wxYES_NO), wxOK);
  EXPECT_NE(style & wxICON_EXCLAMATION, 0);
  EXPECT_EQ(parent, window.get());
}



GtkWindow* TransientParentOf(wxDialog& dialog) {
  return gtk_window_get_transient_for(GTK_WINDOW(dialog.GetHandle()));
}

// What a chooser returns is the GTK dialog's business; the program's use of
// it is run with the mouse and keyboard by the program's end-to-end test.
TEST_F(MainWindowTest, FileChoosersOpenAsTheLogicAsks) {
  const auto window = NewWindow();
  WxDialogPlatform platform(*window, kProgramName);
  const std::string folder = folder_.path().string() + "/";

  const struct {
    const char* name;
    ChooserRequest request;
    std::string title, wildcard, directory, file_name;
    long style;
  } cases[] = {
      {"input", InputFileChooser(folder + "stand 7.trl"), "Select Sylvax Input File",
       "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*", folder, "stand 7.trl",
       wxFD_OPEN | wxFD_FILE_MUST_EXIST},
      {"output file", OutputFileChooser(folder + "all.txt"), "Save As",
       "Stand Text File (*.txt)|*.txt|All Files (*.*)|*", folder, "all.txt",
       wxFD_SAVE | wxFD_OVERWRITE_PROMPT},
      {"no output file yet", OutputFileChooser(""), "Save As",
       "Stand Text File (*.txt)|*.txt|All Files (*.*)|*", "", "",
       wxFD_SAVE | wxFD_OVERWRITE_PROMPT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModalCatcher catcher([&](wxDialog& dialog) {
      auto& chooser = dynamic_cast<wxFileDialog&>(dialog);
      EXPECT_EQ(TransientParentOf(chooser), GTK_WINDOW(window->GetHandle()));
      EXPECT_EQ(Utf8(chooser.GetMessage()), c.title);
      EXPECT_EQ(Utf8(chooser.GetWildcard()), c.wildcard);
      EXPECT_EQ(FromWxPath(chooser.GetDirectory()), c.directory);
      EXPECT_EQ(FromWxPath(chooser.GetFilename()), c.file_name);
      EXPECT_EQ(chooser.GetWindowStyle() & (wxFD_OPEN | wxFD_SAVE | wxFD_OVERWRITE_PROMPT |
                                            wxFD_FILE_MUST_EXIST),
                c.style);
      return wxID_CANCEL;
    });
    EXPECT_EQ(platform.Choose(c.request), std::nullopt);
    EXPECT_EQ(catcher.caught(), 1);
  }
}

std::string GtkButtonLabel(GtkWidget* dialog, int response) {
  GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), response);
  return button != nullptr ? gtk_button_get_label(GTK_BUTTON(button)) : "";
}

TEST_F(MainWindowTest, FolderChooserSaysSelectAndShowsTheHint) {
  const auto window = NewWindow();
  WxDialogPlatform platform(*window, kProgramName);
  ModalCatcher catcher([&](wxDialog& dialog) {
    auto& chooser = dynamic_cast<wxDirDialog&>(dialog);
    EXPECT_EQ(TransientParentOf(chooser), GTK_WINDOW(window->GetHandle()));
    EXPECT_EQ(Utf8(chooser.GetMessage()), "Select Folder");
    GtkWidget* widget = chooser.GetHandle();
    EXPECT_EQ(GtkButtonLabel(widget, GTK_RESPONSE_ACCEPT), "_Select");
    GtkWidget* hint = gtk_file_chooser_get_extra_widget(GTK_FILE_CHOOSER(widget));
    EXPECT_TRUE(hint != nullptr && GTK_IS_LABEL(hint) &&
                std::string(gtk_label_get_text(GTK_LABEL(hint))) ==
                    "  Open the folder where the stand files will be stored.");
    return wxID_CANCEL;
  });
  EXPECT_EQ(platform.Choose(OutputFolderChooser(folder_.path().string())), std::nullopt);
  EXPECT_EQ(catcher.caught(), 1);
}

TEST_F(MainWindowTest, ContextMenuItemOpensTheAboutBox) {
  const std::unique_ptr<wxMenu> menu = MainWindow::CreateContextMenu();
  ASSERT_EQ(menu->GetMenuItemCount(), 1U);
  const wxMenuItem* item = menu->FindItemByPosition(0);
  EXPECT_EQ(item->GetId(), IDM_ABOUTBOX);
  EXPECT_EQ(Utf8(item->GetItemLabel()), "&About Canopex...");

  const auto window = NewWindow();
  std::string title, text, ok_label;
  ModalCatcher catcher([&](wxDialog& dialog) {
    EXPECT_NE(dynamic_cast<CAboutDlg*>(&dialog), nullptr);
    title = Utf8(dialog.GetTitle());
    if (auto* label = dynamic_cast<wxStaticText*>(dialog.FindWindow(IDC_ABOUT_TEXT))) {
      text = Utf8(label->GetLabelText());
    }
    if (auto* ok = dynamic_cast<wxButton*>(dialog.FindWindow(1))) ok_label = Utf8(ok->GetLabel());
    EXPECT_TRUE(EveryTextFits(dialog));
    return wxID_OK;
  });
  wxCommandEvent choice(wxEVT_MENU, IDM_ABOUTBOX);
  window->ProcessWindowEvent(choice);
  ASSERT_EQ(catcher.caught(), 1);

  EXPECT_EQ(title, "About Canopex");
  EXPECT_EQ(ok_label, "OK");
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 10U) << text;
  EXPECT_EQ(lines[0], "Canopex: tree list reports to stand files");
  EXPECT_EQ(lines[2], "Program version: " CANOPEX_VERSION " ");
  EXPECT_EQ(lines[4], "The Canopex developers");
  EXPECT_EQ(lines[6], "Copyright (C) 2026 The Canopex developers");
  EXPECT_EQ(lines[8], FirstLineOf("uname -n"));
  EXPECT_EQ(lines[9], FirstLineOf("uname -sr"));
  for (const std::size_t blank : {1U, 3U, 5U, 7U}) EXPECT_EQ(lines[blank], "");
}

// The close box ends the window as Exit does (Exit and Escape are pressed
// in the program's end-to-end test).
TEST_F(MainWindowTest, TheCloseBoxClosesTheWindow) {
  const auto window = NewWindow();
  window->CallAfter([&] { window->Close(); });
  // Ends a window that stayed open, so that the test fails rather than waits.
  wxTimer failsafe;
  failsafe.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { window->EndModal(-100); });
  failsafe.StartOnce(30000);
  EXPECT_EQ(window->ShowModal(), kExitId);
}

TEST_F(MainWindowTest, EnterPressesNoButton) {
  const auto window = NewWindow();
  EXPECT_EQ(window->GetDefaultItem(), nullptr);
  EXPECT_EQ(gtk_window_get_default_widget(GTK_WINDOW(window->GetHandle())), nullptr);
  for (wxWindow* child : window->GetChildren()) {
    if (GtkWidget* widget = child->GetHandle(); widget != nullptr && GTK_IS_BUTTON(widget)) {
      EXPECT_FALSE(gtk_widget_has_default(widget)) << Utf8(child->GetLabel());
    }
  }
}

}  // namespace
}  // namespace canopex
