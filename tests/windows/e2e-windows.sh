#!/bin/sh
# The real morvane.exe under Wine on a private X server with a window manager,
# played at 96 and at 144 DPI as a player would with mouse and keyboard:
#
#   the splash opens with an empty caption, and Enter on it opens "Puzzle !";
#   the board's lines and the pieces' start layout are at their pixels
#   (twips / 15 at 96 DPI, twips / 10 at 144, from the client area's corner);
#   from the focus on Help, keys alone lay three pieces of a known solution
#   (Tab to the next piece, the arrows move it, R turns it, H mirrors it),
#   and Ctrl+S saves them where the solution has them; F10, Down, Enter (File >
#   New) start again;
#   a drag onto the board snaps, a right press turns a piece, judged from the
#   screen against the rules replayed on this machine (e2e_positions);
#   Ctrl+S through the Save As dialog writes the very bytes this machine's
#   build of the rules writes for the same moves;
#   Ctrl+O of a completed position, written by morvane-solve.exe, fills the board;
#   Ctrl+O of a named pipe is refused at once with the game's message;
#   File > Exit ends the process.
#
# Usage: e2e-windows.sh morvane.exe morvane-solve.exe e2e_positions WORK-FOLDER
# The work folder holds the test's own Wine prefix (made on first use), the
# files it saves and the screenshots, left there for a look after a failure.
# Fails, never skips, when a tool is missing; every wait has a time limit.
set -u

game=${1:?usage: e2e-windows.sh morvane.exe morvane-solve.exe e2e_positions WORK-FOLDER}
solve=${2:?}
positions=${3:?}
work=${4:?}
wait_limit=15

fail() {
    echo "e2e-windows: FAIL${dpi:+ at $dpi DPI}: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -silent -window root "$work/failed.png" 2>/dev/null \
        && echo "e2e-windows: the screen is in $work/failed.png" >&2
    exit 1
}

for tool in Xvfb openbox xdotool xwininfo xprop import convert wine wineboot wineserver timeout; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (tools/install-deps windows installs it)"
done
for file in "$game" "$solve" "$positions"; do
    [ -f "$file" ] || fail "no $file"
done

mkdir -p "$work"
work=$(cd "$work" && pwd)
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
files="$work/files"
rm -rf "$files"
mkdir -p "$files"
log="$work/wine.log"
: >"$log"
# The folder as the game's file dialogs take it.
windows_files="Z:$(printf '%s' "$files" | tr / '\\')"

xvfb_pid="" wm_pid="" game_pid="" dpi=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Every Wine process writes to the log, never to the caller's streams: Wine's
# services outlive the process that starts them, and would hold a pipe open.
quietly() { "$@" </dev/null >>"$log" 2>&1 9>&-; }

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    quietly wineboot -i || fail "could not make the Wine prefix: $(tail -n 5 "$log")"
    quietly wineserver -w
fi

. "$(dirname "$0")/../private-display.sh"
start_private_display 1280x1024
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!

# A completed position from the companion, made from the start position.
"$positions" 96 file 0 >"$files/start.txt" || fail "e2e_positions could not write the start position"
quietly wine "$solve" complete "$windows_files\\start.txt" -o "$windows_files\\solved.txt" \
    || fail "morvane-solve.exe complete failed: $(tail -n 5 "$log")"
mkfifo "$files/pipe.txt" || fail "no named pipe"

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
# The first visible window that matches, within the given seconds. Polled
# rather than --sync: a window Wine destroys during a search ends that search.
find_window() {
    seconds=$1
    shift
    tries=0
    while [ "$tries" -le $((seconds * 10)) ]; do
        found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$found" ] && { echo "$found"; return 0; }
        tries=$((tries + 1))
        sleep 0.1
    done
}
wait_for() { find_window "$wait_limit" --name "$1"; }
shot() {
    import -silent -window root "$work/$1.png" && convert "$work/$1.png" -depth 8 "$work/$1.ppm" \
        || fail "no screenshot"
}
# Checks the screen against the rules after the given events, until it
# matches or the time is up (a repaint may be on its way).
check_screen() {
    name=$1
    shift
    tries=0
    while :; do
        shot "$name"
        "$positions" "$dpi" check "$work/$name.ppm" "$ox" "$oy" "$@" >"$work/$name.txt" && return 0
        tries=$((tries + 1))
        [ "$tries" -lt 10 ] || fail "the screen ($work/$name.png) does not show the position: $(head -n 13 "$work/$name.txt")"
        sleep 0.3
    done
}
choose_file() {
    xdotool windowfocus --sync "$window" key "$1" || fail "could not press $1"
    dialog=$(wait_for "^$2\$")
    [ -n "$dialog" ] || fail "no \"$2\" dialog after $1"
    sleep 0.3
    xdotool type --delay 10 "$3" || fail "could not type into \"$2\""
    # Wine's name box may offer completions, and a Return while its list
    # opens can be lost; the dialog is gone once one is taken.
    for attempt in 1 2 3; do
        sleep 0.3
        xdotool windowfocus --sync "$dialog" key Return 2>/dev/null
        tries=0
        while [ -n "$(visible "^$2\$")" ] && [ "$tries" -lt 10 ]; do
            tries=$((tries + 1))
            sleep 0.1
        done
        [ -z "$(visible "^$2\$")" ] && return 0
    done
    fail "the \"$2\" dialog did not take $3"
}

saved_within() {
    tries=0
    until [ -s "$1" ] && [ -z "$(visible '^Save As$')" ]; do
        tries=$((tries + 1))
        [ "$tries" -le $((wait_limit * 10)) ] || fail "Ctrl+S wrote no $1"
        sleep 0.1
    done
}
repeat() { i=0; while [ "$i" -lt "$1" ]; do printf '%s ' "$2"; i=$((i + 1)); done; }
# Each square of a position file as its index, left and top.
squares() { awk 'NR <= 60 { print NR - 1, $2 + 0, $1 + 0 }' "$1"; }
# Three pieces of the solution LLLLYYYYNN/LXTTTYNNNF/XXXTZZWFFF/UXUTZPWWFV/
# UUUZZPPWWV/IIIIIPPVVV, square:left:top.
laid_by_keys="5:4080:720 6:4320:720 7:4080:960 8:4080:480 9:3840:720 10:4080:1200 11:3840:1200 12:3840:960"
laid_by_keys="$laid_by_keys 13:4320:1200 14:4320:960 20:4800:960 21:4800:1200 22:4560:1200 23:4800:720 24:5040:720"

for dpi in 96 144; do
    quietly wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        || fail "could not set the DPI"
    wine "$game" </dev/null >>"$log" 2>&1 &
    game_pid=$!

    splash=$(find_window "$wait_limit" --classname '^morvane.exe$')
    [ -n "$splash" ] || fail "no splash window appeared: $(tail -n 5 "$log")"
    [ -z "$(visible '^Puzzle !$')" ] || fail "the game window opened before Continue"
    for property in WM_NAME _NET_WM_NAME; do
        title=$(xprop -id "$splash" "$property" 2>/dev/null)
        case "$title" in
            *' = ' | *' = ""') ;;
            *) fail "the splash window's $property is not empty: $title" ;;
        esac
    done
    # The first start in a new prefix can still be busy when the splash maps.
    for attempt in 1 2 3; do
        sleep 0.3
        xdotool windowfocus --sync "$splash" key Return 2>/dev/null
        window=$(find_window 5 --name '^Puzzle !$')
        [ -n "$window" ] && break
    done
    [ -n "$window" ] || fail "the window \"Puzzle !\" did not appear"

    # The frame's corner from the X server; the client area begins below the
    # menu bar, at the rule the board draws across the window's top.
    sleep 1
    eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print "wx=" $NF} /Absolute upper-left Y/ {print "wy=" $NF} /Width:/ {print "ww=" $NF}')"
    shot start
    ox=$wx
    oy=$("$positions" "$dpi" origin "$work/start.ppm" "$wx" "$wy" "$ww") || fail "no client area found in $work/start.png"
    check_screen "start-$dpi"

    # The X moved, the U turned twice and moved, the Z mirrored and moved.
    # shellcheck disable=SC2046
    xdotool windowfocus --sync "$window" key --delay 20 Tab Tab $(repeat 10 Right) $(repeat 7 Up) \
        Tab r r $(repeat 5 Right) $(repeat 5 Up) Tab Tab h $(repeat 2 Left) $(repeat 6 Up) \
        || fail "xdotool could not type the keys"
    choose_file ctrl+s "Save As" "$windows_files\\keys-$dpi.txt"
    saved_within "$files/keys-$dpi.txt"
    laid=$(squares "$files/start.txt" | awk -v laid="$laid_by_keys" 'BEGIN {
        n = split(laid, square, " ")
        for (i = 1; i <= n; i++) { split(square[i], at, ":"); place[at[1]] = at[2] " " at[3] } }
        { print $1, ($1 in place) ? place[$1] : $2 " " $3 }')
    [ "$(squares "$files/keys-$dpi.txt")" = "$laid" ] \
        || fail "the keys did not lay the pieces where the solution has them: $(squares "$files/keys-$dpi.txt" | sed -n '6,25p' | tr '\n' ',')"
    check_screen "keys-$dpi" "load=$files/keys-$dpi.txt"
    # The menu from the keyboard, the piece keeping the focus: File > New.
    xdotool windowfocus --sync "$window" key F10 sleep 0.3 key Down sleep 0.3 key Return || fail "could not use the menu"
    check_screen "new-$dpi"

    # A drag from piece 1 onto the board, released between lattice points,
    # then a right press on piece 4.
    set -- $("$positions" "$dpi" centre 5)
    from_x=$1 from_y=$2
    to_x=$((4620 * dpi / 1440)) to_y=$((960 * dpi / 1440))
    set -- $("$positions" "$dpi" centre 20)
    turn_x=$1 turn_y=$2
    moves="down:L:$from_x:$from_y move:L:$to_x:$to_y up:L:$to_x:$to_y down:R:$turn_x:$turn_y up:R:$turn_x:$turn_y"
    xdotool mousemove $((ox + from_x)) $((oy + from_y)) mousedown 1 sleep 0.2 \
        mousemove $((ox + to_x)) $((oy + to_y)) sleep 0.2 mouseup 1 sleep 0.2 \
        mousemove $((ox + turn_x)) $((oy + turn_y)) click 3 || fail "xdotool could not drag"
    # shellcheck disable=SC2086
    check_screen "played-$dpi" $moves

    saved="$files/saved-$dpi.txt"
    choose_file ctrl+s "Save As" "$windows_files\\saved-$dpi.txt"
    saved_within "$saved"
    counter=$(tail -n 1 "$saved" | tr -d '\r\n')
    case "$counter" in
        '' | *[!0-9]*) fail "the saved counter is not a count of seconds: '$counter'" ;;
    esac
    # shellcheck disable=SC2086
    "$positions" "$dpi" file "$counter" $moves >"$work/expected-$dpi.txt"
    cmp "$saved" "$work/expected-$dpi.txt" || fail "the saved file differs from what the rules write"

    choose_file ctrl+o Open "$windows_files\\solved.txt"
    check_screen "solved-$dpi" "load=$files/solved.txt"
    grep -q ' 0 empty board cells$' "$work/solved-$dpi.txt" || fail "the completed position leaves the board open"

    choose_file ctrl+o Open "$windows_files\\pipe.txt"
    message=$(find_window 5 --name '^Morvane$')
    [ -n "$message" ] || fail "opening a named pipe brought no message within 5 s"
    check_screen "refused-$dpi" "load=$files/solved.txt"
    xdotool windowfocus --sync "$message" key Return || fail "could not close the message"
    tries=0
    while [ -n "$(visible '^Morvane$')" ]; do
        tries=$((tries + 1))
        [ "$tries" -le $((wait_limit * 10)) ] || fail "the message did not close"
        sleep 0.1
    done

    # File > Exit with the mouse on the menu bar, then the keyboard in the menu.
    xdotool windowfocus --sync "$window" mousemove $((ox + 14 * dpi / 96)) $(((wy + oy) / 2)) click 1 sleep 0.5 \
        key Down Down Return || fail "could not use the menu"
    tries=0
    while kill -0 "$game_pid" 2>/dev/null && ! ps -o stat= -p "$game_pid" | grep -q Z; do
        tries=$((tries + 1))
        [ "$tries" -le $((wait_limit * 10)) ] || fail "File > Exit did not end the program"
        sleep 0.1
    done
    wait "$game_pid"
    game_pid=""
    echo "e2e-windows: $dpi DPI: splash, Enter, board and layout ($(head -c 40 "$work/start-$dpi.txt" | sed 's/,.*//')), drag, turn, save, load, refusal, exit"
done
echo "e2e-windows: all passed"
