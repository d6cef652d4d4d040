// The changes since an older table (pelk-table html --compare OLD), marked
// on the page that page.js has built: the cells that changed, the rows and
// columns added or renamed, the diagram's nodes and edges of changed cells,
// and the list of changes above the matrix. The model's "changes" member is
// what pelk-table diff --format=json writes, with its text lines in "lines"
// and each next state's "label".
(function () {
    "use strict";
    const model = JSON.parse(document.getElementById("model").textContent);
    const changes = model.changes;
    if (!changes) return;

    const matrix = document.getElementById("matrix");
    const rows = matrix && matrix.tBodies.length ? matrix.tBodies[0].rows : [];
    const head = matrix && matrix.tHead ? matrix.tHead.rows[0] : null;
    const note = (node, text) => {
        if (!node) return;
        node.title = (node.title ? node.title + "\n" : "") + text;
    };
    const mark = (node, cls, text) => {
        if (!node) return;
        node.classList.add(cls);
        note(node, text);
    };
    const cellText = (c) => {
        if (!c) return "";
        const next = c.next === null ? "–" : "→ " + c.next.label;
        return next + (c.actions.length ? " / " + c.actions.join(", ") : "");
    };

    // Graphviz's nodes and edges, by their titles, as page.js finds them.
    const svgItems = new Map();
    const svg = document.querySelector("#diagram svg");
    if (svg) {
        for (const g of svg.querySelectorAll("g.node, g.edge")) {
            const title = g.querySelector("title");
            if (title) svgItems.set(title.textContent, g);
        }
    }
    const nodes = (model.diagram && model.diagram.nodes) || [];
    const nodeOf = (s) => svgItems.get(nodes[s]);
    const edgeOf = (s, n) => svgItems.get(nodes[s] + "->" + nodes[n]);

    const since = "since " + changes.old;
    for (const c of changes.cells) {
        if (!c.newPlace) continue;
        const s = c.newPlace.state, e = c.newPlace.event;
        const td = rows[s] ? rows[s].cells[e + 1] : null;
        const text = c.change === "added" ? "added " + since : "was " + cellText(c.old) + " " + since;
        mark(td, "change-" + c.change, text);
        mark(nodeOf(s), "change-cell", "a cell changed " + since);
        if (c.new.next !== null) mark(edgeOf(s, c.new.next.number), "change-edge", c.event + ": " + text);
    }
    for (const kind of ["states", "events"]) {
        for (const c of changes[kind]) {
            if (c.change !== "added" && c.change !== "renamed") continue;
            const n = c.new.number;
            const text = c.change === "added" ? "added " + since : "was " + c.old.name + " " + since;
            if (kind === "states") {
                mark(rows[n] ? rows[n].cells[0] : null, "change-" + c.change, text);
                mark(nodeOf(n), "change-" + c.change, text);
            } else {
                mark(head ? head.cells[n + 1] : null, "change-" + c.change, text);
            }
        }
    }

    const section = document.createElement("section");
    section.id = "changes-section";
    const h2 = document.createElement("h2");
    h2.textContent = "Changes " + since;
    section.append(h2);
    if (changes.same) {
        const p = document.createElement("p");
        p.textContent = "The machine is the same.";
        section.append(p);
    }
    const ul = document.createElement("ul");
    ul.id = "changes";
    for (const line of changes.lines) {
        const li = document.createElement("li");
        li.textContent = line;
        ul.append(li);
    }
    section.append(ul);
    const before = document.getElementById("matrix-section");
    if (before) before.before(section);
    else document.body.append(section);
})();
