#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan) and runs the whole test suite with it: any report of either
# sanitizer, a leak included, fails a test. Run as root, it then runs the
# fault cases once more as an unprivileged user, for whom permission bits
# count.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/deps.sh
pelk_need_build_tools
pelk_need_view_tools
# The Mermaid parser of the views' test and the SARIF validator are shared
# with build/; the browser test's tools are installed as root only, as
# scripts/test.sh does.
pelk_need_mermaid "$root/build/npm-mermaid"
pelk_need_sarif_validator tests/sarif "$root/build/sarif-validator"
[[ $(id -u) -ne 0 ]] || pelk_need_browser_tools

build="$root/build-asan"
cmake --preset sanitizers >/dev/null
cmake --build --preset sanitizers -j2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# What Graphviz and fontconfig keep for the life of the process (dot --format=svg).
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0
ctest --preset sanitizers

if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null 2>&1; then
    user=nobody
    if setpriv --reuid="$user" --regid=nogroup --clear-groups test -x "$build/pelk_e2e"; then
        echo "fault cases as $user:"
        (cd /tmp && setpriv --reuid="$user" --regid=nogroup --clear-groups \
            "$build/pelk_e2e" --gtest_filter='Faults/*' --gtest_brief=1)
    else
        echo "SKIPPED: the fault cases as $user: $build is not reachable for $user"
    fi
fi
