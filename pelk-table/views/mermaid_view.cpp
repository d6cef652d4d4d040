#include "pelk-table/views/mermaid_view.h"

#include <algorithm>
#include <sstream>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/view_text.h"

namespace {

// The id of a state, of a next state that does not exist, of "any state".
std::string stateId(const CMachineGraph& graph, int state) {
    if (state == CMachineGraph::kAnyState)
        return "anyState";
    return (graph.isInvalid(state) ? "invalid" : "s") + std::to_string(state);
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
    std::string text = write(graph);
    while (text.size() > kMaxText && graph.shrink())
        text = write(graph);
    return text;
}

std::string CMermaidView::write(const CMachineGraph& graph) {
    const int stateCount = static_cast<int>(graph.states().size());
    const int focus = graph.scope().empty() ? -1 : graph.focus();
    std::ostringstream out;
    out << "stateDiagram-v2\n";
    if (!graph.scope().empty())
        out << "    %% " << graph.scope() << "\n";
    bool unreachable = false, trap = false;
    for (int s = 0; s < stateCount; ++s) {
        if (!graph.shown(s))
            continue;
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        out << "    state \"" << escaped(graph.title(s)) << "\" as " << stateId(graph, s) << "\n";
        for (const VIEW_CALL_& call : state.internal)
            out << "    " << stateId(graph, s) << " : " << escaped(graph.callText(call)) << "\n";
        unreachable = unreachable || state.unreachable;
        trap = trap || state.trap;
    }
    for (int target : graph.invalidTargets())
        out << "    state \"" << target << ": no such state\" as " << stateId(graph, target) << "\n";
    if (graph.hasAnyState())
        out << "    state \"any state\" as " << stateId(graph, CMachineGraph::kAnyState) << "\n";
    const bool nothing = graph.shownStates() == 0 && !graph.note().empty();
    if (nothing)
        out << "    state \"nothing drawn\" as nothingDrawn\n";

    if (stateCount > 0 && graph.shown(0))
        out << "    [*] --> s0\n";
    for (const VIEW_EDGE_& edge : graph.edges()) {
        std::vector<std::string> lines;
        for (const VIEW_CALL_& call : edge.calls) {
            const std::vector<std::string> more = graph.callLines(call, edge.from == CMachineGraph::kAnyState);
            for (const std::string& line : more)
                lines.push_back(line.substr(line.find_first_not_of(' ')));
        }
        out << "    " << stateId(graph, edge.from) << " --> " << stateId(graph, edge.to) << " : " << joined(lines)
            << "\n";
    }

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

    if (graph.hasAnyState())
        out << "    classDef any stroke-dasharray:5 5\n";
    if (focus >= 0)
        out << "    classDef focus stroke-width:3px\n";
    if (trap)
        out << "    classDef trap stroke:#cd6600,stroke-width:3px,color:#cd6600\n";
    if (unreachable)
        out << "    classDef unreachable stroke:#737373,stroke-dasharray:5 5,color:#737373\n";
    if (!graph.invalidTargets().empty())
        out << "    classDef invalid stroke:#cd0000,stroke-dasharray:5 5,color:#cd0000\n";
    if (graph.hasAnyState())
        out << "    class " << stateId(graph, CMachineGraph::kAnyState) << " any\n";
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
