#ifndef PELK_TABLE_RUN_MACHINE_RUN_H
#define PELK_TABLE_RUN_MACHINE_RUN_H

#include <string>
#include <vector>

#include "table/st_table.h"

/// One event taken by the machine: where it was, what came, where it went.
struct RUN_STEP_ {
    int step = 0;   ///< 1 for the first event of a run
    int state = 0;  ///< the state the event arrived in
    int event = 0;
    bool transition = false;           ///< the cell names a next state
    int next = 0;                      ///< the state after the event
    std::vector<std::string> actions;  ///< the actions called, in order; no-op markers dropped
};

/// CMachineRun steps a table the way the C that pelk generates runs it:
///  - the cell is the one of (current state, event);
///  - without a next state (-1) the state stays;
///  - otherwise the state becomes the next state, before any action runs,
///    even when that state is past the last one (the generated machine
///    stores it; its next event would index past its vector table);
///  - the actions are called in table order; the markers "-" and "*" call
///    nothing.
/// A front end that simulates the table elsewhere must keep these rules.
class CMachineRun {
public:
    /// A run of table starting in state start; the table must outlive it.
    CMachineRun(const CSTTable& table, int start);

    /// The rules above for one event, from state; state and event must be
    /// cells of the table.
    static RUN_STEP_ step(const CSTTable& table, int state, int event);

    /// Takes event (0 .. eventCount()-1) in the current state, which must be
    /// valid, and records the step.
    const RUN_STEP_& take(int event);

    int state() const { return m_state; }
    /// True while the current state is a state of the table.
    bool stateValid() const { return m_state >= 0 && m_state < m_table.stateCount(); }
    const std::vector<RUN_STEP_>& steps() const { return m_steps; }

    /// What the generated machine does after a step into next when next is
    /// no state of table ("the generated machine stores 5 and ..."); empty
    /// when it is one, or -1 (no transition). The same words serve every
    /// front end that stops a run there.
    static std::string stopReason(const CSTTable& table, int next);
    /// The whole sentence of a step from state on event to next that the
    /// machine cannot take: "OFF on PUSH goes to state 5, past the last state
    /// (1): " and stopReason(); `run` and the page both say it.
    static std::string stopSentence(const CSTTable& table, int state, int event, int next);

    /// The names of the states, and of the events, in table order.
    static std::vector<std::string> stateNames(const CSTTable& table);
    static std::vector<std::string> eventNames(const CSTTable& table);

private:
    const CSTTable& m_table;
    int m_state;
    std::vector<RUN_STEP_> m_steps;
};

#endif
