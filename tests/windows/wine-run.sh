#!/bin/sh
# Runs one Windows program under Wine for ctest: the emulator of the Windows
# tree's tests. Usage: wine-run.sh [--own-session] PREFIX program.exe [args...]
#
# Wine's own services start with the first Wine process of a session and
# keep its standard streams; under ctest those are the test's pipe, and ctest
# would wait for them to close. So, once per session and under a lock, the
# prefix is made if it is missing, a wineserver is started that outlives the
# test by 30 s, and the services are started by a process whose streams all
# go to /dev/null (and which does not hold the lock). Only then does the
# program itself run, with the test's streams.
#
# A program with windows takes --own-session (and runs alone): Wine's desktop
# belongs to the session and to the X server it was started on, so the
# session is begun afresh on this one, and ended with the program.
#
# A test program asked for the list of its cases (--gtest_list_tests, as
# CMake's test discovery asks) writes it with Windows line ends; the list is
# passed on with plain ones, which is what the discovery reads.
set -eu

own_session=
if [ "${1:-}" = --own-session ]; then
    own_session=yes
    shift
fi
WINEPREFIX=${1:?usage: wine-run.sh [--own-session] PREFIX program.exe [args...]}
shift
export WINEPREFIX WINEDEBUG=-all
# No offer to fetch Mono or Gecko while the prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 9>&-
        wineserver -w 9>&-
    fi
    if [ -n "$own_session" ]; then
        wineserver -k >/dev/null 2>&1 9>&- || true
        wineserver -w 9>&-
    else
        wineserver -p30 </dev/null >/dev/null 2>&1 9>&- || true
    fi
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
) 9>"$WINEPREFIX.lock"

listing=
for arg; do
    case $arg in --gtest_list_tests) listing=yes ;; esac
done
if [ -z "$own_session" ] && [ -z "$listing" ]; then
    exec wine "$@"
fi
status=0
if [ -n "$listing" ]; then
    list=$(wine "$@") || status=$?
    printf '%s\n' "$list" | tr -d '\r'
else
    wine "$@" || status=$?
fi
# The session ends with the program, and is gone before the next one begins.
if [ -n "$own_session" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
fi
exit "$status"
