#include "pelk-table/check/extent_check.h"

#include <algorithm>

#include "pelk-table/check/check_context.h"
#include "pelk-table/check/sheet_findings.h"
#include "pelk-table/model/table_model.h"

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

bool CExtentCheck::stretched(const CTableModel& model, int& lastRow, int& lastColumn) {
    const int header = model.layout().headerRecord;
    const std::vector<CTableFile::RECORD_>& records = model.file().records();
    if (header < 0)
        return false;
    // A workbook's refused cell reads as empty, but holds something.
    std::set<std::pair<int, int>> refused;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (problem.error)
            refused.insert({problem.row, problem.column});
    }
    lastRow = header;
    lastColumn = -1;
    int width = 0;
    for (int r = header; r < static_cast<int>(records.size()); ++r) {
        const std::vector<CTableFile::FIELD_>& fields = records[static_cast<std::size_t>(r)].fields;
        width = std::max(width, static_cast<int>(fields.size()));
        for (int f = 0; f < static_cast<int>(fields.size()); ++f) {
            if (!blank(fields[static_cast<std::size_t>(f)].text) || refused.count({r, f}) != 0) {
                lastRow = r;
                lastColumn = std::max(lastColumn, f);
            }
        }
    }
    // An empty line (one empty field) after the table has a finding of its
    // own; records of empty fields are a stretch.
    bool tall = false;
    for (int r = lastRow + 1; r < static_cast<int>(records.size()); ++r)
        tall = tall || records[static_cast<std::size_t>(r)].fields.size() > 1;
    if (!tall)
        lastRow = static_cast<int>(records.size()) - 1;
    return width - 1 > lastColumn || tall;
}

void CExtentCheck::run(CCheckContext& context) {
    const CTableModel& model = context.model;
    int lastRow = 0;
    int lastColumn = 0;
    if (!stretched(model, lastRow, lastColumn))
        return;
    // A workbook names the cell: a note, spaces, a hyperlink.
    bool named = false;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (CSheetFindings::check(problem) != kCheckSheetExtent)
            continue;
        context.add(kCheckSheetExtent, model.place(problem.row, problem.column), CSheetFindings::message(problem))
            .refusal = true;
        named = true;
    }
    if (named)
        return;
    // A text file: the last field of the widest record, the last record.
    const std::vector<CTableFile::RECORD_>& records = model.file().records();
    const int header = model.layout().headerRecord;
    int width = 0;
    int widest = header;
    for (int r = header; r < static_cast<int>(records.size()); ++r) {
        const int fields = static_cast<int>(records[static_cast<std::size_t>(r)].fields.size());
        if (fields > width) {
            width = fields;
            widest = r;
        }
    }
    if (width - 1 > lastColumn)
        context
            .add(kCheckSheetExtent, model.place(widest, width - 1),
                 {kMessageTrailingColumn, {ARGUMENT_::ofNumber(width - 1 - lastColumn)}})
            .refusal = true;
    const int last = static_cast<int>(records.size()) - 1;
    if (last > lastRow)
        context
            .add(kCheckSheetExtent, model.place(last, 0), {kMessageTrailingRows, {ARGUMENT_::ofNumber(last - lastRow)}})
            .refusal = true;
}

void CExtentCheck::dropStretched(const CTableModel& model, std::vector<FINDING_>& findings) {
    int lastRow = 0;
    int lastColumn = 0;
    if (std::none_of(findings.begin(), findings.end(),
                     [](const FINDING_& finding) { return finding.id == kCheckSheetExtent; }) ||
        !stretched(model, lastRow, lastColumn))
        return;
    std::set<std::pair<int, int>> added;
    const std::vector<CTableFile::RECORD_>& records = model.file().records();
    for (int r = model.layout().headerRecord; r < static_cast<int>(records.size()); ++r) {
        const std::vector<CTableFile::FIELD_>& fields = records[static_cast<std::size_t>(r)].fields;
        for (int f = 0; f < static_cast<int>(fields.size()); ++f) {
            if (r > lastRow || f > lastColumn)
                added.insert({fields[static_cast<std::size_t>(f)].line, fields[static_cast<std::size_t>(f)].column});
        }
    }
    findings.erase(
        std::remove_if(
            findings.begin(), findings.end(),
            [&added](const FINDING_& finding) {
                return finding.id != kCheckSheetExtent && added.count({finding.place.line, finding.place.column}) != 0;
            }),
        findings.end());
}
