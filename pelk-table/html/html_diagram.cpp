#include "pelk-table/html/html_diagram.h"

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/graph_words.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/svg_renderer.h"

namespace {

// The arrows as the DOT of the page names them: the one to the initial
// state, then graph.edges() in order, each with the cells its calls stand
// for (those of every state of a group for a group's arrow).
std::vector<PAGE_EDGE_> edgesOf(const CMachineGraph& graph) {
    std::vector<PAGE_EDGE_> edges;
    if (graph.shownStates() > 0 && graph.shown(0))
        edges.push_back({CDotView::edgeElementId(CDotView::kStartPoint),
                         CDotView::nodeElementId(CDotView::kStartPoint),
                         CDotView::nodeElementId(0),
                         {}});
    for (size_t index = 0; index < graph.edges().size(); ++index) {
        const VIEW_EDGE_& edge = graph.edges()[index];
        // A group's arrow leaves its box, or its node "any state in NAME"
        // for a state inside the box.
        std::string tail = CDotView::nodeElementId(edge.from);
        if (edge.from == CMachineGraph::kGroupBox)
            tail = graph.inGroup(edge.group, edge.to) ? CDotView::boxNodeElementId(edge.group)
                                                      : CDotView::boxElementId(edge.group);
        PAGE_EDGE_ drawn{CDotView::edgeElementId(static_cast<int>(index)), tail, CDotView::nodeElementId(edge.to), {}};
        for (const VIEW_CALL_& call : edge.calls) {
            for (int s : call.states)
                drawn.cells.emplace_back(s, call.event);
        }
        edges.push_back(std::move(drawn));
    }
    return edges;
}

// The drawing itself: the graph's DOT, as pelk-table dot writes it, laid out
// by the Graphviz library.
PAGE_DIAGRAM_ render(const CTableModel& model, const CMachineGraph& graph) {
    PAGE_DIAGRAM_ diagram;
    if (!CSvgRenderer::available()) {
        diagram.note = "No diagram: this pelk-table is built without Graphviz.";
        return diagram;
    }
    if (graph.shownStates() == 0) {
        diagram.note = "No diagram. " + graph.note() + " The matrix below shows every cell.";
        return diagram;
    }
    std::string messages;
    if (!CSvgRenderer::render(CDotView::write(model, graph, true), diagram.svg, messages)) {
        diagram.svg.clear();
        diagram.note = "No diagram: Graphviz could not lay the machine out (" + messages + ").";
        return diagram;
    }
    for (int s = 0; s < static_cast<int>(graph.states().size()); ++s)
        diagram.nodeIds.push_back(graph.shown(s) ? CDotView::nodeElementId(s) : std::string());
    diagram.edges = edgesOf(graph);
    diagram.note = graph.note();
    diagram.folds = CGraphWords::foldSentences(graph);
    const std::vector<std::string> groups = CGraphWords::groupSentences(graph);
    for (size_t g = 0; g < graph.groups().size(); ++g) {
        if (!graph.boxShown(static_cast<int>(g)))
            continue;
        PAGE_BOX_ box{CDotView::boxElementId(static_cast<int>(g)), "", graph.groups()[g].states};
        for (const PAGE_EDGE_& edge : diagram.edges)
            box.node = edge.tail == CDotView::boxNodeElementId(static_cast<int>(g)) ? edge.tail : box.node;
        if (!graph.groups()[g].internal.empty())
            box.node = CDotView::boxNodeElementId(static_cast<int>(g));
        diagram.boxes.push_back(std::move(box));
        diagram.groups.push_back(groups[g]);
    }
    return diagram;
}

}  // namespace

PAGE_DIAGRAM_ CHtmlDiagram::draw(const CTableModel& model, const std::vector<FINDING_>& findings) {
    VIEW_OPTIONS_ options;
    options.hint = "Shift+click on a state draws its neighbourhood.";
    return render(model, CMachineGraph(model, findings, options));
}
