# Sourced by the tests that drive real windows. start_private_display SIZE
# starts an Xvfb of the test's own (SIZE as 1024x768) on a display number it
# picks itself, which it writes to $work/display once it listens; waits for
# it at most $wait_limit seconds; and exports DISPLAY. xvfb_pid is the
# server, for the test's cleanup to end. Needs $work, $wait_limit and fail.
start_private_display() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    tries=0
    until [ -s "$work/display" ]; do
        tries=$((tries + 1))
        [ "$tries" -le $((wait_limit * 10)) ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
}
