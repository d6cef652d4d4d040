#!/usr/bin/env bash
# Builds pelk, its library and pelk-table in Release (build-release) and the
# benchmark driver (build-bench), then measures whole pelk runs for every
# target, and pelk-table check beside pelk on the largest table.
# Usage: scripts/bench-pelk.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_packages cmake=cmake ninja=ninja-build g++=g++ \
    /usr/include/CLI/CLI.hpp=libcli11-dev /usr/include/nlohmann/json.hpp=nlohmann-json3-dev
cd "$root"
pelk_build_bench "$root" pelk_bench
exec "$root/build-bench/pelk_bench" "$root/build-release/pelk" "$@"
