#include "pelk-table/workbook/workbook_input.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/workbook.h"

namespace {

// The sheets numbered as their tabs count: 1 "Lamp", 2 "Notes".
std::string listOf(const std::vector<std::string>& names, const std::vector<int>& which) {
    std::string list;
    for (int i : which)
        list += (list.empty() ? "" : ", ") + std::to_string(i + 1) + " \"" + names[static_cast<std::size_t>(i)] + "\"";
    return list;
}

std::string listOf(const std::vector<std::string>& names) {
    std::vector<int> all;
    for (std::size_t i = 0; i < names.size(); ++i)
        all.push_back(static_cast<int>(i));
    return listOf(names, all);
}

}  // namespace

bool CWorkbookInput::isWorkbook(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    in.read(head, sizeof head);
    return CWorkbook::looksLikeWorkbook(std::string(head, static_cast<std::size_t>(in.gcount())));
}

bool CWorkbookInput::read(const std::string& path, const std::string& sheet, bool anyTable, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open the file";
        return false;
    }
    in.seekg(0, std::ios::end);
    const long long size = static_cast<long long>(in.tellg());
    in.seekg(0, std::ios::beg);
    if (size > kMaxFileSize) {
        error = "the file holds " + std::to_string(size) + " bytes, more than the " + std::to_string(kMaxFileSize) +
                " pelk-table reads of a workbook";
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "the file cannot be read to its end";
        return false;
    }
    return convert(std::move(bytes), sheet, anyTable, error);
}

bool CWorkbookInput::convert(std::string bytes, const std::string& sheet, bool anyTable, std::string& error) {
    CWorkbook book;
    if (!book.open(std::move(bytes), error))
        return false;
    const std::vector<std::string>& names = book.sheetNames();
    int chosen = -1;
    CSheetGrid grid;
    if (!sheet.empty()) {
        for (std::size_t i = 0; i < names.size() && chosen < 0; ++i) {
            if (names[i] == sheet)
                chosen = static_cast<int>(i);
        }
        if (chosen < 0 && sheet.size() <= 6 && sheet.find_first_not_of("0123456789") == std::string::npos) {
            const int number = std::stoi(sheet);
            if (number >= 1 && number <= static_cast<int>(names.size()))
                chosen = number - 1;
        }
        if (chosen < 0) {
            m_sheetNotFound = true;
            error = "the workbook has no sheet \"" + sheet + "\"; its sheets: " + listOf(names);
            return false;
        }
        if (!book.readSheet(chosen, grid, error))
            return false;
    } else {
        std::vector<int> withStart;
        std::string unread;
        for (std::size_t i = 0; i < names.size(); ++i) {
            CSheetGrid candidate;
            int row = 0;
            int column = 0;
            std::string failure;
            if (!book.readSheet(static_cast<int>(i), candidate, failure)) {
                // A chart or a broken sheet holds no table; its error is
                // said only when no sheet holds one.
                if (unread.empty())
                    unread = "; the sheet \"" + names[i] + "\" cannot be read: " + failure;
                continue;
            }
            if (CSheetText::findHeader(candidate, row, column)) {
                withStart.push_back(static_cast<int>(i));
                if (withStart.size() == 1)
                    grid = std::move(candidate);
            } else if (names.size() == 1 && anyTable) {
                grid = std::move(candidate);
                chosen = 0;
            }
        }
        if (withStart.size() > 1) {
            error = "several sheets hold a \"START\" cell: " + listOf(names, withStart) +
                    " (numbers as the tabs count); choose one with --sheet";
            return false;
        }
        if (withStart.size() == 1) {
            chosen = withStart[0];
        } else if (chosen < 0) {
            if (!unread.empty() && names.size() == 1) {
                error = unread.substr(unread.find(": ") + 2);
                return false;
            }
            error = "no sheet holds a cell \"START\", so the workbook holds no table; its sheets: " + listOf(names) +
                    (anyTable ? "; choose one with --sheet" : "") + unread;
            return false;
        }
    }
    m_sheetName = names[static_cast<std::size_t>(chosen)];
    m_problems.clear();
    m_text = CSheetText::convert(grid, m_problems);
    return true;
}

std::string CWorkbookInput::sheetReference() const {
    bool plain = !m_sheetName.empty();
    for (char c : m_sheetName) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (!(byte >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            plain = false;
    }
    if (plain)
        return m_sheetName;
    std::string quoted = "'";
    for (char c : m_sheetName)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

bool CWorkbookInput::hasErrors() const {
    for (const SHEET_PROBLEM_& problem : m_problems) {
        if (problem.error)
            return true;
    }
    return false;
}
