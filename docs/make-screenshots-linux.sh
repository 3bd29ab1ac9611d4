#!/bin/sh
# Takes the screenshots of the Linux program in docs/: the main window after
# converting the sample report, and the About box. Runs canopex on a virtual
# X screen with the openbox window manager, for the frames; needs the linux
# build, openbox and ImageMagick.
# Usage: docs/make-screenshots-linux.sh
set -eu
project="$(cd "$(dirname "$0")/.." && pwd)"
build="$project/build/linux"
[ -f "$build/app/canopex" ] || { echo "build the linux preset first" >&2; exit 1; }
command -v openbox >/dev/null || { echo "install openbox first" >&2; exit 1; }
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$project/cmake/run-on-xvfb" sh "$0" "$@"
. "$project/tests/app/gui_test_support.sh"
# The absolute position of a window's client area, as "X Y".
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                           END {print x, y}'
}
point_at() {
  # shellcheck disable=SC2046
  set -- $(client_origin "$main") $("$build/tests/window-probe-wx" "$@")
  xdotool mousemove --sync $(($1 + $3)) $(($2 + $4))
}
# The window manager's frame around a window: its ancestor just below the root.
frame_of() {
  window=$1
  until xwininfo -tree -id "$window" | grep -q 'Parent window id:.*(the root window)'; do
    window=$(xwininfo -tree -id "$window" | awk '/Parent window id:/ {print $4}')
  done
  echo "$window"
}
# Saves window TITLE with its frame to FILE.
shoot() {
  geometry=$(xwininfo -id "$(frame_of "$(window_named "$1")")" |
    awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
         /Width/ {w = $NF} /Height/ {h = $NF} END {printf "%dx%d+%d+%d", w, h, x, y}')
  import -window root -crop "$geometry" +repage "$2"
  echo "wrote $2"
}

# A folder such as a user would keep the program in.
work=${TMPDIR:-/tmp}/Canopex
rm -rf "$work"
trap 'pkill -P $$ 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/out"
cp "$build/app/canopex" "$project/samples/three-stands.trl" "$work/"
printf '[Setup]\nInputFile=%s\nOutputDir=%s\n' "$work/three-stands.trl" "$work/out" \
  >"$work/canopex.ini"

openbox >/dev/null 2>&1 &
sleep 1
"$work/canopex" &
wait_for window_named Canopex
main=$(window_named Canopex)
point_at center 1007
xdotool click 1
wait_for grep -q '^CutListCount=' "$work/canopex.ini"
xdotool mousemove 0 0
sleep 0.5
shoot Canopex "$project/docs/canopex-linux.png"
point_at point 470 15
xdotool click 3
sleep 0.5
xdotool key Down
sleep 0.3
xdotool key Return
wait_for window_named "About Canopex"
xdotool mousemove 0 0
sleep 0.5
shoot "About Canopex" "$project/docs/canopex-linux-about.png"
