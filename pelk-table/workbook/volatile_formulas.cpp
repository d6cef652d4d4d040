#include "pelk-table/workbook/volatile_formulas.h"

#include <cctype>
#include <cstring>

#include "pelk-table/workbook/sheet_grid.h"

namespace {

// The functions the spreadsheet calculates anew on every opening.
const char* const kVolatile[] = {"TODAY",  "NOW",      "RAND", "RANDBETWEEN", "RANDARRAY",
                                 "OFFSET", "INDIRECT", "INFO", "CELL"};

std::string upper(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// "$AB$12" at text[at]: column and row from 0; the length read, 0 when
// none. A column alone ("A" of "A:A") or a row alone ("3" of "3:3") is
// read as the whole column or row.
std::size_t readCell(const std::string& text, std::size_t at, int& row, int& column) {
    std::size_t i = at;
    if (i < text.size() && text[i] == '$')
        ++i;
    long long letters = 0;
    std::size_t start = i;
    while (i < text.size() && std::isupper(static_cast<unsigned char>(text[i])) && i - start < 3)
        letters = letters * 26 + (text[i++] - 'A' + 1);
    const bool hasLetters = i > start;
    if (i < text.size() && text[i] == '$')
        ++i;
    long long number = 0;
    start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - start < 8)
        number = number * 10 + (text[i++] - '0');
    const bool hasNumber = i > start;
    if (!hasLetters && !hasNumber)
        return 0;
    column = hasLetters ? static_cast<int>(letters - 1) : -1;
    row = hasNumber ? static_cast<int>(number - 1) : -1;
    return i - at;
}

// The end of the reference at text[at] ("A1", "$A$1:B2").
std::size_t skipReference(const std::string& text, std::size_t at) {
    std::size_t i = at;
    while (i < text.size() && (isWordCharacter(text[i]) || text[i] == '$' || text[i] == ':'))
        ++i;
    return i;
}

}  // namespace

bool CVolatileFormulas::callsVolatile(const std::string& formula) {
    const std::string text = upper(formula);
    for (const char* name : kVolatile) {
        const std::size_t n = std::strlen(name);
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
            std::size_t after = at + n;
            while (after < text.size() && text[after] == ' ')
                ++after;
            if ((at == 0 || !isWordCharacter(text[at - 1]) || text.compare(at - 1, 1, ".") == 0) &&
                after < text.size() && text[after] == '(')
                return true;
        }
    }
    return false;
}

void CVolatileFormulas::addName(const std::string& name, const std::string& definition) {
    m_names.insert(upper(name));
    if (callsVolatile(definition))
        m_volatileNames.insert(upper(name));
}

void CVolatileFormulas::add(int row, int column, const std::string& formula) {
    m_formulas.push_back(FORMULA_{row, column, formula});
}

// The areas formula refers to on this sheet. False when it may depend on a
// volatile call elsewhere: a volatile name, or (in a workbook that calls
// one anywhere) another sheet, a name or a structured reference.
bool CVolatileFormulas::readReferences(const std::string& formula, std::vector<AREA_>& areas) const {
    for (std::size_t i = 0; i < formula.size();) {
        const char c = formula[i];
        if (c == '"') {
            const std::size_t close = formula.find('"', i + 1);
            i = close == std::string::npos ? formula.size() : close + 1;
            continue;
        }
        if (c == '\'' || c == '[') {
            // A quoted sheet name, or a structured reference.
            if (m_bookVolatile)
                return false;
            const std::size_t close = formula.find(c == '[' ? ']' : '\'', i + 1);
            i = close == std::string::npos ? formula.size() : close + 1;
            continue;
        }
        if (c == '!') {
            // The reference after a sheet's name is on that sheet.
            i = skipReference(formula, i + 1);
            continue;
        }
        if (!isWordCharacter(c) && c != '$') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < formula.size() && (isWordCharacter(formula[end]) || formula[end] == '$'))
            ++end;
        const std::string word = formula.substr(i, end - i);
        if (end < formula.size() && formula[end] == '!') {
            // A reference to another sheet.
            if (m_bookVolatile)
                return false;
            i = skipReference(formula, end + 1);
            continue;
        }
        if (end < formula.size() && formula[end] == '(') {
            i = end;  // a function
            continue;
        }
        AREA_ area{0, 0, 0, 0};
        const std::size_t first = readCell(formula, i, area.firstRow, area.firstColumn);
        const bool isCell = first == word.size() && area.firstRow >= 0 && area.firstColumn >= 0;
        if (isCell || (first > 0 && i + first < formula.size() && formula[i + first] == ':')) {
            std::size_t at = i + first;
            area.lastRow = area.firstRow;
            area.lastColumn = area.firstColumn;
            if (at < formula.size() && formula[at] == ':') {
                const std::size_t second = readCell(formula, at + 1, area.lastRow, area.lastColumn);
                at += 1 + second;
            }
            if (area.firstRow < 0 || area.lastRow < 0) {
                area.firstRow = 0;
                area.lastRow = 1 << 30;
            }
            if (area.firstColumn < 0 || area.lastColumn < 0) {
                area.firstColumn = 0;
                area.lastColumn = 1 << 30;
            }
            areas.push_back(area);
            i = at > end ? at : end;
            continue;
        }
        // A name: uncertain when it calls a volatile function, or (in a
        // workbook that calls one anywhere) whatever it stands for.
        const std::string name = upper(word);
        const bool nameLike =
            (std::isalpha(static_cast<unsigned char>(word[0])) || word[0] == '_') && name != "TRUE" && name != "FALSE";
        if (m_volatileNames.count(name) || (m_bookVolatile && (m_names.count(name) || nameLike)))
            return false;
        i = end;
    }
    return true;
}

std::set<std::pair<int, int>> CVolatileFormulas::uncertain() const {
    std::set<std::pair<int, int>> found;
    std::vector<std::vector<AREA_>> references(m_formulas.size());
    for (std::size_t i = 0; i < m_formulas.size(); ++i) {
        const FORMULA_& formula = m_formulas[i];
        if (callsVolatile(formula.text) || !readReferences(formula.text, references[i]))
            found.insert({formula.row, formula.column});
    }
    // A formula referring to an uncertain cell is uncertain: followed until
    // nothing changes. A round reaches down a chain in reading order; past
    // kRounds rounds (a long chain upwards, or a hostile file), every formula
    // that refers to a cell is taken as uncertain rather than followed.
    const int kRounds = 64;
    int round = 0;
    for (bool grown = !found.empty(); grown; ++round) {
        grown = false;
        if (round == kRounds) {
            for (std::size_t i = 0; i < m_formulas.size(); ++i) {
                if (!references[i].empty())
                    found.insert({m_formulas[i].row, m_formulas[i].column});
            }
            break;
        }
        for (std::size_t i = 0; i < m_formulas.size(); ++i) {
            const FORMULA_& formula = m_formulas[i];
            if (found.count({formula.row, formula.column}))
                continue;
            for (const AREA_& area : references[i]) {
                const auto from = found.lower_bound({area.firstRow, area.firstColumn});
                bool hit = false;
                for (auto at = from; at != found.end() && at->first <= area.lastRow && !hit; ++at)
                    hit = at->second >= area.firstColumn && at->second <= area.lastColumn;
                if (hit) {
                    found.insert({formula.row, formula.column});
                    grown = true;
                    break;
                }
            }
        }
    }
    return found;
}

std::string CVolatileFormulas::shifted(const std::string& formula, int rows, int columns) {
    std::string out;
    for (std::size_t i = 0; i < formula.size();) {
        const char c = formula[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = formula.find(c, i + 1);
            const std::size_t end = close == std::string::npos ? formula.size() : close + 1;
            out += formula.substr(i, end - i);
            i = end;
            continue;
        }
        if (!isWordCharacter(c) && c != '$') {
            out += c;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < formula.size() && (isWordCharacter(formula[end]) || formula[end] == '$'))
            ++end;
        int row = 0;
        int column = 0;
        const bool call = end < formula.size() && (formula[end] == '(' || formula[end] == '!');
        if (call || readCell(formula, i, row, column) != end - i || row < 0 || column < 0) {
            out += formula.substr(i, end - i);
            i = end;
            continue;
        }
        const std::string word = formula.substr(i, end - i);
        const bool fixedColumn = word[0] == '$';
        const bool fixedRow = word.find('$', 1) != std::string::npos;
        const int newColumn = fixedColumn ? column : column + columns;
        const int newRow = fixedRow ? row : row + rows;
        if (newColumn < 0 || newRow < 0) {
            out += "#REF!";
        } else {
            std::string letters;
            for (int n = newColumn + 1; n > 0; n = (n - 1) / 26)
                letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
            out += (fixedColumn ? "$" : "") + letters + (fixedRow ? "$" : "") + std::to_string(newRow + 1);
        }
        i = end;
    }
    return out;
}

std::string CVolatileFormulas::fromOpenFormula(const std::string& formula) {
    std::string text = formula;
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos && colon < 8 && text.compare(0, colon, "of") == 0)
        text.erase(0, colon + 1);
    if (!text.empty() && text[0] == '=')
        text.erase(0, 1);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string::npos ? text.size() : close + 1;
            out += text.substr(i, end - i);
            i = end;
            continue;
        }
        if (c != '[') {
            out += c;
            ++i;
            continue;
        }
        // [.A1], [.A1:.B2], [Sheet2.A1], [$'My sheet'.$A$1]: the part before
        // the last '.' of each end names the sheet.
        const std::size_t close = text.find(']', i + 1);
        const std::size_t end = close == std::string::npos ? text.size() : close;
        const std::string inside = text.substr(i + 1, end - i - 1);
        std::string reference;
        std::size_t at = 0;
        while (at <= inside.size()) {
            std::size_t next = inside.find(':', at);
            if (next == std::string::npos)
                next = inside.size();
            const std::string piece = inside.substr(at, next - at);
            const std::size_t dot = piece.rfind('.');
            std::string sheet = dot == std::string::npos ? std::string() : piece.substr(0, dot);
            if (!sheet.empty() && sheet[0] == '$')
                sheet.erase(0, 1);
            reference += (at == 0 ? "" : ":") + (sheet.empty() ? std::string() : sheet + "!") +
                         (dot == std::string::npos ? piece : piece.substr(dot + 1));
            at = next + 1;
        }
        out += reference;
        i = end + 1;
    }
    return out;
}

void CVolatileFormulas::markUncertain(CSheetGrid& grid) const {
    for (const auto& place : uncertain()) {
        BOOK_CELL_* found = grid.cellAt(place.first, place.second);
        if (found && found->refusal != BOOK_CELL_::kNoCachedResult)
            found->refusal = BOOK_CELL_::kVolatile;
    }
}
