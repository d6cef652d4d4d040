#ifndef PELK_TABLE_CHECK_CHECK_LIST_H
#define PELK_TABLE_CHECK_CHECK_LIST_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"

/// What a check is: its handle, its stable name, its severity and one
/// sentence on what it finds.
struct CHECK_ {
    CHECK_ID_ id;
    const char* name;
    FINDING_::Severity severity;
    const char* description;
};

/// CCheckList is the one list of checks, in the order they are run. The
/// checks name their entries by handle (CHECK_ID_); the name is said only
/// here.
class CCheckList {
public:
    static int count();
    static const CHECK_& at(int i);
    /// The entry of a handle.
    static const CHECK_& of(CHECK_ID_ id);
    /// The check called name; null when there is none.
    static const CHECK_* byName(const std::string& name);
    /// The names of every check, in list order.
    static std::vector<std::string> names();
    /// The "Checks:" lines of the help, the names wrapped to width columns.
    static std::string helpList(std::size_t width);
};

#endif
