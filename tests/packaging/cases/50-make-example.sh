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
