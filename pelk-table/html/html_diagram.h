#ifndef PELK_TABLE_HTML_HTML_DIAGRAM_H
#define PELK_TABLE_HTML_HTML_DIAGRAM_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/html/html_page.h"

class CTableModel;

/// CHtmlDiagram is where the page gets its diagram: the machine's DOT, as
/// `pelk-table dot` draws it (folded, grouped, and cut down to the size every view
/// keeps: CMachineGraph::kMaxStates and kMaxEdges) with ids on its nodes,
/// edges and boxes, laid out as SVG by Graphviz, the cells each arrow stands
/// for (every state's of a group for a group's arrow), the boxes with their
/// states, and the folds and groups in words;
/// or the reason why the page has none (no Graphviz in this build, or
/// nothing left to draw).
class CHtmlDiagram {
public:
    /// The whole machine; note says why it is cut down, when it is.
    static PAGE_DIAGRAM_ draw(const CTableModel& model, const std::vector<FINDING_>& findings);
};

#endif
