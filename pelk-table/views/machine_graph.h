#ifndef PELK_TABLE_VIEWS_MACHINE_GRAPH_H
#define PELK_TABLE_VIEWS_MACHINE_GRAPH_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"

class CTableModel;

/// What one event does in one cell: the event and the actions it calls, in
/// order, without the no-operation markers.
struct VIEW_CALL_ {
    int event;
    std::vector<std::string> actions;
};

/// One edge of the drawing: every event that takes state `from` to `to`.
/// `to` is past the last state when the cells name a state that does not
/// exist.
struct VIEW_EDGE_ {
    int from;
    int to;
    std::vector<VIEW_CALL_> calls;  ///< in event order
};

/// One state of the drawing.
struct VIEW_STATE_ {
    std::string name;                  ///< cleaned for display
    std::vector<VIEW_CALL_> internal;  ///< cells without transition but with actions
    bool unreachable = false;          ///< check found it unreachable from state 0
    bool trap = false;                 ///< check found that no transition leaves it
    std::vector<std::string> reasons;  ///< the messages of those findings, with their notes
};

/// CMachineGraph is the table seen as a state diagram, the common ground of
/// the views: states with their internal transitions, edges grouped by the
/// pair of states, the next states that do not exist, and the warnings of
/// check that concern single states. It is made from the model and the
/// findings alone, and holds the names cleaned for display (CViewText).
class CMachineGraph {
public:
    CMachineGraph(const CTableModel& model, const std::vector<FINDING_>& findings);

    const std::vector<VIEW_STATE_>& states() const { return m_states; }
    const std::vector<std::string>& events() const { return m_events; }
    /// Ordered by `from`, then by `to`.
    const std::vector<VIEW_EDGE_>& edges() const { return m_edges; }
    /// The next states past the last state that some cell names, ascending.
    const std::vector<int>& invalidTargets() const { return m_invalidTargets; }

    bool isInvalid(int state) const { return state >= static_cast<int>(m_states.size()); }
    /// "PUSH / LampOn, Beep", or only "PUSH" when the event calls nothing.
    std::string callText(const VIEW_CALL_& call) const;

private:
    std::vector<VIEW_STATE_> m_states;
    std::vector<std::string> m_events;
    std::vector<VIEW_EDGE_> m_edges;
    std::vector<int> m_invalidTargets;
};

#endif
