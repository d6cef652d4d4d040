#ifndef PELK_TABLE_MODEL_TABLE_RULES_H
#define PELK_TABLE_MODEL_TABLE_RULES_H

#include <string>
#include <vector>

class CSTTable;

/// What one cell of a table does when the machine takes its event.
struct CELL_OUTCOME_ {
    int next = -1;                     ///< the next state as the cell names it; -1: no transition
    std::vector<std::string> actions;  ///< the actions called, in order; the markers "-" and "*" left out

    bool transition() const { return next >= 0; }
    /// True when the cell makes a transition or calls an action.
    bool doesSomething() const { return next >= 0 || !actions.empty(); }
    bool operator==(const CELL_OUTCOME_& other) const { return next == other.next && actions == other.actions; }
    bool operator!=(const CELL_OUTCOME_& other) const { return !(*this == other); }
};

/// CTableRules is the one home of the small rules every part of pelk-table
/// reads a table by: what a cell does, how a typed name finds a state or an
/// event, how a state past the last one is named, and how a spreadsheet
/// names a cell. The page takes their results from the model JSON instead
/// of deciding again.
class CTableRules {
public:
    /// The outcome of the cell of state s for event e; no transition and no
    /// actions for a cell the table does not hold.
    static CELL_OUTCOME_ outcome(const CSTTable& table, int s, int e);

    /// The state a text names: a state's name first (the first of that
    /// name), else a decimal number below the state count; -1 for neither.
    static int findState(const CSTTable& table, const std::string& text);
    /// The event a text names, by the same rule; -1 for neither.
    static int findEvent(const CSTTable& table, const std::string& text);

    /// A state as traces name it: its name, or "#N" for a number that is no
    /// state of the table (past the last one).
    static std::string stateLabel(const CSTTable& table, int s);

    /// The spreadsheet name of a cell: column letters, then the row number,
    /// both counted from 0 here ("C3" for row 2, column 2).
    static std::string cellName(int row, int column);
};

#endif
