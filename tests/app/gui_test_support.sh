# Helpers of the scripts that use a program's window with xdotool (the
# window tests and the screenshot scripts); sourced.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls a command until it succeeds, for at most $1 seconds.
wait_up_to() {
  polls_left=$(($1 * 2))
  shift
  until "$@" >/dev/null 2>&1; do
    polls_left=$((polls_left - 1))
    [ $polls_left -gt 0 ] || return 1
    sleep 0.5
  done
}
# The same for at most 60 seconds: the time a step may take on a loaded machine.
wait_for() { wait_up_to 60 "$@"; }

# The id of the visible window titled exactly TITLE; fails when there is none.
window_named() { xdotool search --onlyvisible --name "^$1\$" | head -n 1 | grep .; }
no_window_named() { ! window_named "$1" >/dev/null; }

# Makes the input that follows (a command) until the condition $1 (a shell
# command, run by eval) holds: every 5 seconds, at most 10 times. Right after
# a run, input that arrives while the run is still ending is dropped with the
# input queued during it, so input meant for after the run is made again.
act_until() {
  condition=$1
  shift
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    eval "$condition" >/dev/null 2>&1 && return 0
    "$@" || true
    wait_up_to 5 eval "$condition" && return 0
  done
  return 1
}

# Gives the keyboard focus to the window $1, then presses the keys that
# follow. With no window manager the focus follows the pointer, so a key
# pressed as a window opens may reach the window under the pointer instead.
press_in() { window=$1 && shift && xdotool windowfocus --sync "$window" key "$@"; }
