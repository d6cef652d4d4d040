#ifndef PELK_TABLE_WORKBOOK_NUMBER_FORMAT_H
#define PELK_TABLE_WORKBOOK_NUMBER_FORMAT_H

#include <string>
#include <vector>

/// One part of a number format's section, in the order it is shown.
struct FORMAT_PART_ {
    enum Kind {
        kLiteral,    ///< text shown as it is: quoted, escaped, or a sign such as '-'
        kTextValue,  ///< '@': the cell's text
        kGeneral,    ///< the number as the General format shows it
        kDigits,     ///< the integer digits (0 and # placeholders), maybe grouped
        kDecimals,   ///< decimals, a percent, an exponent, a fraction or '?' padding
        kDate,       ///< a part of a date, a time or a duration
        kBoolean,    ///< the logical value as a word
        kSpace,      ///< '_x': a space as wide as x
        kFill,       ///< '*x': x repeated to fill the cell
        kOther       ///< what the reader does not know (a locale, a currency, a scale)
    };
    Kind kind;
    std::string text;       ///< kLiteral: the text; kOther: what was written
    int minDigits = 0;      ///< kDigits: the zeros the number is padded to
    bool grouping = false;  ///< kDigits: thousands separated
};

/// One section of a number format: the numbers it is for, and its parts.
struct FORMAT_SECTION_ {
    /// Which numbers the section shows: every one, or those that compare
    /// so with bound; kUnknown for a condition the reader does not read.
    enum Test { kAny, kGreater, kLess, kEqual, kGreaterOrEqual, kLessOrEqual, kNotEqual, kUnknown };
    Test test = kAny;
    double bound = 0;
    std::vector<FORMAT_PART_> parts;

    /// True when a part is of kind.
    bool has(FORMAT_PART_::Kind kind) const;
};

/// CNumberFormat is a number format, parsed: the sections a number is shown
/// through (the first whose test holds), and the section a text is shown
/// through, if any. Both readers build it, the .xlsx one from a format
/// code ("0;0;0;\"-\""), the .ods one from a data style's elements; either
/// way code() is the format as a code, for messages.
class CNumberFormat {
public:
    /// The General format.
    CNumberFormat();

    /// Parses a format code of a workbook (.xlsx).
    static CNumberFormat fromCode(const std::string& code);

    /// Adds a section for numbers, in the order they are tried.
    void addNumberSection(FORMAT_SECTION_ section);
    /// Sets the section that shows a text.
    void setTextSection(FORMAT_SECTION_ section);
    /// Names the format (an .ods data style's name), for messages.
    void setName(const std::string& name) { m_name = name; }

    /// True when numbers show as General and text as it is.
    bool isGeneral() const;
    /// The sections for numbers; none when numbers show as General.
    const std::vector<FORMAT_SECTION_>& numberSections() const { return m_numberSections; }
    /// The section for text; null when a text shows as it is.
    const FORMAT_SECTION_* textSection() const { return m_hasTextSection ? &m_textSection : nullptr; }
    /// The format as a code: as written, or rebuilt from a data style.
    std::string code() const;
    /// The data style's name; empty for a format code.
    const std::string& name() const { return m_name; }

private:
    std::vector<FORMAT_SECTION_> m_numberSections;
    FORMAT_SECTION_ m_textSection;
    bool m_hasTextSection = false;
    std::string m_code;
    std::string m_name;
};

#endif
