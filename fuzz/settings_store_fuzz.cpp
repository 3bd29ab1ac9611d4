// Fuzz target: a settings file, then a sequence of reads and writes through
// the file store (IniFileStore) and the memory store side by side. Input:
// two bytes giving the length of the file's text (low byte first), the
// text, then the operations (see RunOperations). Checks, besides crashes
// and sanitizer reports:
// - both stores give the same results and keep the same text;
// - a write is refused exactly when a name or the value holds a CR or LF or
//   a name is blank, and then changes nothing;
// - a write changes only the line of its key in the first section of its
//   name, or adds its key's line (and its section's header at the end);
//   every other line of the original text stays, unchanged and in order;
// - with names of the kind the program writes (a key neither starting with
//   "[" nor holding "="), a read gives the written value as the read rules
//   make it, and every other entry reads as before.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "settings/ini_document.h"
#include "settings/ini_store.h"

namespace {

namespace fs = std::filesystem;
using canopex::fuzz::Escaped;
using namespace std::string_literals;

constexpr std::size_t kMaxOperations = 24;
constexpr std::size_t kMaxProbeSections = 6;
constexpr std::size_t kMaxProbeKeys = 10;

const std::vector<std::string> kNames = {
    "Setup", "setup", " Setup ", "TreeList", "Results", "S", "s", "T", "K", "k", " K ", "L",
    "InputFile", "CutListIndicator", "", "  ", "\t", "[S]", "[K", "S]", "a=b", "=", ";K", "\"K\"",
    "'S'", "K\r", "S\n", "\x1a", "K\x1a", "S\0"s, "A B", "\xEF\xBB\xBFS", "#"};

const std::vector<std::string> kValues = {
    "", "1", " 2 ", "'x'", "\"y\"", "'", "\"", "a=b", "[S]", "[T]", "x\ry", "x\ny", "\x1a",
    "' q '", std::string(5000, 'v'), "\0a"s, "COMPLETE CUT  LIST", "'COMPLETE CUT  LIST'", "-12",
    "4294967296", "K=1", " ", "\t'a'\t"};

constexpr std::string_view kAlphabet = "aAbBsSkK =[];\r\n\"'\0\t\x1a#";

std::string Generated(canopex::fuzz::ChoiceReader& input, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += kAlphabet[input.Byte() % kAlphabet.size()];
  return text;
}

std::string Name(canopex::fuzz::ChoiceReader& input) {
  const std::uint8_t choice = input.Byte();
  if (choice < 0x80) return kNames[choice % kNames.size()];
  return Generated(input, (choice >> 4) & 7);
}

std::string Value(canopex::fuzz::ChoiceReader& input) {
  const std::uint8_t choice = input.Byte();
  if (choice < 0x80) return kValues[choice % kValues.size()];
  return Generated(input, choice & 0x3F);
}

// The white space of the profile rules, the DOS end-of-file mark included.
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trimmed(a);
  b = Trimmed(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// The value as a read returns it: trimmed, one pair of matching quotes
// removed, at most kMaxSettingLength characters.
std::string AsRead(std::string_view value) {
  value = Trimmed(value);
  if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, canopex::kMaxSettingLength));
}

// The lines of a settings text, without their line ends: lines end at LF;
// after the last LF (in a text without LF, everywhere) they end at CR. CRs
// before an LF count as part of the line end (a line without one gains CR
// LF when a line is added after it). A UTF-8 byte order mark before the
// first line is no part of it.
std::vector<std::string> LinesOf(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == text.npos) end = text.find('\r', at);
    if (end == text.npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    while (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    at = end + 1;
  }
  return lines;
}

// The name of a section header line ("[name]", text after the last "]"
// ignored); nothing for other lines.
std::optional<std::string_view> SectionNameOf(std::string_view line) {
  const std::string_view content = Trimmed(line);
  const std::size_t close = content.rfind(']');
  if (content.empty() || content.front() != '[' || close == content.npos || close == 0) {
    return std::nullopt;
  }
  return Trimmed(content.substr(1, close - 1));
}

// The name of an entry line: what stands before its first "=".
std::string_view KeyNameOf(std::string_view line) {
  const std::string_view content = Trimmed(line);
  return Trimmed(content.substr(0, content.find('=')));
}

// True when line `index` lies in the first section named `section`.
bool InFirstSection(const std::vector<std::string>& lines, std::size_t index,
                    std::string_view section) {
  std::optional<std::size_t> header;
  for (std::size_t i = 0; i < index; ++i) {
    if (SectionNameOf(lines[i])) header = i;
  }
  if (!header || !SameName(*SectionNameOf(lines[*header]), section)) return false;
  for (std::size_t i = 0; i < *header; ++i) {
    const std::optional<std::string_view> name = SectionNameOf(lines[i]);
    if (name && SameName(*name, section)) return false;
  }
  return true;
}

// The (section, key) pairs whose reads must survive a write to another key:
// names found in the text, then some of the usual ones.
struct Probes {
  std::vector<std::string> sections{""};
  std::vector<std::string> keys;

  void AddSection(std::string_view name) { Add(sections, name, kMaxProbeSections); }
  void AddKey(std::string_view name) { Add(keys, name, kMaxProbeKeys); }

 private:
  static void Add(std::vector<std::string>& names, std::string_view name, std::size_t limit) {
    if (names.size() >= limit || Trimmed(name).empty()) return;
    for (const std::string& known : names) {
      if (SameName(known, name)) return;
    }
    names.emplace_back(name);
  }
};

Probes ProbesFor(std::string_view text) {
  Probes probes;
  for (const std::string& line : LinesOf(text)) {
    if (const std::optional<std::string_view> section = SectionNameOf(line)) {
      probes.AddSection(*section);
    } else {
      probes.AddKey(KeyNameOf(line));
    }
  }
  for (const char* name : {"Setup", "S", "T"}) probes.AddSection(name);
  for (const char* name : {"K", "L", "InputFile"}) probes.AddKey(name);
  return probes;
}

std::vector<std::optional<std::string>> ReadProbes(const Probes& probes, const std::string& text) {
  const canopex::IniDocument document(text);
  std::vector<std::optional<std::string>> values;
  for (const std::string& section : probes.sections) {
    for (const std::string& key : probes.keys) values.push_back(document.Find(section, key));
  }
  return values;
}

std::string Describe(const std::string& before, const std::string& after) {
  return "before: \"" + Escaped(before) + "\"\nafter:  \"" + Escaped(after) + "\"";
}

// Checks one accepted write of `key` in `section` that turned `before` into
// `after`, and carries the identities of the original lines along: `ids`
// holds, for each line of `before`, its index in the original text or -1
// for a line a write added; `targeted` receives original lines a write
// changed.
void CheckWrite(const std::string& before, const std::string& after, std::string_view section,
                std::string_view key, std::string_view value, bool usual_names,
                std::vector<int>& ids, std::set<int>& targeted) {
  if (after == before) return;  // the key had that value already
  const std::vector<std::string> old_lines = LinesOf(before);
  const std::vector<std::string> new_lines = LinesOf(after);
  std::size_t prefix = 0;
  while (prefix < old_lines.size() && prefix < new_lines.size() &&
         old_lines[prefix] == new_lines[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < old_lines.size() - prefix && suffix < new_lines.size() - prefix &&
         old_lines[old_lines.size() - 1 - suffix] == new_lines[new_lines.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t removed = old_lines.size() - prefix - suffix;
  const std::size_t added = new_lines.size() - prefix - suffix;

  if (removed == 1 && added == 1) {
    // The key's own line, changed where it stands.
    FUZZ_CHECK(SameName(KeyNameOf(old_lines[prefix]), key) &&
                   SameName(KeyNameOf(new_lines[prefix]), key),
               "another line than the key's changed\n" + Describe(before, after));
    FUZZ_CHECK(!usual_names || InFirstSection(new_lines, prefix, section),
               "a key changed outside the first section of its name\n" + Describe(before, after));
    if (ids[prefix] >= 0) targeted.insert(ids[prefix]);
  } else {
    FUZZ_CHECK(removed == 0, "lines were removed or changed\n" + Describe(before, after));
    // Added lines: the key's, after a header of its section at the end, and
    // blank lines.
    std::vector<std::string_view> entries;
    std::size_t entry_index = prefix;
    for (std::size_t i = prefix; i < prefix + added; ++i) {
      const std::string_view line = new_lines[i];
      if (line.empty()) continue;
      entries.push_back(line);
      entry_index = i;
    }
    const std::string entry = std::string(Trimmed(key)) + "=" + std::string(value);
    const std::string header = "[" + std::string(Trimmed(section)) + "]";
    const bool key_only = entries.size() == 1 && entries[0] == entry;
    const bool with_header =
        entries.size() == 2 && entries[0] == header && entries[1] == entry && suffix == 0;
    FUZZ_CHECK(key_only || with_header, "unexpected lines added\n" + Describe(before, after));
    if (key_only && usual_names) {
      FUZZ_CHECK(InFirstSection(new_lines, entry_index, section),
                 "a key added outside the first section of its name\n" + Describe(before, after));
    }
  }
  std::vector<int> new_ids(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(prefix));
  new_ids.insert(new_ids.end(), added, -1);
  new_ids.insert(new_ids.end(), ids.end() - static_cast<std::ptrdiff_t>(suffix), ids.end());
  ids = std::move(new_ids);
}

// Operations, each a byte (low two bits: 0 or 1 a write, 2 a text read, 3
// a number read), a section and a key name and, for a write, a value; see
// Name and Value.
void RunOperations(canopex::fuzz::ChoiceReader& input, const std::string& original,
                   canopex::IniFileStore& file_store, canopex::MemorySettingsStore& memory_store) {
  const Probes probes = ProbesFor(original);
  std::vector<int> ids;
  for (std::size_t i = 0; i < LinesOf(original).size(); ++i) ids.push_back(static_cast<int>(i));
  std::set<int> targeted;

  for (std::size_t count = 0; count < kMaxOperations && !input.AtEnd(); ++count) {
    const std::uint8_t operation = input.Byte() & 3;
    const std::string section = Name(input);
    const std::string key = Name(input);
    if (operation == 2) {
      const std::string fallback = "\x01none";
      const std::string from_file = file_store.ReadSettingString(section, key, fallback);
      FUZZ_CHECK(from_file == memory_store.ReadSettingString(section, key, fallback),
                 "the stores read differently");
      continue;
    }
    if (operation == 3) {
      FUZZ_CHECK(file_store.ReadSettingInt(section, key, -77) ==
                     memory_store.ReadSettingInt(section, key, -77),
                 "the stores read numbers differently");
      continue;
    }

    const std::string value = Value(input);
    const std::string before = memory_store.text();
    const std::vector<std::optional<std::string>> probes_before = ReadProbes(probes, before);
    const bool accepted = !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
                          !Trimmed(section).empty() && !Trimmed(key).empty();
    const bool to_file = file_store.WriteSettingString(section, key, value);
    const bool to_memory = memory_store.WriteSettingString(section, key, value);
    const std::string after = memory_store.text();
    const std::string description = "write [" + Escaped(section) + "] \"" + Escaped(key) +
                                    "\" = \"" + Escaped(value) + "\"\n" + Describe(before, after);
    FUZZ_CHECK(to_file == accepted && to_memory == accepted,
               "write results " + std::to_string(to_file) + "/" + std::to_string(to_memory) +
                   ", expected " + std::to_string(accepted) + "\n" + description);
    FUZZ_CHECK(canopex::fuzz::FileBytes(file_store.path()) == after,
               "the stores hold different texts\n" + description);
    if (!accepted) {
      FUZZ_CHECK(after == before, "a refused write changed the text\n" + description);
      continue;
    }

    const std::string_view trimmed_key = Trimmed(key);
    const bool usual_names =
        !trimmed_key.starts_with('[') && trimmed_key.find('=') == trimmed_key.npos;
    CheckWrite(before, after, section, key, value, usual_names, ids, targeted);
    if (!usual_names) continue;

    const std::string read = memory_store.ReadSettingString(section, key, "\x01none");
    FUZZ_CHECK(read == AsRead(value), "read back \"" + Escaped(read) + "\"\n" + description);
    const std::vector<std::optional<std::string>> probes_after = ReadProbes(probes, after);
    std::size_t index = 0;
    for (const std::string& probe_section : probes.sections) {
      for (const std::string& probe_key : probes.keys) {
        const bool target = SameName(probe_section, section) && SameName(probe_key, key);
        FUZZ_CHECK(target || probes_before[index] == probes_after[index],
                   "[" + Escaped(probe_section) + "] \"" + Escaped(probe_key) +
                       "\" read differently after\n" + description);
        ++index;
      }
    }
  }

  // Every original line no write targeted is still there, unchanged and in
  // order.
  const std::vector<std::string> original_lines = LinesOf(original);
  const std::vector<std::string> final_lines = LinesOf(memory_store.text());
  std::size_t at = 0;
  for (std::size_t i = 0; i < original_lines.size(); ++i) {
    if (targeted.count(static_cast<int>(i)) != 0) continue;
    while (at < final_lines.size() && final_lines[at] != original_lines[i]) ++at;
    FUZZ_CHECK(at < final_lines.size(),
               "original line " + std::to_string(i) + " \"" + Escaped(original_lines[i]) +
                   "\" is gone\n" + Describe(original, memory_store.text()));
    ++at;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  canopex::fuzz::ChoiceReader input(data, size);
  const std::size_t length = input.Byte() | static_cast<std::size_t>(input.Byte()) << 8;
  const std::string original(input.Bytes(length));

  const fs::path folder = canopex::fuzz::ProcessTempFolder::Path() / "settings";
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
  const fs::path path = folder / "canopex.ini";
  // An empty text leaves the file missing: the store must create it.
  if (!original.empty()) canopex::fuzz::WriteFileBytes(path, original);

  canopex::IniFileStore file_store(path.string());
  canopex::MemorySettingsStore memory_store(original);
  RunOperations(input, original, file_store, memory_store);

  // Whole-file replacement leaves nothing beside the file.
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    FUZZ_CHECK(entry.path() == path,
               "a file left beside the settings file: " + entry.path().string());
  }
  fs::remove_all(folder, error);
  return 0;
}
