#!/usr/bin/env bash
# Builds everything and runs every test; exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
pelk_need_view_tools
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
pelk_need_mermaid build/npm-mermaid
cmake --build build
cd build
ctest --output-on-failure -j2
