#!/usr/bin/env bash
# Runs the end-to-end cases with every pelk run under valgrind: a leak, an
# invalid access or a use of uninitialised memory makes valgrind print its
# report on pelk's standard error and exit with status 99, and so fails the
# case that expected other text and another status.
# Usage: scripts/test-valgrind.sh [gtest filter]   (default: every case)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages valgrind=valgrind

build="$root/build"
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target pelk Kerrow pelk_e2e

export PELK_COMMAND="valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=99 -q $build/pelk"
"$build/pelk_e2e" --gtest_filter="${1:-*}" --gtest_brief=1
