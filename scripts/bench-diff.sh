#!/usr/bin/env bash
# Builds pelk-table in Release (build-release) and the benchmark driver
# (build-bench), then measures pelk-table diff of two tables of 256 states x
# 128 events that differ in 1,000 cells beside check on both.
# Usage: scripts/bench-diff.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_build_tools
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELK_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target pelk-table
cmake -S "$root/bench" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-bench" -j2 --target diff_bench
exec "$root/build-bench/diff_bench" "$root/build-release/pelk-table" "$@"
