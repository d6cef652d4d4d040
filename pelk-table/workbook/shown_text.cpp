#include "pelk-table/workbook/shown_text.h"

#include <cmath>
#include <cstdio>

#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/number_format.h"

namespace {

// Integers are shown the same in every language below this: no group
// separator, no exponent.
const double kGroupLimit = 1000;

bool holds(const FORMAT_SECTION_& section, double number) {
    switch (section.test) {
    case FORMAT_SECTION_::kAny:
        return true;
    case FORMAT_SECTION_::kGreater:
        return number > section.bound;
    case FORMAT_SECTION_::kLess:
        return number < section.bound;
    case FORMAT_SECTION_::kEqual:
        return number == section.bound;
    case FORMAT_SECTION_::kGreaterOrEqual:
        return number >= section.bound;
    case FORMAT_SECTION_::kLessOrEqual:
        return number <= section.bound;
    case FORMAT_SECTION_::kNotEqual:
        return number != section.bound;
    case FORMAT_SECTION_::kUnknown:
        break;
    }
    return false;
}

// The text of a part that shows no value: a literal, a space for '_x', and
// nothing for a fill. False for any other part.
bool fixedText(const FORMAT_PART_& part, std::string& text) {
    if (part.kind == FORMAT_PART_::kLiteral)
        text += part.text;
    else if (part.kind == FORMAT_PART_::kSpace)
        text += ' ';
    return part.kind == FORMAT_PART_::kLiteral || part.kind == FORMAT_PART_::kSpace || part.kind == FORMAT_PART_::kFill;
}

// The integer magnitude with at least minDigits digits ("#": none for 0).
std::string digits(double magnitude, int minDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
    std::string text = magnitude == 0 ? std::string() : std::string(buffer);
    if (static_cast<int>(text.size()) < minDigits)
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    return text;
}

// A number through a number format: the refusal, or kNone with text set.
BOOK_CELL_::Refusal showNumber(double number, const CNumberFormat& format, std::string& text) {
    const std::vector<FORMAT_SECTION_>& sections = format.numberSections();
    const FORMAT_SECTION_* chosen = nullptr;
    for (const FORMAT_SECTION_& section : sections) {
        if (section.test == FORMAT_SECTION_::kUnknown || section.bound != 0)
            return BOOK_CELL_::kNumberFormat;  // a condition of its own
        if (!chosen && holds(section, number))
            chosen = &section;
    }
    FORMAT_SECTION_ general;
    general.parts.push_back(FORMAT_PART_{FORMAT_PART_::kGeneral, "General", 0, false});
    if (sections.empty())
        chosen = &general;
    if (!chosen)
        return BOOK_CELL_::kNumberFormat;
    // The only section shows the sign itself; a section for negative
    // numbers shows the magnitude and its own signs.
    const bool signedByFormat = sections.size() <= 1;
    const double magnitude = std::fabs(number);
    const bool integer = std::floor(magnitude) == magnitude && magnitude < 1e15;
    text.clear();
    bool showsValue = false;
    for (const FORMAT_PART_& part : chosen->parts) {
        if (fixedText(part, text))
            continue;
        switch (part.kind) {
        case FORMAT_PART_::kGeneral:
        case FORMAT_PART_::kDigits:
            if (!integer && part.kind == FORMAT_PART_::kDigits)
                return BOOK_CELL_::kNumberFormat;
            // A General decimal shows the decimal separator of the
            // spreadsheet's language; where it is rounded, not even that.
            if (!integer)
                return CGeneralNumber::text(magnitude, text) ? BOOK_CELL_::kLocaleNumber : BOOK_CELL_::kRoundedNumber;
            if (part.grouping && magnitude >= kGroupLimit)
                return BOOK_CELL_::kNumberFormat;
            text += part.kind == FORMAT_PART_::kGeneral ? digits(magnitude, 1) : digits(magnitude, part.minDigits);
            showsValue = true;
            break;
        case FORMAT_PART_::kDate:
            return BOOK_CELL_::kDate;
        default:
            return BOOK_CELL_::kNumberFormat;
        }
    }
    if (number < 0 && signedByFormat) {
        if (!showsValue)
            return BOOK_CELL_::kNumberFormat;
        text.insert(0, "-");
    }
    return BOOK_CELL_::kNone;
}

// A text through the format's text section: the refusal, or kNone.
BOOK_CELL_::Refusal showText(const CNumberFormat& format, std::string& text) {
    const FORMAT_SECTION_* section = format.textSection();
    if (!section)
        return BOOK_CELL_::kNone;
    std::string shown;
    for (const FORMAT_PART_& part : section->parts) {
        if (part.kind == FORMAT_PART_::kTextValue)
            shown += text;
        else if (!fixedText(part, shown))
            return BOOK_CELL_::kNumberFormat;
    }
    text = shown;
    return BOOK_CELL_::kNone;
}

bool showsDigits(const CNumberFormat& format, double number) {
    for (const FORMAT_SECTION_& section : format.numberSections()) {
        if (holds(section, number))
            return section.has(FORMAT_PART_::kDigits);
    }
    return false;
}

}  // namespace

BOOK_CELL_ CShownText::of(const CELL_VALUE_& value, const CNumberFormat& format) {
    BOOK_CELL_ cell;
    cell.text = value.stored;
    double number = 0;
    switch (value.kind) {
    case CELL_VALUE_::kText:
        cell.refusal = showText(format, cell.text);
        // The text the writer saved as shown must agree.
        if (cell.refusal == BOOK_CELL_::kNone && value.hasShown && value.shown != cell.text) {
            cell.refusal = BOOK_CELL_::kNumberFormat;
            cell.shown = value.shown;
        }
        if (cell.refusal != BOOK_CELL_::kNone)
            cell.text = value.stored;
        break;
    case CELL_VALUE_::kNumber:
        if (!CGeneralNumber::parse(value.stored, number)) {
            cell.refusal = BOOK_CELL_::kUnknownValue;
            break;
        }
        cell.refusal = showNumber(number, format, cell.text);
        if (cell.refusal != BOOK_CELL_::kNone)
            cell.text = value.stored;
        // The text the writer saved as shown must agree.
        if (cell.refusal == BOOK_CELL_::kNone && value.hasShown && value.shown != cell.text) {
            cell.refusal = BOOK_CELL_::kNumberFormat;
            cell.text = value.stored;
            cell.shown = value.shown;
        }
        break;
    case CELL_VALUE_::kBoolean:
        if (value.stored != "1" && value.stored != "0") {
            cell.refusal = BOOK_CELL_::kUnknownValue;
        } else if (showsDigits(format, value.stored == "1" ? 1 : 0)) {
            // Through a format of digits, a logical value shows as 1 or 0.
            cell.refusal = showNumber(value.stored == "1" ? 1 : 0, format, cell.text);
        } else {
            cell.text = value.stored == "1" ? "TRUE" : "FALSE";
            cell.refusal = BOOK_CELL_::kBoolean;
        }
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
    if (cell.refusal == BOOK_CELL_::kNumberFormat || cell.refusal == BOOK_CELL_::kDate) {
        cell.format = format.code();
        cell.style = format.name();
    }
    return cell;
}
