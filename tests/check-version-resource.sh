#!/bin/sh
# Compiles the Windows resource script with the MinGW resource compiler, reads
# the compiled resources back as text, and checks the version information and
# the icon that Windows shows in a file's properties. Given the linked
# program instead, it reads the resources out of it, and checks as well that
# its manifest asks for each monitor's own DPI.
#
# usage: check-version-resource.sh path/to/morvane.rc
#        check-version-resource.sh path/to/morvane.exe
#
# A missing compiler fails the check rather than skipping it: tools/install-deps
# installs binutils-mingw-w64-x86-64 on every machine that builds the game.
set -u

rc=${1:?usage: check-version-resource.sh path/to/morvane.rc or morvane.exe}
windres=${WINDRES:-x86_64-w64-mingw32-windres}

if ! command -v "$windres" >/dev/null 2>&1; then
    echo "FAIL: $windres not found (run tools/install-deps)"
    exit 1
fi

# windres preprocesses with the MinGW C compiler, which the binutils package
# does not bring; the host's preprocessor does the same job for this script.
set --
if ! command -v x86_64-w64-mingw32-gcc >/dev/null 2>&1; then
    set -- --preprocessor=cpp --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case "$rc" in
    *.exe)
        if ! "$windres" --input-format=coff -i "$rc" -O res -o "$work/morvane.res"; then
            echo "FAIL: no resources read from $rc"
            exit 1
        fi ;;
    *)
        if ! "$windres" "$@" -I "$(dirname "$rc")" -i "$rc" -O res -o "$work/morvane.res"; then
            echo "FAIL: $rc does not compile"
            exit 1
        fi ;;
esac
# Decompiling gives the resources in one canonical spelling; strip the
# indentation so lines can be compared whole.
"$windres" -i "$work/morvane.res" -O rc | sed 's/^[[:space:]]*//; s/[[:space:]]*$//' > "$work/morvane.txt"

# Only the lines inside one BLOCK, up to its END.
block() {
    awk -v name="BLOCK \"$1\"" '
        $0 == name { inside = 1; depth = 0; next }
        inside && $0 == "BEGIN" { depth++; next }
        inside && $0 == "END" { if (--depth == 0) exit; next }
        inside { print }
    ' "$work/morvane.txt"
}
block StringFileInfo > "$work/strings.txt"
block 040904B0 > "$work/english.txt"
block VarFileInfo > "$work/var.txt"

failures=0
expect() {
    file=$1
    line=$2
    if ! grep -qxF "$line" "$work/$file"; then
        echo "FAIL: no line '$line' in $file"
        failures=$((failures + 1))
    fi
}
expect_count() {
    file=$1
    pattern=$2
    want=$3
    got=$(grep -c "$pattern" "$work/$file")
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: $got lines matching '$pattern' in $file, expected $want"
        failures=$((failures + 1))
    fi
}

expect morvane.txt '1 VERSIONINFO'
expect morvane.txt 'FILEVERSION 2, 0, 0, 0'
expect morvane.txt 'PRODUCTVERSION 2, 0, 0, 0'

# The strings live in the U.S. English, Unicode table and nowhere else.
expect strings.txt 'BLOCK "040904B0"'
expect_count strings.txt '^BLOCK ' 1
expect english.txt 'VALUE "CompanyName", "Morvane Games"'
expect english.txt 'VALUE "FileDescription", "Morvane"'
expect english.txt 'VALUE "FileVersion", "2.00"'
expect english.txt 'VALUE "InternalName", "Morvane"'
expect english.txt 'VALUE "OriginalFilename", "Morvane.exe"'
expect english.txt 'VALUE "ProductName", "Morvane"'
expect english.txt 'VALUE "ProductVersion", "2.00"'
expect_count english.txt '^VALUE ' 7
expect var.txt 'VALUE "Translation", 0x409, 1200'

# The icon: one 16 x 16, 16-colour image under resource id 1.
# (A linked program keeps no memory flags, so they are not compared.)
expect_count morvane.txt '^1 14 /\* RT_GROUP_ICON \*/' 1
expect_count morvane.txt '/\* RT_ICON \*/' 1
expect_count morvane.txt '^"\\020\\020\\020\\000", 1, 4, ' 1

# The linked program's manifest: aware of each monitor's DPI, as Windows 10
# understands it, and as older systems do.
case "$rc" in
    *.exe)
        awk '$0 ~ /^1 24 \/\* RT_MANIFEST \*\// { inside = 1; next }
             inside && $0 == "END" { exit }
             inside { print }' "$work/morvane.txt" > "$work/manifest.txt"
        if ! grep -q '<dpiAwareness xmlns=.*>PerMonitorV2[,<]' "$work/manifest.txt"; then
            echo "FAIL: no manifest under resource id 1 asking for PerMonitorV2"
            failures=$((failures + 1))
        fi
        if ! grep -q '<dpiAware xmlns=.*>true/pm</dpiAware>' "$work/manifest.txt"; then
            echo "FAIL: the manifest does not say true/pm for dpiAware"
            failures=$((failures + 1))
        fi
        ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "--- decompiled resources:"
    cat "$work/morvane.txt"
    exit 1
fi
echo "version resource: all fields as expected"
