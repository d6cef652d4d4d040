#!/usr/bin/env bash
# Validates the SARIF of pelk-table check against the published SARIF 2.1.0
# schema, for broken tables that fire every kind of finding: errors with
# notes, warnings, and findings without a place in the file.
#
# The validator (tests/sarif: ajv and the schema from an npm package) is
# installed with npm into the build tree, once; nothing of it is committed.
#
# Usage: scripts/test-sarif.sh     (build directory: $PELK_BUILD_DIR or build)
# Exits with 0 when every log is valid.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages node=nodejs npm=npm

build=$(realpath -m "${PELK_BUILD_DIR:-build}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target pelk-table

# The validator, reinstalled only when its package list changed.
tools=$build/sarif-validator
if ! cmp -s tests/sarif/package.json "$tools/package.json" || [[ ! -d $tools/node_modules ]]; then
    rm -rf "$tools"
    mkdir -p "$tools"
    cp tests/sarif/package.json "$tools/"
    (cd "$tools" && npm install --no-audit --no-fund --loglevel=error)
fi
cp tests/sarif/validate.js "$tools/"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pelk-sarif.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

# The tables: next state past the last one, two states of one name, a name
# with a blank and a C keyword as action, a register as state name, 128
# events for an assembler, a byte-order mark, UTF-16 text.
printf 'START\t\tGO\nIDLE\t0\t5/run\nBUSY\t1\t0/stop\n' >next-state.tsv
printf 'START\t\tGO\nOFF\t0\t1/on\nOFF\t1\t0/off\n' >duplicate.tsv
printf 'START\t\tPUSH\nlamp off\t0\t1/int\nON\t1\t0/off\n' >identifier.tsv
printf 'START\t\tGO\nA\t0\t1/on\nB\t1\t0/off\n' >register.tsv
{
    printf 'START\t'
    for ((e = 0; e < 128; e++)); do printf '\tE%d' "$e"; done
    printf '\nIDLE\t0'
    for ((e = 0; e < 128; e++)); do printf '\t-'; done
    printf '\n'
} >wide.tsv
printf '\xef\xbb\xbfSTART\t\tGO\nIDLE\t0\t0/run\n' >bom.tsv
printf 'START\t\tGO\nIDLE\t0\t0/run\n' | iconv -f UTF-8 -t UTF-16LE >utf16.tsv

pelk_table=$build/pelk-table
sarif() {
    local log=$1 status=0
    shift
    "$pelk_table" check --format=sarif "$@" >"$log" || status=$?
    [[ $status -le 1 ]] || { echo "pelk-table check $* exited with $status" >&2; return 1; }
}
sarif next-state.sarif next-state.tsv
sarif duplicate.sarif -aC -nLamp duplicate.tsv
sarif identifier.sarif -aC -nLamp identifier.tsv
sarif register.sarif -aNRA78K0 -nLamp register.tsv
sarif wide.sarif wide.tsv
sarif encoding.sarif bom.tsv utf16.tsv
# A machine name and a missing file give findings without a line.
sarif no-place.sarif -aC -n1x "$root/examples/door.tsv" missing.tsv
# Workbooks: findings at a sheet's cells (refused cells, a merged area),
# and a workbook refused as a whole.
sarif workbook.sarif "$root/tests/workbook/refused.xlsx" "$root/tests/workbook/lamp.ods" \
    "$root/tests/workbook/lamp.xls"
# Every table in one log, with a path that needs percent-encoding.
cp next-state.tsv 'a table #1.tsv'
sarif all.sarif -aC -nLamp ./*.tsv "$root/examples/lamp.tsv"

node "$tools/validate.js" ./*.sarif
