#include "pelk-table/model/table_model.h"

#include <utility>

#include "pelk-table/workbook/workbook_input.h"

CTableModel::CTableModel(std::string path, std::string machineName)
    : m_path(std::move(path)),
      m_table(machineName.c_str(), nullptr) {}

bool CTableModel::load() {
    if (CWorkbookInput::isWorkbook(m_path) && !readWorkbook())
        return false;
    const bool split = isWorkbook() || m_file.read(m_path);
    if (!split && !m_file.errors().empty() && m_file.errors()[0].kind == CTableFile::SPLIT_ERROR_::kCannotOpen)
        return false;
    CTableReader reader(m_file, *this);
    reader.readRecords(m_table);
    m_layout = reader.layout();
    // Field counts are compared with the first state record's; when that one
    // is broken, its count says nothing.
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    if (!m_layout.stateRecords.empty() && records[static_cast<size_t>(m_layout.stateRecords[0])].broken) {
        std::vector<TABLE_PROBLEM_> kept;
        for (const TABLE_PROBLEM_& problem : m_problems) {
            if (problem.kind != TABLE_PROBLEM_::kFieldCountDiffers)
                kept.push_back(problem);
        }
        m_problems.swap(kept);
    }
    return true;
}

// A workbook's sheet becomes the text pelk reads; the problems of its cells
// within the table are kept, those outside it (written empty) are not.
bool CTableModel::readWorkbook() {
    CWorkbookInput input;
    if (!input.read(m_path, m_sheet, false, m_loadError))
        return false;
    m_sheetReference = input.sheetReference();
    for (const SHEET_PROBLEM_& problem : input.problems()) {
        if (problem.inTable)
            m_workbookProblems.push_back(problem);
    }
    m_file.split(input.text());
    return true;
}

bool CTableModel::hasWorkbookErrors() const {
    for (const SHEET_PROBLEM_& problem : m_workbookProblems) {
        if (problem.error)
            return true;
    }
    return false;
}

// A problem in a record the splitter could not split is that record's syntax
// error, already known; an empty file has no header for the same reason.
bool CTableModel::report(const TABLE_PROBLEM_& problem) {
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    const bool broken = problem.record >= 0 && problem.record < static_cast<int>(records.size()) &&
                        records[static_cast<size_t>(problem.record)].broken;
    const bool nothingRead = records.empty() && !m_file.errors().empty();
    // A cell the workbook could not give reads as empty; its error says why.
    bool refusedCell = false;
    for (const SHEET_PROBLEM_& refused : m_workbookProblems)
        refusedCell =
            refusedCell || (refused.error && refused.row == problem.record && refused.column == problem.field);
    if (!broken && !nothingRead && !refusedCell)
        m_problems.push_back(problem);
    return true;
}

bool CTableModel::recordHasProblem(int record) const {
    for (const TABLE_PROBLEM_& problem : m_problems) {
        if (problem.record == record)
            return true;
    }
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    return record >= 0 && record < static_cast<int>(records.size()) && records[static_cast<size_t>(record)].broken;
}

PLACE_ CTableModel::place(int record, int field) const {
    PLACE_ place;
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    if (record < 0 || record >= static_cast<int>(records.size()))
        return place;
    const std::vector<CTableFile::FIELD_>& fields = records[static_cast<size_t>(record)].fields;
    if (fields.empty())
        return place;
    if (field < 0)
        field = 0;
    if (field >= static_cast<int>(fields.size()))
        field = static_cast<int>(fields.size()) - 1;
    place.line = fields[static_cast<size_t>(field)].line;
    place.column = fields[static_cast<size_t>(field)].column;
    place.cell = cellName(record, field);
    place.characterColumn = m_file.characterColumn(place.line, place.column);
    place.sheet = m_sheetReference;
    return place;
}

PLACE_ CTableModel::stateNamePlace(int s) const {
    if (s < 0 || s >= static_cast<int>(m_layout.stateRecords.size()))
        return PLACE_();
    return place(m_layout.stateRecords[static_cast<size_t>(s)], m_layout.keyColumn);
}

PLACE_ CTableModel::cellPlace(int s, int e) const {
    if (s < 0 || s >= static_cast<int>(m_layout.stateRecords.size()))
        return PLACE_();
    return place(m_layout.stateRecords[static_cast<size_t>(s)], m_layout.keyColumn + 2 + e);
}

PLACE_ CTableModel::eventPlace(int e) const {
    return place(m_layout.headerRecord, m_layout.keyColumn + 2 + e);
}

std::string CTableModel::cellName(int record, int field) {
    std::string letters;
    for (int n = field + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(record + 1);
}
