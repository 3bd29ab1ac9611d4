#!/bin/sh
# Builds the Linux build when needed and shows what Canopex finds in the
# sample report (or in the report named as the first argument): each cut
# list with its stand, year, stand file name, pages and tree lines.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake --preset linux >/dev/null
cmake --build --preset linux --parallel "$(nproc 2>/dev/null || echo 2)" --target canopex-outline >/dev/null
[ $# -gt 0 ] || set -- samples/three-stands.trl
exec build/linux/tools/canopex-outline "$@"
