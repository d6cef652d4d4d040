#ifndef PELK_TABLE_VIEWS_MERMAID_VIEW_H
#define PELK_TABLE_VIEWS_MERMAID_VIEW_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/views/machine_graph.h"

class CTableModel;

/// CMermaidView draws a table as a Mermaid stateDiagram-v2, which code hosts
/// render inside Markdown. It follows CDotView as far as Mermaid can: the
/// states get the ids s0, s1, ... with their names and numbers as labels,
/// internal transitions are lines of the state's description, next states
/// that do not exist are states of their own (invalid5, ...), and the
/// warnings of check are a style class and a note with the reason. The
/// folded transitions leave a state "any state" (anyState). The text stays
/// within kMaxText: a larger drawing is cut down (CMachineGraph::shrink())
/// until it fits, and a note says so.
class CMermaidView {
public:
    /// Mermaid's default limit of the text of a diagram (maxTextSize), in
    /// characters; counted here in bytes, which are never fewer.
    static constexpr size_t kMaxText = 50000;

    static std::string write(const CTableModel& model, const std::vector<FINDING_>& findings,
                             const VIEW_OPTIONS_& options = VIEW_OPTIONS_());
    /// The diagram of graph within kMaxText, graph cut down as far as needed.
    static std::string fitted(CMachineGraph& graph);
    /// The diagram of graph, whatever its size.
    static std::string write(const CMachineGraph& graph);

    /// text with every character that Mermaid reads as syntax or as HTML
    /// written as an entity code (`#quot;`, `#lt;`, `#35;`, ...).
    static std::string escaped(const std::string& text);
};

#endif
