#!/bin/sh
# Builds the Linux build when needed and starts Canopex.
#   scripts/run.sh            opens the Canopex window (canopex); on a machine
#                             without a display, converts the sample report
#                             into out/ with canopex-convert instead
#   scripts/run.sh ARGS...    runs canopex-convert with ARGS (see --help)
set -eu
project="$(cd "$(dirname "$0")/.." && pwd)"

"$project/scripts/install-deps.sh" run
build() {
  (
    cd "$project"
    cmake --preset linux >/dev/null
    cmake --build --preset linux --parallel "$(nproc 2>/dev/null || echo 2)" \
          --target "$@" >/dev/null
  )
}

if [ $# -eq 0 ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  build canopex
  echo "Starting the Canopex window: build/linux/app/canopex (settings beside it in canopex.ini)"
  exec "$project/build/linux/app/canopex"
fi

build canopex-convert
if [ $# -eq 0 ]; then
  echo "No display to open the Canopex window on (DISPLAY and WAYLAND_DISPLAY are unset)."
  echo "Converting the sample report with canopex-convert into $(pwd)/out/ instead"
  set -- "$project/samples/three-stands.trl" -d out/
fi
exec "$project/build/linux/cli/canopex-convert" "$@"
