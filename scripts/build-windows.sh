#!/usr/bin/env bash
# Cross-builds the Windows deliverables pelk.exe and Kerrow.dll with MinGW-w64,
# and packs each variant with LICENSE and the rest of the install tree into a
# ZIP (pelk-<version>-win32.zip, pelk-<version>-win64.zip):
#   build-win32/  32-bit Windows (the shipped variant)
#   build-win64/  64-bit Windows
# Both need no MinGW runtime DLL beside them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_packages cmake=cmake ninja=ninja-build \
    i686-w64-mingw32-g++=g++-mingw-w64-i686 x86_64-w64-mingw32-g++=g++-mingw-w64-x86-64

build_windows() {  # <build dir> <toolchain file>
    if [[ ! -f $1/CMakeCache.txt ]]; then
        cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELK_BUILD_TESTS=OFF \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >/dev/null
    fi
    cmake --build "$1" -j2
    echo "built $1/pelk.exe and $1/Kerrow.dll"
    (cd "$1" && cpack -G ZIP >/dev/null)
    echo "packed $(ls "$1"/pelk-*.zip)"
}

build_windows build-win32 mingw-i686.cmake
build_windows build-win64 mingw-x86_64.cmake
