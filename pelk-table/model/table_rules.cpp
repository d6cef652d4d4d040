#include "pelk-table/model/table_rules.h"

#include "table/st_table.h"
#include "table/table_reader.h"

namespace {

// A name wins over a number, so a table whose event is called "1" still
// reaches it by that name; the number is the fallback.
int find(const std::string& text, int count, std::string (CSTTable::*nameOf)(int) const, const CSTTable& table) {
    for (int i = 0; i < count; ++i) {
        if ((table.*nameOf)(i) == text)
            return i;
    }
    if (text.size() > 9 || !CTableReader::isNumber(text.c_str()))
        return -1;
    const int number = std::stoi(text);
    return number < count ? number : -1;
}

}  // namespace

CELL_OUTCOME_ CTableRules::outcome(const CSTTable& table, int s, int e) {
    CELL_OUTCOME_ outcome;
    if (s < 0 || s >= table.stateCount() || e < 0 || e >= table.eventCount())
        return outcome;
    outcome.next = table.nextState(e, s);
    if (const std::vector<std::string>* actions = table.cellActions(e, s)) {
        for (const std::string& action : *actions) {
            if (!table.isNopAction(action))
                outcome.actions.push_back(action);
        }
    }
    return outcome;
}

int CTableRules::findState(const CSTTable& table, const std::string& text) {
    return find(text, table.stateCount(), &CSTTable::stateName, table);
}

int CTableRules::findEvent(const CSTTable& table, const std::string& text) {
    return find(text, table.eventCount(), &CSTTable::eventName, table);
}

std::string CTableRules::stateLabel(const CSTTable& table, int s) {
    if (s >= 0 && s < table.stateCount())
        return table.stateName(s);
    return "#" + std::to_string(s);
}

std::string CTableRules::cellName(int row, int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(row + 1);
}
