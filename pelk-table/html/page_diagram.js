// The diagram: Graphviz's SVG of the machine, whose nodes, edges and boxes
// the model names by their element ids (diagram.nodes, one a state;
// diagram.edges, each with the nodes it joins and the cells it stands for;
// diagram.boxes, the groups of states drawn as boxes, whose shared arrows
// leave the box or its node "any state in NAME"). A click on a state starts
// the simulator there, with Shift it shows the state's neighbours; a click on
// an arrow marks its cells in the matrix, every state's of a group for a
// group's arrow. The view itself is PelkViewport's.
const PelkDiagram = (function () {
    "use strict";
    const { byId, element, linkButton } = PelkDom;

    // The drawing's parts, found by the ids the model gives them.
    function partsOf(model, svg) {
        const elementOf = new Map();
        for (const group of svg.querySelectorAll("g.node, g.edge, g.cluster")) {
            if (group.id) elementOf.set(group.id, group);
        }
        const stateOf = new Map();
        model.diagram.nodes.forEach((id, state) => {
            if (id) stateOf.set(id, state);
        });
        const edgeById = new Map();
        const edgeOfCell = new Map();
        const eventCount = model.events.length;
        for (const edge of model.diagram.edges || []) {
            edgeById.set(edge.id, edge);
            for (const [state, event] of edge.cells) edgeOfCell.set(state * eventCount + event, edge.id);
        }
        return {
            element: (id) => elementOf.get(id) || null,
            nodeOf: (state) => elementOf.get(model.diagram.nodes[state]) || null,
            stateOf: (group) => (stateOf.has(group.id) ? stateOf.get(group.id) : -1),
            edgeOf: (group) => edgeById.get(group.id) || null,
            // The arrow that stands for the cell of (state, event); null when
            // none is drawn.
            edgeOfCell: (state, event) => elementOf.get(edgeOfCell.get(state * eventCount + event)) || null,
            edges: () => edgeById.values(),
            groups: () => elementOf.values(),
        };
    }

    // Sets up the diagram of model in box, the matrix being built. Returns
    // what the page asks of it; with no drawing, box says why.
    function attach(model, box, matrix) {
        const diagram = {
            nodeOf: () => null,
            edgeOfCell: () => null,
            drawnCell: () => null,
            follow: () => {},
            ready: () => {},
            // Called with a state clicked in the diagram; the simulator sets it.
            onState: null,
        };
        const svg = box.querySelector("svg");
        if (!svg) {
            box.append(element("p", model.diagram.note, "note"));
            return diagram;
        }
        svg.setAttribute("role", "img");
        svg.setAttribute("aria-label", "Diagram of the machine");
        // What the drawing leaves out or draws once for many states.
        const said = [model.diagram.note].concat(model.diagram.folds || [], model.diagram.groups || [])
            .filter((text) => text);
        if (said.length) {
            const about = element("ul", null, "note");
            about.id = "diagram-about";
            for (const text of said) about.append(element("li", text));
            byId("diagram-tools").after(about);
        }

        const parts = partsOf(model, svg);
        for (const group of parts.groups()) {
            if (parts.stateOf(group) >= 0) group.classList.add("state");
            // A wide, unseen copy of an arrow's line takes the clicks.
            const path = group.classList.contains("edge") && group.querySelector("path");
            if (path) {
                const hit = path.cloneNode(false);
                hit.setAttribute("class", "hit");
                hit.removeAttribute("stroke-dasharray");
                group.insertBefore(hit, path);
            }
        }
        diagram.nodeOf = parts.nodeOf;
        diagram.edgeOfCell = parts.edgeOfCell;
        // What a cell of the matrix is drawn as: the arrow that stands for
        // it, else the node of its next state; a cell without transition
        // is drawn inside its state's node.
        diagram.drawnCell = (state, event) => {
            const outcome = PelkLogic.outcome(model, state, event);
            if (!outcome.transition) return parts.nodeOf(state);
            return parts.edgeOfCell(state, event) || parts.nodeOf(outcome.next);
        };

        const viewport = PelkViewport.attach(box, svg);
        diagram.follow = (state) => viewport.keepInView(parts.nodeOf(state));
        diagram.ready = (state) => viewport.ready(state === null ? null : parts.nodeOf(state));

        const note = byId("diagram-note");
        // Shift+click: the state, the arrows into and out of it (those of
        // the boxes it is in too) and the nodes at their other ends; the rest
        // is dimmed until "Show all". The boxes stay, but the view fits the
        // neighbours.
        let near = null;
        function showNeighbours(state) {
            near = state;
            const id = model.diagram.nodes[state];
            const boxes = (model.diagram.boxes || []).filter((box) => box.states.includes(state));
            const tails = new Set([id].concat(boxes.map((box) => box.id), boxes.map((box) => box.node)));
            const keep = new Set([parts.element(id)]);
            const boxesKept = new Set(boxes.map((box) => parts.element(box.id)));
            for (const edge of parts.edges()) {
                if (!tails.has(edge.tail) && edge.head !== id) continue;
                for (const part of [edge.id, edge.tail, edge.head].map(parts.element)) {
                    if (part) (part.classList.contains("cluster") ? boxesKept : keep).add(part);
                }
            }
            for (const group of parts.groups()) group.classList.toggle("dim", !keep.has(group) && !boxesKept.has(group));
            viewport.showAll(keep);
            note.textContent = "Neighbours of " + model.states[state] + ": what leads in and out of it. ";
            const showAll = linkButton("Show all");
            showAll.addEventListener("click", () => {
                near = null;
                for (const group of svg.querySelectorAll(".dim")) group.classList.remove("dim");
                note.textContent = "";
            });
            note.append(showAll);
        }

        // A click on an arrow: its cells, marked in the matrix and named.
        let picked = null;
        function pickArrow(group) {
            const edge = parts.edgeOf(group);
            const cells = edge ? edge.cells : [];
            if (picked) picked.classList.remove("picked");
            picked = group;
            group.classList.add("picked");
            matrix.markCells(cells);
            note.textContent = cells.length
                ? cells.map(([state, event]) => model.states[state] + " on " + model.events[event]).join(", ") +
                  (cells.length === 1 ? ": its cell is marked in the matrix. "
                      : ": their cells are marked in the matrix. ")
                : "This arrow stands for no cell of the matrix. ";
            if (cells.length) {
                const show = linkButton("Show in matrix");
                show.addEventListener("click", () => {
                    const cell = matrix.cellAt(cells[0][0], cells[0][1]);
                    cell.scrollIntoView({ block: "center", inline: "center" });
                    matrix.focusOn(cell);
                });
                note.append(show);
            }
        }

        box.addEventListener("click", (domEvent) => {
            if (viewport.dragged()) return;
            const group = domEvent.target.closest && domEvent.target.closest("g.node, g.edge");
            if (!group) return;
            if (group.classList.contains("edge")) {
                pickArrow(group);
                return;
            }
            const state = parts.stateOf(group);
            if (state < 0) return;
            if (domEvent.shiftKey || !diagram.onState) showNeighbours(state); else diagram.onState(state);
            if (near !== null && !domEvent.shiftKey) showNeighbours(state);
        });
        return diagram;
    }

    return { attach: attach };
})();
