#include "pelk-table/run/machine_run.h"

#include <string>

#include "pelk-table/model/table_rules.h"

CMachineRun::CMachineRun(const CSTTable& table, int start)
    : m_table(table),
      m_state(start) {}

RUN_STEP_ CMachineRun::step(const CSTTable& table, int state, int event) {
    RUN_STEP_ step;
    step.state = state;
    step.event = event;
    CELL_OUTCOME_ outcome = CTableRules::outcome(table, state, event);
    step.transition = outcome.transition();
    step.next = step.transition ? outcome.next : state;
    step.actions = std::move(outcome.actions);
    return step;
}

const RUN_STEP_& CMachineRun::take(int event) {
    RUN_STEP_ taken = step(m_table, m_state, event);
    taken.step = static_cast<int>(m_steps.size()) + 1;
    m_state = taken.next;
    m_steps.push_back(std::move(taken));
    return m_steps.back();
}

std::string CMachineRun::stopReason(const CSTTable& table, int next) {
    const int states = table.stateCount();
    if (next == -1 || (next >= 0 && next < states))
        return std::string();
    const std::string n = std::to_string(next);
    if (next >= 0 && next < 256)
        return "the generated machine stores " + n +
               " and its next event calls through an entry past the end of its vector table";
    // The state is one byte: C keeps the low eight bits.
    const int stored = static_cast<int>(static_cast<unsigned>(next) & 0xFFu);
    const std::string kept = std::to_string(stored);
    return "the generated machine cannot store " + n + " in its one-byte state: the C targets store " + kept + " (" +
           n + " mod 256) and go on in state " + kept +
           (stored < states ? " '" + table.stateName(stored) + "'" : std::string(", past the last state, too")) +
           "; the assemblers refuse 'mov a,#" + n + "'";
}

std::string CMachineRun::stopSentence(const CSTTable& table, int state, int event, int next) {
    return CTableRules::stateLabel(table, state) + " on " + table.eventName(event) + " goes to state " +
           std::to_string(next) + ", past the last state (" + std::to_string(table.stateCount() - 1) +
           "): " + stopReason(table, next);
}

std::vector<std::string> CMachineRun::stateNames(const CSTTable& table) {
    std::vector<std::string> names;
    for (int s = 0; s < table.stateCount(); ++s)
        names.push_back(table.stateName(s));
    return names;
}

std::vector<std::string> CMachineRun::eventNames(const CSTTable& table) {
    std::vector<std::string> names;
    for (int e = 0; e < table.eventCount(); ++e)
        names.push_back(table.eventName(e));
    return names;
}
