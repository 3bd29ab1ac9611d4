#include "settings/ini_document.h"

#include "settings/settings_store.h"

namespace canopex {
namespace {

// The profile functions also take the DOS end-of-file mark for white space.
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' ||
         c == '\x1a';
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string_view TrimProfileSpace(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One line of the text: [begin, end) without its line end, next = the start
// of the following line.
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
  bool terminated;
};

// Lines end at LF; where no LF follows any more, at CR (as the profile
// functions split files with old Macintosh line ends).
Line LineAt(std::string_view text, std::size_t begin) {
  std::size_t end = text.find('\n', begin);
  if (end == std::string_view::npos) end = text.find('\r', begin);
  if (end == std::string_view::npos) return {begin, text.size(), text.size(), false};
  return {begin, end, end + 1, true};
}

std::string DetectNewLine(std::string_view text, std::string_view fallback) {
  const std::size_t lf = text.find('\n');
  if (lf != std::string_view::npos) return (lf > 0 && text[lf - 1] == '\r') ? "\r\n" : "\n";
  if (text.find('\r') != std::string_view::npos) return "\r";
  return std::string(fallback);
}

}  // namespace

struct IniDocument::Entry {
  bool section_found = false;
  std::size_t section_end = 0;  // just past the section's last non-blank line
  bool section_end_terminated = true;
  bool key_found = false;
  bool has_equals = false;
  std::size_t value_begin = 0;  // the trimmed value (or, without "=", the
  std::size_t value_end = 0;    // end of the key's name)
};

IniDocument::IniDocument(std::string text, std::string_view new_line)
    : text_(std::move(text)), new_line_(DetectNewLine(text_, new_line)) {}

IniDocument::Entry IniDocument::Locate(std::string_view section, std::string_view key) const {
  section = TrimProfileSpace(section);
  key = TrimProfileSpace(key);
  const std::string_view text = text_;

  Entry entry;
  // Lines before the first section header belong to the section without name.
  bool in_section = section.empty();
  entry.section_found = in_section;
  std::size_t at = text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark
                       ? kUtf8ByteOrderMark.size()
                       : 0;
  while (at < text.size()) {
    const Line line = LineAt(text, at);
    at = line.next;
    const std::string_view raw = text.substr(line.begin, line.end - line.begin);
    const std::string_view content = TrimProfileSpace(raw);
    if (content.empty()) continue;
    const std::size_t content_begin = static_cast<std::size_t>(content.data() - text.data());

    const std::size_t close = content.rfind(']');
    if (content.front() == '[' && close != std::string_view::npos && close > 0) {
      if (in_section) break;  // only the first section of the name counts
      in_section = !entry.section_found &&
                   EqualsIgnoringCase(TrimProfileSpace(content.substr(1, close - 1)), section);
      if (in_section) {
        entry.section_found = true;
        entry.section_end = line.next;
        entry.section_end_terminated = line.terminated;
      }
      continue;
    }
    if (!in_section) continue;
    entry.section_end = line.next;
    entry.section_end_terminated = line.terminated;

    const std::size_t equals = content.find('=');
    const std::string_view name = TrimProfileSpace(content.substr(0, equals));
    if (!EqualsIgnoringCase(name, key)) continue;
    entry.key_found = true;
    entry.has_equals = equals != std::string_view::npos;
    entry.value_end = content_begin + content.size();
    entry.value_begin = entry.value_end;
    if (entry.has_equals) {
      entry.value_begin = content_begin + equals + 1;
      while (entry.value_begin < entry.value_end && IsProfileSpace(text[entry.value_begin])) {
        ++entry.value_begin;
      }
    }
    break;
  }
  return entry;
}

std::optional<std::string> IniDocument::Find(std::string_view section,
                                             std::string_view key) const {
  const Entry entry = Locate(section, key);
  if (!entry.key_found || !entry.has_equals) return std::nullopt;
  std::string_view value =
      std::string_view(text_).substr(entry.value_begin, entry.value_end - entry.value_begin);
  if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kMaxSettingLength));
}

IniDocument::SetOutcome IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsSingleLine(section) || !IsSingleLine(key) || !IsSingleLine(value)) {
    return SetOutcome::Refused;
  }
  section = TrimProfileSpace(section);
  key = TrimProfileSpace(key);
  if (section.empty() || key.empty()) return SetOutcome::Refused;  // entries live in named sections
  const Entry entry = Locate(section, key);

  if (entry.key_found) {
    const std::size_t length = entry.value_end - entry.value_begin;
    if (!entry.has_equals) {
      text_.insert(entry.value_end, std::string("=").append(value));
    } else if (std::string_view(text_).substr(entry.value_begin, length) != value) {
      text_.replace(entry.value_begin, length, value);
    } else {
      return SetOutcome::Unchanged;
    }
    return SetOutcome::Changed;
  }

  const std::size_t at = entry.section_found ? entry.section_end : text_.size();
  const std::string new_line = NewLineAt(at);
  std::string entry_line(key);
  entry_line.append("=").append(value).append(new_line);
  if (entry.section_found) {
    if (!entry.section_end_terminated) entry_line.insert(0, new_line);
    text_.insert(at, entry_line);
    return SetOutcome::Changed;
  }
  if (!text_.empty()) {
    if (text_.back() != '\n' && text_.back() != '\r') text_ += new_line;
    text_ += new_line;  // a blank line between sections
  }
  text_.append("[").append(section).append("]").append(new_line).append(entry_line);
  return SetOutcome::Changed;
}

std::string IniDocument::NewLineAt(std::size_t position) const {
  // After the last LF lines end at CR: an LF added there would join the
  // lines before it into one.
  if (text_.find('\n', position) == std::string::npos) {
    const std::size_t last_lf = text_.rfind('\n');
    const std::size_t tail = last_lf == std::string::npos ? 0 : last_lf + 1;
    const std::size_t cr = text_.find('\r', tail);
    if (cr != std::string::npos && cr < position) return "\r";
  }
  return new_line_;
}

namespace {

// The value of a digit in bases up to 36; 36 or more for any other byte.
std::uint32_t DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a') + 10u;
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A') + 10u;
  return 36;
}

}  // namespace

std::int32_t ProfileIntegerOf(const std::optional<std::string>& value, std::int32_t fallback) {
  if (!value || value->empty()) return fallback;
  // The profile functions read the number through a 30-character buffer.
  const std::string_view text = std::string_view(*value).substr(0, 29);
  std::size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // After the sign, "0x", "0o" and "0b" (lower case only) choose base 16, 8
  // or 2; everything else is decimal, a leading 0 included.
  std::uint32_t base = 10;
  if (at + 1 < text.size() && text[at] == '0') {
    switch (text[at + 1]) {
      case 'x': base = 16; break;
      case 'o': base = 8; break;
      case 'b': base = 2; break;
      default: break;
    }
    if (base != 10) at += 2;
  }
  std::uint32_t total = 0;
  for (; at < text.size(); ++at) {
    const std::uint32_t digit = DigitValue(text[at]);
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

}  // namespace canopex
