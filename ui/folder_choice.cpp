#include "ui/folder_choice.h"

namespace canopex {

std::optional<std::string> FolderOfChooserResult(std::string_view result,
                                                 LeadByteTest is_lead_byte) {
  std::optional<std::size_t> last_backslash;
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (result[i] == '\\') {
      last_backslash = i;
    } else if (is_lead_byte(static_cast<unsigned char>(result[i])) && i + 1 < result.size()) {
      ++i;
    }
  }
  if (!last_backslash || *last_backslash < 2) return std::nullopt;
  return std::string(result.substr(0, *last_backslash));
}

}  // namespace canopex
