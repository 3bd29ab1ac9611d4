#!/bin/sh
# Builds the three builds (Linux; Linux under AddressSanitizer and
# UndefinedBehaviorSanitizer; 32-bit Windows cross-built with MinGW-w64) and
# runs every test; the Windows tests run under Wine. Then it makes and checks
# the packages, and each fuzz target runs for 20 s (fuzz/run.sh).
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

# The packages, made as a user gets them and checked: their contents, and
# the programs in them converting the sample report (the Debian package from
# a throwaway root, the Windows zip unpacked, under Wine).
echo "== packages: make and check"
scripts/package.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/deb/CMakeCache.txt)
tests/package/check_deb.sh "$PWD/build/deb/packages/canopex_${version}_amd64.deb" \
  "$PWD/build/linux/tests/window-probe-wx" "$PWD" "$version"
tests/package/check_zip.sh "$PWD/build/windows/packages/Canopex-${version}-win32.zip" \
  "$PWD/build/windows/tests/window-probe.exe" "$PWD" "$version" "$PWD/build/windows/wineprefix-gui"

# A short run of each fuzz target (clang, libFuzzer) on a copy of its corpus;
# fails when one finds a crash, leak, hang or failed check.
echo "== fuzz: each target for 20 s"
fuzz/run.sh --all 20

# The benchmark still builds, runs and checks its outputs (on a small report;
# its figures mean nothing here).
echo "== bench: one round on a small report"
bench/run.sh --runs 1 --sizes 3000 >/dev/null
