#ifndef PELK_TABLE_WORKBOOK_VOLATILE_FORMULAS_H
#define PELK_TABLE_WORKBOOK_VOLATILE_FORMULAS_H

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CSheetGrid;

/// CVolatileFormulas finds the formulas of a sheet whose saved result the
/// spreadsheet may change when it opens the workbook: those that call a
/// volatile function (TODAY(), NOW(), RAND(), OFFSET(), INDIRECT()...),
/// that name a defined name calling one, or that refer to a cell holding
/// such a formula, on this sheet (followed from cell to cell) or, when the
/// workbook calls one anywhere, on another sheet or through any name.
/// Formulas are given in A1 notation, without the leading '='.
class CVolatileFormulas {
public:
    /// True when formula (or any text, such as a whole part of the file)
    /// calls a volatile function.
    static bool callsVolatile(const std::string& formula);
    /// formula as written rows down and columns right: the relative
    /// references moved (a shared formula's text for one of its cells).
    static std::string shifted(const std::string& formula, int rows, int columns);
    /// An OpenDocument formula ("of:=[.A1]+[Sheet2.B2]") in A1 notation
    /// ("A1+Sheet2!B2"), without the leading '='.
    static std::string fromOpenFormula(const std::string& formula);
    /// The workbook calls a volatile function somewhere (another sheet, a
    /// name): every reference to another sheet or to a name is uncertain.
    void setBookVolatile(bool volatileBook) { m_bookVolatile = volatileBook; }
    /// A defined name and what it stands for.
    void addName(const std::string& name, const std::string& definition);
    /// The formula of the cell at row, column (from 0).
    void add(int row, int column, const std::string& formula);
    /// The cells whose formula's result is not certain.
    std::set<std::pair<int, int>> uncertain() const;
    /// Marks the uncertain cells of grid as volatile (kVolatile), but those
    /// already refused as formulas saved without their result.
    void markUncertain(CSheetGrid& grid) const;

private:
    struct FORMULA_ {
        int row;
        int column;
        std::string text;
    };
    /// A range of cells a formula refers to, both ends inclusive.
    struct AREA_ {
        int firstRow, firstColumn, lastRow, lastColumn;
    };
    bool readReferences(const std::string& formula, std::vector<AREA_>& areas) const;

    std::vector<FORMULA_> m_formulas;
    std::set<std::string> m_volatileNames;
    std::set<std::string> m_names;
    bool m_bookVolatile = false;
};

#endif
