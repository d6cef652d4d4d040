#include "pelk-table/html/html_diagram.h"

#include <set>
#include <string>
#include <utility>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/svg_renderer.h"

namespace {

// The arrows a drawing would have: one per pair of state and next state,
// however many events take it.
int edgeCount(const CSTTable& table) {
    std::set<std::pair<int, int>> edges;
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            const int next = table.nextState(e, s);
            if (next != -1)
                edges.insert({s, next});
        }
    }
    return static_cast<int>(edges.size());
}

// The drawing itself: the machine's DOT, as pelk-table dot writes it, laid
// out by the Graphviz library.
bool render(const CTableModel& model, const std::vector<FINDING_>& findings, PAGE_DIAGRAM_& diagram) {
    if (!CSvgRenderer::available()) {
        diagram.note = "No diagram: this pelk-table is built without Graphviz.";
        return false;
    }
    std::string messages;
    if (!CSvgRenderer::render(CDotView::write(model, findings), diagram.svg, messages)) {
        diagram.svg.clear();
        diagram.note = "No diagram: Graphviz could not lay the machine out (" + messages + ").";
        return false;
    }
    diagram.nodeIds = CDotView::nodeNames(model, findings);
    return true;
}

}  // namespace

PAGE_DIAGRAM_ CHtmlDiagram::draw(const CTableModel& model, const std::vector<FINDING_>& findings) {
    PAGE_DIAGRAM_ diagram;
    const CSTTable& table = model.table();
    const int states = table.stateCount();
    const int edges = edgeCount(table);
    if (states > kMaxStates || edges > kMaxEdges) {
        diagram.note = "No diagram: " + std::to_string(states) + " states and " + std::to_string(edges) +
                       " transitions are too many to draw legibly (the page draws up to " + std::to_string(kMaxStates) +
                       " states and " + std::to_string(kMaxEdges) + " transitions). The matrix below shows every cell.";
        return diagram;
    }
    render(model, findings, diagram);
    return diagram;
}
