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

# The run writes its counts into the settings file when it ends, after its
# last stand file and before it drops the input queued meanwhile.
running() { ! grep -q '^CutListCount=' "$work/canopex.ini"; }
started_or_ended() { [ -n "$(ls "$work/out")" ] || ! running; }
# The run is held (SIGSTOP) while the window is uncovered and the input is
# made, and then let go on in short steps, so that everything below happens
# during the run however fast or loaded the machine is. X keeps the input
# for the held program, which reads it only when it goes on.
hold() { kill -STOP "$program"; }
let_go() { kill -CONT "$program"; }

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

# Runs the window on a report of $1 tree lines: true when the run was held
# before it ended, false when it ended first (too short for this machine).
# Fails when the window was not drawn again during the run.
busy_run() {
  "$make_report" --trees "$1" --seed 7 "$work/long.trl" >/dev/null
  rm -rf "$work/out" && mkdir "$work/out"
  printf '[Setup]\nInputFile=%s\nOutputDir=%s\n' "$work/long.trl" "$work/out" >"$work/canopex.ini"
  start_program C
  # Without compression every tree is a row of its own: the longer run.
  click 1017
  click 1007
  wait_up_to 300 started_or_ended || fail "Run started no run"
  hold
  if ! running; then
    let_go
    return 1
  fi
  stand_files_when_held=$(ls "$work/out" | wc -l)

  echo "Uncovering the window during the run"
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  xdotool windowmove --sync "$main_window" -900 "$Y"
  xdotool windowmove --sync "$main_window" "$X" "$Y"
  corner_pixels >"$work/uncovered"

  # The pointer is still on Run, and must move for each click.
  echo "Clicking Exit and Run twice, and pressing Escape during the run"
  for point in "$exit_button" "$run_button" "$exit_button" "$run_button"; do
    # shellcheck disable=SC2086  # "X Y"
    move_to $point
    xdotool click 1
  done
  xdotool key Escape

  # Each cut list's end is a chance to draw: the window must be drawn again
  # while the run goes on, and then stay as it is drawn.
  steps=0
  stand_files_seen=$stand_files_when_held
  cp "$work/uncovered" "$work/during"
  until [ $steps -ge 2 ] && cmp -s "$work/during" "$work/before" &&
    ! cmp -s "$work/during" "$work/uncovered"; do
    mv "$work/during" "$work/before"
    let_go
    sleep 0.1
    hold
    if ! running; then
      let_go
      # Three steps and ten cut lists after the uncovering give the run many
      # chances to draw; fewer mean that it ended too soon to tell.
      [ $steps -lt 3 ] || [ $((stand_files_seen - stand_files_when_held)) -lt 10 ] ||
        fail "the window was not drawn again during the run"
      return 1
    fi
    stand_files_seen=$(ls "$work/out" | wc -l)
    corner_pixels >"$work/during"
    steps=$((steps + 1))
  done
  let_go
  wait_up_to 600 eval '! running' || fail "the run did not end"
  return 0
}

# Where the buttons are, asked before the runs: the probe starts slowly
# beside a run.
run_button=$("$probe" center 1007) && exit_button=$("$probe" center 2) ||
  fail "the probe failed"
trees=200000
until busy_run $trees; do
  # The run ended before it could be held: again with a longer report. The
  # program may have ended too, by the input meant for the run.
  kill "$program" 2>/dev/null || true
  wait "$program" || true
  program=""
  trees=$((trees * 2))
  [ $trees -le 8000000 ] || fail "every run ended before it could be held"
  echo "The run was too short; again with $trees tree lines"
done
# Stand files written after this are a second run's.
touch "$work/first-run-ended"

# Browse opens a chooser once the input of the run has been handled (or
# dropped): a click that falls into the run's last moment is dropped too,
# so it is made again. A second run started by a queued click on Run would
# go first, and a queued Exit or Escape would close the window.
echo "Opening a chooser after the run"
attempts=0
until window_named "Select Sylvax Input File" >/dev/null; do
  kill -0 "$program" 2>/dev/null && window_named Canopex >/dev/null ||
    fail "Exit or Escape, pressed during the run, closed the window"
  attempts=$((attempts + 1))
  [ $attempts -le 60 ] || fail "Browse opened no chooser after the run"
  click 1002 || true
  wait_up_to 5 window_named "Select Sylvax Input File" || true
done
[ -z "$(find "$work/out" -newer "$work/first-run-ended" -type f)" ] ||
  fail "a click on Run during the run started a second run"
press_in "$(window_named "Select Sylvax Input File")" Escape
wait_for no_window_named "Select Sylvax Input File" || fail "Escape left the chooser open"
# The window as it settled after the run: the pixels drawn during it must be
# these.
corner_pixels >"$work/settled"
cmp -s "$work/during" "$work/settled" ||
  fail "the window was not drawn again during the run, or not whole"
! cmp -s "$work/uncovered" "$work/settled" ||
  fail "the uncovered window kept its pixels: this check would prove nothing"
close_window_with press_in "$main_window" Escape
echo "The window was drawn again and ignored the input made during a run of $trees tree lines"
