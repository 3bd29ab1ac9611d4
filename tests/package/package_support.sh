# Helpers of the package checks; sourced after tests/app/gui_test_support.sh.
# They use $source (the project folder).

# The files (and links) under the folder $1 are exactly those listed in the
# file $2, each with the prefix $3 and @VERSION@ replaced by $4.
check_file_list() {
  actual=$(cd "$1" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
  expected=$(sed -e "s|^|$3|" -e "s|@VERSION@|${4:-}|g" "$2" | LC_ALL=C sort)
  if [ "$actual" != "$expected" ]; then
    printf '%s\n' "$expected" >"$1.expected-files"
    printf '%s\n' "$actual" | diff "$1.expected-files" - >&2 || true
    fail "the files in $1 are not the listed ones"
  fi
}

# The stand files in the folder $1 are the sample report's, converted with
# the default settings, byte for byte.
check_sample_stand_files() {
  expected="$source/tests/convert/cases/sample-report-compressed/expected/out"
  for file in "$expected"/*; do
    cmp "$file" "$1/$(basename "$file")" || fail "$1/$(basename "$file") differs"
  done
  [ "$(ls "$1" | wc -l)" -eq "$(ls "$expected" | wc -l)" ] || fail "extra stand files in $1"
}

# The width and height of the PNG picture $1, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8}'
}

# The user guide's HTML page $1 stands alone: a title, and its screenshots
# inside it rather than beside it.
check_guide_page() {
  grep -q '<h1' "$1" || fail "the user guide has no title"
  [ "$(grep -o 'src="data:image/png;base64,' "$1" | wc -l)" -ge 2 ] ||
    fail "the user guide lacks its screenshots"
  ! grep -q 'src="[^d][^"]*\.png"' "$1" || fail "the user guide points at pictures outside itself"
}

# What an installation under the prefix $1 of version $2 holds besides the programs: a
# valid desktop entry, an icon of each size, manual pages that render
# without warnings, the user guide with its screenshots inside and the
# sample report.
check_installed_extras() {
  desktop-file-validate "$1/share/applications/canopex.desktop" || fail "invalid desktop entry"
  grep -qx 'Exec=canopex' "$1/share/applications/canopex.desktop" || fail "desktop entry runs something else"
  for folder in "$1"/share/icons/hicolor/*/apps; do
    size=$(basename "$(dirname "$folder")")
    [ "$(png_size "$folder/canopex.png")" = "$size" ] || fail "the $size icon is $(png_size "$folder/canopex.png")"
  done
  for page in "$1"/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings: $warnings"
    name=$(basename "$page" .1.gz)
    MANWIDTH=80 man -l "$page" 2>/dev/null | sed -n '/^NAME/{n;p;}' | grep -q "^ *$name - " ||
      fail "$(basename "$page") is not the page of $name"
    zcat "$page" | grep -q "^\\.TH .*\"Canopex $2\"" || fail "$(basename "$page") is not of version $2"
  done
  check_guide_page "$1/share/doc/canopex/user-guide.html"
  cmp "$1/share/doc/canopex/examples/three-stands.trl" "$source/samples/three-stands.trl" ||
    fail "the sample report differs"
}
