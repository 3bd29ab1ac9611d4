// canopex-make-report: writes a large, well-formed tree list report in the
// default column layout, for measuring speed and memory. The same seed
// always gives the same bytes, on every platform.
//
// The report is a run of stands, one cut list each, in the shape the forest
// program prints: CR LF lines, form-feed pages of at most 50 trees, a cut
// list continuing over pages under a repeated header, and a residual tree
// list of the same stand after it (another table, to be passed over). A few
// trees have no trees per acre and a few are below 1 inch. The first cut
// list holds exactly --largest trees; the others are smaller.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <CLI/CLI.hpp>

namespace {

constexpr int kTreesPerPage = 50;
constexpr char kTitle[] = "SYLVAX  4.2   GROWTH AND YIELD PROJECTION       TREE LIST REPORT   ";
constexpr const char* kHeadings[] = {
    "    TREE      SPECIES             TPA           DBH         HEIGHT    CROWN",
    "     ID                                        (IN)          (FT)    RATIO",
    "-------- ----- ------- ---------------- ------------ ------------- --------",
};
// Weighted towards the common species of a western conifer forest.
constexpr const char* kSpecies[] = {"DF", "DF", "DF", "DF", "WH", "WH", "WH", "RC",
                                    "RC", "GF", "PP", "LP", "WL", "ES", "RA", "BM"};

// splitmix64: tiny, fast and the same everywhere (the standard library's
// distributions are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number in [low, high].
  long Between(long low, long high) {
    return low + static_cast<long>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

class ReportWriter {
 public:
  ReportWriter(std::FILE* out, std::uint64_t seed) : out_(out), random_(seed) {}

  void Line(const char* text) { std::fprintf(out_, "%s\r\n", text); }

  void Page(const std::string& header) {
    std::fprintf(out_, "\f%sPAGE %4ld\r\nRUN 2026-12-06  GENERATED FOREST\r\n", kTitle, ++page_);
    Line(header.c_str());
    for (const char* heading : kHeadings) Line(heading);
  }

  // One tree line; diameters and heights in tenths, as the report prints.
  void Tree(long number) {
    const long dbh = random_.Between(5, 340);  // 0.5 to 34.0 inches
    const long height = 45 + dbh * random_.Between(32, 46) / 10;
    long tpa_thousandths = 30000 * random_.Between(3, 12) * 10 / (dbh < 20 ? 20 : dbh);
    if (random_.Between(0, 99) == 0) tpa_thousandths = 0;
    const char* species = kSpecies[random_.Between(0, 15)];
    // Columns 0, 14, 30, 48, 60 and 71, as the default layout reads them.
    std::fprintf(out_,
                 "%8ld      %-2s              %4ld.%03ld          %3ld.%ld       %3ld.%ld      %2ld\r\n",
                 number, species, tpa_thousandths / 1000, tpa_thousandths % 1000, dbh / 10,
                 dbh % 10, height / 10, height % 10, random_.Between(15, 80));
    ++trees_;
  }

  // A table of `count` trees under `header`, over as many pages as needed.
  void Table(const std::string& header, long count, long first_number) {
    for (long i = 0; i < count; ++i) {
      if (i % kTreesPerPage == 0) Page(header);
      Tree(first_number + i);
    }
  }

  long tree_lines() const { return trees_; }
  Random& random() { return random_; }

 private:
  std::FILE* out_;
  Random random_;
  long page_ = 0;
  long trees_ = 0;
};

std::string StandHeader(long stand, long year, const char* table) {
  char text[96];
  std::snprintf(text, sizeof text, "STAND: %04ld PLOT %ld YEAR: %ld %s", stand, stand % 9 + 1,
                year, table);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a large tree list report in the default layout.", "canopex-make-report"};
  long trees = 100000;
  long largest = 400;
  std::uint64_t seed = 1;
  std::string output;
  app.add_option("-n,--trees", trees, "Cut list tree lines to write (at least)")
      ->capture_default_str()->check(CLI::PositiveNumber);
  app.add_option("-l,--largest", largest, "Trees in the first, largest cut list")
      ->capture_default_str()->check(CLI::Range(1L, 10000000L));
  app.add_option("-s,--seed", seed, "Seed; the same seed gives the same report")
      ->capture_default_str();
  app.add_option("OUTPUT", output, "The report to write")->required();
  CLI11_PARSE(app, argc, argv);

  std::FILE* out = std::fopen(output.c_str(), "wb");
  if (out == nullptr) {
    std::perror(output.c_str());
    return 1;
  }
  ReportWriter report(out, seed);
  report.Page("STAND SUMMARY TABLE");
  long stand = 0;
  long cut_list_trees = 0;
  while (cut_list_trees < trees) {
    ++stand;
    const long year = 1995 + stand % 31;
    const long count =
        stand == 1 ? largest : report.random().Between(1, largest < 4 ? largest : largest / 2);
    report.Table(StandHeader(stand, year, "COMPLETE CUT  LIST"), count, 1);
    cut_list_trees += count;
    report.Table(StandHeader(stand, year, "RESIDUAL TREE LIST"), report.random().Between(1, 20),
                 1001);
  }
  report.Line("");
  report.Line("END OF REPORT");
  if (std::fclose(out) != 0) {
    std::perror(output.c_str());
    return 1;
  }
  std::printf("%ld cut lists, %ld cut list trees, %ld tree lines in all\n", stand, cut_list_trees,
              report.tree_lines());
  return 0;
}
