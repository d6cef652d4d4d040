#include "pelk-table/conformance/conformance_tour.h"

#include <algorithm>

#include "pelk-table/run/machine_run.h"

CConformanceTour::CConformanceTour(const CSTTable& table)
    : m_table(&table) {
    findWays();
    for (int s = 0; s < table.stateCount(); ++s) {
        if (reachable(s))
            continue;
        for (int e = 0; e < table.eventCount(); ++e)
            m_untested.push_back({s, e, "the state cannot be reached from state 0"});
    }
    walk();
}

TOUR_STEP_ CConformanceTour::stepOf(int state, int event) const {
    return {state, event, CMachineRun::step(*m_table, state, event).next};
}

// The shortest ways from state 0: a breadth-first search whose edges are
// the cells, in event order, so that the ways do not depend on anything
// but the table. A step past the last state leads nowhere.
void CConformanceTour::findWays() {
    const int states = m_table->stateCount();
    m_wayInto.assign(static_cast<size_t>(states), TOUR_STEP_{-1, -1, -1});
    if (states == 0)
        return;
    std::vector<int> queue{0};
    for (size_t head = 0; head < queue.size(); ++head) {
        const int from = queue[head];
        for (int e = 0; e < m_table->eventCount(); ++e) {
            const TOUR_STEP_ step = stepOf(from, e);
            if (step.next < 0 || step.next >= states || step.next == 0 || reachable(step.next))
                continue;
            m_wayInto[static_cast<size_t>(step.next)] = step;
            queue.push_back(step.next);
        }
    }
}

std::vector<TOUR_STEP_> CConformanceTour::wayFromStart(int s) const {
    std::vector<TOUR_STEP_> way;
    for (int at = s; at > 0 && reachable(at); at = wayInto(at).state)
        way.push_back(wayInto(at));
    std::reverse(way.begin(), way.end());
    return way;
}

void CConformanceTour::walk() {
    const int states = m_table->stateCount();
    const int events = m_table->eventCount();
    const auto cell = [events](int s, int e) { return static_cast<size_t>(s) * static_cast<size_t>(events) + e; };
    std::vector<int> after(static_cast<size_t>(states) * static_cast<size_t>(events));
    std::vector<int> untestedIn(static_cast<size_t>(states), 0);
    std::vector<char> tested(after.size(), 0);
    size_t remaining = 0;
    for (int s = 0; s < states; ++s) {
        for (int e = 0; e < events; ++e)
            after[cell(s, e)] = stepOf(s, e).next;
        if (reachable(s)) {
            untestedIn[static_cast<size_t>(s)] = events;
            remaining += static_cast<size_t>(events);
        }
    }
    const auto valid = [states](int s) { return s >= 0 && s < states; };

    std::vector<int> cameFrom(static_cast<size_t>(states)), cameBy(static_cast<size_t>(states)), queue;
    int current = 0;
    TOUR_TEST_::Start start = TOUR_TEST_::kFirst;
    size_t first = 0;
    while (remaining > 0) {
        if (untestedIn[static_cast<size_t>(current)] == 0) {
            // Breadth first to the nearest state with an untested cell; the
            // first one found is the nearest.
            std::fill(cameFrom.begin(), cameFrom.end(), -2);
            cameFrom[static_cast<size_t>(current)] = -1;
            queue.assign(1, current);
            int found = -1;
            for (size_t head = 0; head < queue.size() && found < 0; ++head) {
                const int from = queue[head];
                for (int e = 0; e < events && found < 0; ++e) {
                    const int to = after[cell(from, e)];
                    if (!valid(to) || cameFrom[static_cast<size_t>(to)] != -2)
                        continue;
                    cameFrom[static_cast<size_t>(to)] = from;
                    cameBy[static_cast<size_t>(to)] = e;
                    queue.push_back(to);
                    if (untestedIn[static_cast<size_t>(to)] > 0)
                        found = to;
                }
            }
            if (found < 0) {
                // Every untested cell is reachable from state 0.
                if (current == 0)
                    break;
                current = 0;
                start = TOUR_TEST_::kNothingReachable;
                continue;
            }
            std::vector<TOUR_STEP_> way;
            for (int at = found; at != current; at = cameFrom[static_cast<size_t>(at)])
                way.push_back({cameFrom[static_cast<size_t>(at)], cameBy[static_cast<size_t>(at)], at});
            m_steps.insert(m_steps.end(), way.rbegin(), way.rend());
            current = found;
        }
        // The untested cell of the current state to take: one that stays,
        // else one into a state with untested cells, else one into any
        // state, and one past the last state only when nothing else is left.
        int best = -1, bestRank = 4;
        for (int e = 0; e < events && bestRank > 0; ++e) {
            if (tested[cell(current, e)])
                continue;
            const int to = after[cell(current, e)];
            const int rank = to == current ? 0 : !valid(to) ? 3 : untestedIn[static_cast<size_t>(to)] > 0 ? 1 : 2;
            if (rank < bestRank) {
                best = e;
                bestRank = rank;
            }
        }
        tested[cell(current, best)] = 1;
        --untestedIn[static_cast<size_t>(current)];
        --remaining;
        const int to = after[cell(current, best)];
        m_steps.push_back({current, best, to});
        m_tests.push_back({start, first, m_steps.size(), -1});
        first = m_steps.size();
        start = TOUR_TEST_::kGoOn;
        current = to;
        if (!valid(to)) {
            current = 0;
            start = TOUR_TEST_::kAfterPastLast;
        }
    }
}

void CConformanceTour::addScenario(const std::string& name, const std::vector<int>& events) {
    TOUR_TEST_ test;
    test.start = TOUR_TEST_::kScenario;
    test.firstStep = m_steps.size();
    test.scenario = static_cast<int>(m_scenarioNames.size());
    m_scenarioNames.push_back(name);
    int state = 0;
    for (int event : events) {
        m_steps.push_back(stepOf(state, event));
        state = m_steps.back().next;
    }
    test.endStep = m_steps.size();
    m_tests.push_back(test);
}

size_t CConformanceTour::cellTestCount() const {
    size_t count = 0;
    for (const TOUR_TEST_& test : m_tests)
        count += test.scenario < 0;
    return count;
}

size_t CConformanceTour::initCount() const {
    size_t count = 0;
    for (const TOUR_TEST_& test : m_tests)
        count += test.start != TOUR_TEST_::kGoOn;
    return count;
}

CConformanceTour CConformanceTour::part(int k, int n) const {
    CConformanceTour out;
    out.m_table = m_table;
    out.m_wayInto = m_wayInto;
    out.m_scenarioNames = m_scenarioNames;
    if (k == 1)
        out.m_untested = m_untested;
    const size_t cellTests = cellTestCount();
    const size_t total = cellTests ? m_tests[cellTests - 1].endStep : 0;
    bool first = true;
    for (size_t t = 0; t < m_tests.size(); ++t) {
        const TOUR_TEST_& test = m_tests[t];
        // A test goes to the part in which its first step falls.
        const int owner =
            test.scenario >= 0
                ? n
                : 1 + static_cast<int>(test.firstStep * static_cast<size_t>(n) / std::max<size_t>(total, 1));
        if (owner != k)
            continue;
        TOUR_TEST_ copy = test;
        copy.firstStep = out.m_steps.size();
        if (first && test.start == TOUR_TEST_::kGoOn) {
            copy.start = TOUR_TEST_::kPartStart;
            const std::vector<TOUR_STEP_> way = wayFromStart(m_steps[test.firstStep].state);
            out.m_steps.insert(out.m_steps.end(), way.begin(), way.end());
        }
        first = false;
        out.m_steps.insert(out.m_steps.end(), m_steps.begin() + static_cast<std::ptrdiff_t>(test.firstStep),
                           m_steps.begin() + static_cast<std::ptrdiff_t>(test.endStep));
        copy.endStep = out.m_steps.size();
        out.m_tests.push_back(copy);
    }
    return out;
}
