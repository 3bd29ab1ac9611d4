// canopex-make-report: writes a large, well-formed tree list report in the
// default column layout, for measuring speed and memory. The same seed
// always gives the same bytes, on every platform.
//
// The report is a run of stands in the shape the forest program prints: CR
// LF lines, form-feed pages of at most 50 trees. Each stand is cut every 5 or
// 10 years, two to six times; each cut is a cut list of its own (stand and
// year) continuing over pages under a repeated header, followed by the
// residual tree list of the same stand and year (another tree table, to be
// passed over). After its cuts a stand gets a summary page of text lines,
// which is no tree table at all.
//
// Each stand has its own mix of three to six species and its own diameter
// distribution: roughly normal around the stand's mean between 2 and 30
// inches, with a share of small trees under 5 inches and a few under 1 inch.
// Heights follow the diameter with noise, trees per acre fall with the
// diameter, and about 1% of the trees have none. The first cut list holds
// exactly --largest trees; the others between 1 and --largest.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "util/stdio_file.h"

namespace {

constexpr int kTreesPerPage = 50;
constexpr char kTitle[] = "SYLVAX  4.2   GROWTH AND YIELD PROJECTION       TREE LIST REPORT   ";
constexpr const char* kTreeHeadings[] = {
    "    TREE      SPECIES             TPA           DBH         HEIGHT    CROWN",
    "     ID                                        (IN)          (FT)    RATIO",
    "-------- ----- ------- ---------------- ------------ ------------- --------",
};
constexpr const char* kSummaryHeadings[] = {
    "  YEAR  LIST          TREES        TPA     BA/AC  MEAN DBH",
    "                                         (SQ FT)      (IN)",
    "------  --------  ---------  ---------  --------  --------",
};

// The species of a western conifer forest, weighted towards the common ones.
struct Species {
  const char* code;
  long weight;
};
constexpr Species kSpecies[] = {{"DF", 8}, {"WH", 6}, {"RC", 4}, {"GF", 2}, {"PP", 2},
                                {"LP", 2}, {"WL", 1}, {"ES", 1}, {"RA", 2}, {"BM", 1}};

// splitmix64: tiny, fast and the same everywhere (the standard library's
// distributions are not). Only integer arithmetic follows from it, so that
// no platform's floating point or libm can change a byte.
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
  // Roughly standard normal, in thousandths: the sum of twelve uniform
  // numbers has variance 1 (in units of the uniform range).
  long NormalThousandths() {
    long sum = 0;
    for (int i = 0; i < 12; ++i) sum += Between(0, 999);
    return sum - 5994;  // 12 times the mean 499.5
  }

 private:
  std::uint64_t state_;
};

// What makes one stand differ from the next. Diameters, heights and trees
// per acre in tenths (thousandths for trees per acre), as the report prints.
struct StandProfile {
  std::vector<Species> mix;    // 3 to 6 species with the stand's own weights
  long mix_weight = 0;         // sum of the weights
  long mean_diameter = 0;      // tenths of an inch
  long diameter_spread = 0;    // standard deviation, tenths of an inch
  long small_share = 0;        // per mille of trees under 5 inches
  long site_height = 0;        // asymptotic height, tenths of a foot
  long density = 0;            // thousandths of trees per acre at 1 inch, before noise
  long cut_interval = 0;       // years between cuts
};

StandProfile MakeProfile(Random& random) {
  StandProfile profile;
  // Species drawn without replacement by their forest-wide weight; the first
  // drawn tends to lead the stand.
  std::vector<Species> pool(std::begin(kSpecies), std::end(kSpecies));
  const long count = random.Between(3, 6);
  for (long i = 0; i < count; ++i) {
    long total = 0;
    for (const Species& species : pool) total += species.weight;
    long pick = random.Between(0, total - 1);
    auto chosen = pool.begin();
    while (pick >= chosen->weight) pick -= (chosen++)->weight;
    const long weight = (count - i) * 4 + random.Between(0, 6);
    profile.mix.push_back({chosen->code, weight});
    profile.mix_weight += weight;
    pool.erase(chosen);
  }
  profile.mean_diameter = random.Between(80, 180);
  profile.diameter_spread = random.Between(25, 60);
  profile.small_share = random.Between(100, 300);
  profile.site_height = random.Between(1100, 1700);
  profile.density = random.Between(400000, 900000);
  profile.cut_interval = random.Between(0, 1) == 0 ? 5 : 10;
  return profile;
}

// One tree's values, in the report's units times 10 (1000 for TPA).
struct Tree {
  const char* species;
  long tpa_thousandths;
  long diameter;
  long height;
  long crown_ratio;
};

// A tree of `stand` in a table of `table_trees` trees.
Tree MakeTree(const StandProfile& stand, long table_trees, Random& random) {
  Tree tree{};
  long pick = random.Between(0, stand.mix_weight - 1);
  auto species = stand.mix.begin();
  while (pick >= species->weight) pick -= (species++)->weight;
  tree.species = species->code;

  const long draw = random.Between(0, 999);
  if (draw < 5) {
    tree.diameter = random.Between(1, 9);  // seedlings under 1 inch
  } else if (draw < 5 + stand.small_share) {
    tree.diameter = random.Between(10, 49);
  } else {
    // Redrawn until within 2 to 30 inches, so that the tails do not pile up
    // at the limits.
    tree.diameter = 0;
    for (int attempt = 0; attempt < 16 && (tree.diameter < 20 || tree.diameter > 300); ++attempt) {
      tree.diameter =
          stand.mean_diameter + stand.diameter_spread * random.NormalThousandths() / 1000;
    }
    tree.diameter = std::clamp(tree.diameter, 20L, 300L);
  }

  // Breast height plus a curve that flattens towards the site's height.
  tree.height = 45 + stand.site_height * tree.diameter / (tree.diameter + 150) *
                         random.Between(88, 112) / 100;
  // Inversely with the basal area, as a tally by prism gives; the smallest
  // trees as if they were 3 inches, as on a fixed plot. A table of many
  // trees stands for the same acre, so each of its trees counts for less
  // (down to a tenth, so that none rounds to no trees at all).
  const long floor_diameter = std::max(tree.diameter, 30L);
  tree.tpa_thousandths = stand.density * 100 / (floor_diameter * floor_diameter) * 30 /
                         std::clamp(table_trees, 30L, 300L) * random.Between(85, 115) / 100;
  if (random.Between(0, 99) == 0) tree.tpa_thousandths = 0;
  tree.crown_ratio = std::min(95L, random.Between(15, 60) + tree.diameter / 15);
  return tree;
}

// What the stand summary prints of one table. 64 bits, as a long has 32 on
// Windows.
struct TableTotals {
  long long trees = 0;
  long long tpa_thousandths = 0;
  long long basal_area = 0;  // hundred-thousandths of a square foot per acre
  long long diameter_sum = 0;
  void Add(const Tree& tree) {
    ++trees;
    tpa_thousandths += tree.tpa_thousandths;
    // 0.005454 sq ft per square inch: TPA/1000 * 0.005454 * (dbh/10)^2, kept
    // in integers so that every platform prints the same.
    const long long diameter = tree.diameter;
    basal_area += tree.tpa_thousandths * diameter * diameter * 5454 / 1000000;
    diameter_sum += tree.diameter;
  }
};

struct CutTotals {
  long year = 0;
  TableTotals cut;
  TableTotals residual;
};

class ReportWriter {
 public:
  ReportWriter(std::FILE* out, std::uint64_t seed) : out_(out), random_(seed) {}

  void Line(const char* text) { std::fprintf(out_, "%s\r\n", text); }

  void Page(const std::string& header, std::span<const char* const> headings) {
    std::fprintf(out_, "\f%sPAGE %4ld\r\nRUN 2026-12-06  GENERATED FOREST\r\n", kTitle, ++page_);
    Line(header.c_str());
    for (const char* heading : headings) Line(heading);
  }

  // One tree line; diameters and heights in tenths, as the report prints.
  void TreeLine(long number, const Tree& tree) {
    // Columns 0, 14, 30, 48, 60 and 71, as the default layout reads them.
    std::fprintf(out_,
                 "%8ld      %-2s              %4ld.%03ld          %3ld.%ld       %3ld.%ld      %2ld\r\n",
                 number, tree.species, tree.tpa_thousandths / 1000, tree.tpa_thousandths % 1000,
                 tree.diameter / 10, tree.diameter % 10, tree.height / 10, tree.height % 10,
                 tree.crown_ratio);
    ++tree_lines_;
  }

  // A table of `count` trees of `stand` under `header`, over as many pages
  // as needed.
  TableTotals TreeTable(const std::string& header, const StandProfile& stand, long count,
                        long first_number) {
    TableTotals totals;
    for (long i = 0; i < count; ++i) {
      if (i % kTreesPerPage == 0) Page(header, kTreeHeadings);
      const Tree tree = MakeTree(stand, count, random_);
      TreeLine(first_number + i, tree);
      totals.Add(tree);
    }
    return totals;
  }

  void SummaryLine(long year, const char* list, const TableTotals& totals) {
    const long long mean_diameter = totals.trees == 0 ? 0 : totals.diameter_sum / totals.trees;
    const long long basal_area = totals.basal_area / 1000;  // hundredths
    std::fprintf(out_, "  %4ld  %-8s  %9lld  %5lld.%03lld  %5lld.%02lld  %6lld.%lld\r\n", year, list,
                 totals.trees, totals.tpa_thousandths / 1000, totals.tpa_thousandths % 1000,
                 basal_area / 100, basal_area % 100, mean_diameter / 10, mean_diameter % 10);
  }

  // The stand's summary page: text lines, no tree table.
  void StandSummary(const std::string& header, const StandProfile& stand,
                    const std::vector<CutTotals>& cuts) {
    Page(header, kSummaryHeadings);
    for (const CutTotals& cut : cuts) {
      SummaryLine(cut.year, "CUT", cut.cut);
      SummaryLine(cut.year, "RESIDUAL", cut.residual);
    }
    Line("");
    std::string mix = "SPECIES MIX:";
    for (const Species& species : stand.mix) {
      char share[16];
      std::snprintf(share, sizeof share, "  %s %ld%%", species.code,
                    species.weight * 100 / stand.mix_weight);
      mix += share;
    }
    Line(mix.c_str());
    std::fprintf(out_, "CUT EVERY %ld YEARS, SITE HEIGHT %ld FT\r\n", stand.cut_interval,
                 stand.site_height / 10);
  }

  long tree_lines() const { return tree_lines_; }
  Random& random() { return random_; }

 private:
  std::FILE* out_;
  Random random_;
  long page_ = 0;
  long tree_lines_ = 0;
};

std::string StandHeader(long stand, long year, const char* table) {
  char text[96];
  std::snprintf(text, sizeof text, "STAND: %04ld PLOT %ld YEAR: %ld %s", stand, stand % 9 + 1,
                year, table);
  return text;
}

std::string SummaryHeader(long stand) {
  char text[64];
  std::snprintf(text, sizeof text, "STAND: %04ld PLOT %ld STAND SUMMARY", stand, stand % 9 + 1);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a large tree list report in the default layout.", "canopex-make-report"};
  long trees = 100000;
  long largest = 300;
  std::uint64_t seed = 1;
  std::string output;
  app.add_option("-n,--trees", trees, "Cut list tree lines to write (at least)")
      ->capture_default_str()->check(CLI::PositiveNumber);
  app.add_option("-l,--largest", largest,
                 "Trees in the first, largest cut list; the others have 1 to this many")
      ->capture_default_str()->check(CLI::Range(1L, 10000000L));
  app.add_option("-s,--seed", seed, "Seed; the same seed gives the same report")
      ->capture_default_str();
  app.add_option("OUTPUT", output, "The report to write")->required();
  CLI11_PARSE(app, argc, argv);

  canopex::StdioFile out(std::fopen(output.c_str(), "wb"));
  if (!out.is_open()) {
    std::perror(output.c_str());
    return 1;
  }
  ReportWriter report(out.get(), seed);
  Random& random = report.random();
  report.Page("PROJECTION SETUP", {});
  std::fprintf(out.get(), "CUT LIST TREES %ld, LARGEST CUT LIST %ld, SEED %llu\r\n", trees,
               largest, static_cast<unsigned long long>(seed));

  long stand = 0;
  long cut_lists = 0;
  long cut_list_trees = 0;
  while (cut_list_trees < trees) {
    ++stand;
    const StandProfile profile = MakeProfile(random);
    const long cuts = random.Between(2, 6);
    long year = 1995 + random.Between(0, 9);
    std::vector<CutTotals> totals;
    for (long cut = 0; cut < cuts && cut_list_trees < trees; ++cut, year += profile.cut_interval) {
      const long count = cut_lists == 0 ? largest : random.Between(1, largest);
      CutTotals& totals_of_year = totals.emplace_back();
      totals_of_year.year = year;
      totals_of_year.cut =
          report.TreeTable(StandHeader(stand, year, "COMPLETE CUT  LIST"), profile, count, 1);
      // The trees left standing: a few, or more after a large cut.
      const long residual = random.Between(1, std::max(20L, count / 8));
      totals_of_year.residual = report.TreeTable(StandHeader(stand, year, "RESIDUAL TREE LIST"),
                                                 profile, residual, count + 1);
      ++cut_lists;
      cut_list_trees += count;
    }
    report.StandSummary(SummaryHeader(stand), profile, totals);
  }
  report.Line("");
  report.Line("END OF REPORT");
  const bool written = !std::ferror(out.get());
  if (!out.Close() || !written) {
    std::perror(output.c_str());
    return 1;
  }
  std::printf("%ld cut lists, %ld cut list trees, %ld tree lines in all\n", cut_lists,
              cut_list_trees, report.tree_lines());
  return 0;
}
