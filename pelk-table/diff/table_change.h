#ifndef PELK_TABLE_DIFF_TABLE_CHANGE_H
#define PELK_TABLE_DIFF_TABLE_CHANGE_H

#include <string>
#include <vector>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"

/// A state or an event that one table has and the other has not, that
/// changed its name in place, or that changed its number.
struct NAME_CHANGE_ {
    enum Kind { kAdded, kRemoved, kRenamed, kRenumbered };
    Kind kind;
    std::string oldName;  ///< empty when added
    std::string newName;  ///< empty when removed
    int oldNumber = -1;   ///< -1 when added
    int newNumber = -1;   ///< -1 when removed
};

/// What a cell does, as the reviewer reads it: the next state (-1 for none)
/// and the actions called, in order, without the no-operation markers.
struct CELL_MEANING_ {
    int next = -1;
    std::string nextName;   ///< the next state's name; empty for none or past the last state
    std::string nextLabel;  ///< the next state's name, or "#N" past the last state; empty for none
    std::vector<std::string> actions;
};

/// One cell whose meaning differs: a cell of both tables, or the cell of a
/// state or event that only one table has (when it does something).
struct CELL_CHANGE_ {
    enum Kind { kChanged, kAdded, kRemoved };
    Kind kind;
    std::string state;                 ///< the state's name in NEW (in OLD when removed)
    std::string event;                 ///< the event's name in NEW (in OLD when removed)
    int oldState = -1, oldEvent = -1;  ///< -1 when the cell is only in NEW
    int newState = -1, newEvent = -1;  ///< -1 when the cell is only in OLD
    std::string oldCell;               ///< spreadsheet name in OLD; empty when added
    std::string newCell;               ///< spreadsheet name in NEW; empty when removed
    CELL_MEANING_ before;              ///< meaningless when added
    CELL_MEANING_ after;               ///< meaningless when removed
};

/// A finding of check that only one of the tables has.
struct FINDING_CHANGE_ {
    bool appeared;  ///< true: only NEW has it; false: only OLD had it
    FINDING_ finding;
};

/// The size of the generated vector table: one entry per cell.
struct VECTOR_TABLE_ {
    int states = 0;
    int events = 0;
    int entries() const { return states * events; }
};

/// Everything that differs between two machines, and what follows from it.
struct TABLE_DIFF_ {
    std::vector<NAME_CHANGE_> states;  ///< removed, added, renamed, renumbered, in that order
    std::vector<NAME_CHANGE_> events;  ///< likewise
    std::vector<CELL_CHANGE_> cells;   ///< in NEW's order, removed cells after them

    /// The state the machine starts in, where it changed: empty names
    /// otherwise (a table without states has none).
    std::string oldStart, newStart;
    bool startChanged = false;
    std::vector<std::string> unreachable;     ///< states of both that NEW no longer reaches
    std::vector<std::string> reachableAgain;  ///< states of both that OLD did not reach and NEW does
    std::vector<std::string> nowUnused;       ///< events of NEW that do nothing anywhere and did in OLD
    std::vector<std::string> nowUsed;         ///< events of both that did nothing in OLD and do something in NEW
    std::vector<FINDING_CHANGE_> findings;    ///< disappeared first, then appeared
    VECTOR_TABLE_ oldVectors, newVectors;

    /// Matching of the two tables: index in the other table, -1 for none.
    std::vector<int> oldToNewState, newToOldState, oldToNewEvent, newToOldEvent;

    /// True when the two tables make the same machine.
    bool same() const { return states.empty() && events.empty() && cells.empty(); }
};

/// How a comparison is shown: the names of the two tables, the target
/// whose vector table is counted, and the form's switches.
struct DIFF_FORM_ {
    std::string oldLabel;  ///< the old table as the output names it
    std::string newLabel;
    const TARGET_* target = &CTargets::defaultTarget();
    bool colour = false;     ///< text: ANSI colours
    bool gitHeader = false;  ///< text: a first line naming the file, for git
};

#endif
