#ifndef PELK_TABLE_CHECK_GRAPH_CHECK_H
#define PELK_TABLE_CHECK_GRAPH_CHECK_H

#include <vector>

class CCheckContext;
class CSTTable;

/// CGraphCheck looks at the machine as a graph of states: next states past
/// the last state, states that cannot be reached or left, events that do
/// nothing anywhere.
class CGraphCheck {
public:
    static void run(CCheckContext& context);

    /// For each state, whether a path of transitions from state 0 reaches it.
    static std::vector<bool> reachable(const CSTTable& table);
    /// True when no transition leaves state s.
    static bool isTrap(const CSTTable& table, int s);
    /// True when event e makes no transition and calls only no-operations in
    /// every state.
    static bool isUnused(const CSTTable& table, int e);
};

#endif
