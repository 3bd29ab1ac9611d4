#!/bin/sh
# Measures canopex-convert against what no conversion can beat: reading the
# report (canopex-read-floor) and writing its rows with one open, append and
# close each (canopex-write-floor). Prints the machine and one Markdown table
# to standard output; progress goes to standard error.
#
# Usage: bench/run.sh [--runs N] [--sizes "100000 1000000"]
#   --runs N      timed runs of every program per size (default 5), after one
#                 warm-up round
#   --sizes LIST  cut list trees of the seeded reports (default "100000 1000000")
#
# Works in build/release/bench-work (reports are kept and reused); needs
# cmake, g++ and GNU time (/usr/bin/time, Debian package "time").
set -eu

# Numbers printed by awk and sort must not follow the user's locale.
LC_ALL=C
export LC_ALL

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
work=$build/bench-work
seed=7
runs=5
sizes="100000 1000000"
# The size on which the targets are judged.
target_size=1000000

usage() {
  echo "Usage: bench/run.sh [--runs N] [--sizes \"100000 1000000\"]" >&2
  exit 2
}

say() { echo "$*" >&2; }
fail() { say "run.sh: $*"; exit 1; }

parse_arguments() {
  while [ $# -gt 0 ]; do
    case $1 in
      --runs) [ $# -ge 2 ] || usage; runs=$2; shift 2 ;;
      --sizes) [ $# -ge 2 ] || usage; sizes=$2; shift 2 ;;
      -h|--help) usage ;;
      *) usage ;;
    esac
  done
  case $runs in ''|*[!0-9]*|0) usage ;; esac
  for size in $sizes; do
    case $size in ''|*[!0-9]*|0) usage ;; esac
  done
  [ -n "$sizes" ] || usage
  [ -x /usr/bin/time ] || fail "GNU time is missing (apt-get install time)"
}

# Step 1: the release build of the four programs, quietly (the log is shown
# when it fails).
build_programs() {
  say "Building the release preset..."
  mkdir -p "$work"
  log=$work/build.log
  { cmake --preset release && cmake --build --preset release --target canopex-convert \
      canopex-make-report canopex-read-floor canopex-write-floor; } >"$log" 2>&1 ||
    { cat "$log" >&2; fail "the build failed"; }
  convert=$build/cli/canopex-convert
  make_report=$build/bench/canopex-make-report
  read_floor=$build/bench/canopex-read-floor
  write_floor=$build/bench/canopex-write-floor
}

# Step 2: the seeded report of a size, made once; remade when the generator
# is newer than it.
make_report_of() {
  size=$1
  report=$work/report-$size.trl
  made=$work/report-$size.made
  if [ -f "$report" ] && [ -f "$made" ] && [ -z "$(find "$make_report" -newer "$report")" ]; then
    say "Reusing $report"
    return
  fi
  say "Making $report..."
  "$make_report" --trees "$size" --seed "$seed" "$report" >"$made" ||
    { rm -f "$report" "$made"; fail "canopex-make-report failed"; }
}

# A new, empty folder for one run's output, made outside its timed part.
# Nothing is deleted until the benchmark ends: ext4 without a journal skips
# recently deleted inodes when it makes a file, which would slow the next
# runs' file creation by up to half.
fresh_folder() {
  [ ! -e "$1" ] || fail "$1 is left from an earlier run"
  mkdir -p "$1"
}

# The stand files of every run, deleted once the measuring is done.
delete_outputs() {
  rm -rf "$work"/size-*
}

# Runs one program under GNU time and records, for size $1, program $2, round
# $3: the wall-clock nanoseconds and the peak resident KB. Every program runs
# under the same wrapper, so they share its cost. Its standard output is kept
# in $out_log; a non-zero exit ends the benchmark.
timed() {
  t_size=$1 t_program=$2 t_round=$3
  shift 3
  out_log=$size_work/$t_program.out
  # The previous runs' files reach the disk first, so that their writing back
  # does not fall into this run.
  sync
  start=$(date +%s%N)
  if ! /usr/bin/time -f %M -o "$size_work/peak" "$@" >"$out_log" 2>"$size_work/$t_program.err"; then
    cat "$size_work/$t_program.err" >&2
    fail "$t_program exited with an error on size $t_size (round $t_round)"
  fi
  end=$(date +%s%N)
  if [ "$t_round" -gt 0 ]; then
    printf '%s\t%s\t%s\t%s\t%s\n' "$t_size" "$t_program" "$t_round" "$((end - start))" \
      "$(tail -n 1 "$size_work/peak")" >>"$results"
  fi
}

# The load phase the write floor just reported, in ms, for the rows of $1
# (timed rounds only).
keep_load_time() {
  [ "$round" -gt 0 ] || return 0
  sed -n 's/^Load: .* in \([0-9.]*\) ms$/\1/p' "$out_log" >>"$size_work/load-$1"
}

# The lines of every file in a folder, less one header line per file.
rows_of() {
  files=$(find "$1" -type f | wc -l)
  lines=$(find "$1" -type f -exec cat {} + | wc -l)
  echo $((lines - files))
}

same_folders() {
  diff -r -q "$1" "$2" >/dev/null || fail "$2 differs from $1"
}

# Step 3: one round of every program on size $1; round 0 is the warm-up, which
# also writes the stand files the write floors copy.
run_round() {
  size=$1 round=$2
  report=$work/report-$size.trl
  settings=$size_work/settings.ini
  if [ "$round" -eq 0 ]; then
    tree_out=$size_work/source-tree compressed_out=$size_work/source-compressed
  else
    tree_out=$size_work/out-tree-$round compressed_out=$size_work/out-compressed-$round
  fi
  floor_tree=$size_work/floor-tree-$round floor_compressed=$size_work/floor-compressed-$round
  say "  size $size, round $round"

  timed "$size" read "$round" "$read_floor" "$report"

  fresh_folder "$tree_out"
  timed "$size" tree "$round" "$convert" "$report" -d "$tree_out" --no-compress -s "$settings"
  tree_counts=$out_log

  fresh_folder "$compressed_out"
  timed "$size" compressed "$round" "$convert" "$report" -d "$compressed_out" -s "$settings"

  fresh_folder "$floor_tree"
  timed "$size" floor_tree "$round" "$write_floor" "$size_work/source-tree" "$floor_tree"
  keep_load_time tree

  fresh_folder "$floor_compressed"
  timed "$size" floor_compressed "$round" "$write_floor" "$size_work/source-compressed" \
    "$floor_compressed"
  keep_load_time compressed

  # Outside the timing: every run wrote the same bytes, and the write floor
  # wrote exactly what the converter did.
  same_folders "$size_work/source-tree" "$tree_out"
  same_folders "$size_work/source-compressed" "$compressed_out"
  same_folders "$size_work/source-tree" "$floor_tree"
  same_folders "$size_work/source-compressed" "$floor_compressed"
  if [ "$round" -eq 0 ]; then
    # Tree mode must have kept every cut list in rows of single trees, or the
    # comparison with the write floor would be of something else.
    kept=$(sed -n 's/^Trees count: //p' "$tree_counts")
    [ "$(rows_of "$tree_out")" = "$kept" ] ||
      fail "size $size: tree mode compressed some cut lists (rows differ from $kept trees)"
  fi
}

# Step 4: the warm-up and the interleaved timed rounds of one size.
measure_size() {
  size=$1
  size_work=$work/size-$size
  mkdir -p "$size_work"
  make_report_of "$size"
  round=0
  while [ "$round" -le "$runs" ]; do
    run_round "$size" "$round"
    round=$((round + 1))
  done
}

# The median of the numbers on standard input, one per line.
median_of_lines() {
  sort -n | awk '{ value[NR] = $1 } END {
    if (NR % 2) print value[(NR + 1) / 2]; else print (value[NR / 2] + value[NR / 2 + 1]) / 2 }'
}

# The median of field $3 (4: nanoseconds, 5: KB) of program $2 on size $1.
median() {
  awk -F '\t' -v size="$1" -v program="$2" -v field="$3" \
    '$1 == size && $2 == program { print $field }' "$results" | median_of_lines
}

median_of_file() { median_of_lines <"$1"; }

# awk arithmetic, formatted: calc FORMAT EXPRESSION
calc() { awk "BEGIN { printf \"$1\", $2 }"; }

# " (met)" or " (missed)" after a figure of the target size.
judged() {
  if [ "$1" = "$target_size" ]; then
    if awk "BEGIN { exit !($2) }"; then printf ' **met**'; else printf ' **missed**'; fi
  fi
}

# Step 5: what the table is about.
print_header() {
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
  fs=$(df -PT "$work" | awk 'NR == 2 { print $2 }')
  echo "## canopex-convert against its floors"
  echo
  echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(uname -sr), work folder on $fs"
  compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
  echo "- Build: release preset, $("$compiler" --version | head -n 1)"
  echo "- $runs timed runs per program after one warm-up round, interleaved (each round runs" \
       "every program once); medians. Wall clock from date +%s%N around each run, after a sync;" \
       "every program runs under GNU time, whose %M gives the peak resident memory."
  echo "- Reports: canopex-make-report --seed $seed --trees SIZE (largest cut list 300 trees)"
  echo
}

# A table row from a label and a list of cells, each ended by "|".
cells() {
  # shellcheck disable=SC2086 # split on purpose, at each "|"
  (IFS='|'; set -f; label=$1; set -- $2; row "$label" "$@")
}

# One table row: a label and one cell per size.
row() {
  label=$1
  shift
  printf '| %s |' "$label"
  for cell in "$@"; do printf ' %s |' "$cell"; done
  printf '\n'
}

# Step 6: the table, one column per size.
print_table() {
  # shellcheck disable=SC2086 # a list of sizes
  set -- $sizes
  header="| |" rule="|---|"
  for size in "$@"; do
    header="$header --trees $size |"
    rule="$rule---:|"
  done
  echo "$header"
  echo "$rule"

  report_mb="" tree_lines="" rows_tree="" rows_compressed=""
  read_s="" tree_s="" compressed_s="" floor_tree_s="" floor_compressed_s=""
  load_ms=""
  tree_ratio="" read_ratio="" compressed_ratio="" peak_tree="" peak_compressed=""
  for size in "$@"; do
    size_work=$work/size-$size
    report=$work/report-$size.trl
    bytes=$(wc -c <"$report")
    report_mb="$report_mb$(calc '%.1f' "$bytes / 1000000")|"
    tree_lines="$tree_lines$(sed -n 's/.* cut list trees, \([0-9]*\) tree lines.*/\1/p' \
      "$work/report-$size.made")|"
    rows_tree="$rows_tree$(rows_of "$size_work/source-tree")|"
    rows_compressed="$rows_compressed$(rows_of "$size_work/source-compressed")|"

    read_ns=$(median "$size" read 4)
    tree_ns=$(median "$size" tree 4)
    compressed_ns=$(median "$size" compressed 4)
    floor_tree_ns=$(median "$size" floor_tree 4)
    floor_compressed_ns=$(median "$size" floor_compressed 4)
    read_s="$read_s$(calc '%.3f' "$read_ns / 1e9")|"
    tree_s="$tree_s$(calc '%.3f' "$tree_ns / 1e9")|"
    compressed_s="$compressed_s$(calc '%.3f' "$compressed_ns / 1e9")|"
    floor_tree_s="$floor_tree_s$(calc '%.3f' "$floor_tree_ns / 1e9")|"
    floor_compressed_s="$floor_compressed_s$(calc '%.3f' "$floor_compressed_ns / 1e9")|"
    load_ms="$load_ms$(calc '%.1f' "$(median_of_file "$size_work/load-tree")") /"
    load_ms="$load_ms $(calc '%.1f' "$(median_of_file "$size_work/load-compressed")")|"

    ratio=$(calc '%.2f' "$tree_ns / $floor_tree_ns")
    tree_ratio="$tree_ratio$ratio$(judged "$size" "$tree_ns <= 1.15 * $floor_tree_ns")|"
    ratio=$(calc '%.2f' "$compressed_ns / $read_ns")
    read_ratio="$read_ratio$ratio$(judged "$size" "$compressed_ns <= 4 * $read_ns")|"
    compressed_ratio="$compressed_ratio$(calc '%.2f' "$compressed_ns / $floor_compressed_ns")|"

    kb=$(median "$size" tree 5)
    peak_tree="$peak_tree$(calc '%.1f' "$kb / 1024")$(judged "$size" "$kb < 65536")|"
    kb=$(median "$size" compressed 5)
    peak_compressed="$peak_compressed$(calc '%.1f' "$kb / 1024")$(judged "$size" "$kb < 65536")|"
  done

  cells "Report size, MB" "$report_mb"
  cells "Tree lines in the report" "$tree_lines"
  cells "Rows written, tree mode" "$rows_tree"
  cells "Rows written, compressed" "$rows_compressed"
  cells "Read floor, s" "$read_s"
  cells "Tree mode (--no-compress), s" "$tree_s"
  cells "Compressed, s" "$compressed_s"
  cells "Write floor, tree rows, s" "$floor_tree_s"
  cells "Write floor, compressed rows, s" "$floor_compressed_s"
  cells "Write floor's load phase, tree / compressed rows, ms" "$load_ms"
  cells "Tree mode / write floor, tree rows (target ≤ 1.15)" "$tree_ratio"
  cells "Compressed / read floor (target ≤ 4)" "$read_ratio"
  cells "Compressed / write floor, compressed rows" "$compressed_ratio"
  cells "Peak memory, tree mode, MiB (target < 64)" "$peak_tree"
  cells "Peak memory, compressed, MiB (target < 64)" "$peak_compressed"
}

main() {
  parse_arguments "$@"
  build_programs
  results=$work/results.tsv
  : >"$results"
  delete_outputs
  trap delete_outputs EXIT
  for size in $sizes; do
    started=$(date +%s)
    say "Measuring size $size..."
    measure_size "$size"
    say "  size $size took $(($(date +%s) - started)) s"
  done
  print_header
  print_table
  # shellcheck disable=SC2086 # a list of sizes
  if printf ' %s ' $sizes | grep -q " $target_size "; then
    echo
    echo "Targets judged on --trees $target_size."
  fi
}

main "$@"
