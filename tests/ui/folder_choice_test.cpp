#include "ui/folder_choice.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

bool NoLeadBytes(unsigned char) { return false; }
// The lead bytes of code page 932, whose trail bytes include the backslash.
bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(FolderOfChooserResult, TextBeforeTheLastBackslash) {
  const struct {
    const char* result;
    LeadByteTest lead_bytes;
    std::optional<std::string> folder;
  } cases[] = {
      {"C:\\Data\\Out\\x", NoLeadBytes, "C:\\Data\\Out"},
      {"C:\\x", NoLeadBytes, "C:"},  // a drive root gives the drive alone
      {"ab\\x", NoLeadBytes, "ab"},
      {"a\\x", NoLeadBytes, std::nullopt},  // backslash at index 1
      {"x", NoLeadBytes, std::nullopt},
      {"C:/Data/x", NoLeadBytes, std::nullopt},  // only the backslash counts
      // A two-byte character whose second byte is a backslash.
      {"C:\\\x95\\\\x", ShiftJisLeadByte, "C:\\\x95\\"},
      {"ab\x95\\x", ShiftJisLeadByte, std::nullopt},
      {"ab\x95\\x", NoLeadBytes, "ab\x95"},
      // A lead byte at the very end stands alone.
      {"ab\\\x95", ShiftJisLeadByte, "ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    EXPECT_EQ(FolderOfChooserResult(c.result, c.lead_bytes), c.folder);
  }
}

}  // namespace
}  // namespace canopex
