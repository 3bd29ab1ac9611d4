// The version resource of a file (an .exe or .dll), read with the Windows
// version functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/about_text.h"

namespace canopex {

// Owns a heap copy of one file's whole version resource, empty until Load
// succeeds. Lookups return false, leaving their outputs untouched, while no
// block is held. Lookups may write into the held block (the ANSI functions
// keep converted text there), so one object must not be used by two threads
// at once.
class FileVersionInfo {
 public:
  FileVersionInfo() = default;
  virtual ~FileVersionInfo() = default;
  FileVersionInfo(const FileVersionInfo&) = delete;
  FileVersionInfo& operator=(const FileVersionInfo&) = delete;
  FileVersionInfo(FileVersionInfo&&) noexcept = default;
  FileVersionInfo& operator=(FileVersionInfo&&) noexcept = default;

  // Reads the version resource of `file_name`, dropping any block held
  // before. False when the file is missing, has no version resource or
  // cannot be read; no block is held then.
  bool Load(const std::string& file_name);

  // The PRODUCT version (not the file version) from the fixed part of the
  // resource: first.second.third.fourth; `third` and `fourth` may be null.
  // False when no block is held or it has no usable fixed part.
  bool GetVersionNumbers(std::uint16_t& first, std::uint16_t& second,
                         std::uint16_t* third = nullptr, std::uint16_t* fourth = nullptr) const;

  // The text of the string `name` (e.g. "CompanyName") in the table of the
  // resource's first translation. False when there is no block, no
  // translation or no such string; `value` is then untouched.
  bool GetStringValue(const std::string& name, std::string& value) const;

  bool GetCompanyName(std::string& value) const { return GetStringValue("CompanyName", value); }
  bool GetFileDescription(std::string& value) const {
    return GetStringValue("FileDescription", value);
  }
  bool GetLegalCopyright(std::string& value) const {
    return GetStringValue("LegalCopyright", value);
  }
  bool GetSpecialBuild(std::string& value) const { return GetStringValue("SpecialBuild", value); }

 private:
  // Mutable because the lookups hand it to VerQueryValueA, which may store
  // converted text in its spare tail.
  mutable std::vector<unsigned char> block_;
};

// What the About box shows of `file_name`'s version resource: each text
// empty when missing, the product version 1.0.0.0 when it cannot be read.
VersionDetails ReadVersionDetails(const std::string& file_name);

}  // namespace canopex
