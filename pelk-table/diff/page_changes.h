#ifndef PELK_TABLE_DIFF_PAGE_CHANGES_H
#define PELK_TABLE_DIFF_PAGE_CHANGES_H

#include <ostream>
#include <string>
#include <vector>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"

class CTableModel;

/// CPageChanges gives the page of a table (pelk-table html --compare OLD)
/// the changes since OLD: the JSON of pelk-table diff --format=json with the
/// text lines added as "lines" and each cell's next state with its "label",
/// which page_changes.js marks on the page.
class CPageChanges {
public:
    /// Loads and checks the table at oldPath as check does with -n and -a,
    /// compares it with model and writes the JSON to json. False, after
    /// saying why on err, when OLD cannot be read or pelk refuses it.
    static bool describe(const std::string& oldPath, const std::string& machineName, bool machineNameGiven,
                         const TARGET_& target, const CTableModel& model, const std::vector<FINDING_>& findings,
                         std::string& json, std::ostream& err);
};

#endif
