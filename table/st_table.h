#ifndef PELK_TABLE_ST_TABLE_H
#define PELK_TABLE_ST_TABLE_H

#include <cstdint>
#include <string>
#include <vector>

class CKerrowLibrary;

/// One cell of the table: what happens when an event arrives in a state.
struct CELL_ {
    int32_t eventIndex;                ///< position of the cell's column among the events
    int32_t nextState;                 ///< state to change to; -1 for no transition
    std::vector<std::string> actions;  ///< action names in table order; "-" and "*" are no-ops
};

/// One state of the table: its name and one cell per event column.
struct ONE_STATE_ {
    std::string name;
    std::vector<CELL_> cells;
};

/// CSTTable is the in-memory state transition table. States and events are
/// numbered from 0 in file order; every text is owned by the table.
class CSTTable {
public:
    /// Copies the machine name, and the context file name unless it is null.
    CSTTable(const char* machineName, const char* contextFile);
    ~CSTTable();

    CSTTable(const CSTTable&) = delete;
    CSTTable& operator=(const CSTTable&) = delete;

    /// Reads the table file through the splitter library. 0 on success, -1
    /// after reporting the failure on standard error.
    int load(const char* tablePath);

    int stateCount() const;
    int eventCount() const;
    /// Name of state i; empty when i is out of range.
    std::string stateName(int i) const;
    /// Name of event i; empty when i is out of range.
    std::string eventName(int i) const;
    /// Next state of the cell (event e, state s); -1 for no transition or an
    /// index out of range.
    int nextState(int e, int s) const;
    /// Actions of the cell (event e, state s), valid while the table lives;
    /// null for an index out of range.
    const std::vector<std::string>* cellActions(int e, int s) const;
    /// The context file name; empty when none was given.
    const std::string& contextFile() const;
    const std::string& machineName() const;
    /// True when name is a no-operation marker, "-" or "*" (exact match).
    bool isNopAction(const std::string& name) const;

    /// Appends an event name; for tables built in code.
    void appendEvent(const std::string& name);
    /// Appends a state; for tables built in code.
    void appendState(const ONE_STATE_& state);

private:
    const CELL_* cell(int e, int s) const;

    /// Reads the library's records into the table; 0, or 1 after reporting
    /// the first problem.
    int readRecords(CKerrowLibrary& library);

    std::string m_contextFile;
    std::string m_machineName;
    std::vector<ONE_STATE_> m_states;
    std::vector<std::string> m_events;
    std::vector<std::string> m_nopMarkers;
};

#endif
