#include "pelk-table/diff/page_changes.h"

#include <sstream>

#include "pelk-table/diff/diff_json_writer.h"
#include "pelk-table/diff/diff_text_writer.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/views/view_text.h"

std::string CPageChanges::describe(const DIFF_SIDE_& before, const std::string& oldLabel, const CTableModel& model,
                                   const std::vector<FINDING_>& findings, const TARGET_& target) {
    const TABLE_DIFF_ diff = CTableDiff::compare(before, {&model, findings});
    DIFF_FORM_ form;
    form.oldLabel = oldLabel;
    form.newLabel = CViewText::fileName(model.path());
    form.target = &target;
    nlohmann::ordered_json object = CDiffJsonWriter::toJson(diff, form);
    std::ostringstream text;
    CDiffTextWriter::write(text, diff, form);
    std::istringstream lines(text.str());
    object["lines"] = nlohmann::ordered_json::array();
    for (std::string line; std::getline(lines, line);)
        object["lines"].push_back(line);
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
