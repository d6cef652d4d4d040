#!/usr/bin/env bash
# Cross-builds the Windows deliverables pelk.exe and Kerrow.dll with MinGW-w64,
# and packs each variant with LICENSE and the rest of the install tree into a
# ZIP (pelk-<version>-win32.zip, pelk-<version>-win64.zip):
#   build-win32/  32-bit Windows (the shipped variant)
#   build-win64/  64-bit Windows
# Both need no MinGW runtime DLL beside them.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_packages cmake=cmake ninja=ninja-build \
    i686-w64-mingw32-g++=g++-mingw-w64-i686 x86_64-w64-mingw32-g++=g++-mingw-w64-x86-64

build_windows() {  # <preset>: win32 or win64, built in build-<preset>/
    [[ -f build-$1/CMakeCache.txt ]] || cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j2
    echo "built build-$1/pelk.exe and build-$1/Kerrow.dll"
    (cd "build-$1" && cpack -G ZIP >/dev/null)
    echo "packed $(ls "build-$1"/pelk-*.zip)"
}

build_windows win32
build_windows win64
