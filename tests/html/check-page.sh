#!/usr/bin/env bash
# Tests the page of pelk-table html in headless Chromium (test_page.py): the
# simulator against pelk-table run, the URL fragment, keyboard play, hostile
# names, broken tables and the absence of network requests; then the marks
# of html --compare (test_compare.py).
# Usage: check-page.sh PELK_TABLE EXAMPLES_DIR SCREENSHOT_DIR
# Exit 77 (skipped) when Chromium, chromedriver or Debian's Python bindings
# (selenium, PIL) are missing and the test does not run as root; as root
# (CI), scripts/test.sh installed them, so it fails. A tool that is present
# but fails fails the test.
set -uo pipefail
missing=
for tool in chromium chromedriver; do
    [[ -x /usr/bin/$tool ]] || missing="${missing:+$missing, }/usr/bin/$tool"
done
for module in selenium PIL; do
    /usr/bin/python3 -c "import importlib.util, sys; sys.exit(importlib.util.find_spec('$module') is None)" \
        2>/dev/null || missing="${missing:+$missing, }Python's $module"
done
if [[ -n $missing ]]; then
    echo "missing: $missing (scripts/test.sh installs them as root; by hand: . scripts/deps.sh; pelk_need_browser_tools)"
    [[ $(id -u) -ne 0 ]] && { echo "skipped"; exit 77; }
    exit 1
fi
# Debian's Python, which has the packages above.
/usr/bin/python3 "$(dirname "$0")/test_page.py" "$@"
status=$?
# The marks of html --compare: PELK_TABLE and SCREENSHOT_DIR.
if [[ $status -eq 0 ]]; then
    /usr/bin/python3 "$(dirname "$0")/test_compare.py" "$1" "$3"
    status=$?
fi
# 77 is the skip status; a failure must never read as one.
[[ $status -eq 77 ]] && status=1
exit $status
