#include "pelk-table/check/checker.h"

#include <algorithm>
#include <iterator>

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
        if (finding.refusal) {
            finding.severity = FINDING_::kError;
            findings.push_back(std::move(finding));
            continue;
        }
        if (options.disabled.count(finding.id) != 0)
            continue;
        if (options.errors.count(finding.id) != 0 ||
            (options.warningsAreErrors && options.notErrors.count(finding.id) == 0))
            finding.severity = FINDING_::kError;
        findings.push_back(std::move(finding));
    }
    std::stable_sort(findings.begin(), findings.end(), [](const FINDING_& a, const FINDING_& b) {
        return a.place.line != b.place.line ? a.place.line < b.place.line : a.place.column < b.place.column;
    });
    return findings;
}

bool CChecker::refuses(const std::vector<FINDING_>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const FINDING_& finding) { return finding.refusal; });
}

std::vector<FINDING_> CChecker::refusals(const std::vector<FINDING_>& findings) {
    std::vector<FINDING_> refusing;
    std::copy_if(findings.begin(), findings.end(), std::back_inserter(refusing),
                 [](const FINDING_& finding) { return finding.refusal; });
    return refusing;
}

FINDING_ CChecker::unreadable(const CTableModel& model) {
    FINDING_ finding;
    finding.id = kCheckTableFormat;
    finding.severity = FINDING_::kError;
    finding.refusal = true;
    finding.message = {model.opened() ? kMessageCannotReadFile : kMessageCannotOpenFile,
                       {ARGUMENT_::ofText(model.displayName()), ARGUMENT_::ofText(model.loadError())}};
    return finding;
}

bool CChecker::hasErrors(const std::vector<FINDING_>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const FINDING_& finding) { return finding.severity == FINDING_::kError; });
}
