#!/usr/bin/env bash
# pelk-table diff as git's external diff driver, in a real repository made
# here, with the .gitattributes and configuration of the README: git diff,
# git log -p --ext-diff and git show must show the machine's changes of a
# table, its addition and its removal; the driver also takes git's seven
# arguments without --git. A workbook shows its rows through
# `pelk-table export` as a textconv, where this pelk-table has export.
# Usage: check-git-diff.sh PELK_TABLE
# Exit 77 (skipped) when git is missing.
set -uo pipefail
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
command -v git >/dev/null 2>&1 || { echo "git is missing: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export GIT_CONFIG_NOSYSTEM=1 HOME=$work GIT_AUTHOR_DATE='2026-01-01T00:00:00Z' GIT_COMMITTER_DATE='2026-01-01T00:00:00Z'
git init -q repo && cd repo || exit 1
git config user.name test && git config user.email test@example.invalid
git config diff.pelk.command "'$tool' diff --git"
printf '*.tsv diff=pelk\n' > .gitattributes

passed=0 failed=0
# expect NAME EXPECTED ACTUAL
expect() {
    if [[ "$2" == "$3" ]]; then
        echo "ok $1"; passed=$((passed + 1))
    else
        echo "FAIL $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3"); failed=$((failed + 1))
    fi
}

printf 'START\t\tPUSH\tTICK\nOFF\t0\t1/LampOn\t-\nON\t1\t0/LampOff\t-\n' > lamp.tsv
git add .gitattributes lamp.tsv && git commit -qm 'a lamp'
# A state inserted: every next state past it is renumbered, one cell changed.
printf 'START\t\tPUSH\tTICK\nOFF\t0\t2/LampOn\t-\nWARM\t1\t-\t2/Glow\nON\t2\t0/LampOff,Beep\t*\n' > lamp.tsv
changes=$(cat <<'END'
pelk-table diff a/lamp.tsv b/lamp.tsv
state added: WARM (1)
states renumbered: ON 1 → 2
WARM × TICK (cell D3): (added)  ⇒  → ON / Glow
ON × PUSH (cell C4): → OFF / LampOff  ⇒  → OFF / LampOff, Beep
event does something now: TICK
check: - warning: event 1 'TICK' does nothing in any state: no transition, no action [unused-event]
check: + warning: state 1 'WARM' cannot be reached from state 0 [unreachable-state]
vector table: 4 → 6 entries, 8 → 12 bytes (2 bytes an entry on NRA78K0)
END
)
expect "git diff" "$changes" "$(git diff)"
git commit -qam 'a warm state'
expect "git log -p --ext-diff" "$changes" "$(git log -p --ext-diff -1 --format= -- lamp.tsv)"
expect "git show --ext-diff" "$changes" "$(git show --ext-diff --format= HEAD -- lamp.tsv)"

# Only the layout changed: the machine is the same, and said so.
printf 'Lamp\nSTART\tNo\tPUSH\tTICK\nOFF\t0\t2 / LampOn\t*\nWARM\t01\t-/-\t2/Glow\nON\t2\t0/LampOff,Beep\t-\n' > lamp.tsv
expect "git diff, same machine" 'pelk-table diff a/lamp.tsv b/lamp.tsv
the machine is the same' "$(git diff)"
git checkout -q lamp.tsv

# A table added and one removed: git gives /dev/null for the missing side.
cp lamp.tsv door.tsv && git add door.tsv
added=$(cat <<'END'
pelk-table diff /dev/null b/door.tsv
state added: OFF (0)
state added: WARM (1)
state added: ON (2)
event added: PUSH (0)
event added: TICK (1)
OFF × PUSH (cell C2): (added)  ⇒  → ON / LampOn
WARM × TICK (cell D3): (added)  ⇒  → ON / Glow
ON × PUSH (cell C4): (added)  ⇒  → OFF / LampOff, Beep
start state: (none) → OFF
check: + warning: state 1 'WARM' cannot be reached from state 0 [unreachable-state]
vector table: 0 → 6 entries, 0 → 12 bytes (2 bytes an entry on NRA78K0)
END
)
expect "git diff --cached, added table" "$added" "$(git diff --cached)"
git commit -qm 'a door'
git rm -q door.tsv
removed=$(git diff --cached)
expect "git diff --cached, removed table" 'pelk-table diff a/door.tsv /dev/null' "$(head -1 <<<"$removed")"
expect "removed table, its cells" "ON × PUSH (was cell C4): → OFF / LampOff, Beep  ⇒  (removed)" \
    "$(grep -F 'ON × PUSH' <<<"$removed")"
git commit -qm 'no door'

# git's seven arguments, without --git.
git config diff.pelk.command "'$tool' diff"
printf 'START\t\tPUSH\tTICK\nOFF\t0\t2/LampOn\t-\nWARM\t1\t-\t2/Glow\nON\t2\t0/Beep,LampOff\t-\n' > lamp.tsv
expect "seven arguments" 'pelk-table diff a/lamp.tsv b/lamp.tsv
ON × PUSH (cell C4): → OFF / LampOff, Beep  ⇒  → OFF / Beep, LampOff' "$(git diff)"

# A table pelk refuses: its findings, and git carries on.
printf 'START\t\tPUSH\tTICK\nOFF\t0\t2/LampOn\t-\nWARM\t7\t-\t2/Glow\nON\t2\t0/LampOff\t-\n' > lamp.tsv
refused=$(git diff 2>&1; echo "status $?")
expect "refused table" "pelk-table diff a/lamp.tsv b/lamp.tsv
b/lamp.tsv:3:6: error: state number '7' should be 1, the position of 'WARM' after the header (cell B3) [table-format]
1 error generated.
pelk-table: b/lamp.tsv is not a table pelk accepts: no comparison
status 0" "$refused"
git checkout -q lamp.tsv

# A renamed table: git's nine arguments, the new path last but one.
git config diff.pelk.command "'$tool' diff --git"
git mv lamp.tsv light.tsv
sed -i 's/0\/LampOff/0\/LampOff,Click/' light.tsv && git add light.tsv
renamed=$(git diff --cached -M)
expect "renamed table" 'pelk-table diff a/lamp.tsv b/light.tsv' "$(head -1 <<<"$renamed")"
expect "renamed table, its change" 'ON × PUSH (cell C4): → OFF / LampOff, Beep  ⇒  → OFF / LampOff, Click, Beep' \
    "$(sed -n 2p <<<"$renamed")"
git commit -qm 'a light'

# Workbooks: export as the textconv of their driver. This runs once
# pelk-table has export and reads workbooks; until then it is skipped.
if "$tool" --help 2>/dev/null | grep -q "^  export " && /usr/bin/python3 -c 'import openpyxl' 2>/dev/null; then
    git config diff.pelk-workbook.command "'$tool' diff --git"
    git config diff.pelk-workbook.textconv "'$tool' export"
    printf '*.xlsx diff=pelk-workbook\n' >> .gitattributes
    workbook() {  # workbook FILE ROW... (rows with tabs between the cells)
        /usr/bin/python3 - "$@" <<'PY'
import sys, openpyxl
book = openpyxl.Workbook()
for row in sys.argv[2:]:
    book.active.append(row.split("\t"))
book.save(sys.argv[1])
PY
    }
    workbook lamp.xlsx "START		PUSH" "OFF	0	1/LampOn" "ON	1	0/LampOff"
    git add .gitattributes lamp.xlsx && git commit -qm 'a workbook'
    workbook lamp.xlsx "START		PUSH" "OFF	0	1/LampOn" "ON	1	0/LampOff,Beep"
    git commit -qam 'a beep'
    expect "workbook, git diff" "ON × PUSH (cell C3): → OFF / LampOff  ⇒  → OFF / LampOff, Beep" \
        "$(git show --ext-diff --format= HEAD -- lamp.xlsx | sed -n 2p)"
    rows=$(git log -p -1 --format= -- lamp.xlsx)
    expect "workbook, textconv" "yes" "$(grep -q '^+.*LampOff,Beep' <<<"$rows" && grep -q '^-.*LampOff' <<<"$rows" && echo yes)"
else
    echo "skip workbook: this pelk-table has no export command (or python3-openpyxl is missing)"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
