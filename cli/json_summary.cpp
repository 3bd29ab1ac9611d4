#include "cli/json_summary.h"

#include <cstdio>

#include "util/utf8.h"

namespace canopex {
namespace {

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
