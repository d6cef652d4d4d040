#ifndef PELK_TABLE_VIEWS_NEIGHBOURHOOD_H
#define PELK_TABLE_VIEWS_NEIGHBOURHOOD_H

#include <vector>

#include "pelk-table/views/machine_graph.h"

/// CNeighbourhood tells how far the states of a machine's drawing lie from
/// one state, its focus: forward, in transitions taken from it, and
/// backward, in transitions taken into it. An edge leads from every state
/// its calls stand for: a plain edge from its state, a group's edge from
/// each state of the group, a folded edge from each state it covers; a
/// folded edge leads nowhere backward (it would lead from almost every
/// state).
class CNeighbourhood {
public:
    /// The distances over edges (those of the whole machine) of a machine
    /// of stateCount states, within depth steps; backward false measures
    /// forward only.
    CNeighbourhood(const std::vector<VIEW_EDGE_>& edges, int stateCount, int focus, int depth, bool backward);

    /// True when state s lies fewer than depth steps after the focus: the
    /// transitions out of it are drawn.
    bool from(int s) const { return near(m_forward, s); }
    /// True when state s lies fewer than depth steps before the focus: the
    /// transitions into it are drawn. False for a state past the last.
    bool into(int s) const { return near(m_backward, s); }

private:
    bool near(const std::vector<int>& distance, int s) const;
    static void measure(const std::vector<std::vector<int>>& next, int focus, int depth, std::vector<int>& distance);

    int m_depth;
    std::vector<int> m_forward;
    std::vector<int> m_backward;
};

#endif
