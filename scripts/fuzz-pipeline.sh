#!/usr/bin/env bash
# Builds the pipeline fuzz target (table file -> splitter library -> every
# generator) with clang and the sanitizers, and runs it for N seconds.
# Seeds: the example tables, the golden cases' tables and the inputs that
# once broke the pipeline (fuzz/regressions/pipeline), which run first.
# Usage: scripts/fuzz-pipeline.sh [seconds] [extra libFuzzer options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[[ $# -gt 0 ]] && shift
. "$root/scripts/deps.sh"
pelk_need_build_tools
pelk_need_packages clang++=clang
# The libFuzzer runtime comes apart from clang, in the package of its version.
fuzzer_runtime=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)
pelk_need_packages "$fuzzer_runtime=libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"

build="$root/build-fuzz"
(cd "$root/fuzz" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 --target pipeline_fuzz)

regressions="$root/fuzz/regressions/pipeline"
if compgen -G "$regressions/*" >/dev/null; then
    echo "replaying $(ls "$regressions" | wc -l) regression inputs"
    "$build/pipeline_fuzz" "$regressions"/*
fi

corpus="$build/corpus-pipeline"
mkdir -p "$corpus"
for seed in "$root"/examples/*.tsv "$root"/tests/golden/*/*; do
    [[ -f $seed && $(basename "$seed") != cmd ]] || continue
    cp "$seed" "$corpus/seed-$(basename "$(dirname "$seed")")-$(basename "$seed")"
done

# Tables just beyond the limits: 257 states, and 129 events.
{
    printf 'START\t'
    for ((s = 0; s < 257; ++s)); do printf '\nS%d\t%d' $s $s; done
    printf '\n'
} >"$corpus/seed-257-states"
{
    printf 'START\t'
    for ((e = 0; e < 129; ++e)); do printf '\tE%d' $e; done
    printf '\nS\t0'
    for ((e = 0; e < 129; ++e)); do printf '\t0/a'; done
    printf '\n'
} >"$corpus/seed-129-events"

# The target works in a scratch directory of its own: every path it is
# given must be absolute.
exec "$build/pipeline_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
    -artifact_prefix="$build/" -print_final_stats=1 "$@" "$corpus"
