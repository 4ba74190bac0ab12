#!/bin/sh
# The real program on a real X server: it opens with the splash window, whose
# caption is empty where the window manager reads it, Enter on the splash
# opens the game window "Puzzle !", the splash goes and the program keeps
# running. Then a player with only a keyboard lays three pieces of a known
# solution (the X, the U turned twice and the Z mirrored left to right) and
# saves with Ctrl+S, and morvane-solve finds those three on the board. The
# server is a private Xvfb on a display it picks itself, so the test runs
# beside anything else.
#
# Usage: e2e-startup.sh path/to/morvane path/to/morvane-solve
# Fails, never skips, when a tool is missing; every wait has a time limit.
set -u

program=${1:?usage: e2e-startup.sh path/to/morvane path/to/morvane-solve}
solver=${2:?usage: e2e-startup.sh path/to/morvane path/to/morvane-solve}
wait_limit=20

fail() {
    echo "e2e-startup: FAIL: $*" >&2
    exit 1
}

for tool in Xvfb xdotool xwininfo xprop timeout; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (tools/install-deps installs it)"
done
[ -x "$program" ] || fail "no program at $program"

work=$(mktemp -d) || fail "no temporary directory"
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

. "$(dirname "$0")/private-display.sh"
start_private_display 1024x768

env -u QT_QPA_PLATFORM "$program" >"$work/program.log" 2>&1 &
game_pid=$!

splash=$(timeout "$wait_limit" xdotool search --sync --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1)
[ -n "$splash" ] || fail "no splash window appeared: $(cat "$work/program.log")"
xdotool search --onlyvisible --name '^Puzzle !$' >/dev/null 2>&1 && fail "the game window opened before Continue"

# Both the old and the new title property, each as empty as the caption.
for property in WM_NAME _NET_WM_NAME; do
    title=$(xprop -id "$splash" "$property" 2>/dev/null)
    case "$title" in
        *' = ' | *' = ""') ;;
        *) fail "the splash window's $property is not empty: $title" ;;
    esac
done

# Focus the splash, then type Enter as a player would.
timeout "$wait_limit" xdotool windowfocus --sync "$splash" || fail "could not focus the splash window"
timeout "$wait_limit" xdotool key Return || fail "xdotool could not press Return"

timeout "$wait_limit" xdotool search --sync --onlyvisible --name '^Puzzle !$' >/dev/null 2>&1 \
    || fail "the window \"Puzzle !\" did not appear"

tries=0
while xwininfo -id "$splash" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    tries=$((tries + 1))
    [ "$tries" -le $((wait_limit * 10)) ] || fail "the splash window is still on screen"
    sleep 0.1
done

kill -0 "$game_pid" 2>/dev/null || fail "the program ended after Continue"
echo "e2e-startup: the splash handed over to the game window"

# Each key as the game's help page tells it: Tab to the next piece, the
# arrows to move it a square, R to turn it, H to mirror it left to right.
game=$(xdotool search --onlyvisible --name '^Puzzle !$' | head -n 1)
timeout "$wait_limit" xdotool windowfocus --sync "$game" || fail "could not focus the game window"
repeat() { i=0; while [ "$i" -lt "$1" ]; do printf '%s ' "$2"; i=$((i + 1)); done; }
# shellcheck disable=SC2046
xdotool key --delay 5 Tab Tab $(repeat 10 Right) $(repeat 7 Up) \
    Tab r r $(repeat 5 Right) $(repeat 5 Up) \
    Tab Tab h $(repeat 2 Left) $(repeat 6 Up) || fail "xdotool could not type the keys"
xdotool key ctrl+s
dialog=$(timeout "$wait_limit" xdotool search --sync --onlyvisible --pid "$game_pid" --name 'Save' 2>/dev/null | head -n 1)
[ -n "$dialog" ] || fail "Ctrl+S opened no save form"
timeout "$wait_limit" xdotool windowfocus --sync "$dialog" || fail "could not focus the save form"
sleep 1
xdotool type --delay 5 "$work/keys.txt"
xdotool key Return
tries=0
while [ ! -s "$work/keys.txt" ]; do
    tries=$((tries + 1))
    [ "$tries" -le $((wait_limit * 10)) ] || fail "nothing was saved"
    sleep 0.1
done
sleep 0.2
"$solver" check "$work/keys.txt" >"$work/check.txt" 2>&1 || true
grep -qx 'on the board: X U Z' "$work/check.txt" || fail "not the three pieces laid by keys: $(cat "$work/check.txt")"
echo "e2e-startup: three pieces of a solution laid by keys alone"
