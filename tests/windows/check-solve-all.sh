#!/bin/sh
# morvane-solve.exe under Wine lists every tiling of the empty board exactly
# as the Linux build does: the 2339 tilings the program carries, in their
# order, one a line (the Windows C runtime may end lines with CR LF; the
# tilings themselves must not differ).
# Usage: check-solve-all.sh wine-run.sh PREFIX morvane-solve.exe emptyboard-tilings.inc
set -u
run=$1 prefix=$2 program=$3 list=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$run" "$prefix" "$program" all >"$work/out" || { echo "FAIL: morvane-solve all failed"; exit 1; }
tr -d '\r' <"$work/out" >"$work/windows"
sed -n 's/^"\(.*\)",$/\1/p' "$list" >"$work/carried"
count=$(wc -l <"$work/windows")
[ "$count" -eq 2339 ] || { echo "FAIL: $count lines, expected 2339"; exit 1; }
cmp -s "$work/windows" "$work/carried" || { echo "FAIL: the tilings differ from the carried list"; diff "$work/windows" "$work/carried" | head; exit 1; }
if cmp -s "$work/windows" "$work/out"; then endings="LF"; else endings="CR LF"; fi
echo "morvane-solve all: 2339 tilings, as carried, lines end in $endings"
