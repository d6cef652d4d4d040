#include "pelk-table/check/checker.h"

#include <algorithm>

#include "pelk-table/check/check_context.h"
#include "pelk-table/check/format_check.h"
#include "pelk-table/check/graph_check.h"
#include "pelk-table/check/name_check.h"
#include "pelk-table/model/table_model.h"

// The graph of a table that pelk refuses is not the graph the file meant, so
// the graph checks wait until the table reads cleanly.
std::vector<FINDING_> CChecker::run(const CTableModel& model, const CHECK_OPTIONS_& options) {
    const CTargetSymbols symbols(*options.target, model.table().machineName());
    CCheckContext context(model, symbols, options.machineNameGiven);
    CFormatCheck::run(context);
    const bool readable = context.findings.empty() && !model.hasFormatErrors();
    CFormatCheck::runMerges(context);
    CNameCheck::run(context);
    if (readable)
        CGraphCheck::run(context);

    std::vector<FINDING_> findings;
    for (FINDING_& finding : context.findings) {
        if (options.disabled.count(finding.check) != 0)
            continue;
        if (options.warningsAreErrors)
            finding.severity = FINDING_::kError;
        findings.push_back(std::move(finding));
    }
    std::stable_sort(findings.begin(), findings.end(), [](const FINDING_& a, const FINDING_& b) {
        return a.place.line != b.place.line ? a.place.line < b.place.line : a.place.column < b.place.column;
    });
    return findings;
}

bool CChecker::hasErrors(const std::vector<FINDING_>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const FINDING_& finding) { return finding.severity == FINDING_::kError; });
}
