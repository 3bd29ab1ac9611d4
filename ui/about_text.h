// The About box's text: the program's version information, then the
// computer's name and a line about the system.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace canopex {

// The fields of the program's version resource that the About box shows;
// each text stays empty when its field is missing.
struct VersionDetails {
  std::string description;
  std::string company;
  std::string copyright;
  std::string special_build;
  // The product version; 1.0.0.0 when it cannot be read.
  std::array<std::uint16_t, 4> product_version{1, 0, 0, 0};
};

// The ten lines of the About box, separated by single line feeds:
// description, blank, "Program version: a.b.c.d ", blank, company, blank,
// copyright followed directly by the special build note, blank, computer
// name, and `system_line` (the Windows folder, on Windows).
std::string AboutText(const VersionDetails& details, const std::string& computer_name,
                      const std::string& system_line);

}  // namespace canopex
