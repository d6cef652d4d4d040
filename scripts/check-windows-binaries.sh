#!/usr/bin/env bash
# Checks the Windows deliverables of one cross build without running them:
#   - pelk.exe and pelk-table.exe are console programs and Kerrow.dll a DLL
#     for the right machine;
#   - none needs a DLL beyond those of Windows itself (no MinGW runtime), and
#     pelk-table.exe not even Kerrow.dll (it links the splitter in);
#   - Kerrow.dll exports exactly the eight functions, each by its bare name;
#   - for 32-bit Windows, Kerrow, GetFirstTsvRecord and GetNextTsvRecord are
#     standard-call: the compiler decorated them _Name@<bytes of arguments>,
#     and the function types the program calls them through agree.
# Usage: scripts/check-windows-binaries.sh <build dir> <i686|x86_64>
# Exits non-zero, after listing every fault found, when one fails.
set -euo pipefail

build=${1:?usage: $0 <build dir> <i686|x86_64>}
arch=${2:?usage: $0 <build dir> <i686|x86_64>}
case $arch in
i686) format=pei-i386 ;;
x86_64) format=pei-x86-64 ;;
*) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
objdump=$arch-w64-mingw32-objdump
nm=$arch-w64-mingw32-nm
dll=$build/Kerrow.dll
exe=$build/pelk.exe
table_exe=$build/pelk-table.exe

faults=0
fault() {
    echo "FAIL ($arch): $*" >&2
    faults=$((faults + 1))
}

for file in "$exe" "$table_exe" "$dll"; do
    if [[ ! -f $file ]]; then
        fault "$file was not built"
        continue
    fi
    if ! headers=$("$objdump" -p "$file" 2>&1); then
        fault "$objdump cannot read $file: $headers"
        continue
    fi
    grep -q "file format $format\$" <<<"$headers" || fault "$file is not $format"
    if [[ $file == *.exe ]] && ! grep -q '^Subsystem.*(Windows CUI)$' <<<"$headers"; then
        fault "$file is not a console program"
    fi
    # Windows' own DLLs only: the kernel and the C runtime; pelk-table.exe
    # also ADVAPI32 (part of every Windows), for the random numbers of the
    # linked-in libzip.
    while read -r imported; do
        case ${imported,,} in
        kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-*) ;;
        advapi32.dll) [[ $file == "$table_exe" ]] || fault "$file needs $imported" ;;
        *) fault "$file needs $imported" ;;
        esac
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
done

if [[ -f $dll ]]; then
    expected="FreeAllRecords GetErrorMessage GetFirstTsvRecord GetKerrowVersion GetNextTsvRecord GetTsvRecordCount GetTsvRecordTop Kerrow"
    # The name pointer table lists one "[ordinal] name" line per export.
    exported=$({ "$objdump" -p "$dll" 2>/dev/null || true; } |
        sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | LC_ALL=C sort)
    for name in $exported; do
        [[ $name == *@* || $name == _* ]] && fault "export $name is decorated"
    done
    [[ $(echo $exported) == "$expected" ]] ||
        fault "Kerrow.dll exports [$(echo $exported)], expected [$expected]"
fi

if [[ $arch == i686 ]]; then
    mapfile -t objects < <(find "$build/splitter" -name '*.obj')
    if [[ ${#objects[@]} -eq 0 ]]; then
        fault "no object files of Kerrow.dll under $build/splitter"
    else
        symbols=$("$nm" --defined-only "${objects[@]}" 2>/dev/null || true)
        for symbol in _Kerrow@4 _GetFirstTsvRecord@8 _GetNextTsvRecord@8; do
            grep -q " T $symbol\$" <<<"$symbols" || fault "$symbol is not defined: not standard-call"
        done
        # The functions without arguments keep the C convention.
        for symbol in _GetTsvRecordCount _GetTsvRecordTop _FreeAllRecords _GetErrorMessage _GetKerrowVersion; do
            grep -q " T $symbol\$" <<<"$symbols" || fault "$symbol is not defined"
        done
    fi
fi

if [[ $arch == i686 ]]; then
    # The program calls the exports through the function types of Kerrow.h;
    # those must carry the same convention as the exports themselves.
    splitter=$(cd "$(dirname "$0")/../splitter" && pwd)
    if ! compiled=$("$arch-w64-mingw32-g++" -std=c++17 -fsyntax-only -I"$splitter" -x c++ - 2>&1 <<'CHECK'
#include <type_traits>
#include "Kerrow.h"
static_assert(std::is_same<KERROW_SPLIT_FN, decltype(&Kerrow)>::value, "Kerrow");
static_assert(std::is_same<KERROW_RECORD_FN, decltype(&GetFirstTsvRecord)>::value, "GetFirstTsvRecord");
static_assert(std::is_same<KERROW_RECORD_FN, decltype(&GetNextTsvRecord)>::value, "GetNextTsvRecord");
static_assert(std::is_same<KERROW_FREE_FN, decltype(&FreeAllRecords)>::value, "FreeAllRecords");
static_assert(std::is_same<KERROW_TEXT_FN, decltype(&GetErrorMessage)>::value, "GetErrorMessage");
static_assert(!std::is_same<KERROW_RECORD_FN, int (*)(int*, char***)>::value, "standard call");
CHECK
    ); then
        fault "the function types of Kerrow.h differ from its exports: $compiled"
    fi
fi

if [[ $faults -ne 0 ]]; then
    echo "$build: $faults fault(s)" >&2
    exit 1
fi
summary="console program, Windows DLLs only, eight undecorated exports"
[[ $arch == i686 ]] && summary+=", standard-call where they take arguments"
echo "$build: pelk.exe and Kerrow.dll ($format) pass: $summary"
