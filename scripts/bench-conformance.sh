#!/usr/bin/env bash
# Builds pelk and pelk-table in Release (build-release) and the benchmark
# driver (build-bench), then measures pelk-table test beside pelk -aC up to
# 256 states x 128 events, and the length of its tours against a lower
# bound on the shortest covering walk, for every example table.
# Usage: scripts/bench-conformance.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_build_tools
cd "$root"
pelk_build_bench "$root" conformance_bench
exec "$root/build-bench/conformance_bench" "$root/build-release/pelk-table" "$root/build-release/pelk" "$@"
