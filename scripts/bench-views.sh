#!/usr/bin/env bash
# Builds pelk and pelk-table in Release (build-release) and the benchmark
# driver (build-bench), then measures pelk-table's views (dot, dot as SVG,
# mermaid, markdown) and check beside pelk, up to 256 states x 128 events.
# Usage: scripts/bench-views.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_build_tools
cd "$root"
pelk_build_bench "$root" views_bench
exec "$root/build-bench/views_bench" "$root/build-release/pelk-table" "$root/build-release/pelk" "$@"
