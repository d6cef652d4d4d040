#!/bin/sh
# Builds the splitter fuzz target with clang and runs it for N seconds.
# Usage: scripts/fuzz-splitter.sh [seconds] [extra libFuzzer options...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
build="$root/build-fuzz"
(cd "$root/fuzz" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 --target splitter_fuzz)
corpus="$build/corpus-splitter"
mkdir -p "$corpus"
# Seeds: a read size byte, an allocation byte, then a small table.
printf '\001\000START\tE0\tE1\nS0\t0\tS1/a\t-\n' >"$corpus/seed-table"
printf '\003\000"a"\t"b c"\r\n"\nx"\n\n' >"$corpus/seed-quotes"
printf '\000\310a\tb\nc\n' >"$corpus/seed-alloc"
cd "$build"  # libFuzzer writes its fuzz-N.log files here
exec "$build/splitter_fuzz" -max_total_time="$seconds" -jobs=1 -workers=1 -print_final_stats=1 "$@" "$corpus"
