// Fuzz target: a settings file, then up to 24 reads and writes through the
// file store and the memory store side by side. Input: two bytes of the
// file's length (low byte first), its text, then the operations: a byte (low
// two bits 0 or 1: a write, else reads), a section, a key and for a write a
// value (see Choices::Pick). Edits are checked against the stores' own reading:
// - both stores read alike and hold the same text, alone in their folder;
// - a write is refused, changing nothing, exactly when a name or the value
//   holds a CR or LF or a name is blank;
// - an accepted write keeps every other line as it was and in order, and
//   changes one line that reads as its key's or adds its key's line (after
//   its section's header at the end);
// - with a key of the kind the program writes (not starting with "[", no
//   "="), the key then reads as the value does, other entries as before.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "settings/ini_document.h"
#include "settings/ini_store.h"

namespace {

using canopex::IniDocument;
using canopex::fuzz::Escaped;
using namespace std::string_literals;

const std::vector<std::string> kNames = {
    "Setup", "setup", " Setup ", "TreeList", "Results", "S", "s", "T", "K", "k", " K ", "L",
    "InputFile", "CutListIndicator", "", "  ", "\t", "[S]", "[K", "S]", "a=b", "=", ";K", "\"K\"",
    "'S'", "K\r", "S\n", "\x1a", "K\x1a", "S\0"s, "A B", "\xEF\xBB\xBFS", "#"};
const std::vector<std::string> kValues = {
    "", "1", " 2 ", "'x'", "\"y\"", "'", "\"", "a=b", "[S]", "[T]", "x\ry", "x\ny", "\x1a",
    "' q '", std::string(5000, 'v'), "\0a"s, "COMPLETE CUT  LIST", "'COMPLETE CUT  LIST'", "-12",
    "4294967296", "K=1", " ", "\t'a'\t"};
constexpr std::string_view kAlphabet = "aAbBsSkK =[];\r\n\"'";

// Takes choices from the front of the input; past its end every byte reads as 0.
struct Choices {
  const std::uint8_t *at, *end;
  std::uint8_t Byte() { return at < end ? *at++ : 0; }
  // One of `list`, or a text of the alphabet as long as the choice's bits give.
  std::string Pick(const std::vector<std::string>& list, std::size_t mask, int shift) {
    const std::uint8_t choice = Byte();
    if (choice < 0x80) return list[choice % list.size()];
    std::string text;
    while (text.size() < ((choice >> shift) & mask)) text += kAlphabet[Byte() % kAlphabet.size()];
    return text;
  }
};

// Trimmed of the white space of the profile rules, the DOS end-of-file mark included.
std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kSpace = " \t\n\v\f\r\x1a";
  while (!text.empty() && kSpace.find(text.front()) != kSpace.npos) text.remove_prefix(1);
  while (!text.empty() && kSpace.find(text.back()) != kSpace.npos) text.remove_suffix(1);
  return text;
}

// The lines of a settings text without their line ends: lines end at LF, and
// after the last LF at CR; CRs before an LF belong to the line end. A UTF-8
// byte order mark before the first line is no part of it.
std::vector<std::string> LinesOf(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = text.find('\n', at);
    if (end == text.npos) end = std::min(text.find('\r', at), text.size());
    std::string_view line = text.substr(at, end - at);
    while (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
  return lines;
}

// How the stores read `key` in a text that holds `line` alone in a section.
std::optional<std::string> ReadInLine(const std::string& line, std::string_view key) {
  return IniDocument("[s]\n" + line + "\n").Find("s", key);
}

// A write of `key` = `value` in `section` that changed `before` into `after`.
struct Write {
  std::string section, key, value, before, after;
  std::string Shown() const {
    return "[" + Escaped(section) + "] \"" + Escaped(key) + "\" = \"" + Escaped(value) +
           "\"\nbefore: \"" + Escaped(before) + "\"\nafter:  \"" + Escaped(after) + "\"";
  }
};

void CheckAcceptedWrite(const Write& write) {
  const std::string& key = write.key;
  // Other keys may write lines that read as headers or as other keys.
  const bool usual_key = !Trimmed(key).starts_with('[') && key.find('=') == key.npos;
  const auto key_part = [](std::string_view line) { return line.substr(0, line.find('=')); };
  const std::vector<std::string> old_lines = LinesOf(write.before);
  const std::vector<std::string> new_lines = LinesOf(write.after);
  const auto [old_end, new_end] =
      std::mismatch(old_lines.begin(), old_lines.end(), new_lines.begin(), new_lines.end());
  const auto [old_rend, new_rend] =
      std::mismatch(old_lines.rbegin(), std::make_reverse_iterator(old_end), new_lines.rbegin(),
                    std::make_reverse_iterator(new_end));
  const std::vector<std::string> removed(old_end, old_rend.base()), added(new_end, new_rend.base());
  std::vector<std::string> entries = added;
  std::erase(entries, "");
  const std::string entry = std::string(Trimmed(key)) + "=" + write.value;
  const std::vector<std::string> headed{"[" + std::string(Trimmed(write.section)) + "]", entry};
  const std::optional<std::string> value_read = ReadInLine("k=" + write.value, "k");
  // The key's line changed after its key, or its line added, after blank lines.
  FUZZ_CHECK((removed.size() == 1 && added.size() == 1 && ReadInLine(removed[0] + "=", key) &&
              key_part(removed[0]) == key_part(added[0]) &&
              (!usual_key || ReadInLine(added[0], key) == value_read)) ||
                 (removed.empty() && (entries == std::vector{entry} ||
                                      (entries == headed && new_rend == new_lines.rbegin()))),
             "lines changed or added that are not the key's: " + write.Shown());

  if (!usual_key) return;
  const IniDocument old_document(write.before), new_document(write.after);
  FUZZ_CHECK(new_document.Find(write.section, key) == value_read,
             "the key reads otherwise: " + write.Shown());
  // The entries of the first lines read as before (the key's may read as its
  // value); names are guessed loosely, a wrong guess reads as missing.
  std::string section;
  for (std::size_t i = 0; i < std::min<std::size_t>(old_lines.size(), 40); ++i) {
    std::string name = old_lines[i].substr(0, old_lines[i].find_first_of("=]"));
    std::erase(name, '[');
    if (Trimmed(old_lines[i]).starts_with('[')) {
      section = name;
      continue;
    }
    const std::optional<std::string> now = new_document.Find(section, name);
    FUZZ_CHECK(now == old_document.Find(section, name) || now == value_read,
               "[" + Escaped(section) + "] " + Escaped(name) + " changed: " + write.Shown());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t* text = data + std::min<std::size_t>(size, 2);
  const std::size_t length = size < 2 ? 0 : std::min(data[0] | std::size_t{data[1]} << 8, size - 2);
  const std::string original(reinterpret_cast<const char*>(text), length);
  Choices input{text + length, data + size};
  namespace fs = std::filesystem;
  const fs::path folder = canopex::fuzz::TempFolder() / "settings", path = folder / "canopex.ini";
  fs::remove_all(folder);
  fs::create_directories(folder);
  // An empty text leaves the file missing: the store must create it.
  if (!original.empty()) canopex::fuzz::WriteFileBytes(path, original);
  canopex::IniFileStore file_store(path.string());
  canopex::MemorySettingsStore memory_store(original);

  for (int count = 0; count < 24 && input.at < input.end; ++count) {
    const bool is_write = (input.Byte() & 3) < 2;
    Write write{input.Pick(kNames, 7, 4), input.Pick(kNames, 7, 4),
                is_write ? input.Pick(kValues, 0x3F, 0) : "", memory_store.text(), ""};
    auto& [section, key, value, before, after] = write;
    const auto reads = [&write](canopex::SettingsStore& store) {
      return std::to_string(store.ReadSettingInt(write.section, write.key, -77)) + "," +
             store.ReadSettingString(write.section, write.key, "\x01");
    };
    if (!is_write) {
      FUZZ_CHECK(reads(file_store) == reads(memory_store), "stores read apart: " + write.Shown());
      continue;
    }
    const bool accepted = (section + key + value).find_first_of("\r\n") == key.npos &&
                          !Trimmed(section).empty() && !Trimmed(key).empty();
    const bool to_file = file_store.WriteSettingString(section, key, value);
    const bool to_memory = memory_store.WriteSettingString(section, key, value);
    after = memory_store.text();
    FUZZ_CHECK(to_file == accepted && to_memory == accepted && (accepted || after == before) &&
                   canopex::fuzz::FileBytes(path) == after,
               "accepted " + std::to_string(accepted) + ", or the stores differ: " + write.Shown());
    if (accepted && after != before) CheckAcceptedWrite(write);
  }
  // Whole-file replacement leaves nothing beside the file.
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    FUZZ_CHECK(entry.path() == path, "a file beside the settings file: " + entry.path().string());
  }
  return 0;
}
