#!/usr/bin/env bash
# Builds pelk-table in Release (build-release) and the benchmark driver
# (build-bench), makes the largest table (256 states x 128 events, three
# actions per cell) as TSV, as .xlsx (python3-openpyxl, shared strings as a
# second writer makes them) and, when LibreOffice is there, as .ods, and
# measures pelk-table check on each beside the TSV, and export.
# Usage: scripts/bench-workbook.sh [repetitions]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
pelk_need_build_tools
pelk_need_packages /usr/lib/python3/dist-packages/openpyxl=python3-openpyxl
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELK_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target pelk-table
cmake -S "$root/bench" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-bench" -j2 --target workbook_bench

tables="$root/build-bench/workbook-tables"
mkdir -p "$tables"
if [[ ! -f $tables/t256x128.xlsx ]]; then
    /usr/bin/python3 - "$tables" <<'PY'
import os, sys
import openpyxl
out = sys.argv[1]
states, events = 256, 128
rows = [["START", None] + ["EV%d" % e for e in range(events)]]
for s in range(states):
    rows.append(["ST%d" % s, s] + ["%d/On%d,Log%d,Tick" % ((s + e + 1) % states, e, s) for e in range(events)])
with open(os.path.join(out, "t256x128.tsv"), "w", newline="\n") as tsv:
    for row in rows:
        tsv.write("\t".join("" if v is None else str(v) for v in row) + "\n")
book = openpyxl.Workbook()
sheet = book.active
sheet.title = "Table"
for row in rows:
    sheet.append(row)
book.save(os.path.join(out, "t256x128.xlsx"))
PY
fi
if [[ ! -f $tables/t256x128.ods ]] && command -v soffice >/dev/null; then
    soffice --headless --convert-to ods --outdir "$tables" "$tables/t256x128.xlsx" >/dev/null 2>&1 || true
fi
exec "$root/build-bench/workbook_bench" "$root/build-release/pelk-table" "$tables" "$@"
