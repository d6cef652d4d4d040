// The page of one state transition table. The model comes as JSON in the
// element #model; this script builds the header, the matrix, the findings,
// the diagram's pan and zoom and the simulator from it, with textContent
// only, so names stay text. The simulator's rules, its URL fragment and its
// scenario are PelkLogic's (page_logic.js); here they are only drawn.
(function () {
    "use strict";
    const model = JSON.parse(document.getElementById("model").textContent);
    const L = PelkLogic;
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
    function button(text, id, title) {
        const b = el("button", text);
        b.type = "button";
        if (id) b.id = id;
        if (title) b.title = title;
        return b;
    }
    const label = (s) => L.label(model, s);
    const outcome = (s, e) => L.outcome(model, s, e);

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
    const missing = new Set(model.missing || []);
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
            const td = document.createElement("td");
            if (missing.has(s * E + e)) {
                td.textContent = "missing";
                td.className = "missing";
                td.title = "The record of " + model.states[s] + " ends before this cell: pelk refuses the table.";
            } else {
                const o = outcome(s, e);
                td.textContent = (o.transition ? "→ " + label(o.next) : "–") +
                    (o.actions.length ? "\n" + o.actions.join(", ") : "");
                if (!o.transition) td.className = "stay";
                else if (o.next >= S) td.className = "past";
            }
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

    // Diagram: Graphviz's nodes and edges, found by their titles.
    const diagram = setUpDiagram();

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
        mark(o.transition ? diagram.edgeOf(s, o.next) || diagram.nodeOf(o.next) : diagram.nodeOf(s), "hl");
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

    // Cells marked from the diagram: those an arrow stands for.
    let markedCells = [];
    function markCells(cells) {
        for (const td of markedCells) td.classList.remove("marked");
        markedCells = cells.map(([s, e]) => cellEl(s, e)).filter((td) => td);
        for (const td of markedCells) td.classList.add("marked");
    }

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
            const go = button("Show in matrix");
            go.className = "link";
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
        diagram.ready(null);
        document.documentElement.dataset.ready = "true";
        return;
    }

    let run = L.begin(model, 0);
    const startSelect = $("start");
    for (let s = 0; s < S; s++) startSelect.append(new Option(s + " " + model.states[s], String(s)));

    const buttons = [];
    for (let e = 0; e < E; e++) {
        const b = button(null, null);
        b.className = "event";
        b.dataset.event = String(e);
        if (e < KEYS.length) {
            b.append(el("kbd", KEYS[e]), " ");
            b.setAttribute("aria-keyshortcuts", KEYS[e]);
        }
        b.append(el("span", model.events[e], "name"), el("span", "", "outcome"));
        buttons.push(b);
        $("events").append(b);
    }

    const traceBody = $("trace").tBodies[0];
    let taken = null;
    let current = [];
    function render() {
        const steps = run.steps;
        while (traceBody.rows.length > steps.length) traceBody.deleteRow(-1);
        for (let i = traceBody.rows.length; i < steps.length; i++) {
            const step = steps[i];
            const tr = traceBody.insertRow();
            tr.append(el("td", String(i + 1)), el("td", label(step.state)), el("td", model.events[step.event]),
                el("td", label(step.next) + (step.transition ? "" : " (no transition)")),
                el("td", step.actions.join(" ")));
        }
        // Where the trace scrolls on its own, its last step stays in view.
        $("trace").scrollTop = $("trace").scrollHeight;
        for (const node of current) node.classList.remove("current");
        current = [rows[run.state], diagram.nodeOf(run.state)].filter((node) => node);
        for (const node of current) node.classList.add("current");
        if (taken) taken.classList.remove("taken");
        const last = steps[steps.length - 1];
        taken = last ? cellEl(last.state, last.event) : null;
        if (taken) taken.classList.add("taken");

        const status = $("status");
        status.className = run.stopped ? "stopped" : "";
        status.textContent = run.stopped
            ? "Stopped after step " + steps.length + ": " + run.stopped
            : "State " + label(run.state) + " (" + run.state + ") after " + steps.length +
              (steps.length === 1 ? " step." : " steps.");
        for (let e = 0; e < E; e++) {
            const b = buttons[e];
            b.disabled = Boolean(run.stopped);
            const o = run.stopped ? null : outcome(run.state, e);
            b.lastChild.textContent = !o ? "" : (o.transition ? "→ " + label(o.next) : "stays") +
                (o.actions.length ? " · " + o.actions.join(", ") : "");
        }
        $("undo").disabled = !steps.length;
        startSelect.value = String(run.start);
        diagram.follow(run.state);
        if (!$("scenario-box").hidden) $("scenario").value = L.scenario(model, run);
    }

    function save() {
        history.replaceState(null, "", location.pathname + location.search + L.writeFragment(model, run));
    }

    // A fragment read in part gets a note naming what was left out.
    function showIgnored(ignored) {
        const note = $("fragment-note");
        note.hidden = !ignored.length;
        note.textContent = ignored.length
            ? "The link's trace was read in part: " + ignored.join("; ") + "." : "";
    }
    function replay() {
        const read = L.readFragment(model, location.hash);
        run = read.run;
        showIgnored(read.ignored);
        render();
    }
    const act = (f) => (...args) => { run = f(run, ...args); showIgnored([]); render(); save(); };
    const take = (r, e) => L.take(model, r, e);
    const undo = (r) => L.undo(model, r);
    const reset = (r) => L.reset(model, r);
    const from = (r, s) => L.begin(model, s);

    $("events").addEventListener("click", (ev) => {
        const b = ev.target.closest("button.event");
        if (b) act(take)(Number(b.dataset.event));
    });
    $("undo").addEventListener("click", act(undo));
    $("reset").addEventListener("click", act(reset));
    startSelect.addEventListener("change", act((r) => from(r, Number(startSelect.value))));
    diagram.onState = (s) => act(from)(s);

    // Copy as scenario: the text is shown, selected and copied where the
    // browser lets a file page write the clipboard.
    $("copy-scenario").addEventListener("click", () => {
        const box = $("scenario");
        $("scenario-box").hidden = false;
        box.value = L.scenario(model, run);
        box.focus();
        box.select();
        const done = (text) => { $("scenario-note").textContent = text; };
        let copied = false;
        try {
            copied = document.execCommand("copy");
        } catch (error) {
            copied = false;
        }
        if (copied) {
            done("Copied. Save it as scenario.txt beside the table; the first lines say how run plays it.");
        } else if (navigator.clipboard && navigator.clipboard.writeText) {
            navigator.clipboard.writeText(box.value).then(
                () => done("Copied. Save it as scenario.txt beside the table; the first lines say how run plays it."),
                () => done("Select the text below and copy it: this browser does not let the page copy."));
        } else {
            done("Select the text below and copy it: this browser does not let the page copy.");
        }
    });
    $("close-scenario").addEventListener("click", () => { $("scenario-box").hidden = true; });

    document.addEventListener("keydown", (ev) => {
        if (ev.ctrlKey || ev.metaKey || ev.altKey || ev.target.closest("select, input, textarea")) return;
        if (ev.key === "Backspace") {
            act(undo)();
        } else if (ev.key === "Escape") {
            act(reset)();
        } else {
            const e = ev.key.length === 1 ? KEYS.indexOf(ev.key.toLowerCase()) : -1;
            if (e < 0 || e >= E) return;
            act(take)(e);
        }
        ev.preventDefault();
    });
    window.addEventListener("hashchange", replay);
    diagram.ready(0);
    replay();
    document.documentElement.dataset.ready = "true";

    // The diagram: its nodes and edges by title, and a view of it that the
    // wheel, a pinch, a drag, the buttons and the keys zoom and pan. The view
    // is the SVG's viewBox: at 100 % a unit of Graphviz (a point) is 4/3 CSS
    // pixels, as the SVG would be drawn on its own.
    function setUpDiagram() {
        const nodeEls = new Map();
        const edgeEls = new Map();
        const stateOf = new Map();
        const api = {
            nodeOf: (s) => nodeEls.get(model.diagram.nodes[s]),
            edgeOf: (s, n) => edgeEls.get(model.diagram.nodes[s] + "->" + (n < S ? model.diagram.nodes[n] : "")),
            follow: () => {},
            ready: () => {},
            onState: null,
        };
        const box = $("diagram");
        const svg = box.querySelector("svg");
        if (!svg) {
            box.append(el("p", model.diagram.note, "note"));
            return api;
        }
        svg.setAttribute("role", "img");
        svg.setAttribute("aria-label", "Diagram of the machine");
        // What the drawing leaves out or draws once for many states.
        const said = [model.diagram.note].concat(model.diagram.folds || []).filter((text) => text);
        if (said.length) {
            const about = el("ul", null, "note");
            about.id = "diagram-about";
            for (const text of said) about.append(el("li", text));
            $("diagram-tools").after(about);
        }
        model.diagram.nodes.forEach((id, s) => stateOf.set(id, s));
        for (const g of svg.querySelectorAll("g.node, g.edge")) {
            const title = g.querySelector("title");
            if (!title) continue;
            if (g.classList.contains("node")) {
                nodeEls.set(title.textContent, g);
                if (stateOf.has(title.textContent)) g.classList.add("state");
            } else {
                edgeEls.set(title.textContent, g);
                // A wide, unseen copy of the line takes the clicks.
                const path = g.querySelector("path");
                if (path) {
                    const hit = path.cloneNode(false);
                    hit.setAttribute("class", "hit");
                    hit.removeAttribute("stroke-dasharray");
                    g.insertBefore(hit, path);
                }
            }
        }
        // Arrows to a state past the last one end in a node of its number.
        api.edgeOf = (s, n) => edgeEls.get(model.diagram.nodes[s] + "->" +
            (n < S ? model.diagram.nodes[n] : "__invalid" + n));

        // The cells an arrow stands for: given by the model, or every cell of
        // its tail state that goes to its head.
        function cellsOf(title) {
            const given = model.diagram.edges && model.diagram.edges[title];
            if (given) return given;
            const arrow = title.indexOf("->");
            const tail = stateOf.get(title.slice(0, arrow));
            const headId = title.slice(arrow + 2);
            const past = /^__invalid([0-9]+)$/.exec(headId);
            const head = stateOf.has(headId) ? stateOf.get(headId) : past ? Number(past[1]) : -1;
            const cells = [];
            if (tail === undefined || head < 0) return cells;
            for (let e = 0; e < E; e++) {
                const o = outcome(tail, e);
                if (o.transition && o.next === head && !missing.has(tail * E + e)) cells.push([tail, e]);
            }
            // A drawing that folds some events draws them elsewhere: keep the
            // events the arrow's label names ("EVENT" or "EVENT / actions").
            const lines = [...edgeEls.get(title).querySelectorAll("text")].map((t) => t.textContent.trim());
            const named = cells.filter(([, e]) => lines.some((line) =>
                line === model.events[e] || line.startsWith(model.events[e] + " / ")));
            return named.length ? named : cells;
        }

        const W = svg.viewBox.baseVal.width || svg.getBBox().width;
        const H = svg.viewBox.baseVal.height || svg.getBBox().height;
        const X0 = svg.viewBox.baseVal.x;
        const Y0 = svg.viewBox.baseVal.y;
        const FULL = 4 / 3;
        svg.removeAttribute("width");
        svg.removeAttribute("height");
        svg.setAttribute("preserveAspectRatio", "xMinYMin meet");
        const section = $("diagram-section");
        $("diagram-tools").hidden = false;
        box.classList.add("viewport");
        box.tabIndex = 0;
        box.setAttribute("role", "group");
        box.setAttribute("aria-label", "Diagram: + and - zoom, arrow keys pan, f fits, 0 shows 100 %");

        // The diagram takes the whole width when it does not fit beside the
        // simulator at 100 %.
        const wide = W * FULL > section.clientWidth;
        if (wide) document.querySelector(".top").classList.add("wide");
        const maxHeight = () => Math.max(240, Math.round(Math.min(window.innerHeight * 0.75, window.innerHeight - 160)));
        let view = { x: X0, y: Y0, k: FULL };
        let size = { w: 0, h: 0 };
        function measure() {
            const w = box.clientWidth;
            // As high as the drawing is at its first scale, within the window.
            let k = Math.min(FULL, w / W);
            if (k < FULL * 0.75) k = FULL;
            const h = Math.min(maxHeight(), Math.ceil(H * k) + 2);
            box.style.height = h + "px";
            size = { w: w, h: h };
        }
        const fitScale = () => Math.min(size.w / W, size.h / H);
        const limits = () => [Math.min(fitScale(), FULL) / 2, FULL * 8];
        function show(next) {
            const [low, high] = limits();
            const k = Math.min(high, Math.max(low, next.k));
            const vw = size.w / k;
            const vh = size.h / k;
            // Keep some of the drawing in view whichever way it is pushed.
            const x = Math.min(X0 + W - vw * 0.2, Math.max(X0 - vw * 0.8, next.x));
            const y = Math.min(Y0 + H - vh * 0.2, Math.max(Y0 - vh * 0.8, next.y));
            view = { x: x, y: y, k: k };
            svg.setAttribute("viewBox", [x, y, vw, vh].map((v) => v.toFixed(2)).join(" "));
            $("zoom-level").textContent = "zoom " + Math.round(k / FULL * 100) + " %";
        }
        // Zooms by factor keeping the point (px, py) of the box where it is.
        function zoomAt(factor, px, py) {
            const [low, high] = limits();
            const k = Math.min(high, Math.max(low, view.k * factor));
            show({ x: view.x + px / view.k - px / k, y: view.y + py / view.k - py / k, k: k });
        }
        // The whole drawing, centred, at scale k.
        const centred = (k) => show({ x: X0 - (size.w / k - W) / 2, y: Y0 - (size.h / k - H) / 2, k: k });
        const fit = () => centred(Math.min(fitScale(), FULL * 2));
        // 100 %, about the middle of what is in view.
        function full() {
            const cx = view.x + size.w / view.k / 2;
            const cy = view.y + size.h / view.k / 2;
            show({ x: cx - size.w / FULL / 2, y: cy - size.h / FULL / 2, k: FULL });
        }
        const panBy = (dx, dy) => show({ x: view.x - dx / view.k, y: view.y - dy / view.k, k: view.k });

        // Keeps a node in view, with a margin, by the shortest pan.
        function keepInView(node) {
            if (!node) return;
            const r = node.getBoundingClientRect();
            // The part of the box in the window, unless too little of it is.
            const whole = box.getBoundingClientRect();
            const top = Math.max(whole.top, 0);
            const bottom = Math.min(whole.bottom, window.innerHeight);
            const b = bottom - top >= 160 ? { left: whole.left, right: whole.right, width: whole.width, top: top,
                bottom: bottom, height: bottom - top } : whole;
            const margin = Math.min(40, b.width / 8, b.height / 8);
            let dx = 0;
            let dy = 0;
            if (r.width > b.width - 2 * margin || r.left < b.left + margin) dx = b.left + margin - r.left;
            else if (r.right > b.right - margin) dx = b.right - margin - r.right;
            if (r.height > b.height - 2 * margin || r.top < b.top + margin) dy = b.top + margin - r.top;
            else if (r.bottom > b.bottom - margin) dy = b.bottom - margin - r.bottom;
            if (dx || dy) {
                // Centre it rather than leave it at the edge.
                const cx = b.left + b.width / 2 - (r.left + r.width / 2);
                const cy = b.top + b.height / 2 - (r.top + r.height / 2);
                panBy(dx ? cx : 0, dy ? cy : 0);
            }
        }
        api.follow = (s) => keepInView(api.nodeOf(s));

        // The first view: the whole drawing when its labels stay readable so,
        // else 100 % at the start state.
        api.ready = (s) => {
            measure();
            if (fitScale() >= FULL) centred(FULL);
            else if (fitScale() >= FULL * 0.75) fit();
            else {
                show({ x: X0, y: Y0, k: FULL });
                if (s !== null) keepInView(api.nodeOf(s));
            }
        };
        window.addEventListener("resize", () => {
            const cx = view.x + size.w / view.k / 2;
            const cy = view.y + size.h / view.k / 2;
            measure();
            show({ x: cx - size.w / view.k / 2, y: cy - size.h / view.k / 2, k: view.k });
        });

        $("zoom-in").addEventListener("click", () => zoomAt(1.25, size.w / 2, size.h / 2));
        $("zoom-out").addEventListener("click", () => zoomAt(0.8, size.w / 2, size.h / 2));
        $("zoom-fit").addEventListener("click", fit);
        $("zoom-full").addEventListener("click", full);
        box.addEventListener("keydown", (ev) => {
            if (ev.ctrlKey || ev.metaKey || ev.altKey) return;
            // A sixth of the box a press; with Shift, half of it.
            const step = (ev.shiftKey ? 0.5 : 1 / 6) * Math.min(size.w, size.h * 2);
            const keys = {
                "+": () => zoomAt(1.25, size.w / 2, size.h / 2),
                "=": () => zoomAt(1.25, size.w / 2, size.h / 2),
                "-": () => zoomAt(0.8, size.w / 2, size.h / 2),
                f: fit,
                F: fit,
                0: full,
                ArrowLeft: () => panBy(step, 0),
                ArrowRight: () => panBy(-step, 0),
                ArrowUp: () => panBy(0, step / 2),
                ArrowDown: () => panBy(0, -step / 2),
            };
            if (!keys[ev.key]) return;
            keys[ev.key]();
            ev.preventDefault();
            ev.stopPropagation();
        });
        const local = (ev) => {
            const b = box.getBoundingClientRect();
            return [ev.clientX - b.left, ev.clientY - b.top];
        };
        box.addEventListener("wheel", (ev) => {
            ev.preventDefault();
            const unit = ev.deltaMode === 1 ? 16 : ev.deltaMode === 2 ? size.h : 1;
            // A pinch on a touchpad comes as a wheel with Ctrl, in small steps.
            const rate = ev.ctrlKey ? 0.01 : 0.002;
            if (ev.shiftKey && !ev.ctrlKey) {
                panBy(-(ev.deltaX || ev.deltaY) * unit, 0);
                return;
            }
            zoomAt(Math.exp(-ev.deltaY * unit * rate), ...local(ev));
        }, { passive: false });

        // Drags pan; two fingers pinch. A press that moved is no click.
        const pointers = new Map();
        let moved = false;
        let pinch = null;
        box.addEventListener("pointerdown", (ev) => {
            if (ev.button !== 0) return;
            pointers.set(ev.pointerId, local(ev));
            if (pointers.size === 1) moved = false;
            if (pointers.size === 2) {
                const [a, b] = [...pointers.values()];
                pinch = Math.hypot(a[0] - b[0], a[1] - b[1]);
            }
        });
        box.addEventListener("pointermove", (ev) => {
            const last = pointers.get(ev.pointerId);
            if (!last) return;
            const now = local(ev);
            if (!moved && Math.hypot(now[0] - last[0], now[1] - last[1]) < 4) return;
            if (!moved) box.setPointerCapture(ev.pointerId);
            moved = true;
            box.classList.add("dragging");
            pointers.set(ev.pointerId, now);
            if (pointers.size === 2 && pinch) {
                const [a, b] = [...pointers.values()];
                const distance = Math.hypot(a[0] - b[0], a[1] - b[1]);
                zoomAt(distance / pinch, (a[0] + b[0]) / 2, (a[1] + b[1]) / 2);
                pinch = distance;
            } else if (pointers.size === 1) {
                panBy(now[0] - last[0], now[1] - last[1]);
            }
        });
        const release = (ev) => {
            pointers.delete(ev.pointerId);
            if (pointers.size < 2) pinch = null;
            if (!pointers.size) box.classList.remove("dragging");
        };
        box.addEventListener("pointerup", release);
        box.addEventListener("pointercancel", release);

        // A click on a state starts the simulator there; with Shift it shows
        // the state's neighbours. A click on an arrow marks its cells.
        let near = null;
        function neighbours(s) {
            near = s;
            const id = model.diagram.nodes[s];
            const keep = new Set([nodeEls.get(id)]);
            for (const [title, g] of edgeEls) {
                const [tail, head] = title.split("->");
                if (tail === id || head === id) {
                    keep.add(g);
                    keep.add(nodeEls.get(tail));
                    keep.add(nodeEls.get(head));
                }
            }
            for (const g of [...nodeEls.values(), ...edgeEls.values()]) g.classList.toggle("dim", !keep.has(g));
            // Then the view shows them all, at 100 % at most.
            const b = box.getBoundingClientRect();
            let [left, top, right, bottom] = [Infinity, Infinity, -Infinity, -Infinity];
            for (const g of keep) {
                if (!g) continue;
                const r = g.getBoundingClientRect();
                [left, top] = [Math.min(left, r.left), Math.min(top, r.top)];
                [right, bottom] = [Math.max(right, r.right), Math.max(bottom, r.bottom)];
            }
            const x0 = view.x + (left - b.left) / view.k;
            const y0 = view.y + (top - b.top) / view.k;
            const w = (right - left) / view.k + 40;
            const h = (bottom - top) / view.k + 40;
            const k = Math.min(FULL, size.w / w, size.h / h);
            show({ x: x0 - 20 - (size.w / k - w) / 2, y: y0 - 20 - (size.h / k - h) / 2, k: k });
            $("diagram-note").textContent = "Neighbours of " + model.states[s] + ": what leads in and out of it. ";
            const all = button("Show all");
            all.className = "link";
            all.addEventListener("click", () => {
                near = null;
                for (const g of svg.querySelectorAll(".dim")) g.classList.remove("dim");
                $("diagram-note").textContent = "";
            });
            $("diagram-note").append(all);
        }
        let edgeMarked = null;
        box.addEventListener("click", (ev) => {
            if (moved) return;
            const g = ev.target.closest && ev.target.closest("g.node, g.edge");
            const title = g && g.querySelector("title");
            if (!title) return;
            if (g.classList.contains("node")) {
                const s = stateOf.get(title.textContent);
                if (s === undefined) return;
                if (ev.shiftKey || !api.onState) neighbours(s); else api.onState(s);
                if (near !== null && !ev.shiftKey) neighbours(s);
                return;
            }
            const cells = cellsOf(title.textContent);
            if (edgeMarked) edgeMarked.classList.remove("picked");
            edgeMarked = g;
            g.classList.add("picked");
            markCells(cells);
            const note = $("diagram-note");
            note.textContent = cells.length
                ? cells.map(([s, e]) => model.states[s] + " on " + model.events[e]).join(", ") +
                  (cells.length === 1 ? ": its cell is marked in the matrix. " : ": their cells are marked in the matrix. ")
                : "This arrow stands for no cell of the matrix. ";
            if (cells.length) {
                const go = button("Show in matrix");
                go.className = "link";
                go.addEventListener("click", () => {
                    const td = cellEl(cells[0][0], cells[0][1]);
                    td.scrollIntoView({ block: "center", inline: "center" });
                    focusOn(td);
                });
                note.append(go);
            }
        });
        return api;
    }
})();
