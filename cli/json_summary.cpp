#include "cli/json_summary.h"

#include <cstdio>

namespace canopex {
namespace {

// The length of the valid UTF-8 sequence at the start of `text`; 0 when
// there is none (a stray or overlong byte, a surrogate, a cut sequence).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

void AppendStringList(std::string& json, const char* name, const std::vector<std::string>& list) {
  json.append(",\"").append(name).append("\":[");
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) json += ',';
    json += JsonString(list[i]);
  }
  json += ']';
}

void AppendNumber(std::string& json, const char* name, long value) {
  char text[64];
  std::snprintf(text, sizeof text, ",\"%s\":%ld", name, value);
  json += text;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  while (!text.empty()) {
    const unsigned char c = static_cast<unsigned char>(text.front());
    std::size_t used = 1;
    if (c == '"' || c == '\\') {
      json.append(1, '\\').append(1, static_cast<char>(c));
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      json += escaped;
    } else if (c < 0x80) {
      json += static_cast<char>(c);
    } else if ((used = Utf8SequenceLength(text)) > 0) {
      json.append(text.substr(0, used));
    } else {
      used = 1;
      json += static_cast<char>(0xC0 | (c >> 6));
      json += static_cast<char>(0x80 | (c & 0x3F));
    }
    text.remove_prefix(used);
  }
  return json + '"';
}

std::string JsonSummary(const RunSummary& summary) {
  std::string json = "{\"report\":" + JsonString(summary.report);
  AppendNumber(json, "cut_lists", summary.counts.cut_lists);
  AppendNumber(json, "trees", summary.counts.trees);
  AppendNumber(json, "tpa_zero", summary.counts.tpa_zero);
  AppendNumber(json, "below_diameter", summary.counts.below_diameter);
  json += ",\"error\":" + JsonString(summary.counts.error);
  AppendStringList(json, "warnings", summary.warnings);
  AppendStringList(json, "stand_files", summary.stand_files);
  AppendNumber(json, "exit_status", summary.exit_status);
  return json + "}\n";
}

}  // namespace canopex
