#!/usr/bin/env bash
# Checks pelk and pelk-table as a firmware build uses them: the install tree,
# the pkg-config file, the CMake package with pelk_generate(), the examples,
# the man pages and the Debian package, which Debian's checker lintian must
# accept. As root it also installs the package into the machine, runs it
# from another directory and removes it again.
#
# The cases are the files cases/NN-<topic>.sh, sourced in the order of their
# names: each defines one small function per case and hands it to `check`
# with the line that names it in the report. A new case is one more function
# and `check` line in the file of its topic, or a new file; what the cases
# share (the staged install tree, the example copies, the demo's expected
# output, `fail`) is defined below.
#
# Usage: tests/packaging/run.sh BUILD_DIR
#   BUILD_DIR  a build without the tests, with a Debian build's flags
#              (scripts/test-packaging.sh makes it, in build-package/)
# Ends with "packaging: N passed, N failed"; exits with 0 when every check
# passed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(realpath "${1:?usage: $0 BUILD_DIR}")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pelk-packaging.XXXXXX")
stage=$scratch/stage
expected=$here/lamp_demo.expected
broken_table=$here/broken_lamp.tsv
deb=
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

echo "== installing $build into a staging prefix"
cmake --install "$build" --prefix "$stage" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

for cases in "$here"/cases/*.sh; do
    # shellcheck source=/dev/null
    . "$cases"
done

echo "packaging: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
