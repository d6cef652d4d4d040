# Sourced by tests/packaging/run.sh: examples/cmake, built with
# pelk_generate() against the install tree.

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
    grep -q "^$broken_table:3:19: error: .*'int'.*\[invalid-identifier\]$" "$scratch/build.log"
    [[ ! -e $bin/Lampfsm.c ]] || fail "pelk ran on the broken table"

    cmake "$bin" -DLAMP_TABLE="$src/lamp.tsv"
    cmake --build "$bin" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; fail "the lamp table did not build"; }
    cat "$scratch/build.log"
    grep -q "^$src/lamp.tsv:1:13: warning: .*\[unused-event\]$" "$scratch/build.log"
    run_demo "$bin/lamp_demo"
}
check "examples/cmake: pelk_generate(CHECK) stops at a broken table, builds the good one" \
    cmake_example_check

# pelk_generate(TEST): the conformance test of the lamp is written, built and
# run by ctest, through the emulator of a cross build where one is set; a
# touched table writes it again; a machine that differs from its table fails
# it.
cmake_example_test() {
    local src=$scratch/cmake-example-test bin emulator
    bin=$src/build
    emulator=$src/emulator.sh
    copy_example cmake "$src"
    printf '#!/bin/sh\necho "$*" >>"%s"\nexec "$@"\n' "$src/emulated" >"$emulator"
    chmod +x "$emulator"
    cmake -S "$src/cmake" -B "$bin" -G Ninja -DCMAKE_PREFIX_PATH="$stage" -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator"
    cmake --build "$bin"
    ctest --test-dir "$bin" --output-on-failure >"$scratch/ctest.log" || { cat "$scratch/ctest.log"; fail "ctest failed"; }
    cat "$scratch/ctest.log"
    grep -q "100% tests passed, 0 tests failed out of 1" "$scratch/ctest.log"
    grep -qx "$bin/Lampfsm_test" "$src/emulated" || fail "ctest did not run the test through the emulator"
    "$bin/Lampfsm_test" >"$scratch/tap"
    cat "$scratch/tap"
    [[ $(head -1 "$scratch/tap") == 1..4 && $(tail -1 "$scratch/tap") == "4 passed, 0 failed" ]] ||
        fail "unexpected TAP"

    tick
    touch "$scratch/stamp"
    tick
    touch "$src/lamp.tsv"
    cmake --build "$bin"
    local file
    for file in Lampfsm_conformance/Lampfsm_test.c Lampfsm_conformance/Lampfsm.c Lampfsm_test; do
        [[ $bin/$file -nt $scratch/stamp ]] || fail "touching the table did not rebuild $file"
    done
    ninja -C "$bin" -n | grep -q "no work to do" || fail "ninja still has work"

    # The machine under test calls LampOn where the table says LampOff.
    sed -i 's/^\tLampOff();/\tLampOn();/' "$bin/Lampfsm_conformance/Lampfsm.c"
    cmake --build "$bin"
    if ctest --test-dir "$bin" >"$scratch/ctest.log"; then fail "ctest passed a wrong machine"; fi
    "$bin/Lampfsm_test" >"$scratch/tap" || true
    cat "$scratch/tap"
    grep -qx "not ok 4 - ON on PUSH" "$scratch/tap"
    grep -qx "#   got:      state OFF (0), actions LampOn (1 call)" "$scratch/tap"
}
check "examples/cmake: pelk_generate(TEST) writes the conformance test, ctest runs it, a wrong machine fails it" \
    cmake_example_test
