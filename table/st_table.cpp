#include "table/st_table.h"

#include <algorithm>

CSTTable::CSTTable(const char* machineName, const char* contextFile)
    : m_machineName(machineName ? machineName : ""),
      m_nopMarkers{"-", "*"} {
    if (contextFile)
        m_contextFile = contextFile;
}

CSTTable::~CSTTable() = default;

int CSTTable::stateCount() const {
    return static_cast<int>(m_states.size());
}

int CSTTable::eventCount() const {
    return static_cast<int>(m_events.size());
}

std::string CSTTable::stateName(int i) const {
    if (i < 0 || i >= stateCount())
        return std::string();
    return m_states[static_cast<size_t>(i)].name;
}

std::string CSTTable::eventName(int i) const {
    if (i < 0 || i >= eventCount())
        return std::string();
    return m_events[static_cast<size_t>(i)];
}

// The loader guarantees a cell for every event of every state; the size
// check below keeps a table built in code from reaching past its cells.
const CELL_* CSTTable::cell(int e, int s) const {
    if (s < 0 || s >= stateCount() || e < 0 || e >= eventCount())
        return nullptr;
    const ONE_STATE_& state = m_states[static_cast<size_t>(s)];
    if (static_cast<size_t>(e) >= state.cells.size())
        return nullptr;
    return &state.cells[static_cast<size_t>(e)];
}

int CSTTable::nextState(int e, int s) const {
    const CELL_* found = cell(e, s);
    return found ? found->nextState : -1;
}

const std::vector<std::string>* CSTTable::cellActions(int e, int s) const {
    const CELL_* found = cell(e, s);
    return found ? &found->actions : nullptr;
}

const std::string& CSTTable::contextFile() const {
    return m_contextFile;
}

const std::string& CSTTable::machineName() const {
    return m_machineName;
}

bool CSTTable::isNopAction(const std::string& name) const {
    return std::find(m_nopMarkers.begin(), m_nopMarkers.end(), name) != m_nopMarkers.end();
}

void CSTTable::appendEvent(const std::string& name) {
    m_events.push_back(name);
}

void CSTTable::appendState(const ONE_STATE_& state) {
    m_states.push_back(state);
}
