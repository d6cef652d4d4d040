#!/usr/bin/python3
"""The changes on the page of pelk-table html --compare OLD, in headless
Chromium: the list of changes is the text of pelk-table diff, line for line;
the changed, added and renamed cells, rows and columns are marked in the
matrix, and the nodes and edges of changed cells in the diagram; a page
without --compare has none of it; no console error. Saves a screenshot.

Usage: test_compare.py PELK_TABLE ARTIFACT_DIR
"""
import os
import subprocess
import sys
import tempfile

from selenium.webdriver.support.ui import WebDriverWait

import headless

PELK_TABLE, ARTIFACTS = sys.argv[1:3]
SCRATCH = tempfile.mkdtemp(prefix="pelk-compare-")

OLD = "START\t\tPUSH\tTICK\nOFF\t0\t7/LampOn\t-\nON\t1\t2/Dim\t-\nDIM\t2\t0/LampOff\t-\n"
# WARM inserted, OFF's PUSH goes to ON instead of 7 (past the last state), ON's
# PUSH goes elsewhere, DIM renamed BRIGHT (same cells), TICK renamed TIMER.
NEW = "START\t\tPUSH\tTIMER\nOFF\t0\t2/LampOn\t-\nWARM\t1\t-\t2/Glow\nON\t2\t0/Dim,Beep\t-\nBRIGHT\t3\t0/LampOff\t-\n"

SEEN = """
const cls = (sel) => [...document.querySelectorAll(sel)];
const at = (td) => [td.parentElement.sectionRowIndex, td.cellIndex - 1];
return {
  lines: cls('#changes li').map(li => li.textContent),
  changed: cls('#matrix tbody td.change-changed').map(at),
  added: cls('#matrix tbody td.change-added').map(at),
  addedRows: cls('#matrix tbody th.change-added').map(th => th.parentElement.sectionRowIndex),
  renamedRows: cls('#matrix tbody th.change-renamed').map(th => th.parentElement.sectionRowIndex),
  renamedColumns: cls('#matrix thead th.change-renamed').map(th => th.cellIndex - 1),
  drawn: document.querySelector('#diagram svg') !== null,
  nodes: cls('#diagram g.node.change-cell > title').map(t => t.textContent),
  edges: cls('#diagram g.edge.change-edge > title').map(t => t.textContent),
  tips: cls('#matrix tbody td.change-changed').map(td => td.title),
};"""


def write(name, text):
    path = os.path.join(SCRATCH, name)
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    return path


def main():
    old, new = write("old.tsv", OLD), write("new.tsv", NEW)
    page = os.path.join(SCRATCH, "new.html")
    plain = os.path.join(SCRATCH, "plain.html")
    subprocess.run([PELK_TABLE, "html", new, "--compare", old, "-o", page], check=True)
    subprocess.run([PELK_TABLE, "html", new, "-o", plain], check=True)
    text = subprocess.run([PELK_TABLE, "diff", old, new], capture_output=True, text=True).stdout
    driver = headless.browser(SCRATCH, logs=True)
    failures = []
    try:
        def seen_on(path):
            driver.get("file://" + path)
            WebDriverWait(driver, 10).until(lambda d: d.execute_script("return document.documentElement.dataset.ready"))
            return driver.execute_script(SEEN)

        seen = seen_on(page)
        os.makedirs(ARTIFACTS, exist_ok=True)
        driver.save_screenshot(os.path.join(ARTIFACTS, "compare-page.png"))
        checks = [
            ("the list is diff's text", seen["lines"] == text.splitlines()),
            ("OFF x PUSH and ON x PUSH changed", seen["changed"] == [[0, 0], [2, 0]]),
            ("WARM x TIMER added", seen["added"] == [[1, 1]]),
            ("WARM's row added", seen["addedRows"] == [1]),
            ("BRIGHT renamed", seen["renamedRows"] == [3]),
            ("TIMER renamed", seen["renamedColumns"] == [1]),
            ("the cells say what they were, #7 as diff labels it",
             seen["tips"] == ["was → #7 / LampOn since old.tsv", "was → DIM / Dim since old.tsv"]),
        ]
        if seen["drawn"]:
            checks.append(("the nodes of OFF and ON and the arrows of the three cells marked",
                           {"OFF", "ON"} <= set(seen["nodes"]) and len(seen["edges"]) == 3))
        plain_seen = seen_on(plain)
        checks.append(("no marks without --compare", not plain_seen["lines"] and not plain_seen["changed"]))
        errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
        checks.append(("no console error", not errors))
        for name, ok in checks:
            print(("ok " if ok else "FAILED ") + name)
            if not ok:
                failures.append(name)
        if failures:
            print("seen:", seen, file=sys.stderr)
    finally:
        driver.quit()
    print("compare: %d passed, %d failed" % (len(checks) - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
