// The transition matrix: states down, events across, each cell the next
// state and the actions it calls (PelkLogic's outcome). One cell at a time is
// in the tab order and the arrow keys move it; the row and column of the
// cell under the pointer or the focus are highlighted, with what the diagram
// draws for it; the diagram marks the cells an arrow stands for.
const PelkMatrix = (function () {
    "use strict";
    const { element } = PelkDom;

    // Builds the matrix of model into table, once.
    function build(model, table) {
        const stateCount = model.states.length;
        const eventCount = model.events.length;
        const label = (state) => PelkLogic.label(model, state);

        const headRow = table.createTHead().insertRow();
        headRow.append(element("td", "", "corner"));
        for (let event = 0; event < eventCount; event++) {
            const heading = element("th", model.events[event]);
            heading.scope = "col";
            heading.tabIndex = -1;
            heading.append(element("small", " " + event));
            headRow.append(heading);
        }
        const body = table.createTBody();
        const rows = [];
        const missing = new Set(model.missing || []);
        for (let state = 0; state < stateCount; state++) {
            const row = body.insertRow();
            const heading = element("th", model.states[state]);
            heading.scope = "row";
            heading.tabIndex = -1;
            heading.append(element("small", " " + state));
            row.append(heading);
            // One text node a cell, the actions on a line of their own: a
            // large table has tens of thousands of cells.
            for (let event = 0; event < eventCount; event++) {
                const cell = document.createElement("td");
                if (missing.has(state * eventCount + event)) {
                    cell.textContent = "missing";
                    cell.className = "missing";
                    cell.title = "The record of " + model.states[state] +
                        " ends before this cell: pelk refuses the table.";
                } else {
                    const outcome = PelkLogic.outcome(model, state, event);
                    cell.textContent = (outcome.transition ? "→ " + label(outcome.next) : "–") +
                        (outcome.actions.length ? "\n" + outcome.actions.join(", ") : "");
                    if (!outcome.transition) cell.className = "stay";
                    else if (outcome.next >= stateCount) cell.className = "past";
                }
                row.append(cell);
            }
            rows.push(row);
        }

        const matrix = {
            rows: rows,
            headRow: headRow,
            // The cell of (state, event), the heading of a state's row or of
            // an event's column; null for none.
            cellAt: (state, event) => (rows[state] && rows[state].cells[event + 1]) || null,
            stateHeading: (state) => (rows[state] && rows[state].cells[0]) || null,
            eventHeading: (event) => headRow.cells[event + 1] || null,
            focusOn: focusOn,
            markCells: markCells,
            // What the diagram draws for a cell, highlighted with it; the
            // page sets it once the diagram is there.
            drawnCell: () => null,
        };
        const positionOf = (cell) => [cell.parentElement.sectionRowIndex, cell.cellIndex - 1];

        // One cell is in the tab order at a time; the arrow keys move it.
        let focusCell = stateCount && eventCount ? matrix.cellAt(0, 0) : null;
        if (focusCell) focusCell.tabIndex = 0;
        function focusOn(cell) {
            if (focusCell && focusCell !== cell) focusCell.removeAttribute("tabindex");
            focusCell = cell;
            cell.tabIndex = 0;
            cell.focus();
        }

        let highlighted = [];
        function highlight(state, event) {
            for (const node of highlighted) node.classList.remove("hl", "hl-col", "hl-row");
            highlighted = [];
            const mark = (node, className) => {
                if (node) {
                    node.classList.add(className);
                    highlighted.push(node);
                }
            };
            if (state < 0) return;
            mark(rows[state], "hl-row");
            mark(headRow.cells[event + 1], "hl-col");
            for (const row of rows) mark(row.cells[event + 1], "hl-col");
            mark(matrix.drawnCell(state, event), "hl");
        }
        const cellOf = (target) => (target.closest && target.closest("#matrix tbody td")) || null;
        const highlightAt = (target) => {
            const cell = cellOf(target);
            if (cell) highlight(...positionOf(cell));
            return cell;
        };
        table.addEventListener("mouseover", (domEvent) => highlightAt(domEvent.target));
        table.addEventListener("mouseleave", () => {
            if (!highlightAt(document.activeElement)) highlight(-1, -1);
        });
        table.addEventListener("focusin", (domEvent) => highlightAt(domEvent.target));
        table.addEventListener("click", (domEvent) => {
            const cell = cellOf(domEvent.target);
            if (cell) focusOn(cell);
        });
        table.addEventListener("focusout", () => highlight(-1, -1));
        const moves = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] };
        table.addEventListener("keydown", (domEvent) => {
            const cell = cellOf(domEvent.target);
            if (!cell) return;
            let [state, event] = positionOf(cell);
            if (moves[domEvent.key]) {
                state = Math.min(stateCount - 1, Math.max(0, state + moves[domEvent.key][0]));
                event = Math.min(eventCount - 1, Math.max(0, event + moves[domEvent.key][1]));
            } else if (domEvent.key === "Home") {
                event = 0;
            } else if (domEvent.key === "End") {
                event = eventCount - 1;
            } else {
                return;
            }
            domEvent.preventDefault();
            domEvent.stopPropagation();
            focusOn(matrix.cellAt(state, event));
        });

        // The cells marked from the diagram: those an arrow stands for.
        let marked = [];
        function markCells(cells) {
            for (const cell of marked) cell.classList.remove("marked");
            marked = cells.map(([state, event]) => matrix.cellAt(state, event)).filter((cell) => cell);
            for (const cell of marked) cell.classList.add("marked");
        }
        return matrix;
    }

    return { build: build };
})();
