#!/usr/bin/env bash
# Builds pelk and runs it on the bundled example table; the generated files
# land in build/example/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
cmake --preset default >/dev/null
cmake --build --preset default --target pelk Kerrow
mkdir -p build/example
cd build/example
cp ../../examples/lamp.tsv .
../pelk -nLamp -ilampact.inc ./lamp.tsv
echo "== build/example/Lampfsm.asm"
cat Lampfsm.asm
echo "== build/example/Lampfsm.inc"
cat Lampfsm.inc
