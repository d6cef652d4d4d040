#ifndef PELK_TABLE_WORKBOOK_BOOK_CELL_H
#define PELK_TABLE_WORKBOOK_BOOK_CELL_H

#include <string>

/// One cell of a sheet as the reader found it: the text the spreadsheet
/// shows, or why that text cannot be known for sure.
struct BOOK_CELL_ {
    enum Refusal {
        kNone,            ///< text is exactly what the spreadsheet shows
        kNumberFormat,    ///< a number (or boolean) in a format other than General
        kDate,            ///< a date, a time or a duration
        kRoundedNumber,   ///< a General number the spreadsheet shows rounded or in its own notation
        kErrorValue,      ///< an error value such as #REF!
        kNoCachedResult,  ///< a formula saved without its result
        kUnknownValue,    ///< a value of a kind the reader does not know
        kBoolean,         ///< a logical value, shown as a word of the spreadsheet's language
        kLocaleNumber,    ///< a number with decimals, shown with the language's decimal separator
        kVolatile,        ///< a formula calculated anew on opening (TODAY(), RAND()...), or one using it
        kRecalculated     ///< a formula of a file the spreadsheet calculates anew on opening
    };
    std::string text;  ///< the shown text; for a refused cell what it holds (value, format, error)
    Refusal refusal = kNone;
    std::string format;   ///< the number format of a kNumberFormat or kDate cell, when known
    std::string style;    ///< the .ods data style of that format, when it is one
    std::string shown;    ///< the text the file saved as shown, when it differs from the reader's
    std::string formula;  ///< the cell's formula ("=ROW()-4"), when it holds one
};

#endif
