#!/usr/bin/python3
"""The page of pelk-table html in a real browser (headless Chromium).

For the bundled examples and seeded random tables, clicks through event
sequences and compares, after every click, the highlighted state and the
trace with `pelk-table run --format=json` on the same sequence; replays the
URL fragment, names a fragment's stale parts and plays a copied scenario
with run --expect; plays the door example by keyboard alone; zooms, pans
and clicks the diagrams of the 15- and 40-state examples at 1366 x 768 (an
arrow from "any state", from a group's box and from one state); checks
that hostile names stay text, that a broken table still gets a page with its
missing cells shown, and that no page makes a network request. Saves
screenshots of the example pages and of the four larger tables.

Usage: test_page.py PELK_TABLE EXAMPLES_DIR ARTIFACT_DIR
       (PELK_HTML_TESTS=test_a,test_b runs only those)
"""
import json
import os
import random
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import headless

PELK_TABLE, EXAMPLES, ARTIFACTS = (os.path.abspath(arg) for arg in sys.argv[1:4])
HERE = os.path.dirname(os.path.abspath(__file__))
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
  diagramCurrent: [...document.querySelectorAll('#diagram g.node.current')].map(g => g.id),
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
        drawn = [seen["nodes"][state["number"]]] if state["name"] is not None and seen["nodes"][state["number"]] else []
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
    # BUSY's record ends after its GO cell: STOP is missing, not "no transition";
    # the last record breaks at its double quote, before any cell.
    missing = driver.execute_script("return [...document.querySelectorAll('#matrix td.missing')]"
                                    ".map(td => [td.parentElement.sectionRowIndex, td.cellIndex - 1, td.textContent])")
    assert missing == [[1, 1, "missing"], [3, 0, "missing"], [3, 1, "missing"]], missing
    assert driver.execute_script("return document.querySelector('#matrix tbody tr').cells[2].className") == "stay"
    assert any("table-format" in text for text in seen["errors"]), seen["errors"]


def test_fragment_note_and_scenario(driver):
    lamp = os.path.join(EXAMPLES, "lamp.tsv")
    page = make_page(lamp)
    # Names as well as numbers; what is stale is named in a note and left out.
    open_page(driver, page, "#from=ON&events=PUSH,PUHS,TICK")
    note = driver.find_element(By.ID, "fragment-note")
    assert note.is_displayed() and "'PUHS' is no event" in note.text and "2 of 3" in note.text, note.text
    run = json.loads(subprocess.run([PELK_TABLE, "run", "--format=json", "--from", "ON", lamp, "PUSH"],
                                    capture_output=True, text=True).stdout)
    check_seen(driver, run, 1, "lamp from a stale fragment")
    open_page(driver, page, "#from=1&events=0,1")
    assert not driver.find_element(By.ID, "fragment-note").is_displayed()
    open_page(driver, page, "#from=OF")
    assert "from=OF names no state" in driver.find_element(By.ID, "fragment-note").text
    # A click-through, copied as a scenario, passes run --expect as written.
    for start, clicks in (("OFF", ["PUSH", "TICK", "PUSH", "PUSH"]), ("ON", [])):
        open_page(driver, page)
        Select(driver.find_element(By.ID, "start")).select_by_visible_text(
            "%d %s" % (["OFF", "ON"].index(start), start))
        for name in clicks:
            driver.find_element(By.XPATH, "//button[@class='event'][span[@class='name']='%s']" % name).click()
        driver.find_element(By.ID, "copy-scenario").click()
        text = driver.find_element(By.ID, "scenario").get_attribute("value")
        assert driver.execute_script("return location.hash") == ("#from=%s&events=%s" % (start, ",".join(clicks))
                                                                 if start != "OFF" or clicks else "")
        command = [line[4:] for line in text.splitlines() if line.startswith("#   pelk-table run ")]
        assert len(command) == 1, text
        path = write_table("scenario.txt", text)
        done = subprocess.run(command[0].replace("pelk-table", PELK_TABLE, 1).replace("scenario.txt", path),
                              shell=True, cwd=EXAMPLES, capture_output=True, text=True)
        assert done.returncode == 0, "%s\n%s%s" % (text, done.stdout, done.stderr)
        assert len(done.stdout.splitlines()) == len(clicks), done.stdout


def larger_tables():
    """The 15-state UART receiver and frame receiver, and the 40-state menu and
    menu of pages of the examples (the frame receiver and the pages draw
    groups of states as boxes)."""
    return [os.path.join(EXAMPLES, name) for name in ("uart.tsv", "menu.tsv", "frame.tsv", "pages.tsv")]


DIAGRAM = """
const box = document.getElementById('diagram');
const svg = box.querySelector('svg');
if (!svg) return null;
const r = box.getBoundingClientRect();
const sizes = [...svg.querySelectorAll('text')].filter(t => t.textContent.trim())
    .map(t => parseFloat(getComputedStyle(t).fontSize) * t.getScreenCTM().a);
const current = box.querySelector('g.node.current');
const c = current && current.getBoundingClientRect();
return {
  viewBox: svg.getAttribute('viewBox').split(' ').map(Number),
  smallest: Math.min(...sizes),
  box: [r.left, r.top, r.width, r.height],
  pageWidth: document.documentElement.clientWidth,
  currentInView: !c || (c.left >= r.left && c.right <= r.right && c.top >= r.top && c.bottom <= r.bottom),
  level: document.getElementById('zoom-level').textContent,
};"""


def next_states(table, events):
    """The next state of every cell as run takes it, by (state, event); the
    number for a transition, None for none."""
    cache = {}

    def next_of(state, event):
        if (state, event) not in cache:
            run = json.loads(subprocess.run([PELK_TABLE, "run", "--format=json", "--from", str(state), table,
                                             str(event)], capture_output=True, text=True).stdout)
            step = run["steps"][0]
            cache[(state, event)] = step["next"]["number"] if step["transition"] else None
        return cache[(state, event)]
    return next_of


def test_larger_diagrams_zoom_pan_and_click(driver):
    os.makedirs(ARTIFACTS, exist_ok=True)
    for table in larger_tables():
        name = os.path.splitext(os.path.basename(table))[0]
        page = make_page(table)
        driver.set_window_size(1366, 768)
        open_page(driver, page)
        seen = driver.execute_script(DIAGRAM)
        if seen is None:
            note = driver.find_element(By.CSS_SELECTOR, "#diagram .note").text
            assert note.startswith("No diagram"), note
            print("   %s: no diagram in this build (%s)" % (name, note))
            driver.save_screenshot(os.path.join(ARTIFACTS, name + "-1366.png"))
            continue
        # A diagram that does not fit beside the simulator takes the whole width.
        assert seen["box"][2] > 0.9 * (seen["pageWidth"] - 60), seen
        driver.find_element(By.ID, "zoom-full").click()
        seen = driver.execute_script(DIAGRAM)
        assert seen["level"] == "zoom 100 %" and seen["smallest"] >= 10, "%s at 100 %%: %r" % (name, seen)
        # Buttons, keys, wheel and drag each change the view.
        box = driver.find_element(By.ID, "diagram")
        moves = [
            ("zoom in", lambda: driver.find_element(By.ID, "zoom-in").click()),
            ("zoom out", lambda: driver.find_element(By.ID, "zoom-out").click()),
            ("key +", lambda: box.send_keys("+")),
            ("key arrow", lambda: box.send_keys(Keys.ARROW_RIGHT)),
            ("wheel", lambda: ActionChains(driver).scroll_to_element(box).scroll_by_amount(0, 0).perform() or
                driver.execute_script("arguments[0].dispatchEvent(new WheelEvent('wheel', {deltaY: -240, clientX: "
                                      "arguments[0].getBoundingClientRect().left + 100, clientY: arguments[0]"
                                      ".getBoundingClientRect().top + 100, bubbles: true, cancelable: true}))", box)),
            ("drag", lambda: ActionChains(driver).move_to_element(box).click_and_hold().move_by_offset(-120, -40)
                .release().perform()),
            ("key 0", lambda: box.send_keys("0")),
            ("fit", lambda: driver.find_element(By.ID, "zoom-fit").click()),
        ]
        for what, move in moves:
            before = driver.execute_script(DIAGRAM)["viewBox"]
            move()
            after = driver.execute_script(DIAGRAM)["viewBox"]
            assert after != before, "%s: %s leaves the view at %r" % (name, what, before)
        # At fit the whole drawing is in view.
        fitted = driver.execute_script("const s = document.querySelector('#diagram svg');"
                                       "const b = s.querySelector('g.graph').getBoundingClientRect();"
                                       "const r = document.getElementById('diagram').getBoundingClientRect();"
                                       "return b.left >= r.left - 1 && b.right <= r.right + 1 && "
                                       "b.top >= r.top - 1 && b.bottom <= r.bottom + 1")
        assert fitted, "%s: fit leaves part of the drawing out" % name

        # A click on an arrow's label marks every cell it stands for. What it
        # stands for is read here from Graphviz's titles ("tail->head", the
        # nodes titled with the states' DOT names), from the boxes of the
        # groups of states and from run.
        model = json.loads(driver.execute_script("return document.getElementById('model').textContent"))
        nodes = model["diagram"]["nodes"]
        titles = driver.execute_script("return [...document.querySelectorAll('#diagram g.node, #diagram g.edge')]"
                                       ".map(g => [g.id, g.classList.contains('edge'), g.querySelector('title')"
                                       ".textContent])")
        state_of = {title: nodes.index(id_) for id_, edge, title in titles if not edge and id_ in nodes}
        cells_of = {edge["id"]: edge["cells"] for edge in model["diagram"]["edges"]}
        # A group's arrow leaves its box (its title names the box's first
        # state), or the box's node "any state in NAME".
        box_of = {}
        for drawn in model["diagram"].get("boxes", []):
            assert driver.find_elements(By.ID, drawn["id"]), "%s: no box %s in the SVG" % (name, drawn["id"])
            box_of[drawn["id"]] = box_of[drawn["node"]] = drawn
        grouped = {edge["id"]: box_of[edge["tail"]] for edge in model["diagram"]["edges"] if edge["tail"] in box_of}
        elsewhere = [cell for id_, edge, title in titles if edge and (title.startswith("__any->") or id_ in grouped)
                     for cell in cells_of[id_]]
        next_of = next_states(table, len(model["events"]))
        clicked, clicked_fold, clicked_group = 0, False, False
        for id_, edge, title in titles:
            tail, head = title.split("->") if edge else (None, None)
            kind = "fold" if tail == "__any" else "group" if id_ in grouped else "plain"
            if not edge or head not in state_of or (kind == "plain" and (tail == head or tail not in state_of)):
                continue
            if {"fold": clicked_fold, "group": clicked_group, "plain": clicked == 3}[kind]:
                continue
            label = driver.find_elements(By.XPATH, "//*[local-name()='g'][@id='%s']/*[local-name()='text']" % id_)
            if not label:
                continue
            driver.find_element(By.ID, "zoom-full").click()
            driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", box)
            # Bring the label into the box by the keyboard's pan.
            for _ in range(80):
                where = driver.execute_script(
                    "const t = arguments[0].getBoundingClientRect(), r = arguments[1].getBoundingClientRect();"
                    "return [t.left + t.width / 2 - r.left - r.width / 2, t.top + t.height / 2 - r.top - r.height / 2]",
                    label[0], box)
                if abs(where[0]) < 200 and abs(where[1]) < 120:
                    break
                keys = (Keys.ARROW_RIGHT if where[0] > 0 else Keys.ARROW_LEFT) if abs(where[0]) >= 200 else \
                    (Keys.ARROW_DOWN if where[1] > 0 else Keys.ARROW_UP)
                box.send_keys(keys)
            ActionChains(driver).move_to_element(label[0]).click().perform()
            marked = driver.execute_script("return [...document.querySelectorAll('#matrix td.marked')]"
                                           ".map(td => [td.parentElement.sectionRowIndex, td.cellIndex - 1])")
            if kind == "fold":
                # Drawn once for many states: each cell it marks goes there, and
                # it marks the cells of more than one state.
                assert len({state for state, _ in marked}) > 1, "%s: %s marks %r" % (name, title, marked)
                wrong = [cell for cell in marked if next_of(*cell) != state_of[head]]
                assert not wrong, "%s: %s marks %r, which run does not take to %s" % (name, title, wrong, head)
                clicked_fold = True
            elif kind == "group":
                # Drawn once for a group: the cells of every state of the box
                # for each event on the label, each going there.
                lines = [text.get_attribute("textContent").strip() for text in label]
                events = {event for event, text in enumerate(model["events"])
                          if any(line == text or line.startswith(text + " / ") for line in lines)}
                want = [[state, event] for state in grouped[id_]["states"] for event in events]
                assert sorted(marked) == sorted(want) and len(want) >= 3, "%s: %s marks %r, the box stands for %r" % (
                    name, title, marked, want)
                wrong = [cell for cell in marked if next_of(*cell) != state_of[head]]
                assert not wrong, "%s: %s marks %r, which run does not take to %s" % (name, title, wrong, head)
                clicked_group = True
            else:
                # A cell drawn from "any state" or from a box belongs to that
                # arrow, not to this one.
                want = [[state_of[tail], event] for event in range(len(model["events"]))
                        if next_of(state_of[tail], event) == state_of[head] and [state_of[tail], event] not in elsewhere]
                assert sorted(marked) == sorted(want) and want, "%s: %s marks %r, run takes %r" % (
                    name, title, marked, want)
                clicked += 1
            assert "marked in the matrix" in driver.find_element(By.ID, "diagram-note").text
        assert clicked and clicked_fold, "%s: no arrow label to click (%d, fold %s)" % (name, clicked, clicked_fold)
        assert clicked_group or not grouped, "%s: no arrow of a box clicked" % name
        # The pointer on a cell lights the arrow that stands for it, a fold's
        # and a box's too.
        for id_, edge, title in titles:
            if edge and cells_of[id_] and (title.startswith("__any->") or id_ in grouped or id_ == titles[-1][0]):
                state, event = cells_of[id_][-1]
                lit = driver.execute_script(
                    "const cell = document.querySelector('#matrix tbody').rows[arguments[0]].cells[arguments[1] + 1];"
                    "cell.dispatchEvent(new MouseEvent('mouseover', {bubbles: true}));"
                    "return [...document.querySelectorAll('#diagram .hl')].map(g => g.id)", state, event)
                assert lit == [id_], "%s: the cell %r lights %r, not %s" % (name, [state, event], lit, title)
        driver.execute_script("document.getElementById('matrix').dispatchEvent(new MouseEvent('mouseleave'))")

        # The simulator: the current state stays in view; a click on a state starts there.
        driver.find_element(By.ID, "zoom-full").click()
        buttons = driver.find_elements(By.CSS_SELECTOR, "button.event")
        for i in (0, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1)[:len(buttons) and 11]:
            buttons[min(i, len(buttons) - 1)].click()
            assert driver.execute_script(DIAGRAM)["currentInView"], "%s: the current state left the view" % name
        driver.execute_script("arguments[0].scrollIntoView({block: 'start'})",
                              driver.find_element(By.ID, "simulator"))
        driver.save_screenshot(os.path.join(ARTIFACTS, name + "-1366.png"))
        target = driver.find_element(By.ID, nodes[1])
        driver.find_element(By.ID, "zoom-fit").click()
        ActionChains(driver).move_to_element(target).click().perform()
        status = driver.find_element(By.ID, "status").text
        assert status.startswith("State %s (1) after 0 steps" % model["states"][1]), status
        driver.set_window_size(1920, 1080)
        open_page(driver, page, "#from=0&events=0,2,2")
        driver.save_screenshot(os.path.join(ARTIFACTS, name + "-1920.png"))


def test_a_drawing_that_fits_stays_whole(driver):
    """Following the current state never pushes part of a drawing that fits
    its box out of it: OFF's node lies at the top edge of this one."""
    table = write_table("fits.tsv", "START\t\tPUSH\tTIMER\nOFF\t0\t2/LampOn\t-\nWARM\t1\t-\t2/Glow\n"
                        "ON\t2\t0/Dim,Beep\t-\nBRIGHT\t3\t0/LampOff\t-\n")
    page = make_page(table)
    whole = ("const box = document.getElementById('diagram').getBoundingClientRect();"
             "const drawn = document.querySelector('#diagram g.graph').getBoundingClientRect();"
             "return drawn.left >= box.left - 1 && drawn.right <= box.right + 1 && drawn.top >= box.top - 1 && "
             "drawn.bottom <= box.bottom + 1")
    for size in ((1280, 800), (1366, 768)):
        driver.set_window_size(*size)
        for fragment in ("", "#from=BRIGHT&events=PUSH,PUSH", "#from=WARM&events=TIMER"):
            open_page(driver, page, fragment)
            if not driver.execute_script("return document.querySelector('#diagram svg') !== null"):
                return
            assert driver.execute_script(whole), "%r %s: part of the drawing is out of view" % (size, fragment)


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
                     test_broken_table_gets_a_page, test_fragment_note_and_scenario,
                     test_larger_diagrams_zoom_pan_and_click, test_a_drawing_that_fits_stays_whole,
                     test_screenshots_are_not_blank):
            if os.environ.get("PELK_HTML_TESTS") and test.__name__ not in os.environ["PELK_HTML_TESTS"].split(","):
                continue
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
