#include "pelk-table/html/html_diagram.h"

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/svg_renderer.h"

namespace {

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
    if (!CSvgRenderer::render(CDotView::write(model, graph), diagram.svg, messages)) {
        diagram.svg.clear();
        diagram.note = "No diagram: Graphviz could not lay the machine out (" + messages + ").";
        return diagram;
    }
    diagram.nodeIds = CDotView::nodeNames(graph);
    diagram.note = graph.note();
    diagram.folds = graph.foldSentences();
    // A folded event is one edge from "any state"; it stands for the cells of
    // every state it covers.
    for (const VIEW_FOLD_& fold : graph.folds()) {
        if (fold.to < 0 || fold.to >= static_cast<int>(diagram.nodeIds.size()))
            continue;
        std::vector<std::pair<int, int>>& cells =
            diagram.edgeCells["__any->" + diagram.nodeIds[static_cast<size_t>(fold.to)]];
        for (int s : fold.covered)
            cells.emplace_back(s, fold.call.event);
    }
    return diagram;
}

}  // namespace

PAGE_DIAGRAM_ CHtmlDiagram::draw(const CTableModel& model, const std::vector<FINDING_>& findings) {
    VIEW_OPTIONS_ options;
    options.hint = "Shift+click on a state draws its neighbourhood.";
    return render(model, CMachineGraph(model, findings, options));
}
