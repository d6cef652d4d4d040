#!/usr/bin/env bash
# Cross-builds the Windows deliverables pelk.exe and Kerrow.dll with MinGW-w64,
# and packs each variant with LICENSE and the rest of the install tree into a
# ZIP (pelk-<version>-win32.zip, pelk-<version>-win64.zip):
#   build-win32/  32-bit Windows (the shipped variant)
#   build-win64/  64-bit Windows
# Both need no MinGW runtime DLL beside them.
#
# pelk-table.exe reads workbooks with libexpat and libzip, which Debian ships
# for MinGW only as source: the script fetches Debian's sources of expat and
# libzip once (apt-get source, after adding a deb-src line for bookworm's
# main archive) and cross-builds them as static libraries, with Debian's
# zlib for MinGW (libz-mingw-w64-dev), into build-windows-deps/<triple>/,
# which both Windows builds take through PELK_WINDOWS_DEPS. Built once:
# remove build-windows-deps/ to build them again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_packages cmake=cmake ninja=ninja-build \
    i686-w64-mingw32-g++=g++-mingw-w64-i686 x86_64-w64-mingw32-g++=g++-mingw-w64-x86-64 \
    /usr/x86_64-w64-mingw32/include/zlib.h=libz-mingw-w64-dev dpkg-source=dpkg-dev

deps=$root/build-windows-deps
expat_version=2.5.0
libzip_version=1.7.3

# Debian's source packages of expat and libzip, unpacked under $deps/src
# (with Debian's patches applied).
fetch_sources() {
    [[ -f $deps/src/expat-$expat_version/expat/CMakeLists.txt && -f $deps/src/libzip-$libzip_version/CMakeLists.txt ]] &&
        return 0
    local list=/etc/apt/sources.list.d/pelk-bookworm-src.sources
    if ! apt-cache showsrc expat 2>/dev/null | grep -q "^Version: $expat_version-" ||
        ! apt-cache showsrc libzip 2>/dev/null | grep -q "^Version: $libzip_version-"; then
        if [[ $(id -u) -ne 0 ]]; then
            echo "the sources of expat and libzip need a deb-src line for bookworm main (run this script as root)" >&2
            return 1
        fi
        echo "adding $list and updating the package lists" >&2
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
            'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$list"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq -o DPkg::Lock::Timeout=600 >&2
    fi
    rm -rf "$deps/src"
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -qq "expat=$(apt-cache showsrc expat | sed -n "s/^Version: \($expat_version-.*\)/\1/p" | head -1)" \
        "libzip=$(apt-cache showsrc libzip | sed -n "s/^Version: \($libzip_version-.*\)/\1/p" | head -1)" >&2)
    [[ -f $deps/src/expat-$expat_version/expat/CMakeLists.txt && -f $deps/src/libzip-$libzip_version/CMakeLists.txt ]]
}

# Static libexpat and libzip (with zlib only: no bzip2, lzma, zstd or
# encryption, which a workbook does not use) for one MinGW target.
build_deps() {  # <triple> <toolchain file>
    local prefix=$deps/$1 work=$deps/build-$1
    [[ -f $prefix/.built ]] && return 0
    fetch_sources
    rm -rf "$prefix" "$work"
    echo "building expat $expat_version and libzip $libzip_version for $1 into $prefix" >&2
    # Debian's security patches test "#if XML_DTD == 1", as its autotools
    # build defines the macro to 1; expat's CMake build defines it empty.
    sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' \
        "$deps/src/expat-$expat_version/expat/expat_config.h.cmake"
    cmake -S "$deps/src/expat-$expat_version/expat" -B "$work/expat" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF \
        -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=ON >/dev/null
    cmake --build "$work/expat" -j2 --target install >/dev/null
    cmake -S "$deps/src/libzip-$libzip_version" -B "$work/libzip" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
        -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF \
        -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
    cmake --build "$work/libzip" -j2 --target install >/dev/null
    # The static libzip needs zlib: its .pc names it, and the static zlib
    # lies in the prefix, found before the toolchain's import library.
    cp "/usr/$1/lib/libz.a" "$prefix/lib/"
    sed -i 's/^Libs: \(.*\)-lzip$/Libs: \1-lzip -lz/' "$prefix/lib/pkgconfig/libzip.pc"
    grep -q '^Libs: .*-lzip -lz$' "$prefix/lib/pkgconfig/libzip.pc"
    rm -rf "$work"
    touch "$prefix/.built"
}

build_windows() {  # <preset>: win32 or win64, built in build-<preset>/; <toolchain file> <triple>
    build_deps "$3" "$2"
    [[ -f build-$1/CMakeCache.txt ]] || cmake --preset "$1" -DPELK_WINDOWS_DEPS="$deps/$3" >/dev/null
    cmake --build --preset "$1" -j2
    echo "built build-$1/pelk.exe and build-$1/Kerrow.dll"
    (cd "build-$1" && cpack -G ZIP >/dev/null)
    echo "packed $(ls "build-$1"/pelk-*.zip)"
}

build_windows win32 mingw-i686.cmake i686-w64-mingw32
build_windows win64 mingw-x86_64.cmake x86_64-w64-mingw32
