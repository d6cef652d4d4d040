#include "pelk-table/views/machine_graph.h"

#include <algorithm>
#include <map>

#include "pelk-table/model/table_model.h"
#include "pelk-table/views/view_text.h"

namespace {

bool samePlace(const PLACE_& a, const PLACE_& b) {
    return a.line == b.line && a.column == b.column;
}

// The finding's message and its notes; a note at the finding's own place
// does not repeat the cell.
std::string reasonOf(const FINDING_& finding) {
    std::string reason = finding.message;
    for (const NOTE_& note : finding.notes) {
        std::string message = note.message;
        const std::string cell = " (cell " + note.place.cell + ")";
        if (samePlace(note.place, finding.place) && message.size() > cell.size() &&
            message.compare(message.size() - cell.size(), cell.size(), cell) == 0)
            message.erase(message.size() - cell.size());
        reason += ": " + message;
    }
    return reason;
}

}  // namespace

CMachineGraph::CMachineGraph(const CTableModel& model, const std::vector<FINDING_>& findings) {
    const CSTTable& table = model.table();
    const int stateCount = table.stateCount();
    const int eventCount = table.eventCount();
    for (int e = 0; e < eventCount; ++e)
        m_events.push_back(CViewText::clean(table.eventName(e)));

    for (int s = 0; s < stateCount; ++s) {
        VIEW_STATE_ state;
        state.name = CViewText::clean(table.stateName(s));
        std::map<int, std::vector<VIEW_CALL_>> byTarget;
        for (int e = 0; e < eventCount; ++e) {
            VIEW_CALL_ call{e, {}};
            for (const std::string& action : *table.cellActions(e, s)) {
                if (!table.isNopAction(action))
                    call.actions.push_back(CViewText::clean(action));
            }
            const int next = table.nextState(e, s);
            if (next >= 0)
                byTarget[next].push_back(call);
            else if (!call.actions.empty())
                state.internal.push_back(call);
        }
        for (auto& target : byTarget) {
            m_edges.push_back({s, target.first, std::move(target.second)});
            if (target.first >= stateCount)
                m_invalidTargets.push_back(target.first);
        }

        const PLACE_ place = model.stateNamePlace(s);
        for (const FINDING_& finding : findings) {
            const bool unreachable = finding.check == "unreachable-state";
            const bool trap = finding.check == "trap-state";
            if ((!unreachable && !trap) || !samePlace(finding.place, place))
                continue;
            state.unreachable = state.unreachable || unreachable;
            state.trap = state.trap || trap;
            state.reasons.push_back(reasonOf(finding));
        }
        m_states.push_back(std::move(state));
    }
    std::sort(m_invalidTargets.begin(), m_invalidTargets.end());
    m_invalidTargets.erase(std::unique(m_invalidTargets.begin(), m_invalidTargets.end()), m_invalidTargets.end());
}

std::string CMachineGraph::callText(const VIEW_CALL_& call) const {
    std::string text = m_events[static_cast<size_t>(call.event)];
    for (size_t i = 0; i < call.actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + call.actions[i];
    return text;
}
