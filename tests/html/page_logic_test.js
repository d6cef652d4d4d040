// The simulator's logic of the page (pelk-table/html/page_logic.js) under
// Node, without a browser: steps, undo and reset, the URL fragment and the
// scenario for `pelk-table run --expect`.
//
// Usage: node --test tests/html/page_logic_test.js   (CTest: page_logic)
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const path = require("node:path");
const PelkLogic = require(path.join(__dirname, "..", "..", "pelk-table", "html", "page_logic.js"));

// A model as html_page.cpp writes it. OFF: PUSH -> ON/LampOn, TICK stays.
// ON: PUSH -> OFF/LampOff, TICK stays/Blink. BAD: PUSH -> 7, past the last.
// The look-ups and labels are CTableRules' (html_page_test.cpp holds them so).
const lamp = {
    file: "lamp.tsv",
    machine: "",
    states: ["OFF", "ON", "BAD"],
    events: ["PUSH", "TICK"],
    stateLookup: { OFF: 0, 0: 0, ON: 1, 1: 1, BAD: 2, 2: 2 },
    eventLookup: { PUSH: 0, 0: 0, TICK: 1, 1: 1 },
    actions: ["LampOn", "LampOff", "Blink"],
    cells: [[1, 0], [-1], [0, 1], [-1, 2], [7], [-1]],
    stops: { 4: "BAD on PUSH goes to state 7, past the last state (2): as run says it" },
    pastLabels: { 7: "#7" },
    missing: [],
};

function play(model, from, events) {
    let run = PelkLogic.begin(model, from);
    for (const e of events) run = PelkLogic.take(model, run, e);
    return run;
}
const names = (model, run) => run.steps.map((step) => model.events[step.event]);

test("steps keep run's rules, and undo and reset go back", () => {
    const cases = [
        // from, events, state, steps' next, stopped
        { from: 0, events: [0, 1, 0], state: 0, next: [1, 1, 0], actions: [["LampOn"], ["Blink"], ["LampOff"]] },
        { from: 0, events: [1], state: 0, next: [0], actions: [[]] },
        { from: 2, events: [0, 1], state: 7, next: [7], actions: [[]], stopped: /as run says it/ },
        { from: 1, events: [5, -1, 0], state: 0, next: [0], actions: [["LampOff"]] },
    ];
    for (const c of cases) {
        const run = play(lamp, c.from, c.events);
        assert.equal(run.state, c.state, JSON.stringify(c));
        assert.deepEqual(run.steps.map((s) => s.next), c.next);
        assert.deepEqual(run.steps.map((s) => s.actions), c.actions);
        if (c.stopped) assert.match(run.stopped, c.stopped); else assert.equal(run.stopped, "");
        assert.equal(run.steps[0].transition, lamp.cells[c.from * 2 + run.steps[0].event][0] >= 0);
    }
    const stopped = play(lamp, 2, [0]);
    const back = PelkLogic.undo(lamp, stopped);
    assert.deepEqual(back, PelkLogic.begin(lamp, 2), "undo leaves the stop");
    assert.equal(PelkLogic.undo(lamp, back), back, "nothing to undo");
    const run = play(lamp, 1, [0, 0, 1]);
    assert.equal(PelkLogic.undo(lamp, run).state, 1);
    assert.deepEqual(PelkLogic.reset(lamp, run), PelkLogic.begin(lamp, 1), "reset keeps the start state");
    assert.equal(run.steps.length, 3, "a run is not changed by what follows it");
});

test("a missing cell is known by its index; a run without stop sentence still stops", () => {
    const model = Object.assign({}, lamp, { missing: [5], stops: {} });
    assert.equal(PelkLogic.missing(model, 2, 1), true);
    assert.equal(PelkLogic.missing(model, 2, 0), false);
    assert.equal(play(model, 2, [0]).stopped, "#7");
});

test("labels and look-ups are the model's, never decided again", () => {
    // The model names a state past the last "#7"; another label would do.
    assert.deepEqual([0, 2, 7].map((state) => PelkLogic.label(lamp, state)), ["OFF", "BAD", "#7"]);
    assert.equal(PelkLogic.label(Object.assign({}, lamp, { pastLabels: { 7: "past 7" } }), 7), "past 7");
    const cases = [
        // text, state, event: only what the look-up holds; nothing inherited
        ["ON", 1, -1], ["1", 1, 1], ["TICK", -1, 1], ["01", -1, -1], ["3", -1, -1], ["", -1, -1],
        ["toString", -1, -1], ["__proto__", -1, -1], ["constructor", -1, -1], ["hasOwnProperty", -1, -1],
    ];
    for (const [text, state, event] of cases) {
        assert.equal(PelkLogic.findState(lamp, text), state, text);
        assert.equal(PelkLogic.findEvent(lamp, text), event, text);
    }
    // A name the look-up sends elsewhere is written as a number.
    const twins = Object.assign({}, lamp,
        { states: ["OFF", "OFF", "BAD"], stateLookup: { OFF: 0, 0: 0, 1: 1, BAD: 2, 2: 2 } });
    assert.equal(PelkLogic.writeFragment(twins, PelkLogic.begin(twins, 1)), "#from=1&events=");
});

test("fragments name or number the states and events, and say what they ignore", () => {
    const cases = [
        { fragment: "", start: 0, events: [], ignored: [] },
        { fragment: "#", start: 0, events: [], ignored: [] },
        { fragment: "#from=ON&events=PUSH,TICK", start: 1, events: ["PUSH", "TICK"], ignored: [] },
        { fragment: "from=1&events=0,1,0", start: 1, events: ["PUSH", "TICK", "PUSH"], ignored: [] },
        { fragment: "#events=TICK", start: 0, events: ["TICK"], ignored: [] },
        { fragment: "#from=OF&events=PUSH", start: 0, events: ["PUSH"], ignored: [/from=OF names no state.*starts in OFF/] },
        { fragment: "#from=3", start: 0, events: [], ignored: [/from=3 names no state/] },
        { fragment: "#from=0&events=PUSH,PUHS,TICK", start: 0, events: ["PUSH"],
          ignored: [/the events from the 2nd on \(2 of 3\): 'PUHS' is no event/] },
        { fragment: "#events=PUSH,2", start: 0, events: ["PUSH"], ignored: [/the 2nd event: '2' is no event/] },
        { fragment: "#from=BAD&events=PUSH,TICK,PUSH", start: 2, events: ["PUSH"],
          ignored: [/the events from the 2nd on \(2 of 3\) came after the run stopped/] },
        { fragment: "#from=ON&zoom=2&events=PUSH", start: 1, events: ["PUSH"], ignored: [/'zoom=2' is no part of a trace/] },
        { fragment: "#events=%E0%A4%A", start: 0, events: [], ignored: [/the 1st event: '%E0%A4%A' is no event/] },
        { fragment: "#from=1&from=0", start: 1, events: [], ignored: [/'from=0' is no part/] },
    ];
    for (const c of cases) {
        const read = PelkLogic.readFragment(lamp, c.fragment);
        assert.equal(read.run.start, c.start, c.fragment);
        assert.deepEqual(names(lamp, read.run), c.events, c.fragment);
        assert.equal(read.ignored.length, c.ignored.length, c.fragment + ": " + read.ignored.join("; "));
        c.ignored.forEach((pattern, i) => assert.match(read.ignored[i], pattern, c.fragment));
    }
});

test("a fragment written reads back as the same run, whatever the names", () => {
    const odd = {
        file: "odd.tsv",
        states: ["A B", "x&y=z", "#3", "1", "Zürich"],
        // "1" is an event's name and another's number; "E" twice: the second
        // can only be numbered.
        events: ["1", "a,b", "E", "E", "%41"],
        stateLookup: { "A B": 0, 0: 0, "x&y=z": 1, 1: 3, "#3": 2, 2: 2, 3: 3, "Zürich": 4, 4: 4 },
        eventLookup: { 1: 0, 0: 0, "a,b": 1, E: 2, 2: 2, 3: 3, "%41": 4, 4: 4 },
        actions: [],
        cells: Array.from({ length: 25 }, (_, i) => [(i * 7) % 5]),
    };
    for (const [from, events] of [[0, []], [3, []], [4, [0, 1, 2, 3, 4, 1, 0]], [1, [3, 3, 4]]]) {
        const run = play(odd, from, events);
        const fragment = PelkLogic.writeFragment(odd, run);
        const read = PelkLogic.readFragment(odd, fragment);
        assert.deepEqual(read.ignored, [], fragment);
        assert.deepEqual(read.run, run, fragment);
        assert.doesNotMatch(fragment.slice(1), /#/, "a name's '#' stays out of the fragment");
    }
    assert.equal(PelkLogic.writeFragment(lamp, PelkLogic.begin(lamp, 0)), "", "nothing to keep");
    assert.equal(PelkLogic.writeFragment(lamp, play(lamp, 1, [0, 1])), "#from=ON&events=PUSH,TICK");
});

// The scenario as run reads it: blank lines and '#' lines skipped, each line
// trimmed, a name before a number.
function replayScenario(model, text) {
    const events = [];
    for (const line of text.split("\n")) {
        const word = line.trim();
        if (word && word[0] !== "#") events.push(PelkLogic.findEvent(model, word));
    }
    return events;
}

test("a scenario plays the trace again under run --expect", () => {
    const cases = [
        { model: lamp, from: 0, events: [0, 1, 0], command: "pelk-table run lamp.tsv --expect OFF < scenario.txt" },
        { model: lamp, from: 1, events: [], command: "pelk-table run lamp.tsv --from ON --expect ON < scenario.txt" },
        { model: lamp, from: 2, events: [0], command: "pelk-table run lamp.tsv --from BAD < scenario.txt",
          stops: /stops with an error at its last step: BAD on PUSH goes to state 7/ },
        {
            model: { file: "my table.tsv", states: [" S", "#T"], events: [" A", "#B", "C"], actions: [],
                     stateLookup: { " S": 0, 0: 0, "#T": 1, 1: 1 },
                     eventLookup: { " A": 0, 0: 0, "#B": 1, 1: 1, C: 2, 2: 2 },
                     cells: [[1], [-1], [0], [0], [1], [-1]] },
            from: 1, events: [0, 1, 2], command: "pelk-table run 'my table.tsv' --from 1 --expect 0 < scenario.txt",
        },
    ];
    for (const c of cases) {
        const run = play(c.model, c.from, c.events);
        const text = PelkLogic.scenario(c.model, run);
        assert.ok(text.split("\n").some((line) => line === "#   " + c.command), text);
        assert.deepEqual(replayScenario(c.model, text), c.events, text);
        if (c.stops) assert.match(text, c.stops); else assert.doesNotMatch(text, /error/);
        assert.ok(text.endsWith("\n"));
    }
});
