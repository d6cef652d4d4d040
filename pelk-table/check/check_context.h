#ifndef PELK_TABLE_CHECK_CHECK_CONTEXT_H
#define PELK_TABLE_CHECK_CHECK_CONTEXT_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/check/target_symbols.h"

class CTableModel;

/// CCheckContext is what every check works with: the model, the target's
/// symbols, and the list the findings go to.
class CCheckContext {
public:
    CCheckContext(const CTableModel& model, const CTargetSymbols& symbols, bool machineNameGiven)
        : model(model),
          symbols(symbols),
          machineNameGiven(machineNameGiven) {}

    /// Adds a finding of check at place, about subject, saying message. A
    /// table-format finding is a refusal of pelk's.
    FINDING_& add(CHECK_ID_ check, const PLACE_& place, MESSAGE_ message, SUBJECT_ subject = SUBJECT_());
    /// Adds a note to finding.
    static void note(FINDING_& finding, const PLACE_& place, MESSAGE_ message);

    /// The subject of state s, of event e, of the cell (s, e); names from
    /// the model's table. An action's subject is its name alone, and a cell's
    /// action the cell's subject with the action's name.
    SUBJECT_ stateSubject(int s) const;
    SUBJECT_ eventSubject(int e) const;
    SUBJECT_ cellSubject(int s, int e) const;
    static SUBJECT_ actionSubject(const std::string& action);
    /// State s, event e as arguments: "state 3 'NAME'", "event 1 'NAME'".
    ARGUMENT_ state(int s) const;
    ARGUMENT_ event(int e) const;

    const CTableModel& model;
    const CTargetSymbols& symbols;
    const bool machineNameGiven;
    std::vector<FINDING_> findings;
};

#endif
