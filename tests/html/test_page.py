#!/usr/bin/python3
"""The page of pelk-table html in a real browser (headless Chromium).

For the bundled examples and seeded random tables, clicks through event
sequences and compares, after every click, the highlighted state and the
trace with `pelk-table run --format=json` on the same sequence; replays the
URL fragment; plays the door example by keyboard alone; checks that hostile
names stay text, that a broken table still gets a page, and that no page
makes a network request. Saves a screenshot of each example page.

Usage: test_page.py PELK_TABLE EXAMPLES_DIR ARTIFACT_DIR
"""
import json
import os
import random
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import headless

PELK_TABLE, EXAMPLES, ARTIFACTS = sys.argv[1:4]
SCRATCH = tempfile.mkdtemp(prefix="pelk-html-")


def browser():
    return headless.browser(SCRATCH, logs=True)


def write_table(name, text):
    path = os.path.join(SCRATCH, name)
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    return path


def make_page(table, *options, status=0):
    page = os.path.join(SCRATCH, os.path.basename(table) + ".html")
    done = subprocess.run([PELK_TABLE, "html", table, "-o", page, *options], capture_output=True)
    assert done.returncode == status, done.stderr
    return page


def open_page(driver, page, fragment=""):
    driver.get("about:blank")
    driver.get("file://" + page + fragment)
    WebDriverWait(driver, 10, poll_frequency=0.02).until(lambda d: d.execute_script("return document.documentElement.dataset.ready"))


SEEN = """
const rows = [...document.querySelectorAll('#matrix tbody tr')];
return {
  current: rows.filter(tr => tr.classList.contains('current')).map(tr => tr.sectionRowIndex),
  taken: [...document.querySelectorAll('#matrix td.taken')].map(td => [td.parentElement.sectionRowIndex, td.cellIndex - 1]),
  trace: [...document.querySelectorAll('#trace tbody tr')].map(tr => [...tr.cells].map(td => td.textContent)),
  status: document.getElementById('status').textContent,
  stopped: [...document.querySelectorAll('button.event')].every(b => b.disabled),
  drawn: document.querySelector('#diagram svg') !== null,
  nodes: JSON.parse(document.getElementById('model').textContent).diagram.nodes,
  diagramCurrent: [...document.querySelectorAll('#diagram g.node.current > title')].map(t => t.textContent),
};"""


def label(state):
    return state["name"] if state["name"] is not None else "#%d" % state["number"]


def expected_rows(steps):
    return [[str(s["step"]), label(s["state"]), s["event"]["name"],
             label(s["next"]) + ("" if s["transition"] else " (no transition)"), " ".join(s["actions"])]
            for s in steps]


def check_seen(driver, run, count, where):
    """The page after `count` clicks against the run of the whole sequence."""
    seen = driver.execute_script(SEEN)
    steps = run["steps"][:count]
    assert seen["trace"] == expected_rows(steps), "%s: trace %r, run gives %r" % (where, seen["trace"], steps)
    state = steps[-1]["next"] if steps else run["start"]
    want = [state["number"]] if state["name"] is not None else []
    assert seen["current"] == want, "%s: highlighted %r, run is in %r" % (where, seen["current"], state)
    if seen["drawn"]:
        drawn = [seen["nodes"][state["number"]]] if state["name"] is not None else []
        assert seen["diagramCurrent"] == drawn, "%s: diagram highlights %r, run is in %r" % (
            where, seen["diagramCurrent"], state)
    if steps:
        assert seen["taken"] == [[steps[-1]["state"]["number"], steps[-1]["event"]["number"]]], where
    stops = count == len(run["steps"]) and run["error"]
    if stops:
        explanation = run["error"].split(": ", 1)[1]
        assert explanation in seen["status"] and seen["stopped"], "%s: %r lacks %r" % (where, seen["status"], explanation)
    else:
        assert not seen["stopped"], where


def play(driver, table, page, start, events, real_clicks=True):
    """Clicks the events from start; checks every step against run. A
    WebDriver click costs 150 ms here, so the random tables click from
    the page's own script."""
    command = [PELK_TABLE, "run", "--format=json", "--from", start, table, *events]
    run = json.loads(subprocess.run(command, capture_output=True, text=True).stdout)
    open_page(driver, page)
    start_number = str(run["start"]["number"])
    if real_clicks:
        Select(driver.find_element(By.ID, "start")).select_by_value(start_number)
    else:
        driver.execute_script("const s = document.getElementById('start'); s.value = arguments[0];"
                              "s.dispatchEvent(new Event('change'));", start_number)
    buttons = driver.find_elements(By.CSS_SELECTOR, "button.event")
    names = driver.execute_script("return [...document.querySelectorAll('button.event .name')].map(n => n.textContent)")
    clicks = len(run["steps"])
    for i in range(clicks):
        button = buttons[names.index(events[i])]
        if real_clicks:
            button.click()
        else:
            driver.execute_script("arguments[0].click()", button)
        check_seen(driver, run, i + 1, "%s step %d" % (table, i + 1))
    # The fragment replays the same trace after a reload.
    fragment = driver.execute_script("return location.hash")
    open_page(driver, page, fragment)
    check_seen(driver, run, clicks, "%s replayed from %s" % (table, fragment))
    if clicks and real_clicks:
        driver.find_element(By.ID, "undo").click()
        check_seen(driver, run, clicks - 1, "%s after Undo" % table)
        driver.find_element(By.ID, "reset").click()
        check_seen(driver, run, 0, "%s after Reset" % table)


def random_table(seed):
    rng = random.Random(seed)
    states, events = rng.randint(1, 7), rng.randint(1, 6)
    pool = ["Act%d" % i for i in range(5)] + ["-", "*"]
    lines = ["START\t\t" + "\t".join("E%d" % e for e in range(events))]
    for s in range(states):
        cells = []
        for _ in range(events):
            # Mostly states of the table, sometimes no transition, rarely one past the last.
            nxt = rng.choice(["-", "*"] + [str(rng.randrange(states))] * 4 + [str(states + rng.randrange(3))] * (seed % 3 == 0))
            acts = rng.sample(pool, rng.randint(0, 3))
            cells.append(nxt + ("/" + ",".join(acts) if acts else ""))
        lines.append("S%d\t%d\t%s" % (s, s, "\t".join(cells)))
    return write_table("random%02d.tsv" % seed, "\n".join(lines) + "\n"), states, events, rng


def test_examples_and_random_tables(driver):
    door = os.path.join(EXAMPLES, "door.tsv")
    lamp = os.path.join(EXAMPLES, "lamp.tsv")
    play(driver, lamp, make_page(lamp), "OFF", ["PUSH", "TICK", "PUSH", "PUSH", "TICK", "PUSH"])
    play(driver, door, make_page(door), "OPENED", ["OPEN_REQ", "CLOSE_REQ", "CLOSE_REQ", "OPEN_REQ", "CLOSE_REQ"])
    for seed in range(20):
        table, states, events, rng = random_table(seed)
        page = make_page(table)
        sequence = ["E%d" % rng.randrange(events) for _ in range(12)]
        play(driver, table, page, "S%d" % rng.randrange(states), sequence, real_clicks=False)


def test_door_by_keyboard_alone(driver):
    door = os.path.join(EXAMPLES, "door.tsv")
    open_page(driver, make_page(door))
    body = driver.find_element(By.TAG_NAME, "body")
    # Tab from the top of the page to the first event button, and press it.
    for _ in range(10):
        body.send_keys(Keys.TAB) if driver.switch_to.active_element.tag_name == "body" else \
            driver.switch_to.active_element.send_keys(Keys.TAB)
        if driver.switch_to.active_element.get_attribute("data-event") == "0":
            break
    active = driver.switch_to.active_element
    assert active.get_attribute("data-event") == "0", "Tab does not reach the event OPEN_REQ"
    active.send_keys(Keys.ENTER)
    # Then the scenario of the README by shortcut keys: CLOSE_REQ twice.
    active.send_keys("2")
    active.send_keys("2")
    run = json.loads(subprocess.run([PELK_TABLE, "run", "--format=json", door, "OPEN_REQ", "CLOSE_REQ", "1"],
                                    capture_output=True, text=True, check=True).stdout)
    check_seen(driver, run, 3, "door by keyboard")
    active.send_keys(Keys.BACKSPACE)
    check_seen(driver, run, 2, "door: Backspace undoes")
    active.send_keys(Keys.ESCAPE)
    check_seen(driver, run, 0, "door: Escape resets")


def test_hostile_names_stay_text(driver):
    # A double quote cannot be part of a name (it splits the field); the
    # broken table below brings one into a message.
    names = ["<b>x</b>", "'><script>window.pwned=1</script>", "&amp;", "<img src=x onerror=window.pwned=1>"]
    table = write_table("hostile.tsv", "START\t\t%s\t%s\n%s\t0\t1/%s\t-\n%s\t1\t0\t-\n" % (names[3], names[2], names[0], names[1], names[1]))
    open_page(driver, make_page(table, "-n", "</script><i>"))
    seen = driver.execute_script("""return {
        pwned: window.pwned === undefined ? null : window.pwned,
        states: [...document.querySelectorAll('#matrix tbody th')].map(th => th.firstChild.textContent),
        events: [...document.querySelectorAll('button.event .name')].map(b => b.textContent),
        title: document.getElementById('title').textContent,
        markup: document.querySelectorAll('main b, main i, main img, body > script').length };""")
    assert seen["pwned"] is None, "a name ran as script"
    assert seen["states"] == [names[0], names[1]], seen["states"]
    assert seen["events"] == [names[3], names[2]], seen["events"]
    assert seen["title"] == "</script><i>", seen["title"]
    assert seen["markup"] == 2, "names became markup: %r" % seen  # the page's own two scripts


def test_broken_table_gets_a_page(driver):
    table = write_table("broken.tsv", "START\t\tGO\tSTOP\nIDLE\t0\t1/run\t-\nBUSY\t7\t0/stop\n"
                        "LAST\t2\tx\t0\nX\"><script>window.pwned=1</script>\t3\t0\t0\n")
    # pelk refuses the table: the page is written all the same, the exit status is 1.
    open_page(driver, make_page(table, status=1))
    seen = driver.execute_script("""return {
        pwned: window.pwned === undefined ? null : window.pwned,
        off: !document.getElementById('sim-off').hidden,
        rows: document.querySelectorAll('#matrix tbody tr').length,
        errors: [...document.querySelectorAll('#findings li.error')].map(li => li.textContent) };""")
    assert seen["pwned"] is None, "a message ran as script"
    assert any("\"><script>window.pwned=1</script>" in text for text in seen["errors"]), seen["errors"]
    assert seen["off"], "the simulator runs a table that run refuses"
    assert seen["rows"] >= 2, seen
    assert any("table-format" in text for text in seen["errors"]), seen["errors"]


def test_screenshots_are_not_blank(driver):
    os.makedirs(ARTIFACTS, exist_ok=True)
    driver.set_window_size(1000, 900)  # the README shows the lamp's
    for name, clicks in (("lamp", ["0", "1"]), ("door", ["0"])):
        open_page(driver, make_page(os.path.join(EXAMPLES, name + ".tsv"), "-aC", "-n" + name.capitalize()))
        for event in clicks:
            driver.find_element(By.CSS_SELECTOR, 'button.event[data-event="%s"]' % event).click()
        path = os.path.join(ARTIFACTS, name + "-page.png")
        driver.save_screenshot(path)
        colours = Image.open(path).convert("RGB").getcolors(1 << 20)
        background = max(colours)[0]
        total = sum(count for count, _ in colours)
        assert len(colours) > 20 and background < 0.97 * total, "%s looks blank" % path


def network_requests(driver):
    """Every request made by the pages, but for the pages themselves."""
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            params = message["params"]
            if params.get("documentURL", "").startswith("file://") and params["request"]["url"] != params["documentURL"]:
                urls.append(params["request"]["url"])
    return urls


def main():
    driver = browser()
    network_requests(driver)  # the browser's own start
    passed, failed = 0, 0
    try:
        for test in (test_examples_and_random_tables, test_door_by_keyboard_alone, test_hostile_names_stay_text,
                     test_broken_table_gets_a_page, test_screenshots_are_not_blank):
            start = time.monotonic()
            try:
                test(driver)
                requests = network_requests(driver)
                assert not requests, "the pages requested %r" % requests
                errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
                assert not errors, "console errors: %r" % errors
                print("ok %s (%.1f s)" % (test.__name__, time.monotonic() - start))
                passed += 1
            except AssertionError as error:
                print("FAILED", test.__name__ + ":", error)
                failed += 1
    finally:
        driver.quit()
    print("html: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
