#include "pelk-table/workbook/ods_styles.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kStyle[] = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
const char kNumber[] = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";

const char* attribute(const char** attributes, const char* uri, const char* local) {
    return CXmlReader::attribute(attributes, (std::string(uri) + " " + local).c_str());
}

// The kind of a data style element ("number-style" -> "number"); null for
// any other element.
const char* styleKind(const char* name, std::string& kind) {
    const char* local = CXmlReader::localName(name);
    const std::size_t n = std::strlen(local);
    if (n <= 6 || std::strcmp(local + n - 6, "-style") != 0 || !CXmlReader::is(name, kNumber, local))
        return nullptr;
    kind.assign(local, n - 6);
    return local;
}

FORMAT_PART_ part(FORMAT_PART_::Kind kind, const std::string& text) {
    FORMAT_PART_ made;
    made.kind = kind;
    made.text = text;
    return made;
}

// "value()>=0" -> kGreaterOrEqual, 0; kUnknown for any other condition.
FORMAT_SECTION_::Test testOf(const std::string& condition, double& bound) {
    static const struct {
        const char* op;
        FORMAT_SECTION_::Test test;
    } kTests[] = {{">=", FORMAT_SECTION_::kGreaterOrEqual},
                  {"<=", FORMAT_SECTION_::kLessOrEqual},
                  {"!=", FORMAT_SECTION_::kNotEqual},
                  {">", FORMAT_SECTION_::kGreater},
                  {"<", FORMAT_SECTION_::kLess},
                  {"=", FORMAT_SECTION_::kEqual}};
    const std::string head = "value()";
    if (condition.compare(0, head.size(), head) != 0)
        return FORMAT_SECTION_::kUnknown;
    for (const auto& each : kTests) {
        const std::size_t n = std::strlen(each.op);
        if (condition.compare(head.size(), n, each.op) != 0)
            continue;
        const char* number = condition.c_str() + head.size() + n;
        char* end = nullptr;
        bound = std::strtod(number, &end);
        return end != number && *end == '\0' ? each.test : FORMAT_SECTION_::kUnknown;
    }
    return FORMAT_SECTION_::kUnknown;
}

// The code of a date or time element, as a format code writes it; null
// for other elements.
const char* dateCode(const std::string& element) {
    static const struct {
        const char* element;
        const char* code;
    } kCodes[] = {{"day", "DD"},         {"month", "MM"},        {"year", "YYYY"},  {"era", "GG"},
                  {"day-of-week", "NN"}, {"week-of-year", "WW"}, {"quarter", "Q"},  {"hours", "HH"},
                  {"minutes", "MM"},     {"seconds", "SS"},      {"am-pm", "AM/PM"}};
    for (const auto& each : kCodes) {
        if (element == each.element)
            return each.code;
    }
    return nullptr;
}

}  // namespace

void COdsStyles::start(const char* name, const char** attributes) {
    std::string kind;
    if (m_dataStyle.empty()) {
        if (CXmlReader::is(name, kStyle, "style")) {
            const char* styleName = attribute(attributes, kStyle, "name");
            const char* family = attribute(attributes, kStyle, "family");
            if (styleName && family && std::strcmp(family, "table-cell") == 0) {
                const char* parent = attribute(attributes, kStyle, "parent-style-name");
                const char* data = attribute(attributes, kStyle, "data-style-name");
                m_cellStyles[styleName] = {parent ? parent : "", data ? data : ""};
            }
        } else if (styleKind(name, kind)) {
            const char* styleName = attribute(attributes, kStyle, "name");
            if (!styleName)
                return;
            m_dataStyle = styleName;
            m_current = DATA_STYLE_();
            m_current.kind = kind;
        }
        return;
    }
    if (CXmlReader::is(name, kStyle, "map")) {
        const char* condition = attribute(attributes, kStyle, "condition");
        const char* apply = attribute(attributes, kStyle, "apply-style-name");
        if (condition && apply)
            m_current.maps.emplace_back(condition, apply);
        return;
    }
    const char* local = CXmlReader::localName(name);
    if (CXmlReader::is(name, kNumber, local))
        startPart(local, attributes);
}

void COdsStyles::startPart(const char* local, const char** attributes) {
    FORMAT_SECTION_& section = m_current.section;
    const std::string element = local;
    if (element == "number") {
        const char* decimals = attribute(attributes, kNumber, "decimal-places");
        const char* minimum = attribute(attributes, kNumber, "min-integer-digits");
        const char* grouping = attribute(attributes, kNumber, "grouping");
        if (attribute(attributes, kNumber, "display-factor") || attribute(attributes, kNumber, "decimal-replacement")) {
            section.parts.push_back(part(FORMAT_PART_::kOther, "number scaled or with its decimals replaced"));
        } else if (!decimals) {
            section.parts.push_back(part(FORMAT_PART_::kGeneral, "General"));
        } else if (std::atoi(decimals) > 0) {
            section.parts.push_back(part(FORMAT_PART_::kDecimals, "0." + std::string(std::atoi(decimals) & 31, '0')));
        } else {
            FORMAT_PART_ digits = part(FORMAT_PART_::kDigits, "");
            digits.minDigits = minimum ? std::atoi(minimum) & 63 : 0;
            digits.grouping = grouping && std::strcmp(grouping, "true") == 0;
            section.parts.push_back(digits);
        }
    } else if (element == "text") {
        m_inText = true;
        section.parts.push_back(part(FORMAT_PART_::kLiteral, ""));
    } else if (element == "text-content") {
        section.parts.push_back(part(FORMAT_PART_::kTextValue, "@"));
    } else if (element == "fill-character") {
        section.parts.push_back(part(FORMAT_PART_::kFill, ""));
    } else if (element == "boolean") {
        section.parts.push_back(part(FORMAT_PART_::kBoolean, "BOOLEAN"));
    } else if (element == "scientific-number" || element == "fraction") {
        section.parts.push_back(part(FORMAT_PART_::kDecimals, element == "fraction" ? "# ?/?" : "0.00E+00"));
    } else if (const char* code = dateCode(element)) {
        section.parts.push_back(part(FORMAT_PART_::kDate, code));
    } else if (element == "currency-symbol") {
        m_inText = true;  // the symbol is its text
        section.parts.push_back(part(FORMAT_PART_::kOther, ""));
    } else if (element != "embedded-text") {
        section.parts.push_back(part(FORMAT_PART_::kOther, element));
    }
}

void COdsStyles::end(const char* name) {
    if (m_dataStyle.empty())
        return;
    std::string kind;
    if (CXmlReader::is(name, kNumber, "text"))
        m_inText = false;
    if (!styleKind(name, kind))
        return;
    // A percentage shows the value times 100: its sign is no literal.
    bool percent = false;
    for (FORMAT_PART_& each : m_current.section.parts) {
        if (m_current.kind == "percentage" && each.kind == FORMAT_PART_::kLiteral && each.text == "%") {
            each.kind = FORMAT_PART_::kDecimals;
            percent = true;
        }
    }
    if (m_current.kind == "percentage" && !percent)
        m_current.section.parts.push_back(part(FORMAT_PART_::kDecimals, "%"));
    m_dataStyles[m_dataStyle] = m_current;
    m_dataStyle.clear();
}

void COdsStyles::text(const char* text, int length) {
    if (m_inText && !m_current.section.parts.empty())
        m_current.section.parts.back().text.append(text, static_cast<std::size_t>(length));
}

FORMAT_SECTION_ COdsStyles::sectionOf(const std::string& name, const std::string& condition) const {
    FORMAT_SECTION_ section;
    const auto found = m_dataStyles.find(name);
    if (found == m_dataStyles.end())
        section.parts.push_back(part(FORMAT_PART_::kOther, "data style " + name));
    else
        section = found->second.section;
    section.test = condition.empty() ? FORMAT_SECTION_::kAny : testOf(condition, section.bound);
    return section;
}

CNumberFormat COdsStyles::format(const std::string& name) const {
    std::string style = name;
    std::string data;
    for (int hops = 0; hops < 16 && !style.empty() && data.empty(); ++hops) {
        const auto found = m_cellStyles.find(style);
        if (found == m_cellStyles.end())
            break;
        data = found->second.second;
        style = found->second.first;
    }
    CNumberFormat format;
    if (data.empty())
        return format;
    format.setName(data);
    const auto found = m_dataStyles.find(data);
    if (found == m_dataStyles.end()) {
        format.addNumberSection(sectionOf(data, ""));
        return format;
    }
    const DATA_STYLE_& dataStyle = found->second;
    for (const auto& map : dataStyle.maps)
        format.addNumberSection(sectionOf(map.second, map.first));
    if (dataStyle.kind == "text")
        format.setTextSection(dataStyle.section);
    else
        format.addNumberSection(sectionOf(data, ""));
    return format;
}
