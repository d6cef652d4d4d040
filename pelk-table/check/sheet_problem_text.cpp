#include "pelk-table/check/sheet_problem_text.h"

#include <cstdio>

namespace {

const char kFix[] = "; format the cell as text and type the text it should show";

// "the number format 0.00", or for an .ods cell "the data style N2 (0.00)".
std::string formatOf(const SHEET_PROBLEM_& problem) {
    if (!problem.style.empty())
        return "the data style " + problem.style +
               (problem.format.empty() ? std::string() : " (" + problem.format + ")");
    return "the number format " + (problem.format.empty() ? std::string("of the cell") : problem.format);
}

std::string formulaOf(const SHEET_PROBLEM_& problem) {
    return problem.formula.empty() ? std::string("its formula") : "its formula " + problem.formula;
}

// What the cell that stretches the sheet holds, as a reader would see it.
std::string strayOf(const SHEET_PROBLEM_& problem) {
    if (problem.value.empty())
        return "a note, a hyperlink or a formula giving no text";
    if (problem.value.find_first_not_of(' ') == std::string::npos)
        return problem.value.size() == 1 ? "a space" : std::to_string(problem.value.size()) + " spaces";
    return "\"" + problem.value.substr(0, 40) + "\"";
}

std::string cellMessage(const SHEET_PROBLEM_& problem) {
    const std::string& value = problem.value;
    switch (problem.kind) {
    case SHEET_PROBLEM_::kNumberFormat:
        if (!problem.shown.empty())
            return "the value " + value + " is shown as " + problem.shown + ", which pelk-table cannot tell from " +
                   formatOf(problem) + kFix;
        return "the value " + value + " is shown through " + formatOf(problem) +
               ", whose text pelk-table cannot be sure of" + kFix;
    case SHEET_PROBLEM_::kDate:
        return "the cell holds a date or time (" + value + ")" +
               (problem.format.empty() || problem.format == "General" ? std::string()
                                                                      : ", shown through " + formatOf(problem)) +
               kFix;
    case SHEET_PROBLEM_::kRoundedNumber:
        return "the number " + value +
               " is shown rounded, or in the exponent form of the General format, so its text is not certain" + kFix;
    case SHEET_PROBLEM_::kLocaleNumber:
        return "the number " + value +
               " is shown with the decimal separator of the spreadsheet's language (a point or a comma)" + kFix;
    case SHEET_PROBLEM_::kBoolean:
        return "the cell holds the logical value " + value +
               ", which the spreadsheet shows as a word of its language (TRUE, WAHR, VRAI...)" + kFix;
    case SHEET_PROBLEM_::kErrorValue:
        return "the cell holds the error value " + value +
               (problem.formula.empty() ? "" : " of " + formulaOf(problem)) +
               "; mend the formula, or type the text the cell should show";
    case SHEET_PROBLEM_::kNoCachedResult:
        return "the workbook holds " + formulaOf(problem) +
               " without its result, which pelk-table does not calculate; open the workbook in the spreadsheet "
               "and save it, so that the result is saved with the formula";
    case SHEET_PROBLEM_::kVolatileFormula:
        return "the spreadsheet calculates " + formulaOf(problem) +
               " anew each time it opens the workbook (it calls TODAY(), NOW(), RAND(), OFFSET(), INDIRECT() or "
               "the like, or uses a cell that does), so its saved result " +
               value + " is not certain; keep such a formula out of the table";
    case SHEET_PROBLEM_::kRecalculatedFormula:
        return "the spreadsheet calculates the formulas of this file anew when it opens it (another program "
               "wrote it), so the saved result " +
               value + " of " + formulaOf(problem) + " is not certain; open the workbook in LibreOffice and save it";
    case SHEET_PROBLEM_::kUnknownValue:
        return "the cell holds a value of a kind pelk-table does not read (" + value.substr(0, 40) + ")" + kFix;
    case SHEET_PROBLEM_::kTab:
        return "the cell holds a tab, which splits the field in the tab-separated text pelk reads; remove it";
    case SHEET_PROBLEM_::kLineBreak:
        return "the cell holds a line break (or several paragraphs), which splits the record in the tab-separated "
               "text pelk reads; remove it";
    case SHEET_PROBLEM_::kCarriageReturn:
        return "the cell holds a carriage return, which pelk's reading of tab-separated text drops or takes as a "
               "field's end; remove it";
    case SHEET_PROBLEM_::kDoubleQuote:
        return "the cell holds a double quote, which the tab-separated text pelk reads takes as the start or end "
               "of a quoted field; remove it";
    case SHEET_PROBLEM_::kNulCharacter:
        return "the cell holds a NUL character, which pelk cannot read; remove it";
    case SHEET_PROBLEM_::kTooLong:
        return "the cell holds " + std::to_string(problem.length) + " bytes; pelk reads at most 255 in a field";
    case SHEET_PROBLEM_::kMergedCells:
        break;
    case SHEET_PROBLEM_::kStretchedWidth:
        return "the sheet reaches to this column because of " + strayOf(problem) +
               " here, so every row ends in empty cells, which pelk reads as events without a name; remove it";
    case SHEET_PROBLEM_::kStretchedHeight:
        return "the sheet reaches to this row because of " + strayOf(problem) +
               " here, so the rows above it are read as states without a name or number; remove it";
    case SHEET_PROBLEM_::kStretched:
        return "the sheet reaches to this column and row because of " + strayOf(problem) +
               " here, so pelk reads empty events and states up to it; remove it";
    }
    return std::string();
}

}  // namespace

std::string CSheetProblemText::message(const SHEET_PROBLEM_& problem) {
    if (problem.kind == SHEET_PROBLEM_::kMergedCells) {
        const std::string first = CSheetText::cellName(problem.merge.firstRow, problem.merge.firstColumn);
        return "the merged cells " + first + ":" +
               CSheetText::cellName(problem.merge.lastRow, problem.merge.lastColumn) +
               " cover cells of the table; only " + first + " holds the text, the others read as empty";
    }
    const std::string message = cellMessage(problem);
    const bool stretch = problem.kind == SHEET_PROBLEM_::kStretchedWidth ||
                         problem.kind == SHEET_PROBLEM_::kStretchedHeight || problem.kind == SHEET_PROBLEM_::kStretched;
    if (!problem.inTable && !stretch)
        return message + " (left empty in the text: the cell is outside the table)";
    return message;
}
