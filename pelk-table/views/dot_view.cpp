#include "pelk-table/views/dot_view.h"

#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "pelk-table/model/table_model.h"
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
    if (graph.shownStates() > 0 && graph.shown(0))
        out << "  " << kStartId << " [shape=point, style=filled, width=0.15, tooltip=\"initial state\""
            << nodeAttribute(kStartPoint) << "]\n";
    if (graph.hasAnyState())
        out << "  " << kAnyId
            << " [label=\"any state\", style=\"rounded,dashed\", tooltip=\"the transitions that most states share, "
               "drawn once\""
            << nodeAttribute(CMachineGraph::kAnyState) << "]\n";

    const int focus = graph.scope().empty() ? -1 : graph.focus();
    for (size_t s = 0; s < graph.states().size(); ++s) {
        if (!graph.shown(static_cast<int>(s)))
            continue;
        const VIEW_STATE_& state = graph.states()[s];
        const std::string title = graph.title(static_cast<int>(s));
        out << "  " << id(ids[s]);
        if (state.internal.empty()) {
            out << " [label=" << label({title});
        } else {
            // A record of two fields, stacked: the name, then the internal
            // transitions, one left-aligned line each.
            out << " [shape=Mrecord, label=\"" << recordEscaped(title) << "|";
            for (const VIEW_CALL_& call : state.internal)
                out << recordEscaped(graph.callText(call)) << "\\l";
            out << "\"";
        }
        std::string style = state.unreachable ? "rounded,dashed" : "";
        if (static_cast<int>(s) == focus)
            style = style.empty() ? "rounded,bold" : style + ",bold";
        if (!style.empty())
            out << ", style=\"" << style << "\"";
        if (state.trap)
            out << ", color=" << kWarningColor << ", fontcolor=" << kWarningColor << ", penwidth=2";
        else if (state.unreachable)
            out << ", color=" << kUnreachableColor << ", fontcolor=" << kUnreachableColor;
        if (!state.reasons.empty())
            out << ", tooltip=" << tooltip(state.reasons);
        out << nodeAttribute(static_cast<int>(s)) << "]\n";
    }
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
            const std::vector<std::string> more = graph.callLines(call, any);
            lines.insert(lines.end(), more.begin(), more.end());
        }
        const bool invalid = graph.isInvalid(edge.to);
        out << "  " << nodeId(edge.from) << " -> " << nodeId(edge.to)
            << " [label=" << (any ? leftLabel(lines) : label(lines));
        if (any)
            out << ", style=dashed";
        if (invalid)
            out << ", color=" << kInvalidColor << ", fontcolor=" << kInvalidColor;
        out << idAttribute(edgeElementId(static_cast<int>(index))) << "]\n";
    }
    out << "}\n";
    return out.str();
}
