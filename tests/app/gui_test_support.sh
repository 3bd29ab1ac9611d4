# Helpers of the scripts that use a program's window with xdotool (the
# window tests and the screenshot scripts); sourced.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls a command until it succeeds, for at most 60 seconds.
wait_for() {
  tries=0
  until "$@" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 120 ] || return 1
    sleep 0.5
  done
}

# The id of the visible window titled exactly TITLE; fails when there is none.
window_named() { xdotool search --onlyvisible --name "^$1\$" | head -n 1 | grep .; }
no_window_named() { ! window_named "$1" >/dev/null; }
