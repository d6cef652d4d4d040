#include "pelk-table/diff/diff_json_writer.h"
#include "pelk-table/check/check_list.h"
#include "pelk-table/report/finding_text.h"

namespace {

using Json = nlohmann::ordered_json;

const char* kindName(NAME_CHANGE_::Kind kind) {
    switch (kind) {
    case NAME_CHANGE_::kAdded:
        return "added";
    case NAME_CHANGE_::kRemoved:
        return "removed";
    case NAME_CHANGE_::kRenamed:
        return "renamed";
    case NAME_CHANGE_::kRenumbered:
        break;
    }
    return "renumbered";
}

Json nameOrNull(const std::string& name, int number) {
    return number < 0 ? Json() : Json(name);
}
Json numberOrNull(int number) {
    return number < 0 ? Json() : Json(number);
}

Json names(const std::vector<NAME_CHANGE_>& changes) {
    Json list = Json::array();
    for (const NAME_CHANGE_& change : changes) {
        list.push_back(
            {{"change", kindName(change.kind)},
             {"old",
              {{"name", nameOrNull(change.oldName, change.oldNumber)}, {"number", numberOrNull(change.oldNumber)}}},
             {"new",
              {{"name", nameOrNull(change.newName, change.newNumber)}, {"number", numberOrNull(change.newNumber)}}}});
    }
    return list;
}

Json cellJson(const CELL_MEANING_& cell) {
    Json next;
    if (cell.next >= 0)
        next = {{"number", cell.next}, {"name", cell.nextName.empty() ? Json() : Json(cell.nextName)}};
    return {{"next", next}, {"actions", cell.actions}};
}

Json place(int state, int event, const std::string& cell) {
    if (state < 0)
        return Json();
    return {{"state", state}, {"event", event}, {"cell", cell}};
}

Json list(const std::vector<std::string>& names) {
    return names.empty() ? Json::array() : Json(names);
}

}  // namespace

Json CDiffJsonWriter::toJson(const TABLE_DIFF_& diff, const DIFF_FORM_& form) {
    Json json;
    json["old"] = form.oldLabel;
    json["new"] = form.newLabel;
    json["same"] = diff.same();
    json["states"] = names(diff.states);
    json["events"] = names(diff.events);
    Json cells = Json::array();
    static const char* const kCellKinds[] = {"changed", "added", "removed"};
    for (const CELL_CHANGE_& cell : diff.cells) {
        cells.push_back({{"change", kCellKinds[cell.kind]},
                         {"state", cell.state},
                         {"event", cell.event},
                         {"oldPlace", place(cell.oldState, cell.oldEvent, cell.oldCell)},
                         {"newPlace", place(cell.newState, cell.newEvent, cell.newCell)},
                         {"old", cell.kind == CELL_CHANGE_::kAdded ? Json() : cellJson(cell.before)},
                         {"new", cell.kind == CELL_CHANGE_::kRemoved ? Json() : cellJson(cell.after)}});
    }
    json["cells"] = cells;

    Json consequences;
    consequences["start"] = {{"changed", diff.startChanged},
                             {"old", diff.oldStart.empty() ? Json() : Json(diff.oldStart)},
                             {"new", diff.newStart.empty() ? Json() : Json(diff.newStart)}};
    consequences["unreachable"] = list(diff.unreachable);
    consequences["reachableAgain"] = list(diff.reachableAgain);
    consequences["nowUnused"] = list(diff.nowUnused);
    consequences["nowUsed"] = list(diff.nowUsed);
    Json findings = Json::array();
    for (const FINDING_CHANGE_& change : diff.findings)
        findings.push_back({{"change", change.appeared ? "appeared" : "disappeared"},
                            {"check", CCheckList::of(change.finding.id).name},
                            {"severity", change.finding.severity == FINDING_::kError ? "error" : "warning"},
                            {"message", CFindingText::message(change.finding.message)}});
    consequences["findings"] = findings;
    const int entrySize = form.target->isAssembler ? 2 : 0;
    consequences["vectorTable"] = {{"target", form.target->name},
                                   {"old",
                                    {{"states", diff.oldVectors.states},
                                     {"events", diff.oldVectors.events},
                                     {"entries", diff.oldVectors.entries()}}},
                                   {"new",
                                    {{"states", diff.newVectors.states},
                                     {"events", diff.newVectors.events},
                                     {"entries", diff.newVectors.entries()}}},
                                   {"entryBytes", entrySize ? Json(entrySize) : Json()}};
    json["consequences"] = consequences;
    return json;
}

void CDiffJsonWriter::write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form) {
    // Names that are no UTF-8 are written with U+FFFD rather than failing.
    out << toJson(diff, form).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}
