#ifndef PELK_TABLE_CHECK_SHEET_FINDINGS_H
#define PELK_TABLE_CHECK_SHEET_FINDINGS_H

#include "pelk-table/check/finding.h"
#include "pelk-table/workbook/sheet_text.h"

/// CSheetFindings maps a workbook's sheet problem, which the workbook layer
/// keeps as data, to the check it belongs to and the message it says.
class CSheetFindings {
public:
    /// The check of problem: workbook-value, workbook-formula,
    /// workbook-text, merged-cells or sheet-extent.
    static CHECK_ID_ check(const SHEET_PROBLEM_& problem);
    /// The message of problem, with its arguments.
    static MESSAGE_ message(const SHEET_PROBLEM_& problem);
};

#endif
