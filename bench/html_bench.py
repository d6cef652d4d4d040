#!/usr/bin/python3
"""Size and speed of the pages of pelk-table html in headless Chromium.

For the bundled examples, a 15-state and a 40-state table, and the largest
table pelk takes (256 states x 128 events, three actions a cell, as in
pelk_bench), prints:
  - the time pelk-table html takes to write the page, and the page's size;
  - open: from navigation start until the page is interactive (its script
    has built everything; the load event);
  - click: from a click on an event button until the next frame is painted;
  - open + click, which must stay under 2 s for the largest table.
Each time is the median of several fresh loads.

Usage: bench/html_bench.py PELK_TABLE [REPETITIONS]   (scripts/bench-html.sh)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "html"))
import headless  # noqa: E402

PELK_TABLE = sys.argv[1]
REPETITIONS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SCRATCH = tempfile.mkdtemp(prefix="pelk-html-bench-")

# The click, timed inside the page up to the frame that shows its result.
CLICK = """
const done = arguments[arguments.length - 1];
const button = document.querySelector('button.event');
const start = performance.now();
button.click();
requestAnimationFrame(() => setTimeout(() => done(performance.now() - start)));
"""


def largest_table():
    path = os.path.join(SCRATCH, "largest.tsv")
    states, events = 256, 128
    with open(path, "w") as out:
        out.write("START\t" + "".join("\tEV%d" % e for e in range(events)) + "\n")
        for s in range(states):
            cells = ("%d/On%d,Log%d,Tick" % ((s + e + 1) % states, e, s) for e in range(events))
            out.write("ST%d\t%d\t%s\n" % (s, s, "\t".join(cells)))
    return path


def browser():
    return headless.browser(SCRATCH)


def measure(driver, table):
    page = os.path.join(SCRATCH, os.path.basename(table) + ".html")
    start = time.monotonic()
    subprocess.run([PELK_TABLE, "html", table, "-o", page], check=True)
    write = time.monotonic() - start
    opens, clicks = [], []
    for _ in range(REPETITIONS):
        driver.get("about:blank")
        driver.get("file://" + page)
        WebDriverWait(driver, 30, poll_frequency=0.01).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready"))
        opens.append(driver.execute_script("return performance.getEntriesByType('navigation')[0].loadEventEnd"))
        clicks.append(driver.execute_async_script(CLICK))
    return write, os.path.getsize(page), statistics.median(opens), statistics.median(clicks)


def main():
    # The 15-state UART and the 40-state menu: the examples', or the test's copies.
    sized = [os.path.join(ROOT, "examples", name) if os.path.exists(os.path.join(ROOT, "examples", name))
             else os.path.join(ROOT, "tests", "html", name) for name in ("uart.tsv", "menu.tsv")]
    tables = [os.path.join(ROOT, "examples", name) for name in ("lamp.tsv", "door.tsv")] + sized + [largest_table()]
    driver = browser()
    driver.set_script_timeout(30)
    try:
        print("%-12s %10s %12s %10s %10s %14s" % ("table", "write ms", "size bytes", "open ms", "click ms", "open+click ms"))
        for table in tables:
            write, size, opened, clicked = measure(driver, table)
            print("%-12s %10.0f %12d %10.0f %10.1f %14.0f" % (os.path.basename(table), write * 1000, size, opened,
                                                              clicked, opened + clicked))
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
