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
    // Each next state with its label, as the cells of the page and the text
    // lines write it ("#7" past the last state).
    for (size_t i = 0; i < diff.cells.size(); ++i) {
        nlohmann::ordered_json& cell = object["cells"][i];
        if (cell["old"].is_object() && cell["old"]["next"].is_object())
            cell["old"]["next"]["label"] = diff.cells[i].before.nextLabel;
        if (cell["new"].is_object() && cell["new"]["next"].is_object())
            cell["new"]["next"]["label"] = diff.cells[i].after.nextLabel;
    }
    std::ostringstream text;
    CDiffTextWriter::write(text, diff, form);
    std::istringstream lines(text.str());
    object["lines"] = nlohmann::ordered_json::array();
    for (std::string line; std::getline(lines, line);)
        object["lines"].push_back(line);
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
