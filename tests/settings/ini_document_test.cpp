#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace canopex {
namespace {

struct FindCase {
  const char* what;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

TEST(IniDocument, FindFollowsTheProfileRules) {
  const std::string long_value(5000, 'v');
  const FindCase cases[] = {
      {"plain", "[Setup]\nInputFile=C:\\x.trl\n", "Setup", "InputFile", "C:\\x.trl"},
      {"names ignore case", "[setup]\nINPUTFILE=x\n", "SETUP", "inputFile", "x"},
      {"blanks around names and value", "  [Setup]  \n  MinDiam  =  2.5  \n", "Setup", "MinDiam",
       "2.5"},
      {"CR LF lines", "[Setup]\r\nA=1\r\nB=2\r\n", "Setup", "B", "2"},
      {"CR-only lines", "[Setup]\rA=1\rB=2\r", "Setup", "B", "2"},
      {"CR ends lines after the last LF", "[Setup]\nA=1\rB=2", "Setup", "B", "2"},
      {"no line end at the end", "[Setup]\nA=1", "Setup", "A", "1"},
      {"byte order mark", "\xEF\xBB\xBF[Setup]\nA=1\n", "Setup", "A", "1"},
      {"apostrophes", "[T]\nI='COMPLETE CUT  LIST'\n", "T", "I", "COMPLETE CUT  LIST"},
      {"quotes", "[T]\nI=\" a \"\n", "T", "I", " a "},
      {"unmatched quotes stay", "[T]\nI='a\"\n", "T", "I", "'a\""},
      {"a lone quote stays", "[T]\nI='\n", "T", "I", "'"},
      {"an empty pair of quotes", "[T]\nI=''\n", "T", "I", ""},
      {"quotes inside stay", "[T]\nI=a'b'\n", "T", "I", "a'b'"},
      {"empty value", "[Setup]\nMinDiam=\n", "Setup", "MinDiam", ""},
      {"equals sign in the value", "[S]\nK=a=b\n", "S", "K", "a=b"},
      {"DOS end-of-file mark is blank", "[S]\nK=1\x1A\n", "S", "K", "1"},
      {"long values are cut", "[S]\nK=" + long_value + "\n", "S", "K", long_value.substr(0, 4095)},
      {"first of repeated keys", "[S]\nK=1\nK=2\n", "S", "K", "1"},
      {"first section of a name only", "[S]\nA=1\n[T]\n[S]\nK=2\n", "S", "K", std::nullopt},
      {"key without equals sign", "[S]\nK\n", "S", "K", std::nullopt},
      {"missing key", "[S]\nA=1\n", "S", "K", std::nullopt},
      {"missing section", "[S]\nK=1\n", "T", "K", std::nullopt},
      {"key before any section", "K=1\n[S]\nA=2\n", "S", "K", std::nullopt},
      {"comment is no key", "[S]\n;K=1\n", "S", "K", std::nullopt},
      {"text after the closing bracket", "[S] ; note\nK=1\n", "S", "K", "1"},
      {"bracket not closed", "[S]\n[T\nK=1\n", "S", "K", "1"},
      {"blanks inside the brackets are ignored", "[ S ]\nK=1\n", "S", "K", "1"},
      {"empty text", "", "S", "K", std::nullopt},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(IniDocument(c.text).Find(c.section, c.key), c.value);
  }
}

struct SetCase {
  const char* what;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniDocument, SetChangesOnlyWhatItMust) {
  const SetCase cases[] = {
      {"new file", "", "Setup", "InputFile", "a.trl", "[Setup]\nInputFile=a.trl\n"},
      {"new key at the end of its section",
       "[Setup]\nA=1\n\n[TreeList]\nB=2\n", "Setup", "C", "3",
       "[Setup]\nA=1\nC=3\n\n[TreeList]\nB=2\n"},
      {"new section after a file without final line end", "; hand-made\n[Setup]\nA=1",
       "Results", "K", "0", "; hand-made\n[Setup]\nA=1\n\n[Results]\nK=0\n"},
      {"new key after a last line without line end", "[Setup]\nA=1", "Setup", "B", "2",
       "[Setup]\nA=1\nB=2\n"},
      {"value replaced where it stands", "; keep\n[Setup]\n  A = 1 ; note \nB=2\n", "Setup", "A",
       "7", "; keep\n[Setup]\n  A = 7 \nB=2\n"},
      {"CR LF kept and copied", "[S]\r\nA=1\r\n", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
      {"CR LF in a new section", "[S]\r\nA=1\r\n", "T", "B", "2",
       "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n"},
      {"key without equals sign gets one", "[S]\nK\n", "S", "K", "5", "[S]\nK=5\n"},
      {"spelling of an existing key kept", "[setup]\ninputfile=a\n", "Setup", "InputFile", "b",
       "[setup]\ninputfile=b\n"},
      {"first of repeated keys", "[S]\nK=1\nK=2\n", "S", "K", "3", "[S]\nK=3\nK=2\n"},
      {"empty value", "[S]\nK=1\n", "S", "K", "", "[S]\nK=\n"},
      {"value into an empty one", "[S]\nK=\nL=1\n", "S", "K", "x", "[S]\nK=x\nL=1\n"},
      {"trailing blank lines stay after the section", "[S]\nA=1\n\n\n", "S", "B", "2",
       "[S]\nA=1\nB=2\n\n\n"},
      {"key before any section is not the section's", "K=1\n[S]\n", "S", "K", "2",
       "K=1\n[S]\nK=2\n"},
      {"same value leaves the text as it is", "[S]\nK = 'x'  \n", "S", "K", "'x'",
       "[S]\nK = 'x'  \n"},
      // After the last LF lines end at CR; an added LF would make "K=1\rL=2"
      // one line, K's value "1\rL=2".
      {"new key after a CR-ended line past the last LF", "[S]\nK=1\r", "S", "L", "2",
       "[S]\nK=1\rL=2\r"},
      {"new key after CR-separated lines without final line end", "[S]\nK=1\rJ=2", "S", "L",
       "3", "[S]\nK=1\rJ=2\rL=3\r"},
      {"new section after CR-separated lines", "[S]\r\nK=1\rJ=2", "T", "L", "3",
       "[S]\r\nK=1\rJ=2\r\r[T]\rL=3\r"},
      {"LF lines before a CR-separated section stay LF", "[S]\nA=1\n[T]\rB=2", "S", "K", "1",
       "[S]\nA=1\nK=1\n[T]\rB=2"},
  };
  for (const SetCase& c : cases) {
    SCOPED_TRACE(c.what);
    IniDocument document(c.before);
    const auto expected =
        c.before == c.after ? IniDocument::SetOutcome::Unchanged : IniDocument::SetOutcome::Changed;
    EXPECT_EQ(document.Set(c.section, c.key, c.value), expected);
    EXPECT_EQ(document.text(), c.after);
  }
}

TEST(IniDocument, SetRefusesLineBreaksAndEmptyNames) {
  const std::string before = "[S]\nK=1\n";
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } refused[] = {
      {"S", "K", "a\nb"}, {"S", "K", "a\r[Evil]"}, {"S", "K\n", "1"}, {"S\r", "K", "1"},
      {"", "K", "1"},     {"S", " ", "1"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.value);
    IniDocument document(before);
    EXPECT_EQ(document.Set(c.section, c.key, c.value), IniDocument::SetOutcome::Refused);
    EXPECT_EQ(document.text(), before);
  }
}

TEST(IniDocument, NewLinesFollowTheCallersDefaultOnlyWithoutLineEnds) {
  IniDocument crlf("", "\r\n");
  ASSERT_EQ(crlf.Set("S", "K", "1"), IniDocument::SetOutcome::Changed);
  EXPECT_EQ(crlf.text(), "[S]\r\nK=1\r\n");
  IniDocument lf("[S]\n", "\r\n");
  ASSERT_EQ(lf.Set("S", "K", "1"), IniDocument::SetOutcome::Changed);
  EXPECT_EQ(lf.text(), "[S]\nK=1\n");
}

TEST(ProfileIntegerOf, ReadsAsTheProfileFunctions) {
  const struct {
    std::optional<std::string> value;
    std::int32_t result;
  } cases[] = {
      {"12", 12},
      {"12abc", 12},
      {"-3", -3},
      {"+4", 4},
      {"65545", 65545},
      {"", 77},
      {std::nullopt, 77},
      {"abc", 0},
      {"--5", 0},
      {" 7", 7},
      {"\x01\x02" "8", 8},
      {"0x10", 16},
      {"2147483648", -2147483647 - 1},
      {"4294967295", -1},
      {"4294967296", 0},
      {"-4294967297", -1},
      {"12345678901234567890", -350287150},
      {std::string(28, '0') + "19", 1},  // only the first 29 characters are read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.value_or("(missing)"));
    EXPECT_EQ(ProfileIntegerOf(c.value, 77), c.result);
  }
}

}  // namespace
}  // namespace canopex
