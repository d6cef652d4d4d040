#include "pelk-table/model/table_model.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "pelk-table/model/table_rules.h"
#include "pelk-table/workbook/workbook.h"
#include "pelk-table/workbook/workbook_input.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != stdin)
            std::fclose(file);
    }
};

// All bytes of in; false, with errno set, on a read error.
bool readAll(std::FILE* in, std::string& text) {
    char chunk[8192];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
        text.append(chunk, n);
    return !std::ferror(in);
}

}  // namespace

CTableModel::CTableModel(std::string path, std::string machineName)
    : m_path(std::move(path)),
      m_table(machineName.c_str(), nullptr) {}

// The bytes are read here, so that standard input, a directory and the
// system's reason for a failure are known; the split is the splitter's.
bool CTableModel::load() {
    std::string text;
    if (m_path == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        if (!readAll(stdin, text)) {
            m_loadError = std::strerror(errno);
            return false;
        }
    } else {
        struct stat status;
        if (::stat(m_path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
            m_loadError = std::strerror(EISDIR);
            return false;
        }
        errno = 0;
        std::unique_ptr<std::FILE, FileCloser> in(std::fopen(m_path.c_str(), "rb"));
        if (!in) {
            m_loadError = errno ? std::strerror(errno) : "cannot be opened";
            return false;
        }
        if (!readAll(in.get(), text)) {
            m_loadError = std::strerror(errno);
            return false;
        }
    }
    m_opened = true;
    // A workbook's chosen sheet becomes the text pelk reads.
    if (CWorkbook::looksLikeWorkbook(text.substr(0, 8))) {
        if (!readWorkbook(text))
            return false;
    }
    m_text = text;
    m_lineStarts.assign(1, 0);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\n')
            m_lineStarts.push_back(i + 1);
    }
    m_file.split(std::move(text));
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
bool CTableModel::readWorkbook(std::string& text) {
    CWorkbookInput input;
    if (!input.convert(std::move(text), m_sheet, false, m_loadError)) {
        m_badSheet = input.sheetNotFound();
        return false;
    }
    text = input.text();
    m_sheetReference = input.sheetReference();
    for (const SHEET_PROBLEM_& problem : input.problems()) {
        if (problem.inTable)
            m_workbookProblems.push_back(problem);
    }
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
    place.cell = CTableRules::cellName(record, field);
    place.characterColumn = m_file.characterColumn(place.line, place.column);
    place.length = static_cast<int>(fields[static_cast<size_t>(field)].text.size());
    place.sheet = m_sheetReference;
    return place;
}

std::string CTableModel::lineText(int line) const {
    if (line < 1 || line > static_cast<int>(m_lineStarts.size()))
        return std::string();
    const std::size_t start = m_lineStarts[static_cast<std::size_t>(line - 1)];
    std::size_t end = m_text.find('\n', start);
    if (end == std::string::npos)
        end = m_text.size();
    if (end > start && m_text[end - 1] == '\r')
        --end;
    return m_text.substr(start, end - start);
}

PLACE_ CTableModel::actionPlace(int s, int e, const std::string& action) const {
    PLACE_ cell = cellPlace(s, e);
    if (cell.line <= 0 || action.empty())
        return cell;
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    const int record = m_layout.stateRecords[static_cast<std::size_t>(s)];
    const std::vector<CTableFile::FIELD_>& fields = records[static_cast<std::size_t>(record)].fields;
    const std::size_t field = static_cast<std::size_t>(m_layout.keyColumn + 2 + e);
    if (field >= fields.size())
        return cell;
    // The field stands in its line as it was read unless quotes or line
    // feeds broke it up; then the cell is the best place there is.
    const std::string& text = fields[field].text;
    const std::string line = lineText(cell.line);
    const std::size_t at = static_cast<std::size_t>(cell.column - 1);
    if (at > line.size() || line.compare(at, text.size(), text) != 0)
        return cell;
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return cell;
    // The pieces between commas, white space removed, are the actions.
    for (std::size_t begin = slash + 1; begin <= text.size();) {
        std::size_t end = text.find(',', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string joined;
        std::size_t first = std::string::npos, last = begin;
        for (std::size_t i = begin; i < end; ++i) {
            if (std::strchr(" \t\n\v\f\r", text[i]) != nullptr)
                continue;
            if (first == std::string::npos)
                first = i;
            last = i + 1;
            joined += text[i];
        }
        if (joined == action) {
            PLACE_ place = cell;
            place.column = cell.column + static_cast<int>(first);
            place.characterColumn = m_file.characterColumn(place.line, place.column);
            place.length = static_cast<int>(last - first);
            return place;
        }
        begin = end + 1;
    }
    return cell;
}

PLACE_ CTableModel::missingPlace(int record, int field) const {
    PLACE_ place = this->place(record, field);
    const std::vector<CTableFile::RECORD_>& records = m_file.records();
    if (place.line <= 0)
        return place;
    const CTableFile::FIELD_& last = records[static_cast<std::size_t>(record)].fields.back();
    place.line = last.line;
    place.column = last.column + static_cast<int>(last.text.size());
    place.characterColumn = m_file.characterColumn(place.line, place.column);
    place.cell = CTableRules::cellName(record, field);
    place.length = 0;
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
