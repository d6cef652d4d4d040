#ifndef PELK_TABLE_CHECK_FINDING_H
#define PELK_TABLE_CHECK_FINDING_H

#include <string>
#include <vector>

#include "pelk-table/model/table_model.h"

/// One other place a finding involves, such as the first of two duplicates.
struct NOTE_ {
    PLACE_ place;
    std::string message;
};

/// One thing a check found, at its place in the file.
struct FINDING_ {
    enum Severity { kWarning, kError };
    std::string check;  ///< the check's name, e.g. "duplicate-name"
    Severity severity;
    PLACE_ place;
    std::string message;  ///< ends with the spreadsheet cell: "(cell D3)"
    std::vector<NOTE_> notes;
};

#endif
