#include "pelk-table/check/check_context.h"

#include "pelk-table/check/check_list.h"

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
    for (char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\t')
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
