// Fuzz target: a settings file (after two bytes of its length, low byte
// first), then up to 24 operations through the file store: a byte (low two
// bits 0 or 1: a write, else a read), a section, a key and for a write a
// value (see Choices::Pick). Judged by the stores' own reading, a read gives
// what the file says; a write is refused, changing nothing, exactly when a
// name or the value holds a CR or LF or a name is blank; an accepted one keeps
// every other line, changes one line that reads as its key's or adds its
// key's line (after its section's header at the end), and with a key of the
// kind the program writes (no "[" first, no "=") the key then reads as the
// value does, other entries as before.
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
  return canopex::IniDocument("[s]\n" + line + "\n").Find("s", key);
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
  const auto key_part = [](std::string_view l) { return Trimmed(l.substr(0, l.find('='))); };
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
  // The key's own line changed after its key text, or the key's line added,
  // after its section's header at the end, blank lines aside.
  FUZZ_CHECK((removed.size() == 1 && added.size() == 1 && ReadInLine(removed[0] + "=", key) &&
              key_part(removed[0]) == key_part(added[0]) &&
              (!usual_key || ReadInLine(added[0], key) == value_read)) ||
                 (removed.empty() && (entries == std::vector{entry} ||
                                      (entries == headed && new_rend == new_lines.rbegin()))),
             "lines changed or added that are not the key's: " + write.Shown());

  if (!usual_key) return;
  const canopex::IniDocument old_document(write.before), new_document(write.after);
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
  const char* text = reinterpret_cast<const char*>(data) + std::min<std::size_t>(size, 2);
  const std::size_t length = size < 2 ? 0 : std::min(data[0] | std::size_t{data[1]} << 8, size - 2);
  Choices input{data + (size < 2 ? size : 2 + length), data + size};
  const std::filesystem::path folder = canopex::fuzz::TempFolder() / "settings";
  const std::string path = (folder / "canopex.ini").string();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  // An empty text leaves the file missing: the store must create it.
  if (length > 0) canopex::fuzz::WriteFileBytes(path, std::string_view(text, length));
  canopex::IniFileStore store(path);

  for (int count = 0; count < 24 && input.at < input.end; ++count) {
    const bool is_write = (input.Byte() & 3) < 2;
    Write write{input.Pick(kNames, 7, 4), input.Pick(kNames, 7, 4),
                is_write ? input.Pick(kValues, 0x3F, 0) : "", canopex::fuzz::FileBytes(path), ""};
    auto& [section, key, value, before, after] = write;
    if (!is_write) {  // the store reads the file as it is, texts and numbers
      const std::optional<std::string> found = canopex::IniDocument(before).Find(section, key);
      FUZZ_CHECK(store.ReadSettingString(section, key, "\x01") == found.value_or("\x01") &&
                     store.ReadSettingInt(section, key, 7) == canopex::ProfileIntegerOf(found, 7),
                 "a read differs from the file's text: " + write.Shown());
      continue;
    }
    const bool accepted = (section + key + value).find_first_of("\r\n") == key.npos &&
                          !Trimmed(section).empty() && !Trimmed(key).empty();
    const bool written = store.WriteSettingString(section, key, value);
    after = canopex::fuzz::FileBytes(path);
    FUZZ_CHECK(written == accepted && (accepted || after == before),
               "accepted " + std::to_string(written) + ": " + write.Shown());
    if (accepted && after != before) CheckAcceptedWrite(write);
  }
  return 0;
}
