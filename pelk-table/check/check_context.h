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

    /// Adds a finding of check at place; " (cell X)" is appended to the
    /// message when the place has a cell. A table-format finding is a
    /// refusal of pelk's.
    FINDING_& add(CHECK_ID_ check, const PLACE_& place, const std::string& message);
    /// Adds a note to finding.
    static void note(FINDING_& finding, const PLACE_& place, const std::string& message);

    /// name in single quotes; control bytes and bytes that are not UTF-8
    /// written as escapes.
    static std::string quoted(const std::string& name);

    const CTableModel& model;
    const CTargetSymbols& symbols;
    const bool machineNameGiven;
    std::vector<FINDING_> findings;
};

#endif
