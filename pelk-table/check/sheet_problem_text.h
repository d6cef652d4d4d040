#ifndef PELK_TABLE_CHECK_SHEET_PROBLEM_TEXT_H
#define PELK_TABLE_CHECK_SHEET_PROBLEM_TEXT_H

#include <string>

#include "pelk-table/workbook/sheet_text.h"

/// CSheetProblemText words a sheet problem, from its kind and arguments:
/// what the cell holds, why pelk cannot take it as shown, and what to do.
class CSheetProblemText {
public:
    /// The message of problem; a cell outside the table says that it is
    /// written empty.
    static std::string message(const SHEET_PROBLEM_& problem);
};

#endif
