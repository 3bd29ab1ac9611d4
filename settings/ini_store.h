// The portable settings store: the profile rules of IniDocument over a text
// kept in a file (IniFileStore) or in memory (MemorySettingsStore, for tests
// and tools that must not touch the disk).
#pragma once

#include <optional>
#include <string>

#include "settings/ini_document.h"
#include "settings/settings_store.h"

namespace canopex {

class IniStore : public SettingsStore {
 public:
  std::string ReadSettingString(const std::string& section, const std::string& key,
                                const std::string& fallback) override;
  std::int32_t ReadSettingInt(const std::string& section, const std::string& key,
                              std::int32_t fallback) override;
  bool WriteSettingString(const std::string& section, const std::string& key,
                          const std::string& value) override;

 protected:
  // The current text; nothing when it exists but cannot be read, in which
  // case reads give defaults and writes are refused (so that nothing the
  // store could not read is overwritten).
  virtual std::optional<IniDocument> Load() = 0;
  // Stores the whole new text; true on success.
  virtual bool Save(const std::string& text) = 0;
};

// The store over a settings file. A missing file reads as empty and is
// created by the first write; a write replaces the file as a whole without
// ever leaving it truncated (see ReplaceFileContents).
class IniFileStore final : public IniStore {
 public:
  explicit IniFileStore(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 protected:
  std::optional<IniDocument> Load() override;
  bool Save(const std::string& text) override;

 private:
  std::string path_;
};

// The store over a text in memory.
class MemorySettingsStore final : public IniStore {
 public:
  explicit MemorySettingsStore(std::string text = {}) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }

 protected:
  std::optional<IniDocument> Load() override { return IniDocument(text_); }
  bool Save(const std::string& text) override {
    text_ = text;
    return true;
  }

 private:
  std::string text_;
};

}  // namespace canopex
