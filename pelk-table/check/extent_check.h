#ifndef PELK_TABLE_CHECK_EXTENT_CHECK_H
#define PELK_TABLE_CHECK_EXTENT_CHECK_H

#include <set>
#include <utility>
#include <vector>

#include "pelk-table/check/finding.h"

class CCheckContext;
class CTableModel;

/// CExtentCheck finds a table that reaches past what it shows: every record
/// ending in empty fields, or records of empty fields at its end, as a
/// spreadsheet's export gives when a note, spaces or a hyperlink lie far
/// from the table (or a TSV file made by hand has them). It is one finding,
/// naming the cell that stretches the table, in place of the findings
/// about each empty event and state the stretch makes.
class CExtentCheck {
public:
    /// Adds the sheet-extent findings (one for the width and one for the
    /// height, or one for both when one cell makes both).
    static void run(CCheckContext& context);
    /// Drops the findings at the fields the stretch adds, when a
    /// sheet-extent finding names it.
    static void dropStretched(const CTableModel& model, std::vector<FINDING_>& findings);

private:
    /// The last row (record) and column (field) of the table that hold
    /// something but spaces; false when the table holds nothing past them.
    static bool stretched(const CTableModel& model, int& lastRow, int& lastColumn);
};

#endif
