// The text of an INI settings file with the lookups and edits of the
// system's profile functions. It works on a string, so the rules are tested
// without touching the disk; IniFileStore adds the file.
//
// Reading follows the profile rules: lines end with LF, and after the last LF
// (so in a text without any LF, everywhere) at CR; white space (and the DOS
// end-of-file mark 0x1A) around lines, names and values is ignored; "[name]" opens a section (blanks
// inside the brackets and text after the last "]" are ignored); section and key names match without regard to
// ASCII letter case; lines before the first section belong to no section;
// only the first section of a name and the first key of a name in it count.
//
// Writing changes only what it must: the value of an existing key is
// replaced where it stands, a new key goes after the last line of its
// section, a new section goes at the end of the text. Every other byte stays.
// Added lines end as the text's first line does, but after the last LF with
// a CR, so that they do not join the lines there into one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace canopex {

// The most characters a text read returns (a 4096-byte buffer with its NUL).
inline constexpr std::size_t kMaxSettingLength = 4095;

class IniDocument {
 public:
  // `new_line` ends the lines this document adds when `text` has no line end
  // of its own to copy.
  explicit IniDocument(std::string text = {}, std::string_view new_line = "\n");

  // The value as a text read returns it: trimmed, one pair of matching
  // quotes (' or ") removed, cut to kMaxSettingLength. Nothing when the
  // section or key is missing or the key's line has no "=".
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  enum class SetOutcome { Refused, Unchanged, Changed };

  // Sets the value of `key` in `section`. Refused, with the text unchanged,
  // when any argument holds a CR or LF or a name is empty; Unchanged when
  // the key already had that value.
  SetOutcome Set(std::string_view section, std::string_view key, std::string_view value);

  const std::string& text() const { return text_; }

 private:
  struct Entry;
  Entry Locate(std::string_view section, std::string_view key) const;
  // The line end for lines added at `position`.
  std::string NewLineAt(std::size_t position) const;

  std::string text_;
  std::string new_line_;
};

// The integer of a profile value as the system's profile functions read it:
// a missing or empty value gives `fallback`; otherwise control characters and
// blanks are skipped, an optional sign is taken, then a base prefix ("0x",
// "0o", "0b") and the digits of that base (or decimal digits without one)
// within the first 29 characters, the rest ignored, the total taken modulo
// 2^32.
std::int32_t ProfileIntegerOf(const std::optional<std::string>& value, std::int32_t fallback);

}  // namespace canopex
