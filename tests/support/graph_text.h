#ifndef PELK_TESTS_SUPPORT_GRAPH_TEXT_H
#define PELK_TESTS_SUPPORT_GRAPH_TEXT_H

#include <string>

#include "pelk-table/views/machine_graph.h"

/// The tail of an edge as the views' tests write it: "*" for any state,
/// "gN" for group N, else the state's number.
inline std::string edgeTail(const VIEW_EDGE_& edge) {
    if (edge.from == CMachineGraph::kAnyState)
        return "*";
    if (edge.from == CMachineGraph::kGroupBox)
        return "g" + std::to_string(edge.group);
    return std::to_string(edge.from);
}

#endif
