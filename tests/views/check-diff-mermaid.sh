#!/usr/bin/env bash
# The Mermaid diagrams in the expected Markdown of pelk-table diff
# (tests/diff/*/expected/stdout) must parse with the npm package mermaid, each
# into exactly the states and transitions it declares (check-mermaid.mjs).
# Usage: check-diff-mermaid.sh NODE_PREFIX DIFF_CASES_DIR
# Exit 77 (skipped) as check-mermaid.sh does when Node or mermaid is missing.
set -uo pipefail
prefix=$1
cases=$2
views=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for out in "$cases"/*/expected/stdout; do
    grep -q '^```mermaid$' "$out" || continue
    name=$(basename "$(dirname "$(dirname "$out")")")
    mkdir -p "$work/$name/expected"
    awk '/^```mermaid$/ { on = 1; next } /^```$/ { on = 0 } on' "$out" > "$work/$name/expected/view.mmd"
done
ls "$work"/*/expected/view.mmd >/dev/null 2>&1 || { echo "no Mermaid diagram in $cases"; exit 1; }
"$views/check-mermaid.sh" "$prefix" "$work"
