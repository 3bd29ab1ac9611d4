// What the file dialog wrapper hands to the common dialogs, checked on its
// record without opening a window.
#include "ui/win/file_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>

namespace canopex {
namespace {

TEST(FileDialog, RecordAsTheCommonDialogTakesIt) {
  struct Case {
    const char* name;
    DWORD flags;
    DWORD expected_flags;
  };
  const Case cases[] = {
      {"input", 0x806, 0x806 | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING},
      {"output", 0x6, 0x6 | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING},
      // A template of its own makes it fixed in size, even when asked.
      {"folder", 0x866 | OFN_ENABLESIZING, 0x866 | OFN_EXPLORER | OFN_ENABLEHOOK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileDialog dialog(true, "trl", "C:\\Data\\in.trl", c.flags, "A (*.a)|*.a|All (*.*)|*.*||",
                      nullptr);
    const OPENFILENAMEA& record = dialog.record();
    EXPECT_EQ(record.Flags, c.expected_flags);
    EXPECT_EQ(record.nMaxFile, static_cast<DWORD>(MAX_PATH));
    EXPECT_STREQ(record.lpstrFile, "C:\\Data\\in.trl");
    EXPECT_STREQ(record.lpstrDefExt, "trl");
    EXPECT_EQ(record.nFilterIndex, 1u);
    // The filter's "|" became NULs, and it ends in two.
    static const char kFilter[] = "A (*.a)\0*.a\0All (*.*)\0*.*\0";
    EXPECT_EQ(std::memcmp(record.lpstrFilter, kFilter, sizeof kFilter), 0);
  }
}

TEST(FileDialog, NoFilterAndNoExtensionGiveNull) {
  FileDialog dialog(false, "", "", 0x6, "", nullptr);
  EXPECT_EQ(dialog.record().lpstrFilter, nullptr);
  EXPECT_EQ(dialog.record().lpstrDefExt, nullptr);
  EXPECT_STREQ(dialog.record().lpstrFile, "");
}

TEST(FileDialog, LongPathIsCutToFitTheBuffer) {
  const std::string long_path = "C:\\" + std::string(400, 'a') + ".trl";
  FileDialog dialog(true, "trl", long_path.c_str(), 0x806, "", nullptr);
  EXPECT_EQ(std::strlen(dialog.file_name_buffer()), static_cast<std::size_t>(MAX_PATH - 1));
  EXPECT_EQ(std::string(dialog.file_name_buffer()), long_path.substr(0, MAX_PATH - 1));
}

}  // namespace
}  // namespace canopex
