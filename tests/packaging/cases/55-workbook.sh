# Sourced by tests/packaging/run.sh: pelk_generate and the Make example
# built from the example workbook, examples/lamp.xlsx.

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
