#!/bin/sh
# Checks the Windows zip as a user gets it: it holds the listed files and
# nothing else; unpacked, canopex-convert.exe converts the sample report in
# it with its settings beside itself, and Canopex.exe starts and converts the
# sample when Run is pressed (tests/app/canopex_exe_e2e.sh, under Wine).
# Usage: check_zip.sh PACKAGE.zip WINDOW_PROBE_EXE SOURCE_DIR VERSION WINEPREFIX
set -eu
zip=$1 probe_exe=$2 source=$3 version=$4 prefix=$5
. "$source/tests/app/gui_test_support.sh"
. "$source/tests/package/package_support.sh"

work=$(mktemp -d)
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "Contents"
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$zip") || fail "the zip does not unpack"
check_file_list "$work/unpacked" "$source/tests/package/zip-files.txt" "" "$version"
folder="$work/unpacked/Canopex-$version-win32"
cmp "$folder/three-stands.trl" "$source/samples/three-stands.trl" || fail "the sample report differs"
check_guide_page "$folder/UserGuide.html"

echo "canopex-convert.exe on the sample beside it"
(cd "$folder" && "$source/cmake/run-under-wine" "$prefix" ./canopex-convert.exe three-stands.trl -d out \
  >"$work/counts") || fail "canopex-convert.exe failed"
tr -d '\r' <"$work/counts" | grep -qx 'Cut list count: 3' || fail "unexpected counts"
check_sample_stand_files "$folder/out"
grep -q '^CutListCount=3' "$folder/canopex.ini" || fail "no settings beside canopex-convert.exe"

echo "Canopex.exe from the unpacked folder"
# Wine's desktop process keeps the display it started with: end the prefix's
# programs before the window opens on the virtual screen.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
sh "$source/tests/app/canopex_exe_e2e.sh" "$folder/Canopex.exe" "$probe_exe" "$source" "$prefix" ||
  fail "Canopex.exe from the zip did not convert the sample"
echo "the Windows zip unpacks, starts and converts the sample"
