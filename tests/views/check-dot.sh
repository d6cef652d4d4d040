#!/usr/bin/env bash
# Graphviz's dot program must take every golden DOT file of the views, and
# say nothing on standard error while it lays them out as SVG.
# Usage: check-dot.sh GOLDEN_DIR (tests/golden-views)
# Exit 77 (skipped) when dot is missing and the test does not run as root;
# as root (CI), scripts/test.sh installed it, so it fails.
set -uo pipefail
if ! command -v dot >/dev/null 2>&1; then
    echo "missing: Graphviz's dot (scripts/test.sh installs it; by hand: apt-get install graphviz)"
    [[ $(id -u) -ne 0 ]] && { echo "skipped"; exit 77; }
    exit 1
fi
passed=0
failed=0
for file in "$1"/*/expected/view.dot; do
    if errors=$(dot -Tsvg "$file" 2>&1 >/dev/null) && [[ -z $errors ]]; then
        echo "ok $file"
        passed=$((passed + 1))
    else
        echo "FAIL $file: ${errors:-dot failed}"
        failed=$((failed + 1))
    fi
done
echo "$passed passed, $failed failed"
[[ $failed -eq 0 && $passed -gt 0 ]]
