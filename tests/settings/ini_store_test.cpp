#include "settings/ini_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/path_style.h"

namespace canopex {
namespace {

using namespace std::string_literals;

TEST(IniDocument, FindFollowsTheProfileRules) {
  const std::string long_value(5000, 'v');
  const struct {
    std::string text; const char *section, *key; std::optional<std::string> value;
  } cases[] = {
      {"[Setup]\nInputFile=C:\\x.trl\n", "Setup", "InputFile", "C:\\x.trl"},
      {"[setup]\nINPUTFILE=x\n", "SETUP", "inputFile", "x"},
      {"  [Setup]  \n  MinDiam  =  2.5  \n", "Setup", "MinDiam", "2.5"},
      {"[S]\r\nA=1\r\nB=2\r\n", "S", "B", "2"},  {"[S]\rA=1\rB=2\r", "S", "B", "2"},
      {"[S]\nA=1\rB=2", "S", "B", "2"},          {"\xEF\xBB\xBF[S]\nA=1", "S", "A", "1"},
      {"[T]\nI='COMPLETE CUT  LIST'\n", "T", "I", "COMPLETE CUT  LIST"},
      {"[T]\nI=\" a \"\n", "T", "I", " a "},      {"[T]\nI='a\"\n", "T", "I", "'a\""},
      {"[T]\nI='\n", "T", "I", "'"},              {"[T]\nI=''\n", "T", "I", ""},
      {"[T]\nI=a'b'\n", "T", "I", "a'b'"},        {"[S]\nK=\n", "S", "K", ""},
      {"[S]\nK=a=b\n", "S", "K", "a=b"},          {"[S]\nK=1\x1A\n", "S", "K", "1"},
      {"[S]\nK=\0v\n"s, "S", "K", "\0v"s},        {"[S]\nK=1\nK=2\n", "S", "K", "1"},
      {"[S]\nK=" + long_value, "S", "K", long_value.substr(0, kMaxSettingLength)},
      {"[S]\nA=1\n[T]\n[S]\nK=2\n", "S", "K", std::nullopt},  // the first [S] only
      {"[S]\nK\n", "S", "K", std::nullopt},       {"[S]\nA=1\n", "S", "K", std::nullopt},
      {"[S]\nK=1\n", "T", "K", std::nullopt},     {"K=1\n[S]\nA=2\n", "S", "K", std::nullopt},
      {"[S]\n;K=1\n", "S", "K", std::nullopt},    {"", "S", "K", std::nullopt},
      {"[S] ; note\nK=1\n", "S", "K", "1"},       {"[S]\n[T\nK=1\n", "S", "K", "1"},
      {"[ S ]\nK=1\n", "S", "K", "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniDocument(c.text).Find(c.section, c.key), c.value) << c.text.substr(0, 40);
  }
}

TEST(IniDocument, SetChangesOnlyWhatItMust) {
  const struct {
    std::string before; const char *section, *key, *value; std::string after;
  } cases[] = {
      {"", "S", "A", "a.trl", "[S]\nA=a.trl\n"},  {"[S]\nA=1", "S", "B", "2", "[S]\nA=1\nB=2\n"},
      {"[S]\nA=1\n\n[T]\nB=2\n", "S", "C", "3", "[S]\nA=1\nC=3\n\n[T]\nB=2\n"},
      {"; mine\n[S]\nA=1", "T", "K", "0", "; mine\n[S]\nA=1\n\n[T]\nK=0\n"},
      {"; keep\n[S]\n  A = 1 ; note \nB=2\n", "S", "A", "7", "; keep\n[S]\n  A = 7 \nB=2\n"},
      {"[S]\r\nA=1\r\n", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
      {"[S]\r\nA=1\r\n", "T", "B", "2", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n"},
      {"[setup]\ninputfile=a\n", "Setup", "InputFile", "b", "[setup]\ninputfile=b\n"},
      {"[S]\nK\n", "S", "K", "5", "[S]\nK=5\n"},  {"[S]\nK=1\n", "S", "K", "", "[S]\nK=\n"},
      {"[S]\nK=1\nK=2\n", "S", "K", "3", "[S]\nK=3\nK=2\n"},
      {"[S]\nK=\nL=1\n", "S", "K", "x", "[S]\nK=x\nL=1\n"},
      {"[S]\nA=1\n\n\n", "S", "B", "2", "[S]\nA=1\nB=2\n\n\n"},
      {"K=1\n[S]\n", "S", "K", "2", "K=1\n[S]\nK=2\n"},
      {"[S]\nK = 'x'  \n", "S", "K", "'x'", "[S]\nK = 'x'  \n"},  // unchanged
      {"[S]\nK=\0\x01\n\0\n"s, "S", "L", "2", "[S]\nK=\0\x01\n\0\nL=2\n"s},
      // After the last LF lines end at CR; an added LF would make "K=1\rL=2"
      // one line, K's value "1\rL=2".
      {"[S]\nK=1\r", "S", "L", "2", "[S]\nK=1\rL=2\r"},
      {"[S]\nK=1\rJ=2", "S", "L", "3", "[S]\nK=1\rJ=2\rL=3\r"},
      {"[S]\r\nK=1\rJ=2", "T", "L", "3", "[S]\r\nK=1\rJ=2\r\r[T]\rL=3\r"},
      {"[S]\nA=1\n[T]\rB=2", "S", "K", "1", "[S]\nA=1\nK=1\n[T]\rB=2"},
  };
  for (const auto& c : cases) {
    IniDocument document(c.before);
    EXPECT_EQ(document.Set(c.section, c.key, c.value),
              c.before == c.after ? IniDocument::SetOutcome::Unchanged
                                  : IniDocument::SetOutcome::Changed) << c.before;
    EXPECT_EQ(document.text(), c.after);
  }
  // Without line ends of its own a text takes the caller's.
  IniDocument crlf("", "\r\n"), lf("[S]\n", "\r\n");
  crlf.Set("S", "K", "1");
  lf.Set("S", "K", "1");
  EXPECT_EQ(crlf.text() + lf.text(), "[S]\r\nK=1\r\n[S]\nK=1\n");
}

TEST(IniDocument, SetRefusesLineBreaksAndEmptyNames) {
  const char* const refused[][3] = {{"S", "K", "a\nb"}, {"S", "K", "a\r[Evil]"}, {"S", "K\n", "1"},
                                    {"S\r", "K", "1"},  {"", "K", "1"},          {"S", " ", "1"}};
  for (const auto& c : refused) {
    IniDocument document("[S]\nK=1\n");
    EXPECT_EQ(document.Set(c[0], c[1], c[2]), IniDocument::SetOutcome::Refused) << c[2];
    EXPECT_EQ(document.text(), "[S]\nK=1\n");
  }
}

// The values the Windows build's profile functions give (compared under Wine
// in profile_agreement_test), pinned here for every build.
TEST(ProfileIntegerOf, ReadsAsTheProfileFunctions) {
  const struct {
    std::optional<std::string> value; std::int32_t result;
  } cases[] = {
      {"12", 12},         {"12abc", 12},   {"-3", -3},     {"+4", 4},      {"65545", 65545},
      {"", 77},           {std::nullopt, 77},              {"abc", 0},     {"--5", 0},
      {" 7", 7},          {"\x01\x02" "8", 8},             {"- 5", 0},     {"017", 17},
      {"0x10", 16},       {"0x1fZ", 31},   {"-0x10", -16}, {"+0x10", 16},  {" \t0x10", 16},
      {"0X1F", 0},        {"0x", 0},       {"0xg", 0},     {"0x-1", 0},    {"0xFFFFFFFF", -1},
      {"0x100000001", 1}, {"0b101", 5},    {"0B101", 0},   {"0b2", 0},     {"-0b11", -3},
      {"0o17", 15},       {"0O17", 0},     {"0o8", 0},     {"0d12", 0},
      {"2147483648", -2147483647 - 1},     {"4294967295", -1},             {"4294967296", 0},
      {"-4294967297", -1},                 {"12345678901234567890", -350287150},
      {std::string(28, '0') + "19", 1},  // only the first 29 characters are read
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileIntegerOf(c.value, 77), c.result) << c.value.value_or("(missing)");
  }
}

// The store's own part: the file. The rules are IniDocument's; missing,
// read-only and unreadable files and folders are conversion cases.
TEST(IniFileStore, NewFilesGetNativeLineEndsAndOldBytesAllStay) {
  testing::TempFolder temp;
  IniFileStore store(temp / "canopex.ini");
  EXPECT_EQ(store.ReadSettingString("Setup", "A", "none"), "none");
  EXPECT_FALSE(std::filesystem::exists(store.path())) << "reading creates nothing";
  EXPECT_TRUE(store.WriteSettingString("Setup", "A", "1"));
  const bool windows = kNativePathStyle == PathStyle::Windows;
  EXPECT_EQ(testing::FileBytes(store.path()), windows ? "[Setup]\r\nA=1\r\n" : "[Setup]\nA=1\n");
  const std::string odd("[S]\nK=\0v\x80\xFF\n\0\n", 13);
  testing::WriteFileBytes(store.path(), odd);
  EXPECT_EQ(store.ReadSettingString("S", "K", ""), odd.substr(6, 4));
  EXPECT_TRUE(store.WriteSettingString("S", "L", "2"));
  EXPECT_EQ(testing::FileBytes(store.path()), odd + "L=2\n");
}

}  // namespace
}  // namespace canopex
