#!/bin/sh
# The Windows installer and zip as a player would meet them, under Wine in a
# fresh prefix of the check's own: the installer, run silently, puts the two
# programs, the licence, the read-me and the uninstaller in the player's own
# programs folder, a "Morvane" shortcut with the game's icon in the Start menu
# and the uninstall entry Windows lists; the installed game shows its splash,
# and the installed companion lists the empty board's tilings; installing
# again updates the same folder; the uninstaller, silent too, takes all of it
# away, leaving the prefix's files and its software keys as they were before
# the install. The installer's own file carries the version information and the
# game's icon, and its welcome page the game's pictures. The zip, unpacked,
# holds the same programs, and they run.
#
# Usage: check-windows-package.sh path/to/build-windows
# The facts checked against (version, maker, site, app id) are read from the
# build's generated version header, where CMake wrote them. Fails, never
# skips, when a tool is missing.
set -u

build=${1:?usage: check-windows-package.sh path/to/build-windows}
tilings_expected=2339
wait_seconds=30

# printf, not echo: a Windows path's \r or \n is no escape.
say() {
    printf 'check-windows-package: %s\n' "$*"
}
fail() {
    say "FAIL: $*" >&2
    exit 1
}

for tool in wine wineboot wineserver winepath Xvfb openbox xdotool import unzip x86_64-w64-mingw32-windres od strings; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (tools/install-deps windows installs it)"
done

header=$build/generated/game/version.h
[ -f "$header" ] || fail "no $header: is $build a configured Windows build?"
fact() {
    sed -n "s/.* $1 = \"\\(.*\\)\";/\\1/p" "$header"
}
version=$(fact kVersionText)
company=$(fact kCompanyName)
site=$(fact kMakerAddress)
app_id=$(fact kApplicationId)
[ -n "$version" ] && [ -n "$company" ] && [ -n "$site" ] && [ -n "$app_id" ] || fail "cannot read the facts from $header"

setup=$build/Morvane-$version-win64-setup.exe
zip=$build/Morvane-$version-win64.zip
[ -f "$setup" ] || fail "no installer $setup (make windows-package)"
[ -f "$zip" ] || fail "no zip $zip (make windows-package)"

# Everything lives in the build tree: the prefix, the unpacked zip, the screenshots.
work=$(cd "$build" && pwd)/check-package
rm -rf "$work"
mkdir -p "$work" || fail "cannot make $work"

export WINEPREFIX="$work/wine" WINEDEBUG=-all
# No desktop entries in the user's home for the Start menu shortcut, and no
# offer to install Mono or Gecko into the fresh prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

xvfb_pid=
openbox_pid=
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A display of the check's own, with a window manager: without one Wine draws
# no frames and its hidden windows answer late.
wait_limit=5
. "$(dirname "$0")/private-display.sh"
start_private_display 1024x768
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!

say "a fresh prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || fail "wineboot"
wineserver -w

# A Windows path as Unix sees it, and Windows' own name for a folder.
unix_path() {
    winepath -u "$1" 2>/dev/null | tr -d '\r'
}
windows_env() {
    wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}

# What a player's prefix holds outside Wine's own files: every file and
# folder on drive C but Wine's Windows folder and the user's temporary folder,
# and the software keys of the user and of the machine, less the keys Wine
# itself rewrites at each start. The uninstaller runs from a copy of itself in
# the temporary folder, since no program can delete its own file while it
# runs, and that copy stays there for the system's cleaning of the folder.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print |
        LC_ALL=C sort) > "$1.files"
    : > "$1.keys"
    for root in 'HKCU\Software' 'HKLM\Software'; do
        wine reg query "$root" /s 2>/dev/null | tr -d '\r' |
            grep -v -e 'Wine\\' -e 'Microsoft\\Windows\\CurrentVersion\\Explorer' >> "$1.keys"
    done
    wineserver -w
}
# The first visible window xdotool finds with these arguments, waited for
# up to wait_seconds; empty when none came.
visible_window() {
    found=
    for _ in $(seq $((wait_seconds * 5))); do
        found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$found" ] && break
        sleep 0.2
    done
    echo "$found"
}
# The installer's pages show the game's own pictures: the ones it unpacks for
# its welcome page are those in resources/. It is closed there, having
# changed nothing but its temporary folder.
wine "$setup" >/dev/null 2>&1 &
window=$(visible_window --name "^Morvane $version Setup\$")
[ -n "$window" ] || fail "no installer window within $wait_seconds s"
sleep 1
import -window root "$work/installer-welcome.png" || fail "no screenshot"
for picture in installer-side:modern-wizard installer-header:modern-header; do
    shown=$(find "$WINEPREFIX/drive_c/users" -name "${picture#*:}.bmp" | head -n 1)
    cmp -s "$shown" "$(dirname "$0")/../resources/${picture%:*}.bmp" ||
        fail "the installer shows ${shown:-no ${picture#*:}.bmp}, not resources/${picture%:*}.bmp"
done
kill "$(xdotool getwindowpid "$window")"
wineserver -w
say "the installer's welcome page shows the game's pictures ($work/installer-welcome.png)"

snapshot "$work/before"

uninstall_key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"
local_app_data=$(windows_env LOCALAPPDATA)
app_data=$(windows_env APPDATA)
install_dir="$local_app_data\\Programs\\Morvane"
shortcut="$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Morvane.lnk"
[ -n "$local_app_data" ] && [ -n "$app_data" ] || fail "cannot read the user's folders from Wine"

# The installer's own file: what Windows shows in its properties, and the game's icon.
x86_64-w64-mingw32-windres --input-format=coff -i "$setup" -O rc > "$work/setup.rc" 2>/dev/null ||
    fail "cannot read the installer's resources"
for value in "\"CompanyName\", \"$company\"" "\"ProductName\", \"Morvane\"" \
             "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\""; do
    grep -qF "VALUE $value" "$work/setup.rc" || fail "the installer's version information has no $value"
done
# The icon file's one image (its directory entry gives size and offset) is
# among the installer's icon images, byte for byte.
hex() {
    od -An -v -tx1 "$@" | tr -d ' \n'
}
icon=$(dirname "$0")/../resources/morvane.ico
icon_bytes=$(( 0x$(hex -j 14 -N 4 "$icon" | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/') ))
icon_offset=$(( 0x$(hex -j 18 -N 4 "$icon" | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/') ))
hex -j "$icon_offset" -N "$icon_bytes" "$icon" > "$work/icon.hex"
hex "$setup" | grep -qF -f "$work/icon.hex" || fail "the installer does not carry the game's icon"

say "installing $setup silently"
wine "$setup" /S || fail "the silent install failed"
wineserver -w

dir=$(unix_path "$install_dir")
for file in morvane.exe morvane-solve.exe LICENSE.txt README.txt Uninstall.exe; do
    [ -f "$dir/$file" ] || fail "no $file in $install_dir"
done
link=$(unix_path "$shortcut")
[ -f "$link" ] || fail "no Start menu shortcut $shortcut"
# The shortcut starts the installed game and takes its icon from it.
game="$install_dir\\morvane.exe"
strings -el "$link" > "$work/link.txt"
strings "$link" >> "$work/link.txt"
grep -qiF "$game" "$work/link.txt" || fail "the shortcut does not point to $game"

# Every value of the uninstall entry, as `reg query` prints it.
wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' > "$work/entry.txt"
expect_value() {
    grep -qxF "    $1    $2    $3" "$work/entry.txt" ||
        fail "the uninstall entry has no $1 $2 '$3'; it holds: $(cat "$work/entry.txt")"
}
expect_value DisplayName REG_SZ Morvane
expect_value DisplayVersion REG_SZ "$version"
expect_value Publisher REG_SZ "$company"
expect_value DisplayIcon REG_SZ "$game"
expect_value InstallLocation REG_SZ "$install_dir"
expect_value URLInfoAbout REG_SZ "$site"
expect_value UninstallString REG_SZ "\"$install_dir\\Uninstall.exe\""
expect_value NoModify REG_DWORD 0x1
expect_value NoRepair REG_DWORD 0x1
# The folder's size in KiB, within one KiB a file of rounding.
size=$(sed -n 's/^    EstimatedSize    REG_DWORD    //p' "$work/entry.txt")
[ -n "$size" ] || fail "the uninstall entry has no EstimatedSize"
bytes=$(cat "$dir"/* | wc -c)
size_low=$((bytes / 1024 - 5))
size_high=$((bytes / 1024 + 5))
[ $((size)) -ge "$size_low" ] && [ $((size)) -le "$size_high" ] ||
    fail "EstimatedSize is $((size)) KiB for $bytes bytes of files"

# The game shows its splash, still running when it is stopped.
splash() {
    program=$1
    shot=$2
    wine "$program" >/dev/null 2>&1 &
    window=$(visible_window --class '^morvane\.exe$')
    [ -n "$window" ] || fail "no window from $program within $wait_seconds s"
    # The splash has no caption text, and at 96 dots per inch a client area of
    # 507 x 159 pixels; its tool window frame adds a border and a thin title bar.
    [ -z "$(xdotool getwindowname "$window")" ] ||
        fail "the first window of $program is '$(xdotool getwindowname "$window")', not the splash"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$WIDTH" -ge 507 ] && [ "$WIDTH" -le 530 ] && [ "$HEIGHT" -ge 159 ] && [ "$HEIGHT" -le 200 ] ||
        fail "the first window of $program is $WIDTH x $HEIGHT, not the splash"
    sleep 1
    import -window root "$shot" || fail "no screenshot"
    pid=$(xdotool getwindowpid "$window")
    [ -n "$pid" ] || fail "no process behind the splash"
    kill "$pid"
    wineserver -w
    say "$program showed its splash ($WIDTH x $HEIGHT, $shot)"
}
splash "$game" "$work/splash-installed.png"

tilings=$(wine "$install_dir\\morvane-solve.exe" all 2>/dev/null | wc -l) || fail "the installed morvane-solve failed"
[ "$tilings" -eq "$tilings_expected" ] || fail "the installed morvane-solve found $tilings tilings, not $tilings_expected"
wineserver -w

# The silent uninstall, which hands over to a copy of itself and returns at
# once: done when the folder has gone.
uninstall() {
    say "uninstalling from $1 silently"
    wine "$1\\Uninstall.exe" /S || fail "the silent uninstall failed"
    gone=$(unix_path "$1")
    for _ in $(seq $((wait_seconds * 10))); do
        [ -e "$gone" ] || break
        sleep 0.1
    done
    wineserver -w
    [ ! -e "$gone" ] || fail "$1 is still there: $(ls -A "$gone")"
    [ ! -e "$link" ] || fail "the shortcut is still there"
    wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
}
uninstall "$install_dir"
[ ! -e "$(dirname "$dir")" ] || fail "the installer's programs folder is left: $(ls -A "$(dirname "$dir")")"

# A folder of the player's choosing, with a space in it (/D= comes last and
# unquoted), is where a later install goes too, replacing the files there.
chosen='C:\Morvane Test'
say "installing into $chosen, then again over it"
wine cmd /c "$(winepath -w "$setup" 2>/dev/null | tr -d '\r') /S /D=$chosen" || fail "the install into $chosen failed"
wineserver -w
chosen_dir=$(unix_path "$chosen")
: > "$chosen_dir/README.txt"
wine "$setup" /S || fail "the install over $chosen failed"
wineserver -w
[ ! -e "$dir" ] || fail "the second install went to $install_dir, not $chosen"
unzip -p "$zip" "Morvane-$version-win64/README.txt" | cmp -s - "$chosen_dir/README.txt" ||
    fail "the second install did not replace README.txt in $chosen"
wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' | grep -qxF "    InstallLocation    REG_SZ    $chosen" ||
    fail "the uninstall entry does not name $chosen"
[ -f "$link" ] || fail "no shortcut after the second install"
uninstall "$chosen"

snapshot "$work/after"
diff -u "$work/before.files" "$work/after.files" || fail "the files on drive C differ from before the install"
diff -u "$work/before.keys" "$work/after.keys" || fail "the software keys differ from before the install"

say "unpacking $zip"
unzip -q "$zip" -d "$work/zip" || fail "cannot unpack $zip"
unpacked=$work/zip/Morvane-$version-win64
for file in morvane.exe morvane-solve.exe LICENSE.txt README.txt; do
    [ -f "$unpacked/$file" ] || fail "no $file in the zip's Morvane-$version-win64 folder"
done
[ "$(ls -A "$work/zip")" = "Morvane-$version-win64" ] || fail "the zip holds more than its one folder"
splash "$unpacked/morvane.exe" "$work/splash-zip.png"
tilings=$(wine "$unpacked/morvane-solve.exe" all 2>/dev/null | wc -l) || fail "morvane-solve from the zip failed"
[ "$tilings" -eq "$tilings_expected" ] || fail "morvane-solve from the zip found $tilings tilings, not $tilings_expected"

say "$setup and $zip pass"
