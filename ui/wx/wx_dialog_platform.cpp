#include "ui/wx/wx_dialog_platform.h"

#include <unistd.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "ui/chooser_result.h"
#include "ui/dialog_layout.h"
#include "ui/file_filter.h"
#include "ui/wx/gtk_widgets.h"
#include "ui/wx/wx_text.h"
#include "util/path_names.h"

namespace canopex {
namespace {

// The folder chooser's accept button: GTK's own says "Open", which here
// would mean stepping into the folder.
constexpr char kSelectLabel[] = "_Select";

}  // namespace

wxWindow* WxDialogPlatform::Item(Control control) const {
  return dialog_.FindWindow(static_cast<int>(control));
}

void WxDialogPlatform::SetControlText(Control control, const std::string& text) {
  wxWindow* item = Item(control);
  if (auto* field = dynamic_cast<wxTextCtrl*>(item)) {
    field->ChangeValue(ToWxText(text));
  } else if (auto* label = dynamic_cast<wxStaticText*>(item)) {
    label->SetLabelText(ToWxText(text));
  } else if (item != nullptr) {
    item->SetLabel(ToWxText(text));
  }
}

std::string WxDialogPlatform::ControlText(Control control) {
  wxWindow* item = Item(control);
  if (auto* field = dynamic_cast<wxTextCtrl*>(item)) return FromWxText(field->GetValue());
  if (auto* label = dynamic_cast<wxStaticText*>(item)) return FromWxText(label->GetLabelText());
  return item != nullptr ? FromWxText(item->GetLabel()) : std::string();
}

void WxDialogPlatform::EnableControl(Control control, bool enabled) {
  if (wxWindow* item = Item(control)) item->Enable(enabled);
}

void WxDialogPlatform::SetChecked(Control control, bool checked) {
  if (auto* box = dynamic_cast<wxCheckBox*>(Item(control))) box->SetValue(checked);
}

bool WxDialogPlatform::IsChecked(Control control) {
  auto* box = dynamic_cast<wxCheckBox*>(Item(control));
  return box != nullptr && box->GetValue();
}

void WxDialogPlatform::ShowControl(Control control, bool shown) {
  if (wxWindow* item = Item(control)) item->Show(shown);
}

void WxDialogPlatform::ShowMessage(const std::string& text) {
  // The box shows the arrow, and the wait cursor of a run returns after it.
  wxBusyCursorSuspender arrow;
  wxMessageBox(ToWxText(text), ToWxText(program_name_), wxOK | wxICON_EXCLAMATION, &dialog_);
}

void WxDialogPlatform::BeginWaitCursor() {
  ++wait_depth_;
  wxBeginBusyCursor();
}

void WxDialogPlatform::EndWaitCursor() {
  if (wait_depth_ == 0) return;
  --wait_depth_;
  wxEndBusyCursor();
}

void WxDialogPlatform::PaintDuringRun() {
  // Lets GTK handle exposes and draw; wx holds back the user's input and
  // queues it again afterwards. A run starts from the dialog's modal loop.
  if (wxEventLoopBase* running = wxEventLoopBase::GetActive()) {
    running->YieldFor(wxEVT_CATEGORY_UI);
  }
}

void WxDialogPlatform::DiscardQueuedInput() { DropQueuedUserInput(); }

std::optional<std::string> WxDialogPlatform::Choose(const ChooserRequest& request) {
  return request.kind == ChooserKind::Folder ? ChooseFolder(request) : ChooseFile(request);
}

std::optional<std::string> WxDialogPlatform::ChooseFile(const ChooserRequest& request) {
  const bool save = request.kind == ChooserKind::SaveFile;
  const bool overwrite_prompt = (request.flags & chooser_flags::kOverwritePrompt) != 0;
  long style = save ? wxFD_SAVE : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
  if (save && overwrite_prompt) style |= wxFD_OVERWRITE_PROMPT;
  // Windows' own title of a save chooser that is given none.
  const wxString title = !request.title.empty() ? ToWxText(request.title)
                         : save                 ? wxString("Save As")
                                                : wxString("Open");
  const wxString wildcard = ToWxText(WildcardOfFilter(request.filter, true));
  // Every chooser belongs to the dialog here: a GTK dialog without a parent
  // may open behind it and leaves it usable meanwhile.
  const auto show = [&](const std::string& path) -> std::optional<std::string> {
    wxFileDialog chooser(&dialog_, title, ToWxPath(FolderOf(path)), ToWxPath(FileNameOf(path)),
                         wildcard, style);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    return FromWxPath(chooser.GetPath());
  };
  if (!save) return show(request.initial_file_name);

  const auto confirm_replace = [&](const std::string& path) {
    const std::string text = FileNameOf(path) + " already exists.\nDo you want to replace it?";
    wxMessageDialog question(&dialog_, ToWxText(text), "Confirm Save As",
                             wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION);
    return question.ShowModal() == wxID_YES;
  };
  return SettleSavePath(request.initial_file_name, request.default_extension, overwrite_prompt,
                        show, confirm_replace);
}

std::optional<std::string> WxDialogPlatform::ChooseFolder(const ChooserRequest& request) {
  wxDirDialog chooser(&dialog_, ToWxText(request.title), ToWxPath(request.initial_directory),
                      wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  AdaptFolderChooser(chooser, FolderHintLayout().controls[0].text, kSelectLabel);
  if (chooser.ShowModal() != wxID_OK) return std::nullopt;
  return FolderWithoutTrailingSeparator(FromWxPath(chooser.GetPath()));
}

void WxDialogPlatform::ChangeCurrentDirectory(const std::string& path) {
  // Failure is of no consequence: the chooser opens elsewhere.
  [[maybe_unused]] const int result = ::chdir(path.c_str());
}

}  // namespace canopex
