// What the three choosers hand to the common dialogs, checked on the file
// dialog's record without opening a window.
#include "ui/win/file_dialog_win.h"

#include <gtest/gtest.h>

#include <string_view>

#include "ui/canopex_dlg.h"

namespace canopex {
namespace {

TEST(FileDialog, RecordAsTheCommonDialogTakesIt) {
  using namespace std::string_view_literals;
  constexpr DWORD kAlways = OFN_EXPLORER | OFN_ENABLEHOOK;
  const struct {
    const char* name;
    ChooserRequest request;
    DWORD flags;
    const char* file;
    const char* extension;
    std::string_view filter;  // the "|" became NULs
  } cases[] = {
      {"input", InputFileChooser("C:\\Data\\in.trl"),
       kAlways | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
       "C:\\Data\\in.trl", "trl", "Sylvax Tree List (*.trl)\0*.trl\0All Files (*.*)\0*.*\0\0"sv},
      {"output", OutputFileChooser(""),
       kAlways | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, "", "txt",
       "Stand Text File (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"sv},
      // With a template of its own it is fixed in size; it has no filter.
      {"folder", OutputFolderChooser("D:\\Out"),
       kAlways | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST,
       "x", nullptr, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ChooserRequest& r = c.request;
    FileDialog dialog(r.kind == ChooserKind::OpenFile, r.default_extension.c_str(),
                      r.initial_file_name.c_str(), r.flags, r.filter.c_str(), nullptr);
    const OPENFILENAMEA& record = dialog.record();
    EXPECT_EQ(record.Flags, c.flags);
    EXPECT_STREQ(record.lpstrFile, c.file);
    EXPECT_STREQ(record.lpstrDefExt, c.extension);
    EXPECT_EQ(record.lpstrFilter == nullptr, c.filter.empty());
    if (record.lpstrFilter != nullptr) {
      EXPECT_EQ(std::string_view(record.lpstrFilter, c.filter.size()), c.filter);
    }
  }
}

TEST(FileDialog, LongPathIsCutToFitTheBuffer) {
  const std::string long_path = "C:\\" + std::string(400, 'a') + ".trl";
  FileDialog dialog(true, "trl", long_path.c_str(), 0x806, "", nullptr);
  EXPECT_EQ(std::string(dialog.file_name_buffer()), long_path.substr(0, MAX_PATH - 1));
}

}  // namespace
}  // namespace canopex
