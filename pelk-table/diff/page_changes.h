#ifndef PELK_TABLE_DIFF_PAGE_CHANGES_H
#define PELK_TABLE_DIFF_PAGE_CHANGES_H

#include <string>
#include <vector>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"
#include "pelk-table/diff/table_diff.h"

class CTableModel;

/// CPageChanges gives the page of a table (pelk-table html --compare OLD)
/// the changes since OLD: the JSON of pelk-table diff --format=json with the
/// text lines added as "lines" and each cell's next state with its "label",
/// which page_changes.js marks on the page.
class CPageChanges {
public:
    /// The JSON of the changes from before (a table pelk accepts, named
    /// oldLabel) to model with its findings.
    static std::string describe(const DIFF_SIDE_& before, const std::string& oldLabel, const CTableModel& model,
                                const std::vector<FINDING_>& findings, const TARGET_& target);
};

#endif
