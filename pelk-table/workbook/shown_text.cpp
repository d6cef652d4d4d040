#include "pelk-table/workbook/shown_text.h"

#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/number_format.h"

namespace {

bool showsDate(const CNumberFormat& format) {
    for (const FORMAT_SECTION_& section : format.numberSections()) {
        if (section.has(FORMAT_PART_::kDate))
            return true;
    }
    return false;
}

bool showsBoolean(const CNumberFormat& format) {
    for (const FORMAT_SECTION_& section : format.numberSections()) {
        if (section.has(FORMAT_PART_::kBoolean))
            return true;
    }
    return false;
}

// Numbers show as General: no number sections, or one that is General.
bool generalNumbers(const CNumberFormat& format) {
    const std::vector<FORMAT_SECTION_>& sections = format.numberSections();
    return sections.empty() || (sections.size() == 1 && sections[0].parts.size() == 1 &&
                                sections[0].parts[0].kind == FORMAT_PART_::kGeneral);
}

}  // namespace

BOOK_CELL_ CShownText::of(const CELL_VALUE_& value, const CNumberFormat& format) {
    BOOK_CELL_ cell;
    cell.text = value.stored;
    switch (value.kind) {
    case CELL_VALUE_::kText: {
        // A text shown through a format that adds words of its own.
        const FORMAT_SECTION_* section = format.textSection();
        if (section && section->has(FORMAT_PART_::kTextValue) && section->parts.size() > 1)
            cell.refusal = BOOK_CELL_::kNumberFormat;
        break;
    }
    case CELL_VALUE_::kNumber: {
        double number = 0;
        if (!CGeneralNumber::parse(value.stored, number))
            cell.refusal = BOOK_CELL_::kUnknownValue;
        else if (showsDate(format))
            cell.refusal = BOOK_CELL_::kDate;
        else if (!generalNumbers(format))
            cell.refusal = BOOK_CELL_::kNumberFormat;
        else if (!CGeneralNumber::text(number, cell.text))
            cell.refusal = BOOK_CELL_::kRoundedNumber;
        else if (value.hasShown && value.shown != cell.text)
            cell.refusal = BOOK_CELL_::kNumberFormat;
        break;
    }
    case CELL_VALUE_::kBoolean:
        cell.text = value.stored == "1" ? "TRUE" : value.stored == "0" ? "FALSE" : value.stored;
        if (value.stored != "1" && value.stored != "0")
            cell.refusal = BOOK_CELL_::kUnknownValue;
        else if (!generalNumbers(format) && !showsBoolean(format))
            cell.refusal = BOOK_CELL_::kNumberFormat;
        break;
    case CELL_VALUE_::kError:
        cell.refusal = BOOK_CELL_::kErrorValue;
        break;
    case CELL_VALUE_::kDate:
        cell.refusal = BOOK_CELL_::kDate;
        break;
    case CELL_VALUE_::kNoResult:
        cell.text.clear();
        cell.refusal = BOOK_CELL_::kNoCachedResult;
        break;
    case CELL_VALUE_::kUnknown:
        cell.refusal = BOOK_CELL_::kUnknownValue;
        break;
    }
    if (cell.refusal == BOOK_CELL_::kNumberFormat || cell.refusal == BOOK_CELL_::kDate)
        cell.format = format.code();
    return cell;
}
