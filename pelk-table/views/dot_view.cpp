#include "pelk-table/views/dot_view.h"

#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/graph_words.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/view_text.h"

namespace {

const char kStartId[] = "__start";
const char kAnyId[] = "__any";
const char kWarningColor[] = "darkorange3";
const char kUnreachableColor[] = "gray45";
const char kInvalidColor[] = "red3";

std::string invalidId(int state) {
    return "__invalid" + std::to_string(state);
}

// The node "any state in NAME" of group g, and its box.
std::string groupNodeId(int g) {
    return "__group" + std::to_string(g);
}

std::string clusterId(int g) {
    return "cluster_group" + std::to_string(g);
}

bool isKeyword(const std::string& text) {
    static const char* const kKeywords[] = {"node", "edge", "graph", "digraph", "subgraph", "strict"};
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* keyword : kKeywords) {
        if (lower == keyword)
            return true;
    }
    return false;
}

// The node ID of each state: its name where that is unique among the states,
// not one of the IDs of the drawing's own nodes and free of what Graphviz
// would rewrite in the SVG titles (`&`, `\`, `"`), else the name (or "state"
// for such a name) followed by "#" and the state's number (repeated until the
// ID is free).
std::vector<std::string> stateIds(const CMachineGraph& graph) {
    std::set<std::string> used{kStartId, kAnyId};
    for (int target : graph.invalidTargets())
        used.insert(invalidId(target));
    for (size_t g = 0; g < graph.groups().size(); ++g)
        used.insert(groupNodeId(static_cast<int>(g)));
    std::map<std::string, int> uses;
    for (const VIEW_STATE_& state : graph.states())
        ++uses[state.name];

    std::vector<std::string> ids;
    for (size_t s = 0; s < graph.states().size(); ++s) {
        const std::string& name = graph.states()[s].name;
        const bool plain = name.find_first_of("&\\\"") == std::string::npos;
        std::string id = plain ? name : "state";
        if (!plain || name.empty() || uses[name] > 1 || used.count(name) != 0) {
            do
                id += "#" + std::to_string(s);
            while (used.count(id) != 0);
        }
        used.insert(id);
        ids.push_back(id);
    }
    return ids;
}

// A label of several lines, centred: "\n" between them.
std::string label(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\\n") + CDotView::escaped(lines[i]);
    return "\"" + text + "\"";
}

// A label of several lines, each left-aligned: those of a folded edge, whose
// lists of exceptions are indented under their events.
std::string leftLabel(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += CDotView::escaped(line) + "\\l";
    return "\"" + text + "\"";
}

// A tooltip of several lines.
std::string tooltip(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\\n") + CDotView::tooltipEscaped(lines[i]);
    return "\"" + text + "\"";
}

// The node of state s: its name and number, with its internal transitions
// below them in a record; its style says what check found.
std::string stateNode(const CMachineGraph& graph, const std::string& nodeId, int s, int focus,
                      const std::string& attribute) {
    std::ostringstream out;
    const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
    const std::string title = graph.title(s);
    const std::vector<VIEW_CALL_> internal = graph.internalOf(s);
    out << nodeId;
    if (internal.empty()) {
        out << " [label=" << label({title});
    } else {
        // A record of two fields, stacked: the name, then the internal
        // transitions, one left-aligned line each.
        out << " [shape=Mrecord, label=\"" << CDotView::recordEscaped(title) << "|";
        for (const VIEW_CALL_& call : internal)
            out << CDotView::recordEscaped(graph.callText(call)) << "\\l";
        out << "\"";
    }
    std::string style = state.unreachable ? "rounded,dashed" : "";
    if (s == focus)
        style = style.empty() ? "rounded,bold" : style + ",bold";
    if (!style.empty())
        out << ", style=\"" << style << "\"";
    if (state.trap)
        out << ", color=" << kWarningColor << ", fontcolor=" << kWarningColor << ", penwidth=2";
    else if (state.unreachable)
        out << ", color=" << kUnreachableColor << ", fontcolor=" << kUnreachableColor;
    if (!state.reasons.empty())
        out << ", tooltip=" << tooltip(state.reasons);
    out << attribute << "]";
    return out.str();
}

// The node "any state in NAME" of group g, drawn when the group shares
// transitions without a transition (listed in it, as a state's) or into one
// of its own states (which leave it); empty when it has neither.
std::string groupNode(const CMachineGraph& graph, int g, const std::string& attribute) {
    const VIEW_GROUP_& group = graph.groups()[static_cast<size_t>(g)];
    bool inward = false;
    for (const VIEW_EDGE_& edge : graph.edges())
        inward = inward || (edge.from == CMachineGraph::kGroupBox && edge.group == g && graph.inGroup(g, edge.to));
    if (!inward && group.internal.empty())
        return "";
    const std::string title = "any state in " + group.name;
    std::ostringstream out;
    out << groupNodeId(g);
    if (group.internal.empty()) {
        out << " [label=" << label({title});
    } else {
        out << " [shape=Mrecord, label=\"" << CDotView::recordEscaped(title) << "|";
        for (const VIEW_CALL_& call : group.internal)
            out << CDotView::recordEscaped(graph.callText(call)) << "\\l";
        out << "\"";
    }
    out << ", style=\"rounded,dashed\", tooltip=\"what every state in the box does, drawn once\"" << attribute << "]";
    return out.str();
}

// The nodes inside box (-1: the whole graph) in the order of their states,
// each box inside it where its first drawn state comes.
// With elementIds, each node, box and node of a box carries its element id.
void writeScope(std::ostream& out, const CMachineGraph& graph, const std::vector<std::string>& ids,
                const std::vector<std::string>& sentences, bool elementIds, int box, int focus,
                const std::string& indent) {
    const auto attribute = [&](const std::string& elementId) {
        return elementIds ? ", id=" + CDotView::quoted(elementId) : std::string();
    };
    for (int s = 0; s < static_cast<int>(graph.states().size()); ++s) {
        if (!graph.shown(s))
            continue;
        int inner = graph.boxOf(s);
        if (inner == box) {
            out << indent
                << stateNode(graph, CDotView::id(ids[static_cast<size_t>(s)]), s, focus,
                             attribute(CDotView::nodeElementId(s)))
                << "\n";
            continue;
        }
        while (inner >= 0 && graph.boxAround(inner) != box)
            inner = graph.boxAround(inner);
        if (inner < 0 || graph.firstShown(inner) != s)
            continue;
        const std::string more = indent + "  ";
        out << indent << "subgraph " << clusterId(inner) << " {\n";
        out << more << "label=" << label({graph.groups()[static_cast<size_t>(inner)].name}) << "\n";
        out << more << "labeljust=l\n" << more << "fontname=\"Helvetica,Arial,sans-serif\"\n";
        out << more << "fontsize=11\n" << more << "style=rounded\n" << more << "color=gray45\n";
        out << more << "tooltip=" << tooltip({sentences[static_cast<size_t>(inner)]}) << "\n";
        if (elementIds)
            out << more << "id=" << CDotView::quoted(CDotView::boxElementId(inner)) << "\n";
        writeScope(out, graph, ids, sentences, elementIds, inner, focus, more);
        const std::string node = groupNode(graph, inner, attribute(CDotView::boxNodeElementId(inner)));
        if (!node.empty())
            out << more << node << "\n";
        out << indent << "}\n";
    }
}

}  // namespace

std::string CDotView::id(const std::string& text) {
    bool bare = !text.empty() && !isKeyword(text);
    for (size_t i = 0; bare && i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        bare = std::isalpha(c) || c == '_' || c >= 0x80 || (i > 0 && std::isdigit(c));
    }
    return bare ? text : quoted(text);
}

std::string CDotView::escaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '"' || c == '\\')
            result += '\\';
        if (c == '&')
            result += "&amp;";
        else
            result += c;
    }
    return result;
}

std::string CDotView::tooltipEscaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '"')
            result += "\\\"";
        else if (c == '\\')
            result += "\\\\\\\\";
        else if (c == '&')
            result += "&amp;";
        else
            result += c;
    }
    return result;
}

std::string CDotView::recordEscaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '"' || c == '\\' || c == '{' || c == '}' || c == '|' || c == '<' || c == '>')
            result += '\\';
        if (c == '&')
            result += "&amp;";
        else
            result += c;
    }
    return result;
}

std::string CDotView::quoted(const std::string& text) {
    std::string result = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

std::string CDotView::nodeElementId(int s) {
    if (s == CMachineGraph::kAnyState)
        return "node-any";
    return s == kStartPoint ? "node-start" : "node-" + std::to_string(s);
}

std::string CDotView::boxElementId(int g) {
    return "box-" + std::to_string(g);
}

std::string CDotView::boxNodeElementId(int g) {
    return "node-box-" + std::to_string(g);
}

std::string CDotView::edgeElementId(int index) {
    return index == kStartPoint ? "edge-start" : "edge-" + std::to_string(index);
}

std::string CDotView::write(const CTableModel& model, const std::vector<FINDING_>& findings,
                            const VIEW_OPTIONS_& options) {
    return write(model, CMachineGraph(model, findings, options));
}

std::string CDotView::write(const CTableModel& model, const CMachineGraph& graph, bool elementIds) {
    const std::vector<std::string> ids = stateIds(graph);
    // The attribute that names a node's or an edge's SVG element, after the
    // others; nothing without elementIds.
    const auto idAttribute = [&](const std::string& elementId) {
        return elementIds ? ", id=" + quoted(elementId) : std::string();
    };
    const auto nodeAttribute = [&](int s) { return idAttribute(nodeElementId(s)); };
    const std::string file = CViewText::clean(CViewText::fileName(model.path()));
    std::string graphName = file.substr(0, file.rfind('.'));
    if (graphName.empty())
        graphName = file;
    const auto nodeId = [&](int s) {
        if (s == CMachineGraph::kAnyState)
            return std::string(kAnyId);
        return graph.isInvalid(s) ? invalidId(s) : id(ids[static_cast<size_t>(s)]);
    };

    std::ostringstream out;
    out << "// " << file << ", drawn by pelk-table dot";
    if (!graph.scope().empty())
        out << ": " << graph.scope();
    out << "\n";
    out << "digraph " << id(graphName) << " {\n";
    out << "  rankdir=LR\n";
    if (!graph.note().empty()) {
        out << "  labelloc=t\n  labeljust=l\n  fontname=\"Helvetica,Arial,sans-serif\"\n  fontsize=12\n";
        out << "  label=" << leftLabel(CViewText::wrapped(graph.note(), 90)) << "\n";
    }
    out << "  node [shape=box, style=rounded, fontname=\"Helvetica,Arial,sans-serif\", fontsize=11]\n";
    out << "  edge [fontname=\"Helvetica,Arial,sans-serif\", fontsize=10]\n";
    // Clusters are ranked with the rest of the graph (newrank): Graphviz's
    // older ranking of clusters, in the library of Debian 12 (2.43), frees
    // parts of the layout twice when the layout is freed, which kills an
    // in-process render (dot --format=svg, the page) of most graphs with
    // clusters.
    bool boxes = false;
    for (size_t g = 0; g < graph.groups().size(); ++g)
        boxes = boxes || graph.boxShown(static_cast<int>(g));
    if (boxes)
        out << "  newrank=true\n";
    for (const VIEW_EDGE_& edge : graph.edges()) {
        if (edge.from == CMachineGraph::kGroupBox && !graph.inGroup(edge.group, edge.to)) {
            out << "  compound=true\n";
            break;
        }
    }
    if (graph.shownStates() > 0 && graph.shown(0))
        out << "  " << kStartId << " [shape=point, style=filled, width=0.15, tooltip=\"initial state\""
            << nodeAttribute(kStartPoint) << "]\n";
    if (graph.hasAnyState())
        out << "  " << kAnyId
            << " [label=\"any state\", style=\"rounded,dashed\", tooltip=\"the transitions that most states share, "
               "drawn once\""
            << nodeAttribute(CMachineGraph::kAnyState) << "]\n";

    const int focus = graph.scope().empty() ? -1 : graph.focus();
    writeScope(out, graph, ids, CGraphWords::groupSentences(graph), elementIds, -1, focus, "  ");
    const int lastState = static_cast<int>(graph.states().size()) - 1;
    for (int target : graph.invalidTargets()) {
        out << "  " << invalidId(target) << " [label=\"" << target
            << ": no such state\", style=\"dashed,bold\", color=" << kInvalidColor << ", fontcolor=" << kInvalidColor
            << ", tooltip=\"next state " << target << " is past the last state, " << lastState << "\""
            << nodeAttribute(target) << "]\n";
    }

    if (graph.shownStates() > 0 && graph.shown(0))
        out << "  " << kStartId << " -> " << id(ids[0])
            << (elementIds ? " [id=" + quoted(edgeElementId(kStartPoint)) + "]" : "") << "\n";
    for (size_t index = 0; index < graph.edges().size(); ++index) {
        const VIEW_EDGE_& edge = graph.edges()[index];
        const bool any = edge.from == CMachineGraph::kAnyState;
        std::vector<std::string> lines;
        for (const VIEW_CALL_& call : edge.calls) {
            const std::vector<std::string> more = CGraphWords::callLines(graph, call, any);
            lines.insert(lines.end(), more.begin(), more.end());
        }
        const bool invalid = graph.isInvalid(edge.to);
        // A group's transition leaves its box, drawn as an edge from its
        // first state cut at the box (ltail). Graphviz cannot cut an edge
        // into a state inside the box; such a transition leaves the group's
        // node "any state in NAME" instead.
        std::string tail, cut;
        if (edge.from != CMachineGraph::kGroupBox) {
            tail = nodeId(edge.from);
        } else if (graph.inGroup(edge.group, edge.to)) {
            tail = groupNodeId(edge.group);
        } else {
            tail = nodeId(graph.firstShown(edge.group));
            cut = ", ltail=" + clusterId(edge.group);
        }
        out << "  " << tail << " -> " << nodeId(edge.to) << " [label=" << (any ? leftLabel(lines) : label(lines))
            << cut;
        if (any)
            out << ", style=dashed";
        if (invalid)
            out << ", color=" << kInvalidColor << ", fontcolor=" << kInvalidColor;
        out << idAttribute(edgeElementId(static_cast<int>(index))) << "]\n";
    }
    out << "}\n";
    return out.str();
}
