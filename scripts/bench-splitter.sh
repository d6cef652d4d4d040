#!/bin/sh
# Builds the splitter benchmark in Release and runs it.
# Usage: scripts/bench-splitter.sh [file] [records] [fields]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/bench"
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target splitter_bench
exec "$root/build-bench/splitter_bench" "$@"
