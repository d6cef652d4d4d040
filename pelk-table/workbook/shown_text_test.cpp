#include "pelk-table/workbook/shown_text.h"

#include <gtest/gtest.h>

#include "pelk-table/workbook/number_format.h"

namespace {

struct SHOWN_CASE_ {
    CELL_VALUE_::Kind kind;
    const char* stored;
    const char* code;
    const char* text;  // the text shown; null when refused
    BOOK_CELL_::Refusal refusal;
};

const CELL_VALUE_::Kind kText = CELL_VALUE_::kText;
const CELL_VALUE_::Kind kNumber = CELL_VALUE_::kNumber;
const CELL_VALUE_::Kind kBoolean = CELL_VALUE_::kBoolean;

// What LibreOffice shows for each (its export, "as shown", in en-US; the
// refusals are the cells whose text another language would change).
const SHOWN_CASE_ kCases[] = {
    // A text through the text section, or as it is.
    {kText, "0/MotorClose", "0;0;0;\"-\"", "-", BOOK_CELL_::kNone},
    {kText, "hide", ";;;", "", BOOK_CELL_::kNone},
    {kText, "red", "[Red]@", "red", BOOK_CELL_::kNone},
    {kText, "gen", "General;General;General;@", "gen", BOOK_CELL_::kNone},
    {kText, "lit", "\"x\"@", "xlit", BOOK_CELL_::kNone},
    {kText, "lit2", "@\" y\"", "lit2 y", BOOK_CELL_::kNone},
    {kText, "num3", "0;0;0", "num3", BOOK_CELL_::kNone},
    {kText, "under", "_(@_)", " under ", BOOK_CELL_::kNone},
    {kText, "star", "@*-", "star", BOOK_CELL_::kNone},
    {kText, "gone", "0;0;0;", "", BOOK_CELL_::kNone},
    {kText, "coloured", "0;0;0;[Blue]@", "coloured", BOOK_CELL_::kNone},
    {kText, "dated", "0;0;0;yyyy", nullptr, BOOK_CELL_::kNumberFormat},
    // Integers through formats free of the language.
    {kNumber, "5", "0", "5", BOOK_CELL_::kNone},
    {kNumber, "5", "00", "05", BOOK_CELL_::kNone},
    {kNumber, "12", "000", "012", BOOK_CELL_::kNone},
    {kNumber, "123", "#,##0", "123", BOOK_CELL_::kNone},
    {kNumber, "-5", "0", "-5", BOOK_CELL_::kNone},
    {kNumber, "1234", "0", "1234", BOOK_CELL_::kNone},
    {kNumber, "7", "0;0;0;\"-\"", "7", BOOK_CELL_::kNone},
    {kNumber, "0", "0;0;0;\"-\"", "0", BOOK_CELL_::kNone},
    {kNumber, "0", ";;;", "", BOOK_CELL_::kNone},
    {kNumber, "5", "\"No \"0", "No 5", BOOK_CELL_::kNone},
    {kNumber, "-3", "0;\"neg\"0", "neg3", BOOK_CELL_::kNone},
    {kNumber, "1", "[Red]0", "1", BOOK_CELL_::kNone},
    {kNumber, "3", "#", "3", BOOK_CELL_::kNone},
    {kNumber, "0", "#", "", BOOK_CELL_::kNone},
    {kNumber, "5", "#,##0;(#,##0)", "5", BOOK_CELL_::kNone},
    {kNumber, "-5", "#,##0 ;(#,##0)", "(5)", BOOK_CELL_::kNone},
    {kNumber, "5", "@", "5", BOOK_CELL_::kNone},
    {kNumber, "42", "General;General;General;@", "42", BOOK_CELL_::kNone},
    {kNumber, "-17", "General", "-17", BOOK_CELL_::kNone},
    {kBoolean, "0", "0", "0", BOOK_CELL_::kNone},
    // What the language, rounding or the reader's ignorance would change.
    {kNumber, "1234", "#,##0", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "2.5", "0", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "2.5", "General", nullptr, BOOK_CELL_::kLocaleNumber},
    {kNumber, "1E+20", "General", nullptr, BOOK_CELL_::kRoundedNumber},
    {kNumber, "5", "0.00", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "5", "0%", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "150", "[<=100]0;\"big\"", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "7", "[$-409]0", nullptr, BOOK_CELL_::kNumberFormat},
    {kNumber, "45000", "yyyy-mm-dd", nullptr, BOOK_CELL_::kDate},
    {kBoolean, "1", "General", nullptr, BOOK_CELL_::kBoolean},
    {CELL_VALUE_::kNoResult, "", "General", nullptr, BOOK_CELL_::kNoCachedResult},
};

TEST(ShownText, IsWhatTheSpreadsheetShows) {
    for (const SHOWN_CASE_& c : kCases) {
        CELL_VALUE_ value;
        value.kind = c.kind;
        value.stored = c.stored;
        const BOOK_CELL_ cell = CShownText::of(value, CNumberFormat::fromCode(c.code));
        EXPECT_EQ(cell.refusal, c.refusal) << c.stored << " through " << c.code;
        if (c.text) {
            EXPECT_EQ(cell.text, c.text) << c.stored << " through " << c.code;
        }
    }
}

// The text an .ods file saved as shown must agree with the reader's.
TEST(ShownText, HoldsToTheSavedText) {
    CELL_VALUE_ value;
    value.kind = kNumber;
    value.stored = "5";
    value.hasShown = true;
    value.shown = "5";
    EXPECT_EQ(CShownText::of(value, CNumberFormat()).refusal, BOOK_CELL_::kNone);
    value.shown = "5.00";
    EXPECT_EQ(CShownText::of(value, CNumberFormat()).refusal, BOOK_CELL_::kNumberFormat);
}

}  // namespace
