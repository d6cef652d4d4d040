#include "pelk-table/run/machine_run.h"

#include <string>

#include "table/table_reader.h"

namespace {

// A name wins over a number, so a table whose event is called "1" still
// reaches it by that name; the number is the fallback.
int find(const std::string& text, int count, std::string (CSTTable::*nameOf)(int) const, const CSTTable& table) {
    for (int i = 0; i < count; ++i) {
        if ((table.*nameOf)(i) == text)
            return i;
    }
    if (text.size() > 9 || !CTableReader::isNumber(text.c_str()))
        return -1;
    const int number = std::stoi(text);
    return number < count ? number : -1;
}

}  // namespace

CMachineRun::CMachineRun(const CSTTable& table, int start)
    : m_table(table),
      m_state(start) {}

RUN_STEP_ CMachineRun::step(const CSTTable& table, int state, int event) {
    RUN_STEP_ step;
    step.state = state;
    step.event = event;
    const int next = table.nextState(event, state);
    step.transition = next != -1;
    step.next = step.transition ? next : state;
    if (const std::vector<std::string>* actions = table.cellActions(event, state)) {
        for (const std::string& action : *actions) {
            if (!table.isNopAction(action))
                step.actions.push_back(action);
        }
    }
    return step;
}

const RUN_STEP_& CMachineRun::take(int event) {
    RUN_STEP_ taken = step(m_table, m_state, event);
    taken.step = static_cast<int>(m_steps.size()) + 1;
    m_state = taken.next;
    m_steps.push_back(std::move(taken));
    return m_steps.back();
}

int CMachineRun::findState(const CSTTable& table, const std::string& text) {
    return find(text, table.stateCount(), &CSTTable::stateName, table);
}

int CMachineRun::findEvent(const CSTTable& table, const std::string& text) {
    return find(text, table.eventCount(), &CSTTable::eventName, table);
}
