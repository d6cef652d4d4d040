#ifndef PELK_TABLE_VIEWS_DOT_VIEW_H
#define PELK_TABLE_VIEWS_DOT_VIEW_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/views/machine_graph.h"

class CTableModel;

/// CDotView draws a table as a Graphviz DOT graph: a node per state, its
/// internal transitions inside it (a record: name above, transitions below),
/// an edge per pair of states labelled with the events and actions, the
/// folded transitions as dashed edges from a dashed node "any state", the
/// initial state marked by an arrow from a point, next states that do not
/// exist as red nodes, and the states that check finds unreachable or
/// trapping styled apart with the reason as a tooltip. A group of states
/// (CMachineGraph::groups()) is a cluster around its states, labelled with
/// its name; each transition its states share is one edge that leaves the
/// cluster (compound, ltail), but one into a state of the group itself, which
/// Graphviz would not cut at the cluster, leaves a dashed node "any state in
/// NAME" inside it instead, which also lists the shared cells without
/// transition. A neighbourhood draws its state in bold; a drawing cut down
/// to size says why in its label. The same model, findings and options give
/// the same bytes.
///
/// The drawing for the page also gives every node, edge and cluster an `id`
/// attribute, which Graphviz copies to the SVG element (`<g id=...>`), so
/// that the page finds them without reading their titles.
class CDotView {
public:
    /// The initial point, for nodeElementId() and edgeElementId().
    static constexpr int kStartPoint = -2;

    static std::string write(const CTableModel& model, const std::vector<FINDING_>& findings,
                             const VIEW_OPTIONS_& options = VIEW_OPTIONS_());
    /// The drawing of graph, made from model; with elementIds, every node
    /// and edge carries the id that nodeElementId() and edgeElementId() give.
    static std::string write(const CTableModel& model, const CMachineGraph& graph, bool elementIds = false);
    /// The id of the node of state s (also a state past the last one), of
    /// "any state" (CMachineGraph::kAnyState) or of the initial point
    /// (kStartPoint): "node-3", "node-any", "node-start".
    static std::string nodeElementId(int s);
    /// The id of the edge graph.edges()[index], or of the arrow from the
    /// initial point (kStartPoint): "edge-0", "edge-start".
    static std::string edgeElementId(int index);
    /// The id of the cluster of group g ("box-0") and of its node "any state
    /// in NAME" ("node-box-0").
    static std::string boxElementId(int g);
    static std::string boxNodeElementId(int g);

    /// text as a DOT ID: bare when DOT takes it so (a letter or `_` or a
    /// non-ASCII byte, then also digits, and not a keyword), else quoted.
    static std::string id(const std::string& text);
    /// text in double quotes, escaped.
    static std::string quoted(const std::string& text);
    /// text for a label in a quoted DOT string: `"` and `\` escaped, and `&`
    /// written `&amp;`, since Graphviz decodes entities in labels. `<` and
    /// `>` need no escape there: only an ID in angle brackets is HTML.
    static std::string escaped(const std::string& text);
    /// text for a tooltip in a quoted DOT string, which Graphviz reads
    /// through one more level of backslashes than a label.
    static std::string tooltipEscaped(const std::string& text);
    /// text escaped for a field of a record label, which also reads `{`,
    /// `}`, `|`, `<` and `>` as syntax.
    static std::string recordEscaped(const std::string& text);
};

#endif
