#!/usr/bin/env bash
# Validates the SARIF of pelk-table check against the published SARIF 2.1.0
# schema, for broken tables that fire every kind of finding: errors with
# notes, warnings, and findings without a place in the file.
# Usage: check-sarif.sh PELK_TABLE VALIDATOR_DIR
#   VALIDATOR_DIR  the folder into which npm installed tests/sarif/package.json
#                  (scripts/deps.sh: pelk_need_sarif_validator)
# Exit 77 (skipped) when Node or the validator is missing and the test does
# not run as root; as root (CI), scripts/test.sh installed them, so it fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
pelk_table=$(realpath -m "$1")
tools=$(realpath -m "$2")

missing=
command -v node >/dev/null 2>&1 || missing="node"
if [[ ! -d $tools/node_modules ]] || ! cmp -s "$here/package.json" "$tools/package.json"; then
    missing="${missing:+$missing, }the validator of tests/sarif/package.json in $tools"
fi
if [[ -n $missing ]]; then
    echo "missing: $missing (scripts/test.sh installs them; by hand: . scripts/deps.sh; pelk_need_sarif_validator tests/sarif $tools)"
    [[ $(id -u) -ne 0 ]] && { echo "skipped"; exit 77; }
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pelk-sarif.XXXXXX")
# 77 is the skip status; a failure below must never read as one.
trap 'status=$?; rm -rf "$scratch"; [[ $status -ne 77 ]] || status=1; exit $status' EXIT
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

# The validator's packages are found through NODE_PATH: it runs in place.
NODE_PATH=$tools/node_modules node "$here/validate.js" ./*.sarif
