// The portable store and the Windows profile functions, given the same file
// and the same writes, must read the same values and leave the same entries.
// (The profile functions rewrite the whole file, dropping blank lines and the
// blanks around "="; the portable store keeps every untouched line, so files
// are compared entry by entry.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/ini_store.h"
#include "settings/profile_store_win.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "util/text.h"

namespace canopex {
namespace {

// {section, entry} for every line that is no section header: blanks around
// the names and "=" dropped, blank lines skipped, 0x1A a blank as for both
// stores. The form both writers agree on.
std::vector<std::pair<std::string, std::string>> EntriesOf(std::string text) {
  std::replace(text.begin(), text.end(), '\x1A', ' ');
  const auto trimmed = [](std::string_view part) { return std::string(TrimmedView(part)); };
  std::vector<std::pair<std::string, std::string>> entries;
  std::string section;
  const char line_end = text.find('\n') != std::string::npos ? '\n' : '\r';
  for (std::size_t at = 0, end = 0; at < text.size(); at = end + 1) {
    end = std::min(text.find(line_end, at), text.size());
    const std::string line = trimmed(std::string_view(text).substr(at, end - at));
    const std::size_t close = line.rfind(']'), equals = line.find('=');
    if (line.empty()) continue;
    if (line.front() == '[' && close != std::string::npos && close > 0) {
      section = trimmed(line.substr(1, close - 1));
    } else {
      entries.emplace_back(section, equals == std::string::npos
                                        ? line
                                        : trimmed(line.substr(0, equals)) + "=" +
                                              trimmed(line.substr(equals + 1)));
    }
  }
  return entries;
}

TEST(ProfileAgreement, PortableStoreReadsAndWritesAsTheProfileFunctions) {
  // Every key of the file and of the calls ({section, key} reads, {section,
  // key, value} writes) is read as text and as a number, before and after the writes.
  const struct {
    std::string file; std::vector<std::vector<std::string>> calls;  // file "": none at first
  } cases[] = {
      {"",
       {{"Setup", "InputFile", "C:\\a b\\r.trl"}, {"Setup", "Compress", "1"},
        {"Results", "TreesCount", "-7"}, {"TreeList", "CutListIndicator", "'COMPLETE CUT  LIST'"}}},
      {"Stray=before any section\r\n[Setup]\r\n  MinDiam  =  2.5  \r\n"
       "InputFile = \"C:\\quoted.trl\"\r\nCompress=1\r\nCompress=0\r\n\r\n; a comment\r\n"
       "OutputCrownRatio\r\n[treelist]\r\nTreeId_Len=12abc\r\nSpecies_Len=-3\r\nTPA_Len=+4\r\n"
       "Diam_Len=65545\r\nHeight_Len=\r\nCrownRatio_Len=abc\r\nCrownRatio_Start=4294967297\r\n"
       "CutListIndicator='COMPLETE CUT  LIST'\r\nLong=" + std::string(5000, 'L') + "\r\n",
       {{"Setup", "Stray"}, {"Setup", "MinDiam", "3"}, {"Setup", "Compress", "0"},
        {"TreeList", "TPA_Len", "8"}, {"Setup", "OutputDir", "D:\\Out"},
        {"Results", "ErrMessage", ""}}},
      {"[S]\nA='x'\nB=\"y\"\nC='z\"\nD='\nE=''\nF=  spaced  out  \nG=a'b'\n", {}},
      {"[setup]\ninputfile=x\n[SETUP]\nMinDiam=4\n",
       {{"SETUP", "INPUTFILE"}, {"setup", "mindiam"}, {"Setup", "InputFile", "y"}}},
      {"[Setup]\nInputFile=a.trl\nCompress=1\n",
       {{"Setup", "InputFile", "b.trl"}, {"Setup", "OutputDir", ""},
        {"TreeList", "TreeId_Start", "0"}}},
      {"[ Setup ]\rA=1\r[S] ; note\rB = 2 \x1A\r[T\rC=3\rD=4", {{" Setup ", "A"}, {"S", "E", "5"}}},
      {"[Setup]\nInputFile=a.trl",
       {{"Setup", "OutputFile", "b.txt"}, {"TreeList", "Diam_Len", "5"}}},
      {"[S]\nA=0x1\nB=0X1F\nC=0x1fZ\nD=-0x10\nE=+0x10\nF= \t0x10\nG=0x\nH=0xg\nI=0b101\n"
       "J=0B101\nK=0o17\nL=0O17\nM=017\nN=0b2\nO=0o8\nP=0x-1\nQ=0xFFFFFFFF\nR=0x100000001\n"
       "T=- 5\nU=0d12\nV=-0b11\n", {}},
      {"[SETUP]\n  inputfile  =  old  \nMinDiam\n",
       {{"Setup", "InputFile", "new"}, {"Setup", "MinDiam", "2"}}},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 40));
    testing::TempFolder temp;  // fresh names, as the profile functions cache files
    const std::string profile_path = temp / "profile.ini", portable_path = temp / "portable.ini";
    if (!c.file.empty()) {
      testing::WriteFileBytes(profile_path, c.file);
      testing::WriteFileBytes(portable_path, c.file);
    }
    ProfileStore profile(profile_path);
    IniFileStore portable(portable_path);
    std::vector<std::vector<std::string>> keys = c.calls;
    for (const auto& [section, line] : EntriesOf(c.file)) {
      if (line.front() != ';') keys.push_back({section, line.substr(0, line.find('='))});
    }
    const auto read_all = [&](const char* when) {
      for (const auto& key : keys) {
        SCOPED_TRACE(std::string(when) + " [" + key[0] + "] " + key[1]);
        EXPECT_EQ(portable.ReadSettingString(key[0], key[1], "(default)"),
                  profile.ReadSettingString(key[0], key[1], "(default)"));
        EXPECT_EQ(portable.ReadSettingInt(key[0], key[1], -99),
                  profile.ReadSettingInt(key[0], key[1], -99));
      }
    };
    read_all("before the writes:");
    for (const auto& write : c.calls) {
      if (write.size() < 3) continue;
      EXPECT_EQ(portable.WriteSettingString(write[0], write[1], write[2]),
                profile.WriteSettingString(write[0], write[1], write[2]));
    }
    read_all("after the writes:");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, profile_path.c_str());  // flush
    EXPECT_EQ(EntriesOf(testing::FileBytes(portable_path)),
              EntriesOf(testing::FileBytes(profile_path)));
  }
}

}  // namespace
}  // namespace canopex
