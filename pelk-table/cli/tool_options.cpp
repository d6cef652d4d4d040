#include "pelk-table/cli/tool_options.h"

#include <iostream>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

void CToolOptions::addTableOptions(CLI::App& command) {
    command
        .add_option_function<std::string>(
            "-a,--target",
            [this](const std::string& name) {
                if (!CTargets::byName(name))
                    throw CLI::ValidationError("--target",
                                               "'" + name + "' is not a target (NRA78K0, FASM96, C, FCC907S)");
                m_targetName = name;
            },
            "target as pelk -a takes it: NRA78K0 (default), FASM96, C, FCC907S; case is ignored")
        ->type_name("TARGET");
    command
        .add_option_function<std::string>(
            "-n,--name",
            [this](const std::string& name) {
                m_machineName = name;
                m_nameGiven = true;
            },
            "machine name, as pelk -n takes it")
        ->type_name("NAME");
    addSheetOption(command, m_sheet);
}

void CToolOptions::addSheetOption(CLI::App& command, std::string& sheet) {
    command
        .add_option("--sheet", sheet,
                    "the sheet of a workbook (.xlsx, .ods), by name or by number from 1; without it, the one sheet "
                    "that holds START")
        ->type_name("NAME|NUMBER");
}

const TARGET_& CToolOptions::target() const {
    const TARGET_* target = CTargets::byName(m_targetName);
    return target ? *target : CTargets::defaultTarget();
}

std::vector<FINDING_> CToolOptions::check(const CTableModel& model) const {
    CHECK_OPTIONS_ options;
    options.target = &target();
    options.machineNameGiven = machineNameGiven();
    return CChecker::run(model, options);
}

bool CToolOptions::refuseUnreadable(const CTableModel& model, const std::vector<FINDING_>& findings,
                                    std::ostream& err) {
    if (!model.hasFormatErrors())
        return false;
    FILE_FINDINGS_ file{model.path(), {}};
    for (const FINDING_& finding : findings) {
        if (finding.check == "table-format" || finding.check == "encoding")
            file.findings.push_back(finding);
    }
    CFindingWriter::writeText(err, {file});
    return true;
}

bool CToolOptions::load(CTableModel& model) {
    if (model.load())
        return true;
    if (model.isWorkbook() || model.loadError() != "cannot open the file")
        std::cerr << "pelk-table: " << model.path() << ": " << model.loadError() << std::endl;
    else
        std::cerr << "pelk-table: cannot open " << model.path() << std::endl;
    return false;
}
