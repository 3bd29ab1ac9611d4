#!/bin/sh
# Builds the Linux build when needed and converts a tree list report with
# canopex-convert. Without arguments it converts the sample report into
# out/, one stand file per cut list; otherwise the arguments go to
# canopex-convert as they are (see: scripts/run.sh --help).
set -eu
project="$(cd "$(dirname "$0")/.." && pwd)"

"$project/scripts/install-deps.sh" run
(
  cd "$project"
  cmake --preset linux >/dev/null
  cmake --build --preset linux --parallel "$(nproc 2>/dev/null || echo 2)" \
        --target canopex-convert >/dev/null
)
if [ $# -eq 0 ]; then
  set -- "$project/samples/three-stands.trl" -d out/
  echo "Converting the sample report into $(pwd)/out/"
fi
exec "$project/build/linux/cli/canopex-convert" "$@"
