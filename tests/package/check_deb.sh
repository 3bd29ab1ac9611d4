#!/bin/sh
# Checks the Debian package as a user gets it: its control fields, that
# lintian finds nothing, that it holds the listed files and nothing else; then
# installs it into a throwaway root (dpkg-deb -x) and uses the programs from
# there: canopex-convert keeps its settings in $XDG_CONFIG_HOME/canopex or
# ~/.config/canopex, and the window, started with such a settings file, runs
# the sample report and writes the file back.
# Usage: check_deb.sh PACKAGE.deb WINDOW_PROBE SOURCE_DIR VERSION
set -eu
[ -n "${CANOPEX_ON_XVFB:-}" ] || exec "$(dirname "$0")/../../cmake/run-on-xvfb" sh "$0" "$@"
deb=$1 probe=$2 source=$3 version=$4
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/app/canopex_window_support.sh"
. "$source/tests/package/package_support.sh"

work=$(mktemp -d)
program=""
trap 'cleanup_work' EXIT

echo "Control fields and lintian"
[ "$(dpkg-deb -f "$deb" Package)" = canopex ] || fail "the package is not named canopex"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not of version $version"
dpkg-deb -f "$deb" Depends | grep -q 'libwxgtk3.2' || fail "the package does not depend on wxGTK"
findings=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$findings" ] || fail "lintian: $findings"

echo "Contents, in a throwaway root"
root="$work/root"
dpkg-deb -x "$deb" "$root"
check_file_list "$root" "$source/tests/package/installed-files.txt" "usr/"
check_installed_extras "$root/usr" "$version"
zcat "$root/usr/share/doc/canopex/changelog.gz" | head -n 1 | grep -q "^canopex ($version) " ||
  fail "the changelog's last entry is not of version $version"
sample="$root/usr/share/doc/canopex/examples/three-stands.trl"

# Converts the sample with the packaged canopex-convert into the folder $1,
# in the environment given by the rest (as env takes it), and checks the
# stand files and that the run's counts went into the settings file $2.
convert_sample() {
  out=$1 settings=$2
  shift 2
  env "$@" "$root/usr/bin/canopex-convert" "$sample" -d "$out" >/dev/null ||
    fail "canopex-convert failed"
  check_sample_stand_files "$out"
  grep -qx 'CutListCount=3' "$settings" || fail "no settings in $settings"
}
mkdir "$work/home"
echo "canopex-convert with settings in ~/.config/canopex"
convert_sample "$work/out-home" "$work/home/.config/canopex/canopex.ini" \
  -u XDG_CONFIG_HOME HOME="$work/home"
echo "canopex-convert with settings in \$XDG_CONFIG_HOME/canopex"
convert_sample "$work/out-xdg" "$work/xdg/canopex/canopex.ini" \
  HOME="$work/home" XDG_CONFIG_HOME="$work/xdg"
[ "$(ls "$root/usr/bin")" = "$(printf 'canopex\ncanopex-convert')" ] ||
  fail "a program wrote beside itself"

echo "The window, with its settings in ~/.config/canopex"
rm -rf "$work/home/.config/canopex"
mkdir -p "$work/home/.config/canopex" "$work/out-window"
printf '[Setup]\nInputFile=%s\nOutputDir=%s\n' "$sample" "$work/out-window" \
  >"$work/home/.config/canopex/canopex.ini"
env -u XDG_CONFIG_HOME HOME="$work/home" "$root/usr/bin/canopex" &
program=$!
wait_for window_named Canopex || fail "the window did not open"
main_window=$(window_named Canopex)
click 1007
wait_for grep -q '^CutListCount=3' "$work/home/.config/canopex/canopex.ini" ||
  fail "Run converted nothing"
close_window_with click 2
check_sample_stand_files "$work/out-window"
echo "the Debian package installs, converts the sample and keeps settings per user"
