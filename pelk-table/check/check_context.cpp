#include "pelk-table/check/check_context.h"

#include "pelk-table/check/check_list.h"

namespace {

// The length of the valid UTF-8 sequence at text[i], 0 when there is none.
std::size_t utf8Length(const std::string& text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size() || (length == 2 && c < 0xC2) || (length == 4 && c > 0xF4))
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    const unsigned char d = static_cast<unsigned char>(text[i + 1]);
    if ((length == 3 && ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0))) ||
        (length == 4 && ((c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90))))
        return 0;
    return length;
}

// The byte offset of the first byte that is not valid UTF-8; npos when none.
}  // namespace

std::string::size_type CCheckContext::invalidUtf8At(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string::npos;
}


FINDING_& CCheckContext::add(const char* check, const PLACE_& place, const std::string& message) {
    const CHECK_* known = CCheckList::byName(check);
    FINDING_ finding;
    finding.check = check;
    finding.severity = known ? known->severity : FINDING_::kError;
    finding.place = place;
    finding.message = place.cell.empty() ? message : message + " (cell " + place.cell + ")";
    findings.push_back(finding);
    return findings.back();
}

void CCheckContext::note(FINDING_& finding, const PLACE_& place, const std::string& message) {
    finding.notes.push_back({place, place.cell.empty() ? message : message + " (cell " + place.cell + ")"});
}

std::string CCheckContext::quoted(const std::string& name) {
    static const char kHex[] = "0123456789abcdef";
    std::string text = "'";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            // Valid UTF-8 stays as it is; a stray byte is written as an escape.
            const std::size_t length = utf8Length(name, i);
            if (length == 0) {
                text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
            } else {
                text += name.substr(i, length);
                i += length - 1;
            }
        } else if (c == '\t')
            text += "\\t";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (byte < 0x20 || byte == 0x7F)
            text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        else
            text += c;
    }
    return text + "'";
}
