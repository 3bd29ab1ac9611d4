// The Linux program's windows in process, on a virtual X screen: the main
// dialog built from the template's table, what a run shows in it, the
// choosers as the logic asks for them and the About box. The logic's
// decisions are tested through CanopexDlg elsewhere, and the program used
// with the mouse and keyboard by tests/app.
#include "app/main_window_wx.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "app/app_icon_wx.h"
#include "resources/resource.h"
#include "settings/ini_store.h"
#include "support/file_bytes.h"
#include "support/report_text.h"
#include "support/temp_folder.h"
#include "ui/wx/gtk_widgets.h"
#include "ui/wx/wx_text.h"

namespace canopex {
namespace {

constexpr char kProgramName[] = "canopex";

class MainWindowTest : public ::testing::Test {
 protected:
  // A main window over the Setup lines given; shown, as modal boxes take
  // only a shown window as their parent.
  std::unique_ptr<MainWindow> NewWindow(const std::string& setup = "") {
    store_.emplace("[Setup]\n" + setup);
    auto window = std::make_unique<MainWindow>(*store_, fonts_, DialogUnitsOf(fonts_.text),
                                               ProgramIcons(), kProgramName);
    window->Show();
    return window;
  }

  testing::TempFolder folder_;
  std::optional<MemorySettingsStore> store_;
  DialogFonts fonts_ = DesktopDialogFonts();
};

std::string Utf8(const wxString& text) { return FromWxText(text); }

// The first line a command prints, for values the test must not take from
// the code under test.
std::string FirstLineOf(const char* command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command, "r"), pclose);
  char line[512] = {};
  if (!pipe || fgets(line, sizeof line, pipe.get()) == nullptr) return {};
  return std::string(line, std::strcspn(line, "\r\n"));
}

// What a control of the table is, as wx made it.
ControlKind KindOf(wxWindow* control) {
  if (auto* field = dynamic_cast<wxTextCtrl*>(control)) {
    return field->IsEditable() ? ControlKind::Edit : ControlKind::ReadOnlyEdit;
  }
  if (dynamic_cast<wxCheckBox*>(control) != nullptr) return ControlKind::CheckBox;
  if (dynamic_cast<wxButton*>(control) != nullptr) return ControlKind::Button;
  return dynamic_cast<wxStaticText*>(control) != nullptr ? ControlKind::Label : ControlKind::Icon;
}

// Catches every modal dialog that the code opens (boxes, choosers, the
// About box) before it shows, and answers for the user with the id that
// `answer` returns.
class ModalCatcher final : public wxModalDialogHook {
 public:
  explicit ModalCatcher(std::function<int(wxDialog&)> answer) : answer_(std::move(answer)) {
    Register();
  }
  ~ModalCatcher() override { Unregister(); }
  int caught = 0;

 protected:
  int Enter(wxDialog* dialog) override { return ++caught, answer_(*dialog); }
  void Exit(wxDialog*) override {}
  std::function<int(wxDialog&)> answer_;
};

// A click on the button `id`, as the window gets it.
void Press(wxWindow& window, int id) {
  wxCommandEvent click(wxEVT_BUTTON, id);
  window.ProcessWindowEvent(click);
}

// Every control of the table, in its order (the tab order), of its kind,
// with its text, which fits its box; step labels bold. The window carries
// the program's icon in each size, and no button is the default: Enter
// presses none.
TEST_F(MainWindowTest, BuildsEveryControlOfTheTemplate) {
  const auto window = NewWindow();
  const wxWindowList& children = window->GetChildren();
  ASSERT_EQ(children.size(), MainDialogLayout().controls.size());
  auto child = children.begin();
  for (const DialogControl& c : MainDialogLayout().controls) {
    wxWindow* control = *child++;
    SCOPED_TRACE(std::string("control ") + std::to_string(c.id) + " \"" + c.text + "\"");
    if (c.id >= 0) {
      EXPECT_EQ(control->GetId(), c.id);
    }
    EXPECT_EQ(KindOf(control), c.kind == ControlKind::StepLabel ? ControlKind::Label : c.kind);
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ReadOnlyEdit) {
      EXPECT_EQ(Utf8(control->GetLabel()), c.text);
    }
    EXPECT_EQ(control->GetFont().GetWeight() == wxFONTWEIGHT_BOLD, c.kind == ControlKind::StepLabel);
    // GTK measures a text once the control has its font.
    EXPECT_TRUE(TextFitsItsBox(*control)) << "the text does not fit its box";
  }
  for (const int size : {16, 32, 48}) {
    EXPECT_TRUE(window->GetIcons().GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE).IsOk());
  }
  EXPECT_EQ(gtk_window_get_default_widget(GTK_WINDOW(window->GetHandle())), nullptr);
}

// The entries reach their controls as they are ("&" too, bad UTF-8 bytes
// replaced). A run's message comes in a box over the window, under the
// wait cursor, and then in the error field; the results' columns line up
// at Windows' tab stops.
TEST_F(MainWindowTest, RunShowsItsMessageAndResultsInTheWindow) {
  const std::string report = folder_ / "Sch\xF6nbuch & 42.trl";
  const std::string shown = folder_ / "Sch\xEF\xBF\xBDnbuch & 42.trl";
  const auto window = NewWindow("InputFile=" + report + "\nOutputDir=" + folder_.path().string() +
                                "\nOutputFile=" + (folder_ / "all.txt") + "\nCompress=0\n");
  EXPECT_EQ(Utf8(static_cast<wxTextCtrl*>(window->FindWindow(IDC_INPUT_FILE))->GetValue()), shown);
  EXPECT_TRUE(static_cast<wxCheckBox*>(window->FindWindow(IDC_COMPRESS))->GetValue());
  EXPECT_FALSE(window->FindWindow(IDC_CREATE_SUB_FOLDER)->IsShown());
  EXPECT_FALSE(window->FindWindow(IDC_RUN)->IsEnabled());  // both targets set

  std::string message;
  ModalCatcher catcher([&](wxDialog& dialog) {
    auto& box = dynamic_cast<wxMessageDialog&>(dialog);
    message = Utf8(box.GetMessage());
    EXPECT_EQ(Utf8(box.GetTitle()), kProgramName);
    EXPECT_EQ(box.GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO | wxICON_EXCLAMATION),
              wxOK | wxICON_EXCLAMATION);
    EXPECT_EQ(box.GetParent(), window.get());
    EXPECT_TRUE(wxIsBusy());
    return wxID_OK;
  });
  Press(*window, IDC_RUN);
  EXPECT_EQ(catcher.caught, 1);
  EXPECT_FALSE(wxIsBusy());
  const std::string error = "Cannot open the file: \n" + shown;
  EXPECT_EQ(message, error);
  auto* error_label = static_cast<wxStaticText*>(window->FindWindow(IDC_ERROR_MESSAGES));
  EXPECT_EQ(Utf8(error_label->GetLabelText()), "Error Messages:\n\t" + error);

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

// A run of many report chunks, pressed in the window's loop, shows its
// progress in the results field when it lets the window repaint (the first
// turn of the loop after Run is pressed), and the final results after it.
TEST_F(MainWindowTest, RunShowsItsProgressThenItsResults) {
  const std::string report = folder_ / "long.trl", out = folder_.path().string();
  const std::vector<std::string> trees(5000, testing::TreeLine(1, "DF", "10.0", "12.0", "60.0"));
  testing::WriteFileBytes(report, testing::CutList("0042", "1998", trees));  // 375 KB
  const auto window = NewWindow("InputFile=" + report + "\nOutputDir=" + out + "\n");
  struct Seen {
    GtkWidget* label;
    std::string text;
  } at_repaint{window->FindWindow(IDC_RESULTS)->GetHandle(), ""};
  window->CallAfter([&] {
    g_idle_add(
        [](gpointer data) {
          auto* seen = static_cast<Seen*>(data);
          seen->text = gtk_label_get_text(GTK_LABEL(seen->label));
          return G_SOURCE_REMOVE;
        },
        &at_repaint);
    Press(*window, IDC_RUN);
    window->EndModal(0);
  });
  window->ShowModal();
  EXPECT_TRUE(std::regex_match(
      at_repaint.text, std::regex(R"(Results:\n\tRunning: \d+% read, \d+ cut lists?, \d+ trees?)")))
      << at_repaint.text;
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(at_repaint.label)),
               "Results:\n\tCut list count:\t1\t\tTrees ignored -- TPA zero:\t\t0\n"
               "\tTrees count:\t5000\t\tTrees ignored -- diameter too small:\t0\n");
}

// Each Browse opens its chooser over the window in the current path, with
// the logic's filters in GTK's terms; the folder chooser's accept button
// says Select, with the hint below.
TEST_F(MainWindowTest, ChoosersOpenAsTheLogicAsks) {
  const std::string folder = folder_.path().string();
  const auto window = NewWindow("InputFile=" + folder + "/stand 7.trl\nOutputFile=" + folder +
                                "/all.txt\nOutputDir=" + folder + "\n");
  const struct {
    int browse;
    std::string wildcard, file_name;
    long style;
  } cases[] = {
      {IDC_BROWSE_INPUT, "Sylvax Tree List (*.trl)|*.trl|All Files (*.*)|*", "stand 7.trl",
       wxFD_OPEN | wxFD_FILE_MUST_EXIST},
      {IDC_BROWSE_OUTPUT_FILE, "Stand Text File (*.txt)|*.txt|All Files (*.*)|*", "all.txt",
       wxFD_SAVE | wxFD_OVERWRITE_PROMPT},
      {IDC_BROWSE_OUTPUT_FOLDER, "", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.browse);
    ModalCatcher catcher([&](wxDialog& dialog) {
      GtkWidget* widget = dialog.GetHandle();
      EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(widget)), GTK_WINDOW(window->GetHandle()));
      if (auto* chooser = dynamic_cast<wxFileDialog*>(&dialog)) {
        EXPECT_EQ(Utf8(chooser->GetWildcard()), c.wildcard);
        EXPECT_EQ(FromWxPath(chooser->GetDirectory()), folder + "/");
        EXPECT_EQ(FromWxPath(chooser->GetFilename()), c.file_name);
        EXPECT_EQ(chooser->GetWindowStyle() &
                      (wxFD_OPEN | wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_FILE_MUST_EXIST),
                  c.style);
      } else {
        EXPECT_EQ(Utf8(dynamic_cast<wxDirDialog&>(dialog).GetMessage()), "Select Folder");
        GtkWidget* accept = gtk_dialog_get_widget_for_response(GTK_DIALOG(widget), GTK_RESPONSE_ACCEPT);
        EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(accept)), "_Select");
        GtkWidget* hint = gtk_file_chooser_get_extra_widget(GTK_FILE_CHOOSER(widget));
        EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(hint)),
                     "  Open the folder where the stand files will be stored.");
      }
      return wxID_CANCEL;
    });
    Press(*window, c.browse);
    EXPECT_EQ(catcher.caught, 1);
  }
}

// The About box (its menu item is chosen from the context menu by the
// program's end-to-end test) tells the version, the computer's name and
// the system, and its texts fit.
TEST_F(MainWindowTest, AboutBoxTellsVersionComputerAndSystem) {
  const auto window = NewWindow();
  std::string text;
  ModalCatcher catcher([&](wxDialog& dialog) {
    if (wxWindow* label = dialog.FindWindow(IDC_ABOUT_TEXT)) text = Utf8(label->GetLabel());
    EXPECT_TRUE(EveryTextFits(dialog));
    return wxID_OK;
  });
  wxCommandEvent choice(wxEVT_MENU, IDM_ABOUTBOX);
  window->ProcessWindowEvent(choice);
  ASSERT_EQ(catcher.caught, 1);
  EXPECT_EQ(text, "Canopex: tree list reports to stand files\n\nProgram version: " CANOPEX_VERSION
                  " \n\nThe Canopex developers\n\nCopyright (C) 2026 The Canopex developers\n\n" +
                      FirstLineOf("uname -n") + "\n" + FirstLineOf("uname -sr"));
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
  EXPECT_EQ(window->ShowModal(), 2);  // Exit's id
}

}  // namespace
}  // namespace canopex
