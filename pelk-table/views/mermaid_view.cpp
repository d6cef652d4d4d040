#include "pelk-table/views/mermaid_view.h"

#include <sstream>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/view_text.h"

namespace {

std::string stateId(const CMachineGraph& graph, int state) {
    return (graph.isInvalid(state) ? "invalid" : "s") + std::to_string(state);
}

// Several lines in one label.
std::string lines(const CMachineGraph& graph, const std::vector<VIEW_CALL_>& calls) {
    std::string text;
    for (size_t i = 0; i < calls.size(); ++i)
        text += (i == 0 ? "" : "<br>") + CMermaidView::escaped(graph.callText(calls[i]));
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

std::string CMermaidView::write(const CTableModel& model, const std::vector<FINDING_>& findings) {
    const CMachineGraph graph(model, findings);
    const int stateCount = static_cast<int>(graph.states().size());
    std::ostringstream out;
    out << "stateDiagram-v2\n";
    bool unreachable = false, trap = false;
    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        out << "    state \"" << escaped(state.name) << " (" << s << ")\" as " << stateId(graph, s) << "\n";
        for (const VIEW_CALL_& call : state.internal)
            out << "    " << stateId(graph, s) << " : " << escaped(graph.callText(call)) << "\n";
        unreachable = unreachable || state.unreachable;
        trap = trap || state.trap;
    }
    for (int target : graph.invalidTargets())
        out << "    state \"" << target << ": no such state\" as " << stateId(graph, target) << "\n";

    if (stateCount > 0)
        out << "    [*] --> s0\n";
    for (const VIEW_EDGE_& edge : graph.edges())
        out << "    " << stateId(graph, edge.from) << " --> " << stateId(graph, edge.to) << " : "
            << lines(graph, edge.calls) << "\n";

    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
        if (state.reasons.empty())
            continue;
        out << "    note right of " << stateId(graph, s) << "\n";
        for (const std::string& reason : state.reasons)
            out << "        " << escaped(reason) << "\n";
        out << "    end note\n";
    }

    if (trap)
        out << "    classDef trap stroke:#cd6600,stroke-width:3px,color:#cd6600\n";
    if (unreachable)
        out << "    classDef unreachable stroke:#737373,stroke-dasharray:5 5,color:#737373\n";
    if (!graph.invalidTargets().empty())
        out << "    classDef invalid stroke:#cd0000,stroke-dasharray:5 5,color:#cd0000\n";
    for (int s = 0; s < stateCount; ++s) {
        const VIEW_STATE_& state = graph.states()[static_cast<size_t>(s)];
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
