#!/bin/sh
# Shows that converting holds one cut list at a time: a report of at least
# 100 MB made of many cut lists must peak at about the memory of converting
# its largest cut list alone, not at anything that grows with the report.
# Usage: memory_bound_test.sh CANOPEX_MAKE_REPORT CANOPEX_CONVERT WORK_FOLDER
set -eu
make_report=$1 convert=$2 work=$3
largest=50000
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Peak resident memory of a conversion, in KB (GNU time's %M).
peak_kb() {
  /usr/bin/time -f %M -o "$work/peak" "$convert" "$1" -d "$2" -s "$work/settings.ini" \
    >"$work/counts" || { echo "FAIL: conversion of $1 failed" >&2; cat "$work/counts" >&2; exit 1; }
  cat "$work/peak"
}

"$make_report" --trees "$largest" --largest "$largest" "$work/largest.trl" >/dev/null
"$make_report" --trees 1200000 --largest "$largest" "$work/large.trl" >"$work/made"
size=$(wc -c <"$work/large.trl")
[ "$size" -ge 100000000 ] || { echo "FAIL: the large report has only $size bytes" >&2; exit 1; }

alone=$(peak_kb "$work/largest.trl" "$work/out-largest")
whole=$(peak_kb "$work/large.trl" "$work/out-large")
cut_lists=$(sed -n 's/^Cut list count: //p' "$work/counts")
made=$(sed -n 's/^\([0-9]*\) cut lists.*/\1/p' "$work/made")
echo "largest cut list alone: $alone KB; whole report ($size bytes, $cut_lists cut lists): $whole KB"

[ "$cut_lists" = "$made" ] || { echo "FAIL: $cut_lists cut lists converted, $made written" >&2; exit 1; }
# A tenth of slack (and 2 MB) for the allocator; a report held whole would
# need more than 100 MB.
limit=$((alone + alone / 10 + 2048))
[ "$whole" -le "$limit" ] || { echo "FAIL: peak $whole KB above $limit KB" >&2; exit 1; }
[ "$whole" -lt 65536 ] || { echo "FAIL: peak $whole KB is 64 MB or more" >&2; exit 1; }
