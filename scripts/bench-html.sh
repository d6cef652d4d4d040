#!/usr/bin/env bash
# Builds pelk-table in Release (build-release) and measures the pages of
# pelk-table html in headless Chromium: size, time until interactive, and a
# click's response, for the examples and the largest table.
# Usage: scripts/bench-html.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_build_tools
pelk_need_packages chromium=chromium chromedriver=chromium-driver \
    /usr/lib/python3/dist-packages/selenium/__init__.py=python3-selenium
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target pelk-table
exec /usr/bin/python3 "$root/bench/html_bench.py" "$root/build-release/pelk-table" "$@"
