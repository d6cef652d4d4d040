#!/usr/bin/env bash
# Builds the Windows deliverables pelk.exe, pelk-table.exe and Kerrow.dll with
# the MinGW-w64
# cross compilers (scripts/build-windows.sh) and tests them; exits non-zero
# when anything fails.
#   build-win32/  32-bit Windows, the shipped variant: its binaries are
#                 checked (exports, calling convention, runtime DLLs); this
#                 machine cannot run 32-bit Windows programs.
#   build-win64/  64-bit Windows: the same checks, then the end-to-end cases
#                 of pelk_e2e (from the native build in build/) run the
#                 program under wine64 and expect CR LF line ends, and
#                 pelk-table.exe checks the lamp table under wine64, and
#                 reads the example workbook (check and export).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages wineserver=wine
wine64=$(command -v wine64 || true)
if [[ -z $wine64 ]]; then
    pelk_need_packages /usr/lib/wine/wine64=wine64
    wine64=/usr/lib/wine/wine64
fi

scripts/build-windows.sh
echo "== checks of the 32-bit binaries"
scripts/check-windows-binaries.sh build-win32 i686
echo "== checks of the 64-bit binaries"
scripts/check-windows-binaries.sh build-win64 x86_64

# The ZIP holds the programs, the library and the license, at its top and in
# the documentation.
check_zip() {  # <build dir>
    local zip contents file
    zip=$(ls "$1"/pelk-*.zip)
    contents=$(cmake -E tar tf "$zip")
    for file in LICENSE bin/pelk.exe bin/pelk-table.exe bin/Kerrow.dll share/doc/pelk/LICENSE; do
        grep -qx "pelk-[^/]*/$file" <<<"$contents" || { echo "FAIL: $zip lacks $file" >&2; return 1; }
    done
    echo "$zip: LICENSE, bin/pelk.exe, bin/pelk-table.exe, bin/Kerrow.dll"
}
echo "== the ZIPs"
check_zip build-win32
check_zip build-win64

echo "== end-to-end cases under wine64"
[[ -f build/CMakeCache.txt ]] || cmake --preset default >/dev/null
cmake --build --preset default -j2 --target pelk_e2e

# A prefix of our own, made once and kept beside the 64-bit build; no
# display, no downloads of wine add-ons, no wine diagnostics in the streams.
export WINEPREFIX=$root/build-win64/wineprefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "creating the wine prefix $WINEPREFIX"
    "$wine64" wineboot -i >/dev/null 2>&1
    wineserver -w  # the prefix is complete on disk once its server is gone
fi
# One wine server for all the runs (unless one is up already), ended with
# the script.
wineserver -p 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT

PELK_COMMAND="$wine64 $root/build-win64/pelk.exe" PELK_EXPECT_CRLF=1 \
    build/pelk_e2e --gtest_brief=1

echo "== pelk-table.exe under wine64"
# The lamp table gives its one warning with its source line and the closing
# count, in Windows' CR LF, and status 0.
(
    cd examples
    status=0
    "$wine64" "$root/build-win64/pelk-table.exe" check lamp.tsv 2>"$root/build-win64/check.err" >/dev/null || status=$?
    expected=$'lamp.tsv:1:13: warning: event 1 \'TICK\' does nothing in any state: no transition, no action (cell D1) [unused-event]\r\n'
    expected+=$'    1 | START\t\tPUSH\tTICK\r\n      |      \t\t    \t^~~~\r\n1 warning generated.\r'
    [[ $status -eq 0 ]] || { echo "FAIL: pelk-table.exe check exited with $status" >&2; exit 1; }
    [[ $(cat "$root/build-win64/check.err") == "$expected" ]] ||
        { echo "FAIL: pelk-table.exe check printed:" >&2; cat -A "$root/build-win64/check.err" >&2; exit 1; }
    echo "pelk-table.exe check lamp.tsv: one warning, CR LF, status 0"
)

echo "== pelk-table.exe reads a workbook under wine64"
# The workbook made from the lamp table: the same warning at its cell, and an
# export that holds the table's lines.
(
    cd examples
    status=0
    "$wine64" "$root/build-win64/pelk-table.exe" check lamp.xlsx 2>"$root/build-win64/check.err" >/dev/null || status=$?
    expected=$'lamp.xlsx:Lamp!D1: warning: event 1 \'TICK\' does nothing in any state: no transition, no action (cell D1) [unused-event]\r\n1 warning generated.\r'
    [[ $status -eq 0 ]] || { echo "FAIL: pelk-table.exe check lamp.xlsx exited with $status" >&2; cat "$root/build-win64/check.err" >&2; exit 1; }
    [[ $(cat "$root/build-win64/check.err") == "$expected" ]] ||
        { echo "FAIL: pelk-table.exe check lamp.xlsx printed:" >&2; cat -A "$root/build-win64/check.err" >&2; exit 1; }
    rm -f "$root/build-win64/lamp-export.tsv"
    "$wine64" "$root/build-win64/pelk-table.exe" export lamp.xlsx --sheet Lamp -o ../build-win64/lamp-export.tsv ||
        { echo "FAIL: pelk-table.exe export lamp.xlsx failed" >&2; exit 1; }
    tr -d '\r' <"$root/build-win64/lamp-export.tsv" | cmp - lamp.tsv ||
        { echo "FAIL: pelk-table.exe export lamp.xlsx wrote:" >&2; cat -A "$root/build-win64/lamp-export.tsv" >&2; exit 1; }
    # A rebuild exports over the file the last build wrote.
    "$wine64" "$root/build-win64/pelk-table.exe" export lamp.xlsx --sheet Lamp -o ../build-win64/lamp-export.tsv ||
        { echo "FAIL: pelk-table.exe export lamp.xlsx over an existing file failed" >&2; exit 1; }
    echo "pelk-table.exe check lamp.xlsx: the warning at Lamp!D1; export: the lamp table's lines, again over them"
)
