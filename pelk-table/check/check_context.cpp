#include "pelk-table/check/check_context.h"

#include "pelk-table/check/check_list.h"
#include "pelk-table/model/utf8_text.h"

FINDING_& CCheckContext::add(CHECK_ID_ check, const PLACE_& place, const std::string& message) {
    FINDING_ finding;
    finding.id = check;
    finding.check = CCheckList::of(check).name;
    finding.severity = CCheckList::of(check).severity;
    finding.refusal = check == kCheckTableFormat;
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
            const std::size_t length = CUtf8Text::sequenceLength(name, i);
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
