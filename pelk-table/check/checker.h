#ifndef PELK_TABLE_CHECK_CHECKER_H
#define PELK_TABLE_CHECK_CHECKER_H

#include <set>
#include <string>
#include <vector>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"

class CTableModel;

/// How a check run is set up.
struct CHECK_OPTIONS_ {
    const TARGET_* target = &CTargets::defaultTarget();
    std::string machineName;         ///< -n; the table is read with it
    bool machineNameGiven = false;   ///< -n given: check the generated symbols
    bool warningsAreErrors = false;  ///< --werror
    std::set<CHECK_ID_> disabled;    ///< checks turned off with -Wno-<check>
    std::set<CHECK_ID_> errors;      ///< -Werror=<check>: its warnings are errors
    std::set<CHECK_ID_> notErrors;   ///< -Wno-error=<check>: its warnings stay warnings under --werror
};

/// CChecker runs every check on a model and gives the findings, ordered by
/// their place in the file. A finding for which pelk refuses the file is
/// kept, and an error, whatever the options say.
class CChecker {
public:
    static std::vector<FINDING_> run(const CTableModel& model, const CHECK_OPTIONS_& options);

    /// True when a finding is an error.
    static bool hasErrors(const std::vector<FINDING_>& findings);

    /// True when pelk refuses the table of these findings: the one rule,
    /// a finding marked refusal.
    static bool refuses(const std::vector<FINDING_>& findings);
    /// The findings for which pelk refuses the table.
    static std::vector<FINDING_> refusals(const std::vector<FINDING_>& findings);
    /// The finding of a model that could not be read: "cannot open 'FILE':
    /// REASON", or "FILE: REASON" for a workbook that cannot be converted.
    static FINDING_ unreadable(const CTableModel& model);
};

#endif
