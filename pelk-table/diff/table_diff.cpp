#include "pelk-table/diff/table_diff.h"

#include <unordered_map>

#include "pelk-table/check/graph_check.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/run/machine_run.h"

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

// The table of a side; an empty one stands for no table.
const CSTTable& tableOf(const DIFF_SIDE_& side) {
    static const CSTTable kNone("", nullptr);
    return side.model ? side.model->table() : kNone;
}

// The spreadsheet name of a cell. A table that is compared has every cell
// of every state record, so the name follows from the layout alone (the
// whole place would measure the line in characters).
std::string cellName(const DIFF_SIDE_& side, int s, int e) {
    if (!side.model)
        return "";
    const TABLE_LAYOUT_& layout = side.model->layout();
    return CTableRules::cellName(layout.stateRecords[at(s)], layout.keyColumn + 2 + e);
}

// Pairs the n-th occurrence of a name in one list with the n-th in the other.
void matchByName(const std::vector<std::string>& before, const std::vector<std::string>& after,
                 std::vector<int>& beforeToAfter, std::vector<int>& afterToBefore) {
    beforeToAfter.assign(before.size(), -1);
    afterToBefore.assign(after.size(), -1);
    std::unordered_map<std::string, std::vector<int>> positions;
    for (size_t i = after.size(); i-- > 0;)
        positions[after[i]].push_back(static_cast<int>(i));
    for (size_t i = 0; i < before.size(); ++i) {
        auto found = positions.find(before[i]);
        if (found == positions.end() || found->second.empty())
            continue;
        const int j = found->second.back();
        found->second.pop_back();
        beforeToAfter[i] = j;
        afterToBefore[at(j)] = static_cast<int>(i);
    }
}

bool doesSomething(const CSTTable& table, int s, int e) {
    return CTableRules::outcome(table, s, e).doesSomething();
}

// Compares the two sides under the current matching of states and events.
class CCellComparison {
public:
    CCellComparison(const CSTTable& before, const CSTTable& after, const TABLE_DIFF_& diff)
        : m_before(before),
          m_after(after),
          m_diff(diff) {}

    bool agree(int oldState, int oldEvent, int newState, int newEvent) const {
        const CELL_OUTCOME_ oldCell = CTableRules::outcome(m_before, oldState, oldEvent);
        const CELL_OUTCOME_ newCell = CTableRules::outcome(m_after, newState, newEvent);
        const int oldNext = oldCell.next, newNext = newCell.next;
        if (oldNext < 0 || newNext < 0) {
            if (oldNext != newNext)
                return false;
        } else if (oldNext >= m_before.stateCount()) {
            // Past the last state on both sides: the same number is the same fault.
            if (newNext != oldNext || newNext < m_after.stateCount())
                return false;
        } else if (m_diff.oldToNewState[at(oldNext)] != newNext) {
            return false;
        }
        return oldCell.actions == newCell.actions;
    }

    // A state whose row agrees cell for cell over the events of both.
    bool rowsAgree(int oldState, int newState) const {
        for (size_t e = 0; e < m_diff.oldToNewEvent.size(); ++e) {
            const int newEvent = m_diff.oldToNewEvent[e];
            if (newEvent >= 0 && !agree(oldState, static_cast<int>(e), newState, newEvent))
                return false;
        }
        return true;
    }

    bool columnsAgree(int oldEvent, int newEvent) const {
        for (size_t s = 0; s < m_diff.oldToNewState.size(); ++s) {
            const int newState = m_diff.oldToNewState[s];
            if (newState >= 0 && !agree(static_cast<int>(s), oldEvent, newState, newEvent))
                return false;
        }
        return true;
    }

private:
    const CSTTable& m_before;
    const CSTTable& m_after;
    const TABLE_DIFF_& m_diff;
};

// Pairs an unmatched name of OLD with the unmatched name of NEW at the same
// position: just after the state (or event) that its predecessor became,
// or, when the predecessor is gone too, at the same number.
std::vector<int> pairUnmatched(std::vector<int>& beforeToAfter, std::vector<int>& afterToBefore) {
    std::vector<int> paired;
    for (size_t i = 0; i < beforeToAfter.size(); ++i) {
        if (beforeToAfter[i] >= 0)
            continue;
        int j = static_cast<int>(i);
        if (i > 0 && beforeToAfter[i - 1] >= 0)
            j = beforeToAfter[i - 1] + 1;
        if (j >= static_cast<int>(afterToBefore.size()) || afterToBefore[at(j)] >= 0)
            continue;
        beforeToAfter[i] = j;
        afterToBefore[at(j)] = static_cast<int>(i);
        paired.push_back(static_cast<int>(i));
    }
    return paired;
}

// Takes as renamed the pairs at the same position whose cells agree.
// Taking one back can break the agreement of another (a next state that no
// longer maps), so this runs until nothing changes.
void findRenames(const CSTTable& before, const CSTTable& after, TABLE_DIFF_& diff) {
    std::vector<int> states = pairUnmatched(diff.oldToNewState, diff.newToOldState);
    std::vector<int> events = pairUnmatched(diff.oldToNewEvent, diff.newToOldEvent);
    const CCellComparison cells(before, after, diff);
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (int& s : states) {
            if (s >= 0 && !cells.rowsAgree(s, diff.oldToNewState[at(s)])) {
                diff.newToOldState[at(diff.oldToNewState[at(s)])] = -1;
                diff.oldToNewState[at(s)] = -1;
                s = -1;
                dropped = true;
            }
        }
        for (int& e : events) {
            if (e >= 0 && !cells.columnsAgree(e, diff.oldToNewEvent[at(e)])) {
                diff.newToOldEvent[at(diff.oldToNewEvent[at(e)])] = -1;
                diff.oldToNewEvent[at(e)] = -1;
                e = -1;
                dropped = true;
            }
        }
    }
}

std::vector<NAME_CHANGE_> nameChanges(const std::vector<std::string>& before, const std::vector<std::string>& after,
                                      const std::vector<int>& beforeToAfter, const std::vector<int>& afterToBefore) {
    std::vector<NAME_CHANGE_> changes;
    for (size_t i = 0; i < before.size(); ++i) {
        if (beforeToAfter[i] < 0)
            changes.push_back({NAME_CHANGE_::kRemoved, before[i], "", static_cast<int>(i), -1});
    }
    for (size_t j = 0; j < after.size(); ++j) {
        if (afterToBefore[j] < 0)
            changes.push_back({NAME_CHANGE_::kAdded, "", after[j], -1, static_cast<int>(j)});
    }
    for (size_t i = 0; i < before.size(); ++i) {
        const int j = beforeToAfter[i];
        if (j >= 0 && before[i] != after[at(j)])
            changes.push_back({NAME_CHANGE_::kRenamed, before[i], after[at(j)], static_cast<int>(i), j});
    }
    for (size_t i = 0; i < before.size(); ++i) {
        const int j = beforeToAfter[i];
        if (j >= 0 && j != static_cast<int>(i))
            changes.push_back({NAME_CHANGE_::kRenumbered, before[i], after[at(j)], static_cast<int>(i), j});
    }
    return changes;
}

void compareCells(const DIFF_SIDE_& beforeSide, const DIFF_SIDE_& afterSide, TABLE_DIFF_& diff) {
    const CSTTable& before = tableOf(beforeSide);
    const CSTTable& after = tableOf(afterSide);
    const CCellComparison cells(before, after, diff);
    for (int s = 0; s < after.stateCount(); ++s) {
        const int oldState = diff.newToOldState[at(s)];
        for (int e = 0; e < after.eventCount(); ++e) {
            const int oldEvent = diff.newToOldEvent[at(e)];
            const bool both = oldState >= 0 && oldEvent >= 0;
            if (both ? cells.agree(oldState, oldEvent, s, e) : !doesSomething(after, s, e))
                continue;
            CELL_CHANGE_ change{both ? CELL_CHANGE_::kChanged : CELL_CHANGE_::kAdded,
                                after.stateName(s),
                                after.eventName(e),
                                -1,
                                -1,
                                s,
                                e,
                                "",
                                cellName(afterSide, s, e),
                                {},
                                {}};
            if (both) {
                change.oldState = oldState;
                change.oldEvent = oldEvent;
                change.oldCell = cellName(beforeSide, oldState, oldEvent);
                change.before = CTableDiff::meaning(before, oldState, oldEvent);
            }
            change.after = CTableDiff::meaning(after, s, e);
            diff.cells.push_back(std::move(change));
        }
    }
    for (int s = 0; s < before.stateCount(); ++s) {
        for (int e = 0; e < before.eventCount(); ++e) {
            if ((diff.oldToNewState[at(s)] >= 0 && diff.oldToNewEvent[at(e)] >= 0) || !doesSomething(before, s, e))
                continue;
            diff.cells.push_back({CELL_CHANGE_::kRemoved,
                                  before.stateName(s),
                                  before.eventName(e),
                                  s,
                                  e,
                                  -1,
                                  -1,
                                  cellName(beforeSide, s, e),
                                  "",
                                  CTableDiff::meaning(before, s, e),
                                  {}});
        }
    }
}

void compareGraphs(const CSTTable& before, const CSTTable& after, TABLE_DIFF_& diff) {
    const bool hadStart = before.stateCount() > 0, hasStart = after.stateCount() > 0;
    diff.oldStart = hadStart ? before.stateName(0) : "";
    diff.newStart = hasStart ? after.stateName(0) : "";
    diff.startChanged = hadStart != hasStart || (hadStart && diff.oldToNewState[0] != 0);

    const std::vector<bool> reachedBefore = CGraphCheck::reachable(before);
    const std::vector<bool> reachedAfter = CGraphCheck::reachable(after);
    for (int s = 0; s < after.stateCount(); ++s) {
        const int old = diff.newToOldState[at(s)];
        if (old < 0 || reachedBefore[at(old)] == reachedAfter[at(s)])
            continue;
        (reachedAfter[at(s)] ? diff.reachableAgain : diff.unreachable).push_back(after.stateName(s));
    }
    if (after.stateCount() == 0)
        return;
    for (int e = 0; e < after.eventCount(); ++e) {
        const int old = diff.newToOldEvent[at(e)];
        const bool unused = CGraphCheck::isUnused(after, e);
        const bool wasUnused = old >= 0 && before.stateCount() > 0 && CGraphCheck::isUnused(before, old);
        if (unused && !wasUnused)
            diff.nowUnused.push_back(after.eventName(e));
        else if (!unused && wasUnused)
            diff.nowUsed.push_back(after.eventName(e));
    }
}

// The findings one side has beyond the other, compared by key.
void compareFindings(const DIFF_SIDE_& before, const DIFF_SIDE_& after, TABLE_DIFF_& diff) {
    const auto keyOf = [](const FINDING_& finding) { return CTableDiff::findingKey(finding); };
    const auto only = [&](const std::vector<FINDING_>& mine, const std::vector<FINDING_>& theirs, bool appeared) {
        std::unordered_map<std::string, int> count;
        for (const FINDING_& finding : theirs)
            ++count[keyOf(finding)];
        for (const FINDING_& finding : mine) {
            int& left = count[keyOf(finding)];
            if (left > 0)
                --left;
            else
                diff.findings.push_back({appeared, finding});
        }
    };
    only(before.findings, after.findings, false);
    only(after.findings, before.findings, true);
}

}  // namespace

TABLE_DIFF_ CTableDiff::compare(const DIFF_SIDE_& beforeSide, const DIFF_SIDE_& afterSide) {
    const CSTTable& before = tableOf(beforeSide);
    const CSTTable& after = tableOf(afterSide);
    TABLE_DIFF_ diff;
    const std::vector<std::string> oldStates = CMachineRun::stateNames(before),
                                   newStates = CMachineRun::stateNames(after);
    const std::vector<std::string> oldEvents = CMachineRun::eventNames(before),
                                   newEvents = CMachineRun::eventNames(after);
    matchByName(oldStates, newStates, diff.oldToNewState, diff.newToOldState);
    matchByName(oldEvents, newEvents, diff.oldToNewEvent, diff.newToOldEvent);
    findRenames(before, after, diff);
    diff.states = nameChanges(oldStates, newStates, diff.oldToNewState, diff.newToOldState);
    diff.events = nameChanges(oldEvents, newEvents, diff.oldToNewEvent, diff.newToOldEvent);
    compareCells(beforeSide, afterSide, diff);
    compareGraphs(before, after, diff);
    compareFindings(beforeSide, afterSide, diff);
    diff.oldVectors = {before.stateCount(), before.eventCount()};
    diff.newVectors = {after.stateCount(), after.eventCount()};
    return diff;
}

CELL_MEANING_ CTableDiff::meaning(const CSTTable& table, int s, int e) {
    CELL_OUTCOME_ outcome = CTableRules::outcome(table, s, e);
    CELL_MEANING_ cell;
    cell.next = outcome.next;
    if (cell.next >= 0 && cell.next < table.stateCount())
        cell.nextName = table.stateName(cell.next);
    if (cell.next >= 0)
        cell.nextLabel = CTableRules::stateLabel(table, cell.next);
    cell.actions = std::move(outcome.actions);
    return cell;
}

std::string CTableDiff::cellText(const CELL_MEANING_& cell) {
    std::string text;
    text = cell.next < 0 ? "-" : "\u2192 " + cell.nextLabel;
    for (size_t i = 0; i < cell.actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + cell.actions[i];
    return text;
}

// The names of the subject, never its numbers: a state moved by an
// insertion is the same state.
std::string CTableDiff::findingKey(const FINDING_& finding) {
    const SUBJECT_& subject = finding.subject;
    std::string key = std::to_string(finding.id) + ' ' + std::to_string(finding.message.id);
    for (const std::string* name : {&subject.stateName, &subject.eventName, &subject.action})
        key += '\n' + std::to_string(name->size()) + ':' + *name;
    return key;
}

std::string CTableDiff::vectorTableText(const TABLE_DIFF_& diff, const TARGET_& target) {
    const int before = diff.oldVectors.entries(), after = diff.newVectors.entries();
    if (before == after)
        return "";
    std::string text = std::to_string(before) + " \u2192 " + std::to_string(after) + " entries";
    if (target.isAssembler)
        text += ", " + std::to_string(2 * before) + " \u2192 " + std::to_string(2 * after) +
                " bytes (2 bytes an entry on " + target.name + ")";
    else
        text += " (a function pointer each on " + std::string(target.name) + ")";
    return text;
}
