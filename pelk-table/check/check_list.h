#ifndef PELK_TABLE_CHECK_CHECK_LIST_H
#define PELK_TABLE_CHECK_CHECK_LIST_H

#include <string>

#include "pelk-table/check/finding.h"

/// What a check is: its stable name, its severity and one sentence on what
/// it finds.
struct CHECK_ {
    const char* name;
    FINDING_::Severity severity;
    const char* description;
};

/// CCheckList is the one list of checks, in the order they are run.
class CCheckList {
public:
    static int count();
    static const CHECK_& at(int i);
    /// The check called name; null when there is none.
    static const CHECK_* byName(const std::string& name);
};

#endif
