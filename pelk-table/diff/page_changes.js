// The changes since an older table (pelk-table html --compare OLD), marked
// on the page that page.js has built (PelkPage): the cells that changed, the
// rows and columns added or renamed, the diagram's nodes of changed cells and
// the arrows that stand for them, and the list of changes above the matrix.
// The model's "changes" member is what pelk-table diff --format=json writes,
// with its text lines in "lines" and each next state's "label".
(function () {
    "use strict";
    const { model, matrix, diagram } = PelkPage;
    const changes = model.changes;
    if (!changes) return;

    const mark = (node, className, text) => {
        if (!node) return;
        node.classList.add(className);
        node.title = (node.title ? node.title + "\n" : "") + text;
    };
    const cellText = (cell) => {
        if (!cell) return "";
        const next = cell.next === null ? "–" : "→ " + cell.next.label;
        return next + (cell.actions.length ? " / " + cell.actions.join(", ") : "");
    };

    const since = "since " + changes.old;
    for (const change of changes.cells) {
        if (!change.newPlace) continue;
        const state = change.newPlace.state;
        const event = change.newPlace.event;
        const text = change.change === "added" ? "added " + since : "was " + cellText(change.old) + " " + since;
        mark(matrix.cellAt(state, event), "change-" + change.change, text);
        mark(diagram.nodeOf(state), "change-cell", "a cell changed " + since);
        if (change.new.next !== null) mark(diagram.edgeOfCell(state, event), "change-edge", change.event + ": " + text);
    }
    for (const kind of ["states", "events"]) {
        for (const change of changes[kind]) {
            if (change.change !== "added" && change.change !== "renamed") continue;
            const number = change.new.number;
            const text = change.change === "added" ? "added " + since : "was " + change.old.name + " " + since;
            if (kind === "states") {
                mark(matrix.stateHeading(number), "change-" + change.change, text);
                mark(diagram.nodeOf(number), "change-" + change.change, text);
            } else {
                mark(matrix.eventHeading(number), "change-" + change.change, text);
            }
        }
    }

    const section = document.createElement("section");
    section.id = "changes-section";
    const heading = document.createElement("h2");
    heading.textContent = "Changes " + since;
    section.append(heading);
    if (changes.same) {
        const same = document.createElement("p");
        same.textContent = "The machine is the same.";
        section.append(same);
    }
    const list = document.createElement("ul");
    list.id = "changes";
    for (const line of changes.lines) {
        const item = document.createElement("li");
        item.textContent = line;
        list.append(item);
    }
    section.append(list);
    const before = document.getElementById("matrix-section");
    if (before) before.before(section);
    else document.body.append(section);
})();
