#!/bin/sh
# Builds the three builds (Linux; Linux under AddressSanitizer and
# UndefinedBehaviorSanitizer; 32-bit Windows cross-built with MinGW-w64) and
# runs every test; the Windows tests run under Wine. Then each fuzz target
# runs for 20 s (fuzz/run.sh).
# Fails when a test fails or when a build ran no test at all.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)
for preset in linux asan windows; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs"
  echo "== $preset: test"
  ctest --preset "$preset" --parallel "$jobs" --no-tests=error
done

# A short run of each fuzz target (clang, libFuzzer) on a copy of its corpus;
# fails when one finds a crash, leak, hang or failed check.
echo "== fuzz: each target for 20 s"
fuzz/run.sh --all 20

# The benchmark still builds, runs and checks its outputs (on a small report;
# its figures mean nothing here).
echo "== bench: one round on a small report"
bench/run.sh --runs 1 --sizes 3000 >/dev/null
