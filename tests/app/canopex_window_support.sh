# Helpers of the scripts that drive the Linux program's window; sourced after
# gui_test_support.sh. They use $probe (window-probe-wx) and $work (the folder
# holding the program as "canopex", made by copy_program_into_work) and set
# $program (its process) and $main_window (its X window).

# Copies the program $1 as "canopex" into a new temporary folder, $work,
# which goes, with the program if it still runs, when the script ends.
copy_program_into_work() {
  work=$(mktemp -d)
  program=""
  trap 'cleanup_work' EXIT
  cp "$1" "$work/canopex"
}
cleanup_work() {
  # A test may end while it holds the program stopped (SIGSTOP).
  [ -z "$program" ] || { kill -CONT "$program" && kill "$program"; } 2>/dev/null || true
  rm -rf "$work"
}
start_program() {
  LC_ALL=$1 "$work/canopex" &
  program=$!
  wait_for window_named Canopex || fail "the window did not open"
  main_window=$(window_named Canopex)
}

# Moves the pointer to a point of the main window's client area: "X Y" in
# pixels, or with point_at where the probe says ("center ID", or "point X Y"
# in dialog units). GTK draws every control into the window's one X window,
# so the probe lays out the same table.
move_to() {
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  xdotool mousemove --sync $((X + $1)) $((Y + $2))
}
point_at() {
  # shellcheck disable=SC2046  # "X Y"
  set -- $("$probe" "$@") || fail "the probe failed: $*"
  move_to "$@"
}
click() { point_at center "$1" && xdotool click 1; }

# The program's visible window that has no title, such as the question
# whether to replace a file; fails when there is none.
untitled_window() {
  for id in $(xdotool search --onlyvisible --pid "$program" 2>/dev/null); do
    [ -n "$(xdotool getwindowname "$id" 2>/dev/null)" ] || { echo "$id"; return 0; }
  done
  return 1
}
# A visible window of the program other than the main window (an open
# context menu, a box, a chooser); fails when there is none.
other_window() {
  xdotool search --onlyvisible --pid "$program" 2>/dev/null | grep -vx "$main_window" | grep .
}

# Closes the main window with the command that follows (click 2, Exit; or
# press_in "$main_window" Escape), made again until the window is gone (see
# act_until), and waits for the program to end.
close_window_with() {
  act_until 'no_window_named Canopex' "$@" || fail "$* did not close the window"
  wait "$program" || fail "canopex ended with status $?"
  program=""
}
