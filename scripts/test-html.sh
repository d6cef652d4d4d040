#!/usr/bin/env bash
# Tests the page of pelk-table html in headless Chromium: the simulator
# against pelk-table run, the URL fragment and its note, copy as scenario,
# keyboard play, the diagram's zoom, pan and clicks on a 15- and a 40-state
# table, hostile names, broken tables and the absence of network requests
# (tests/html).
# Screenshots of the example pages land in the build tree, html-screenshots/.
#
# Usage: scripts/test-html.sh     (build directory: $PELK_BUILD_DIR or build)
# Exits with 0 when every test passed.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
# Debian's browser, its WebDriver and Python's bindings to it; Pillow reads
# the screenshots.
pelk_need_packages chromium=chromium chromedriver=chromium-driver \
    /usr/lib/python3/dist-packages/selenium/__init__.py=python3-selenium \
    /usr/lib/python3/dist-packages/PIL/__init__.py=python3-pil

build=$(realpath -m "${PELK_BUILD_DIR:-build}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target pelk-table

# Debian's Python, which has the packages above.
exec /usr/bin/python3 tests/html/test_page.py "$build/pelk-table" examples "$build/html-screenshots"
