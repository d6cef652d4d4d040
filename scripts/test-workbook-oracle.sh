#!/usr/bin/env bash
# The workbook oracle: LibreOffice Calc exports every sheet of a corpus of
# .xlsx and .ods workbooks as tab-separated text (cell contents as shown),
# and `pelk-table export` must give the same bytes for each sheet, or refuse
# it with an error naming a cell (tests/workbook/oracle.py says what
# passes), in en-US and again in de_DE.UTF-8. The corpus is made at test
# time by tests/workbook/make_corpus.py: the examples and the tables of the
# golden and check cases saved by LibreOffice as .xlsx and .ods, workbooks
# written by openpyxl, workbooks written part by part, and the twists of
# tests/workbook/twists.py written by openpyxl and re-written by LibreOffice
# as .ods and .xlsx. pelk's generated C from both exports of every table
# sheet must be the same.
#
# Prints LibreOffice's version, one line per sheet, the figures per writer
# and language, and "N passed, N failed"; exits non-zero when a sheet fails. The work is left in build/workbook-oracle/ (the corpus,
# LibreOffice's exports and its log).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages soffice=libreoffice-calc-nogui /usr/bin/python3=python3 \
    /usr/lib/python3/dist-packages/openpyxl/__init__.py=python3-openpyxl

[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target pelk-table pelk Kerrow

# LibreOffice runs with a profile of its own under the build tree, never the
# user's, and without a display.
unset DISPLAY WAYLAND_DISPLAY
# Debian's Python and its openpyxl, whatever python3 comes first in PATH.
exec /usr/bin/python3 tests/workbook/oracle.py "$root" build/pelk-table build/workbook-oracle
