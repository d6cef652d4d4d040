# Sourced by tests/packaging/run.sh: examples/make, built with the installed
# pelk.

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

# make check: the conformance test of the lamp written, built and run; a
# touched table writes and runs it again.
make_example_check() {
    local src=$scratch/make-example-check dir
    copy_example make "$src"
    dir=$src/make
    make -C "$dir" "${make_tools[@]}" check >"$scratch/make.log" 2>&1 || { cat "$scratch/make.log"; fail "make check failed"; }
    cat "$scratch/make.log"
    grep -qx "4 passed, 0 failed" "$scratch/make.log"
    make -C "$dir" -q "${make_tools[@]}" conformance/lampfsm_test || fail "make has work after make check"
    tick
    touch "$scratch/stamp"
    tick
    touch "$src/lamp.tsv"
    make -C "$dir" "${make_tools[@]}" check >"$scratch/make.log" 2>&1 || { cat "$scratch/make.log"; fail "make check failed"; }
    local file
    for file in conformance/lampfsm_test.c conformance/lampfsm.c conformance/lampfsm_test; do
        [[ $dir/$file -nt $scratch/stamp ]] || fail "touching the table did not rebuild $file"
    done
    grep -qx "4 passed, 0 failed" "$scratch/make.log"
}
check "examples/make: make check writes, builds and runs the conformance test" make_example_check
