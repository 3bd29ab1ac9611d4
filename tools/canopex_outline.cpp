// canopex-outline: shows what Canopex finds in a tree list report, so a
// layout can be checked before converting: each cut list with its stand,
// year, stand file name, pages and tree lines, and with --fields the six
// fields that the column layout cuts from every tree line.
//
//   canopex-outline [--fields] REPORT [SETTINGS]
//
// The layout comes from the TreeList section of SETTINGS; without it the
// defaults apply. The settings file is only read.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/report_line.h"
#include "conversion/report_reader.h"
#include "conversion/tree_list_layout.h"
#include "settings/ini_store.h"

namespace {

using canopex::ContinuationOutcome;

// One line per tree line: the six fields the layout cuts, tab-separated and
// nothing else, so that the lines read as a table.
void PrintFields(const canopex::TreeFieldTexts& f) {
  const char* separator = "";
  for (std::string_view text : {f.tree_id, f.species, f.tpa, f.diameter, f.height, f.crown_ratio}) {
    std::printf("%s%.*s", separator, static_cast<int>(text.size()), text.data());
    separator = "\t";
  }
  std::printf("\n");
}

// Reads one cut list after its header; prints its summary line and any
// fields. A page that opens another cut list is left in `pending`.
void OutlineCutList(canopex::ReportReader& reader, const canopex::CutListHeader& header,
                    const canopex::TreeListLayout& layout, bool show_fields,
                    std::optional<std::string>& pending) {
  int pages = 1;
  int tree_lines = 0;
  std::string note;
  for (bool open = true; open;) {
    const std::string_view line = reader.ReadReportLine();
    if (line.empty()) {
      if (!reader.AtEnd()) note = "  (unexpected end of the cut list)";
      break;
    }
    if (line.front() != '\f') {
      ++tree_lines;
      if (show_fields) PrintFields(canopex::CutTreeFields(line, layout));
      continue;
    }
    auto result = reader.CheckContinuationPage(header.stand, header.year_number);
    switch (result.outcome) {
      case ContinuationOutcome::Continue:
        ++pages;
        break;
      case ContinuationOutcome::NewHeader:
        pending = std::move(result.handed_back_line);
        open = false;
        break;
      case ContinuationOutcome::EndOfCutList:
        open = false;
        break;
      case ContinuationOutcome::UnexpectedEnd:
        note = "  (unexpected end of the cut list)";
        open = false;
        break;
      case ContinuationOutcome::HeadingsMissing:
        note = "  (a continuing page lacks its heading lines)";
        open = false;
        break;
    }
  }
  std::printf("%s\tstand %s\tyear %s\t%d page%s\t%d tree line%s%s\n", header.file_name.c_str(),
              header.stand.c_str(), header.year.c_str(), pages, pages == 1 ? "" : "s",
              tree_lines, tree_lines == 1 ? "" : "s", note.c_str());
}

int Outline(const std::string& report_path, const canopex::TreeListLayout& layout,
            bool show_fields) {
  std::optional<canopex::ReportReader> reader = canopex::OpenReport(report_path);
  if (!reader) {
    std::fprintf(stderr, "canopex-outline: cannot open %s\n", report_path.c_str());
    return 1;
  }
  int cut_lists = 0;
  std::optional<std::string> pending;
  for (;;) {
    std::string line = pending ? std::move(*pending) : std::string(reader->ReadReportLine());
    pending.reset();
    if (line.empty()) break;
    if (!canopex::IsCutListHeader(line, layout.cut_list_indicator)) {
      if (reader->AtEnd()) break;
      continue;
    }
    ++cut_lists;
    const canopex::CutListHeader header = canopex::ParseCutListHeader(line);
    if (header.file_name.empty()) {
      std::printf("cut list %d: no stand or year in its header line; conversion stops here\n",
                  cut_lists);
      return 1;
    }
    if (!reader->SkipHeadingLines()) {
      std::printf("cut list %d (stand %s, year %s): heading lines missing; conversion stops here\n",
                  cut_lists, header.stand.c_str(), header.year.c_str());
      return 1;
    }
    OutlineCutList(*reader, header, layout, show_fields, pending);
    if (reader->AtEnd() && !pending) break;
  }
  if (reader->ReadFailed()) {
    std::fprintf(stderr, "canopex-outline: reading %s failed\n", report_path.c_str());
    return 1;
  }
  std::printf("%d cut list%s\n", cut_lists, cut_lists == 1 ? "" : "s");
  return cut_lists > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool show_fields = false;
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--fields") == 0) {
    show_fields = true;
    first = 2;
  }
  if (argc - first < 1 || argc - first > 2 || std::strncmp(argv[first], "-", 1) == 0) {
    std::fprintf(stderr, "usage: canopex-outline [--fields] REPORT [SETTINGS]\n");
    return 2;
  }
  canopex::TreeListLayout layout;
  if (argc - first == 2) {
    canopex::IniFileStore settings(argv[first + 1]);
    layout = canopex::ReadTreeListLayout(settings);
  }
  return Outline(argv[first], layout, show_fields);
}
