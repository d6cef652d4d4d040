#include "pelk-table/views/neighbourhood.h"

#include <climits>
#include <deque>

CNeighbourhood::CNeighbourhood(const std::vector<VIEW_EDGE_>& edges, int stateCount, int focus, int depth,
                               bool backward)
    : m_depth(depth),
      m_forward(static_cast<size_t>(stateCount), INT_MAX),
      m_backward(static_cast<size_t>(stateCount), INT_MAX) {
    std::vector<std::vector<int>> after(static_cast<size_t>(stateCount)), before(static_cast<size_t>(stateCount));
    for (const VIEW_EDGE_& edge : edges) {
        if (edge.to >= stateCount)
            continue;
        for (const VIEW_CALL_& call : edge.calls) {
            for (int s : call.states) {
                after[static_cast<size_t>(s)].push_back(edge.to);
                if (edge.from != CMachineGraph::kAnyState)
                    before[static_cast<size_t>(edge.to)].push_back(s);
            }
            // The calls of a state's or a group's edge all stand for the
            // same states.
            if (edge.from != CMachineGraph::kAnyState)
                break;
        }
    }
    measure(after, focus, depth, m_forward);
    if (backward)
        measure(before, focus, depth, m_backward);
}

// Breadth first from focus, up to depth steps.
void CNeighbourhood::measure(const std::vector<std::vector<int>>& next, int focus, int depth,
                             std::vector<int>& distance) {
    std::deque<int> queue{focus};
    distance[static_cast<size_t>(focus)] = 0;
    while (!queue.empty()) {
        const int u = queue.front();
        queue.pop_front();
        const int d = distance[static_cast<size_t>(u)];
        if (d >= depth)
            continue;
        for (int v : next[static_cast<size_t>(u)]) {
            if (distance[static_cast<size_t>(v)] == INT_MAX) {
                distance[static_cast<size_t>(v)] = d + 1;
                queue.push_back(v);
            }
        }
    }
}

bool CNeighbourhood::near(const std::vector<int>& distance, int s) const {
    return s >= 0 && s < static_cast<int>(distance.size()) && distance[static_cast<size_t>(s)] < m_depth;
}
