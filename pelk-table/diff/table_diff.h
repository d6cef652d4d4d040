#ifndef PELK_TABLE_DIFF_TABLE_DIFF_H
#define PELK_TABLE_DIFF_TABLE_DIFF_H

#include <string>
#include <vector>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"
#include "pelk-table/diff/table_change.h"

class CSTTable;
class CTableModel;

/// One side of a comparison: a loaded table and the findings of check on
/// it, or no table at all (a file added or removed).
struct DIFF_SIDE_ {
    const CTableModel* model = nullptr;  ///< null for no table
    std::vector<FINDING_> findings;
};

/// CTableDiff compares two tables as machines. States and events are
/// matched by name (the n-th of a name with the n-th of that name); a state
/// or event that lost its name and one that gained a name at the same
/// position (just after what their predecessor became) are one renamed,
/// when their cells agree. Two cells agree when
/// their next states are the same state (or both none) and they call the
/// same actions in the same order, the no-operation markers left out.
class CTableDiff {
public:
    static TABLE_DIFF_ compare(const DIFF_SIDE_& before, const DIFF_SIDE_& after);

    /// What cell (state s, event e) of table does.
    static CELL_MEANING_ meaning(const CSTTable& table, int s, int e);

    /// "→ IDLE / LampOff, Beep", "- / Beep" without transition, "-" for a
    /// cell that does nothing, "→ #5" past the last state.
    static std::string cellText(const CELL_MEANING_& cell);

    /// What makes two findings of two tables the same: the check, the
    /// message and the names of its subject (never their numbers, nor the
    /// message's text).
    static std::string findingKey(const FINDING_& finding);

    /// The change in the size of the vector table: "4 → 6 entries, 8 → 12
    /// bytes (2 bytes an entry on NRA78K0)"; empty when the size is the same.
    static std::string vectorTableText(const TABLE_DIFF_& diff, const TARGET_& target);
};

#endif
