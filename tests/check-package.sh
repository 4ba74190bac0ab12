#!/bin/sh
# The Debian package as a packager and a player would check it: lintian with
# no error and no warning, the desktop file and the AppStream entry valid, the
# man pages without a groff warning, every icon size in place, the program
# itself starting from the unpacked package (its banners and icon are compiled
# into it) and still running when it is stopped, and the companion answering.
#
# Usage: check-package.sh path/to/morvane_<version>_<arch>.deb
# Fails, never skips, when a tool is missing.
set -u

deb=${1:?usage: check-package.sh path/to/morvane_VERSION_ARCH.deb}
app_id=org.morvane.Morvane
run_seconds=5

fail() {
    echo "check-package: FAIL: $*" >&2
    exit 1
}

for tool in lintian desktop-file-validate appstreamcli dpkg-deb groff timeout; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (tools/install-deps package installs it)"
done
[ -f "$deb" ] || fail "no package at $deb"

work=$(mktemp -d) || fail "no temporary directory"
trap 'rm -rf "$work"' EXIT

echo "check-package: lintian $deb"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian"

dpkg-deb -x "$deb" "$work/root" || fail "cannot unpack $deb"
root=$work/root

desktop_file=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[ -f "$desktop_file" ] || fail "no desktop file $app_id.desktop"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate"
# --strict fails on warnings and informational notes alike; pedantic ones pass.
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"

for name in morvane morvane-solve; do
    page=$root/usr/share/man/man6/$name.6.gz
    [ -f "$page" ] || fail "no man page $name(6)"
    warnings=$(gzip -dc "$page" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "groff on $name(6): $warnings"
done

icon=$(sed -n 's/^Icon=//p' "$desktop_file")
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] || fail "no ${size}x$size icon $icon.png"
done
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"

# The program shows its splash window and waits for the player: timeout's
# 124 means it was still running when stopped. Any other status is a crash
# or an early exit.
program=$root/usr/games/morvane
[ -x "$program" ] || fail "no program in usr/games"
echo "check-package: starting $program for $run_seconds seconds"
QT_QPA_PLATFORM=offscreen timeout "$run_seconds" "$program" </dev/null
status=$?
[ "$status" -eq 124 ] || fail "the installed program ended by itself with status $status"

# The companion answers from the package too: the tilings of the empty board.
tilings=$("$root/usr/games/morvane-solve" all | wc -l) || fail "the installed morvane-solve failed"
[ "$tilings" -eq 2339 ] || fail "the installed morvane-solve found $tilings tilings, not 2339"

echo "check-package: $deb passes"
