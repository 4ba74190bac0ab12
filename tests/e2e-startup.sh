#!/bin/sh
# The real program on a real X server: it opens with the splash window, whose
# caption is empty where the window manager reads it, Enter on the splash
# opens the game window "Puzzle !", the splash goes and the program keeps
# running. The server is a private Xvfb on a display it picks
# itself, so the test runs beside anything else.
#
# Usage: e2e-startup.sh path/to/morvane
# Fails, never skips, when a tool is missing; every wait has a time limit.
set -u

program=${1:?usage: e2e-startup.sh path/to/morvane}
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
