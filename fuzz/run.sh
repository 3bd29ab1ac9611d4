#!/bin/sh
# Runs fuzz targets for a while: fuzz/run.sh [--jobs N] [--keep] TARGET|--all SECONDS
#   TARGET    report_reader, conversion or settings_store (--all: each in turn)
#   SECONDS   how long each target runs
#   --jobs N  N fuzzing processes per target (default 1; one per core is the most useful)
#   --keep    keep the work folder (the grown corpus and the logs) even without findings
# Builds the fuzz preset first. Each target starts from a copy of
# fuzz/corpus/TARGET (plus fuzz/regressions/TARGET, read only) in a work
# folder under TMPDIR, so the checked-in corpus is never written. Fails when
# a target leaves a crash, leak, timeout or out-of-memory input; the work
# folder with that input is then kept and its path printed.
set -eu
cd "$(dirname "$0")/.."

jobs=1
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --jobs) jobs="$2"; shift 2 ;;
    --keep) keep=1; shift ;;
    *) break ;;
  esac
done
if [ $# -ne 2 ]; then
  echo "usage: fuzz/run.sh [--jobs N] [--keep] TARGET|--all SECONDS" >&2
  exit 2
fi
all_targets="report_reader conversion settings_store"
if [ "$1" = --all ]; then targets=$all_targets; else targets="$1"; fi
seconds="$2"
for target in $targets; do
  case " $all_targets " in
    *" $target "*) ;;
    *) echo "fuzz/run.sh: unknown target $target (one of: $all_targets)" >&2; exit 2 ;;
  esac
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc 2>/dev/null || echo 2)"

project=$(pwd)
# The targets write files for every input: a memory-backed folder, when
# there is one with room (containers often give it only 64 MB), spares the
# disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ] &&
  [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -ge 262144 ]; then
  TMPDIR=/dev/shm
  export TMPDIR
fi
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

failed=""
for target in $targets; do
  work=$(mktemp -d "${TMPDIR:-/tmp}/canopex-fuzz-$target.XXXXXX")
  mkdir "$work/corpus" "$work/artifacts"
  cp "$project/fuzz/corpus/$target/"* "$work/corpus/"
  echo "== fuzz $target: $seconds s, $jobs job(s), in $work"
  set -- -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
         -artifact_prefix="$work/artifacts/"
  if [ "$jobs" -gt 1 ]; then
    set -- "$@" -jobs="$jobs" -workers="$jobs"
  fi
  # New inputs go into the first folder; the regressions are read only.
  set -- "$@" "$work/corpus"
  if [ -d "$project/fuzz/regressions/$target" ]; then
    set -- "$@" "$project/fuzz/regressions/$target"
  fi
  # With -jobs every process logs into fuzz-N.log of the current folder.
  status=0
  (cd "$work" && "$project/build/fuzz/fuzz/${target}_fuzz" "$@" >"$work/fuzz.log" 2>&1) ||
    status=$?
  logs="$work/fuzz.log"
  [ "$jobs" -gt 1 ] && logs=$(ls "$work"/fuzz-*.log)
  for log in $logs; do
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  done
  if [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "!! $target found a problem: $(cd "$work/artifacts" && echo *)"
    echo "   inputs in $work/artifacts, logs in $work"
    # shellcheck disable=SC2086 # one or more logs
    grep -h -m1 -E 'ERROR|check failed|SUMMARY' $logs || true
    failed="$failed $target"
  elif [ "$status" -ne 0 ]; then
    echo "!! $target ended with status $status; logs in $work"
    tail -n 5 "$work/fuzz.log"
    failed="$failed $target"
  elif [ "$keep" -eq 1 ]; then
    echo "   kept: $work"
  else
    rm -rf "$work"
  fi
done

if [ -n "$failed" ]; then
  echo "fuzz/run.sh: findings in:$failed" >&2
  exit 1
fi
