#!/bin/sh
# Makes the two packages, each from a build of its own:
#   build/deb/packages/canopex_<version>_amd64.deb      Debian 12 package
#   build/windows/packages/Canopex-<version>-win32.zip  the Windows programs
# Usage: scripts/package.sh
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
jobs=$(nproc 2>/dev/null || echo 2)
for preset in deb windows; do
  echo "== $preset: configure, build and package"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs" >/dev/null
  cpack --preset "$preset" | grep 'package: '
done
