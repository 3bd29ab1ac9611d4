#!/bin/sh
# A long run in the Linux program, used as a user would on a virtual X
# screen: the window is drawn again when it is uncovered during the run, and
# what the user clicks and types meanwhile (Exit and Run, twice, and Escape)
# is not acted on: no second run starts and the window stays open.
# Usage: canopex_busy_e2e.sh CANOPEX WINDOW_PROBE MAKE_REPORT SOURCE_DIR
set -eu
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$(dirname "$0")/../../cmake/run-on-xvfb" sh "$0" "$@"
exe=$1 probe=$2 make_report=$3 source=$4
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/app/canopex_window_support.sh"

copy_program_into_work "$exe"

# The run writes its counts into the settings file when it ends.
running() { ! grep -q '^CutListCount=' "$work/canopex.ini"; }

# The pixels of the window's top left corner (500 x 100, the first step's
# label and field) from an X window dump.
corner_pixels() {
  xwd -silent -id "$main_window" | python3 -c '
import struct, sys
dump = sys.stdin.buffer.read()
header = struct.unpack(">25I", dump[:100])
header_size, bits_per_pixel, bytes_per_line, colors = header[0], header[11], header[12], header[19]
data = dump[header_size + 12 * colors:]
width = 500 * bits_per_pixel // 8
rows = [data[y * bytes_per_line:y * bytes_per_line + width] for y in range(100)]
sys.stdout.write(b"".join(rows).hex())
'
}

# Runs the window on a report of $1 tree lines: true when the run lasted
# long enough for everything below to happen while it went on.
busy_run() {
  "$make_report" --trees "$1" --seed 7 "$work/long.trl" >/dev/null
  rm -rf "$work/out" && mkdir "$work/out"
  printf '[Setup]\nInputFile=%s\nOutputDir=%s\n' "$work/long.trl" "$work/out" >"$work/canopex.ini"
  start_program C
  # Without compression every tree is a row of its own: the longer run.
  click 1017
  click 1007
  sleep 0.3
  running || return 1

  echo "Uncovering the window during the run"
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  xdotool windowmove --sync "$main_window" -900 "$Y"
  sleep 0.3
  xdotool windowmove --sync "$main_window" "$X" "$Y"
  sleep 0.7
  corner_pixels >"$work/during"

  # The pointer is still on Run, and must move for each click.
  echo "Clicking Exit and Run twice, and pressing Escape during the run"
  for point in "$exit_button" "$run_button" "$exit_button" "$run_button"; do
    # shellcheck disable=SC2086  # "X Y"
    move_to $point
    xdotool click 1
  done
  xdotool key Escape
  running || return 1
  wait_for grep -q '^CutListCount=' "$work/canopex.ini" || fail "the run did not end"
  return 0
}

# Where the buttons are, asked before the runs: the probe starts slowly
# beside a run.
run_button=$("$probe" center 1007) && exit_button=$("$probe" center 2) ||
  fail "the probe failed"
trees=1000000
until busy_run $trees; do
  # The run ended too soon on this machine: again with a longer report. (The
  # input meant for the run may have started another one.)
  kill "$program"
  wait "$program" || true
  program=""
  trees=$((trees * 2))
  [ $trees -le 6400000 ] || fail "no report made the run last long enough"
  echo "The run was too short; again with $trees tree lines"
done

sleep 1
kill -0 "$program" 2>/dev/null && window_named Canopex >/dev/null ||
  fail "Exit or Escape, pressed during the run, closed the window"
corner_pixels >"$work/after"
[ -s "$work/after" ] || fail "no window dump"
cmp -s "$work/during" "$work/after" || fail "the window was not drawn again during the run"

# A second run would delete and write the stand files again.
rm -f "$work/out"/*
sleep 2
[ -z "$(ls "$work/out")" ] || fail "a click on Run during the run started a second run"

xdotool key Escape
wait_for_exit
echo "The window stayed drawn and ignored the input made during a run of $trees tree lines"
