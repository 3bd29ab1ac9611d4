#include "settings/ini_store.h"

#include "util/file_system.h"

namespace canopex {
namespace {

// Lines the store adds follow the platform's convention, unless the file
// already has line ends of its own.
#ifdef _WIN32
constexpr std::string_view kNewLine = "\r\n";
#else
constexpr std::string_view kNewLine = "\n";
#endif

}  // namespace

std::string IniStore::ReadSettingString(const std::string& section, const std::string& key,
                                        const std::string& fallback) {
  const std::optional<IniDocument> document = Load();
  if (!document) return fallback;
  return document->Find(section, key).value_or(fallback);
}

std::int32_t IniStore::ReadSettingInt(const std::string& section, const std::string& key,
                                      std::int32_t fallback) {
  const std::optional<IniDocument> document = Load();
  if (!document) return fallback;
  return ProfileIntegerOf(document->Find(section, key), fallback);
}

bool IniStore::WriteSettingString(const std::string& section, const std::string& key,
                                  const std::string& value) {
  std::optional<IniDocument> document = Load();
  if (!document) return false;
  switch (document->Set(section, key, value)) {
    case IniDocument::SetOutcome::Refused:
      return false;
    case IniDocument::SetOutcome::Unchanged:
      return true;
    case IniDocument::SetOutcome::Changed:
      break;
  }
  return Save(document->text());
}

std::optional<IniDocument> IniFileStore::Load() {
  std::string text;
  if (ReadWholeFile(path_, text)) return IniDocument(std::move(text), kNewLine);
  if (PathExists(path_)) return std::nullopt;  // there, but not readable as a file
  return IniDocument({}, kNewLine);
}

bool IniFileStore::Save(const std::string& text) { return ReplaceFileContents(path_, text); }

}  // namespace canopex
