#include "util/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "util/text.h"

namespace canopex {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every whole number of 15 digits, and every power of ten up to 10^15, is
// exact in a double.
constexpr std::size_t kMaxExactDigits = 15;
constexpr double kPowersOfTen[kMaxExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

std::size_t SkipWhiteSpace(std::string_view text, std::size_t at) {
  while (at < text.size() && IsWhiteSpace(text[at])) ++at;
  return at;
}

// Decides between infinity and zero when from_chars finds a checked number
// out of range: by the sign of the decimal exponent of its leading
// significant digit (out of range means near 1e308 or near 1e-324).
bool IsOverflow(std::string_view number) {
  const std::size_t exponent_at = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponent_at);
  const std::size_t first_significant = mantissa.find_first_not_of("0.");
  if (first_significant == std::string_view::npos) return false;
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  long long exponent = first_significant < point
                           ? static_cast<long long>(point - first_significant) - 1
                           : -static_cast<long long>(first_significant - point);
  if (exponent_at != std::string_view::npos) {
    // The written exponent, capped: beyond the cap the answer cannot change.
    std::string_view digits = number.substr(exponent_at + 1);
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
    long long written = 0;
    for (char c : digits) written = std::min(written * 10 + (c - '0'), 1000000000LL);
    exponent += negative ? -written : written;
  }
  return exponent > 0;
}

}  // namespace

double ReadDecimal(std::string_view text, std::size_t* used) {
  if (used != nullptr) *used = 0;
  std::size_t at = SkipWhiteSpace(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::size_t number_start = at;
  const std::size_t integer_end = SkipDigits(text, at);
  std::size_t end = integer_end;
  std::size_t digits = integer_end - number_start;
  std::size_t fraction_digits = 0;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = SkipDigits(text, end + 1);
    fraction_digits = fraction_end - (end + 1);
    digits += fraction_digits;
    end = fraction_end;
  }
  if (digits == 0) return 0.0;
  bool has_exponent = false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent_at = end + 1;
    if (exponent_at < text.size() && (text[exponent_at] == '+' || text[exponent_at] == '-')) {
      ++exponent_at;
    }
    const std::size_t exponent_end = SkipDigits(text, exponent_at);
    if (exponent_end > exponent_at) {  // "1e" is the number 1
      end = exponent_end;
      has_exponent = true;
    }
  }
  if (used != nullptr) *used = end;

  // A plain decimal of at most 15 digits, as reports print them, is its
  // digits as a whole number over a power of ten: both are exact doubles,
  // so the one division rounds exactly as from_chars would.
  if (!has_exponent && digits <= kMaxExactDigits) {
    std::int64_t whole = 0;
    for (std::size_t at = number_start; at < end; ++at) {
      if (text[at] != '.') whole = whole * 10 + (text[at] - '0');
    }
    const double value = static_cast<double>(whole) / kPowersOfTen[fraction_digits];
    return negative ? -value : value;
  }

  // The syntax is checked above; from_chars only converts (it is locale-free
  // and rounds correctly). It never sees a sign, "inf", "nan" or hex.
  const std::string_view number = text.substr(number_start, end - number_start);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = IsOverflow(number) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
    if (used != nullptr) *used = 0;
    return 0.0;  // cannot happen for the checked syntax; stay safe
  }
  return negative ? -value : value;
}

std::int32_t ReadInteger(std::string_view text) {
  std::size_t at = SkipWhiteSpace(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Accumulate towards the sign's limit, stopping once it is passed.
  const long long limit = negative ? -static_cast<long long>(std::numeric_limits<std::int32_t>::min())
                                   : std::numeric_limits<std::int32_t>::max();
  long long value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    if (value <= limit) value = value * 10 + (text[at] - '0');
  }
  if (value > limit) value = limit;
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace canopex
