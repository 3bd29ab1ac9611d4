# Helpers of the scripts that use a program's window with xdotool; sourced.

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
