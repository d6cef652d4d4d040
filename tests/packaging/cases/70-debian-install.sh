# Sourced by tests/packaging/run.sh: as root, the Debian package installed into
# the machine, used from another directory, and removed again. Its
# cmake_example comes from 40-cmake-example.sh.

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
