#!/bin/sh
# Runs fuzz targets: fuzz/run.sh [--keep] TARGET|--all SECONDS [LIBFUZZER-FLAG...]
# (TARGET: report_reader, conversion, settings_store; -jobs=2 -workers=2 runs
# two processes, one per core). Builds the fuzz preset, runs each target in a
# work folder under TMPDIR on a copy of fuzz/corpus/TARGET and on
# fuzz/regressions/TARGET, and fails when one leaves a crash, leak, timeout or
# out-of-memory input, keeping its folder (--keep: always).
set -eu
cd "$(dirname "$0")/.."
keep=0
if [ "${1:-}" = --keep ]; then keep=1; shift; fi
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh [--keep] TARGET|--all SECONDS [LIBFUZZER-FLAG...]" >&2
  exit 2
fi
targets=$1 seconds=$2
shift 2
[ "$targets" = --all ] && targets="report_reader conversion settings_store"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc 2>/dev/null || echo 2)"
# The targets write files for every input: a memory-backed folder spares the
# disk, when it has room (containers often give it only 64 MB).
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] &&
  [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -ge 262144 ]; then
  export TMPDIR=/dev/shm
fi
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

project=$(pwd) failed=""
for target in $targets; do
  program="$project/build/fuzz/fuzz/${target}_fuzz" regressions="$project/fuzz/regressions/$target"
  [ -d "$regressions" ] || regressions=""
  work=$(mktemp -d "${TMPDIR:-/tmp}/canopex-fuzz-$target.XXXXXX")
  mkdir "$work/artifacts" && cp -r "fuzz/corpus/$target" "$work/corpus"
  echo "== fuzz $target: $seconds s, in $work"
  # New inputs go into the first folder; with -jobs, fuzz.log gathers each job's log.
  status=0
  (cd "$work" && "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=artifacts/ "$@" corpus ${regressions:+"$regressions"} \
    >fuzz.log 2>&1) || status=$?
  grep -h -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
    "$work/fuzz.log" || true
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "!! $target: status $status, inputs: $(ls "$work/artifacts"); all in $work"
    grep -h -m1 -E 'ERROR|check failed|SUMMARY' "$work/fuzz.log" || true
    failed="$failed $target"
  elif [ "$keep" -eq 0 ]; then
    rm -rf "$work"
  fi
done
[ -z "$failed" ] || { echo "fuzz/run.sh: findings in:$failed" >&2; exit 1; }
