#!/usr/bin/env bash
# Builds the workbook fuzz target (pelk-table's reader of .xlsx and .ods,
# with libexpat and libzip) with clang and the sanitizers, and runs it for N
# seconds. Seeds: the test workbooks of tests/workbook.
# Usage: scripts/fuzz-workbook.sh [seconds] [extra libFuzzer options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[[ $# -gt 0 ]] && shift
. "$root/scripts/deps.sh"
pelk_need_build_tools
pelk_need_packages clang++=clang python3=python3
# The libFuzzer runtime comes apart from clang, in the package of its version.
fuzzer_runtime=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)
pelk_need_packages "$fuzzer_runtime=libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"

build="$root/build-fuzz"
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target workbook_fuzz

corpus="$build/corpus-workbook"
mkdir -p "$corpus"
for seed in "$root"/tests/workbook/*.xlsx "$root"/tests/workbook/*.ods "$root"/tests/workbook/*.zip \
    "$root"/tests/workbook/*.odt; do
    cp "$seed" "$corpus/seed-$(basename "$seed")"
done
# And their XML alone (sheets and content.xml), which the target packs into
# a workbook itself: mutations of plain XML reach the readers' handlers.
python3 - "$root/tests/workbook" "$corpus" <<'PY'
import os, sys, zipfile
source, corpus = sys.argv[1], sys.argv[2]
for name in sorted(os.listdir(source)):
    if not name.endswith((".xlsx", ".ods")):
        continue
    with zipfile.ZipFile(os.path.join(source, name)) as book:
        for part in book.namelist():
            if part == "content.xml" or (part.startswith("xl/worksheets/") and part.endswith(".xml")):
                with open(os.path.join(corpus, "xml-%s-%s" % (name, part.replace("/", "-"))), "wb") as out:
                    out.write(book.read(part))
PY

exec "$build/workbook_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$build/" -print_final_stats=1 "$@" "$corpus"
