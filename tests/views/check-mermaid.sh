#!/usr/bin/env bash
# A real Mermaid parser (the npm package mermaid, under Node) must take every
# golden Mermaid file of the views.
# Usage: check-mermaid.sh NODE_PREFIX GOLDEN_DIR (tests/golden-views)
# Exit 77 (skipped) when Node or the package is missing and the test does not
# run as root; as root (CI), scripts/test.sh installed them, so it fails.
set -uo pipefail
prefix=$1
golden=$2
missing=
command -v node >/dev/null 2>&1 || missing="node"
[[ -d $prefix/node_modules/mermaid && -d $prefix/node_modules/jsdom ]] || missing="${missing:+$missing, }mermaid and jsdom in $prefix"
if [[ -n $missing ]]; then
    echo "missing: $missing (scripts/test.sh installs them; by hand: . scripts/deps.sh; pelk_need_mermaid $prefix)"
    [[ $(id -u) -ne 0 ]] && { echo "skipped"; exit 77; }
    exit 1
fi
exec node "$(dirname "$0")/check-mermaid.mjs" "$prefix" "$golden"/*/expected/view.mmd
