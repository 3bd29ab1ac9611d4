#!/bin/sh
# `cmake --install` of a portable Linux build into a temporary prefix: the
# listed files and nothing else, and the installed canopex-convert converts
# the installed sample report with its settings beside itself, never in the
# user's home folder.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -eu
build=$1 source=$2 version=$3
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/package/package_support.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install failed"
check_file_list "$work/prefix" "$source/tests/package/installed-files.txt" ""
check_installed_extras "$work/prefix" "$version"

mkdir "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$work/prefix/bin/canopex-convert" \
  "$work/prefix/share/doc/canopex/examples/three-stands.trl" -d "$work/out" >"$work/counts" ||
  fail "the installed canopex-convert failed"
check_sample_stand_files "$work/out"
grep -qx 'CutListCount=3' "$work/prefix/bin/canopex.ini" || fail "no settings beside the program"
[ -z "$(ls -A "$work/home")" ] || fail "the portable program wrote into the home folder"
echo "the installed tree holds the listed files and converts the sample"
