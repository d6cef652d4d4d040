#ifndef PELK_TABLE_VIEWS_MACHINE_GRAPH_H
#define PELK_TABLE_VIEWS_MACHINE_GRAPH_H

#include <algorithm>
#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/model/table_rules.h"

class CTableModel;

/// What one event does in the cells an arrow or a line stands for: the
/// event, the actions it calls, in order, without the no-operation markers,
/// and the states whose cell for the event it is (one for a plain arrow,
/// many for one drawn once for several states), ascending.
struct VIEW_CALL_ {
    int event;
    std::vector<std::string> actions;
    std::vector<int> states;
};

/// One edge of the drawing: every event that takes state `from` to `to`.
/// `to` is past the last state when the cells name a state that does not
/// exist; `from` is CMachineGraph::kAnyState for the folded transitions, and
/// CMachineGraph::kGroupBox for those a group of states shares, drawn from
/// the box of group `group`.
struct VIEW_EDGE_ {
    int from;
    int to;
    std::vector<VIEW_CALL_> calls;  ///< in event order
    int group = -1;                 ///< with from == kGroupBox: the group, an index of groups()
};

/// One state of the drawing.
struct VIEW_STATE_ {
    std::string name;                  ///< cleaned for display
    std::vector<VIEW_CALL_> internal;  ///< cells without transition but with actions
    bool unreachable = false;          ///< check found it unreachable from state 0
    bool trap = false;                 ///< check found that no transition leaves it
    std::vector<std::string> reasons;  ///< the messages of those findings, with their notes
};

/// An event drawn once, "from any state": most states give it the same next
/// state and actions.
struct VIEW_FOLD_ {
    VIEW_CALL_ call;  ///< its states are those it stands for
    int to;
    std::vector<int> covered;  ///< the states it stands for, ascending (as call.states)
    std::vector<int> idle;     ///< the states where the event does nothing
    std::vector<int> other;    ///< the states where it does something else, drawn on their own
};

/// A group of states that share some outcomes (CStateGroups), drawn as a
/// box around them, a superstate: what they share is drawn once, from the
/// box, and stands for the same cell of each of its states.
struct VIEW_GROUP_ {
    std::string name;                  ///< their common prefix, or "FIRST … LAST"; unique among the groups
    std::vector<int> states;           ///< ascending, those of the groups inside it included
    int parent = -1;                   ///< the smallest group around it; -1 for none
    std::vector<VIEW_CALL_> internal;  ///< the shared cells without transition, in event order
    bool flat = false;                 ///< drawn as plain states (CMachineGraph::flatten())
};

/// How a view draws the machine.
struct VIEW_OPTIONS_ {
    bool fold = true;   ///< fold the transitions most states share
    bool group = true;  ///< draw the groups of states that share transitions as boxes
    int focus = -1;     ///< a state to draw with its neighbourhood; -1: the whole machine
    int depth = 1;      ///< the steps of the neighbourhood
    std::string hint;   ///< a sentence added to the note of a drawing cut down to size
};

/// CMachineGraph is the table seen as a state diagram, the common ground of
/// the views: states with their internal transitions, edges grouped by the
/// pair of states, the next states that do not exist, and the warnings of
/// check that concern single states. It is made from the model and the
/// findings alone, and holds the names cleaned for display (CViewText).
///
/// It folds an event when at least kFoldMinStates states, and at least two
/// thirds of all states, give its cell the same next state and actions: that
/// transition is drawn once from kAnyState, with the other states as its
/// exceptions. In what is left it finds groups of states that share
/// outcomes (CStateGroups) and draws each shared outcome once, from the
/// group's box (kGroupBox). It keeps every drawing within kMaxStates states and kMaxEdges
/// edges: a larger one is cut down, step by step (shrink()), to the
/// neighbourhood of state 0, fewer steps, the transitions out of the state
/// alone, and at last nothing; note() then says what was drawn instead.
class CMachineGraph {
public:
    static constexpr int kAnyState = -1;
    static constexpr int kGroupBox = -2;
    static constexpr int kFoldMinStates = 3;
    static constexpr int kMaxStates = 60;
    static constexpr int kMaxEdges = 150;

    CMachineGraph(const CTableModel& model, const std::vector<FINDING_>& findings,
                  const VIEW_OPTIONS_& options = VIEW_OPTIONS_());

    const std::vector<VIEW_STATE_>& states() const { return m_states; }
    const std::vector<std::string>& events() const { return m_events; }
    /// The edges drawn: those from kAnyState, then those from a group's box
    /// (by group), then those from a state (by state), each by `to`. A
    /// flattened group's calls are among those of its states, each for its
    /// own state.
    const std::vector<VIEW_EDGE_>& edges() const { return m_edges; }
    /// The next states past the last state that a drawn edge names, ascending.
    const std::vector<int>& invalidTargets() const { return m_invalidTargets; }
    /// The folded events of the whole machine, in event order.
    const std::vector<VIEW_FOLD_>& folds() const { return m_folds; }
    /// The fold of event, or null when it is not folded.
    const VIEW_FOLD_* foldOf(int event) const;
    /// The edges of the whole machine, before a neighbourhood or the size
    /// rule cuts them, in the order of edges().
    const std::vector<VIEW_EDGE_>& machineEdges() const { return m_allEdges; }
    /// The groups of the whole machine, ordered by their first state, a
    /// group before those inside it.
    const std::vector<VIEW_GROUP_>& groups() const { return m_groups; }
    /// True when state s is inside group g.
    bool inGroup(int g, int s) const {
        const std::vector<int>& states = m_groups[static_cast<size_t>(g)].states;
        return std::binary_search(states.begin(), states.end(), s);
    }
    /// The innermost group drawn as a box (some of its states drawn, not
    /// flat) that holds state s, or -1.
    int boxOf(int s) const;
    /// The next group drawn as a box around group g, or -1.
    int boxAround(int g) const;
    /// True when group g is drawn as a box.
    bool boxShown(int g) const { return !m_groups[static_cast<size_t>(g)].flat && firstShown(g) >= 0; }
    /// The first drawn state of group g, or -1.
    int firstShown(int g) const;
    /// The internal transitions drawn in state s: its own, and those of the
    /// flattened groups it is in (each for s alone), in event order.
    std::vector<VIEW_CALL_> internalOf(int s) const;
    /// Draws group g as plain states from now on: its shared calls become
    /// calls of each of its drawn states, as without grouping; the size
    /// rule then holds again.
    void flatten(int g);

    /// The state drawn with its neighbourhood; -1 for the whole machine.
    int focus() const { return m_focus; }
    /// True when state s is drawn.
    bool shown(int s) const { return m_shown[static_cast<size_t>(s)]; }
    int shownStates() const;
    /// True when some edge leaves the "any state" node.
    bool hasAnyState() const { return !m_edges.empty() && m_edges.front().from == kAnyState; }

    /// Cuts the drawing down one step; false when nothing is left to cut.
    bool shrink();
    /// Why the drawing is not what was asked for, in a sentence or two;
    /// empty when it is.
    const std::string& note() const { return m_note; }
    /// What the drawing shows when it is a neighbourhood, e.g. "IDLE (1) and
    /// what leads in and out of it, 2 steps"; empty for the whole machine.
    std::string scope() const;

    bool isInvalid(int state) const { return state >= static_cast<int>(m_states.size()); }
    /// "PUSH / LampOn, Beep", or only "PUSH" when the event calls nothing.
    std::string callText(const VIEW_CALL_& call) const;
    /// "NAME (3)".
    std::string title(int s) const;

private:
    void fold(const std::vector<CELL_OUTCOME_>& cells, std::vector<bool>& elsewhere);
    void group(const std::vector<CELL_OUTCOME_>& cells, std::vector<bool>& elsewhere, std::vector<VIEW_EDGE_>& edges);
    void select();
    void fit();
    void flattenEdges();

    std::vector<VIEW_STATE_> m_states;
    std::vector<std::string> m_events;
    std::vector<VIEW_EDGE_> m_allEdges;  // the whole machine, folds and groups included
    std::vector<VIEW_EDGE_> m_edges;     // those drawn
    size_t m_edgeCount = 0;              // of the selection, also when too large to be copied
    std::vector<int> m_invalidTargets;
    std::vector<VIEW_FOLD_> m_folds;
    std::vector<VIEW_GROUP_> m_groups;
    std::vector<bool> m_shown;
    VIEW_OPTIONS_ m_asked;
    int m_focus;
    int m_depth;
    bool m_outOnly = false;
    bool m_empty = false;
    std::string m_note;
};

#endif
