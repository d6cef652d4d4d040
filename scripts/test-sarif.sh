#!/usr/bin/env bash
# Validates the SARIF of pelk-table check against the published SARIF 2.1.0
# schema (tests/sarif/check-sarif.sh, which CTest runs too).
#
# The validator (tests/sarif: ajv and the schema from an npm package) is
# installed with npm into the build tree, once; nothing of it is committed.
#
# Usage: scripts/test-sarif.sh     (build directory: $PELK_BUILD_DIR or build)
# Exits with 0 when every log is valid.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages node=nodejs npm=npm

build=$(realpath -m "${PELK_BUILD_DIR:-build}")
cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target pelk-table
pelk_need_sarif_validator tests/sarif "$build/sarif-validator"
exec tests/sarif/check-sarif.sh "$build/pelk-table" "$build/sarif-validator"
