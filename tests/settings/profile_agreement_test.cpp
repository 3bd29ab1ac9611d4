// The portable store and the Windows profile functions, given the same file
// and the same calls, must read the same values and leave the same entries.
// (The profile functions rewrite the whole file, dropping blank lines and the
// blanks around "="; the portable store keeps every untouched line, so files
// are compared entry by entry.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ini_store.h"
#include "settings/profile_store_win.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/file_system.h"
#include "util/text.h"

namespace canopex {
namespace {

struct Call {
  enum Kind { ReadText, ReadInt, WriteText, WriteInt } kind;
  const char* section;
  const char* key;
  std::string text;       // default for ReadText, value for WriteText
  std::int32_t number;    // default for ReadInt, value for WriteInt
};

Call Text(const char* section, const char* key, std::string fallback = "(default)") {
  return {Call::ReadText, section, key, std::move(fallback), 0};
}
Call Int(const char* section, const char* key, std::int32_t fallback = -99) {
  return {Call::ReadInt, section, key, {}, fallback};
}
Call SetText(const char* section, const char* key, std::string value) {
  return {Call::WriteText, section, key, std::move(value), 0};
}
Call SetInt(const char* section, const char* key, std::int32_t value) {
  return {Call::WriteInt, section, key, {}, value};
}

struct AgreementCase {
  const char* what;
  std::string file;  // empty: no file at the start
  std::vector<Call> calls;
};

// Trims as both stores do: the white space characters and 0x1A.
std::string_view Trimmed(std::string_view text) {
  for (;;) {
    text = TrimmedView(text);
    if (!text.empty() && text.front() == '\x1A') text.remove_prefix(1);
    else if (!text.empty() && text.back() == '\x1A') text.remove_suffix(1);
    else return text;
  }
}

// "[section]|key=value" for every entry line, blanks around names and "="
// dropped, blank lines skipped; the form both writers agree on.
std::vector<std::string> EntriesOf(const std::string& text) {
  std::vector<std::string> entries;
  std::string section;
  const char line_end = text.find('\n') != std::string::npos ? '\n' : '\r';
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(line_end, at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = Trimmed(std::string_view(text).substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos && close > 0) {
      section = "[" + std::string(Trimmed(line.substr(1, close - 1))) + "]";
      continue;
    }
    const std::size_t equals = line.find('=');
    std::string entry = section + "|" + std::string(Trimmed(line.substr(0, equals)));
    if (equals != std::string_view::npos) {
      entry += "=" + std::string(Trimmed(line.substr(equals + 1)));
    }
    entries.push_back(entry);
  }
  return entries;
}

TEST(ProfileAgreement, PortableStoreReadsAndWritesAsTheProfileFunctions) {
  const std::string long_value(5000, 'L');
  const AgreementCase cases[] = {
      {"no file",
       "",
       {Text("Setup", "InputFile", ""), Int("Setup", "Compress", 0), SetText("Setup", "InputFile", "C:\\a b\\r.trl"),
        SetInt("Setup", "Compress", 1), SetInt("Results", "TreesCount", -7),
        SetText("TreeList", "CutListIndicator", "'COMPLETE CUT  LIST'"),
        Text("Setup", "InputFile"), Int("Setup", "Compress"), Int("Results", "TreesCount"),
        Text("TreeList", "CutListIndicator")}},
      {"hand-edited oddities",
       "Stray=before any section\r\n"
       "[Setup]\r\n"
       "  MinDiam  =  2.5  \r\n"
       "InputFile = \"C:\\quoted.trl\"\r\n"
       "Compress=1\r\n"
       "Compress=0\r\n"
       "\r\n"
       "; a comment\r\n"
       "OutputCrownRatio\r\n"
       "[treelist]\r\n"
       "TreeId_Len=12abc\r\n"
       "Species_Len=-3\r\n"
       "TPA_Len=+4\r\n"
       "Diam_Len=65545\r\n"
       "Height_Len=\r\n"
       "CrownRatio_Len=abc\r\n"
       "CrownRatio_Start=4294967297\r\n"
       "CutListIndicator='COMPLETE CUT  LIST'\r\n"
       "Long=" + long_value + "\r\n",
       {Text("Setup", "Stray"), Text("", "Stray"), Text("Setup", "MinDiam"),
        Text("Setup", "InputFile"), Int("Setup", "Compress"), Text("Setup", "OutputCrownRatio"),
        Int("Setup", "OutputCrownRatio", 5), Int("TreeList", "TreeId_Len"),
        Int("TreeList", "Species_Len"), Int("TreeList", "TPA_Len"), Int("TreeList", "Diam_Len"),
        Int("TreeList", "Height_Len", 5), Text("TreeList", "Height_Len"),
        Int("TreeList", "CrownRatio_Len"), Int("TreeList", "CrownRatio_Start"),
        Text("TreeList", "CutListIndicator"), Text("TreeList", "Long"), Int("TreeList", "Long"),
        Text("Results", "ErrMessage"), SetText("Setup", "MinDiam", "3"),
        SetInt("Setup", "Compress", 0), SetInt("TreeList", "TPA_Len", 8),
        SetText("Setup", "OutputDir", "D:\\Out"), SetText("Results", "ErrMessage", ""),
        Text("Setup", "MinDiam"), Int("Setup", "Compress"), Text("Results", "ErrMessage")}},
      {"quotes and blanks",
       "[S]\nA='x'\nB=\"y\"\nC='z\"\nD='\nE=''\nF=  spaced  out  \nG=a'b'\n",
       {Text("S", "A"), Text("S", "B"), Text("S", "C"), Text("S", "D"), Text("S", "E"),
        Int("S", "E", 3), Text("S", "F"), Text("S", "G")}},
      {"sections and keys ignore case",
       "[setup]\ninputfile=x\n[SETUP]\nMinDiam=4\n",
       {Text("Setup", "InputFile"), Text("SETUP", "INPUTFILE"), Text("Setup", "MinDiam"),
        SetText("Setup", "InputFile", "y"), Text("setup", "inputfile")}},
      {"LF-only file",
       "[Setup]\nInputFile=a.trl\nCompress=1\n",
       {Text("Setup", "InputFile"), SetText("Setup", "InputFile", "b.trl"),
        SetText("Setup", "OutputDir", ""), SetInt("TreeList", "TreeId_Start", 0),
        Text("Setup", "InputFile"), Text("Setup", "OutputDir"), Int("TreeList", "TreeId_Start")}},
      {"odd brackets and line ends",
       "[ Setup ]\rA=1\r[S] ; note\rB = 2 \x1A\r[T\rC=3\rD=4",
       {Text("Setup", "A"), Text(" Setup ", "A"), Text("S", "B"), Int("S", "B"), Text("S", "C"),
        Text("S", "[T"), Text("S", "D"), SetText("S", "E", "5"), Text("S", "E")}},
      {"writes into a file without final line end",
       "[Setup]\nInputFile=a.trl",
       {SetText("Setup", "OutputFile", "b.txt"), SetText("TreeList", "Diam_Len", "5"),
        Text("Setup", "InputFile"), Text("Setup", "OutputFile")}},
      {"integers with base prefixes, signs and blanks",
       "[S]\nA=0x1\nB=0X1F\nC=0x1fZ\nD=-0x10\nE=+0x10\nF= \t0x10\nG=0x\nH=0xg\nI=0b101\n"
       "J=0B101\nK=0o17\nL=0O17\nM=017\nN=0b2\nO=0o8\nP=0x-1\nQ=0xFFFFFFFF\nR=0x100000001\n"
       "T=- 5\nU=0d12\nV=-0b11\n",
       {Int("S", "A"), Int("S", "B"), Int("S", "C"), Int("S", "D"), Int("S", "E"), Int("S", "F"),
        Int("S", "G"), Int("S", "H"), Int("S", "I"), Int("S", "J"), Int("S", "K"), Int("S", "L"),
        Int("S", "M"), Int("S", "N"), Int("S", "O"), Int("S", "P"), Int("S", "Q"), Int("S", "R"),
        Int("S", "T"), Int("S", "U"), Int("S", "V")}},
      {"writes that replace keys spelled otherwise",
       "[SETUP]\n  inputfile  =  old  \nMinDiam\n",
       {SetText("Setup", "InputFile", "new"), SetText("Setup", "MinDiam", "2"),
        Text("Setup", "InputFile"), Text("Setup", "MinDiam")}},
  };

  testing::TempFolder temp;
  int file_number = 0;
  for (const AgreementCase& c : cases) {
    SCOPED_TRACE(c.what);
    // Fresh names for every case, as the profile functions cache files.
    const std::string profile_path = temp / ("profile" + std::to_string(file_number) + ".ini");
    const std::string portable_path = temp / ("portable" + std::to_string(file_number) + ".ini");
    ++file_number;
    if (!c.file.empty()) {
      testing::WriteFileBytes(profile_path, c.file);
      testing::WriteFileBytes(portable_path, c.file);
    }
    ProfileStore profile(profile_path);
    IniFileStore portable(portable_path);
    int step = 0;
    for (const Call& call : c.calls) {
      SCOPED_TRACE(std::string("call ") + std::to_string(step++) + ": [" + call.section + "] " +
                   call.key);
      switch (call.kind) {
        case Call::ReadText:
          EXPECT_EQ(portable.ReadSettingString(call.section, call.key, call.text),
                    profile.ReadSettingString(call.section, call.key, call.text));
          break;
        case Call::ReadInt:
          EXPECT_EQ(portable.ReadSettingInt(call.section, call.key, call.number),
                    profile.ReadSettingInt(call.section, call.key, call.number));
          break;
        case Call::WriteText:
          EXPECT_EQ(portable.WriteSettingString(call.section, call.key, call.text),
                    profile.WriteSettingString(call.section, call.key, call.text));
          break;
        case Call::WriteInt:
          EXPECT_EQ(portable.WriteSettingInt(call.section, call.key, call.number),
                    profile.WriteSettingInt(call.section, call.key, call.number));
          break;
      }
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, profile_path.c_str());  // flush
    EXPECT_EQ(EntriesOf(testing::FileBytes(portable_path)), EntriesOf(testing::FileBytes(profile_path)));
  }
}

}  // namespace
}  // namespace canopex
