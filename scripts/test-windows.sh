#!/usr/bin/env bash
# Builds the Windows deliverables pelk.exe, pelk-table.exe and Kerrow.dll with
# the MinGW-w64 cross compilers (scripts/build-windows.sh) and tests both
# variants; exits non-zero when anything fails.
#   build-win32/  32-bit Windows, the shipped variant, run by Debian's 32-bit
#                 wine (wine32, of the i386 architecture)
#   build-win64/  64-bit Windows, run by wine64
# For each: the binaries are checked (exports, calling convention, runtime
# DLLs) and its ZIP's contents; then, under its wine, in a prefix of its own,
# the end-to-end cases of pelk_e2e (from the native build in build/) run its
# pelk.exe and expect CR LF line ends, and its pelk-table.exe checks the lamp
# table and reads the example workbook (check and export).
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
# The 32-bit loader, called by its path: /usr/bin/wine would fall back to
# wine64 when it is missing.
wine32=/usr/lib/wine/wine
if [[ ! -x $wine32 ]]; then
    pelk_need_architecture i386
    pelk_need_packages $wine32=wine32:i386
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

[[ -f build/CMakeCache.txt ]] || cmake --preset default >/dev/null
cmake --build --preset default -j2 --target pelk_e2e

# No display, no downloads of wine add-ons, no wine diagnostics in the
# streams; the prefix is chosen per variant.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The wine server of the variant under test, if one is still up, ends with
# the script.
trap 'wineserver -k 2>/dev/null || true' EXIT

# The wine cases of one variant, run by <loader> in a prefix of the variant's
# own, made once and kept in its build folder.
wine_cases() {  # <win32|win64> <loader>
    local variant=$1 loader=$2 build=$root/build-$1 started=$SECONDS
    export WINEPREFIX=$build/wineprefix WINEARCH=$variant
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "creating the wine prefix $WINEPREFIX"
        "$loader" wineboot -i >/dev/null 2>&1
        wineserver -w  # the prefix is complete on disk once its server is gone
    fi
    # One wine server for all the runs of the variant.
    wineserver -p 2>/dev/null || true

    echo "== $variant: end-to-end cases under $(basename "$loader")"
    PELK_COMMAND="$loader $build/pelk.exe" PELK_EXPECT_CRLF=1 \
        build/pelk_e2e --gtest_brief=1

    echo "== $variant: pelk-table.exe under $(basename "$loader")"
    # The lamp table gives its one warning with its source line and the
    # closing count, in Windows' CR LF, and status 0.
    (
        cd examples
        status=0
        "$loader" "$build/pelk-table.exe" check lamp.tsv 2>"$build/check.err" >/dev/null || status=$?
        expected=$'lamp.tsv:1:13: warning: event 1 \'TICK\' does nothing in any state: no transition, no action (cell D1) [unused-event]\r\n'
        expected+=$'    1 | START\t\tPUSH\tTICK\r\n      |      \t\t    \t^~~~\r\n1 warning generated.\r'
        [[ $status -eq 0 ]] || { echo "FAIL: pelk-table.exe check exited with $status" >&2; exit 1; }
        [[ $(cat "$build/check.err") == "$expected" ]] ||
            { echo "FAIL: pelk-table.exe check printed:" >&2; cat -A "$build/check.err" >&2; exit 1; }
        echo "pelk-table.exe check lamp.tsv: one warning, CR LF, status 0"
    )

    # The workbook made from the lamp table: the same warning at its cell, and
    # an export that holds the table's lines.
    (
        cd examples
        status=0
        "$loader" "$build/pelk-table.exe" check lamp.xlsx 2>"$build/check.err" >/dev/null || status=$?
        expected=$'lamp.xlsx:Lamp!D1: warning: event 1 \'TICK\' does nothing in any state: no transition, no action [unused-event]\r\n1 warning generated.\r'
        [[ $status -eq 0 ]] || { echo "FAIL: pelk-table.exe check lamp.xlsx exited with $status" >&2; cat "$build/check.err" >&2; exit 1; }
        [[ $(cat "$build/check.err") == "$expected" ]] ||
            { echo "FAIL: pelk-table.exe check lamp.xlsx printed:" >&2; cat -A "$build/check.err" >&2; exit 1; }
        rm -f "$build/lamp-export.tsv"
        "$loader" "$build/pelk-table.exe" export lamp.xlsx --sheet Lamp -o "../build-$variant/lamp-export.tsv" ||
            { echo "FAIL: pelk-table.exe export lamp.xlsx failed" >&2; exit 1; }
        tr -d '\r' <"$build/lamp-export.tsv" | cmp - lamp.tsv ||
            { echo "FAIL: pelk-table.exe export lamp.xlsx wrote:" >&2; cat -A "$build/lamp-export.tsv" >&2; exit 1; }
        # A rebuild exports over the file the last build wrote.
        "$loader" "$build/pelk-table.exe" export lamp.xlsx --sheet Lamp -o "../build-$variant/lamp-export.tsv" ||
            { echo "FAIL: pelk-table.exe export lamp.xlsx over an existing file failed" >&2; exit 1; }
        echo "pelk-table.exe check lamp.xlsx: the warning at Lamp!D1; export: the lamp table's lines, again over them"
    )

    wineserver -k 2>/dev/null || true
    echo "== $variant: wine cases passed in $((SECONDS - started)) s"
}

wine_cases win32 "$wine32"
wine_cases win64 "$wine64"
