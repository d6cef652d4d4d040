#!/usr/bin/env bash
# Builds everything and runs every test; exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
pelk_need_view_tools
cmake --preset default >/dev/null
pelk_need_mermaid build/npm-mermaid
pelk_need_sarif_validator tests/sarif build/sarif-validator
# The browser test's tools are large: installed as root (CI) only; elsewhere
# the test runs where they are and is skipped where they are not.
[[ $(id -u) -ne 0 ]] || pelk_need_browser_tools
cmake --build --preset default
ctest --preset default
