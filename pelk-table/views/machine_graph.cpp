#include "pelk-table/views/machine_graph.h"

#include <algorithm>
#include <map>
#include <utility>

#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/views/mermaid_view.h"
#include "pelk-table/views/neighbourhood.h"
#include "pelk-table/views/state_groups.h"
#include "pelk-table/views/view_text.h"

namespace {

bool samePlace(const PLACE_& a, const PLACE_& b) {
    return a.line == b.line && a.column == b.column;
}

// The finding's message and its notes; a note at the finding's own place
// does not repeat the cell.
std::string reasonOf(const FINDING_& finding) {
    std::string reason = CFindingText::withCell(CFindingText::message(finding.message), finding.place);
    for (const NOTE_& note : finding.notes) {
        const std::string message = CFindingText::message(note.message);
        reason += ": " + (samePlace(note.place, finding.place) ? message : CFindingText::withCell(message, note.place));
    }
    return reason;
}

std::string plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::vector<std::string> cleaned(const std::vector<std::string>& names) {
    std::vector<std::string> shown;
    for (const std::string& name : names)
        shown.push_back(CViewText::clean(name));
    return shown;
}

bool covers(const VIEW_FOLD_& fold, int s) {
    return std::binary_search(fold.covered.begin(), fold.covered.end(), s);
}

}  // namespace

CMachineGraph::CMachineGraph(const CTableModel& model, const std::vector<FINDING_>& findings,
                             const VIEW_OPTIONS_& options)
    : m_asked(options),
      m_focus(options.focus),
      m_depth(std::max(1, options.depth)) {
    const CSTTable& table = model.table();
    const int stateCount = table.stateCount();
    const int eventCount = table.eventCount();
    for (int e = 0; e < eventCount; ++e)
        m_events.push_back(CViewText::clean(table.eventName(e)));
    // Every cell's outcome, with the names of its actions cleaned, by state
    // then event.
    std::vector<CELL_OUTCOME_> cells;
    cells.reserve(static_cast<size_t>(stateCount) * static_cast<size_t>(eventCount));
    for (int s = 0; s < stateCount; ++s) {
        m_states.push_back(VIEW_STATE_());
        m_states.back().name = CViewText::clean(table.stateName(s));
        for (int e = 0; e < eventCount; ++e) {
            cells.push_back(CTableRules::outcome(table, s, e));
            cells.back().actions = cleaned(cells.back().actions);
        }
    }
    // The cells drawn from "any state" or from a group's box.
    std::vector<bool> elsewhere(cells.size(), false);
    if (options.fold)
        fold(cells, elsewhere);
    std::vector<VIEW_EDGE_> grouped;
    if (options.group)
        group(cells, elsewhere, grouped);

    std::vector<VIEW_EDGE_> ordinary;
    for (int s = 0; s < stateCount; ++s) {
        VIEW_STATE_& state = m_states[static_cast<size_t>(s)];
        std::map<int, std::vector<VIEW_CALL_>> byTarget;
        for (int e = 0; e < eventCount; ++e) {
            const size_t cell = static_cast<size_t>(s) * static_cast<size_t>(eventCount) + static_cast<size_t>(e);
            const CELL_OUTCOME_& outcome = cells[cell];
            if (elsewhere[cell])
                continue;
            VIEW_CALL_ call{e, outcome.actions, {s}};
            if (outcome.next >= 0)
                byTarget[outcome.next].push_back(call);
            else if (!call.actions.empty())
                state.internal.push_back(call);
        }
        for (auto& target : byTarget)
            ordinary.push_back({s, target.first, std::move(target.second)});

        for (const FINDING_& finding : findings) {
            const bool unreachable = finding.id == kCheckUnreachableState;
            const bool trap = finding.id == kCheckTrapState;
            if ((!unreachable && !trap) || finding.subject.state != s)
                continue;
            state.unreachable = state.unreachable || unreachable;
            state.trap = state.trap || trap;
            state.reasons.push_back(reasonOf(finding));
        }
    }

    std::map<int, std::vector<VIEW_CALL_>> anyByTarget;
    for (const VIEW_FOLD_& f : m_folds)
        anyByTarget[f.to].push_back(f.call);
    for (auto& target : anyByTarget)
        m_allEdges.push_back({kAnyState, target.first, std::move(target.second)});
    m_allEdges.insert(m_allEdges.end(), std::make_move_iterator(grouped.begin()),
                      std::make_move_iterator(grouped.end()));
    m_allEdges.insert(m_allEdges.end(), std::make_move_iterator(ordinary.begin()),
                      std::make_move_iterator(ordinary.end()));

    if (m_focus >= stateCount)
        m_focus = -1;
    select();
    fit();
}

// For each event, the most common pair of next state and actions among the
// cells that make a transition to an existing state; the lowest next state
// wins a tie. The cells folded are drawn elsewhere.
void CMachineGraph::fold(const std::vector<CELL_OUTCOME_>& cells, std::vector<bool>& elsewhere) {
    const int stateCount = static_cast<int>(m_states.size());
    const size_t eventCount = m_events.size();
    for (size_t e = 0; e < eventCount; ++e) {
        std::map<std::pair<int, std::vector<std::string>>, std::vector<int>> groups;
        for (int s = 0; s < stateCount; ++s) {
            const CELL_OUTCOME_& outcome = cells[static_cast<size_t>(s) * eventCount + e];
            if (!outcome.transition() || outcome.next >= stateCount)
                continue;
            groups[{outcome.next, outcome.actions}].push_back(s);
        }
        const auto best = std::max_element(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
            return a.second.size() < b.second.size();
        });
        if (best == groups.end())
            continue;
        const int count = static_cast<int>(best->second.size());
        if (count < kFoldMinStates || 3 * count < 2 * stateCount)
            continue;
        VIEW_FOLD_ fold{
            {static_cast<int>(e), best->first.second, best->second}, best->first.first, best->second, {}, {}};
        for (int s = 0; s < stateCount; ++s) {
            const size_t cell = static_cast<size_t>(s) * eventCount + e;
            if (covers(fold, s))
                elsewhere[cell] = true;
            else
                (cells[cell].doesSomething() ? fold.other : fold.idle).push_back(s);
        }
        m_folds.push_back(std::move(fold));
    }
}

// The groups of states among the cells not drawn elsewhere (CStateGroups),
// their edges into edges, ordered by group and next state; the cells they
// draw are drawn elsewhere from then on.
void CMachineGraph::group(const std::vector<CELL_OUTCOME_>& cells, std::vector<bool>& elsewhere,
                          std::vector<VIEW_EDGE_>& edges) {
    const size_t eventCount = m_events.size();
    const CStateGroups found(static_cast<int>(m_states.size()), static_cast<int>(eventCount), cells, elsewhere);
    std::vector<std::vector<std::string>> names;
    for (const STATE_GROUP_& chosen : found.groups()) {
        names.emplace_back();
        for (int s : chosen.states)
            names.back().push_back(m_states[static_cast<size_t>(s)].name);
    }
    const std::vector<std::string> unique = CStateGroups::names(names);

    for (const STATE_GROUP_& chosen : found.groups()) {
        const int g = static_cast<int>(m_groups.size());
        VIEW_GROUP_ view{unique[static_cast<size_t>(g)], chosen.states, chosen.parent, {}, false};
        std::map<int, std::vector<VIEW_CALL_>> byTarget;
        for (const auto& shared : chosen.shared) {
            for (int s : chosen.states)
                elsewhere[static_cast<size_t>(s) * eventCount + static_cast<size_t>(shared.first)] = true;
            const VIEW_CALL_ call{shared.first, shared.second.actions, chosen.states};
            (shared.second.transition() ? byTarget[shared.second.next] : view.internal).push_back(call);
        }
        for (auto& target : byTarget)
            edges.push_back({kGroupBox, target.first, std::move(target.second), g});
        m_groups.push_back(std::move(view));
    }
}

// The states and edges drawn: the whole machine, or the neighbourhood of the
// focus: what it reaches within m_depth transitions and (unless m_outOnly)
// what reaches it so. A folded transition leaves every state it stands for,
// a group's transition every state of the group.
void CMachineGraph::select() {
    const int n = static_cast<int>(m_states.size());
    m_edges.clear();
    m_invalidTargets.clear();
    m_shown.assign(static_cast<size_t>(n), false);
    m_edgeCount = 0;
    if (m_empty) {
        return;
    } else if (m_focus < 0) {
        m_shown.assign(static_cast<size_t>(n), true);
        // A machine too large to draw is cut down at once: no copy of its
        // edges.
        m_edgeCount = m_allEdges.size();
        if (n <= kMaxStates && m_edgeCount <= static_cast<size_t>(kMaxEdges))
            m_edges = m_allEdges;
    } else {
        const CNeighbourhood near(m_allEdges, n, m_focus, m_depth, !m_outOnly);
        m_shown[static_cast<size_t>(m_focus)] = true;
        for (const VIEW_EDGE_& edge : m_allEdges) {
            VIEW_EDGE_ drawn{edge.from, edge.to, {}, edge.group};
            const bool into = near.into(edge.to);
            for (const VIEW_CALL_& call : edge.calls) {
                if (into || std::any_of(call.states.begin(), call.states.end(), [&](int s) { return near.from(s); }))
                    drawn.calls.push_back(call);
            }
            if (drawn.calls.empty())
                continue;
            if (edge.from != kAnyState) {
                for (int s : edge.calls.front().states)
                    m_shown[static_cast<size_t>(s)] = m_shown[static_cast<size_t>(s)] || into || near.from(s);
            }
            if (edge.to < n)
                m_shown[static_cast<size_t>(edge.to)] = true;
            m_edges.push_back(std::move(drawn));
        }
    }
    flattenEdges();
    if (m_focus >= 0 || !m_edges.empty())
        m_edgeCount = std::max(m_edgeCount, m_edges.size());
    for (const VIEW_EDGE_& edge : m_edges) {
        if (edge.to >= n)
            m_invalidTargets.push_back(edge.to);
    }
    std::sort(m_invalidTargets.begin(), m_invalidTargets.end());
    m_invalidTargets.erase(std::unique(m_invalidTargets.begin(), m_invalidTargets.end()), m_invalidTargets.end());
}

// The edges of the flattened groups become calls of their drawn states,
// merged into the edges those states have to the same next state.
void CMachineGraph::flattenEdges() {
    if (std::none_of(m_groups.begin(), m_groups.end(), [](const VIEW_GROUP_& group) { return group.flat; }))
        return;
    std::map<std::pair<int, int>, std::vector<VIEW_CALL_>> moved;
    std::vector<VIEW_EDGE_> kept;
    for (VIEW_EDGE_& edge : m_edges) {
        if (edge.from != kGroupBox || !m_groups[static_cast<size_t>(edge.group)].flat) {
            kept.push_back(std::move(edge));
            continue;
        }
        for (int s : m_groups[static_cast<size_t>(edge.group)].states) {
            for (const VIEW_CALL_& call : edge.calls) {
                if (shown(s))
                    moved[{s, edge.to}].push_back({call.event, call.actions, {s}});
            }
        }
    }
    const auto byEvent = [](const VIEW_CALL_& a, const VIEW_CALL_& b) { return a.event < b.event; };
    for (VIEW_EDGE_& edge : kept) {
        const auto more = moved.find({edge.from, edge.to});
        if (edge.from < 0 || more == moved.end())
            continue;
        edge.calls.insert(edge.calls.end(), more->second.begin(), more->second.end());
        std::stable_sort(edge.calls.begin(), edge.calls.end(), byEvent);
        moved.erase(more);
    }
    for (auto& rest : moved) {
        std::stable_sort(rest.second.begin(), rest.second.end(), byEvent);
        kept.push_back({rest.first.first, rest.first.second, std::move(rest.second)});
    }
    // The edges from states come last, by state and next state.
    const auto plain = std::find_if(kept.begin(), kept.end(), [](const VIEW_EDGE_& edge) { return edge.from >= 0; });
    std::sort(plain, kept.end(), [](const VIEW_EDGE_& a, const VIEW_EDGE_& b) {
        return std::make_pair(a.from, a.to) < std::make_pair(b.from, b.to);
    });
    m_edges = std::move(kept);
}

void CMachineGraph::fit() {
    while ((shownStates() > kMaxStates || m_edgeCount > static_cast<size_t>(kMaxEdges)) && shrink()) {
    }
}

void CMachineGraph::flatten(int g) {
    m_groups[static_cast<size_t>(g)].flat = true;
    select();
    fit();
}

int CMachineGraph::firstShown(int g) const {
    for (int s : m_groups[static_cast<size_t>(g)].states) {
        if (shown(s))
            return s;
    }
    return -1;
}

int CMachineGraph::boxOf(int s) const {
    int box = -1;
    for (size_t g = 0; g < m_groups.size(); ++g) {
        // Of two boxes that hold s, the later one lies inside the earlier.
        if (inGroup(static_cast<int>(g), s) && boxShown(static_cast<int>(g)))
            box = static_cast<int>(g);
    }
    return box;
}

int CMachineGraph::boxAround(int g) const {
    int around = m_groups[static_cast<size_t>(g)].parent;
    while (around >= 0 && !boxShown(around))
        around = m_groups[static_cast<size_t>(around)].parent;
    return around;
}

std::vector<VIEW_CALL_> CMachineGraph::internalOf(int s) const {
    std::vector<VIEW_CALL_> calls = m_states[static_cast<size_t>(s)].internal;
    for (size_t g = 0; g < m_groups.size(); ++g) {
        if (!m_groups[g].flat || !inGroup(static_cast<int>(g), s))
            continue;
        for (const VIEW_CALL_& call : m_groups[g].internal)
            calls.push_back({call.event, call.actions, {s}});
    }
    std::stable_sort(calls.begin(), calls.end(),
                     [](const VIEW_CALL_& a, const VIEW_CALL_& b) { return a.event < b.event; });
    return calls;
}

bool CMachineGraph::shrink() {
    if (m_empty)
        return false;
    if (m_note.empty()) {
        const std::string what = scope().empty() ? "The whole machine" : scope();
        m_note = what + " (" + plural(static_cast<size_t>(shownStates()), "state", "states") + ", " +
                 plural(m_edgeCount, "transition", "transitions") +
                 " to draw) is more than a diagram shows legibly: at most " + std::to_string(kMaxStates) +
                 " states and " + std::to_string(kMaxEdges) + " transitions, and " +
                 CViewText::grouped(CMermaidView::kMaxText) + " characters of Mermaid.";
    }
    if (m_states.empty()) {
        m_empty = true;
    } else if (m_focus < 0) {
        m_focus = 0;
        m_depth = 1;
    } else if (m_depth > 1) {
        --m_depth;
    } else if (!m_outOnly) {
        m_outOnly = true;
    } else {
        m_empty = true;
    }
    select();
    const std::string first = m_note.substr(0, m_note.find(" Drawn instead: "));
    m_note = first + " Drawn instead: " + (m_empty ? std::string("nothing") : scope()) + ".";
    if (!m_asked.hint.empty())
        m_note += " " + m_asked.hint;
    return true;
}

const VIEW_FOLD_* CMachineGraph::foldOf(int event) const {
    for (const VIEW_FOLD_& f : m_folds) {
        if (f.call.event == event)
            return &f;
    }
    return nullptr;
}

int CMachineGraph::shownStates() const {
    return static_cast<int>(std::count(m_shown.begin(), m_shown.end(), true));
}

std::string CMachineGraph::title(int s) const {
    return m_states[static_cast<size_t>(s)].name + " (" + std::to_string(s) + ")";
}

std::string CMachineGraph::scope() const {
    if (m_empty || m_focus < 0)
        return "";
    if (m_outOnly)
        return title(m_focus) + " and the transitions out of it";
    return title(m_focus) + " and what leads in and out of it within " +
           plural(static_cast<size_t>(m_depth), "step", "steps");
}

std::string CMachineGraph::callText(const VIEW_CALL_& call) const {
    std::string text = m_events[static_cast<size_t>(call.event)];
    for (size_t i = 0; i < call.actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + call.actions[i];
    return text;
}
