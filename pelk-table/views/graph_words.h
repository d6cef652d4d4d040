#ifndef PELK_TABLE_VIEWS_GRAPH_WORDS_H
#define PELK_TABLE_VIEWS_GRAPH_WORDS_H

#include <string>
#include <vector>

#include "pelk-table/views/machine_graph.h"

/// CGraphWords says in words what a drawing of a machine draws once for
/// several states: the lines of a folded edge's label with the states it
/// leaves out, and a sentence for each folded event and for each group.
class CGraphWords {
public:
    /// The longest line of a list of exceptions in a label, in bytes.
    static constexpr size_t kExceptLineLength = 40;

    /// The lines of a label for call: callText(), then for a call of an edge
    /// from kAnyState (folded) "except A, B, ..." over as many lines as it
    /// needs.
    static std::vector<std::string> callLines(const CMachineGraph& graph, const VIEW_CALL_& call, bool folded);
    /// The folded events of the whole machine, one sentence each.
    static std::vector<std::string> foldSentences(const CMachineGraph& graph);
    /// The groups of the whole machine, one sentence each: the group (and
    /// the one around it), its states, and what they share: "RX_, inside
    /// GOT_STX … WAIT_ETX: RX_ADDR (2), RX_LEN (3) and RX_DATA (4) share STX /
    /// Restart to GOT_STX (1)."
    static std::vector<std::string> groupSentences(const CMachineGraph& graph);
    /// "A (1), B (2) and C (3)".
    static std::string titles(const CMachineGraph& graph, const std::vector<int>& states);
};

#endif
