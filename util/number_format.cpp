#include "util/number_format.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace canopex {
namespace {

// Pads `digits` (which may begin with a minus sign) to `width`.
void AppendPadded(std::string& out, std::string_view digits, int width, bool zero_pad) {
  const std::size_t wanted = width > 0 ? static_cast<std::size_t>(width) : 0;
  const std::size_t padding = digits.size() < wanted ? wanted - digits.size() : 0;
  if (!zero_pad) {
    out.append(padding, ' ');
    out.append(digits);
    return;
  }
  if (!digits.empty() && digits.front() == '-') {
    out += '-';
    digits.remove_prefix(1);
  }
  out.append(padding, '0');
  out.append(digits);
}

}  // namespace

void AppendFixed(std::string& out, double value, int width, int precision, bool zero_pad) {
  if (std::isnan(value)) {
    AppendPadded(out, "nan", width, false);
    return;
  }
  if (std::isinf(value)) {
    AppendPadded(out, value < 0 ? "-inf" : "inf", width, false);
    return;
  }
  // The largest double has 309 integer digits; with sign, point and the
  // decimals this formats need, 400 characters always suffice.
  char buffer[400];
  const int decimals = precision < 0 ? 0 : (precision > 60 ? 60 : precision);
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  AppendPadded(out, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
               width, zero_pad);
}

void AppendInteger(std::string& out, long long value, int width, bool zero_pad) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  AppendPadded(out, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
               width, zero_pad);
}

std::string Counted(long long count, const char* singular, const char* plural) {
  std::string text;
  AppendInteger(text, count);
  return text.append(" ").append(count == 1 ? singular : plural);
}

}  // namespace canopex
