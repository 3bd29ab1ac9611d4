#!/bin/sh
# Uses the Linux program canopex as a user would, on a virtual X screen, with
# a settings file beside it naming the sample report:
# - into an output folder, under the C locale and under a German one (whose
#   decimal comma must not reach the stand files): the About box from a right
#   click, closed with Return, then Run and Exit; the stand files and the
#   settings file are checked;
# - into a single output file: the save chooser opened on a name without an
#   extension, which it completes with ".txt", the question whether to
#   replace that file answered Replace, Run and Escape.
# Usage: canopex_e2e.sh CANOPEX WINDOW_PROBE SOURCE_DIR
set -eu
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$(dirname "$0")/../../cmake/run-on-xvfb" sh "$0" "$@"
exe=$1 probe=$2 source=$3
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/app/canopex_window_support.sh"
. "$source/tests/package/package_support.sh"

check_settings() {
  for line in "$@" "InputFile=$work/three-stands.trl" MinDiam=1 Compress=1 CreateDir=0 \
    Keep=me CutListCount=3 TreesCount=44 TreesTPAZeroCount=4 TreesBelowDiamCount=1 \
    ErrMessage= "CutListIndicator='COMPLETE CUT  LIST'"; do
    grep -qxF -- "$line" "$work/canopex.ini" || fail "settings lack: $line"
  done
}

[ "$(LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" = "," ] ||
  fail "the locale de_DE.UTF-8 (with a decimal comma) is not installed"
copy_program_into_work "$exe"
cp "$source/samples/three-stands.trl" "$work/"
expected="$source/tests/convert/cases/sample-report-compressed/expected/out"

for locale in C de_DE.UTF-8; do
  echo "Into a folder under LC_ALL=$locale"
  rm -rf "$work/out" && mkdir "$work/out"
  printf '[Setup]\nInputFile=%s\nOutputDir=%s\n[Custom]\nKeep=me\n' \
    "$work/three-stands.trl" "$work/out" >"$work/canopex.ini"
  start_program "$locale"

  if [ "$locale" = C ]; then
    echo "About box from a right click on the background"
    point_at point 470 15
    xdotool click 3
    # The open menu holds the keyboard.
    wait_for other_window || fail "no context menu opened"
    xdotool key Down Return
    wait_for window_named "About Canopex" || fail "the context menu did not open the About box"
    press_in "$(window_named "About Canopex")" Return
    wait_for no_window_named "About Canopex" || fail "Return did not close the About box"
  fi

  click 1007
  wait_for grep -q '^CutListCount=3' "$work/canopex.ini" || fail "Run converted nothing"
  close_window_with click 2
  check_sample_stand_files "$work/out"
  check_settings "OutputDir=$work/out" OutputFile=
done

echo "Into a single file chosen with the save chooser"
echo "an earlier run" >"$work/all-stands.txt"
printf '[Setup]\nInputFile=%s\nOutputFile=%s\n[Custom]\nKeep=me\n' \
  "$work/three-stands.trl" "$work/all-stands" >"$work/canopex.ini"
start_program C
click 1006
wait_for window_named "Save As" || fail "Browse opened no save chooser"
# The chooser shows the name "all-stands" in the folder; Return saves it as
# "all-stands.txt", and the program asks whether to replace that file, in a
# window without a title.
press_in "$(window_named "Save As")" Return
wait_for untitled_window || fail "the save chooser did not ask whether to replace the file"
press_in "$(untitled_window)" alt+r
wait_for no_window_named "Save As" || fail "the save chooser did not close with Replace"
click 1007
wait_for grep -q '^CutListCount=3' "$work/canopex.ini" || fail "Run converted nothing"
close_window_with press_in "$main_window" Escape
for file in "$expected"/*; do tail -n +2 "$file"; done | sort >"$work/expected-rows"
tail -n +2 "$work/all-stands.txt" | sort | cmp - "$work/expected-rows" ||
  fail "all-stands.txt does not hold every stand's rows"
check_settings "OutputFile=$work/all-stands.txt" OutputDir=

echo "canopex converted the sample report as it was told, under both locales"
