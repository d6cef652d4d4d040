#include "pelk-table/diff/page_changes.h"

#include <sstream>

#include "pelk-table/check/checker.h"
#include "pelk-table/diff/diff_json_writer.h"
#include "pelk-table/diff/diff_text_writer.h"
#include "pelk-table/diff/table_diff.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"
#include "pelk-table/views/view_text.h"

bool CPageChanges::describe(const std::string& oldPath, const std::string& machineName, bool machineNameGiven,
                            const TARGET_& target, const CTableModel& model, const std::vector<FINDING_>& findings,
                            std::string& json, std::ostream& err) {
    CTableModel old(oldPath, machineName);
    if (!old.load()) {
        err << "pelk-table: cannot open " << oldPath << std::endl;
        return false;
    }
    CHECK_OPTIONS_ options;
    options.target = &target;
    options.machineNameGiven = machineNameGiven;
    DIFF_SIDE_ before{&old, CChecker::run(old, options)};
    if (old.hasFormatErrors()) {
        std::vector<FINDING_> refusing;
        for (const FINDING_& finding : before.findings) {
            if (finding.check == "table-format" || finding.check == "encoding")
                refusing.push_back(finding);
        }
        CFindingWriter::writeText(err, {{oldPath, refusing}});
        err << "pelk-table: " << oldPath << " is not a table pelk accepts: nothing to compare with" << std::endl;
        return false;
    }
    const TABLE_DIFF_ diff = CTableDiff::compare(before, {&model, findings});
    DIFF_FORM_ form;
    form.oldLabel = CViewText::fileName(oldPath);
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
    json = object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    return true;
}
