#ifndef PELK_TABLE_VIEWS_MERMAID_VIEW_H
#define PELK_TABLE_VIEWS_MERMAID_VIEW_H

#include <ostream>
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
/// folded transitions leave a state "any state" (anyState). A group of
/// states is a composite state (group0, ...) around its states, and the
/// transitions its states share leave it; those into one of its own states
/// leave its state "any state in NAME" (anyGroup0, ...) inside it, which also
/// lists the shared cells without transition (a composite state takes no
/// description). Mermaid draws no transition between the states of two
/// composite states of which neither holds the other: where the drawing
/// would, the groups involved in most such transitions are drawn flat
/// (CMachineGraph::flatten()), one at a time until none is left, and a
/// comment names them. The text stays within kMaxText: a larger drawing is
/// cut down (CMachineGraph::shrink()) until it fits, and a note says so.
class CMermaidView {
public:
    /// Mermaid's default limit of the text of a diagram (maxTextSize), in
    /// characters; counted here in bytes, which are never fewer.
    static constexpr size_t kMaxText = 50000;

    static std::string write(const CTableModel& model, const std::vector<FINDING_>& findings,
                             const VIEW_OPTIONS_& options = VIEW_OPTIONS_());
    /// The diagram of graph within kMaxText, graph cut down and its groups
    /// flattened as far as needed.
    static std::string fitted(CMachineGraph& graph);
    /// The diagram of graph, whatever its size (a copy flattened as needed).
    static std::string write(const CMachineGraph& graph);
    /// Flattens the groups of graph that Mermaid cannot draw as composite
    /// states.
    static void flattenCrossings(CMachineGraph& graph);

    /// text with every character that Mermaid reads as syntax or as HTML
    /// written as an entity code (`#quot;`, `#lt;`, `#35;`, ...).
    static std::string escaped(const std::string& text);

private:
    static int crossing(const CMachineGraph& graph);
    static int placeOf(const CMachineGraph& graph, const VIEW_EDGE_& edge, bool from);
    static bool holds(const CMachineGraph& graph, int outer, int inner);
    static bool hasGroupState(const CMachineGraph& graph, int g);
    static std::string text(const CMachineGraph& graph);
    static void writeScope(std::ostream& out, const CMachineGraph& graph, int box, const std::string& indent);
    static void writeEdges(std::ostream& out, const CMachineGraph& graph);
};

#endif
