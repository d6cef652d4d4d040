#include "pelk-table/workbook/xlsx_string_item.h"

#include <cstring>

#include "pelk-table/model/utf8_text.h"

void CXlsxStringItem::start(const char* local) {
    if (std::strcmp(local, "rPh") == 0)
        ++m_phonetic;
    else if (std::strcmp(local, "t") == 0 && m_phonetic == 0)
        m_inText = true;
}

void CXlsxStringItem::end(const char* local) {
    if (std::strcmp(local, "rPh") == 0)
        --m_phonetic;
    else if (std::strcmp(local, "t") == 0)
        m_inText = false;
}

void CXlsxStringItem::text(const char* text, int length) {
    if (m_inText)
        m_text.append(text, static_cast<std::size_t>(length));
}

std::string CXlsxStringItem::take() {
    std::string text = unescape(m_text);
    m_text.clear();
    m_phonetic = 0;
    m_inText = false;
    return text;
}

namespace {

// The code unit of the escape _xHHHH_ at text[at]; false when none is there.
bool escapeAt(const std::string& text, std::size_t at, unsigned& unit) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const char c = text[i];
        unit <<= 4;
        if (c >= '0' && c <= '9')
            unit |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            unit |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            unit |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    return true;
}

}  // namespace

std::string CXlsxStringItem::unescape(const std::string& text) {
    if (text.find("_x") == std::string::npos)
        return text;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned unit = 0;
        // The spreadsheet decodes only what XML cannot hold (control
        // characters, surrogates, U+FFFE and U+FFFF) and the escaped
        // underscore itself; any other _xHHHH_ is the text as written.
        if (!escapeAt(text, i, unit) ||
            !(unit < 0x20 || unit == 0x5F || (unit >= 0xD800 && unit < 0xE000) || unit >= 0xFFFE)) {
            out += text[i++];
            continue;
        }
        i += 7;
        unsigned long point = unit;
        unsigned low = 0;
        if (unit >= 0xD800 && unit < 0xDC00 && escapeAt(text, i, low) && low >= 0xDC00 && low < 0xE000) {
            point = 0x10000 + ((static_cast<unsigned long>(unit) - 0xD800) << 10) + (low - 0xDC00);
            i += 7;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            point = 0xFFFD;
        }
        CUtf8Text::append(out, point);
    }
    return out;
}
