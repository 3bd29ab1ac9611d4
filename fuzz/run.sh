#!/bin/sh
# Runs fuzz targets for a while: fuzz/run.sh [--jobs N] [--keep] TARGET|--all SECONDS
# with N processes per target (one per core is the most useful); --keep keeps
# the work folder (grown corpus, logs) even without findings. Builds the fuzz
# preset, then runs each target in a work folder under TMPDIR on a copy of
# fuzz/corpus/TARGET and on fuzz/regressions/TARGET. Fails when a target
# leaves a crash, leak, timeout or out-of-memory input, keeping its folder.
set -eu
cd "$(dirname "$0")/.."
jobs=1 keep=0
while [ $# -gt 2 ]; do
  case "$1" in
    --jobs) jobs="$2"; shift ;;
    --keep) keep=1 ;;
    *) break ;;
  esac
  shift
done
all="report_reader conversion settings_store"
targets=$all
[ $# -eq 2 ] && [ "$1" != --all ] && targets=$1
case "$#: $all " in
  2:*" $targets "*) ;;
  *) echo "usage: fuzz/run.sh [--jobs N] [--keep] TARGET|--all SECONDS; TARGET: $all" >&2
     exit 2 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc 2>/dev/null || echo 2)"
# The targets write files for every input: a memory-backed folder spares the
# disk, when it has room (containers often give it only 64 MB).
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] &&
  [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -ge 262144 ]; then
  export TMPDIR=/dev/shm
fi
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

seconds=$2 project=$(pwd) failed=""
for target in $targets; do
  work=$(mktemp -d "${TMPDIR:-/tmp}/canopex-fuzz-$target.XXXXXX")
  mkdir "$work/corpus" "$work/artifacts"
  cp "fuzz/corpus/$target/"* "$work/corpus/"
  echo "== fuzz $target: $seconds s, $jobs job(s), in $work"
  set -- -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus"  # new inputs go into the first folder
  [ -d "fuzz/regressions/$target" ] && set -- "$@" "$project/fuzz/regressions/$target"
  [ "$jobs" -gt 1 ] && set -- -jobs="$jobs" -workers="$jobs" "$@"  # each logs into fuzz-N.log
  status=0
  (cd "$work" && "$project/build/fuzz/fuzz/${target}_fuzz" "$@" >fuzz.log 2>&1) || status=$?
  grep -h -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
    "$work"/fuzz*.log || true
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "!! $target: status $status, inputs: $(ls "$work/artifacts"); all in $work"
    grep -h -m1 -E 'ERROR|check failed|SUMMARY' "$work"/fuzz*.log || true
    failed="$failed $target"
  elif [ "$keep" -eq 0 ]; then
    rm -rf "$work"
  fi
done
[ -z "$failed" ] || { echo "fuzz/run.sh: findings in:$failed" >&2; exit 1; }
