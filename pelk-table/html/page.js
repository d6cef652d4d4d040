// The page of one state transition table. The model comes as JSON in the
// element #model; this script builds the header, the matrix, the findings
// and the simulator from it, with textContent only, so names stay text.
//
// The simulator keeps the rules of `pelk-table run`: the cell of (state,
// event) is taken; a cell with a next state changes the state before its
// actions run, a cell without one keeps it; the model lists only the actions
// called (the markers "-" and "*" call nothing); a next state past the last
// state stops the machine.
"use strict";
(function () {
    const model = JSON.parse(document.getElementById("model").textContent);
    const S = model.states.length;
    const E = model.events.length;
    // Shortcut keys of the events, in order.
    const KEYS = "1234567890abcdefghijklmnopqrstuvwxyz";
    const $ = (id) => document.getElementById(id);

    function el(tag, text, className) {
        const node = document.createElement(tag);
        if (text !== undefined && text !== null) node.textContent = text;
        if (className) node.className = className;
        return node;
    }
    // A state as the trace of run names it: its name, or #N past the last.
    const label = (s) => (s < S ? model.states[s] : "#" + s);
    function outcome(s, e) {
        const cell = model.cells[s * E + e];
        const transition = cell[0] >= 0;
        return {
            transition: transition,
            next: transition ? cell[0] : s,
            actions: cell.slice(1).map((a) => model.actions[a]),
        };
    }

    // Header.
    const name = model.machine || model.file;
    document.title = name + " · state machine";
    $("title").textContent = name;
    const facts = [
        ["Table", model.file],
        ["Machine", model.machine || "(no name given)"],
        ["Target", model.target],
        ["States", String(S)],
        ["Events", String(E)],
        ["Cells", String(S * E)],
        ["Findings", String(model.findings.length)],
    ];
    for (const [term, value] of facts) {
        const div = el("div");
        div.append(el("dt", term), el("dd", value));
        $("facts").append(div);
    }
    $("footer").textContent = "Written by pelk-table html of pelk " + model.version +
        ". The page is one file: it works offline and loads nothing.";

    // Diagram: Graphviz's nodes and edges, found by their titles.
    const nodeEls = new Map();
    const edgeEls = new Map();
    const svg = $("diagram").querySelector("svg");
    if (svg) {
        svg.setAttribute("role", "img");
        svg.setAttribute("aria-label", "Diagram of the machine");
        for (const g of svg.querySelectorAll("g.node, g.edge")) {
            const title = g.querySelector("title");
            if (title) (g.classList.contains("node") ? nodeEls : edgeEls).set(title.textContent, g);
        }
    } else {
        $("diagram").append(el("p", model.diagram.note, "note"));
    }
    const nodeOf = (s) => nodeEls.get(model.diagram.nodes[s]);
    const edgeOf = (s, n) => edgeEls.get(model.diagram.nodes[s] + "->" + model.diagram.nodes[n]);

    // Matrix, built once; the states' rows are kept for the highlights.
    const matrix = $("matrix");
    const headRow = matrix.createTHead().insertRow();
    headRow.append(el("td", "", "corner"));
    for (let e = 0; e < E; e++) {
        const th = el("th", model.events[e]);
        th.scope = "col";
        th.tabIndex = -1;
        th.append(el("small", " " + e));
        headRow.append(th);
    }
    const body = matrix.createTBody();
    const rows = [];
    for (let s = 0; s < S; s++) {
        const tr = body.insertRow();
        const th = el("th", model.states[s]);
        th.scope = "row";
        th.tabIndex = -1;
        th.append(el("small", " " + s));
        tr.append(th);
        // One text node a cell, the actions on a line of their own: a large
        // table has tens of thousands of cells.
        for (let e = 0; e < E; e++) {
            const o = outcome(s, e);
            const td = document.createElement("td");
            td.textContent = (o.transition ? "→ " + label(o.next) : "–") +
                (o.actions.length ? "\n" + o.actions.join(", ") : "");
            if (!o.transition) td.className = "stay";
            else if (o.next >= S) td.className = "past";
            tr.append(td);
        }
        rows.push(tr);
    }
    const cellEl = (s, e) => rows[s].cells[e + 1];
    const position = (td) => [td.parentElement.sectionRowIndex, td.cellIndex - 1];
    // One cell is in the tab order at a time; the arrow keys move it.
    let focusCell = S && E ? cellEl(0, 0) : null;
    if (focusCell) focusCell.tabIndex = 0;
    function focusOn(td) {
        if (focusCell && focusCell !== td) focusCell.removeAttribute("tabindex");
        focusCell = td;
        td.tabIndex = 0;
        td.focus();
    }

    let marked = [];
    function highlight(s, e) {
        for (const node of marked) node.classList.remove("hl", "hl-col", "hl-row");
        marked = [];
        const mark = (node, cls) => { if (node) { node.classList.add(cls); marked.push(node); } };
        if (s < 0) return;
        mark(rows[s], "hl-row");
        mark(headRow.cells[e + 1], "hl-col");
        for (const tr of rows) mark(tr.cells[e + 1], "hl-col");
        const o = outcome(s, e);
        // An internal transition is drawn inside its state's node.
        mark(o.transition ? edgeOf(s, o.next) || nodeOf(o.next) : nodeOf(s), "hl");
    }
    function cellOf(target) {
        const td = target.closest && target.closest("#matrix tbody td");
        return td || null;
    }
    matrix.addEventListener("mouseover", (ev) => {
        const td = cellOf(ev.target);
        if (td) highlight(...position(td));
    });
    matrix.addEventListener("mouseleave", () => {
        const td = cellOf(document.activeElement);
        if (td) highlight(...position(td)); else highlight(-1, -1);
    });
    matrix.addEventListener("focusin", (ev) => {
        const td = cellOf(ev.target);
        if (td) highlight(...position(td));
    });
    matrix.addEventListener("click", (ev) => {
        const td = cellOf(ev.target);
        if (td) focusOn(td);
    });
    matrix.addEventListener("focusout", () => highlight(-1, -1));
    matrix.addEventListener("keydown", (ev) => {
        const td = cellOf(ev.target);
        if (!td) return;
        let [s, e] = position(td);
        const moves = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] };
        if (moves[ev.key]) {
            s = Math.min(S - 1, Math.max(0, s + moves[ev.key][0]));
            e = Math.min(E - 1, Math.max(0, e + moves[ev.key][1]));
        } else if (ev.key === "Home") {
            e = 0;
        } else if (ev.key === "End") {
            e = E - 1;
        } else {
            return;
        }
        ev.preventDefault();
        ev.stopPropagation();
        focusOn(cellEl(s, e));
    });

    // Findings, each marked at its cell and linked to it.
    const list = $("findings");
    if (!model.findings.length) list.append(el("li", "None: check finds nothing to report in this table."));
    for (const finding of model.findings) {
        const li = el("li", null, finding.severity);
        li.append(el("span", finding.severity, "severity"), " ", el("span", finding.message), " ",
            el("code", "[" + finding.check + "]"));
        let target = null;
        if (finding.state >= 0 && finding.state < S) {
            target = finding.event >= 0 ? cellEl(finding.state, finding.event) : rows[finding.state].cells[0];
        } else if (finding.event >= 0 && finding.event < E) {
            target = headRow.cells[finding.event + 1];
        }
        if (target) {
            target.classList.add("finding-" + finding.severity);
            target.title = (target.title ? target.title + "\n" : "") + finding.severity + ": " + finding.message;
            const go = el("button", "Show in matrix", "link");
            go.type = "button";
            go.setAttribute("aria-label", "Show in matrix: " + finding.message);
            go.addEventListener("click", () => {
                target.scrollIntoView({ block: "center", inline: "center" });
                if (target.tagName === "TD") focusOn(target); else target.focus();
            });
            li.append(" ", go);
        } else if (finding.line > 0) {
            li.append(el("span", " (line " + finding.line + ")", "where"));
        }
        list.append(li);
    }

    // Simulator.
    const on = !model.formatErrors && S > 0 && E > 0;
    if (!on) {
        $("sim-on").hidden = true;
        $("sim-off").hidden = false;
        $("sim-off").textContent = model.formatErrors
            ? "The table has format errors (see the findings): like pelk-table run, the simulator does not run it."
            : "The table has no " + (S ? "events" : "states") + ": there is nothing to step through.";
        document.documentElement.dataset.ready = "true";
        return;
    }

    let start = 0;
    let state = 0;
    let steps = [];
    let stopped = "";
    const startSelect = $("start");
    for (let s = 0; s < S; s++) startSelect.append(new Option(s + " " + model.states[s], String(s)));

    const buttons = [];
    for (let e = 0; e < E; e++) {
        const button = el("button", null, "event");
        button.type = "button";
        button.dataset.event = String(e);
        if (e < KEYS.length) {
            button.append(el("kbd", KEYS[e]), " ");
            button.setAttribute("aria-keyshortcuts", KEYS[e]);
        }
        button.append(el("span", model.events[e], "name"), el("span", "", "outcome"));
        buttons.push(button);
        $("events").append(button);
    }

    const traceBody = $("trace").tBodies[0];
    let taken = null;
    let current = [];
    function render() {
        while (traceBody.rows.length > steps.length) traceBody.deleteRow(-1);
        for (let i = traceBody.rows.length; i < steps.length; i++) {
            const step = steps[i];
            const tr = traceBody.insertRow();
            tr.append(el("td", String(i + 1)), el("td", label(step.state)), el("td", model.events[step.event]),
                el("td", label(step.next) + (step.transition ? "" : " (no transition)")),
                el("td", step.actions.join(" ")));
        }
        for (const node of current) node.classList.remove("current");
        current = [rows[state], nodeOf(state)].filter((node) => node);
        for (const node of current) node.classList.add("current");
        if (taken) taken.classList.remove("taken");
        const last = steps[steps.length - 1];
        taken = last ? cellEl(last.state, last.event) : null;
        if (taken) taken.classList.add("taken");

        const status = $("status");
        status.className = stopped ? "stopped" : "";
        status.textContent = stopped
            ? "Stopped after step " + steps.length + ": " + stopped
            : "State " + label(state) + " (" + state + ") after " + steps.length +
              (steps.length === 1 ? " step." : " steps.");
        for (let e = 0; e < E; e++) {
            const button = buttons[e];
            button.disabled = Boolean(stopped);
            const o = stopped ? null : outcome(state, e);
            button.lastChild.textContent = !o ? "" : (o.transition ? "→ " + label(o.next) : "stays") +
                (o.actions.length ? " · " + o.actions.join(", ") : "");
        }
        $("undo").disabled = !steps.length;
        startSelect.value = String(start);
    }

    function save() {
        const fragment = start || steps.length
            ? "#from=" + start + "&events=" + steps.map((step) => step.event).join(",")
            : "";
        history.replaceState(null, "", location.pathname + location.search + fragment);
    }

    function take(e) {
        if (stopped) return;
        const o = outcome(state, e);
        steps.push({ state: state, event: e, transition: o.transition, next: o.next, actions: o.actions });
        if (o.next >= S) {
            stopped = label(state) + " on " + model.events[e] + " goes to state " + o.next +
                ", past the last state (" + (S - 1) + "): the generated machine stores " + o.next +
                " and its next event calls through an entry past the end of its vector table";
        }
        state = o.next;
    }
    function restart(from) {
        start = from;
        state = from;
        steps = [];
        stopped = "";
    }
    function undo() {
        if (!steps.length) return;
        steps.pop();
        state = steps.length ? steps[steps.length - 1].next : start;
        stopped = "";
    }
    // Replays the fragment: "#from=N&events=E,E,..."; stops at the first
    // event that is no event of the table.
    function replay() {
        const params = new URLSearchParams(location.hash.slice(1));
        const from = Number(params.get("from"));
        restart(Number.isInteger(from) && from >= 0 && from < S ? from : 0);
        for (const text of (params.get("events") || "").split(",")) {
            const e = Number(text);
            if (text === "" || !Number.isInteger(e) || e < 0 || e >= E) break;
            take(e);
        }
        render();
    }
    const act = (f) => (...args) => { f(...args); render(); save(); };

    $("events").addEventListener("click", (ev) => {
        const button = ev.target.closest("button.event");
        if (button) act(take)(Number(button.dataset.event));
    });
    $("undo").addEventListener("click", act(undo));
    $("reset").addEventListener("click", act(() => restart(start)));
    startSelect.addEventListener("change", act(() => restart(Number(startSelect.value))));
    document.addEventListener("keydown", (ev) => {
        if (ev.ctrlKey || ev.metaKey || ev.altKey || ev.target.closest("select, input, textarea")) return;
        if (ev.key === "Backspace") {
            act(undo)();
        } else if (ev.key === "Escape") {
            act(() => restart(start))();
        } else {
            const e = ev.key.length === 1 ? KEYS.indexOf(ev.key.toLowerCase()) : -1;
            if (e < 0 || e >= E) return;
            act(take)(e);
        }
        ev.preventDefault();
    });
    window.addEventListener("hashchange", replay);
    replay();
    document.documentElement.dataset.ready = "true";
})();
