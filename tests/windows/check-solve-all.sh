#!/bin/sh
# morvane-solve.exe under Wine lists every tiling of the empty board exactly
# as the Linux build does: the 2339 tilings the program carries, each once,
# one a line (the Windows C runtime ends lines with CR LF; the tilings
# themselves must not differ). `all` lists them in the search's order and the
# carried list in its own, so each line is compared in its least image: the
# least of the line, the line turned by 180 degrees (read backwards), each row
# reversed (mirrored left to right) and the rows in reverse order (top to
# bottom).
# Usage: check-solve-all.sh wine-run.sh PREFIX morvane-solve.exe emptyboard-tilings.inc
set -u
run=$1 prefix=$2 program=$3 list=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
sh "$run" "$prefix" "$program" all >"$work/out" || { echo "FAIL: morvane-solve all failed"; exit 1; }
tr -d '\r' <"$work/out" >"$work/windows"
count=$(wc -l <"$work/windows")
[ "$count" -eq 2339 ] || { echo "FAIL: $count lines, expected 2339"; exit 1; }
awk -F/ '
function backwards(s,   r, i) { r = ""; for (i = length(s); i > 0; i--) r = r substr(s, i, 1); return r }
{
    mirrored = ""; flipped = ""
    for (i = 1; i <= NF; i++) {
        mirrored = mirrored (i > 1 ? "/" : "") backwards($i)
        flipped = flipped (i > 1 ? "/" : "") $(NF + 1 - i)
    }
    least = $0
    if (backwards($0) < least) least = backwards($0)
    if (mirrored < least) least = mirrored
    if (flipped < least) least = flipped
    print least
}' "$work/windows" | sort >"$work/least"
sed -n 's/^"\(.*\)",$/\1/p' "$list" >"$work/carried"
cmp -s "$work/least" "$work/carried" || { echo "FAIL: the tilings differ from the carried list"; diff "$work/least" "$work/carried" | head; exit 1; }
if cmp -s "$work/windows" "$work/out"; then endings="LF"; else endings="CR LF"; fi
echo "morvane-solve all: 2339 tilings, the carried ones, lines end in $endings"
