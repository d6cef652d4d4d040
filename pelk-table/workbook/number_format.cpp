#include "pelk-table/workbook/number_format.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "pelk-table/model/utf8_text.h"

namespace {

const char* const kColours[] = {"black", "blue", "cyan", "green", "magenta", "red", "white", "yellow"};

// Characters a format shows as they are without quotes.
const char kPlainLiterals[] = "$-+/():!^&'~{}<>= ";

std::string lower(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The length of the character at code[at] (a whole UTF-8 sequence).
std::size_t characterAt(const std::string& code, std::size_t at) {
    const std::size_t length = CUtf8Text::sequenceLength(code, at);
    return length == 0 ? 1 : length;
}

void addPart(FORMAT_SECTION_& section, FORMAT_PART_::Kind kind, const std::string& text) {
    if (kind == FORMAT_PART_::kLiteral && !section.parts.empty() && section.parts.back().kind == kind) {
        section.parts.back().text += text;
        return;
    }
    FORMAT_PART_ part;
    part.kind = kind;
    part.text = text;
    section.parts.push_back(part);
}

// A bracketed part: a colour (ignored), a condition, an elapsed time, or
// something the reader does not know (a locale, a currency).
void readBracket(const std::string& inside, FORMAT_SECTION_& section) {
    const std::string word = lower(inside);
    for (const char* colour : kColours) {
        if (word == colour)
            return;
    }
    if (word.compare(0, 5, "color") == 0 && word.size() > 5 &&
        word.find_first_not_of("0123456789", 5) == std::string::npos)
        return;
    if (!word.empty() && word.find_first_not_of("hms") == std::string::npos) {
        addPart(section, FORMAT_PART_::kDate, "[" + inside + "]");
        return;
    }
    if (!word.empty() && std::strchr("<>=", word[0])) {
        // A condition: the reader keeps the sections' usual meaning only.
        section.test = FORMAT_SECTION_::kUnknown;
        return;
    }
    addPart(section, FORMAT_PART_::kOther, "[" + inside + "]");
}

// A run of digit placeholders, separators and a decimal point.
void readDigits(const std::string& run, FORMAT_SECTION_& section) {
    FORMAT_PART_ part;
    part.text = run;
    if (run.find_first_of(".?") != std::string::npos) {
        part.kind = FORMAT_PART_::kDecimals;
    } else if (run.back() == ',' || run[0] == ',') {
        part.kind = FORMAT_PART_::kOther;  // a trailing comma scales by 1000
    } else {
        part.kind = FORMAT_PART_::kDigits;
        for (char c : run) {
            part.minDigits += c == '0';
            part.grouping = part.grouping || c == ',';
        }
    }
    section.parts.push_back(part);
}

FORMAT_SECTION_ parseSection(const std::string& code) {
    FORMAT_SECTION_ section;
    const std::string low = lower(code);
    for (std::size_t i = 0; i < code.size();) {
        const char c = code[i];
        const char l = low[i];
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            const std::size_t end = close == std::string::npos ? code.size() : close;
            addPart(section, FORMAT_PART_::kLiteral, code.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            const std::size_t length = i + 1 < code.size() ? characterAt(code, i + 1) : 0;
            const std::string next = code.substr(i + 1, length);
            addPart(section,
                    c == '\\'  ? FORMAT_PART_::kLiteral
                    : c == '_' ? FORMAT_PART_::kSpace
                               : FORMAT_PART_::kFill,
                    next);
            i += 1 + length;
        } else if (c == '[') {
            const std::size_t close = code.find(']', i + 1);
            const std::size_t end = close == std::string::npos ? code.size() : close;
            readBracket(code.substr(i + 1, end - i - 1), section);
            i = end + 1;
        } else if (c == '@') {
            addPart(section, FORMAT_PART_::kTextValue, "@");
            ++i;
        } else if (low.compare(i, 7, "general") == 0) {
            addPart(section, FORMAT_PART_::kGeneral, "General");
            i += 7;
        } else if (std::strchr("0#?.,", c)) {
            std::size_t end = i;
            while (end < code.size() && std::strchr("0#?.,", code[end]))
                ++end;
            readDigits(code.substr(i, end - i), section);
            i = end;
        } else if (c == '%' || ((l == 'e') && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-'))) {
            addPart(section, FORMAT_PART_::kDecimals, code.substr(i, c == '%' ? 1 : 2));
            i += c == '%' ? 1 : 2;
        } else if (low.compare(i, 5, "am/pm") == 0 || low.compare(i, 3, "a/p") == 0) {
            const std::size_t length = low.compare(i, 5, "am/pm") == 0 ? 5 : 3;
            addPart(section, FORMAT_PART_::kDate, code.substr(i, length));
            i += length;
        } else if (std::strchr("ymdhs", l) && l != '\0') {
            addPart(section, FORMAT_PART_::kDate, code.substr(i, 1));
            ++i;
        } else if (c == '/' && section.has(FORMAT_PART_::kDigits)) {
            addPart(section, FORMAT_PART_::kDecimals, "/");  // a fraction
            ++i;
        } else if (c != '\0' && std::strchr(kPlainLiterals, c)) {
            addPart(section, FORMAT_PART_::kLiteral, std::string(1, c));
            ++i;
        } else {
            const std::size_t length = characterAt(code, i);
            addPart(section, FORMAT_PART_::kOther, code.substr(i, length));
            i += length;
        }
    }
    return section;
}

// The sections of code, split at the semicolons outside quotes, escapes
// and brackets.
std::vector<std::string> splitSections(const std::string& code) {
    std::vector<std::string> sections(1);
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        std::size_t end = i;
        if (c == '"' || c == '[') {
            const std::size_t close = code.find(c == '"' ? '"' : ']', i + 1);
            end = close == std::string::npos ? code.size() - 1 : close;
        } else if ((c == '\\' || c == '_' || c == '*') && i + 1 < code.size()) {
            end = i + characterAt(code, i + 1);
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += code.substr(i, end - i + 1);
        i = end;
    }
    return sections;
}

}  // namespace

bool FORMAT_SECTION_::has(FORMAT_PART_::Kind kind) const {
    for (const FORMAT_PART_& part : parts) {
        if (part.kind == kind)
            return true;
    }
    return false;
}

CNumberFormat::CNumberFormat() = default;

CNumberFormat CNumberFormat::fromCode(const std::string& code) {
    CNumberFormat format;
    format.m_code = code;
    if (lower(code) == "general")
        return format;
    std::vector<FORMAT_SECTION_> sections;
    for (const std::string& text : splitSections(code))
        sections.push_back(parseSection(text));
    if (sections.size() > 4)
        sections.resize(4);
    if (sections.size() == 4 || sections.back().has(FORMAT_PART_::kTextValue)) {
        format.setTextSection(sections.back());
        sections.pop_back();
    }
    // The usual meaning of the sections: positive (and zero) and negative;
    // or positive, negative and zero.
    const FORMAT_SECTION_::Test tests[3][3] = {
        {FORMAT_SECTION_::kAny},
        {FORMAT_SECTION_::kGreaterOrEqual, FORMAT_SECTION_::kLess},
        {FORMAT_SECTION_::kGreater, FORMAT_SECTION_::kLess, FORMAT_SECTION_::kAny}};
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].test != FORMAT_SECTION_::kUnknown)
            sections[i].test = tests[sections.size() - 1][i];
        format.addNumberSection(std::move(sections[i]));
    }
    return format;
}

void CNumberFormat::addNumberSection(FORMAT_SECTION_ section) {
    m_numberSections.push_back(std::move(section));
}

void CNumberFormat::setTextSection(FORMAT_SECTION_ section) {
    m_textSection = std::move(section);
    m_hasTextSection = true;
}

bool CNumberFormat::isGeneral() const {
    const bool generalNumbers =
        m_numberSections.empty() || (m_numberSections.size() == 1 && m_numberSections[0].parts.size() == 1 &&
                                     m_numberSections[0].parts[0].kind == FORMAT_PART_::kGeneral &&
                                     m_numberSections[0].test == FORMAT_SECTION_::kAny);
    const bool plainText = !m_hasTextSection ||
                           (m_textSection.parts.size() == 1 && m_textSection.parts[0].kind == FORMAT_PART_::kTextValue);
    return generalNumbers && plainText;
}

namespace {

std::string codeOf(const FORMAT_SECTION_& section) {
    static const char* const kTests[] = {"", "[>", "[<", "[=", "[>=", "[<=", "[<>", "[?"};
    std::string code;
    if (section.test != FORMAT_SECTION_::kAny) {
        char bound[32];
        std::snprintf(bound, sizeof bound, "%g]", section.bound);
        code += kTests[section.test] + std::string(section.test == FORMAT_SECTION_::kUnknown ? "]" : bound);
    }
    for (const FORMAT_PART_& part : section.parts) {
        switch (part.kind) {
        case FORMAT_PART_::kLiteral:
            code += "\"" + part.text + "\"";
            break;
        case FORMAT_PART_::kTextValue:
            code += "@";
            break;
        case FORMAT_PART_::kGeneral:
            code += "General";
            break;
        case FORMAT_PART_::kDigits:
            code += part.grouping ? (part.minDigits > 0 ? "#,##" : "#,###") : (part.minDigits > 0 ? "" : "#");
            code += std::string(static_cast<std::size_t>(part.minDigits), '0');
            break;
        case FORMAT_PART_::kSpace:
            code += "_" + part.text;
            break;
        case FORMAT_PART_::kFill:
            code += "*" + part.text;
            break;
        default:
            code += part.text;
            break;
        }
    }
    return code;
}

}  // namespace

std::string CNumberFormat::code() const {
    if (!m_code.empty() || (m_numberSections.empty() && !m_hasTextSection))
        return m_code.empty() ? std::string("General") : m_code;
    std::string code;
    for (const FORMAT_SECTION_& section : m_numberSections)
        code += (code.empty() ? "" : ";") + codeOf(section);
    if (m_hasTextSection)
        code += (m_numberSections.empty() ? std::string() : std::string(";")) + codeOf(m_textSection);
    return code;
}
