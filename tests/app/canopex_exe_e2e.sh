#!/bin/sh
# Uses the shipped Canopex.exe as a user would: with a settings file beside
# it naming the sample report and an output folder, it presses Run with the
# mouse, closes the window with Exit, and checks the stand files and the
# settings file.
# Usage: canopex_exe_e2e.sh CANOPEX_EXE WINDOW_PROBE_EXE SOURCE_DIR WINEPREFIX
set -eu
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$(dirname "$0")/../../cmake/run-on-xvfb" sh "$0" "$@"
exe=$1 probe_exe=$2 source=$3 prefix=$4
wine_run() { WINE_VIRTUAL_DESKTOP=1280x1024 "$source/cmake/run-under-wine" "$prefix" "$@"; }
probe() { wine_run "$probe_exe" "$@"; }
# Z: is the root of the Linux file system in every Wine prefix.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/package/package_support.sh"
results_shown() { probe text Canopex 1012 | grep -q 'Cut list count'; }

work=$(mktemp -d)
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$exe" "$work/Canopex.exe"
cp "$source/samples/three-stands.trl" "$work/"
mkdir "$work/out"
printf '[Setup]\r\nInputFile=%s\r\nOutputDir=%s\r\n[Custom]\r\nKeep=me\r\n' \
  "$(windows_path "$work/three-stands.trl")" "$(windows_path "$work/out")" >"$work/Canopex.ini"

wine_run "$work/Canopex.exe" &
program=$!
wait_for probe center Canopex 1007 || fail "the window did not open"
run_button=$(probe center Canopex 1007) && exit_button=$(probe center Canopex 2) ||
  fail "no Run or Exit button"
# shellcheck disable=SC2086  # "x y"
xdotool mousemove --sync $run_button click 1
wait_for results_shown || fail "Run showed no results"
# The results show before the run has dropped the input queued during it.
# shellcheck disable=SC2086  # "x y"
act_until '! probe center Canopex 2' xdotool mousemove --sync $exit_button click 1 ||
  fail "Exit did not close the window"
wait "$program" || fail "Canopex.exe ended with status $?"

check_sample_stand_files "$work/out"
settings=$(tr -d '\r' <"$work/Canopex.ini")
for line in "InputFile=$(windows_path "$work/three-stands.trl")" \
  "OutputDir=$(windows_path "$work/out")" OutputFile= MinDiam=1 Compress=1 CreateDir=0 \
  Keep=me CutListCount=3 TreesCount=44 TreesTPAZeroCount=4 TreesBelowDiamCount=1 \
  ErrMessage= "CutListIndicator='COMPLETE CUT  LIST'"; do
  printf '%s\n' "$settings" | grep -qxF -- "$line" || fail "settings lack: $line"
done
echo "Canopex.exe converted the sample report and remembered its entries"
