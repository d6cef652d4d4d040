#include "pelk-table/views/state_groups.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

bool CStateGroups::SCORE_::worth() const {
    return arrows > 0 || (arrows == 0 && internalOnly && calls > 0);
}

bool CStateGroups::SCORE_::better(const SCORE_& other) const {
    if (arrows != other.arrows)
        return arrows > other.arrows;
    if (calls != other.calls)
        return calls > other.calls;
    return gaps < other.gaps;
}

CStateGroups::CStateGroups(int stateCount, int eventCount, const std::vector<CELL_OUTCOME_>& cells,
                           const std::vector<bool>& elsewhere)
    : m_outcomesOf(static_cast<size_t>(stateCount)),
      m_plain(static_cast<size_t>(stateCount)),
      m_innermost(static_cast<size_t>(stateCount), kNone) {
    // The outcomes numbered in the order of the cells, each with the states
    // that have it; an outcome is a cell's event, next state and actions,
    // compared without copies. A next state past the last is never grouped.
    const auto sameOutcome = [&cells](size_t a, size_t b) {
        return cells[a].next != cells[b].next ? cells[a].next < cells[b].next : cells[a].actions < cells[b].actions;
    };
    std::vector<std::map<size_t, int, decltype(sameOutcome)>> numbers(
        static_cast<size_t>(eventCount), std::map<size_t, int, decltype(sameOutcome)>(sameOutcome));
    std::vector<int> outcomeOf(cells.size(), kNone);
    for (size_t cell = 0; cell < cells.size(); ++cell) {
        const CELL_OUTCOME_& outcome = cells[cell];
        if (!outcome.doesSomething() || elsewhere[cell] || outcome.next >= stateCount)
            continue;
        const size_t e = cell % static_cast<size_t>(eventCount);
        const auto found = numbers[e].emplace(cell, static_cast<int>(m_firstCells.size()));
        if (found.second) {
            m_firstCells.push_back(cell);
            m_targets.push_back(outcome.transition() ? outcome.next : kNone);
            m_statesOf.emplace_back();
        }
        outcomeOf[cell] = found.first->second;
        m_statesOf[static_cast<size_t>(found.first->second)].push_back(
            static_cast<int>(cell / static_cast<size_t>(eventCount)));
    }
    for (size_t o = 0; o < m_statesOf.size(); ++o) {
        if (m_statesOf[o].size() < static_cast<size_t>(kMinStates))
            continue;
        for (int s : m_statesOf[o])
            m_outcomesOf[static_cast<size_t>(s)].push_back(static_cast<int>(o));
    }
    // The arrows of the states that share something: next state -> calls.
    for (int s = 0; s < stateCount; ++s) {
        for (int e = 0; e < eventCount && !m_outcomesOf[static_cast<size_t>(s)].empty(); ++e) {
            const int outcome =
                outcomeOf[static_cast<size_t>(s) * static_cast<size_t>(eventCount) + static_cast<size_t>(e)];
            if (outcome != kNone && m_targets[static_cast<size_t>(outcome)] != kNone)
                ++m_plain[static_cast<size_t>(s)][m_targets[static_cast<size_t>(outcome)]];
        }
    }

    CANDIDATES_ candidates;
    for (size_t o = 0; o < m_statesOf.size(); ++o) {
        if (m_statesOf[o].size() >= static_cast<size_t>(kMinStates))
            addPieces(static_cast<int>(o), candidates);
    }
    while (true) {
        auto best = candidates.end();
        for (auto it = candidates.begin(); it != candidates.end(); ++it) {
            if (best == candidates.end() || it->second.score.better(best->second.score))
                best = it;
        }
        if (best == candidates.end())
            break;
        const std::vector<int> states = best->first;
        take(states, best->second);
        // Only the candidates that share a state with the new group change:
        // their place among the groups, their outcomes or what they save.
        std::vector<bool> inGroup(static_cast<size_t>(stateCount), false);
        for (int s : states)
            inGroup[static_cast<size_t>(s)] = true;
        for (auto it = candidates.begin(); it != candidates.end();) {
            const bool shares =
                std::any_of(it->first.begin(), it->first.end(), [&](int s) { return inGroup[static_cast<size_t>(s)]; });
            it = shares ? candidates.erase(it) : std::next(it);
        }
        std::set<int> touched;
        for (int s : states)
            touched.insert(m_outcomesOf[static_cast<size_t>(s)].begin(), m_outcomesOf[static_cast<size_t>(s)].end());
        for (int outcome : touched)
            addPieces(outcome, candidates);
    }
    finish(cells, eventCount);
}

bool CStateGroups::has(int s, int outcome) const {
    const std::vector<int>& outcomes = m_outcomesOf[static_cast<size_t>(s)];
    return std::binary_search(outcomes.begin(), outcomes.end(), outcome);
}

bool CStateGroups::ownedAbove(int group, int outcome) const {
    for (int g = group; g != kNone; g = m_chosen[static_cast<size_t>(g)].parent) {
        const std::vector<int>& outcomes = m_chosen[static_cast<size_t>(g)].outcomes;
        if (std::binary_search(outcomes.begin(), outcomes.end(), outcome))
            return true;
    }
    return false;
}

// The states sharing outcome, cut to fit the chosen groups: a state goes up
// from its innermost group for as long as the group lies wholly among those
// states; the states that stop below the same group (or below none, kNone)
// make one piece.
std::map<int, std::vector<int>> CStateGroups::pieces(int outcome) const {
    const std::vector<int>& sharing = m_statesOf[static_cast<size_t>(outcome)];
    std::map<int, size_t> inside;
    for (int s : sharing) {
        for (int g = m_innermost[static_cast<size_t>(s)]; g != kNone; g = m_chosen[static_cast<size_t>(g)].parent)
            ++inside[g];
    }
    std::map<int, std::vector<int>> result;
    for (int s : sharing) {
        int node = m_innermost[static_cast<size_t>(s)];
        while (node != kNone && inside[node] == m_chosen[static_cast<size_t>(node)].states.size())
            node = m_chosen[static_cast<size_t>(node)].parent;
        result[node].push_back(s);
    }
    return result;
}

void CStateGroups::addPieces(int outcome, CANDIDATES_& candidates) const {
    for (const auto& piece : pieces(outcome)) {
        if (piece.second.size() < static_cast<size_t>(kMinStates) || candidates.count(piece.second) != 0)
            continue;
        const CANDIDATE_ candidate = evaluate(piece.second, piece.first);
        if (!candidate.outcomes.empty() && candidate.score.worth())
            candidates.emplace(piece.second, candidate);
    }
}

// The outcomes that states (a piece under parent) would draw from its box,
// and what that saves: each such outcome leaves the states directly inside
// and the groups directly inside (which draw it now), and an arrow of theirs
// goes when every call it carries goes.
CStateGroups::CANDIDATE_ CStateGroups::evaluate(const std::vector<int>& states, int parent) const {
    CANDIDATE_ candidate{parent, SCORE_(), {}};
    const std::vector<int>* fewest = &m_outcomesOf[static_cast<size_t>(states.front())];
    for (int s : states) {
        if (m_outcomesOf[static_cast<size_t>(s)].size() < fewest->size())
            fewest = &m_outcomesOf[static_cast<size_t>(s)];
    }
    for (int outcome : *fewest) {
        if (m_statesOf[static_cast<size_t>(outcome)].size() < states.size() || ownedAbove(parent, outcome))
            continue;
        if (std::all_of(states.begin(), states.end(), [&](int s) { return has(s, outcome); }))
            candidate.outcomes.push_back(outcome);
    }
    if (candidate.outcomes.empty())
        return candidate;

    std::map<int, int> byTarget;
    for (int outcome : candidate.outcomes) {
        const int target = m_targets[static_cast<size_t>(outcome)];
        if (target != kNone) {
            ++byTarget[target];
            candidate.score.internalOnly = false;
        }
    }
    int removed = 0;
    std::set<int> children;
    size_t direct = 0;
    for (int s : states) {
        int g = m_innermost[static_cast<size_t>(s)];
        if (g == parent) {
            ++direct;
            for (const auto& target : byTarget)
                removed += m_plain[static_cast<size_t>(s)].at(target.first) == target.second ? 1 : 0;
            continue;
        }
        while (m_chosen[static_cast<size_t>(g)].parent != parent)
            g = m_chosen[static_cast<size_t>(g)].parent;
        children.insert(g);
    }
    for (int g : children) {
        for (const auto& target : byTarget)
            removed += m_chosen[static_cast<size_t>(g)].targets.at(target.first) == target.second ? 1 : 0;
    }
    candidate.score.arrows = removed - static_cast<int>(byTarget.size());
    candidate.score.calls = static_cast<int>(candidate.outcomes.size() * (direct + children.size() - 1));
    candidate.score.gaps = states.back() - states.front() + 1 - static_cast<int>(states.size());
    return candidate;
}

void CStateGroups::take(const std::vector<int>& states, const CANDIDATE_& candidate) {
    const int group = static_cast<int>(m_chosen.size());
    CHOSEN_ chosen{states, candidate.parent, candidate.outcomes, {}, true};
    for (int outcome : candidate.outcomes) {
        if (m_targets[static_cast<size_t>(outcome)] != kNone)
            ++chosen.targets[m_targets[static_cast<size_t>(outcome)]];
    }
    std::set<int> children;
    for (int s : states) {
        int g = m_innermost[static_cast<size_t>(s)];
        if (g == candidate.parent) {
            m_innermost[static_cast<size_t>(s)] = group;
            for (const auto& target : chosen.targets) {
                int& count = m_plain[static_cast<size_t>(s)][target.first];
                if ((count -= target.second) == 0)
                    m_plain[static_cast<size_t>(s)].erase(target.first);
            }
            continue;
        }
        while (m_chosen[static_cast<size_t>(g)].parent != candidate.parent)
            g = m_chosen[static_cast<size_t>(g)].parent;
        children.insert(g);
    }
    m_chosen.push_back(chosen);
    // The groups directly inside drew every outcome the new group takes.
    for (int child : children) {
        CHOSEN_& inner = m_chosen[static_cast<size_t>(child)];
        inner.parent = group;
        std::vector<int> left;
        std::set_difference(inner.outcomes.begin(), inner.outcomes.end(), candidate.outcomes.begin(),
                            candidate.outcomes.end(), std::back_inserter(left));
        inner.outcomes = left;
        for (const auto& target : chosen.targets) {
            if ((inner.targets[target.first] -= target.second) == 0)
                inner.targets.erase(target.first);
        }
        if (!inner.outcomes.empty())
            continue;
        inner.alive = false;
        for (CHOSEN_& other : m_chosen) {
            if (other.alive && other.parent == child)
                other.parent = group;
        }
        for (int& innermost : m_innermost) {
            if (innermost == child)
                innermost = group;
        }
    }
}

void CStateGroups::finish(const std::vector<CELL_OUTCOME_>& cells, int eventCount) {
    std::vector<int> order;
    for (size_t g = 0; g < m_chosen.size(); ++g) {
        if (m_chosen[g].alive)
            order.push_back(static_cast<int>(g));
    }
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const std::vector<int>& first = m_chosen[static_cast<size_t>(a)].states;
        const std::vector<int>& second = m_chosen[static_cast<size_t>(b)].states;
        if (first.front() != second.front())
            return first.front() < second.front();
        if (first.size() != second.size())
            return first.size() > second.size();
        return first < second;
    });
    std::vector<int> index(m_chosen.size(), kNone);
    for (size_t i = 0; i < order.size(); ++i)
        index[static_cast<size_t>(order[i])] = static_cast<int>(i);
    for (int g : order) {
        const CHOSEN_& chosen = m_chosen[static_cast<size_t>(g)];
        STATE_GROUP_ group;
        group.states = chosen.states;
        group.parent = chosen.parent == kNone ? kNone : index[static_cast<size_t>(chosen.parent)];
        for (int outcome : chosen.outcomes) {
            const size_t cell = m_firstCells[static_cast<size_t>(outcome)];
            group.shared.emplace_back(static_cast<int>(cell % static_cast<size_t>(eventCount)), cells[cell]);
        }
        std::stable_sort(group.shared.begin(), group.shared.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        m_result.push_back(group);
    }
}

std::string CStateGroups::name(const std::vector<std::string>& names) {
    if (names.empty())
        return "";
    size_t common = names.front().size();
    for (const std::string& other : names) {
        size_t i = 0;
        while (i < common && i < other.size() && other[i] == names.front()[i])
            ++i;
        common = i;
    }
    // The longest prefix that ends where every name goes on with `_`, or
    // with a digit that does not continue a number.
    for (size_t end = common; end > 0; --end) {
        bool boundary = true, underscore = true;
        for (const std::string& other : names) {
            const bool digit = other.size() > end && isDigit(other[end]) && !isDigit(other[end - 1]);
            const bool mark = other.size() > end && other[end] == '_';
            boundary = boundary && (digit || mark);
            underscore = underscore && mark;
        }
        if (!boundary)
            continue;
        const std::string prefix = names.front().substr(0, end) + (underscore ? "_" : "");
        if (prefix.size() >= 3)
            return prefix;
        break;
    }
    return names.front() + " \u2026 " + names.back();
}

std::vector<std::string> CStateGroups::names(const std::vector<std::vector<std::string>>& groups) {
    std::vector<std::string> result;
    for (const std::vector<std::string>& group : groups)
        result.push_back(name(group));
    for (int round = 0; round < 2; ++round) {
        std::map<std::string, int> uses;
        for (const std::string& text : result)
            ++uses[text];
        for (size_t g = 0; g < result.size(); ++g) {
            if (uses[result[g]] > 1)
                result[g] +=
                    round == 0 ? " (" + std::to_string(groups[g].size()) + " states)" : " #" + std::to_string(g + 1);
        }
    }
    return result;
}
