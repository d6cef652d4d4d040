#!/usr/bin/env bash
# Tests the page of pelk-table html in headless Chromium: the simulator
# against pelk-table run, the URL fragment and its note, copy as scenario,
# keyboard play, the diagram's zoom, pan and clicks on a 15- and a 40-state
# table, hostile names, broken tables, the marks of html --compare and the
# absence of network requests (tests/html, which CTest runs too).
# Screenshots of the example pages land in the build tree, html-screenshots/.
#
# Usage: scripts/test-html.sh     (build directory: $PELK_BUILD_DIR or build)
# Exits with 0 when every test passed.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
pelk_need_browser_tools

build=$(realpath -m "${PELK_BUILD_DIR:-build}")
cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target pelk-table
exec tests/html/check-page.sh "$build/pelk-table" examples "$build/html-screenshots"
