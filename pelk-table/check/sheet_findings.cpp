#include "pelk-table/check/sheet_findings.h"

#include "pelk-table/model/table_rules.h"
#include "splitter/tsv_scanner.h"

namespace {

ARGUMENT_ text(const std::string& text) {
    return ARGUMENT_::ofText(text);
}

// What the cell that stretches the sheet holds, as a reader would see it.
std::string strayOf(const SHEET_PROBLEM_& problem) {
    if (problem.value.empty())
        return "a note, a hyperlink or a formula giving no text";
    if (problem.value.find_first_not_of(' ') == std::string::npos)
        return problem.value.size() == 1 ? "a space" : std::to_string(problem.value.size()) + " spaces";
    return "\"" + problem.value.substr(0, 40) + "\"";
}

// A message naming the cell's format: by its code, or for an .ods cell by
// its data style and the code rebuilt from it.
MESSAGE_ throughFormat(const SHEET_PROBLEM_& problem, MESSAGE_ID_ byCode, MESSAGE_ID_ byStyle) {
    if (!problem.style.empty())
        return {byStyle, {text(problem.value), text(problem.style), text(problem.format)}};
    return {byCode, {text(problem.value), text(problem.format.empty() ? "of the cell" : problem.format)}};
}

}  // namespace

CHECK_ID_ CSheetFindings::check(const SHEET_PROBLEM_& problem) {
    switch (problem.kind) {
    case SHEET_PROBLEM_::kNoCachedResult:
    case SHEET_PROBLEM_::kVolatileFormula:
    case SHEET_PROBLEM_::kRecalculatedFormula:
        return kCheckWorkbookFormula;
    case SHEET_PROBLEM_::kTab:
    case SHEET_PROBLEM_::kLineBreak:
    case SHEET_PROBLEM_::kCarriageReturn:
    case SHEET_PROBLEM_::kDoubleQuote:
    case SHEET_PROBLEM_::kNulCharacter:
    case SHEET_PROBLEM_::kTooLong:
        return kCheckWorkbookText;
    case SHEET_PROBLEM_::kMergedCells:
        return kCheckMergedCells;
    case SHEET_PROBLEM_::kStretchedWidth:
    case SHEET_PROBLEM_::kStretchedHeight:
    case SHEET_PROBLEM_::kStretched:
        return kCheckSheetExtent;
    default:
        return kCheckWorkbookValue;
    }
}

MESSAGE_ CSheetFindings::message(const SHEET_PROBLEM_& problem) {
    const ARGUMENT_ value = text(problem.value);
    switch (problem.kind) {
    case SHEET_PROBLEM_::kNumberFormat:
        if (!problem.shown.empty())
            return {kMessageSheetShownAs,
                    {value, text(problem.shown),
                     text(problem.style.empty() ? "the number format " + problem.format
                                                : "the data style " + problem.style + " (" + problem.format + ")")}};
        return throughFormat(problem, kMessageSheetNumberFormat, kMessageSheetDataStyle);
    case SHEET_PROBLEM_::kDate:
        if (problem.format.empty() || problem.format == "General")
            return {kMessageSheetDate, {value}};
        return throughFormat(problem, kMessageSheetDateFormat, kMessageSheetDateDataStyle);
    case SHEET_PROBLEM_::kRoundedNumber:
        return {kMessageSheetRoundedNumber, {value}};
    case SHEET_PROBLEM_::kLocaleNumber:
        return {kMessageSheetLocaleNumber, {value}};
    case SHEET_PROBLEM_::kBoolean:
        return {kMessageSheetBoolean, {value}};
    case SHEET_PROBLEM_::kErrorValue:
        if (problem.formula.empty())
            return {kMessageSheetErrorValue, {value}};
        return {kMessageSheetFormulaError, {value, text(problem.formula)}};
    case SHEET_PROBLEM_::kNoCachedResult:
        return {kMessageSheetNoResult, {text(problem.formula)}};
    case SHEET_PROBLEM_::kVolatileFormula:
        return {kMessageSheetVolatile, {text(problem.formula), value}};
    case SHEET_PROBLEM_::kRecalculatedFormula:
        return {kMessageSheetRecalculated, {text(problem.formula), value}};
    case SHEET_PROBLEM_::kUnknownValue:
        return {kMessageSheetUnknownValue, {text(problem.value.substr(0, 40))}};
    case SHEET_PROBLEM_::kTab:
        return {kMessageSheetTab, {}};
    case SHEET_PROBLEM_::kLineBreak:
        return {kMessageSheetLineBreak, {}};
    case SHEET_PROBLEM_::kCarriageReturn:
        return {kMessageSheetCarriageReturn, {}};
    case SHEET_PROBLEM_::kDoubleQuote:
        return {kMessageSheetDoubleQuote, {}};
    case SHEET_PROBLEM_::kNulCharacter:
        return {kMessageSheetNul, {}};
    case SHEET_PROBLEM_::kTooLong:
        return {kMessageSheetTooLong,
                {ARGUMENT_::ofNumber(static_cast<long long>(problem.length)),
                 ARGUMENT_::ofNumber(static_cast<long long>(CTsvScanner::kMaxFieldLength))}};
    case SHEET_PROBLEM_::kMergedCells:
        return {kMessageSheetMerged,
                {text(CTableRules::cellName(problem.merge.firstRow, problem.merge.firstColumn)),
                 text(CTableRules::cellName(problem.merge.lastRow, problem.merge.lastColumn))}};
    case SHEET_PROBLEM_::kStretchedWidth:
        return {kMessageSheetWidth, {text(strayOf(problem))}};
    case SHEET_PROBLEM_::kStretchedHeight:
        return {kMessageSheetHeight, {text(strayOf(problem))}};
    case SHEET_PROBLEM_::kStretched:
        return {kMessageSheetWidthAndHeight, {text(strayOf(problem))}};
    }
    return {kMessageSheetUnknownValue, {value}};
}
