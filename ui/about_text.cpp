#include "ui/about_text.h"

#include <cstdio>

namespace canopex {

std::string AboutText(const VersionDetails& details, const std::string& computer_name,
                      const std::string& system_line) {
  const auto& v = details.product_version;
  char version_line[64];
  std::snprintf(version_line, sizeof version_line, "Program version: %u.%u.%u.%u ",
                static_cast<unsigned>(v[0]), static_cast<unsigned>(v[1]),
                static_cast<unsigned>(v[2]), static_cast<unsigned>(v[3]));
  return details.description + "\n\n" + version_line + "\n\n" + details.company + "\n\n" +
         details.copyright + details.special_build + "\n\n" + computer_name + "\n" +
         system_line;
}

}  // namespace canopex
