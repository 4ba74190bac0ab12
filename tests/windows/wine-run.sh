#!/bin/sh
# Runs one Windows program under Wine for ctest: the emulator of the Windows
# tree's tests. Usage: wine-run.sh PREFIX program.exe [args...]
#
# Wine's own services start with the first Wine process of a session and
# keep its standard streams; under ctest those are the test's pipe, and ctest
# would wait for them to close. So, once per session and under a lock, the
# prefix is made if it is missing, a wineserver is started that outlives the
# test by 30 s, and the services are started by a process whose streams all
# go to /dev/null (and which does not hold the lock). Only then does the
# program itself run, with the test's streams.
set -eu

WINEPREFIX=${1:?usage: wine-run.sh PREFIX program.exe [args...]}
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
    wineserver -p30 </dev/null >/dev/null 2>&1 9>&- || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
) 9>"$WINEPREFIX.lock"

exec wine "$@"
