#ifndef PELK_TABLE_HTML_HTML_DIAGRAM_H
#define PELK_TABLE_HTML_HTML_DIAGRAM_H

#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/html/html_page.h"

class CTableModel;

/// CHtmlDiagram is where the page gets its diagram: the machine's DOT laid
/// out as SVG by Graphviz, or the reason why the page has none (no Graphviz
/// in this build, or a table too large to draw legibly).
class CHtmlDiagram {
public:
    /// States and transitions (distinct pairs of state and next state)
    /// above which a drawing turns into a tangle nobody can follow: laid
    /// out by dot, 25 states with 75 labelled arrows can still be followed
    /// arrow by arrow, 40 with 120 cannot.
    static constexpr int kMaxStates = 30;
    static constexpr int kMaxEdges = 90;

    static PAGE_DIAGRAM_ draw(const CTableModel& model, const std::vector<FINDING_>& findings);
};

#endif
