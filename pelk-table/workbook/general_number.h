#ifndef PELK_TABLE_WORKBOOK_GENERAL_NUMBER_H
#define PELK_TABLE_WORKBOOK_GENERAL_NUMBER_H

#include <string>

/// CGeneralNumber writes a number as the spreadsheet's General format shows
/// it, for the numbers where that text is certain: integers below 10^15,
/// and decimals from 0.0001 on below 10^15 with at most 15 significant
/// digits. Others the spreadsheet rounds or writes in its own exponent form;
/// those are refused rather than guessed.
class CGeneralNumber {
public:
    /// True, with text set, when value's General text is certain.
    static bool text(double value, std::string& text);
    /// Reads a value as the file stores it ("2", "0.5", "1E+20"). False when
    /// it is not a finite number.
    static bool parse(const std::string& stored, double& value);
};

#endif
