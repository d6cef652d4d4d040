#!/usr/bin/env bash
# Checks pelk and pelk-table as a firmware build uses them: the install tree,
# the pkg-config file, the CMake package with pelk_generate() (examples/cmake,
# with Ninja and with Make; a broken table stops the build at its check), the
# Make example (examples/make, likewise), the man pages and the Debian
# package, which Debian's checker lintian must accept. As root it also
# installs the package into the machine, runs it from another directory and
# removes it again.
#
# The package is built in a directory of its own, with the hardening flags of
# a Debian build and without the tests.
#
# Usage: scripts/test-packaging.sh     (build directory: $PELK_BUILD_DIR or build-package)
# Exits with 0 when every check passed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages make=make cc=gcc pkg-config=pkg-config groff=groff-base \
    dpkg-deb=dpkg realpath=coreutils gzip=gzip lintian=lintian /usr/bin/python3=python3

build=$(realpath -m "${PELK_BUILD_DIR:-build-package}")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pelk-packaging.XXXXXX")
stage=$scratch/stage
expected=$root/tests/packaging/lamp_demo.expected
broken_table=$root/tests/packaging/broken_lamp.tsv
deb_installed=0

cleanup() {
    if [[ $deb_installed -eq 1 ]]; then
        dpkg -r pelk >/dev/null 2>&1 || echo "warning: dpkg -r pelk failed" >&2
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

passed=0
failed=0
# check <description> <function> [args...]: runs the function in a subshell
# that stops at its first failing command; shows its output on failure.
check() {
    local description=$1 log=$scratch/check.log rc
    shift
    set +e
    (set -e; "$@") >"$log" 2>&1
    rc=$?
    set -e
    if [[ $rc -eq 0 ]]; then
        passed=$((passed + 1))
        echo "ok      $description"
    else
        failed=$((failed + 1))
        echo "FAILED  $description (status $rc)"
        sed 's/^/        | /' "$log"
    fi
}

# fail <message>: ends the current check.
fail() {
    echo "$*" >&2
    return 1
}

# Copies the example table and one example project into a fresh directory,
# keeping their relative places (the project finds the table in ..).
copy_example() {
    local kind=$1 destination=$2
    mkdir -p "$destination"
    cp "$root/examples/lamp.tsv" "$destination/"
    cp -r "$root/examples/$kind" "$destination/"
}

# Runs the demo built from the lamp table and compares its output.
run_demo() {
    "$1" >"$scratch/demo.out"
    diff -u "$expected" "$scratch/demo.out"
}

# Waits until the file system clock has moved on, so that a touched file is
# strictly newer than everything built before.
tick() {
    sleep 1
}

# --- build and install ---------------------------------------------------

echo "== building in $build"
# What dpkg-buildflags asks for with hardening=+all (PIE is the compiler's
# default here).
hardening="-D_FORTIFY_SOURCE=2 -fstack-protector-strong"
hardening_ld="-Wl,-z,relro -Wl,-z,now"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELK_BUILD_TESTS=OFF \
    -DCMAKE_C_FLAGS="$hardening" -DCMAKE_CXX_FLAGS="$hardening" \
    -DCMAKE_EXE_LINKER_FLAGS="$hardening_ld" -DCMAKE_SHARED_LINKER_FLAGS="$hardening_ld" >/dev/null
cmake --build "$build" -j2
cmake --install "$build" --prefix "$stage" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

install_tree() {
    local file
    for file in bin/pelk bin/pelk-table lib/pelk/libKerrow.so include/Kerrow.h lib/pkgconfig/kerrow.pc \
        lib/cmake/Pelk/PelkConfig.cmake lib/cmake/Pelk/PelkConfigVersion.cmake \
        lib/cmake/Pelk/PelkTargets.cmake lib/cmake/Pelk/PelkGenerate.cmake \
        share/man/man1/pelk.1.gz share/man/man1/pelk-table.1.gz share/doc/pelk/examples/lamp.tsv \
        share/doc/pelk/examples/cmake/CMakeLists.txt share/doc/pelk/examples/make/Makefile \
        share/doc/pelk/LICENSE share/doc/pelk/copyright share/doc/pelk/changelog.gz \
        share/lintian/overrides/pelk; do
        [[ -f $stage/$file ]] || fail "missing $file"
    done
    [[ -x $stage/bin/pelk ]] || fail "bin/pelk is not executable"
    cmp "$root/LICENSE" "$stage/share/doc/pelk/LICENSE"
    [[ ! -e $stage/lib/libKerrow.so ]] || fail "lib/libKerrow.so outside lib/pelk"
    # The version request answers with status 1.
    local status=0
    "$stage/bin/pelk" -v >"$scratch/version.out" || status=$?
    [[ $status -eq 1 ]] || fail "pelk -v exited with $status"
    grep -qx "Pelk version $version" "$scratch/version.out"
    [[ $("$stage/bin/pelk-table" --version) == "pelk-table $version" ]] || fail "pelk-table --version"
}
check "install tree: files in place, pelk -v, pelk-table --version" install_tree

# The installed pelk, moved away from the build tree, loads lib/pelk/libKerrow.so
# and generates all four targets.
installed_pelk_runs() {
    local work=$scratch/run-installed kind
    mkdir -p "$work/tables" "$work/out"
    cp "$root/examples/lamp.tsv" "$work/tables/"
    cd "$work/out"
    for kind in NRA78K0 FASM96; do
        rm -f Lampfsm.*
        "$stage/bin/pelk" -nLamp -a$kind ../tables/lamp.tsv
        [[ -s Lampfsm.asm && -s Lampfsm.inc ]] || fail "$kind: no Lampfsm.asm/.inc"
    done
    for kind in C FCC907S; do
        rm -f Lampfsm.*
        "$stage/bin/pelk" -nLamp -a$kind -ilampact.h ../tables/lamp.tsv
        [[ -s Lampfsm.c && -s Lampfsm.h ]] || fail "$kind: no Lampfsm.c/.h"
    done
    # A failing run says so with status 1.
    local status=0
    "$stage/bin/pelk" -nLamp ../tables/missing.tsv || status=$?
    [[ $status -eq 1 ]] || fail "pelk on a missing table exited with $status"
}
check "install tree: pelk generates every target" installed_pelk_runs

# The installed pelk-table, away from the build tree, checks the lamp table
# (one warning, status 0) and finds the errors of the broken one (status 1).
installed_check_runs() {
    local work=$scratch/check-installed status=0
    mkdir -p "$work/tables" "$work/out"
    cp "$root/examples/lamp.tsv" "$broken_table" "$work/tables/"
    cd "$work/out"
    "$stage/bin/pelk-table" check ../tables/lamp.tsv 2>"$scratch/check.err"
    cat "$scratch/check.err"
    [[ $(wc -l <"$scratch/check.err") -eq 1 ]] || fail "not one line of findings"
    grep -q '^\.\./tables/lamp\.tsv:1:13: warning: .*\[unused-event\]$' "$scratch/check.err"
    "$stage/bin/pelk-table" check -aC -nLamp ../tables/broken_lamp.tsv 2>"$scratch/check.err" || status=$?
    cat "$scratch/check.err"
    [[ $status -eq 1 ]] || fail "pelk-table check on the broken table exited with $status"
    grep -q '^\.\./tables/broken_lamp\.tsv:3:1: error: .*\[duplicate-name\]$' "$scratch/check.err"
}
check "install tree: pelk-table checks tables from another directory" installed_check_runs

# The pages are compressed as Debian wants them: gzip -9n, no name, no time
# stamp.
man_page() {
    local name=$1 page=$scratch/$1.1 section
    shift
    sed "s/@PROJECT_VERSION@/$version/" "$root/doc/$name.1" | gzip -9nc | cmp - "$stage/share/man/man1/$name.1.gz"
    zcat "$stage/share/man/man1/$name.1.gz" >"$page"
    groff -man -ww -z -Tutf8 "$page" 2>"$scratch/groff.err"
    [[ ! -s $scratch/groff.err ]] || { cat "$scratch/groff.err"; fail "groff warnings"; }
    for section in "$@"; do
        grep -q "^\.SH \"\?$section" "$page" || fail "no section $section"
    done
}
check "man page pelk.1: renders without warnings, has its sections" \
    man_page pelk NAME SYNOPSIS OPTIONS "TABLE FORMAT" "EXIT STATUS" EXAMPLES
check "man page pelk-table.1: renders without warnings, has its sections" \
    man_page pelk-table NAME SYNOPSIS COMMANDS CHECKS "IDENTIFIERS" "EXIT STATUS" EXAMPLES

pkg_config() {
    export PKG_CONFIG_PATH=$stage/lib/pkgconfig
    [[ $(pkg-config --modversion kerrow) == 1.0 ]] || fail "kerrow.pc version"
    local libdir
    libdir=$(pkg-config --variable=libdir kerrow)
    # shellcheck disable=SC2046
    cc -Wall -Wextra -o "$scratch/consumer-pc" "$root/tests/packaging/consumer/consumer.c" \
        $(pkg-config --cflags --libs kerrow) -Wl,-rpath,"$libdir"
    "$scratch/consumer-pc" "$root/examples/lamp.tsv" | tee "$scratch/consumer.out"
    grep -qx "Kerrow 1.0: 3 records, 12 fields" "$scratch/consumer.out"
}
check "pkg-config: kerrow.pc compiles and links a program" pkg_config

cmake_package() {
    cmake -S "$root/tests/packaging/consumer" -B "$scratch/consumer-cmake" -G Ninja \
        -DCMAKE_PREFIX_PATH="$stage"
    cmake --build "$scratch/consumer-cmake"
    "$scratch/consumer-cmake/kerrow_consumer" "$root/examples/lamp.tsv" | tee "$scratch/consumer.out"
    grep -qx "Kerrow 1.0: 3 records, 12 fields" "$scratch/consumer.out"
}
check "CMake package: Pelk::Kerrow, Pelk::pelk, pelk_generate()" cmake_package

# examples/cmake against the install tree, with the given generator; then the
# incremental behaviour: nothing touched rebuilds nothing, a touched table
# regenerates the machine and rebuilds the demo.
cmake_example() {
    local generator=$1 prefix=$2 src=$scratch/cmake-example-$3 bin
    bin=$src/build
    copy_example cmake "$src"
    cmake -S "$src/cmake" -B "$bin" -G "$generator" ${prefix:+-DCMAKE_PREFIX_PATH="$prefix"}
    cmake --build "$bin"
    run_demo "$bin/lamp_demo"

    local outputs=("$bin/Lampfsm.c" "$bin/Lampfsm.h" "$bin/lamp_demo" "$bin/liblampfsm.a") file
    tick
    touch "$scratch/stamp"
    tick
    cmake --build "$bin"
    for file in "${outputs[@]}"; do
        if [[ $file -nt $scratch/stamp ]]; then fail "untouched build rewrote $file"; fi
    done
    if [[ $generator == Ninja ]]; then
        ninja -C "$bin" -n | grep -q "no work to do" || fail "ninja still has work"
    fi

    touch "$src/lamp.tsv"
    cmake --build "$bin"
    for file in "${outputs[@]}"; do
        [[ $file -nt $scratch/stamp ]] || fail "touching the table did not rebuild $file"
    done
    run_demo "$bin/lamp_demo"

    tick
    touch "$scratch/stamp"
    tick
    cmake --build "$bin"
    for file in "${outputs[@]}"; do
        if [[ $file -nt $scratch/stamp ]]; then fail "second untouched build rewrote $file"; fi
    done

    # A new pelk regenerates the machine as well.
    touch "${prefix:-/usr}/bin/pelk"
    cmake --build "$bin"
    [[ $bin/Lampfsm.c -nt $scratch/stamp ]] || fail "a new pelk did not regenerate Lampfsm.c"
    run_demo "$bin/lamp_demo"
}
check "examples/cmake (Ninja) against the install tree: build, run, rebuild" \
    cmake_example Ninja "$stage" ninja
check "examples/cmake (Unix Makefiles) against the install tree: build, run, rebuild" \
    cmake_example "Unix Makefiles" "$stage" make

# pelk_generate(... CHECK) with a broken table: the build fails before pelk
# runs, and the log carries the findings in the compiler's form. Then the good
# table builds in the same tree, its warning in the log.
cmake_example_check() {
    local src=$scratch/cmake-example-check bin status=0
    bin=$src/build
    copy_example cmake "$src"
    cmake -S "$src/cmake" -B "$bin" -G Ninja -DCMAKE_PREFIX_PATH="$stage" \
        -DLAMP_TABLE="$broken_table"
    cmake --build "$bin" >"$scratch/build.log" 2>&1 || status=$?
    cat "$scratch/build.log"
    [[ $status -ne 0 ]] || fail "the broken table built"
    grep -q "^$broken_table:3:1: error: .*\[duplicate-name\]$" "$scratch/build.log"
    grep -q "^$broken_table:3:17: error: .*'int'.*\[invalid-identifier\]$" "$scratch/build.log"
    [[ ! -e $bin/Lampfsm.c ]] || fail "pelk ran on the broken table"

    cmake "$bin" -DLAMP_TABLE="$src/lamp.tsv"
    cmake --build "$bin" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; fail "the lamp table did not build"; }
    cat "$scratch/build.log"
    grep -q "^$src/lamp.tsv:1:13: warning: .*\[unused-event\]$" "$scratch/build.log"
    run_demo "$bin/lamp_demo"
}
check "examples/cmake: pelk_generate(CHECK) stops at a broken table, builds the good one" \
    cmake_example_check

make_tools=(PELK="$stage/bin/pelk" PELK_TABLE="$stage/bin/pelk-table")
make_example() {
    local src=$scratch/make-example dir
    copy_example make "$src"
    dir=$src/make
    make -C "$dir" "${make_tools[@]}"
    run_demo "$dir/lamp_demo"
    make -C "$dir" -q "${make_tools[@]}" || fail "make has work after a full build"

    tick
    touch "$src/lamp.tsv"
    local status=0
    make -C "$dir" -q "${make_tools[@]}" || status=$?
    [[ $status -eq 1 ]] || fail "make -q after touching the table: status $status"
    touch "$scratch/stamp"
    tick
    make -C "$dir" "${make_tools[@]}"
    local file
    for file in lampfsm.c lampfsm.h lampfsm.o main.o lamp_demo; do
        [[ $dir/$file -nt $scratch/stamp ]] || fail "touching the table did not rebuild $file"
    done
    if [[ $dir/lampact.o -nt $scratch/stamp ]]; then fail "touching the table rebuilt lampact.o"; fi
    run_demo "$dir/lamp_demo"
    make -C "$dir" -q "${make_tools[@]}" || fail "make has work after the rebuild"

    # A table given by an absolute directory still reaches pelk relatively.
    make -C "$dir" clean
    make -C "$dir" "${make_tools[@]}" TABLE_DIR="$src"
    run_demo "$dir/lamp_demo"

    # A broken table stops the build at its check, with the findings in the
    # log and no machine left behind.
    make -C "$dir" clean
    cp "$broken_table" "$src/lamp.tsv"
    local status=0
    make -C "$dir" "${make_tools[@]}" >"$scratch/make.log" 2>&1 || status=$?
    cat "$scratch/make.log"
    [[ $status -ne 0 ]] || fail "the broken table built"
    grep -q "^\.\./lamp\.tsv:3:1: error: .*\[duplicate-name\]$" "$scratch/make.log"
    [[ ! -e $dir/lampfsm.c ]] || fail "pelk ran on the broken table"
}
check "examples/make with the installed pelk: build, run, rebuild, stop at a broken table" make_example

# --- workbooks: pelk_generate and the Make example from examples/lamp.xlsx --

# Rewrites one text of a workbook's shared strings (a real edit of the sheet).
# Usage: edit_workbook <book> <old> <new>
edit_workbook() {
    /usr/bin/python3 - "$@" <<'PY'
import sys, zipfile
path, old, new = sys.argv[1:]
with zipfile.ZipFile(path) as book:
    parts = [(info, book.read(info.filename)) for info in book.infolist()]
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as book:
    for info, data in parts:
        if info.filename == "xl/sharedStrings.xml":
            assert old.encode() in data, old
            data = data.replace(old.encode(), new.encode())
        book.writestr(info, data)
PY
}

# pelk_generate(TABLE lamp.xlsx SHEET Lamp ... CHECK): the sheet is exported
# to Lampfsm.tsv (the same bytes as lamp.tsv, from which LibreOffice made the
# workbook), checked at its cells, built and run; an untouched build does
# nothing, a touched workbook regenerates, an edited one changes the machine.
cmake_example_workbook() {
    local src=$scratch/cmake-example-workbook bin status=0
    bin=$src/build
    copy_example cmake "$src"
    cp "$root/examples/lamp.xlsx" "$src/"
    cmake -S "$src/cmake" -B "$bin" -G Ninja -DCMAKE_PREFIX_PATH="$stage" \
        -DLAMP_TABLE="$src/lamp.xlsx" -DLAMP_SHEET=Lamp
    cmake --build "$bin" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; fail "the workbook did not build"; }
    cat "$scratch/build.log"
    grep -q "^$src/lamp\.xlsx:Lamp!D1: warning: .*\[unused-event\]$" "$scratch/build.log"
    cmp "$bin/Lampfsm.tsv" "$root/examples/lamp.tsv"
    run_demo "$bin/lamp_demo"

    local outputs=("$bin/Lampfsm.tsv" "$bin/Lampfsm.c" "$bin/Lampfsm.h" "$bin/lamp_demo") file
    tick
    touch "$scratch/stamp"
    tick
    cmake --build "$bin"
    for file in "${outputs[@]}"; do
        if [[ $file -nt $scratch/stamp ]]; then fail "untouched build rewrote $file"; fi
    done
    ninja -C "$bin" -n | grep -q "no work to do" || fail "ninja still has work"
    touch "$src/lamp.xlsx"
    cmake --build "$bin"
    for file in "${outputs[@]}"; do
        [[ $file -nt $scratch/stamp ]] || fail "touching the workbook did not rebuild $file"
    done
    run_demo "$bin/lamp_demo"

    # An edited sheet reaches the generated machine (only the machine is
    # built: the demo has no routine of the new name).
    edit_workbook "$src/lamp.xlsx" ">1/LampOn<" ">1/LampUp<"
    ninja -C "$bin" Lampfsm.c
    grep -q LampUp "$bin/Lampfsm.c" || fail "the edited workbook did not change Lampfsm.c"
    grep -q LampUp "$bin/Lampfsm.tsv" || fail "the edited workbook did not change Lampfsm.tsv"
}
check "examples/cmake: pelk_generate from a workbook, rebuilt when it changes" cmake_example_workbook

make_example_workbook() {
    local src=$scratch/make-example-workbook dir status=0 file
    copy_example make "$src"
    rm "$src/lamp.tsv"
    cp "$root/examples/lamp.xlsx" "$src/"
    dir=$src/make
    make -C "$dir" "${make_tools[@]}" WORKBOOK=xlsx 2>"$scratch/make.err"
    cat "$scratch/make.err"
    grep -q '^\.\./lamp\.xlsx:Lamp!D1: warning: .*\[unused-event\]$' "$scratch/make.err"
    cmp "$dir/lamp.tsv" "$root/examples/lamp.tsv"
    run_demo "$dir/lamp_demo"
    make -C "$dir" -q "${make_tools[@]}" WORKBOOK=xlsx || fail "make has work after a full build"

    tick
    touch "$src/lamp.xlsx"
    make -C "$dir" -q "${make_tools[@]}" WORKBOOK=xlsx || status=$?
    [[ $status -eq 1 ]] || fail "make -q after touching the workbook: status $status"
    touch "$scratch/stamp"
    tick
    make -C "$dir" "${make_tools[@]}" WORKBOOK=xlsx
    for file in lamp.tsv lampfsm.c lampfsm.h lampfsm.o main.o lamp_demo; do
        [[ $dir/$file -nt $scratch/stamp ]] || fail "touching the workbook did not rebuild $file"
    done
    if [[ $dir/lampact.o -nt $scratch/stamp ]]; then fail "touching the workbook rebuilt lampact.o"; fi
    run_demo "$dir/lamp_demo"
    make -C "$dir" -q "${make_tools[@]}" WORKBOOK=xlsx || fail "make has work after the rebuild"
}
check "examples/make WORKBOOK=xlsx: export, build, run, rebuild when the workbook changes" make_example_workbook

# --- Debian package ------------------------------------------------------

deb=
debian_package() {
    (cd "$build" && cpack -G DEB -B "$scratch/package") >/dev/null
    local found=("$scratch"/package/pelk_*.deb)
    [[ -f ${found[0]} ]] || fail "cpack made no pelk_*.deb"
    echo "${found[0]}" >"$scratch/deb-path"
    dpkg-deb -I "${found[0]}"
    dpkg-deb -c "${found[0]}" >"$scratch/deb-contents"
    local file
    for file in ./usr/bin/pelk ./usr/bin/pelk-table ./usr/lib/pelk/libKerrow.so ./usr/include/Kerrow.h \
        ./usr/lib/pkgconfig/kerrow.pc ./usr/lib/cmake/Pelk/PelkConfig.cmake \
        ./usr/share/man/man1/pelk.1.gz ./usr/share/man/man1/pelk-table.1.gz \
        ./usr/share/doc/pelk/examples/lamp.tsv \
        ./usr/share/doc/pelk/LICENSE ./usr/share/doc/pelk/copyright \
        ./usr/share/doc/pelk/changelog.gz ./usr/share/lintian/overrides/pelk; do
        grep -q " $file\$" "$scratch/deb-contents" || fail "package lacks $file"
    done
    dpkg-deb --fsys-tarfile "${found[0]}" | tar -xO ./usr/share/doc/pelk/LICENSE | cmp - "$root/LICENSE"
    # The package, its changelog and the project carry one version.
    [[ $(dpkg-deb -f "${found[0]}" Version) == "$version" ]] || fail "package version is not $version"
    dpkg-deb --fsys-tarfile "${found[0]}" | tar -xO ./usr/share/doc/pelk/changelog.gz | zcat \
        | head -n 1 | grep -q "^pelk ($version) " || fail "changelog does not begin with $version"
}
check "Debian package: cpack -G DEB, contents" debian_package
[[ -f $scratch/deb-path ]] && deb=$(cat "$scratch/deb-path")

debian_package_workbook() {
    grep -q " \./usr/share/doc/pelk/examples/lamp\.xlsx\$" "$scratch/deb-contents" ||
        fail "package lacks the example workbook"
}
check "Debian package: the example workbook" debian_package_workbook

# Not a single remark: the warnings the package overrides (with their
# reasons, in cmake/debian/lintian-overrides) are not shown, and no error or
# other warning may be left. (--show-overrides would make the overridden ones
# count as failures.)
debian_lintian() {
    [[ -n $deb ]] || fail "no package"
    local status=0
    # Its scratch files (it leaves some behind) go with ours.
    TMPDIR=$scratch lintian --fail-on error,warning "$deb" >"$scratch/lintian.out" || status=$?
    cat "$scratch/lintian.out"
    [[ $status -eq 0 ]] || fail "lintian exited with $status"
    [[ ! -s $scratch/lintian.out ]] || fail "lintian has remarks"
}
check "Debian package: lintian accepts it" debian_lintian

if [[ $(id -u) -ne 0 ]]; then
    echo "skipped installing the Debian package (not root)"
elif [[ -z $deb ]]; then
    failed=$((failed + 1))
    echo "FAILED  installing the Debian package: no package"
else
    deb_install() {
        dpkg -i "$deb"
    }
    check "Debian package: dpkg -i" deb_install
    if dpkg -s pelk >/dev/null 2>&1; then
        deb_installed=1
    fi

    # The smoke test: the installed pelk, found on the PATH, run from another
    # directory on the example table.
    deb_smoke() {
        local work=$scratch/smoke
        PATH=/usr/bin:/bin
        mkdir -p "$work"
        cp -r "$root/examples" "$work/"
        cd "$work"
        [[ $(command -v pelk) == /usr/bin/pelk ]] || fail "pelk on the PATH is $(command -v pelk)"
        pelk -nLamp examples/lamp.tsv
        [[ -s Lampfsm.asm && -s Lampfsm.inc ]] || fail "no Lampfsm.asm/.inc"
        pelk -nLamp -aC -ilampact.h examples/lamp.tsv
        cc -Wall -Wextra -Wno-comment -I. -Iexamples/cmake -o lamp_demo Lampfsm.c \
            examples/cmake/lampact.c examples/cmake/main.c
        run_demo ./lamp_demo
        [[ $(command -v pelk-table) == /usr/bin/pelk-table ]] || fail "pelk-table on the PATH is $(command -v pelk-table)"
        pelk-table check examples/lamp.tsv 2>check.err
        grep -q '^examples/lamp\.tsv:1:13: warning: .*\[unused-event\]$' check.err
        [[ -f /usr/share/man/man1/pelk-table.1.gz ]] || fail "no pelk-table man page"
        [[ $(pkg-config --modversion kerrow) == 1.0 ]] || fail "kerrow.pc not found"
        [[ -f /usr/share/man/man1/pelk.1.gz ]] || fail "no man page"
        [[ -f /usr/share/doc/pelk/LICENSE ]] || fail "no LICENSE"
    }
    check "Debian package: smoke test from another directory" deb_smoke

    check "examples/cmake against the installed package: build, run, rebuild" \
        cmake_example Ninja "" deb

    deb_remove() {
        dpkg -r pelk
        [[ ! -e /usr/bin/pelk && ! -e /usr/bin/pelk-table && ! -e /usr/lib/pelk ]] || fail "files left after dpkg -r"
    }
    if [[ $deb_installed -eq 1 ]]; then
        check "Debian package: dpkg -r" deb_remove
        dpkg -s pelk >/dev/null 2>&1 || deb_installed=0
    fi
fi

echo "packaging: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
