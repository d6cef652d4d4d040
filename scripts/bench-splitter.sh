#!/bin/sh
# Builds the splitter benchmark in Release and runs it.
# Usage: scripts/bench-splitter.sh [file] [records] [fields]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root/bench" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target splitter_bench
exec "$build/splitter_bench" "$@"
