#include "pelk-table/views/machine_graph.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <utility>

#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/views/mermaid_view.h"
#include "pelk-table/views/view_text.h"

namespace {

// The longest line of a list of exceptions in a label, in bytes.
const size_t kExceptLineLength = 40;

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
    if (options.fold)
        fold(model);

    std::vector<VIEW_EDGE_> ordinary;
    for (int s = 0; s < stateCount; ++s) {
        VIEW_STATE_ state;
        state.name = CViewText::clean(table.stateName(s));
        std::map<int, std::vector<VIEW_CALL_>> byTarget;
        for (int e = 0; e < eventCount; ++e) {
            const CELL_OUTCOME_ outcome = CTableRules::outcome(table, s, e);
            VIEW_CALL_ call{e, cleaned(outcome.actions), {s}};
            const int next = outcome.next;
            const VIEW_FOLD_* folded = foldOf(e);
            if (folded && covers(*folded, s))
                continue;
            if (next >= 0)
                byTarget[next].push_back(call);
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
        m_states.push_back(std::move(state));
    }

    std::map<int, std::vector<VIEW_CALL_>> anyByTarget;
    for (const VIEW_FOLD_& f : m_folds)
        anyByTarget[f.to].push_back(f.call);
    for (auto& target : anyByTarget)
        m_allEdges.push_back({kAnyState, target.first, std::move(target.second)});
    m_allEdges.insert(m_allEdges.end(), std::make_move_iterator(ordinary.begin()),
                      std::make_move_iterator(ordinary.end()));

    if (m_focus >= stateCount)
        m_focus = -1;
    select();
    while ((shownStates() > kMaxStates || m_edgeCount > static_cast<size_t>(kMaxEdges)) && shrink()) {
    }
}

// For each event, the most common pair of next state and actions among the
// cells that make a transition to an existing state; the lowest next state
// wins a tie.
void CMachineGraph::fold(const CTableModel& model) {
    const CSTTable& table = model.table();
    const int stateCount = table.stateCount();
    for (int e = 0; e < table.eventCount(); ++e) {
        std::map<std::pair<int, std::vector<std::string>>, std::vector<int>> groups;
        for (int s = 0; s < stateCount; ++s) {
            const CELL_OUTCOME_ outcome = CTableRules::outcome(table, s, e);
            if (!outcome.transition() || outcome.next >= stateCount)
                continue;
            groups[{outcome.next, cleaned(outcome.actions)}].push_back(s);
        }
        const auto best = std::max_element(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
            return a.second.size() < b.second.size();
        });
        if (best == groups.end())
            continue;
        const int count = static_cast<int>(best->second.size());
        if (count < kFoldMinStates || 3 * count < 2 * stateCount)
            continue;
        VIEW_FOLD_ fold{{e, best->first.second, best->second}, best->first.first, best->second, {}, {}};
        for (int s = 0; s < stateCount; ++s) {
            if (covers(fold, s))
                continue;
            (CTableRules::outcome(table, s, e).doesSomething() ? fold.other : fold.idle).push_back(s);
        }
        m_folds.push_back(std::move(fold));
    }
}

// The states and edges drawn: the whole machine, or the neighbourhood of the
// focus: what it reaches within m_depth transitions and (unless m_outOnly)
// what reaches it so. A folded transition leaves every state it stands for.
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
        std::vector<std::vector<const VIEW_EDGE_*>> out(static_cast<size_t>(n)), in(static_cast<size_t>(n));
        for (const VIEW_EDGE_& edge : m_allEdges) {
            if (edge.from != kAnyState)
                out[static_cast<size_t>(edge.from)].push_back(&edge);
            if (edge.to < n && edge.from != kAnyState)
                in[static_cast<size_t>(edge.to)].push_back(&edge);
        }
        std::vector<int> forward(static_cast<size_t>(n), INT_MAX), backward(static_cast<size_t>(n), INT_MAX);
        std::deque<int> queue{m_focus};
        forward[static_cast<size_t>(m_focus)] = 0;
        while (!queue.empty()) {
            const int u = queue.front();
            queue.pop_front();
            const int d = forward[static_cast<size_t>(u)];
            if (d >= m_depth)
                continue;
            std::vector<int> next;
            for (const VIEW_EDGE_* edge : out[static_cast<size_t>(u)])
                next.push_back(edge->to);
            for (const VIEW_FOLD_& f : m_folds) {
                if (covers(f, u))
                    next.push_back(f.to);
            }
            for (int v : next) {
                if (v < n && forward[static_cast<size_t>(v)] == INT_MAX) {
                    forward[static_cast<size_t>(v)] = d + 1;
                    queue.push_back(v);
                }
            }
        }
        backward[static_cast<size_t>(m_focus)] = 0;
        queue.push_back(m_focus);
        while (!queue.empty() && !m_outOnly) {
            const int v = queue.front();
            queue.pop_front();
            const int d = backward[static_cast<size_t>(v)];
            if (d >= m_depth)
                continue;
            for (const VIEW_EDGE_* edge : in[static_cast<size_t>(v)]) {
                if (backward[static_cast<size_t>(edge->from)] == INT_MAX) {
                    backward[static_cast<size_t>(edge->from)] = d + 1;
                    queue.push_back(edge->from);
                }
            }
        }
        queue.clear();

        m_shown[static_cast<size_t>(m_focus)] = true;
        const auto near = [&](const std::vector<int>& distance, int s) {
            return s < n && distance[static_cast<size_t>(s)] < m_depth;
        };
        for (const VIEW_EDGE_& edge : m_allEdges) {
            VIEW_EDGE_ drawn{edge.from, edge.to, {}};
            const bool into = !m_outOnly && near(backward, edge.to);
            if (edge.from == kAnyState) {
                for (const VIEW_CALL_& call : edge.calls) {
                    const VIEW_FOLD_& f = *foldOf(call.event);
                    bool from = into;
                    for (size_t i = 0; !from && i < f.covered.size(); ++i)
                        from = near(forward, f.covered[i]);
                    if (from)
                        drawn.calls.push_back(call);
                }
            } else if (near(forward, edge.from) || into) {
                drawn.calls = edge.calls;
                m_shown[static_cast<size_t>(edge.from)] = true;
            }
            if (drawn.calls.empty())
                continue;
            if (edge.to < n)
                m_shown[static_cast<size_t>(edge.to)] = true;
            m_edges.push_back(std::move(drawn));
        }
    }
    if (m_focus >= 0)
        m_edgeCount = m_edges.size();
    for (const VIEW_EDGE_& edge : m_edges) {
        if (edge.to >= n)
            m_invalidTargets.push_back(edge.to);
    }
    std::sort(m_invalidTargets.begin(), m_invalidTargets.end());
    m_invalidTargets.erase(std::unique(m_invalidTargets.begin(), m_invalidTargets.end()), m_invalidTargets.end());
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

std::vector<std::string> CMachineGraph::foldSentences() const {
    std::vector<std::string> sentences;
    const size_t total = m_states.size();
    const auto names = [this](const std::vector<int>& states) {
        std::string text;
        for (size_t i = 0; i < states.size(); ++i)
            text += (i == 0 ? "" : i + 1 == states.size() ? " and " : ", ") + title(states[i]);
        return text;
    };
    for (const VIEW_FOLD_& f : m_folds) {
        std::string text = callText(f.call) + " is drawn once, from any state to " + title(f.to) + ": ";
        if (f.covered.size() == total) {
            text += "every state does it.";
        } else {
            text += std::to_string(f.covered.size()) + " of the " + std::to_string(total) + " states do it";
            if (!f.idle.empty())
                text += "; " + names(f.idle) + (f.idle.size() == 1 ? " does" : " do") + " nothing with it";
            if (!f.other.empty())
                text += "; " + names(f.other) + (f.other.size() == 1 ? " does" : " do") + " something else, drawn on " +
                        (f.other.size() == 1 ? "its own" : "their own");
            text += ".";
        }
        sentences.push_back(text);
    }
    return sentences;
}

std::string CMachineGraph::callText(const VIEW_CALL_& call) const {
    std::string text = m_events[static_cast<size_t>(call.event)];
    for (size_t i = 0; i < call.actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + call.actions[i];
    return text;
}

std::vector<std::string> CMachineGraph::callLines(const VIEW_CALL_& call, bool folded) const {
    std::vector<std::string> lines{callText(call)};
    const VIEW_FOLD_* f = folded ? foldOf(call.event) : nullptr;
    if (!f)
        return lines;
    std::vector<int> except;
    std::merge(f->idle.begin(), f->idle.end(), f->other.begin(), f->other.end(), std::back_inserter(except));
    std::string line;
    for (size_t i = 0; i < except.size(); ++i) {
        const std::string name = m_states[static_cast<size_t>(except[i])].name + (i + 1 < except.size() ? "," : "");
        if (line.empty()) {
            line = (lines.size() == 1 ? "  except " : "    ") + name;
        } else if (line.size() + 1 + name.size() > kExceptLineLength) {
            lines.push_back(line);
            line = "    " + name;
        } else {
            line += " " + name;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
