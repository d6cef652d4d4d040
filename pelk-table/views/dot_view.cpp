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

// The node ID of each state: its name where that is unique among the states
// and not one of the IDs of the drawing's own nodes, else the name followed by
// "#" and the state's number (repeated until the ID is free).
std::vector<std::string> stateIds(const CMachineGraph& graph) {
    std::set<std::string> used{kStartId};
    for (int target : graph.invalidTargets())
        used.insert(invalidId(target));
    std::map<std::string, int> uses;
    for (const VIEW_STATE_& state : graph.states())
        ++uses[state.name];

    std::vector<std::string> ids;
    for (size_t s = 0; s < graph.states().size(); ++s) {
        const std::string& name = graph.states()[s].name;
        std::string id = name;
        if (name.empty() || uses[name] > 1 || used.count(name) != 0) {
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
        result += c;
    }
    return result;
}

std::string CDotView::recordEscaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '"' || c == '\\' || c == '{' || c == '}' || c == '|' || c == '<' || c == '>')
            result += '\\';
        result += c;
    }
    return result;
}

std::string CDotView::quoted(const std::string& text) {
    return "\"" + escaped(text) + "\"";
}

std::vector<std::string> CDotView::nodeNames(const CTableModel& model, const std::vector<FINDING_>& findings) {
    return stateIds(CMachineGraph(model, findings));
}

std::string CDotView::write(const CTableModel& model, const std::vector<FINDING_>& findings) {
    const CMachineGraph graph(model, findings);
    const std::vector<std::string> ids = stateIds(graph);
    const std::string file = CViewText::clean(CViewText::fileName(model.path()));
    std::string graphName = file.substr(0, file.rfind('.'));
    if (graphName.empty())
        graphName = file;

    std::ostringstream out;
    out << "// " << file << ", drawn by pelk-table dot\n";
    out << "digraph " << id(graphName) << " {\n";
    out << "  rankdir=LR\n";
    out << "  node [shape=box, style=rounded, fontname=\"Helvetica,Arial,sans-serif\", fontsize=11]\n";
    out << "  edge [fontname=\"Helvetica,Arial,sans-serif\", fontsize=10]\n";
    if (!graph.states().empty())
        out << "  " << kStartId << " [shape=point, style=filled, width=0.15, tooltip=\"initial state\"]\n";

    for (size_t s = 0; s < graph.states().size(); ++s) {
        const VIEW_STATE_& state = graph.states()[s];
        const std::string title = state.name + " (" + std::to_string(s) + ")";
        out << "  " << id(ids[s]);
        if (state.internal.empty()) {
            out << " [label=" << quoted(title);
        } else {
            // A record of two fields, stacked: the name, then the internal
            // transitions, one left-aligned line each.
            out << " [shape=Mrecord, label=\"" << recordEscaped(title) << "|";
            for (const VIEW_CALL_& call : state.internal)
                out << recordEscaped(graph.callText(call)) << "\\l";
            out << "\"";
        }
        if (state.unreachable)
            out << ", style=\"rounded,dashed\"";
        if (state.trap)
            out << ", color=" << kWarningColor << ", fontcolor=" << kWarningColor << ", penwidth=2";
        else if (state.unreachable)
            out << ", color=" << kUnreachableColor << ", fontcolor=" << kUnreachableColor;
        if (!state.reasons.empty())
            out << ", tooltip=" << label(state.reasons);
        out << "]\n";
    }
    const int lastState = static_cast<int>(graph.states().size()) - 1;
    for (int target : graph.invalidTargets()) {
        out << "  " << invalidId(target) << " [label=\"" << target
            << ": no such state\", style=\"dashed,bold\", color=" << kInvalidColor << ", fontcolor=" << kInvalidColor
            << ", tooltip=\"next state " << target << " is past the last state, " << lastState << "\"]\n";
    }

    if (!graph.states().empty())
        out << "  " << kStartId << " -> " << id(ids[0]) << "\n";
    for (const VIEW_EDGE_& edge : graph.edges()) {
        std::vector<std::string> lines;
        for (const VIEW_CALL_& call : edge.calls)
            lines.push_back(graph.callText(call));
        const bool invalid = graph.isInvalid(edge.to);
        out << "  " << id(ids[static_cast<size_t>(edge.from)]) << " -> "
            << (invalid ? invalidId(edge.to) : id(ids[static_cast<size_t>(edge.to)])) << " [label=" << label(lines);
        if (invalid)
            out << ", color=" << kInvalidColor << ", fontcolor=" << kInvalidColor;
        out << "]\n";
    }
    out << "}\n";
    return out.str();
}
