#!/bin/sh
# A long run in the Linux program, used as a user would on a virtual X
# screen: the window is drawn again when it is uncovered during the run, and
# what the user clicks and types meanwhile (Exit and Run, twice, and Escape)
# is not acted on: no second run starts and the window stays open.
# The run is held (SIGSTOP) while the window is uncovered and the input is
# made, then let go on in short steps, each followed by a look at the window
# while the run is held again: so everything happens during the run, however
# fast or loaded the machine is. X keeps the input for the held program.
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
hold() { kill -STOP "$program"; }
let_go() { kill -CONT "$program"; }
stand_file_count() { ls "$work/out" | wc -l; }
seen_during_run() { grep -qx "$(corner_pixels)" "$work/seen-during-run"; }
chooser() { window_named "Select Sylvax Input File"; }
# A digest of the window's top left corner (500 x 100 pixels: the first
# step's label and field), from an X window dump.
corner_pixels() {
  xwd -silent -id "$main_window" | python3 -c '
import hashlib, struct, sys
dump = sys.stdin.buffer.read()
# The header: [0] its size, [11] bits per pixel, [12] bytes per line, [19] colours.
h = struct.unpack(">25I", dump[:100])
data, line = dump[h[0] + 12 * h[19]:], h[12]
rows = (data[y * line:y * line + 500 * h[11] // 8] for y in range(100))
print(hashlib.sha256(b"".join(rows)).hexdigest())'
}

# One run of the window on a report of $1 tree lines. Returns 1 when the run
# ended too soon to tell (before it could be held, or with too few chances
# to draw after the uncovering); fails when the product is wrong.
busy_run() {
  "$make_report" --trees "$1" --seed 7 "$work/long.trl" >/dev/null
  rm -rf "$work/out" && mkdir "$work/out"
  printf '[Setup]\nInputFile=%s\nOutputDir=%s\n' "$work/long.trl" "$work/out" >"$work/canopex.ini"
  start_program C
  click 1017  # no compression: every tree a row of its own, the longer run
  click 1007
  wait_up_to 300 started_or_ended || fail "Run started no run"
  hold
  running || { let_go; return 1; }

  echo "Uncovering the window, clicking Exit and Run twice and pressing Escape during the run"
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  xdotool windowmove --sync "$main_window" -900 "$Y"
  xdotool windowmove --sync "$main_window" "$X" "$Y"
  uncovered=$(corner_pixels)
  # The pointer is still on Run, and must move for each click.
  for point in "$exit_button" "$run_button" "$exit_button" "$run_button"; do
    # shellcheck disable=SC2086  # "X Y"
    move_to $point
    xdotool click 1
  done
  xdotool key Escape

  # The window as seen at each step while the run goes on. A step in which
  # stand files were added gave the run a chance to draw (at each cut
  # list's end); a step without may have found it waiting for the disk.
  : >"$work/seen-during-run"
  chances=0 stand_files=$(stand_file_count)
  while let_go && sleep 0.1 && hold && running; do
    corner_pixels >>"$work/seen-during-run"
    [ "$(stand_file_count)" -eq "$stand_files" ] || chances=$((chances + 1))
    stand_files=$(stand_file_count)
  done
  let_go
  wait_up_to 600 eval '! running' || fail "the run did not end"
  touch "$work/first-run-ended"  # stand files newer than this are a second run's

  # Browse opens a chooser once the input of the run has been handled (or
  # dropped): a click that falls into the run's last moment is dropped too,
  # so it is made again. A second run started by a queued click on Run would
  # go first, and a queued Exit or Escape would close the window.
  act_until 'chooser || no_window_named Canopex' click 1002 || true
  kill -0 "$program" 2>/dev/null && window_named Canopex >/dev/null ||
    fail "Exit or Escape, pressed during the run, closed the window"
  [ -z "$(find "$work/out" -newer "$work/first-run-ended" -type f)" ] ||
    fail "a click on Run during the run started a second run"
  chooser >/dev/null || fail "Browse opened no chooser after the run"
  press_in "$(chooser)" Escape
  wait_for no_window_named "Select Sylvax Input File" || fail "Escape left the chooser open"

  # The corner as the window shows it after the run must have been seen
  # during the run (the window may still be drawing where the chooser was).
  if ! wait_for seen_during_run; then
    [ $chances -lt 3 ] || fail "the window was not drawn again during the run"
    return 1
  fi
  [ "$(corner_pixels)" != "$uncovered" ] ||
    fail "the uncovered window kept its pixels: this check would prove nothing"
}

# Where the buttons are, asked before the runs: the probe starts slowly
# beside a run.
run_button=$("$probe" center 1007) && exit_button=$("$probe" center 2) || fail "the probe failed"
trees=200000
until busy_run $trees; do
  # Again with a longer report; the program may have ended by the input
  # meant for the run.
  { kill "$program" && wait "$program"; } 2>/dev/null || true
  program=""
  trees=$((trees * 2))
  [ $trees -le 6400000 ] || fail "every run ended too soon to tell"
  echo "The run was too short; again with $trees tree lines"
done
close_window_with press_in "$main_window" Escape
echo "The window was drawn again and ignored the input made during a run of $trees tree lines"
