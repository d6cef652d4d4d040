#!/usr/bin/env bash
# Writes docs/examples.md: the bundled example tables as `pelk-table markdown`
# documents them, so that their diagrams render on the code host.
# Usage: scripts/examples-doc.sh [PELK_TABLE] [--check]
#   PELK_TABLE  the program to run (default: build/pelk-table)
#   --check     write nothing; fail with the difference when docs/examples.md
#               is not what the program writes now (a test runs this)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$root/build/pelk-table
check=
for arg in "$@"; do
    case $arg in
    --check) check=1 ;;
    *) program=$(cd "$(dirname "$arg")" && pwd)/$(basename "$arg") ;;
    esac
done

document() {
    cat <<'TEXT'
# The bundled examples

The tables in `examples/`, documented by `pelk-table markdown`: for each, the
transition matrix, the states, events and actions, the state diagram and the
findings of `pelk-table check`. This file is made by
`scripts/examples-doc.sh`; a test fails when it is out of date.

TEXT
    local table
    for table in lamp door uart menu frame pages; do
        (cd "$root/examples" && "$program" markdown "$table.tsv")
        echo
    done
}

target=$root/docs/examples.md
if [[ -z $check ]]; then
    document >"$target.new"
    mv "$target.new" "$target"
    echo "wrote $target"
    exit 0
fi
if ! diff -u "$target" <(document); then
    echo "docs/examples.md is out of date: run scripts/examples-doc.sh and commit it" >&2
    exit 1
fi
echo "docs/examples.md is up to date"
