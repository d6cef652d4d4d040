#ifndef PELK_TABLE_WORKBOOK_SHOWN_TEXT_H
#define PELK_TABLE_WORKBOOK_SHOWN_TEXT_H

#include <string>

#include "pelk-table/workbook/book_cell.h"

class CNumberFormat;

/// A cell's value as a workbook stores it, before it is shown.
struct CELL_VALUE_ {
    enum Kind {
        kText,      ///< a text (stored holds it)
        kNumber,    ///< a number, as stored ("2", "0.5", "1E+20")
        kBoolean,   ///< a logical value: stored is "1" or "0"
        kError,     ///< an error value such as #REF!
        kDate,      ///< a date, a time or a duration, as stored
        kNoResult,  ///< a formula saved without its result
        kUnknown    ///< a value of a kind the reader does not know (stored names it)
    };
    Kind kind = kText;
    std::string stored;
    /// The text the writer saved as shown (an .ods cell's paragraphs), when
    /// the file holds one.
    bool hasShown = false;
    std::string shown;
};

/// CShownText says how a cell shows: the text the spreadsheet shows for a
/// value through a number format, or why that text is not certain. Both
/// readers ask it, so that .xlsx and .ods cells are shown by one rule.
class CShownText {
public:
    /// The cell value shows as through format.
    static BOOK_CELL_ of(const CELL_VALUE_& value, const CNumberFormat& format);
};

#endif
