#include "pelk-table/cli/check_command.h"

#include <iostream>

#include "pelk-table/check/check_list.h"
#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

void CCheckCommand::setUp(CLI::App& app, int& status) {
    CLI::App* check = app.add_subcommand("check", "find the mistakes of state transition tables");
    check->add_option("TABLE", m_tables, "table files (TSV, .xlsx or .ods)")->required()->type_name("");
    m_options.addTableOptions(*check);
    check->add_flag("--werror", m_werror, "treat warnings as errors");
    check->add_option("--format", m_format, "text (default), json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}))
        ->type_name("FORMAT");
    check->footer(
        "  -W<check>, -Wno-<check>\n"
        "                              turn one check on or off\n\n"
        "Checks: table-format encoding duplicate-name invalid-identifier symbol-collision\n"
        "        asm-row-size next-state-range unreachable-state trap-state unused-event\n"
        "        extra-cells\n"
        "Exit status: 0 no error found, 1 errors found, 2 usage error.\n");
    check->callback([this, &status]() { status = run(); });
}

bool CCheckCommand::takeWarningOptions(std::vector<std::string>& args, std::string& message) {
    std::vector<std::string> kept;
    for (const std::string& arg : args) {
        if (arg.compare(0, 2, "-W") != 0) {
            kept.push_back(arg);
            continue;
        }
        if (arg == "-Werror") {
            m_werror = true;
            continue;
        }
        const bool off = arg.compare(0, 5, "-Wno-") == 0;
        const std::string name = arg.substr(off ? 5 : 2);
        if (!CCheckList::byName(name)) {
            message = "unknown check '" + name + "' in " + arg;
            return false;
        }
        if (off)
            m_disabled.insert(name);
        else
            m_disabled.erase(name);
    }
    args = kept;
    return true;
}

int CCheckCommand::run() {
    CHECK_OPTIONS_ options;
    options.target = &m_options.target();
    options.machineNameGiven = m_options.machineNameGiven();
    options.warningsAreErrors = m_werror;
    options.disabled = m_disabled;

    std::vector<FILE_FINDINGS_> files;
    bool errors = false;
    for (const std::string& path : m_tables) {
        CTableModel model(path, m_options.machineName());
        model.setSheet(m_options.sheet());
        FILE_FINDINGS_ file{path, {}};
        if (!model.load()) {
            FINDING_ finding;
            finding.check = "table-format";
            finding.severity = FINDING_::kError;
            finding.message = model.loadError();
            file.findings.push_back(finding);
        } else {
            file.findings = CChecker::run(model, options);
        }
        errors = errors || CChecker::hasErrors(file.findings);
        files.push_back(std::move(file));
    }
    if (m_format == "json")
        CFindingWriter::writeJson(std::cout, files);
    else if (m_format == "sarif")
        CFindingWriter::writeSarif(std::cout, files);
    else
        CFindingWriter::writeText(std::cerr, files);
    return errors ? CToolOptions::kFindings : CToolOptions::kClean;
}
