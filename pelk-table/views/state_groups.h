#ifndef PELK_TABLE_VIEWS_STATE_GROUPS_H
#define PELK_TABLE_VIEWS_STATE_GROUPS_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pelk-table/model/table_rules.h"

/// One group of states found by CStateGroups.
struct STATE_GROUP_ {
    std::vector<int> states;  ///< ascending, the states of the groups inside it included
    int parent = -1;          ///< the smallest group that holds it (an earlier index); -1 for none
    /// The outcomes its states share that are drawn once, from its box: an
    /// event and what its cell does, in event order.
    std::vector<std::pair<int, CELL_OUTCOME_>> shared;
};

/// CStateGroups finds the groups of states that behave alike in a table:
/// sets of at least kMinStates states that share at least one outcome (the
/// same event, next state or none, and actions), so that each shared outcome
/// can be drawn once, from a box around the group, as a superstate's
/// transition stands for the same transition of every state inside it.
///
/// The groups nest or are disjoint, so that they can be drawn as boxes; a
/// shared outcome is drawn by the outermost group that shares it, and every
/// outcome that all the states of a group share and no group around it
/// draws is drawn by that group. They are chosen greedily: at each step the
/// candidate that saves the most arrows (an arrow being one pair of state or
/// box and next state), then the most calls in labels, then the one whose
/// states lie closest together in the table's order, then the one that
/// starts first. A candidate is the part of the states sharing one outcome
/// that fits the groups already chosen (whole groups and single states
/// directly inside one group, or outside all of them). A group is taken only
/// when it saves arrows, or when it shares only outcomes without transition
/// (which save lines in the states and add no arrow). A next state past the
/// last state is never grouped: such a cell stays an arrow of its own state.
/// The result depends only on the input, never on the order of a hash map.
class CStateGroups {
public:
    static constexpr int kMinStates = 3;
    static constexpr int kNone = -1;

    /// Groups the cells of a machine of stateCount states and eventCount
    /// events: cells[s * eventCount + e] is what the cell of state s for
    /// event e does; a cell that does nothing, or for which elsewhere holds
    /// true (it is drawn otherwise, as a folded transition is), is left out.
    CStateGroups(int stateCount, int eventCount, const std::vector<CELL_OUTCOME_>& cells,
                 const std::vector<bool>& elsewhere);

    /// The groups, ordered by their first state, an outer group before the
    /// groups inside it.
    const std::vector<STATE_GROUP_>& groups() const { return m_result; }

    /// The name of a group whose states have these names, in order: the
    /// common prefix of the names when it has at least 3 characters and ends
    /// before a `_` or a digit that follows it in every name (with the `_`
    /// when every name has it there: "RX_", "MENU_1_"; "BIT" for BIT0 ...
    /// BIT7), else "FIRST … LAST".
    static std::string name(const std::vector<std::string>& names);
    /// The names of groups by name(), made unique: two groups of one name
    /// (the same first and last state) are told apart by their size, and at
    /// last by their place in the list.
    static std::vector<std::string> names(const std::vector<std::vector<std::string>>& groups);

private:
    // A group chosen so far; dropped when a group around it took all its
    // outcomes.
    struct CHOSEN_ {
        std::vector<int> states;
        int parent;
        std::vector<int> outcomes;   // ascending
        std::map<int, int> targets;  // next state -> outcomes of the group that go there
        bool alive = true;
    };
    // What taking a candidate would save.
    struct SCORE_ {
        int arrows = 0;
        int calls = 0;
        int gaps = 0;  // states between the first and the last that are not in it
        bool internalOnly = true;
        bool worth() const;
        bool better(const SCORE_& other) const;
    };
    struct CANDIDATE_ {
        int parent;  // the chosen group it would be put in; kNone for none
        SCORE_ score;
        std::vector<int> outcomes;
    };
    using CANDIDATES_ = std::map<std::vector<int>, CANDIDATE_>;

    bool has(int s, int outcome) const;
    bool ownedAbove(int group, int outcome) const;
    std::map<int, std::vector<int>> pieces(int outcome) const;
    CANDIDATE_ evaluate(const std::vector<int>& states, int parent) const;
    void take(const std::vector<int>& states, const CANDIDATE_& candidate);
    void addPieces(int outcome, CANDIDATES_& candidates) const;
    void finish(const std::vector<CELL_OUTCOME_>& cells, int eventCount);

    std::vector<size_t> m_firstCells;            // outcome -> the first cell that has it
    std::vector<int> m_targets;                  // outcome -> next state, or kNone
    std::vector<std::vector<int>> m_statesOf;    // outcome -> its states, ascending
    std::vector<std::vector<int>> m_outcomesOf;  // state -> its shareable outcomes, ascending
    std::vector<std::map<int, int>> m_plain;     // state (one that shares) -> next state -> outcomes it draws itself
    std::vector<int> m_innermost;                // state -> the innermost chosen group holding it, or kNone
    std::vector<CHOSEN_> m_chosen;
    std::vector<STATE_GROUP_> m_result;
};

#endif
