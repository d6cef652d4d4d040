// The page of one state transition table. The model comes as JSON in the
// element #model. This file writes the header and joins the parts, which the
// files before it build: the matrix (page_matrix.js), the findings
// (page_findings.js), the diagram (page_diagram.js, its view in
// page_viewport.js) and the simulator (page_simulator.js), whose rules are
// PelkLogic's (page_logic.js). PelkPage keeps the parts for the marks of
// html --compare (page_changes.js), which come after it.
const PelkPage = (function () {
    "use strict";
    const { byId, element } = PelkDom;
    const model = JSON.parse(byId("model").textContent);

    const name = model.machine || model.file;
    document.title = name + " · state machine";
    byId("title").textContent = name;
    const facts = [
        ["Table", model.file],
        ["Machine", model.machine || "(no name given)"],
        ["Target", model.target],
        ["States", String(model.states.length)],
        ["Events", String(model.events.length)],
        ["Cells", String(model.states.length * model.events.length)],
        ["Findings", String(model.findings.length)],
    ];
    for (const [term, value] of facts) {
        const fact = element("div");
        fact.append(element("dt", term), element("dd", value));
        byId("facts").append(fact);
    }
    byId("footer").textContent = "Written by pelk-table html of pelk " + model.version +
        ". The page is one file: it works offline and loads nothing.";

    const matrix = PelkMatrix.build(model, byId("matrix"));
    const diagram = PelkDiagram.attach(model, byId("diagram"), matrix);
    matrix.drawnCell = diagram.drawnCell;
    PelkFindings.list(model, byId("findings"), matrix);
    const simulator = PelkSimulator.start(model, matrix, diagram);
    diagram.ready(simulator ? 0 : null);
    if (simulator) simulator.replay();
    document.documentElement.dataset.ready = "true";
    return { model: model, matrix: matrix, diagram: diagram };
})();
