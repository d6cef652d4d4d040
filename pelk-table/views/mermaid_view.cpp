#include "pelk-table/views/mermaid_view.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/graph_words.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/view_text.h"

namespace {

// The id of a state, of a next state that does not exist, of "any state".
std::string stateId(const CMachineGraph& graph, int state) {
    if (state == CMachineGraph::kAnyState)
        return "anyState";
    return (graph.isInvalid(state) ? "invalid" : "s") + std::to_string(state);
}

// The ids of group g's composite state and of its state "any state in NAME".
std::string groupId(int g) {
    return "group" + std::to_string(g);
}

std::string groupStateId(int g) {
    return "anyGroup" + std::to_string(g);
}

// Several lines in one label.
std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "<br>") + CMermaidView::escaped(lines[i]);
    return text;
}

}  // namespace

std::string CMermaidView::escaped(const std::string& text) {
    static const CViewText::ESCAPE_ kEscapes[] = {
        {'"', "#quot;"}, {'#', "#35;"}, {'%', "#37;"}, {'&', "#amp;"},
        {';', "#59;"},   {'<', "#lt;"}, {'>', "#gt;"}, {'`', "#96;"},
    };
    return CViewText::escaped(text, kEscapes, static_cast<int>(sizeof kEscapes / sizeof kEscapes[0]));
}

std::string CMermaidView::write(const CTableModel& model, const std::vector<FINDING_>& findings,
                                const VIEW_OPTIONS_& options) {
    CMachineGraph graph(model, findings, options);
    return fitted(graph);
}

std::string CMermaidView::fitted(CMachineGraph& graph) {
    flattenCrossings(graph);
    std::string text = write(graph);
    while (text.size() > kMaxText && graph.shrink())
        text = write(graph);
    return text;
}

std::string CMermaidView::write(const CMachineGraph& graph) {
    if (crossing(graph) < 0)
        return text(graph);
    CMachineGraph flat = graph;
    flattenCrossings(flat);
    return text(flat);
}

void CMermaidView::flattenCrossings(CMachineGraph& graph) {
    for (int g = crossing(graph); g >= 0; g = crossing(graph))
        graph.flatten(g);
}

// Mermaid draws no transition between the states of two composite states of
// which neither holds the other. Of the boxes that such transitions join,
// the one with the most of them (then the smallest, then the last) is the
// one to draw flat; -1 when there are none.
int CMermaidView::crossing(const CMachineGraph& graph) {
    std::map<int, int> crossings;
    for (const VIEW_EDGE_& edge : graph.edges()) {
        const int from = placeOf(graph, edge, true), to = placeOf(graph, edge, false);
        if (from >= 0 && to >= 0 && !holds(graph, from, to) && !holds(graph, to, from)) {
            ++crossings[from];
            ++crossings[to];
        }
    }
    int worst = -1;
    for (const auto& box : crossings) {
        if (worst < 0 || box.second > crossings[worst] ||
            (box.second == crossings[worst] && graph.groups()[static_cast<size_t>(box.first)].states.size() <=
                                                   graph.groups()[static_cast<size_t>(worst)].states.size()))
            worst = box.first;
    }
    return worst;
}

// The box an end of edge lies in directly (-1 for none): a state's box; for
// a group's transition, the box around the group's composite state, or the
// group's own box for its state "any state in NAME".
int CMermaidView::placeOf(const CMachineGraph& graph, const VIEW_EDGE_& edge, bool from) {
    if (!from)
        return graph.isInvalid(edge.to) ? -1 : graph.boxOf(edge.to);
    if (edge.from == CMachineGraph::kAnyState)
        return -1;
    if (edge.from != CMachineGraph::kGroupBox)
        return graph.boxOf(edge.from);
    return graph.inGroup(edge.group, edge.to) ? edge.group : graph.boxAround(edge.group);
}

// True when box outer is inner or holds it; -1 (the diagram) holds all.
bool CMermaidView::holds(const CMachineGraph& graph, int outer, int inner) {
    for (int box = inner; box >= 0; box = graph.boxAround(box)) {
        if (box == outer)
            return true;
    }
    return outer < 0;
}

// The states directly in box (-1: the diagram), in the order of the states,
// each composite state where its first drawn state comes, then its state
// "any state in NAME".
void CMermaidView::writeScope(std::ostream& out, const CMachineGraph& graph, int box, const std::string& indent) {
    for (int s = 0; s < static_cast<int>(graph.states().size()); ++s) {
        if (!graph.shown(s))
            continue;
        int inner = graph.boxOf(s);
        if (inner == box) {
            out << indent << "state \"" << escaped(graph.title(s)) << "\" as " << stateId(graph, s) << "\n";
            for (const VIEW_CALL_& call : graph.internalOf(s))
                out << indent << stateId(graph, s) << " : " << escaped(graph.callText(call)) << "\n";
            continue;
        }
        while (inner >= 0 && graph.boxAround(inner) != box)
            inner = graph.boxAround(inner);
        if (inner < 0 || graph.firstShown(inner) != s)
            continue;
        const VIEW_GROUP_* group = &graph.groups()[static_cast<size_t>(inner)];
        const std::string more = indent + "    ";
        out << indent << "state \"" << escaped(group->name) << "\" as " << groupId(inner) << " {\n";
        writeScope(out, graph, inner, more);
        if (hasGroupState(graph, inner)) {
            out << more << "state \"" << escaped("any state in " + group->name) << "\" as " << groupStateId(inner)
                << "\n";
            for (const VIEW_CALL_& call : group->internal)
                out << more << groupStateId(inner) << " : " << escaped(graph.callText(call)) << "\n";
        }
        out << indent << "}\n";
    }
}

// True when group g, drawn as a box, draws its state "any state in NAME":
// for the cells without transition its states share, and for its
// transitions into its own states.
bool CMermaidView::hasGroupState(const CMachineGraph& graph, int g) {
    if (!graph.boxShown(g))
        return false;
    bool inward = !graph.groups()[static_cast<size_t>(g)].internal.empty();
    for (const VIEW_EDGE_& edge : graph.edges())
        inward = inward || (edge.from == CMachineGraph::kGroupBox && edge.group == g && graph.inGroup(g, edge.to));
    return inward;
}

// The transitions, all at the top of the diagram: a state named in a
// composite state's block belongs to that composite state, so a transition
// written there would pull the states it joins into it.
void CMermaidView::writeEdges(std::ostream& out, const CMachineGraph& graph) {
    for (const VIEW_EDGE_& edge : graph.edges()) {
        std::string from = stateId(graph, edge.from);
        if (edge.from == CMachineGraph::kGroupBox)
            from = graph.inGroup(edge.group, edge.to) ? groupStateId(edge.group) : groupId(edge.group);
        std::vector<std::string> lines;
        for (const VIEW_CALL_& call : edge.calls) {
            for (const std::string& line : CGraphWords::callLines(graph, call, edge.from == CMachineGraph::kAnyState))
                lines.push_back(line.substr(line.find_first_not_of(' ')));
        }
        out << "    " << from << " --> " << stateId(graph, edge.to) << " : " << joined(lines) << "\n";
    }
}

std::string CMermaidView::text(const CMachineGraph& graph) {
    const int stateCount = static_cast<int>(graph.states().size());
    const int focus = graph.scope().empty() ? -1 : graph.focus();
    std::ostringstream out;
    out << "stateDiagram-v2\n";
    if (!graph.scope().empty())
        out << "    %% " << graph.scope() << "\n";
    for (const VIEW_GROUP_& group : graph.groups()) {
        if (group.flat)
            out << "    %% " << escaped(group.name)
                << " is drawn flat: Mermaid draws no transition between the states of two composite states\n";
    }
    bool unreachable = false, trap = false;
    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        unreachable = unreachable || (graph.shown(s) && state.unreachable);
        trap = trap || (graph.shown(s) && state.trap);
    }
    writeScope(out, graph, -1, "    ");
    for (int target : graph.invalidTargets())
        out << "    state \"" << target << ": no such state\" as " << stateId(graph, target) << "\n";
    if (graph.hasAnyState())
        out << "    state \"any state\" as " << stateId(graph, CMachineGraph::kAnyState) << "\n";
    const bool nothing = graph.shownStates() == 0 && !graph.note().empty();
    if (nothing)
        out << "    state \"nothing drawn\" as nothingDrawn\n";

    if (stateCount > 0 && graph.shown(0))
        out << "    [*] --> s0\n";
    writeEdges(out, graph);

    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        if (state.reasons.empty() || !graph.shown(s))
            continue;
        out << "    note right of " << stateId(graph, s) << "\n";
        for (const std::string& reason : state.reasons)
            out << "        " << escaped(reason) << "\n";
        out << "    end note\n";
    }
    if (!graph.note().empty()) {
        out << "    note left of " << (nothing ? "nothingDrawn" : stateId(graph, std::max(focus, 0))) << "\n";
        for (const std::string& line : CViewText::wrapped(graph.note(), 60))
            out << "        " << escaped(line) << "\n";
        out << "    end note\n";
    }

    std::vector<std::string> dashed;
    if (graph.hasAnyState())
        dashed.push_back(stateId(graph, CMachineGraph::kAnyState));
    for (size_t g = 0; g < graph.groups().size(); ++g) {
        if (hasGroupState(graph, static_cast<int>(g)))
            dashed.push_back(groupStateId(static_cast<int>(g)));
    }
    if (!dashed.empty())
        out << "    classDef any stroke-dasharray:5 5\n";
    if (focus >= 0)
        out << "    classDef focus stroke-width:3px\n";
    if (trap)
        out << "    classDef trap stroke:#cd6600,stroke-width:3px,color:#cd6600\n";
    if (unreachable)
        out << "    classDef unreachable stroke:#737373,stroke-dasharray:5 5,color:#737373\n";
    if (!graph.invalidTargets().empty())
        out << "    classDef invalid stroke:#cd0000,stroke-dasharray:5 5,color:#cd0000\n";
    for (const std::string& id : dashed)
        out << "    class " << id << " any\n";
    if (focus >= 0)
        out << "    class " << stateId(graph, focus) << " focus\n";
    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        if (!graph.shown(s))
            continue;
        // Both classes apply; the later one's colour wins.
        if (state.unreachable)
            out << "    class " << stateId(graph, s) << " unreachable\n";
        if (state.trap)
            out << "    class " << stateId(graph, s) << " trap\n";
    }
    for (int target : graph.invalidTargets())
        out << "    class " << stateId(graph, target) << " invalid\n";
    return out.str();
}
