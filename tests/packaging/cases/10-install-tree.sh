# Sourced by tests/packaging/run.sh: the install tree in the staging prefix,
# and the installed programs run from another directory.

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
    [[ $(grep -c ": warning: " "$scratch/check.err") -eq 1 ]] || fail "not one finding"
    grep -q '^\.\./tables/lamp\.tsv:1:13: warning: .*\[unused-event\]$' "$scratch/check.err"
    "$stage/bin/pelk-table" check -aC -nLamp ../tables/broken_lamp.tsv 2>"$scratch/check.err" || status=$?
    cat "$scratch/check.err"
    [[ $status -eq 1 ]] || fail "pelk-table check on the broken table exited with $status"
    grep -q '^\.\./tables/broken_lamp\.tsv:3:1: error: .*\[duplicate-name\]$' "$scratch/check.err"
}
check "install tree: pelk-table checks tables from another directory" installed_check_runs
