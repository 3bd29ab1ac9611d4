#!/bin/sh
# Takes the screenshots of the Windows program in docs/: the main window
# after converting the sample report, and the About box. Runs Canopex.exe
# under Wine on a virtual X screen; needs the windows build and ImageMagick.
# Usage: docs/make-screenshots.sh
set -eu
project="$(cd "$(dirname "$0")/.." && pwd)"
build="$project/build/windows"
[ -f "$build/app/Canopex.exe" ] || { echo "build the windows preset first" >&2; exit 1; }
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$project/cmake/run-on-xvfb" sh "$0" "$@"
prefix="$build/wineprefix-screenshots"
wine_run() { WINE_VIRTUAL_DESKTOP=1280x1024 "$project/cmake/run-under-wine" "$prefix" "$@"; }
probe() { wine_run "$build/tests/window-probe.exe" "$@"; }
. "$project/tests/app/gui_test_support.sh"
# Saves window TITLE with its frame to FILE. Each window is read from its own
# X window: a read of the X root or of Wine's desktop can miss what a later
# window drew.
shoot() {
  window=$(xdotool search --name "^$1\$" | head -1)
  xwd -id "$window" -silent | /usr/bin/convert xwd:- "$2"
  echo "wrote $2"
}

# The program's folder is C:\Canopex in the prefix, as a user would keep it.
wine_run cmd /c exit 0
folder="$prefix/drive_c/Canopex"
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; rm -rf "$folder"' EXIT
rm -rf "$folder"
mkdir -p "$folder/out"
cp "$build/app/Canopex.exe" "$project/samples/three-stands.trl" "$folder/"
printf '[Setup]\r\nInputFile=C:\\Canopex\\three-stands.trl\r\nOutputDir=C:\\Canopex\\out\r\n' \
  >"$folder/Canopex.ini"

wine_run "$folder/Canopex.exe" &
wait_for probe center Canopex 1007
xdotool mousemove --sync $(probe center Canopex 1007) click 1
wait_for sh -c "'$project/cmake/run-under-wine' '$prefix' '$build/tests/window-probe.exe' text Canopex 1012 | grep -q Cut"
sleep 0.5
shoot Canopex "$project/docs/canopex-windows.png"
probe about Canopex
wait_for probe rect "About Canopex" 0
sleep 1
shoot "About Canopex" "$project/docs/canopex-windows-about.png"
