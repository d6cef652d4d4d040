#!/usr/bin/env bash
# Builds pelk and runs it on the bundled example table; the generated files
# land in build/example/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pelk Kerrow
mkdir -p build/example
cd build/example
cp ../../examples/lamp.tsv .
../pelk -nLamp -ilampact.inc ./lamp.tsv
echo "== build/example/Lampfsm.asm"
cat Lampfsm.asm
echo "== build/example/Lampfsm.inc"
cat Lampfsm.inc
