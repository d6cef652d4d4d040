#ifndef PELK_TABLE_CHECK_FINDING_H
#define PELK_TABLE_CHECK_FINDING_H

#include <string>
#include <vector>

#include "pelk-table/model/table_model.h"

/// The checks, by handle, in the order of the check list
/// (pelk-table/check/check_list.cpp), which gives each its name.
enum CHECK_ID_ {
    kCheckTableFormat,
    kCheckEncoding,
    kCheckEmptyMachine,
    kCheckDuplicateName,
    kCheckInvalidIdentifier,
    kCheckSymbolCollision,
    kCheckAsmRowSize,
    kCheckNextStateOverflow,
    kCheckNextStateRange,
    kCheckUnreachableState,
    kCheckTrapState,
    kCheckUnusedEvent,
    kCheckExtraCells,
    kCheckMergedCells,
    kCheckCount  ///< the number of checks, no check
};

/// One other place a finding involves, such as the first of two duplicates.
struct NOTE_ {
    PLACE_ place;
    std::string message;
};

/// One thing a check found, at its place in the file.
struct FINDING_ {
    enum Severity { kWarning, kError };
    CHECK_ID_ id = kCheckTableFormat;
    std::string check;  ///< the check's name, e.g. "duplicate-name" (the list's name of id)
    Severity severity = kError;
    PLACE_ place;
    std::string message;  ///< ends with the spreadsheet cell: "(cell D3)"
    std::vector<NOTE_> notes;
    /// pelk refuses the file for it: always an error, whatever the options.
    bool refusal = false;
};

#endif
